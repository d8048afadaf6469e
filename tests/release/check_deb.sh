#!/usr/bin/env bash
# Installs the .deb the way a player would and checks what they would get:
# the version, a headless slalom run to its high-score box, the desktop entry
# and metainfo as installed, the man page rendered without a warning, and a
# purge that leaves none of the package's files behind. Needs root and apt.
#
# Usage: check_deb.sh SNOWVEL.DEB VERSION
set -uo pipefail
deb="$(realpath "$1")"
version="$2"
app_id=io.github.snowvel.Snowvel
work="$(mktemp -d /tmp/snowvel-deb-check-XXXXXX)"
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/deb_checks.sh"

install_deb snowvel "$deb"

said="$(/usr/games/snowvel --version)"
[ "$said" = "snowvel $version" ] && ok "/usr/games/snowvel --version: $said" ||
  fail "/usr/games/snowvel --version says \"$said\", wanted \"snowvel $version\""

# The slalom: across into the start window, then straight down with a key
# now and then to get up after a crash; the finish shows the list.
{
  for _ in $(seq 250); do echo "1 char X"; done
  for period in $(seq 3 5 1499); do echo "$period key DOWN"; done
} >"$work/slalom.txt"
if /usr/games/snowvel --headless --ticks 1500 --input "$work/slalom.txt" --dump "$work/dump.json" \
  --data-dir "$work/data" nosound &&
  python3 - "$work/dump.json" "$work/data/tolvane.ini" <<'PY'
import json, re, sys
boxes = json.load(open(sys.argv[1]))["messageBoxes"]
assert [box["caption"] for box in boxes] == ["High Scores"], boxes
assert re.search(r"^SS=-\d+ ", open(sys.argv[2]).read(), re.M), "no slalom time kept"
print("ok: the installed game skis the slalom to its \"High Scores\" box:", boxes[0]["text"])
PY
then :; else fail "the headless slalom did not end in the high-score box"; fi

desktop-file-validate "/usr/share/applications/$app_id.desktop" && ok "desktop-file-validate" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" 2>&1 &&
  ok "appstreamcli validate" || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
man_page="$(grep '/man6/snowvel\.6' "$work/files" | head -1)"
warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man_page" 2>&1 >/dev/null)"
[ -n "$man_page" ] && [ -z "$warnings" ] && ok "man -l $man_page renders without warnings" ||
  fail "man -l ${man_page:-(no page installed)}: $warnings"
for size in 16 32 48 128; do
  grep -qx "/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png" "$work/files" ||
    fail "no ${size}x$size hicolor icon"
done

purge_leaves_nothing snowvel
report deb
