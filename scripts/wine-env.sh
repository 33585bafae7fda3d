# Sourced by the scripts that run Windows programs: a quiet Wine prefix of the
# project's own (no Mono or Gecko prompts, no menu entries, no USB bus
# service), created on first use, with the Japanese font substitutes that the
# panel's fonts need, vesk's windows unmanaged (the test displays have no
# window manager), and a persistent wineserver so that starts are fast.
#
# Never pipe the output of wine or wineboot: the services inherit the pipe and
# the command never returns. Redirect to files and </dev/null instead.

: "${VESK_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${VESK_WINEPREFIX:-$VESK_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml,winebus.sys,wineusb.sys,winemenubuilder.exe="
export WINEARCH=win64

vesk_wine_log="${WINEPREFIX%/}.log"

# Runs a Windows program with the address-space randomisation of its
# personality off where setarch can do that. Debian's Wine has no preloader:
# a randomly placed program break can cover the address that Wine's loader
# needs for the shared user data, and the start fails with c0000018.
vesk_wine() {
  if setarch -R true 2>/dev/null; then
    setarch -R wine "$@"
  else
    wine "$@"
  fi
}

# vesk_wine_unmanaged 1|0: vesk.exe's windows unmanaged (for a display
# without a window manager) or managed again (for a desktop that has one).
vesk_wine_unmanaged() {
  local key='HKCU\Software\Wine\AppDefaults\vesk.exe\X11 Driver'
  if [ "$1" = 1 ]; then
    wine reg add "$key" /v Managed /t REG_SZ /d N /f >>"$vesk_wine_log" 2>&1 </dev/null
  else
    wine reg delete "$key" /v Managed /f >>"$vesk_wine_log" 2>&1 </dev/null || true
  fi
}

vesk_wine_prepare() {
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null || true  # already running
  # The marker names the version of the substitutes below, so that an older
  # prefix gets them too.
  if [ ! -f "$WINEPREFIX/.vesk-ready-5" ]; then
    wineboot -i >>"$vesk_wine_log" 2>&1 </dev/null
    # Stand-ins close to the Windows faces' widths, so that texts fill their
    # boxes about as they do on Windows: IPAGothic, whose half-width digits
    # are 6 pixels at 9 points as in MS UI Gothic (the proportional IPA face
    # has 8 and cuts "150" on the health scale), and Liberation Sans, metric-
    # compatible with Arial.
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    local pair
    for pair in 'MS UI Gothic=IPAGothic' 'ＭＳ Ｐゴシック=IPAPGothic' 'ＭＳ ゴシック=IPAGothic' \
      'Arial=Liberation Sans'; do
      wine reg add "$key" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f \
        >>"$vesk_wine_log" 2>&1 </dev/null
    done
    # The virtual displays of the tests and the demo have no window manager.
    # Wine 8 waits up to 2 s for one to withdraw each managed window that
    # closes (wait_for_withdrawn_state); unmanaged windows skip that wait.
    # Only vesk.exe's: with the stand-in game's windows unmanaged too, Wine 8
    # showed the game above vesk's topmost strips once it had the keyboard
    # back, which no player's desktop does.
    vesk_wine_unmanaged 1
    # The Windows unit tests' windows too: they show and close dozens.
    wine reg add 'HKCU\Software\Wine\AppDefaults\vesk_unit_tests.exe\X11 Driver' /v Managed \
      /t REG_SZ /d N /f >>"$vesk_wine_log" 2>&1 </dev/null
    touch "$WINEPREFIX/.vesk-ready-5"
  fi
  return 0
}
