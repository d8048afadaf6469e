#!/usr/bin/env bash
# Unpacks each Windows zip into a fresh folder and checks what a player gets:
# snowvel.exe whose PE headers, imports, resources and version match what the
# Windows checks demand, README.txt with CRLF line ends, LICENSE.txt; the
# 64-bit one is also played under Wine from the unpacked folder.
#
# Usage: check_zips.sh DIST RELEASE_BUILD_DIR VERSION
set -uo pipefail
dist="$(realpath "$1")"
build="$(realpath "$2")"
version="$3"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d /tmp/snowvel-zip-check-XXXXXX)"
trap 'rm -rf "$work"' EXIT
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for arch in x86 x64; do
  zip="$dist/snowvel-$version-windows-$arch.zip"
  folder="$work/windows-$arch"
  if ! mkdir "$folder" || ! unzip -q "$zip" -d "$folder"; then
    fail "cannot unpack $zip"
    continue
  fi
  listing="$(cd "$folder" && find . -type f | sort | tr '\n' ' ')"
  [ "$listing" = "./LICENSE.txt ./README.txt ./snowvel.exe " ] && ok "$arch zip holds $listing" ||
    fail "$arch zip holds $listing"
  machine=i386
  [ "$arch" = x64 ] && machine=amd64
  python3 "$root/tests/windows/check_pe.py" "$folder/snowvel.exe" --machine "$machine" \
    --resources "$build/windows-$arch/resources" --strings "$root/resources/strings/strings.txt" \
    --version "$version" >"$work/pe-$arch.log" && ok "$arch snowvel.exe passes the Windows checks" ||
    { cat "$work/pe-$arch.log"; fail "$arch snowvel.exe by inspection"; }
  for text in README.txt LICENSE.txt; do
    lines="$(wc -l <"$folder/$text")"
    crlf="$(grep -c $'\r$' "$folder/$text")"
    [ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] && ok "$arch $text: $lines lines, all CRLF" ||
      fail "$arch $text: $crlf of $lines lines end in CRLF"
  done
done

if [ -f "$work/windows-x64/snowvel.exe" ]; then
  "$root/tests/windows/check_game_under_wine.sh" "$work/windows-x64/snowvel.exe" \
    "$build/windows-x64/resources" "$build/wine-check" && ok "x64 snowvel.exe plays under Wine" ||
    fail "x64 snowvel.exe under Wine"
fi

[ "$failures" -eq 0 ] && echo "zips: all checks passed" || echo "zips: $failures checks failed"
[ "$failures" -eq 0 ]
