#!/usr/bin/env bash
# Builds the Debian package and checks its metadata and its file list.
set -euo pipefail
build=$1 version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/vantrel_*.deb)

info=$(dpkg-deb -I "$deb")
files=$(dpkg-deb -c "$deb")
status=0
expect() { grep -qE "$2" <<<"$1" || { echo "package lacks: $2"; status=1; }; }
expect "$info" "^ Package: vantrel$"
expect "$info" "^ Version: $version$"
expect "$info" "^ Maintainer: .+<.+@.+>$"
expect "$info" "^ Depends: .*libqt6widgets6"
expect "$info" "^ Depends: .*libqt6multimedia6"
expect "$info" "^ Depends: .*gstreamer1.0-plugins-good"
expect "$info" "^ Depends: .*gstreamer1.0-libav"
expect "$info" "^ Depends: .*qt6-base-abi \(= [0-9.]+\)"
expect "$files" " ./usr/bin/vantrel$"
expect "$files" " ./usr/libexec/vantrel-window$"
expect "$files" " ./usr/libexec/vantrel-cli$"
expect "$files" " ./usr/share/mime/packages/org.vantrel.Vantrel.xml$"
expect "$files" " ./usr/share/man/man1/vantrel.1$"
expect "$files" " ./usr/lib/vantrel/libvantrel_tutorial.so$"
expect "$files" " ./usr/share/applications/org.vantrel.Vantrel.desktop$"
expect "$files" " ./usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml$"
expect "$files" " ./usr/share/icons/hicolor/256x256/apps/org.vantrel.Vantrel.png$"
expect "$files" " ./usr/share/icons/hicolor/scalable/apps/org.vantrel.Vantrel.svg$"
expect "$files" " ./usr/share/vantrel/vantrel-tutorial.webm$"
[ $status -eq 0 ] && echo "package: $(basename "$deb") checked"
[ $status -eq 0 ] || { echo "$info"; echo "$files"; }
exit $status
