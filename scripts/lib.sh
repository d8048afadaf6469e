# Helpers the scripts share. Sourced from the repository's top folder:
#   . scripts/lib.sh
# Nothing here runs on its own.

snowvel_scripts="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The version of the project() line of CMakeLists.txt; empty when there is none.
snowvel_version() {
  sed -n 's/^project(Snowvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# A tally of named steps: each runs whatever follows its name, a failure is
# recorded and the next step still runs. steps_report [LABEL] names every
# failure, ends with "LABEL: N passed, M failed" and fails when one did.
steps_passed=0
steps_failed=()
steps_start=$SECONDS
step() {
  local name="$1"
  shift
  echo
  echo "== $name ($((SECONDS - steps_start)) s)"
  if "$@"; then
    steps_passed=$((steps_passed + 1))
    return 0
  fi
  echo "== FAILED: $name"
  steps_failed+=("$name")
}
# A heading for work that is no step of the tally (a build that must pass).
heading() {
  echo
  echo "== $* ($((SECONDS - steps_start)) s)"
}
steps_report() {
  local label="${1:+$1: }" name
  echo
  for name in "${steps_failed[@]}"; do echo "FAILED: $name"; done
  echo "$label$steps_passed passed, ${#steps_failed[@]} failed ($((SECONDS - steps_start)) s)"
  [ "${#steps_failed[@]}" -eq 0 ]
}

# Serves a built site folder (scripts/serve-site) on a free port in the
# background and waits for its address: sets site_url and site_server (the
# server's process id, to kill when done). Fails when it does not start.
# Arguments after the folder go to scripts/serve-site (--log FILE).
serve_site() {
  local folder="$1" log
  shift
  log="$(mktemp)"
  "$snowvel_scripts/serve-site" "$folder" "$@" >"$log" &
  site_server=$!
  site_url=""
  for _ in $(seq 100); do
    site_url="$(head -1 "$log")"
    [ -n "$site_url" ] && break
    sleep 0.1
  done
  rm -f "$log"
  [ -n "$site_url" ] || { echo "the site server did not start" >&2; return 1; }
}

# Configures and builds the tools a cross build (Windows) runs on this
# machine into DIR, to pass on as SNOWVEL_HOST_TOOLS_DIR; SOURCE is the top
# folder of the sources (this checkout when not given).
build_host_tools() {
  local dir="$1" source="${2:-.}"
  cmake -S "$source/tools" -B "$dir" -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$dir" -j"${jobs:-$(nproc)}" --target host_tools
}

# Whether a path lies inside the build tree (build/ of this checkout), for
# folders a script empties before use.
inside_build_tree() {
  local path
  path="$(realpath -m "$1")"
  case "$path" in
    "$PWD/build/"?*) return 0 ;;
    *) return 1 ;;
  esac
}
