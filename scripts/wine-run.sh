#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix and returns its
# exit code. CTest uses it as the emulator of the cross build.
#
# The program's output goes through a file, never a pipe: Wine's service
# processes would inherit a pipe and keep whoever reads it waiting forever.
# Without an X display the program runs on a private virtual one, and the
# Wine processes tied to that display are ended with it.
#
# The program runs in Japan's time zone (no daylight saving, nine hours
# ahead of UTC), or in VESK_TEST_TZ: in UTC a local-time offset taken the
# wrong way round would go unseen.
set -u
source "$(dirname "$0")/wine-env.sh"
export TZ="${VESK_TEST_TZ:-JST-9}"

out="$(mktemp)"
trap 'rm -f "$out"' EXIT

if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'source "$1"; shift; vesk_wine_prepare; vesk_wine "$@"; rc=$?; wineserver -k; exit $rc' \
    bash "$(dirname "$0")/wine-env.sh" "$@" >"$out" 2>&1 </dev/null
  rc=$?
else
  vesk_wine_prepare
  vesk_wine "$@" >"$out" 2>&1 </dev/null
  rc=$?
fi
cat "$out"
exit $rc
