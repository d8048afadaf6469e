#!/usr/bin/env bash
# Plays snowvel.exe under Wine on a private X desktop, as a person would,
# and checks what a person would see:
#   1. a window titled "Snowvel" opens and shows the skier at the anchor;
#   2. F3 pauses: the title becomes "Snowvel Paused ... Press F3 to continue";
#   3. a slalom run to the finish shows the "High Scores" box, drawn, and
#      records a time in "tolvane.ini", the one the box shows and above
#      zero: the 64-bit exe keeps it in %LOCALAPPDATA%\Snowvel\ and is
#      played with the Windows directory unwritable (as for an ordinary user
#      on Windows); the 32-bit exe (--windows-dir) keeps it in the
#      Windows directory;
#   4. closing the window ends the program with exit code 0.
# The run uses the game's own keys: "X" and "y" nudge the figure two units
# left or down, F3 pauses and resumes, Down heads downhill. Nudging while
# paused carries the figure most of the way, and short stretches of real
# ticks make it cross the start line and, later, the finish line.
#
# The first picture is kept in WORK_DIR as start.xwd and start.png, with
# the client area on the screen ("X Y WIDTH HEIGHT") in client_area; the
# high-score box as finish.png. WINE_WAIT_SCALE (default 1) stretches every wait, for a slow
# (emulated) machine.
#
# Usage: check_game_under_wine.sh [--windows-dir] SNOWVEL.EXE RESOURCES_DIR WORK_DIR
set -uo pipefail
ini_in_windows_dir=0
if [ "${1:-}" = "--windows-dir" ]; then
  ini_in_windows_dir=1
  shift
fi
exe="$(realpath "$1")"
resources="$(realpath "$2")"
work="$3"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
. "$here/wine_desktop.sh"

mkdir -p "$work"
work="$(realpath "$work")"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  desktop_stop
  if [ "$failures" -eq 0 ]; then
    echo "game under Wine: all checks passed"
    exit 0
  fi
  echo "game under Wine: $failures checks failed (screenshots and logs in $work)"
  exit 1
}
trap desktop_stop EXIT

wine_use_prefix "$work/wineprefix" || exit 1
desktop_start || exit 1
windows_dir="$WINEPREFIX/drive_c/windows"
if [ "$ini_in_windows_dir" -eq 1 ]; then
  rm -f "$windows_dir/tolvane.ini"
  ini_path() { ls "$windows_dir/tolvane.ini" 2>/dev/null; }
  ini_place="the Windows directory"
else
  # The Windows directory made unwritable: read-only, and, since root ignores
  # that, a folder in the way of the file. Put back on exit, for the other checks.
  unlock_windows_dir() {
    chmod u+w "$windows_dir"
    rmdir "$windows_dir/tolvane.ini" 2>/dev/null || true
  }
  trap 'unlock_windows_dir; desktop_stop' EXIT
  rm -f "$windows_dir/tolvane.ini"
  mkdir "$windows_dir/tolvane.ini"
  chmod a-w "$windows_dir"
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/Snowvel
  ini_path() { ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/Snowvel/tolvane.ini 2>/dev/null | head -1; }
  ini_place="AppData/Local/Snowvel"
fi

paused_title="Snowvel Paused ... Press F3 to continue"
main_window=""
find_main_window() { main_window="$(xdotool search --name '^Snowvel$' 2>/dev/null | head -1)"; [ -n "$main_window" ]; }
title_is() { [ "$(xdotool getwindowname "$main_window" 2>/dev/null)" = "$1" ]; }
box_window=""
box_shown() { box_window="$(xdotool search --onlyvisible --name '^High Scores$' 2>/dev/null | head -1)"; [ -n "$box_window" ]; }
keys() { xdotool key --clearmodifiers --delay 2 "$@"; }

# Wine's message-box trace puts the text of every box the game shows in its log.
(cd "$work" && WINEDEBUG="${WINEDEBUG:+$WINEDEBUG,}trace+msgbox" exec wine "$exe" >"$work/game.log" 2>&1) &
game_pid=$!

# --- 1. The window and the skier at the anchor ---------------------------------
if ! wait_until 60 find_main_window; then
  fail "no window titled \"Snowvel\" within 60 s"
  kill "$game_pid" 2>/dev/null
  finish
