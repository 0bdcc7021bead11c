#!/usr/bin/env bash
# Takes a screenshot of the real main window under Xvfb with a script loaded and the find
# bar open on a name in it: docs/find-bar.png. Needs xvfb, imagemagick and xdotool.
# Usage: scripts/screenshot-find.sh [path-to-vantrel] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
app=${1:-build/default/bin/vantrel}
out=${2:-docs/find-bar.png}
scripts/install-deps.sh imagemagick xdotool
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
export QT_SCALE_FACTOR=${QT_SCALE_FACTOR:-1}
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$2" & pid=$!
    for _ in $(seq 50); do
        win=$(xdotool search --name "^Vantrel$" 2>/dev/null | head -n1) && [ -n "$win" ] && break
        sleep 0.1
    done
    sleep 0.5
    scale=$QT_SCALE_FACTOR
    # A click in the editor, Txt1, in logical pixels from the client area, below the menu bar.
    menu=$(( $(xdotool getwindowgeometry "$win" | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p") - 455 * scale ))
    xdotool mousemove $(( 100 * scale )) $(( menu + 30 * scale )) click 1
    xdotool key ctrl+h
    xdotool type --delay 20 "warthog_1"
    xdotool key F3
    sleep 0.5
    import -window "$win" "$1"
    kill $pid' "$app" "$out" "$script"
echo "wrote $out"
