#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb while a call's arguments are typed,
# with a function list beside the loaded script: docs/signature-help.png. Uses the test
# list written by hand (tests/script/data/functions.txt).
# Usage: scripts/screenshot-signature-help.sh [path-to-vantrel] [output.png]
export QT_SCALE_FACTOR=1
source "$(dirname "$0")/window-steps.sh"
app=${1:-build/default/bin/vantrel}
export out=${2:-docs/signature-help.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/levels"
cp tests/script/data/functions.txt "$work/game/functions.txt"
printf '(script continuous bridge_tele\r\n\t(if (volume_test_object trig_bridge (player0))\r\n\t\t(begin\r\n\t\t\t(ai_place bridge_squad 2)\r\n\t\t\t(object_teleport)\r\n\t\t)\r\n\t)\r\n)\r\n\r\n' \
    >"$work/game/levels/bridge.hsc"
type_a_call() {
    local top
    top=$(client_top "$1")
    xdotool mousemove 150 $((top + 300)) click 1
    xdotool key ctrl+End
    xdotool type --delay 40 "(object_teleport (player0) "
    sleep 0.8
    import -window "$1" "$out"
}
with_window type_a_call "$app" "$work/game/levels/bridge.hsc"
echo "wrote $out"
