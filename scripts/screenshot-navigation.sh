#!/usr/bin/env bash
# Takes the screenshots of Go to Script and of name completion under Xvfb, on a small
# mission script: docs/outline.png and docs/completion.png.
# Usage: scripts/screenshot-navigation.sh [path-to-vantrel]
export QT_SCALE_FACTOR=1
source "$(dirname "$0")/window-steps.sh"
app=${1:-build/default/bin/vantrel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/mission.hsc" <<'SCRIPT'
; the bridge mission
(global short s_wave 0)
(global boolean b_bridge_clear false)
(global real r_delay 1.5)

(script stub void f_open_gate (sleep 0))

(script static void (f_place_wave (ai squad) (short count))
	(ai_place squad count)
	(set s_wave (+ s_wave 1)))

(script static void f_open_gate
	(device_set_position gate_bridge 1))

(script static boolean f_bridge_done
	(<= (ai_living_count enc_bridge) 0))

(script dormant enc_bridge
	(f_place_wave enc_bridge/left 4)
	(sleep_until (f_bridge_done))
	(set b_bridge_clear true)
	(f_open_gate))

(script continuous watch_hog
	(if (volume_test_object trig_ford hog_1)
		(object_teleport hog_1 flag_ford)))

(script startup mission
	(wake enc_bridge))
SCRIPT
outline_and_completion() {
    local geometry x y size top
    geometry=$(xdotool getwindowgeometry "$1")
    x=$(sed -n "s/.*Position: \([0-9]*\),.*/\1/p" <<<"$geometry")
    y=$(sed -n "s/.*Position: [0-9]*,\([0-9]*\).*/\1/p" <<<"$geometry")
    size=$(sed -n "s/.*Geometry: \([0-9x]*\).*/\1/p" <<<"$geometry")
    top=$(client_top "$1")
    sleep 0.3
    # Into the editor, then Go to Script with a few letters typed.
    xdotool mousemove $((x + 120)) $((y + top + 200)) click 1
    sleep 0.3
    xdotool key ctrl+shift+o
    sleep 0.3
    xdotool type --delay 80 "f_"
    sleep 0.5
    import -window root -crop "${size}+${x}+${y}" +repage docs/outline.png
    xdotool key Escape
    # A new line in the dormant script, and "(f_": the list offers itself.
    xdotool key ctrl+Home
    for _ in $(seq 18); do xdotool key Down; done
    xdotool key End Return space space
    xdotool type --delay 120 "(f_"
    sleep 0.6
    import -window root -crop "${size}+${x}+${y}" +repage docs/completion.png
}
with_window outline_and_completion "$app" "$work/mission.hsc"
echo "wrote docs/outline.png and docs/completion.png"
