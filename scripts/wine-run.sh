#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix and returns its
# exit code. Used by CTest as the emulator of the cross build. Without an X
# display it runs on a private virtual one.
set -u
source "$(dirname "$0")/wine-env.sh"
vesk_wine_prepare
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@" </dev/null
fi
exec wine "$@" </dev/null
