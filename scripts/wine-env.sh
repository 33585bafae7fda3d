# Sourced by the scripts that run Windows programs: a quiet Wine prefix of the
# project's own (no Mono or Gecko prompts, no menu entries, no USB bus
# service), created on first use, with the Japanese font substitutes that the
# panel's fonts need, and a persistent wineserver so that starts are fast.
#
# Never pipe the output of wine or wineboot: the services inherit the pipe and
# the command never returns. Redirect to files and </dev/null instead.

: "${VESK_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${VESK_WINEPREFIX:-$VESK_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml,winebus.sys,wineusb.sys,winemenubuilder.exe="
export WINEARCH=win64

vesk_wine_log="${WINEPREFIX%/}.log"

vesk_wine_prepare() {
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null || true  # already running
  if [ ! -f "$WINEPREFIX/.vesk-ready" ]; then
    wineboot -i >>"$vesk_wine_log" 2>&1 </dev/null
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    wine reg add "$key" /v 'MS UI Gothic' /t REG_SZ /d IPAGothic /f >>"$vesk_wine_log" 2>&1 </dev/null
    wine reg add "$key" /v 'ＭＳ Ｐゴシック' /t REG_SZ /d IPAPGothic /f >>"$vesk_wine_log" 2>&1 </dev/null
    wine reg add "$key" /v 'ＭＳ ゴシック' /t REG_SZ /d IPAGothic /f >>"$vesk_wine_log" 2>&1 </dev/null
    touch "$WINEPREFIX/.vesk-ready"
  fi
  return 0
}
