# What the checks of an installed .deb share (sourced; the caller sets
# $work, a scratch folder): ok and fail lines, apt-get without questions,
# the install that lists the package's files, the purge that must leave
# none of them, and the closing line.
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -q "$@"; }

# install_deb PACKAGE DEB: exits when apt-get cannot install it.
install_deb() {
  if ! apt_get install "$2" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: apt-get install $2"
    exit 1
  fi
  ok "apt-get install ./$(basename "$2")"
  dpkg -L "$1" | sort >"$work/files"
}

# Every file of the package gone, and every folder only it had.
purge_leaves_nothing() {
  apt_get remove --purge "$1" >"$work/remove.log" 2>&1 || fail "apt-get remove --purge $1"
  local left=0 path
  while read -r path; do
    if [ -e "$path" ] && { [ ! -d "$path" ] || [[ "$path" == *snowvel* ]]; }; then
      echo "  left behind: $path"
      left=$((left + 1))
    fi
  done <"$work/files"
  [ "$left" -eq 0 ] && ok "apt-get remove --purge leaves none of its $(wc -l <"$work/files") paths" ||
    fail "$left paths left after the purge"
}

# report LABEL: the closing line, and the exit status.
report() {
  [ "$failures" -eq 0 ] && echo "$1: all checks passed" || echo "$1: $failures checks failed"
  [ "$failures" -eq 0 ]
}
