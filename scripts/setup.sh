#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that building, packaging,
# running and testing vesk need and that the machine lacks. Safe to run again.
set -euo pipefail
# Inside the Debian 13 root, scripts/trixie-root.sh has installed what runs there.
[ -z "${VESK_IN_TRIXIE_ROOT:-}" ] || exit 0

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64
  xvfb xauth x11-utils xdotool imagemagick fonts-ipafont fonts-liberation
  xserver-xspice  # the two-monitor X server of the second-monitor e2e case
  liblnk-utils python3 zip
  debootstrap  # the Debian 13 root of scripts/trixie-root.sh, for the tests under Wine 10
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
