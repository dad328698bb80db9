#!/usr/bin/env bash
# Builds the installer and runs it. With a display the program simply runs until it is closed.
# Without one it runs under Xvfb: the script waits for the window, saves a screenshot of it as a
# PNG, says where, and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."

installer=build/bin/zerun-installer
screenshot=build/screenshots/zerun-installer.png
window_wait=30 # seconds to wait for the window to appear

setup() {
  bash scripts/setup.sh
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j2 --target zerun-installer
}

run_with_display() {
  "$installer"
}

# Runs inside the virtual display that run_without_display starts.
capture_window() {
  mkdir -p "$(dirname "$screenshot")"
  "$installer" &
  local pid=$!
  local window
  if ! window=$(timeout "$window_wait" xdotool search --sync --onlyvisible --name '^Zerun' | head -n1) \
    || [ -z "$window" ]; then
    echo "run: no window appeared within ${window_wait}s" >&2
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  # Give the first paint a moment to reach the screen.
  sleep 1
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
if [ -n "${DISPLAY:-}" ]; then
  run_with_display
else
  run_without_display
fi
