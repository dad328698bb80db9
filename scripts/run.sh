#!/usr/bin/env bash
# Builds the installer and runs it. With a display the program simply runs until it is closed.
# Without one it runs under Xvfb: the script waits for the window, saves a screenshot of it as a
# PNG, says where, and ends the program.
#
# When no service is configured (ZERUN_CATALOGUE_HOST unset), the installer runs against the
# local package host on 127.0.0.1 serving a sample site: the packages under samples/packages,
# zipped here, listed in a catalogue, plus a version file. A sample game folder inside a
# Wine-style prefix (build/sample-wine) lets the installer find the game without asking.
set -euo pipefail
cd "$(dirname "$0")/.."

installer=build/bin/zerun-installer
package_host=build/bin/zerun-package-host
screenshot=build/screenshots/zerun-installer.png
window_wait=30 # seconds to wait for the window to appear
site=build/sample-site
sample_prefix=build/sample-wine
catalogue_wait=3 # seconds for the catalogue to arrive before the screenshot

setup() {
  bash scripts/setup.sh
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j2 --target zerun-installer zerun-package-host
}

# The sample site: files/<package>.zip for every line of samples/site.conf, files/index.dat
# naming them under the host's base URL ($1), and the version file.
make_sample_site() {
  local base=$1
  rm -rf "$site"
  mkdir -p "$site/files"
  local files
  files=$(realpath "$site/files")
  : >"$files/index.dat"
  local archive kind name
  while IFS=, read -r archive kind name; do
    case "$archive" in '' | '#'*) continue ;; esac
    (cd "samples/packages/$archive" && zip -q -r -X "$files/$archive.zip" .)
    printf '%s/files/%s.zip,%s,%s\n' "$base" "$archive" "$kind" "$name" >>"$files/index.dat"
  done <samples/site.conf
  # Same build as the installer's own: the update check finds nothing newer.
  printf '721\nv1.0.11\nSample host: no newer build.\n' >"$files/rudoduvururu.dat"
}

# A game install as Wine lays it out: drive_c/Program Files (x86)/GDS/TEW2016.
make_sample_game() {
  local game="$sample_prefix/drive_c/Program Files (x86)/GDS/TEW2016"
  mkdir -p "$game/Databases" "$game/Pictures" "$game/Skins"
  [ -f "$game/TEW2016.exe" ] || printf 'MZ sample stand-in for the game\n' >"$game/TEW2016.exe"
  echo "run: sample game folder $(realpath "$game")"
}

host_pid=
stop_host() {
  if [ -n "$host_pid" ]; then
    kill "$host_pid" 2>/dev/null || true
    wait "$host_pid" 2>/dev/null || true
    host_pid=
  fi
}

# Starts the package host on a free port of 127.0.0.1 and points the installer at it.
start_local_service() {
  mkdir -p "$site"
  local out=build/package-host.out
  "$package_host" --root "$site" --port 0 >"$out" &
  host_pid=$!
  trap stop_host EXIT
  local base= tries=0
  while [ -z "$base" ] && [ $tries -lt 100 ]; do
    base=$(head -n1 "$out" 2>/dev/null || true)
    [ -n "$base" ] || { sleep 0.1; tries=$((tries + 1)); }
  done
  if [ -z "$base" ]; then
    echo "run: the package host did not start" >&2
    return 1
  fi
  make_sample_site "$base"
  make_sample_game
  export ZERUN_CATALOGUE_HOST=$base ZERUN_SERVICE_HOST=$base
  WINEPREFIX=$(realpath "$sample_prefix")
  export WINEPREFIX
  echo "run: sample packages served at $base/files/index.dat"
}

# The installer starts in its own folder, where it finds languages/ and data/.
start_installer() {
  (cd "$(dirname "$installer")" && exec "./$(basename "$installer")")
}

run_with_display() {
  start_installer
}

# Runs inside the virtual display that run_without_display starts.
capture_window() {
  mkdir -p "$(dirname "$screenshot")"
  start_installer &
  local pid=$!
  local window
  if ! window=$(timeout "$window_wait" xdotool search --sync --onlyvisible --classname '^zerun-installer$' | head -n1) \
    || [ -z "$window" ]; then
    echo "run: no window appeared within ${window_wait}s" >&2
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  # Give the catalogue time to arrive and the first paint to reach the screen.
  sleep "$catalogue_wait"
  import -window "$window" "$screenshot"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "run: screenshot of the window saved to $(realpath "$screenshot")"
}

run_without_display() {
  xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --capture-window
}

if [ "${1:-}" = "--capture-window" ]; then
  capture_window
  exit
fi

setup
build
if [ -z "${ZERUN_CATALOGUE_HOST:-}" ]; then
  start_local_service
fi
if [ -n "${DISPLAY:-}" ]; then
  run_with_display
else
  run_without_display
fi
