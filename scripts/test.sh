#!/usr/bin/env bash
# Builds Vantrel and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --workflow --preset default
