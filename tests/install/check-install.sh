#!/usr/bin/env bash
# Installs into a temporary prefix, checks that every expected file is there, validates the
# desktop entry, the metainfo, the MIME package and the manual page, and runs the installed
# program: a command, and the window with a file.
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/vantrel
    libexec/vantrel-window
    libexec/vantrel-cli
    share/mime/packages/$id.xml
    share/man/man1/vantrel.1
    lib/vantrel/libvantrel_tutorial.so
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

# The script type: *.hsc in the MIME database, opened by the desktop entry, named in the
# metainfo.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/$id.xml")
XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" || status=1
grep -qx "[0-9]*:$type:\*\.hsc" "$prefix/share/mime/globs2" || { echo "no *.hsc glob for '$type'"; status=1; }
grep -qx "Exec=vantrel %f" "$prefix/share/applications/$id.desktop" || { echo "Exec takes no file"; status=1; }
grep -qx "MimeType=$type;" "$prefix/share/applications/$id.desktop" || { echo "no MimeType=$type;"; status=1; }
grep -q "<mediatype>$type</mediatype>" "$prefix/share/metainfo/$id.metainfo.xml" || { echo "metainfo provides no $type"; status=1; }

warnings=$(man -l --warnings "$prefix/share/man/man1/vantrel.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "the manual page: $warnings"; status=1; }

# The installed launcher finds both programs: a command runs, and the window starts with
# a file and keeps running until it is stopped.
"$prefix/bin/vantrel" compose --output "$prefix/script.hsc" || status=1
"$prefix/bin/vantrel" check "$prefix/script.hsc" || status=1
set +e
timeout 3 "$prefix/bin/vantrel" "$prefix/script.hsc"
code=$?
set -e
[ $code -eq 124 ] || { echo "the installed program ended by itself with code $code"; status=1; }
[ $status -eq 0 ] && echo "install tree: ${#expected[@]} files, validated"
exit $status
