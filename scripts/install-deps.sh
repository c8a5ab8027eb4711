#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# only those that are missing (apt-get update runs only then).
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  libfltk1.3-dev fluid libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev
  # Videos: drawn through EGL without a display (Mesa's, with the driver
  # above), encoded by FFmpeg's libraries (H.264, MP4) and giflib.
  libegl-dev libegl-mesa0 libavcodec-dev libavformat-dev libswscale-dev libavutil-dev libgif-dev
)
if [[ "${1:-}" == "--test" ]]; then
  # ffprobe and ffmpeg read the videos written.
  packages+=(ffmpeg)
  # Headless display, input driving, screenshots, packaging checks.
  packages+=(xvfb xdotool x11-utils x11-apps imagemagick dpkg-dev lintian desktop-file-utils file)
  # A second reader of the files written, besides three.js.
  packages+=(assimp-utils)
  # A JavaScript runtime for the BVH reader check; any node with npm will do.
  if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  echo "installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
