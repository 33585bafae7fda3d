#!/usr/bin/env bash
# Runs every test of the project, installing what it lacks first:
#   1. native unit tests (portable logic against the fake platform),
#   2. the fuzzers for a fixed short budget,
#   3. the Windows unit tests under Wine (the Win32 platform on the real API),
#   4. the end-to-end tests: vesk.exe under Wine on a virtual display beside
#      the stand-in game window.
# 3 and 4 run under Debian 12's Wine 8 and then, with the same programs,
# under Debian 13's Wine 10 in the root of scripts/trixie-root.sh.
# Ends with one line counting every test that ran.
#
# VESK_TEST_WINE=8 or VESK_TEST_WINE=10 runs 3 and 4 under that Wine only;
# unset or "both" runs both.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh || exit 1

test_wine="${VESK_TEST_WINE:-both}"
case "$test_wine" in
  8 | 10 | both) ;;
  *) echo "VESK_TEST_WINE must be 8, 10 or both, not '$test_wine'"; exit 2 ;;
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

# Adds the counts of the lines that sed expression $2 turns into "PASSED
# FAILED" in log $1 to the totals; a run that ended with code $3 but counted
# no failure counts as one.
add_counts() {
  local p=0 f=0 a b
  while read -r a b; do p=$((p + a)); f=$((f + b)); done < <(sed -nE "$2" "$1")
  if [ "$3" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  passed=$((passed + p))
  failed=$((failed + f))
  [ "$3" -eq 0 ] || status=1
}

# The Windows unit tests and the end-to-end suite under Debian 13's Wine,
# with the programs that the Windows preset built above. The unit tests get
# a prefix of their own (Wine 10 upgrades a prefix, which Wine 8 then
# refuses); the e2e screenshots go to artifacts-wine10.
run_under_wine10() {
  local w="$root/build/windows" log="$logs/unit-wine10.log" rc t=$SECONDS
  echo "=== Windows unit tests under Debian 13's Wine (scripts/trixie-root.sh)"
  VESK_WINEPREFIX="$root/build/wineprefix-wine10" timeout -k 30 600 \
    scripts/trixie-root.sh run -- scripts/wine-run.sh "$w/tests/vesk_unit_tests.exe" \
    --gtest_brief=1 >"$log" 2>&1 </dev/null
  rc=$?
  cat "$log"
  add_counts "$log" 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1 0/p; s/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/0 \1/p' $rc
  took $t "the root's set-up and the Windows unit tests under Debian 13's Wine"

  log="$logs/e2e-wine10.log" t=$SECONDS
  echo "=== e2e under Debian 13's Wine (scripts/trixie-root.sh)"
  timeout -k 30 1800 scripts/trixie-root.sh run -- python3 tests/e2e/run_e2e.py \
    --vesk "$w/vesk.exe" --standin "$w/tools/standin-game/standin-game.exe" \
    --driver "$w/tests/e2e/driver/vesk_e2e_driver.exe" --repo "$root" \
    --examples "$root/examples" --artifacts "$w/tests/e2e/artifacts-wine10" \
    >"$log" 2>&1 </dev/null
  rc=$?
  cat "$log"
  add_counts "$log" 's/^e2e under [^:]*: ([0-9]+) passed, ([0-9]+) failed.*/\1 \2/p' $rc
  took $t "e2e under Debian 13's Wine"
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
  if [ "$preset" != windows ]; then
    run_ctest "$preset"
    took $t "ctest --preset $preset"
    continue
  fi
  if [ "$test_wine" != 10 ]; then
    run_ctest windows -V
    took $t "ctest --preset windows (under Debian 12's Wine)"
  fi
  [ "$test_wine" = 8 ] || run_under_wine10
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
