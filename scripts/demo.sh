#!/usr/bin/env bash
# Shows vesk at work: installs what is missing, cross-builds vesk.exe, puts
# it with the example data files into a fresh folder (build/demo) and starts
# it under Wine beside the stand-in game window (client area 1024 x 768,
# painted green 0x00B000).
#
# With a display (DISPLAY set) both stay up until you end vesk (the
# modifier + 0; Windows key + 0 by default); the stand-in is closed after it. Without one they run on a virtual display for a few
# seconds, a screenshot is saved and its path printed, and both are stopped.
#
# Usage: scripts/demo.sh [ARGUMENT_TEXT]   e.g. scripts/demo.sh 1,0,1,12,1,1
# Environment: VESK_DEMO_SECONDS (virtual display run time, default 4).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
arguments="${1:-}"

scripts/setup.sh
scripts/build.sh windows

build="$root/build/windows"
demo="$root/build/demo"
standin_exe="$build/tools/standin-game/standin-game.exe"
driver_exe="$build/tests/e2e/driver/vesk_e2e_driver.exe"
rm -rf "$demo"
mkdir -p "$demo"
cp "$build/vesk.exe" examples/caravan_tama.txt examples/caravan_que.txt \
  examples/caravan_fushi.txt "$demo/"
# A deadline five hours ahead, so that the gem box shows its colour for that
# (dark orange) rather than the grey of a distant or passed one.
printf '%s\r\n' "$(date -d '+5 hours' '+%Y/%m/%d %H:%M')" >"$demo/caravan_tama.txt"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  source scripts/xvfb.sh
  vesk_xvfb_start
fi
source scripts/wine-env.sh
# Its first step fails harmlessly when the prefix's wineserver already runs.
vesk_wine_prepare || true
# Only the virtual display lacks a window manager; a desktop's manages the
# editor as usual.
vesk_wine_unmanaged "$headless"

game_pid=
vesk_pid=
cleanup() {
  # Whatever happened, end what this script started.
  for pid in $vesk_pid $game_pid; do kill "$pid" 2>/dev/null || true; done
  for pid in $vesk_pid $game_pid; do wait "$pid" 2>/dev/null || true; done
  if [ "$headless" = 1 ]; then vesk_xvfb_stop; fi
}
trap cleanup EXIT

# Top-level windows of one class, as handles, from the test driver's list.
windows_of_class() {
  vesk_wine "$driver_exe" windows >"$demo/windows.json" 2>>"$demo/driver.log" </dev/null || return 0
  python3 - "$1" "$demo/windows.json" <<'PY'
import json, sys
for line in open(sys.argv[2], encoding="utf-8"):
    w = json.loads(line)
    if w["class"] == sys.argv[1] and w["visible"]:
        print(w["hwnd"])
PY
}

wait_for_window() {
  local deadline=$((SECONDS + 30)) hwnd
  while [ "$SECONDS" -lt "$deadline" ]; do
    hwnd="$(windows_of_class "$1" | head -n 1)"
    if [ -n "$hwnd" ]; then echo "$hwnd"; return 0; fi
    sleep 0.1
  done
  echo "demo: no window of class '$1' appeared; see the logs in $demo" >&2
  return 1
}

wine "$standin_exe" --x 100 --y 50 --width 1024 --height 768 --title "Stand-in game" \
  >"$demo/standin-game.log" 2>&1 </dev/null &
game_pid=$!
game_hwnd="$(wait_for_window " M H F ")"

# From the program's own folder, as a user would start it.
(cd "$demo" && exec wine ./vesk.exe ${arguments:+"$arguments"} >"$demo/vesk.log" 2>&1 </dev/null) &
vesk_pid=$!

if [ "$headless" = 0 ]; then
  echo "demo: vesk runs beside the stand-in game; end it with the modifier + 0" \
    "(Windows key + 0 unless the argument text says otherwise)."
  wait "$vesk_pid" || true
  vesk_pid=
  vesk_wine "$driver_exe" close "$game_hwnd" >>"$demo/driver.log" 2>&1 </dev/null || true
  wait "$game_pid" || true
  game_pid=
  exit 0
fi

vesk_hwnd="$(wait_for_window "vesk.frmVESK")"
# A demo, not a test: let it run for a moment, as a person would watch it.
sleep "${VESK_DEMO_SECONDS:-4}"
screenshot="$demo/screenshot.png"
import -window root "$screenshot"
echo "demo: screenshot saved to $screenshot"
vesk_wine "$driver_exe" close "$vesk_hwnd" >>"$demo/driver.log" 2>&1 </dev/null || true
vesk_wine "$driver_exe" close "$game_hwnd" >>"$demo/driver.log" 2>&1 </dev/null || true
deadline=$((SECONDS + 15))
while { kill -0 "$vesk_pid" || kill -0 "$game_pid"; } 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.1
done
