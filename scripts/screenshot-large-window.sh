#!/usr/bin/env bash
# Takes a screenshot of the large editing window filling a 1280 x 1024 screen under Xvfb,
# holding a long script: docs/large-window.png. Xvfb has no window manager to maximize a
# window, so the window is given the screen's size.
# Usage: scripts/screenshot-large-window.sh [path-to-vantrel] [output.png]
source "$(dirname "$0")/window-steps.sh"
app=${1:-build/default/bin/vantrel}
export out=${2:-docs/large-window.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A level's script of some 2,000 lines: a header block comment, globals, then one group of
# scripts per tower, nested as real ones are.
script="$work/tower_defence.hsc"
cat > "$script" <<'EOF'
;*
	Tower defence: the east gate, its towers and their waves
	Teleports the player's vehicles back to the yard when they leave the map.
*;

(global short tower_wave 0)
(global boolean gate_open false)
(global real tower_delay 1.5)
EOF
for n in $(seq 1 60); do
    sed "s/@N@/$n/g" >> "$script" <<'EOF'

; tower @N@: the gate opens once the player is close
(script continuous tower_gate_@N@
    (sleep_until (volume_test_objects trig_gate_@N@ (players)) 15)
    (if (and (= gate_open false) (< tower_wave 3))
        (begin
            (device_set_position gate_east_@N@ 1)
            (set gate_open true)
            (ai_place tower_guards_@N@/left)
            (sleep 30)
        )
    )
)

(script dormant tower_wave_@N@
    (set tower_wave (+ tower_wave 1))
    (cond
        ((= tower_wave 1) (ai_place tower_wave_@N@/first))
        ((= tower_wave 2) (begin (ai_place tower_wave_@N@/second) (sleep 60)))
        (true (game_save))
    )
)

(script continuous yard_return_@N@
    (if (volume_test_object "out_of_map_@N@" (unit (list_get (players) 0)))
        (begin
            (object_teleport warthog_@N@ flag_yard_@N@) ; back to the yard
            (sleep -1)
        )
    )
)
EOF
done

fill_the_screen() {
    local large X Y
    # Focus the editor with a click, then open the large window from the keyboard.
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + 100)) $((Y + 200)) click 1
    xdotool key ctrl+Home ctrl+shift+e
    large=$(find_window "tower_defence.hsc")
    xdotool windowmove "$large" 0 0 windowsize "$large" 1280 1024
    sleep 1
    import -window root "$out"
}
with_window fill_the_screen "$app" "$script"
echo "wrote $out"
