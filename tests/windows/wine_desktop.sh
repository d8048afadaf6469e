# Sourced by the Wine checks: a private Wine prefix and a private X desktop.
#   wine_use_prefix DIR   quiet Wine in DIR, made with `wineboot -i` on first use
#   desktop_start         Xvfb on a free display (and openbox for focus and the
#                         close key); sets DISPLAY
#   desktop_stop          ends what desktop_start started and the prefix's wineserver
#   screenshot FILE       the screen as it is, as an xwd image
# Every wait polls with a bound; nothing sleeps for a fixed long time. On a
# slow (emulated) machine WINE_WAIT_SCALE=N makes every bound N times longer.
# With WINE_SHARED_DESKTOP=1 (and DISPLAY set) desktop_start takes the desktop
# already there and desktop_stop leaves it and the wineserver running: the
# emulated PC starts them once, with Wine's desktop process, for all its checks.

wine_use_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # No prompts to fetch Mono or Gecko: the game needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.snowvel-ready" ]; then
    mkdir -p "$WINEPREFIX"
    echo "wine: preparing the prefix $WINEPREFIX (once)"
    if ! timeout $((240 * ${WINE_WAIT_SCALE:-1})) wine wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1; then
      echo "FAIL: wineboot -i did not finish; see $WINEPREFIX/../wineboot.log"
      return 1
    fi
    timeout 60 wineserver -w || true
    touch "$WINEPREFIX/.snowvel-ready"
  fi
}

# Polls COMMAND every 0.2 s until it succeeds or SECONDS (scaled) pass;
# the clock, not a count of tries, since a try itself takes long when slow.
wait_until() {
  local deadline=$((SECONDS + $1 * ${WINE_WAIT_SCALE:-1}))
  shift
  while :; do
    if "$@"; then return 0; fi
    if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
    sleep 0.2
  done
}

desktop_start() {
  if [ "${WINE_SHARED_DESKTOP:-}" = 1 ]; then
    echo "desktop: the shared one on $DISPLAY"
    return 0
  fi
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  # The screen's memory as a file, for screenshot; no pointer drawn in it.
  SCREEN_DIR="$(mktemp -d)"
  export SCREEN_FILE="$SCREEN_DIR/Xvfb_screen0"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -fbdir "$SCREEN_DIR" -nocursor -nolisten tcp \
    3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number=""
  read -r -t $((20 * ${WINE_WAIT_SCALE:-1})) number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "FAIL: Xvfb did not start"
    return 1
  fi
  export DISPLAY=":$number"
  openbox >/dev/null 2>&1 &
  OPENBOX_PID=$!
  # openbox has taken the screen once it announces its desktops.
  if ! wait_until 10 sh -c 'xdotool get_num_desktops >/dev/null 2>&1'; then
    echo "FAIL: openbox did not start on $DISPLAY"
    return 1
  fi
  echo "desktop: Xvfb on $DISPLAY"
}

desktop_stop() {
  if [ "${WINE_SHARED_DESKTOP:-}" = 1 ]; then return 0; fi
  if [ -n "${WINEPREFIX:-}" ]; then timeout 20 wineserver -k 2>/dev/null || true; fi
  if [ -n "${OPENBOX_PID:-}" ]; then kill "$OPENBOX_PID" 2>/dev/null || true; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
  OPENBOX_PID=""
  XVFB_PID=""
  if [ -n "${SCREEN_DIR:-}" ]; then rm -rf "$SCREEN_DIR"; fi
  SCREEN_DIR=""
}

# The screen's memory itself, not `xwd -root`: asking the server for the root
# window's picture gave black where Wine's message box lay wholly over the
# game's window, though the screen (and the box's own window) held the box.
screenshot() {
  cp "${SCREEN_FILE:?no screen file: the desktop was not started by desktop_start}" "$1"
}
