#!/usr/bin/env bash
# The emulated PC's job: under 32-bit Wine, the 32-bit snowvel.exe played by
# the same check as the 64-bit one on the host, then the layer's conformance
# suites built for 32-bit Windows. The work tree is mounted read-only on /src;
# results go to WORK_DIR on the host's shared folder.
#
# Usage: guest_checks.sh EXE RESOURCES_DIR CONFORMANCE_BUILD_DIR WORK_DIR
set -u
exe="$1" resources="$2" conformance="$3" work="$4"
here="$(cd "$(dirname "$0")" && pwd)"
windows="$here/.."
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Every wait of the checks is stretched: this PC is emulated in software.
export WINE_WAIT_SCALE="${WINE_WAIT_SCALE:-6}"

uptime() { cut -d' ' -f1 /proc/uptime; }
# shellcheck source=../wine_desktop.sh
. "$windows/wine_desktop.sh"
echo "guest: $(wine --version) starting ($(uptime) s of uptime)"
export WINEPREFIX="$work/wineprefix"
desktop_start || exit 1
# One wineserver for all the checks, kept with Wine's desktop process. That
# process starts with a session's first window, and a program waits only
# 10 s for it, which this PC does not meet: two throwaway windows go first,
# one to start it and one made once it runs.
wineserver -p
warm_up() { timeout 300 wine rundll32.exe user32.dll,GetDesktopWindow >>"$work/wine-start.log" 2>&1; }
desktop_process() { pgrep -f 'explorer.exe /desktop' >/dev/null; }
warm_up
if ! wait_until 60 desktop_process; then
  echo "FAIL: Wine's desktop process did not start:"
  tail -20 "$work/wine-start.log"
  exit 1
fi
warm_up
export WINE_SHARED_DESKTOP=1
echo "guest: Wine ready ($(uptime) s of uptime)"

failed=0
echo "== the 32-bit snowvel.exe under 32-bit Wine ($(uptime) s of uptime)"
"$windows/check_game_under_wine.sh" --windows-dir "$exe" "$resources" "$work" || failed=$((failed + 1))
echo "== the layer's conformance suites, 32-bit ($(uptime) s of uptime)"
"$windows/run_conformance.sh" "$conformance" "$work" || failed=$((failed + 1))
echo "guest: checks done, $failed failed ($(uptime) s of uptime)"
[ "$failed" -eq 0 ]
