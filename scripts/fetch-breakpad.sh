#!/usr/bin/env bash
# Unpacks the crash-handler library's sources (and its prebuilt dump readers) from a pinned npm
# package into third_party/minidump (git-ignored). The package's install script needs tools we do
# not have, so it is only packed and unpacked, never installed.
set -euo pipefail
cd "$(dirname "$0")/.."
version=0.26.0
dest=third_party/minidump
if [ -f "$dest/.version" ] && [ "$(cat "$dest/.version")" = "$version" ]; then
  exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent "minidump@$version" >/dev/null)
rm -rf "$dest"
mkdir -p "$dest"
tar -xzf "$tmp"/minidump-"$version".tgz -C "$dest" --strip-components=1
# The sources expect the Linux system-call header below src/third_party/lss.
if [ -d "$dest/deps/third_party/lss" ] && [ ! -e "$dest/deps/breakpad/src/third_party/lss" ]; then
  mkdir -p "$dest/deps/breakpad/src/third_party"
  ln -s ../../../third_party/lss "$dest/deps/breakpad/src/third_party/lss"
fi
echo "$version" > "$dest/.version"
echo "setup: crash-handler sources $version in $dest"
