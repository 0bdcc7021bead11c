#!/usr/bin/env bash
# Renders the program icon's PNG sizes from its SVG source. Run after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (Debian: librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" vantrel.svg -o "vantrel-$size.png"
done