fi
echo "ok: window \"Snowvel\" is up"
xdotool windowactivate --sync "$main_window" >/dev/null 2>&1 || xdotool windowfocus "$main_window"
# The client area of a window (the game's by default) on the screen. (xwininfo, since xdotool counts the frame's
# offset twice under a window manager.)
client_area() {
  xwininfo -id "${1:-$main_window}" | awk -F: '
    /Absolute upper-left X/ { x = $2 } /Absolute upper-left Y/ { y = $2 }
    /Width/ { w = $2 } /Height/ { h = $2 } END { print x + 0, y + 0, w + 0, h + 0 }'
}
# Measured at each look: on a slow machine the window manager may place the
# window after it first shows (seen at 0,0 in the emulated PC).
measure_client_area() {
  read -r X Y WIDTH HEIGHT <<<"$(client_area)"
  echo "$X $Y $WIDTH $HEIGHT" >"$work/client_area"
}
measure_client_area
skier_seen() {
  measure_client_area &&
    screenshot "$work/start.xwd" &&
    python3 "$here/../pylib/find_sprite.py" "$resources/bitmaps/04.bmp" "$work/start.xwd" \
      --area "$X" "$Y" "$WIDTH" "$HEIGHT" --save "$work/start.png" >"$work/find_sprite.log"
}
# Freeze the world first so nothing passes over the figure while we look.
# The game takes keys only once Wine has made its window active, which can
# lag behind the window manager's focus, so F3 is sent again until it lands.
pause_game() {
  for attempt in 1 2 3 4 5; do
    xdotool windowactivate --sync "$main_window" >/dev/null 2>&1
    keys F3
    if wait_until 3 title_is "$paused_title"; then return 0; fi
  done
  return 1
}
if pause_game; then
  echo "ok: F3 pauses, title \"$paused_title\""
else
  fail "after F3 the title is \"$(xdotool getwindowname "$main_window")\""
fi
if wait_until 10 skier_seen; then
  echo "ok: the skier stands at the anchor ($(cat "$work/find_sprite.log"))"
else
  fail "the skier is not at the anchor: $(cat "$work/find_sprite.log"); see $work/start.png"
fi

# --- 3. A slalom run to the finish -------------------------------------------
# Across to x = -400 (inside the slalom's start window) and down to y = 636,
# so that the first few real ticks, however slow the machine, cross the
# start line at y = 640.
keys $(printf 'X %.0s' $(seq 200)) $(printf 'y %.0s' $(seq 318))
keys F3 Down
sleep $((2 * ${WINE_WAIT_SCALE:-1})) # real ticks
keys F3
# Down 8000 more, past the finish line at y = 8640, then play on until the
# next tick finds the line crossed.
keys $(printf 'y %.0s' $(seq 4000))
keys F3 Down
if wait_until 20 box_shown; then
  echo "ok: the run ended in the \"High Scores\" box"
  read -r -a box_area <<<"$(client_area "$box_window")"
  box_drawn() {
    screenshot "$work/finish.xwd" &&
      python3 "$here/box_drawn.py" "$work/finish.xwd" "${box_area[@]}" --save "$work/finish.png" >"$work/box_drawn.log"
  }
  # A slow machine may show the box a moment before it paints it.
  if wait_until 10 box_drawn; then
    echo "ok: the box is drawn ($(cat "$work/box_drawn.log"))"
  else
    fail "the box is not drawn: $(cat "$work/box_drawn.log"); see $work/finish.png"
  fi
  keys Return # the box has the focus: OK closes it
else
  fail "no \"High Scores\" box after the run to the finish"
fi
profile="$(ini_path)"
if [ -n "$profile" ] && grep -Eq '^SS=-?[0-9]+' "$profile" && grep -q '^\[Snowvel\]' "$profile"; then
  echo "ok: ${profile#"$WINEPREFIX/"} holds the time: $(tr -d '\r' <"$profile" | tr '\n' ' ')"
  # What the player saw must be what was kept, and a time above zero.
  if compared="$(python3 "$here/shown_time.py" "$work/game.log" "$profile")"; then
    echo "ok: $compared"
  else
    fail "$compared"
  fi
else
  fail "no slalom time in tolvane.ini in $ini_place ($(find "$WINEPREFIX/drive_c" -iname 'tolvane.ini' | tr '\n' ' '))"
fi

# --- 4. Closing ends the program with 0 --------------------------------------
wait_until 5 sh -c '! xdotool search --name "^High Scores$" >/dev/null 2>&1' || true
xdotool windowactivate --sync "$main_window" >/dev/null 2>&1
keys alt+F4
if wait_until 20 sh -c "! kill -0 $game_pid 2>/dev/null"; then
  wait "$game_pid"
  code=$?
  if [ "$code" -eq 0 ]; then echo "ok: closing the window ends the game with 0"; else fail "the game ended with $code"; fi
else
  fail "the game is still running 20 s after Alt+F4"
  kill "$game_pid" 2>/dev/null
fi
finish
