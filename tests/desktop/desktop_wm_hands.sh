# Sourced after desktop_hands.sh by the sessions at a desktop with a window
# manager (openbox with its default keys, as a person's desktop has it):
# the program is worked by xdotool's ordinary pointer and keys, sent to
# wherever the window manager put the window and the focus, never to a
# named window. The session defines $session (its name in what it says),
# work and probe.
ordinary=1

fail() {
    echo "$session: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
    exit 1
}

command -v openbox >/dev/null || fail "openbox is missing: run scripts/setup.sh"
openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.out" 2>&1 &
wm=$!
for _ in $(seq 1 100); do
    xdotool get_desktop >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool get_desktop >/dev/null 2>&1 || fail "the window manager did not start: $(cat "$work/openbox.out")"

# Starts ./$1 and waits for its window (SDL may open and close others while
# it starts); $left and $top: where the window manager put its client area.
start_program() {
    open_program "$1"
    sleep 1
    set -- $("$probe" origin "$window")
    left=$1
    top=$2
    # the person clicks into the window first, as anyone would
    xdotool mousemove --sync $((left + 1000)) $((top + 750)) click 1
    sleep 0.3
}

# Points of the program's 1024 x 768 screen.
point() {
    xdotool mousemove --sync $((left + $1)) $((top + $2))
    sleep 0.1
}

click() {
    point "$1" "$2"
    xdotool click 1
    sleep 0.4
}

double_click() {
    point "$1" "$2"
    xdotool click --repeat 2 --delay 60 1
    sleep 0.4
}

# The left button held from (x1, y) to (x2, y), over a point between.
drag_across() {
    point "$1" "$3"
    xdotool mousedown 1
    sleep 0.2
    point $((($1 + $2) / 2)) "$3"
    point "$2" "$3"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
}

key() {
    xdotool key "$1"
    sleep 0.3
}

typing() {
    xdotool type --delay 30 "$1"
    sleep 0.3
}

# Ends the window manager once the program is gone.
end_window_manager() {
    kill "$wm" 2>/dev/null || true
}
