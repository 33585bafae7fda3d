#!/usr/bin/env bash
# Runs every test of the project, installing what it lacks first:
#   1. native unit tests (portable logic against the fake platform),
#   2. the fuzzers for a fixed short budget,
#   3. the Windows unit tests under Wine (the Win32 platform on the real API),
#   4. the end-to-end tests: vesk.exe under Wine on a virtual display beside
#      the stand-in game window, under Debian 12's Wine 8 and then, with the
#      same vesk.exe and tools, under Debian 13's Wine 10 in the root of
#      scripts/trixie-root.sh.
# Ends with one line counting every test that ran.
#
# VESK_E2E_WINE=8 or VESK_E2E_WINE=10 runs the end-to-end tests under that
# Wine only; unset or "both" runs both.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh || exit 1

e2e_wine="${VESK_E2E_WINE:-both}"
case "$e2e_wine" in
  8 | 10 | both) ;;
  *) echo "VESK_E2E_WINE must be 8, 10 or both, not '$e2e_wine'"; exit 2 ;;
esac

logs="$root/build/test-logs"
mkdir -p "$logs"
passed=0
failed=0
status=0

# Runs one CTest preset and adds its counts to the totals. The Windows preset
# runs whole suites as single CTest entries (a GoogleTest binary under Wine,
# the e2e runner), so its counts come from the suites' own summaries.
run_ctest() {
  local preset="$1"
  shift
  echo "=== ctest --preset $preset"
  ctest --preset "$preset" "$@" >"$logs/$preset.log" 2>&1 </dev/null
  local rc=$?
  cat "$logs/$preset.log"
  local p=0 f=0 line
  if [ "$preset" = windows ]; then
    while read -r n; do p=$((p + n)); done < <(sed -nE 's/.*\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$logs/$preset.log")
    while read -r n; do f=$((f + n)); done < <(sed -nE 's/.*\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$logs/$preset.log")
    while read -r a b; do p=$((p + a)); f=$((f + b)); done < <(sed -nE 's/^[0-9]+: e2e under [^:]*: ([0-9]+) passed, ([0-9]+) failed.*/\1 \2/p' "$logs/$preset.log")
  else
    line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$preset.log" | tail -n 1)"
    if [ -n "$line" ]; then
      f="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
      p=$(( $(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line") - f ))
    fi
  fi
  # A suite that failed without printing a count still counts as a failure.
  if [ $rc -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  [ $rc -eq 0 ] || status=1
}

# The end-to-end suite under Debian 13's Wine, with the programs that the
# Windows preset built above. Its screenshots go to artifacts-wine10.
run_e2e_trixie() {
  local w="$root/build/windows" log="$logs/e2e-wine10.log"
  echo "=== e2e under Debian 13's Wine (scripts/trixie-root.sh)"
  timeout -k 30 1800 scripts/trixie-root.sh run -- python3 tests/e2e/run_e2e.py \
    --vesk "$w/vesk.exe" --standin "$w/tools/standin-game/standin-game.exe" \
    --driver "$w/tests/e2e/driver/vesk_e2e_driver.exe" --repo "$root" \
    --examples "$root/examples" --artifacts "$w/tests/e2e/artifacts-wine10" \
    >"$log" 2>&1 </dev/null
  local rc=$? p=0 f=0
  cat "$log"
  read -r p f < <(sed -nE 's/^e2e under [^:]*: ([0-9]+) passed, ([0-9]+) failed.*/\1 \2/p' "$log" | tail -n 1)
  p="${p:-0}" f="${f:-0}"
  if [ $rc -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  [ $rc -eq 0 ] || status=1
}

# Prints how long the step that began at $1 (seconds since the start) took.
took() { echo "=== $2 took $((SECONDS - $1)) s"; }

start=$(date +%s)
for preset in native windows; do
  echo "=== building $preset"
  if ! scripts/build.sh "$preset" >"$logs/build-$preset.log" 2>&1 </dev/null; then
    tail -n 60 "$logs/build-$preset.log"
    echo "build of $preset failed"
    failed=$((failed + 1))
    status=1
    continue
  fi
  t=$SECONDS
  if [ "$preset" = windows ]; then
    if [ "$e2e_wine" = 10 ]; then run_ctest windows -V -LE e2e; else run_ctest windows -V; fi
  else
    run_ctest "$preset"
  fi
  took $t "ctest --preset $preset"
  if [ "$preset" = windows ] && [ "$e2e_wine" != 8 ]; then
    t=$SECONDS
    run_e2e_trixie
    took $t "e2e under Debian 13's Wine, the root's set-up included"
  fi
done

if grep -q '"name": "fuzz"' CMakePresets.json; then
  echo "=== building fuzz"
  if cmake --preset fuzz >"$logs/build-fuzz.log" 2>&1 </dev/null &&
     cmake --build --preset fuzz -j "$(nproc)" >>"$logs/build-fuzz.log" 2>&1 </dev/null; then
    t=$SECONDS
    run_ctest fuzz
    took $t "ctest --preset fuzz"
  else
    tail -n 60 "$logs/build-fuzz.log"
    failed=$((failed + 1))
    status=1
  fi
fi

echo "whole test command: $(( $(date +%s) - start )) s"
echo "tests: $passed passed, $failed failed"
exit $status
