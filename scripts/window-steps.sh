# Sourced by the screenshot scripts: runs one of their functions on the real program under
# Xvfb, once its main window is shown, and ends the program after. Needs xvfb, imagemagick
# and xdotool, which it installs when they are missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh imagemagick xdotool
export QT_SCALE_FACTOR=${QT_SCALE_FACTOR:-1}

# The first window whose title matches the pattern, once it is shown (five seconds at most).
find_window() {
    local found
    for _ in $(seq 50); do
        found=$(xdotool search --name "$1" 2>/dev/null | head -n1) && [ -n "$found" ] &&
            echo "$found" && return
        sleep 0.1
    done
    return 1
}

# The top of the main window's client area, below the menu bar, in the window's pixels:
# the client area is 455 logical pixels high.
client_top() {
    local height
    height=$(xdotool getwindowgeometry "$1" | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p")
    echo $((height - 455 * QT_SCALE_FACTOR))
}

# with_window STEPS PROGRAM [ARGUMENT...]: runs the program under Xvfb, then the function
# STEPS with the main window's id. xvfb-run is a plain sh script, which drops exported bash
# functions: the steps go over as a script of their own.
with_window() {
    local steps=$1 runner
    shift
    runner=$(mktemp)
    {
        declare -f find_window client_top "$steps"
        cat <<'RUN'
set -euo pipefail
steps=$1
shift
"$@" &
pid=$!
win=$(find_window "^Vantrel$")
sleep 0.5
"$steps" "$win"
kill $pid
RUN
    } >"$runner"
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$runner" "$steps" "$@"
    rm -f "$runner"
}
