#!/usr/bin/env bash
# Records the video tutorial from the real program: Xvfb runs it, xdotool drives it,
# ffmpeg captures the main window and burns in a caption for each step. Run it again
# whenever the windows change; the result is data/tutorial/vantrel-tutorial.webm.
# Usage: scripts/record-tutorial.sh [path-to-vantrel]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
app=$(realpath "${1:-build/default/bin/vantrel}")
out=$repo/data/tutorial/vantrel-tutorial.webm
scripts/install-deps.sh ffmpeg xdotool xvfb fonts-dejavu-core
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home # nothing of the user's is touched
mkdir -p "$HOME/scripts" # the file dialogs start in the program's folder
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
export DISPLAY=$display QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=
sleep 1
(cd "$HOME/scripts" && exec "$app") &
for _ in $(seq 100); do
    win=$(xdotool search --name '^Vantrel$' 2>/dev/null | head -n1) && [ -n "$win" ] && break
    sleep 0.1
done
sleep 1
eval "$(xdotool getwindowgeometry --shell "$win")" # X, Y, WIDTH, HEIGHT
menu=$((HEIGHT - 455)) # the client area lies below the menu bar

ffmpeg -loglevel error -f x11grab -draw_mouse 0 -framerate 20 -video_size "${WIDTH}x${HEIGHT}" \
    -i "$display+$X,$Y" -c:v libx264rgb -preset ultrafast -crf 0 "$work/raw.mkv" &
capture=$!
start=$(date +%s%N)
now() { # seconds since the capture started, with milliseconds
    local ms=$((($(date +%s%N) - start) / 1000000))
    printf '%d.%03d' $((ms / 1000)) $((ms % 1000))
}

# Each caption runs from its step until the next one begins.
captions=()
times=()
caption() {
    times+=("$(now)")
    captions+=("$1")
}
click() { xdotool mousemove --window "$win" "$1" $((menu + $2)) click 1; sleep 0.4; }
retype() { # a name box at the given point: select all, type the new name
    click "$1" "$2"
    xdotool key ctrl+a
    xdotool type --delay 90 "$3"
    sleep 0.6
}
dialog() { # the file dialog: type a name into its name field, then Enter
    for _ in $(seq 50); do
        dlg=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$dlg" ] && break
        sleep 0.1
    done
    # Over the main window, leaving the caption band at the bottom free.
    xdotool windowmove "$dlg" "$X" "$Y" windowsize "$dlg" "$WIDTH" $((HEIGHT - 64))
    sleep 1.2
    xdotool type --delay 90 "$2"
    sleep 1
    xdotool key Return
    sleep 1
}

caption "Vantrel writes vehicle teleport scripts"
sleep 3
caption "Type the script, trigger, flag and vehicle names"
retype 490 33 Base_Tele
retype 490 65 Gate_Volume
retype 490 97 Base_Flag
retype 490 129 Warthog_1
caption "Compile writes the script into the editor"
click 468 236
sleep 3
caption "Tick 2 Vehicles to add a second vehicle"
click 436 182
retype 490 161 Scorpion_1
caption "Compile again: one if block per vehicle"
click 468 236
sleep 3
caption "The script stays editable by hand"
click 150 300
xdotool key ctrl+End Return
xdotool type --delay 90 '; teleports both vehicles'
sleep 2
caption "Save Script: type a name, .hsc is added"
click 468 268
dialog 'Save' teleport
caption "Saved to teleport.hsc (a save appends)"
sleep 3
caption "Load Script For Editiing brings it back"
click 150 300
xdotool key ctrl+a Delete
sleep 1
click 468 300
dialog 'Open' teleport.hsc
sleep 3
caption "Help, Video Tutorial shows this video again"
sleep 3
times+=("$(now)")
kill -INT $capture
wait $capture || true
kill $(jobs -p) 2>/dev/null || true

# Burn in the captions: a dark band at the bottom, one text file per caption so no
# character needs escaping in the filter.
filters=()
for i in "${!captions[@]}"; do
    printf '%s' "${captions[$i]}" > "$work/caption-$i.txt"
    filters+=("drawtext=fontfile=$font:textfile=$work/caption-$i.txt:fontsize=20:fontcolor=white:box=1:boxcolor=black@0.75:boxborderw=8:x=(w-text_w)/2:y=h-text_h-24:enable='between(t,${times[$i]},${times[$((i + 1))]})'")
done
filter=$(IFS=,; echo "${filters[*]}")
# Even dimensions: Qt 6.4's frame conversion corrupts memory on an odd-width video, and the
# main window is 593 pixels wide. One column of the window's grey is added on the right.
pad="pad=ceil(iw/2)*2:ceil(ih/2)*2:0:0:color=0x404040"
ffmpeg -loglevel error -y -i "$work/raw.mkv" -vf "$filter,$pad,format=yuv420p" \
    -c:v libvpx-vp9 -b:v 0 -crf 42 -row-mt 1 -deadline good -an "$out"
echo "wrote $out ($(stat -c %s "$out") bytes, $(ffprobe -v error -show_entries format=duration -of csv=p=0 "$out") s)"
