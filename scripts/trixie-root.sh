#!/usr/bin/env bash
# A Debian 13 (trixie) root with its Wine 10 and the tools of the test
# display, so that vesk.exe can be tested under today's Wine beside the host's
# Debian 12 Wine 8. Runs as root.
#
#   scripts/trixie-root.sh prepare             makes the root unless it is ready
#   scripts/trixie-root.sh run [--] CMD [ARG...]
#                                              runs CMD inside it, in the
#                                              current folder (when that lies
#                                              in the repository)
#
# The root is made once with debootstrap from the Debian archive that the
# machine's apt sources name (4 to 7 min), and kept in build/trixie/root; a
# later run starts in well under a second. Packages added to the list below
# are installed into the root kept.
#
# run mounts proc, sys, dev, dev/pts, a tmpfs on /tmp and /run, and the
# repository at its own path, all in a private mount namespace, and runs CMD
# in a private PID namespace. When CMD ends, fails or is interrupted, every
# process it left is ended and the mounts go; should this script itself be
# killed, the kernel ends the namespaces with the same effect. CMD sees only
# VESK_*, WINEDEBUG and the variables named in VESK_ROOT_ENV (space-separated)
# from the caller's environment, and VESK_IN_TRIXIE_ROOT=1. The root has no
# compilers: build on the machine first (scripts/build.sh windows).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
base="$repo/build/trixie"
root="$base/root"
suite=trixie
packages=(
  wine wine64
  xvfb xauth x11-utils xdotool imagemagick fonts-ipafont fonts-liberation
  xserver-xspice  # the two-monitor X server of the second-monitor e2e case
  python3 liblnk-utils
)

die() {
  echo "trixie-root: $*" >&2
  exit 1
}

[ "$(id -u)" -eq 0 ] || die "must run as root (it uses debootstrap, chroot and mounts)"

# The main Debian archive that apt on this machine already uses.
archive_uri() {
  apt-get indextargets --format '$(TARGET_OF) $(COMPONENT) $(RELEASE) $(REPO_URI)' 2>/dev/null |
    awk '$1 == "deb" && $2 == "main" && $3 !~ /-/ { print $4; exit }'
}

# Mounts what Wine and the display need below $1. Called inside the private
# namespaces only, so that the mounts vanish with them.
mount_all() {
  local r="$1"
  mount -t proc proc "$r/proc"
  mount --rbind /sys "$r/sys"
  mount --rbind /dev "$r/dev" # with dev/pts and dev/shm
  mount -t tmpfs -o mode=1777 tmpfs "$r/tmp"
  mount -t tmpfs -o mode=0755 tmpfs "$r/run"
  mkdir -p "$r$repo"
  mount --bind "$repo" "$r$repo"
}

# The PID 1 of the private namespaces: mounts, runs the command, and on any
# end ends every other process of the namespace before it leaves.
inside() {
  local r="$1" dir="$2"
  shift 2
  local child=
  finish() {
    local rc=$?
    trap - EXIT INT TERM HUP
    [ -z "$child" ] || kill -TERM "$child" 2>/dev/null || true
    kill -KILL -1 2>/dev/null || true # every process of this PID namespace but this one
    umount -R "$r$repo" "$r/run" "$r/tmp" "$r/dev" "$r/sys" "$r/proc" 2>/dev/null || true
    exit "$rc"
  }
  trap finish EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM HUP
  mount --make-rprivate /
  mount_all "$r"
  local env=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
    LANG=C.UTF-8 TERM="${TERM:-dumb}" DEBIAN_FRONTEND=noninteractive VESK_IN_TRIXIE_ROOT=1)
  local name
  for name in $(compgen -e); do
    case "$name" in VESK_* | WINEDEBUG) env+=("$name=${!name}") && continue ;; esac
    case " ${VESK_ROOT_ENV:-} " in *" $name "*) env+=("$name=${!name}") ;; esac
  done
  # In the background, so that the traps above run as soon as a signal comes.
  chroot "$r" /usr/bin/env -i "${env[@]}" /bin/sh -c 'cd "$1" 2>/dev/null || cd /; shift; exec "$@"' \
    sh "$dir" "$@" &
  child=$!
  local rc=0
  wait "$child" || rc=$?
  child=
  exit "$rc"
}

