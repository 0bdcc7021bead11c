#!/usr/bin/env bash
# Builds the benchmark program and runs every figure against its baseline, side by side in
# the same run: start-up (offscreen and on Xvfb), load, save, compile and the editor's
# language support. Prints one line per figure with its ratio. Takes about four minutes.
# Arguments go to the program, for instance --benchmark_filter=startup to run only the
# start-up figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target vantrel_bench
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORMTHEME=
echo "Each figure: median over pairs of runs of (figure time / baseline time)."
xvfb-run -a -s "-screen 0 1280x1024x24" build/default/bench/vantrel_bench "$@"
