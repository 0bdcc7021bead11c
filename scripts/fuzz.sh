#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for a bounded time, starting from its seed corpus in fuzz/corpus. A crash, a sanitizer
# report or a broken property fails the run; the input that shows it is kept in
# build/fuzz/artifacts. Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    mapfile -t targets < <(find build/fuzz/fuzz -maxdepth 1 -type f -executable -name "fuzz_*" -printf "%f\n" | sort)
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
export QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME=
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    name=${target#fuzz_}
    # New finds go to a scratch corpus; the seeds in the repository stay as they are.
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    echo "== $target: $seconds s"
    # The widget targets draw text: Qt Gui's caches show up as leaks that are not ours.
    supp=cmake/lsan.supp
    case $target in fuzz_scripteditor | fuzz_find) supp=cmake/lsan-video.supp ;; esac
    export LSAN_OPTIONS="suppressions=$PWD/$supp:print_suppressions=0"
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$artifacts/$name-" "$scratch" "fuzz/corpus/$name" 2>"$artifacts/$name.log" ||
        { tail -n 40 "$artifacts/$name.log"; echo "FAILED: $target" >&2; exit 1; }
    grep -E '^stat::number_of_executed_units|^Done' "$artifacts/$name.log" || true
    rm -rf "$scratch"
done
echo "fuzzing passed: ${targets[*]}"
