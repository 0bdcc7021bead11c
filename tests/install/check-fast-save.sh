#!/usr/bin/env bash
# Configures the project three ways and checks how Save's text is read in each: through Qt's
# private headers when they are there and of the tested version, and through public API,
# saying why, when they are missing or of another version. Configures only: the build without
# the fast path is built and tested by its own preset.
# Usage: check-fast-save.sh <source> <generator> <C++ compiler> <on|off: the build tree's path>
set -euo pipefail
source=$1 generator=$2 compiler=$3 built=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

status=0
# configure <expected message> <options...>: the message, and whether the file that reads
# the buffer is compiled with the definition and the private headers.
configure() {
    local expected=$1
    shift
    local output command
    # Each from the defaults, whatever the one before chose.
    output=$(cmake -S "$source" -B "$scratch" -G "$generator" -DCMAKE_CXX_COMPILER="$compiler" \
        -U 'VANTREL_*' -DBUILD_TESTING=OFF -DVANTREL_BENCH=OFF "$@" 2>&1) ||
        { echo "$output"; status=1; return; }
    grep -qF -- "-- Save's fast path: $expected" <<<"$output" ||
        { echo "$*: no message \"Save's fast path: $expected\""; status=1; }
    command=$(grep -B1 '"file": ".*/EditorTextPieces.cpp"' "$scratch/compile_commands.json" | head -n 1)
    local definition=no private=no
    grep -q -- '-DVANTREL_FAST_SAVE ' <<<"$command" && definition=yes
    grep -qE -- '-isystem [^ ]*/QtGui/[0-9]+\.[0-9]+\.[0-9]+ |-I[^ ]*/QtGui/[0-9]+\.[0-9]+\.[0-9]+ ' <<<"$command" && private=yes
    echo "${*:-defaults} -> definition: $definition, private headers: $private"
    case $expected in
    on*) [ $definition$private = yesyes ] || status=1 ;;
    *) [ $definition$private = nono ] || status=1 ;;
    esac
}

# Only where the build tree has the fast path is this Qt known to allow it.
[ "$built" = on ] && configure "on, through Qt"
configure "off, Qt's private Gui headers are missing" -DVANTREL_PRETEND_NO_QT_PRIVATE=ON
configure "off, it was tested with Qt 6.3's private headers" -DVANTREL_FAST_SAVE_QT=6.3
configure "off, VANTREL_FAST_SAVE is OFF" -DVANTREL_FAST_SAVE=OFF
exit $status
