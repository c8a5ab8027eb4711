#!/usr/bin/env bash
# Runs one command against a private virtual X server and exits with the
# command's status:
#
#   tests/run_with_xvfb.sh COMMAND ARGS...
#
# Xvfb picks a free display number itself (-displayfd), so several of these
# can run side by side. OpenGL is Mesa's software renderer. The server is
# stopped when the command ends, whatever its outcome.
set -uo pipefail

if (($# == 0)); then
  echo "usage: $0 COMMAND ARGS..." >&2
  exit 2
fi

workdir=$(mktemp -d)
xvfb_pid=""
command_pid=""
cleanup() {
  for pid in $command_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# KINEMORA_XVFB_SCREEN: a larger screen for pictures of a grown window.
Xvfb -displayfd 3 -screen 0 "${KINEMORA_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
  3>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!

# Xvfb writes the display number once it accepts clients.
for ((i = 0; i < 100; i++)); do
  [[ -s "$workdir/display" ]] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$workdir/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [[ ! -s "$workdir/display" ]]; then
  echo "Xvfb did not report a display within 10 s" >&2
  exit 1
fi

export DISPLAY=":$(head -n1 "$workdir/display")"
# Software OpenGL whatever the machine has.
export LIBGL_ALWAYS_SOFTWARE=1

# In the background, so that a signal to this script is handled at once
# (and stops the command and the server) rather than after the command.
"$@" <&0 &
command_pid=$!
wait "$command_pid"
status=$?
command_pid=""
exit "$status"
