#!/usr/bin/env bash
# Runs the README's two commands on a freshly made, minimal Debian 12 root:
# the test command to the end, then the run command until the Kinemora window
# shows on an Xvfb display. This catches a package that scripts/install-deps.sh
# forgets, which a machine that already has everything installed never shows.
#
#   bash scripts/fresh-machine-check.sh
#
# Needs root (re-runs itself through sudo otherwise) and a few GB of disk under
# $KINEMORA_FRESH_MACHINE_DIR (default /var/tmp). The root gets the host's apt
# sources, certificate authorities and proxy settings, so it reaches Debian's
# archive and the npm registry the way this machine does.
set -euo pipefail

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
base_dir=${KINEMORA_FRESH_MACHINE_DIR:-/var/tmp}
min_free_gib=5
window_timeout=${KINEMORA_FRESH_WINDOW_TIMEOUT:-900}
suite=bookworm
src_in_root=/root/kinemora

work=""          # the temporary directory holding the root and the logs
root=""          # the Debian root inside it
child_pid=""     # the session leader of whatever runs now (mmdebstrap, chroot)
xvfb_pid=""
script_start=$(date +%s)
phase_names=()
phase_secs=()
phase_start=0

log() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*"; }
die() {
  log "FAILED: $*" >&2
  exit 1
}

begin_phase() {
  phase_names+=("$1")
  phase_start=$(date +%s)
  log "== $1"
}

end_phase() {
  local secs=$(($(date +%s) - phase_start))
  phase_secs+=("$secs")
  log "== ${phase_names[-1]}: done in ${secs} s"
}

