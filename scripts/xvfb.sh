# Sourced by scripts that need an X display where there is none: starts a
# private Xvfb on a free display number (Xvfb picks it itself with
# -displayfd) and exports DISPLAY; vesk_xvfb_stop ends it.
#   vesk_xvfb_start [WIDTHxHEIGHTxDEPTH]    default 1280x1024x24

vesk_xvfb_start() {
  local screen="${1:-1280x1024x24}"
  VESK_XVFB_DIR="$(mktemp -d)"
  : >"$VESK_XVFB_DIR/display"  # exists before the loop below reads it
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp \
    3>"$VESK_XVFB_DIR/display" >"$VESK_XVFB_DIR/xvfb.log" 2>&1 </dev/null &
  VESK_XVFB_PID=$!
  # Xvfb writes the display number, then a newline, once it accepts clients.
  local deadline=$((SECONDS + 20))
  until [ "$(wc -l <"$VESK_XVFB_DIR/display")" -ge 1 ]; do
    if ! kill -0 "$VESK_XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "xvfb: Xvfb did not start; its log:" >&2
      cat "$VESK_XVFB_DIR/xvfb.log" >&2
      return 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$VESK_XVFB_DIR/display")"
}

vesk_xvfb_stop() {
  if [ -n "${VESK_XVFB_PID:-}" ]; then
    kill "$VESK_XVFB_PID" 2>/dev/null || true
    wait "$VESK_XVFB_PID" 2>/dev/null || true
    VESK_XVFB_PID=
  fi
  [ -n "${VESK_XVFB_DIR:-}" ] && rm -rf "$VESK_XVFB_DIR"
  VESK_XVFB_DIR=
}
