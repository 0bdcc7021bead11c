#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb while a call's arguments are typed,
# with a function list beside the loaded script: docs/signature-help.png. Uses the test
# list written by hand (tests/script/data/functions.txt). Needs xvfb, imagemagick, xdotool.
# Usage: scripts/screenshot-signature-help.sh [path-to-vantrel] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/default/bin/vantrel}
out=${2:-docs/signature-help.png}
scripts/install-deps.sh imagemagick xdotool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/levels"
cp tests/script/data/functions.txt "$work/game/functions.txt"
printf '(script continuous bridge_tele\r\n\t(if (volume_test_object trig_bridge (player0))\r\n\t\t(begin\r\n\t\t\t(ai_place bridge_squad 2)\r\n\t\t\t(object_teleport)\r\n\t\t)\r\n\t)\r\n)\r\n\r\n' \
    >"$work/game/levels/bridge.hsc"
export QT_SCALE_FACTOR=1
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$2" & pid=$!
    for _ in $(seq 50); do
        win=$(xdotool search --name "^Vantrel$" 2>/dev/null | head -n1) && [ -n "$win" ] && break
        sleep 0.1
    done
    sleep 0.5
    # Txt1, in pixels from the client area, below the menu bar.
    menu=$(( $(xdotool getwindowgeometry "$win" | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p") - 455 ))
    xdotool mousemove 150 $(( menu + 300 )) click 1
    xdotool key ctrl+End
    xdotool type --delay 40 "(object_teleport (player0) "
    sleep 0.8
    import -window "$win" "$1"
    kill $pid' "$app" "$out" "$work/game/levels/bridge.hsc"
echo "wrote $out"
