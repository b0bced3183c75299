#!/bin/sh
# The keyboard at a person's hands on an X desktop with a window manager
# (openbox, under xvfb-run): NOTARIX starts with no script, takes the focus
# from the window manager, and is worked with xdotool's ordinary key events
# (to the focused window, as a keyboard's). F10 and Right walk the menu bar
# through 設定, 生成 and 印刷, whose popups have 8 to 15 items; P opens the
# print parameters, and Tab to a check box shows its dotted focus
# rectangle. What each key did is read from the platform's own pictures of
# its screen. At the end closing the X window must end the program with 0.
# The window manager runs with its default keys.
# Arguments: the mode (notarix), the program directory, desktop_probe, the
# work directory.
set -eu
program_dir=$2
probe=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
work=$4
here=$(cd "$(dirname "$0")" && pwd)
cd "$program_dir"
session="desktop keys"
. "$here/desktop_hands.sh"
. "$here/desktop_wm_hands.sh"

titled() {
    [ "$(xdotool getwindowname "$window")" = "$1" ]
}

# Keys go where the window manager put the focus, as a keyboard's do.
key() {
    xdotool key --delay 120 "$@"
    sleep 0.3
}

# A second try starts from the same settings.
if [ -f nx1000s.prm.first ]; then cp nx1000s.prm.first nx1000s.prm; else cp nx1000s.prm nx1000s.prm.first; fi

start_program notarix
for _ in $(seq 1 50); do
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && break
    sleep 0.2
done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] || fail "the window manager gave the program no focus"
sleep 0.5

await "no picture of the start" true
start=$shot

# sample.c by the keys: Alt+F, O, its name typed and Enter; the notice
# before its generation is answered with Enter.
key alt+f o
sleep 1
xdotool type --delay 20 "$program_dir/sample.c"
key Return
sleep 1.5
key Return
await "sample.c was not opened" titled "sample.c - NOTARIX"
opened=$shot

# Points of the 1024 x 768 virtual screen, NOTARIX's frame (880 x 600 at
# 10, 10): each popup opens under its title, its left edge at the title's
# (設定 191, 生成 244, 印刷 298); the strip left of it shows the page as it was.
popup_under() {
    "$probe" changed "$opened" "$shot" "$1" 60 40 130 && "$probe" alike "$opened" "$2" 60 "$shot" "$2" 60 40 130
}

# F10 selects ファイル; three times Right goes over 編集 and 表示 to 設定,
# whose popup Down opens; Right in it goes on to 生成 and to 印刷.
key F10 Right Right Right Down
await "F10, Right x 3 and Down did not open 設定's popup" popup_under 195 150
key Right
await "Right did not go on to 生成's popup" popup_under 248 195
key Right
await "Right did not go on to 印刷's popup" popup_under 302 250

# P takes 印刷パラメタ設定, whose first tab stop is the A4 radio button; Tab
# goes to the check box 外枠印刷, whose label the dotted rectangle then rounds:
# one pixel in two of its lines inverted from the dialog's grey.
key p
await "P did not open the print parameters" changed_since "$opened" "190 115 520 390"
dialog=$shot
dotted() {
    for at in "431 151" "433 151" "432 164" "430 152" "481 153"; do
        # shellcheck disable=SC2086
        [ "$("$probe" pixel "$shot" $at)" = "#3f3f3f" ] || return 1
    done
    for at in "432 151" "431 164" "430 153" "481 152"; do
        # shellcheck disable=SC2086
        [ "$("$probe" pixel "$shot" $at)" = "#c0c0c0" ] || return 1
    done
}
shot=$dialog
if dotted; then fail "the check box showed the focus before Tab (picture $dialog)"; fi
key Tab
await "Tab to the check box shows no focus rectangle round its label" dotted
key Tab
await "Tab did not go on to the next check box" changed_since "$dialog" "410 170 130 25"
if dotted; then fail "the focus rectangle stayed on the check box after Tab went on (picture $shot)"; fi
key Escape
closed() {
    "$probe" alike "$opened" 190 115 "$shot" 190 115 420 390
}
await "Esc did not close the print parameters" closed

"$probe" close "$window"
code=0
wait "$pid" || code=$?
end_window_manager
[ "$code" -eq 0 ] || fail "the program ended with exit code $code: $(cat "$work/notarix.out")"
echo "desktop keys: ok"