print_summary() {
  local i
  for i in "${!phase_secs[@]}"; do
    printf '  %-28s %5d s\n' "${phase_names[$i]}" "${phase_secs[$i]}"
  done
  if ((${#phase_names[@]} > ${#phase_secs[@]})); then
    printf '  %-28s %5d s (unfinished)\n' "${phase_names[-1]}" "$(($(date +%s) - phase_start))"
  fi
  printf '  %-28s %5d s\n' "total" "$(($(date +%s) - script_start))"
}

# The first ```sh block of README.md holds exactly two commands: the run
# command, then the test command. Trailing "# comments" are not part of them.
read_readme_commands() {
  local -a lines
  mapfile -t lines < <(
    git -C "$repo" show HEAD:README.md |
      awk '/^```sh[[:space:]]*$/ { inside = 1; next } inside && /^```/ { exit } inside { print }' |
      sed -E 's/[[:space:]]+#.*$//; s/^[[:space:]]+//; s/[[:space:]]+$//' |
      grep -v '^$' || true
  )
  ((${#lines[@]} == 2)) || die "README.md should open with a sh block of exactly two commands, found ${#lines[@]}"
  run_command=${lines[0]}
  test_command=${lines[1]}
}

install_host_tools() {
  local -a packages=(mmdebstrap mount xvfb xdotool) missing=()
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    log "installing on the host: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# The host's enabled apt sources, deb822 files first. mmdebstrap reads one
# format from standard input; files of the other format go as extra arguments.
collect_sources() {
  local f
  deb822_files=()
  oneline_files=()
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] && deb822_files+=("$f")
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$f" ]] && grep -qE '^[[:space:]]*deb' "$f" && oneline_files+=("$f")
  done
  ((${#deb822_files[@]} + ${#oneline_files[@]})) || die "the host has no apt sources to give the root"

  if ((${#deb822_files[@]})); then
    for f in "${deb822_files[@]}"; do
      cat "$f"
      echo
    done >"$work/sources"
    extra_sources=("${oneline_files[@]}")
  else
    cat "${oneline_files[@]}" >"$work/sources"
    extra_sources=()
  fi
  log "apt sources: ${deb822_files[*]} ${oneline_files[*]}"
}

make_work_dir() {
  mkdir -p "$base_dir"
  local free_kib
  free_kib=$(df --output=avail -k "$base_dir" | tail -n 1)
  ((free_kib / 1024 / 1024 >= min_free_gib)) ||
    die "$base_dir has $((free_kib / 1024 / 1024)) GiB free, the check needs about $min_free_gib GiB (set KINEMORA_FRESH_MACHINE_DIR)"
  work=$(mktemp -d "$base_dir/kinemora-fresh.XXXXXXXX")
  root="$work/root"
  log "working in $work"
}

# Runs a command in its own session so that cleanup can stop all of it, and
# waits for it in a way that a signal to this script interrupts. Standard
# input is passed on explicitly: a background job would get /dev/null.
run_in_session() {
  setsid "$@" <&0 &
  child_pid=$!
  local rc=0
  wait "$child_pid" || rc=$?
  child_pid=""
  return "$rc"
}

stop_session() {
  local pid=$1 i
  kill -TERM -- "-$pid" 2>/dev/null || return 0
  for i in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -KILL -- "-$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Environment of a login on the fresh machine, plus the host's certificate
# and proxy variables (the files they name are copied into the root).
root_env=()
carried_paths=()
collect_environment() {
  root_env=(HOME=/root USER=root LOGNAME=root SHELL=/bin/bash LANG=C.UTF-8 TERM="${TERM:-dumb}"
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
  local name value upper
  for name in $(compgen -e); do
    value=${!name}
    upper=${name^^}
    if [[ "$upper" == *PROXY* ]]; then
      root_env+=("$name=$value")
    elif [[ "$upper" =~ CERT|SSL|CA_BUNDLE|CAFILE|CAINFO|CA_FILE|CA_PATH ]] &&
      [[ "$value" == /* && -e "$value" ]]; then
      root_env+=("$name=$value")
      carried_paths+=("$value")
    fi
  done
  carried_paths+=(/usr/local/share/ca-certificates /etc/npmrc)
}

copy_into_root() {
  local path=$1
  [[ -e "$path" ]] || return 0
  mkdir -p "$root$(dirname "$path")"
  # Dereferenced: the host's certificate links point at files the root lacks.
  cp -rLT "$path" "$root$path"
  log "carried over $path"
}

prepare_root() {
  local path
  # Several variables usually name the same bundle: copy each path once.
  while IFS= read -r path; do
    copy_into_root "$path"
  done < <(printf '%s\n' /etc/resolv.conf /etc/hosts "${carried_paths[@]}" | awk '!seen[$0]++')
  # Like any chroot: packages must not start services on the host.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"

  mkdir -p "$root$src_in_root"
  git -C "$repo" archive --format=tar HEAD | tar -x -C "$root$src_in_root"
  log "copied git archive of HEAD ($(git -C "$repo" rev-parse --short HEAD)) to $src_in_root"
  if [[ -n "$(git -C "$repo" status --porcelain)" ]]; then
    log "note: uncommitted changes in $repo are not part of the check"
  fi

  # A private bind of the root keeps the mounts below from propagating to the
  # host and lets one recursive unmount take them all away.
  mount --bind "$root" "$root"
  mount --make-private "$root"
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --rbind /dev "$root/dev"
  mount --make-rslave "$root/dev"
}

mounts_under_root() {
  [[ -n "$root" ]] || return 0
  awk -v r="$root" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo | sort -r -u
}

kill_root_processes() {
  local p
  for p in /proc/[0-9]*; do
    if [[ "$(readlink "$p/root" 2>/dev/null)" == "$root" ]]; then
      kill -KILL "${p#/proc/}" 2>/dev/null || true
    fi
  done
}

cleanup() {
  local rc=$?
  set +e
  trap - EXIT INT TERM HUP
  [[ -n "$child_pid" ]] && stop_session "$child_pid"
  [[ -n "$xvfb_pid" ]] && stop_session "$xvfb_pid"
  if [[ -n "$work" ]]; then
    [[ -n "$root" && -d "$root" ]] && kill_root_processes
    local m
    for m in $(mounts_under_root); do
      umount -R -l "$m" 2>/dev/null || umount -l "$m" 2>/dev/null
    done
    if [[ -n "$(mounts_under_root)" ]]; then
      log "still mounted under $root, leaving $work in place:" >&2
      mounts_under_root >&2
      rc=1
    else
      rm -rf --one-file-system "$work"
    fi
  fi
  if ((rc == 0)); then
    log "fresh machine check passed"
  else
    log "fresh machine check FAILED (exit status $rc)" >&2
  fi
  print_summary
  exit "$rc"
}

in_root() {
  run_in_session chroot "$root" /usr/bin/env -i "${root_env[@]}" "$@"
}

run_test_command() {
  log "running in the root: $test_command"
  in_root bash -c "cd $src_in_root && $test_command" </dev/null ||
    die "the README's test command failed on the fresh root"
}

start_xvfb() {
  : >"$work/display"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  local deadline=$(($(date +%s) + 20))
  until [[ -s "$work/display" ]]; do
    kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"
    (($(date +%s) < deadline)) || die "Xvfb did not report a display within 20 s"
    sleep 0.2
  done
  display=":$(head -n 1 "$work/display")"
  log "Xvfb on $display"
}

stop_xvfb() {
  stop_session "$xvfb_pid"
  xvfb_pid=""
}

run_run_command() {
  start_xvfb
  mkdir -p "$root/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

  log "running in the root: $run_command (DISPLAY=$display)"
  setsid chroot "$root" /usr/bin/env -i "${root_env[@]}" DISPLAY="$display" \
    bash -c "cd $src_in_root && $run_command" >"$work/run.log" 2>&1 &
  child_pid=$!

  local started deadline
  started=$(date +%s)
  deadline=$((started + window_timeout))
  until DISPLAY="$display" xdotool search --onlyvisible --name '^Kinemora$' >/dev/null 2>&1; do
    if ! kill -0 "$child_pid" 2>/dev/null; then
      sed 's/^/  | /' "$work/run.log"
      die "the README's run command ended before a Kinemora window showed"
    fi
    if (($(date +%s) >= deadline)); then
      sed 's/^/  | /' "$work/run.log"
      die "no Kinemora window within $window_timeout s"
    fi
    sleep 1
  done
  log "the Kinemora window showed after $(($(date +%s) - started)) s"

  stop_session "$child_pid"
  child_pid=""
  sed 's/^/  | /' "$work/run.log"
  stop_xvfb
  umount "$root/tmp/.X11-unix"
}

main() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "chroot and mount need root, running through sudo" >&2
    exec sudo --preserve-env bash "$0" "$@"
  fi
  trap cleanup EXIT
  trap 'log "interrupted (SIGINT)" >&2; exit 130' INT
  trap 'log "interrupted (SIGTERM)" >&2; exit 143' TERM
  trap 'log "interrupted (SIGHUP)" >&2; exit 129' HUP

  read_readme_commands
  log "run command:  $run_command"
  log "test command: $test_command"

  begin_phase "host tools"
  install_host_tools
  end_phase

  begin_phase "mmdebstrap minbase $suite"
  make_work_dir
  collect_sources
  run_in_session mmdebstrap --variant=minbase "$suite" "$root" - "${extra_sources[@]}" <"$work/sources" ||
    die "mmdebstrap could not make the root"
  end_phase

  begin_phase "prepare root"
  collect_environment
  prepare_root
  end_phase

  begin_phase "test command"
  run_test_command
  end_phase

  begin_phase "run command"
  run_run_command
  end_phase

  log "the root takes $(du -sxh "$root" | cut -f1)"
}

main "$@"
