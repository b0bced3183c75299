# Sourced by the desktop sessions: a program started on the X desktop with
# no script, the pointer's acts, and the platform's own pictures of its
# screen. The session defines fail, work and probe; its programs keep their
# state in $work/home and run with no script.
export PLATFORM_HOME="$work/home"
unset PLATFORM_SCRIPT PLATFORM_SHOW
mkdir -p "$PLATFORM_HOME"

# Starts ./$1 in this directory and waits for its window, the one named
# after the program (SDL may open and close others while it starts): $pid,
# $window.
# On an X server SDL opens libdbus for the input method; libdbus keeps its
# connection's blocks to the end and they carry no stack a suppression could
# match. Our own leaks are checked by the in-process desktop tests.
open_program() {
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "./$1" >"$work/$1.out" 2>&1 &
    pid=$!
    window=""
    name=$(echo "$1" | tr a-z A-Z)
    for _ in $(seq 1 300); do
        window=$(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | tail -n 1) || true
        # a window that is gone again a moment later was one of SDL's own
        if [ -n "$window" ]; then
            sleep 0.3
            xdotool getwindowname "$window" >/dev/null 2>&1 && return 0
        fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window came: $(cat "$work/$1.out")"
        sleep 0.2
    done
    fail "no window in 60 s"
}

start_program() {
    open_program "$1"
}

# A picture of the program's screen, numbered on; $shot names the last one.
# Under a window manager (ordinary=1), whose default keys keep the Print
# key, it is what the X window shows, as a person sees it; without one, the
# platform's own picture (its Print key, sent to the window, for nothing
# gives the focus).
pictures=0
picture() {
    pictures=$((pictures + 1))
    if [ -n "${ordinary:-}" ]; then
        mkdir -p "$work/shots"
        shot=$(printf '%s/shots/shot-%04d.png' "$work" "$pictures")
        if ! "$probe" shot "$window" "$shot" >/dev/null; then
            kill -0 "$pid" 2>/dev/null || fail "the program ended (picture $pictures)"
            fail "no picture of the window $window"
        fi
        return 0
    fi
    shot=$(printf '%s/screens/screen-%04d.png' "$PLATFORM_HOME" "$pictures")
    xdotool key --window "$window" Print
    for _ in $(seq 1 50); do
        [ -f "$shot" ] && return 0
        sleep 0.1
    done
    fail "the Print key made no picture $shot"
}

# The pointer to a point of the screen, and a click or a double click there.
point() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
}

click() {
    point "$1" "$2"
    xdotool click --window "$window" 1
    sleep 0.3
}

double_click() {
    point "$1" "$2"
    xdotool click --window "$window" --repeat 2 --delay 60 1
    sleep 0.3
}

# Pictures are taken until the check holds, for at most about
# $await_tries / 4 s.
await_tries=20
await() {
    what=$1
    shift
    for _ in $(seq 1 "$await_tries"); do
        picture
        if "$@" >/dev/null; then return 0; fi
        sleep 0.25
    done
    fail "$what (last picture $shot)"
}

# Whether the area "X Y W H" of the last picture differs from picture $1's.
changed_since() {
    # shellcheck disable=SC2086
    "$probe" changed "$1" "$shot" $2
}
