#!/bin/sh
# Scroll bars, the wheel and drop-down lists at a person's hands on an X
# desktop (run under xvfb-run): the program starts with no script and is
# worked with xdotool's pointer; what each act changed is read from the
# platform's own pictures of its screen (the Print key), taken until the
# change shows. At the end closing the X window (once more for each window
# still open over the frame) must end the program with 0.
# Arguments: the mode (notarix, gravlet or orbaline: which program, with its
# document), the program directory, desktop_probe, the work directory.
set -eu
mode=$1
program_dir=$2
probe=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
cd "$program_dir"
. "$here/desktop_hands.sh"

fail() {
    echo "desktop scroll ($mode): $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

# Points of the 1024 x 768 virtual screen, as the platform's fixed metrics
# lay out the frame (880 x 600 at 10, 10) of all three programs: the page
# view's vertical bar (arrows 16 high at each end of its 500-pixel height),
# a point on the page, the page's area, the File menu and its open item.
BAR_X=878
UP_ARROW_Y=95
DOWN_ARROW_Y=579
TRACK_TOP=103
TRACK_BOTTOM=571
PAGE="20 90 600 490"
ON_PAGE_X=300
ON_PAGE_Y=300
FILE_MENU_X=30
FILE_MENU_Y=42
case $mode in
notarix)
    program=notarix
    document=sample.c
    open_item_y=64
    # The sample's document, made once without a person; and how the form
    # editor looks scrolled to its last column, for the comparison below.
    cat >prepare.script <<'EOF'
menu "ファイル(&F)/開く(&O)..."
answer-file "sample.c"
answer IDOK
menu 20484
menu "編集(&E)/フォーム編集(&F)"
scroll class:FRMVIEW h bottom
capture class:FRMVIEW form-last-column.png
EOF
    PLATFORM_SCRIPT="$program_dir/prepare.script" ./notarix >"$work/prepare.out" 2>&1 ||
        fail "the document could not be made: $(cat "$work/prepare.out")"
    ;;
gravlet)
    program=gravlet
    document=long.c
    open_item_y=64
    ;;
orbaline)
    program=orbaline
    document=print45.nam
    open_item_y=82
    ;;
*)
    fail "no mode $mode"
    ;;
esac

start_program $program
sleep 1

# The left button held from the first point through the others.
drag() {
    point "$1" "$2"
    xdotool mousedown --window "$window" 1
    shift 2
    while [ $# -ge 2 ]; do
        point "$1" "$2"
        shift 2
    done
    xdotool mouseup --window "$window" 1
}

thumb() {
    "$probe" thumb "$shot" $BAR_X $TRACK_TOP $BAR_X $TRACK_BOTTOM
}

thumb_is() {
    [ "$(thumb)" -eq "$1" ]
}

thumb_below() {
    [ "$(thumb)" -gt "$1" ]
}

thumb_above() {
    [ "$(thumb)" -lt "$1" ]
}

ruler_as_scrolled_to_the_end() {
    "$probe" alike "$program_dir/form-last-column.png" 4 44 "$shot" 104 84 576 16
}

await "no picture of the start" true
start=$shot
# The document through the File menu's open dialog; GRAVLET and ORBALINE
# ask before they generate what is missing, and Enter lets them.
click $FILE_MENU_X $FILE_MENU_Y
click 60 $open_item_y
xdotool type --window "$window" --delay 20 "$program_dir/$document"
xdotool key --window "$window" Return
if [ "$mode" != notarix ]; then
    sleep 1.5
    xdotool key --window "$window" Return
fi
await "the document is not shown" changed_since "$start" "$PAGE"
await "the vertical bar's thumb is not at the top" thumb_is 0
opened=$shot

# A click on the down arrow moves the page one line, a notch of the wheel
# three lines, and the thumb dragged to the end of the bar shows the page's
# bottom. NOTARIX's page view has 41 rows to scroll through: the thumb moves
# 11 pixels a row of its 452-pixel run.
click $BAR_X $DOWN_ARROW_Y
await "the down arrow did not move the thumb" thumb_below 0
await "the down arrow did not move the page" changed_since "$opened" "$PAGE"
[ "$mode" != notarix ] || thumb_is 11 || fail "the down arrow moved the page to thumb $(thumb), not one row"
after_arrow=$shot
line=$(thumb)
point $ON_PAGE_X $ON_PAGE_Y
xdotool click --window "$window" 5
await "the wheel did not move the thumb" thumb_below "$line"
await "the wheel did not move the page" changed_since "$after_arrow" "$PAGE"
[ "$mode" != notarix ] || thumb_is 44 || fail "a notch moved the page to thumb $(thumb), not three rows on"
after_wheel=$shot
grip=$((TRACK_TOP + $(thumb) + 8))
drag $BAR_X $grip $BAR_X 200 $BAR_X 300 $BAR_X 400 $BAR_X 500 $BAR_X 600 $BAR_X 700
await "the thumb did not reach the end of the bar" thumb_is 452
await "the page did not follow the thumb" changed_since "$after_wheel" "$PAGE"
# The up arrow held down is drawn pushed in and goes on stepping, well
# past the one row a click moves.
at_bottom=$shot
point $BAR_X $UP_ARROW_Y
xdotool mousedown --window "$window" 1
await "the held up arrow is not drawn pushed in" changed_since "$at_bottom" "$BAR_X 87 1 16"
await "the held up arrow did not repeat" thumb_above $((452 - 3 * line))
xdotool mouseup --window "$window" 1
sleep 0.5
await "no picture after the arrow" true
before_dialog=$shot

if [ "$mode" = notarix ]; then
    # The generation parameters: a click on マクロ展開形式's arrow opens its
    # list under the field; a click on the second item picks it.
    FIELD="402 263 280 18"
    LIST="402 283 297 66"
    click 269 42
    click 290 100
    sleep 1
    await "no generation parameters" changed_since "$before_dialog" "185 182 530 256"
    dialog=$shot
    click 689 272
    await "the drop-down list did not open" changed_since "$dialog" "$LIST"
    listed=$shot
    click 500 307
    await "the item was not picked" changed_since "$listed" "$FIELD"
    await "the list did not close" changed_since "$listed" "$LIST"
    picked=$shot
    click 617 413
    await "the parameters did not close" changed_since "$picked" "185 182 530 256"
    no_dialog=$shot

    # The form editor's horizontal bar: the thumb dragged to the right end
    # and one more step right show the last column, 112, as the program's
    # own SB_RIGHT does (the picture made before the session).
    click 108 42
    click 130 64
    await "no form editor" changed_since "$no_dialog" "100 40 600 720"
    editor=$shot
    drag 128 748 200 748 300 748 400 748 500 748 600 748 700 748
    await "the form did not scroll" changed_since "$editor" "104 84 576 16"
    click 672 748
    await "the ruler does not end at column 112" ruler_as_scrolled_to_the_end
    # The window's close is the close of the window worked in, the form
    # editor; the frame stays for the close below.
    "$probe" close "$window"
    editor_gone() {
        "$probe" alike "$no_dialog" 0 0 "$shot" 0 0 1024 768
    }
    await "the window's close did not close the form editor alone" editor_gone
fi

"$probe" close "$window"
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code: $(cat "$work/$program.out")"
echo "desktop scroll ($mode): ok"
