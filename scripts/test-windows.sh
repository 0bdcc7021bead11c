#!/usr/bin/env bash
# Builds the parts that differ on Windows (the file calls, and the character set they are
# tested with) with the MinGW-w64 cross compiler, and runs their test under Wine: no Qt,
# no display. The first run makes a Wine prefix in build/mingw/wine (some seconds).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64
cmake --workflow --preset mingw
