#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb with a script loaded and the find
# bar open on a name in it: docs/find-bar.png.
# Usage: scripts/screenshot-find.sh [path-to-vantrel] [output.png]
source "$(dirname "$0")/window-steps.sh"
app=${1:-build/default/bin/vantrel}
export out=${2:-docs/find-bar.png}
script=$(mktemp --suffix=.hsc)
trap 'rm -f "$script"' EXIT
printf '%s\r\n' \
    '; gate teleports for the base' \
    '(global short hog_count 0)' \
    '' \
    '(script continuous Base_Tele' \
    '  (if (volume_test_object Gate (unit Warthog_1))' \
    '    (begin' \
    '      (object_teleport (unit Warthog_1) Flag_North)' \
    '      (set hog_count (+ hog_count 1))' \
    '      (sleep 30)))' \
    '  ;* put aside until the second wave' \
    '  (if (volume_test_object Gate_2 (unit Warthog_1))' \
    '    (object_teleport (unit Warthog_1) Flag_South)) *;' \
    '  (if (volume_test_object Gate (unit Scorpion_1))' \
    '    (object_teleport (unit Scorpion_1) Flag_North)))' \
    '' \
    '(script startup Base_Init' \
    '  (ai_place Warthog_1)' \
    '  (sleep_until (> hog_count 2) 15)' \
    '  (game_save))' >"$script"
find_a_name() {
    local scale=$QT_SCALE_FACTOR top
    top=$(client_top "$1")
    # A click in the editor, Txt1, in logical pixels from the client area.
    xdotool mousemove $((100 * scale)) $((top + 30 * scale)) click 1
    xdotool key ctrl+h
    xdotool type --delay 20 "warthog_1"
    xdotool key F3
    sleep 0.5
    import -window "$1" "$out"
}
with_window find_a_name "$app" "$script"
echo "wrote $out"
