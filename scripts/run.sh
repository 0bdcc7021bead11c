#!/usr/bin/env bash
# Builds Vantrel (optimised, with debug info) and starts it. Only the program is built; the
# configure step copies the tutorial video beside it. scripts/test.sh builds the rest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target vantrel
exec build/default/bin/vantrel "$@"
