#!/usr/bin/env bash
# Builds both configurations: native (core, fake platform, unit tests,
# benchmarks) and Windows (vesk.exe, stand-in game, Windows unit tests).
# Usage: scripts/build.sh [native|windows|all]
set -euo pipefail
cd "$(dirname "$0")/.."
what="${1:-all}"
jobs="$(nproc)"
if [ "$what" = native ] || [ "$what" = all ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs"
fi
if [ "$what" = windows ] || [ "$what" = all ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j "$jobs"
fi
