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
  # The marker names the version of the substitutes below, so that an older
  # prefix gets them too.
  if [ ! -f "$WINEPREFIX/.vesk-ready-2" ]; then
    wineboot -i >>"$vesk_wine_log" 2>&1 </dev/null
    # Stand-ins with the same kind of metrics: proportional IPA faces for the
    # proportional Japanese ones, Liberation Sans (metric-compatible) for
    # Arial, so that texts fill their boxes as they do on Windows.
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    local pair
    for pair in 'MS UI Gothic=IPAPGothic' 'ＭＳ Ｐゴシック=IPAPGothic' 'ＭＳ ゴシック=IPAGothic' \
      'Arial=Liberation Sans'; do
      wine reg add "$key" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f \
        >>"$vesk_wine_log" 2>&1 </dev/null
    done
    touch "$WINEPREFIX/.vesk-ready-2"
  fi
  return 0
}
