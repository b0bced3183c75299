#!/bin/sh
# A person's session with NOTARIX on an X desktop (run under xvfb-run): the
# program starts with no script, shows its screen in a window, and is worked
# with xdotool's pointer and keys only: menus by the mouse and by Alt+F,
# the frame moved by its caption. At the end the X window's pixels must be
# the platform's own picture of its screen, and closing the X window must
# end the program with exit code 0. Started again, the frame is where it was
# moved to, and Alt+F4 ends the program with exit code 0.
# Mode "idle": the program, left alone, must take less than 1 % of a core
# over five seconds.
# Arguments: the mode (session or idle), the program directory,
# desktop_probe, the work directory.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
program_dir=$2
probe=$3
work=$4

fail() {
    echo "desktop session: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

# The program is waiting for the person once its screen stops changing: two
# Print pictures taken a moment apart are the same.
settle() {
    sleep "${1:-1}"
}

cd "$program_dir"
. "$here/desktop_hands.sh"
start_program notarix
settle 2

if [ "$mode" = idle ]; then
    # utime and stime, fields 14 and 15 of /proc/PID/stat, in clock ticks
    # (the name in field 2 has no blanks here).
    ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
    before=$(ticks)
    sleep 5
    after=$(ticks)
    hz=$(getconf CLK_TCK)
    used=$((after - before))
    # 1 % of a core over 5 s is 5 % of one second's ticks.
    limit=$((hz * 5 / 100))
    echo "desktop idle: $used ticks in 5 s (limit under $limit, $hz a second)"
    [ "$used" -lt "$limit" ] || fail "the idle program took $used ticks in 5 s"
    "$probe" close "$window"
    wait "$pid" || fail "the program did not end cleanly"
    exit 0
fi

# Points on the virtual screen, as laid out by the platform's fixed metrics:
# the frame's menu bar, the first item of the file menu.
. "$here/notarix_points.sh"

click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click --window "$window" 1
    settle 1
}

# A source without its document: NOTARIX says so in a message box, which
# Enter answers.
click $FILE_MENU_X $FILE_MENU_Y
picture   # the file menu open
click $OPEN_ITEM_X $OPEN_ITEM_Y
xdotool type --window "$window" --delay 30 "$work/doc/lonely.c"
settle 1
picture   # the open dialog with the name typed
xdotool key --window "$window" Return
settle 2
picture   # the message box
xdotool key --window "$window" Return
settle 1

# The document itself, then the next page with F1.
click $FILE_MENU_X $FILE_MENU_Y
click $OPEN_ITEM_X $OPEN_ITEM_Y
xdotool type --window "$window" --delay 30 "$work/doc/headed.lin"
xdotool key --window "$window" Return
settle 2
xdotool key --window "$window" F1
settle 2

# Alt+F opens the file menu from the keyboard with its first item lit;
# Esc goes back to the menu bar, a second Esc leaves it.
xdotool key --window "$window" alt+f
settle 1
picture
lit=$("$probe" pixel "$shot" $OPEN_ITEM_CLEAR_X $OPEN_ITEM_Y)
[ "$lit" = "#000080" ] || fail "Alt+F did not open the file menu with its first item lit (the item shows $lit)"
xdotool key --window "$window" Escape
xdotool key --window "$window" Escape
settle 1

# The frame dragged by its caption.
xdotool mousemove --window "$window" $CAPTION_X $CAPTION_Y
sleep 0.2
xdotool mousedown --window "$window" 1
for step in 1 2 3 4; do
    xdotool mousemove --window "$window" $((CAPTION_X + CAPTION_DX * step / 4)) $((CAPTION_Y + CAPTION_DY * step / 4))
    sleep 0.1
done
xdotool mouseup --window "$window" 1
settle 1
moved_x=$((CAPTION_X + CAPTION_DX))
moved_y=$((CAPTION_Y + CAPTION_DY))
picture
caption=$("$probe" pixel "$shot" $moved_x $moved_y)
[ "$caption" = "#000080" ] || fail "the caption drag did not move the frame (its new caption place shows $caption)"

# The X window carries the main window's title: the document is open.
title=$(xdotool getwindowname "$window")
[ "$title" = "headed.c - NOTARIX" ] || fail "the window is titled \"$title\", not the open document's"

# The platform's picture of the final state, then the X server's.
picture
settle 1
xwd -silent -id "$window" >"$work/window.xwd"
"$probe" compare "$work/window.xwd" "$shot" || fail "the window does not show the platform's screen"

"$probe" close "$window"
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code after its window was closed: $(cat "$work/notarix.out")"

# Started again, the frame is where the person moved it; Alt+F4 ends it.
start_program notarix
settle 2
picture
caption=$("$probe" pixel "$shot" $moved_x $moved_y)
[ "$caption" = "#000080" ] || fail "the moved frame did not start where it was left (its caption place shows $caption)"
# (the window may be gone before the keys come up again)
xdotool key --window "$window" alt+F4 2>/dev/null || true
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code after Alt+F4: $(cat "$work/notarix.out")"
echo "desktop session: ok"
