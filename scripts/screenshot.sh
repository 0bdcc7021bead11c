#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb after ticking "2 Vehicles" and
# pressing Compile: docs/main-window.png. Needs xvfb, imagemagick and xdotool.
# Usage: scripts/screenshot.sh [path-to-vantrel] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/default/bin/vantrel}
out=${2:-docs/main-window.png}
scripts/install-deps.sh imagemagick xdotool
export QT_SCALE_FACTOR=${QT_SCALE_FACTOR:-1}
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" & pid=$!
    for _ in $(seq 50); do
        win=$(xdotool search --name "^Vantrel$" 2>/dev/null | head -n1) && [ -n "$win" ] && break
        sleep 0.1
    done
    sleep 0.5
    scale=$QT_SCALE_FACTOR
    # Check1 and cmdcmpl, in logical pixels from the client area, below the menu bar.
    menu=$(( $(xdotool getwindowgeometry "$win" | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p") - 455 * scale ))
    xdotool mousemove $(( 436 * scale )) $(( menu + 182 * scale )) click 1
    xdotool mousemove $(( 468 * scale )) $(( menu + 236 * scale )) click 1
    sleep 0.3
    import -window "$win" "$1"
    kill $pid' "$app" "$out"
echo "wrote $out"
