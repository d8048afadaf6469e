#!/usr/bin/env bash
# Unpacks the web zip into a fresh folder, serves it on this machine and
# loads it in headless Chromium: the page must load without an error and its
# canvas show the skier at the anchor.
#
# Usage: check_web_zip.sh WEB.ZIP SKIER.bmp
set -uo pipefail
zip="$(realpath "$1")"
skier="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../scripts/lib.sh"
work="$(mktemp -d /tmp/snowvel-web-check-XXXXXX)"
site_server=""
trap '[ -n "$site_server" ] && kill "$site_server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/site"
unzip -q "$zip" -d "$work/site" || { echo "FAIL: cannot unpack $zip"; exit 1; }
[ -f "$work/site/index.html" ] || { echo "FAIL: no index.html in $zip"; exit 1; }
serve_site "$work/site" || { echo "FAIL: cannot serve $zip"; exit 1; }
node --experimental-websocket --no-warnings "$here/load_page.mjs" "$site_url" \
  "$work/canvas.png" python3 "$here/../pylib/find_sprite.py" "$skier"
