#!/usr/bin/env bash
# Installs into a temporary prefix, checks that every expected file is there, validates the
# desktop entry and the metainfo, and starts the installed program.
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/vantrel
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/vantrel/vantrel-tutorial.webm
)
for size in 16 24 32 48 64 128 256; do
    expected+=(share/icons/hicolor/${size}x${size}/apps/$id.png)
done
status=0
for file in "${expected[@]}"; do
    [ -s "$prefix/$file" ] || { echo "missing from the install: $file"; status=1; }
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" || status=1

# The installed program starts and keeps running until it is stopped.
set +e
timeout 3 "$prefix/bin/vantrel"
code=$?
set -e
[ $code -eq 124 ] || { echo "the installed program ended by itself with code $code"; status=1; }
[ $status -eq 0 ] && echo "install tree: ${#expected[@]} files, validated"
exit $status
