#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb after ticking "2 Vehicles" and
# pressing Compile: docs/main-window.png.
# Usage: scripts/screenshot.sh [path-to-vantrel] [output.png]
source "$(dirname "$0")/window-steps.sh"
app=${1:-build/default/bin/vantrel}
export out=${2:-docs/main-window.png}

tick_and_compile() {
    local scale=$QT_SCALE_FACTOR top
    top=$(client_top "$1")
    # Check1 and cmdcmpl, in logical pixels from the client area.
    xdotool mousemove $((436 * scale)) $((top + 182 * scale)) click 1
    xdotool mousemove $((468 * scale)) $((top + 236 * scale)) click 1
    sleep 0.3
    import -window "$1" "$out"
}
with_window tick_and_compile "$app"
echo "wrote $out"
