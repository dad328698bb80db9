#!/usr/bin/env bash
# Builds the Debian package build/zerun-installer_<version>_<arch>.deb from the normal build
# folder, then checks it: the desktop entry (desktop-file-validate), the AppStream metainfo
# (appstreamcli validate --no-net) and the whole package (lintian: no errors allowed).
# Install it with: apt install ./build/zerun-installer_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ $(id -u) -eq 0 ]]; then bash scripts/setup.sh; fi
if [[ ! -f build/CMakeCache.txt ]]; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target zerun-installer zerun-crash-report zerun-data zerun-languages \
  zerun-package-files
(cd build && cpack -G DEB)

version=$(sed -n 's/^project(ZerunInstaller VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/zerun-installer_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || { echo "package: $deb was not made" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
# Warnings are shown; the README says why each one stays.
lintian --fail-on error "$deb"
echo "package: $(realpath "$deb")"
