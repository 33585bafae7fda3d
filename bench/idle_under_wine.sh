#!/usr/bin/env bash
# Idle cost of vesk.exe under Wine, measured against a bare Win32 window with
# the same 100 ms timer: CPU time over a fixed window of seconds and resident
# memory at its end, for both processes side by side on one virtual display
# beside the stand-in game. Prints the figures and the ratios; asserts
# nothing (a benchmark, not a test).
# Usage: bench/idle_under_wine.sh [SECONDS]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
scripts/setup.sh
scripts/build.sh windows >/dev/null

build="$PWD/build/windows"
work="$(mktemp -d)"
cp "$build/vesk.exe" examples/caravan_*.txt "$work/"
source scripts/xvfb.sh
vesk_xvfb_start
export VESK_WINEPREFIX="$work/prefix"
source scripts/wine-env.sh
vesk_wine_prepare

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k >/dev/null 2>&1 </dev/null || true
  vesk_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

wine "$build/tools/standin-game/standin-game.exe" >"$work/game.log" 2>&1 </dev/null &
pids+=($!)
(cd "$work" && exec wine ./vesk.exe >"$work/vesk.log" 2>&1 </dev/null) &
vesk_pid=$!
pids+=($vesk_pid)
wine "$build/bench/idle/bare-window.exe" >"$work/bare.log" 2>&1 </dev/null &
bare_pid=$!
pids+=($bare_pid)

# CPU time of a process in nanoseconds: the sum over its threads (Wine runs
# several) of the scheduler's run time, much finer than the clock ticks.
ticks() { cat /proc/"$1"/task/*/schedstat | awk '{ns += $1} END {printf "%d", ns}'; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

sleep 5  # let both finish starting before the measured windows
hz=1000000000

report() {
  local name=$1 t0=$2 t1=$3 pid=$4
  awk -v n="$name" -v t=$((t1 - t0)) -v hz="$hz" -v s="$seconds" -v rss="$(rss_kib "$pid")" \
    'BEGIN { printf "  %-12s cpu %7.3f s in %d s (%5.2f %%)   rss %7.1f MiB\n", n, t / hz, s, 100 * t / hz / s, rss / 1024 }'
}

# One measured window: both processes side by side, then the ratios.
measure() {
  local v0 b0 v1 b1
  v0=$(ticks $vesk_pid) b0=$(ticks $bare_pid)
  sleep "$seconds"
  v1=$(ticks $vesk_pid) b1=$(ticks $bare_pid)
  echo "$1:"
  report vesk.exe "$v0" "$v1" "$vesk_pid"
  report bare-window "$b0" "$b1" "$bare_pid"
  awk -v v=$((v1 - v0)) -v b=$((b1 - b0)) -v vr="$(rss_kib $vesk_pid)" -v br="$(rss_kib $bare_pid)" \
    'BEGIN { printf "  ratio vesk/bare: cpu %s, memory %.2f\n", (b > 0 ? sprintf("%.2f", v / b) : "n/a (bare used no measurable cpu)"), vr / br }'
}

measure "placed on the stand-in, stopwatch stopped"
# The stopwatch hotkey (Windows key + Up), as real keyboard input.
wine "$build/tests/e2e/driver/vesk_e2e_driver.exe" keys win+up >"$work/driver.log" 2>&1 </dev/null
sleep 1
measure "stopwatch running (its line repainted every tick)"
