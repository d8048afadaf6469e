#!/usr/bin/env bash
# Runs the layer's conformance tests, built for Windows, under Wine on a
# private X desktop (USER needs one): the 64-bit build under wine64 on this
# machine, the 32-bit build under 32-bit Wine in the emulated PC. Cases listed in
# conformance/known_disagreements.txt are left out and named; every other
# case must pass.
#
# Usage: run_conformance.sh CONFORMANCE_BUILD_DIR WORK_DIR
set -uo pipefail
build="$(realpath "$1")"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
# shellcheck source=wine_desktop.sh
. "$here/wine_desktop.sh"
mkdir -p "$work"
work="$(realpath "$work")"
trap desktop_stop EXIT

wine_use_prefix "$work/wineprefix" || exit 1
desktop_start || exit 1

known="$(grep -Ev '^[[:space:]]*(#|$)' "$here/conformance/known_disagreements.txt" | awk '{print $1}')"
echo "left out, as known disagreements with Wine: $(echo "$known" | wc -l) cases"
filter="-$(echo "$known" | paste -sd:)"

failed=0
for suite in platform_gdi platform_kernel platform_user; do
  exe="$build/${suite}_conformance.exe"
  log="$work/${suite}_conformance.log"
  if [ ! -f "$exe" ]; then
    echo "FAIL: $exe was not built"
    failed=$((failed + 1))
    continue
  fi
  timeout $((300 * ${WINE_WAIT_SCALE:-1})) wine "$exe" --gtest_filter="$filter" --gtest_color=no >"$log" 2>&1
  code=$?
  summary="$(grep -E '^\[  PASSED  \]|^\[  FAILED  \] [0-9]+ test' "$log" | tr '\n' ' ')"
  if [ "$code" -eq 0 ]; then
    echo "ok: $suite under Wine: $summary"
  else
    echo "FAIL: $suite under Wine (exit $code): $summary"
    grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | grep -v 'listed below' | sort -u
    grep -B1 -A6 'Failure$' "$log" | head -60
    failed=$((failed + 1))
  fi
done
if [ "$failed" -eq 0 ]; then
  echo "conformance under Wine: all suites passed"
  exit 0
fi
echo "conformance under Wine: $failed suites failed (logs in $work)"
exit 1
