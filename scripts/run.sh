#!/usr/bin/env bash
# Builds Vantrel (optimised, with debug info) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
exec build/default/bin/vantrel "$@"
