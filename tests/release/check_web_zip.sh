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
work="$(mktemp -d /tmp/snowvel-web-check-XXXXXX)"
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/site"
unzip -q "$zip" -d "$work/site" || { echo "FAIL: cannot unpack $zip"; exit 1; }
[ -f "$work/site/index.html" ] || { echo "FAIL: no index.html in $zip"; exit 1; }
port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server --bind 127.0.0.1 --directory "$work/site" "$port" >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request as u; u.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.2
done
node --experimental-websocket --no-warnings "$here/load_page.mjs" "http://127.0.0.1:$port/" \
  "$work/canvas.png" python3 "$here/../pylib/find_sprite.py" "$skier"
