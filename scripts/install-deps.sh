#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Vantrel need, and skips
# the step when every one of them is already there. Runs as root, or through sudo.
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6
    # Qt's private Gui headers: with them Save reads the editor's text where the document
    # keeps it instead of copying it first (cmake/FastSave.cmake); the build works without
    qt6-base-private-dev
    # run: fonts the layout was measured with, media playback without a sound device
    fontconfig fonts-liberation2 fonts-dejavu-core
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
    # test: a virtual display for the few checks that want a real X server
    xvfb xauth
    # benchmark (bench/, scripts/bench.sh)
    libbenchmark-dev
    # install and package checks: desktop entry, metainfo, MIME package, manual page
    desktop-file-utils appstream dpkg-dev file shared-mime-info man-db groff-base
    # test data: the tools that made the short clip under tests/tutorial/data
    gstreamer1.0-tools
)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "These Debian packages are missing and there is no sudo: ${missing[*]}" >&2
    exit 1
fi
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
