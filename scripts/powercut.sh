#!/usr/bin/env bash
# Builds every state a power cut can leave during a new install, an update (both answers about
# the player's edit), an install over the game's own files and its uninstall, a repair and a cut
# recovery, starts the installer's recovery on each, and prints how many states were built and
# how many ended old, new or broken (see tests/app/tst_powercut.cpp). Takes several minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tst_powercut >/dev/null
ZERUN_POWERCUT_ALL=1 QT_QPA_PLATFORM=offscreen build/bin/tst_powercut 2>&1 | python3 -c '
import re, sys
total = [0, 0, 0, 0]
for line in sys.stdin:
    found = re.search(r"QINFO  : [^(]*\([^)]*\) (.* built: .* broken)", line)
    if found:
        print(found.group(1))
        total = [a + int(b) for a, b in zip(total, re.findall(r"(\d+) (?:built|old|new|broken)", found.group(1)))]
    elif "broken:" in line or line.startswith("FAIL"):
        print(line.rstrip())
print("all changes: %d states built: %d old, %d new, %d broken" % tuple(total))
sys.exit(1 if total[3] else 0)
'