# Sends TERM to the children of process $1.
forward_term() {
  # shellcheck disable=SC2046 # one PID a word
  kill -TERM $(cat /proc/"$1"/task/*/children 2>/dev/null) 2>/dev/null || true
}

# Runs a command inside root $1 in fresh mount and PID namespaces.
in_namespaces() {
  local r="$1"
  shift
  local dir="$PWD"
  case "$dir/" in "$repo"/*) ;; *) dir=/ ;; esac
  unshare --mount --pid --fork --kill-child -- "$repo/scripts/trixie-root.sh" __inside "$r" "$dir" "$@" &
  local pid=$! rc=0
  # unshare ignores TERM while it waits, and a background job ignores INT:
  # pass either as TERM to the namespace's first process, which ends the rest.
  trap 'forward_term "$pid"; rc=143' TERM HUP
  trap 'forward_term "$pid"; rc=130' INT
  while kill -0 "$pid" 2>/dev/null; do
    wait "$pid" && rc=0 || { local got=$?; [ "$rc" -ge 130 ] || rc=$got; }
  done
  trap - TERM HUP INT
  return "$rc"
}

# Installs the packages into root $1 with its own apt, logging to $2.
install_packages() {
  cp -L /etc/resolv.conf "$1/etc/resolv.conf"
  in_namespaces "$1" sh -c 'apt-get update -qq &&
      apt-get install -y -qq --no-install-recommends "$@" && apt-get clean &&
      rm -rf /var/lib/apt/lists/*' sh "${packages[@]}" >>"$2" 2>&1 ||
    die "installing the packages failed; the end of $2:$(echo; tail -n 20 "$2")"
}

prepare() {
  local marker="$root/.vesk-packages"
  local wanted="$suite ${packages[*]}"
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$wanted" ]; then return 0; fi
  mkdir -p "$base"
  exec 9>"$base/.lock"
  flock 9 # another run may be making it right now
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$wanted" ]; then return 0; fi

  command -v debootstrap >/dev/null || die "debootstrap is missing; run scripts/setup.sh"
  local uri
  uri="$(archive_uri)"
  [ -n "$uri" ] || die "no Debian archive with a main component in the apt sources"
  local staging="$base/root.new" log="$base/prepare.log" t0=$SECONDS
  : >"$log"
  if [ -f "$marker" ] && [ "$(cut -d' ' -f1 "$marker")" = "$suite" ]; then
    echo "trixie-root: the package list changed; installing ${packages[*]} into $root"
    install_packages "$root" "$log"
    echo "$wanted" >"$marker"
    return 0
  fi
  rm -rf "$staging"
  echo "trixie-root: debootstrap $suite (minbase) into $staging; log $log"
  # In its own namespaces too, so that its mounts and processes end with it.
  unshare --mount --pid --fork --kill-child --mount-proc \
    debootstrap --variant=minbase "$suite" "$staging" "$uri" >>"$log" 2>&1 ||
    die "debootstrap failed; the end of $log:$(echo; tail -n 20 "$log")"
  local t1=$SECONDS
  echo "trixie-root: debootstrap took $((t1 - t0)) s; installing ${packages[*]}"
  printf '#!/bin/sh\nexit 101\n' >"$staging/usr/sbin/policy-rc.d" # start no services
  chmod +x "$staging/usr/sbin/policy-rc.d"
  install_packages "$staging" "$log"
  echo "trixie-root: packages took $((SECONDS - t1)) s ($(chroot "$staging" dpkg-query -W | wc -l) packages, $(du -sm "$staging" | cut -f1) MB)"
  echo "$wanted" >"$staging/.vesk-packages"
  rm -rf "$root"
  mv "$staging" "$root"
}

case "${1:-}" in
  __inside)
    shift
    inside "$@"
    ;;
  prepare)
    prepare
    ;;
  run)
    shift
    [ "${1:-}" = -- ] && shift
    [ $# -gt 0 ] || die "usage: $0 run [--] CMD [ARG...]"
    prepare
    in_namespaces "$root" "$@"
    ;;
  *)
    die "usage: $0 prepare | run [--] CMD [ARG...]"
    ;;
esac
