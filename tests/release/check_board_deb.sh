#!/usr/bin/env bash
# Installs the snowvel-board .deb as a host would and checks what they get:
# the board finds its installed verifier by itself and ranks a run sent to
# it on loopback, the verifier answers alone, the systemd unit and the man
# page are in place, and a purge leaves none of the package's files. Needs
# root and apt.
#
# Usage: check_board_deb.sh SNOWVEL-BOARD.DEB RUN-FILE
set -uo pipefail
deb="$(realpath "$1")"
run="$(realpath "$2")"
work="$(mktemp -d /tmp/snowvel-board-deb-check-XXXXXX)"
board=""
trap '[ -n "$board" ] && kill "$board" 2>/dev/null; rm -rf "$work"' EXIT
. "$(dirname "$0")/deb_checks.sh"

install_deb snowvel-board "$deb"

said="$(/usr/libexec/snowvel-board/snowvel-verify --verify <"$run")"
[ "${said%% *}" = ok ] && ok "the installed verifier re-skis the run: $said" ||
  fail "the installed verifier says \"$said\""
for path in /lib/systemd/system/snowvel-board.service /usr/share/man/man8/snowvel-board.8.gz; do
  grep -qx "$path" "$work/files" && ok "$path" || fail "no $path in the package"
done

# The board on a free loopback port, its verifier found beside it as installed.
/usr/bin/snowvel-board --listen 127.0.0.1:0 --db "$work/board.sqlite" 2>"$work/board.log" &
board=$!
if timeout 60 python3 - "$work/board.log" "$run" <<'PY'; then
import http.client, json, sys, time
log, run = sys.argv[1], open(sys.argv[2]).read()
for _ in range(300):
    first = open(log).readline()
    if "listening on http://" in first:
        break
    time.sleep(0.1)
host, port = first.split("http://")[1].split()[0].rsplit(":", 1)
connection = http.client.HTTPConnection(host, int(port), timeout=30)
connection.request("POST", "/api/runs", json.dumps({"name": "Ana", "run": run}),
                   {"Content-Type": "application/json"})
answer = json.loads(connection.getresponse().read())
assert answer.get("accepted") is True and answer.get("rank") == 1, answer
print("ok: the installed board re-skied and ranked a run:", answer["course"], answer["result"])
PY
  :
else
  cat "$work/board.log"
  fail "the installed board did not rank the run"
fi
kill "$board" 2>/dev/null
wait "$board" 2>/dev/null
board=""

purge_leaves_nothing snowvel-board
report "board deb"
