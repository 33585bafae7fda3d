#!/usr/bin/env bash
# Idle cost of vesk.exe under Wine, measured against a bare Win32 window with
# the same 100 ms timer: CPU time over a fixed window of seconds and resident
# memory at its end, for both processes side by side on one virtual display
# beside the stand-in game, and what the X server spends beyond what it spent
# before vesk started. Prints the figures and the ratios, once with the
# stopwatch stopped and once running; asserts nothing (a benchmark, not a
# test).
#
# Usage: bench/idle_under_wine.sh [--wine8|--wine10|--both] [--vesk EXE] [--dpi N] [SECONDS]
#   --wine8   the host's Wine (the default)
#   --wine10  Debian 13's Wine, inside the root of scripts/trixie-root.sh
#   --both    one after the other
#   --vesk    measure this vesk.exe instead of the one built here (an older
#             build, to compare)
#   --dpi     the display's DPI (LogPixels; 96 is 100 %, 144 is 150 %): a Wine
#             that scales windows (9 and later) stretches the stand-in and the
#             bare window, and vesk draws its strips at that scale
#   SECONDS   length of each measured window (default 30)
# Repeat a run to see the spread: the figures move with the machine's load.
set -euo pipefail
cd "$(dirname "$0")/.."

wines=wine8
vesk_exe=""
seconds=30
dpi=96
built=no  # set by the outer run for the run inside the Debian 13 root
while [ $# -gt 0 ]; do
  case "$1" in
    --wine8 | --wine10 | --both) wines="${1#--}" ;;
    --vesk) vesk_exe="$(realpath "$2")" && shift ;;
    --dpi) dpi="$2" && shift ;;
    --built) built=yes ;;
    *) seconds="$1" ;;
  esac
  shift
done

build="$PWD/build/windows"
if [ "$built" = no ]; then
  scripts/setup.sh
  scripts/build.sh windows >/dev/null
fi
: "${vesk_exe:=$build/vesk.exe}"

if [ "$wines" = both ] || [ "$wines" = wine10 ]; then
  [ "$wines" = both ] && bench/idle_under_wine.sh --wine8 --built --vesk "$vesk_exe" \
    --dpi "$dpi" "$seconds"
  [ -x scripts/trixie-root.sh ] || { echo "idle: scripts/trixie-root.sh is missing" >&2; exit 1; }
  scripts/trixie-root.sh prepare
  # The executable is copied into the repository's build folder, the one
  # folder outside the root that the root sees.
  inside="$build/bench-vesk.exe"
  cp "$vesk_exe" "$inside"
  exec scripts/trixie-root.sh run -- bench/idle_under_wine.sh --wine8 --built --vesk "$inside" \
    --dpi "$dpi" "$seconds"
fi

work="$(mktemp -d)"
cp "$vesk_exe" "$work/vesk.exe"
cp examples/caravan_*.txt "$work/"
source scripts/xvfb.sh
vesk_xvfb_start
export VESK_WINEPREFIX="$work/prefix"
source scripts/wine-env.sh
vesk_wine_prepare
if [ "$dpi" != 96 ]; then
  # Read by each Wine process at its start, the monitors' by the first of a
  # wineserver's session: a new session at that DPI.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >>"$vesk_wine_log" 2>&1 </dev/null
  wineserver -k >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wineboot >>"$vesk_wine_log" 2>&1 </dev/null
fi

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k >/dev/null 2>&1 </dev/null || true
  vesk_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

# CPU time of a process in nanoseconds: the sum over its threads (Wine runs
# several) of the scheduler's run time, much finer than the clock ticks.
ticks() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%.0f", ns}'; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
hz=1000000000
x_pid=$VESK_XVFB_PID
# Replaces the calling subshell, so that $! is the Windows program's own
# process.
run_exe() {
  if setarch -R true 2>/dev/null; then exec setarch -R wine "$@"; else exec wine "$@"; fi
}

echo "$(wine --version 2>/dev/null </dev/null), vesk.exe $(sha1sum "$work/vesk.exe" | cut -c1-12)," \
  "windows of $seconds s, $dpi DPI"

(run_exe "$build/tools/standin-game/standin-game.exe" >"$work/game.log" 2>&1 </dev/null) &
pids+=($!)
(run_exe "$build/bench/idle/bare-window.exe" >"$work/bare.log" 2>&1 </dev/null) &
bare_pid=$!
pids+=($bare_pid)
sleep 5

# What the X server spends with the game and the bare window alone: its
# share of a later window beyond this rate is vesk's.
x0=$(ticks $x_pid) b0=$(ticks $bare_pid)
sleep "$seconds"
x_alone=$(($(ticks $x_pid) - x0))
bare_alone=$(($(ticks $bare_pid) - b0))

(cd "$work" && run_exe ./vesk.exe >"$work/vesk.log" 2>&1 </dev/null) &
vesk_pid=$!
pids+=($vesk_pid)
sleep 5 # let it finish starting before the measured windows

report() {
  local name=$1 t=$2 pid=$3
  awk -v n="$name" -v t="$t" -v hz="$hz" -v s="$seconds" -v rss="$(rss_kib "$pid")" \
    'BEGIN { printf "  %-12s cpu %7.3f s in %d s (%5.2f %%)   rss %7.1f MiB\n", n, t / hz, s, 100 * t / hz / s, rss / 1024 }'
}

# One measured window: both processes side by side, the X server beside
# them, then the ratios.
measure() {
  local v0 b0 x0 v b x
  v0=$(ticks $vesk_pid) b0=$(ticks $bare_pid) x0=$(ticks $x_pid)
  sleep "$seconds"
  v=$(($(ticks $vesk_pid) - v0)) b=$(($(ticks $bare_pid) - b0)) x=$(($(ticks $x_pid) - x0))
  echo "$1:"
  report vesk.exe "$v" "$vesk_pid"
  report bare-window "$b" "$bare_pid"
  awk -v x="$x" -v xa="$x_alone" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "  X server     cpu %7.3f s in %d s, %.3f s more than before vesk started\n", x / hz, s, (x - xa) / hz }'
  awk -v v="$v" -v b="$b" -v x=$((x - x_alone)) -v vr="$(rss_kib $vesk_pid)" -v br="$(rss_kib $bare_pid)" \
    'BEGIN {
      if (b <= 0) { print "  ratio vesk/bare: n/a (bare used no measurable cpu)"; exit }
      printf "  ratio vesk/bare: cpu %.2f, X server extra %.2f, memory %.2f\n", v / b, x / b, vr / br }'
}

awk -v x="$x_alone" -v b="$bare_alone" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "before vesk: X server cpu %.3f s, bare-window cpu %.3f s in %d s\n", x / hz, b / hz, s }'
measure "placed on the stand-in, stopwatch stopped"
# The stopwatch hotkey (Windows key + Up), as real keyboard input.
vesk_wine "$build/tests/e2e/driver/vesk_e2e_driver.exe" keys win+up >"$work/driver.log" 2>&1 </dev/null
sleep 1
measure "stopwatch running (its line redrawn every tick)"
