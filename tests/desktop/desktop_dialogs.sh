#!/bin/sh
# The common dialogs at a person's hands on an X desktop (run under
# xvfb-run): NOTARIX starts with no script and is worked with xdotool's
# pointer (the font's name is typed); what each dialog did is read from the
# platform's own pictures of its screen, the printed PDFs and the settings
# file. At the end closing the X window must end the program with 0.
# Arguments: the mode (notarix), the program directory, desktop_probe, the
# work directory.
set -eu
program_dir=$2
probe=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
cd "$program_dir"
. "$here/desktop_hands.sh"

fail() {
    echo "desktop dialogs: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

# A second try starts from the same settings and no printed jobs.
if [ -f nx1000s.prm.first ]; then cp nx1000s.prm.first nx1000s.prm; else cp nx1000s.prm nx1000s.prm.first; fi
rm -rf "$PLATFORM_HOME/print"

# The source in a folder of its own, and an editor beside it for the folder
# button: the dialog opens where the last file was chosen.
mkdir -p samples
if [ -f sample.c ]; then mv sample.c sample.hd* samples/; fi
: >samples/editor.exe

start_program notarix
sleep 1

colour_at() {
    [ "$("$probe" pixel "$shot" "$1" "$2")" = "$3" ]
}

titled() {
    [ "$(xdotool getwindowname "$window")" = "$1" ]
}

# Prints the function pages (answering its question) and waits for job $1
# to be written whole.
print_spec() {
    click 323 42
    click 370 189
    sleep 1
    xdotool key --window "$window" Return
    job="$PLATFORM_HOME/print/job-000$1.pdf"
    for _ in $(seq 1 40); do
        if [ -f "$job" ] && tail -c 8 "$job" | grep -q EOF; then return 0; fi
        sleep 0.25
    done
    fail "no printed job $1"
}

# Points of the 1024 x 768 virtual screen: NOTARIX's frame (880 x 600 at
# 10, 10) with its menus, and the dialogs, which come up in the middle.
# The areas are those of the open, colour, printer set-up and font dialogs.
OPEN_DIALOG="260 265 503 238"
COLOUR_DIALOG="376 235 272 298"
PRINTER_DIALOG="255 259 514 250"
FONT_DIALOG="276 247 472 274"

await "no picture of the start" true
start=$shot

# ファイル→開く: into the folder by a double click on its row, and sample.c
# by a double click on the file list; the notice before its generation is
# answered with Enter.
click 45 42
click 60 64
await "no open dialog" changed_since "$start" "$OPEN_DIALOG"
dialog=$shot
double_click 526 361
await "the folder list did not go into samples" changed_since "$dialog" "275 334 192 112"
double_click 304 344
sleep 1.5
xdotool key --window "$window" Return
await "sample.c was not opened" titled "sample.c - NOTARIX"
opened=$shot

# 設定→仕様書背景色: the fifth basic colour (128, 255, 255) and OK; the page
# background takes it.
click 215 42
click 260 117
await "no colour dialog" changed_since "$opened" "$COLOUR_DIALOG"
click 527 288
click 445 513
await "the page background is not the colour picked" colour_at 740 300 "#80ffff"

# 印刷→プリンタ設定: OK on what it shows, a print; then 縦 there, 印刷用フォント
# 指定 with IPAGothic, and another print: both PDFs lie as the print
# parameters say (the settings' orientation), the second in IPA Gothic.
coloured=$shot
click 323 42
click 360 81
await "no printer set-up" changed_since "$coloured" "$PRINTER_DIALOG"
click 604 486
print_spec 1
await "no picture after the print" true
printed=$shot
click 323 42
click 360 81
await "no printer set-up" changed_since "$printed" "$PRINTER_DIALOG"
click 636 433
click 604 486
click 323 42
click 370 99
await "no font dialog" changed_since "$printed" "$FONT_DIALOG"
xdotool type --window "$window" --delay 20 IPAGothic
xdotool key --window "$window" Return
print_spec 2
first="$PLATFORM_HOME/print/job-0001.pdf"
second="$PLATFORM_HOME/print/job-0002.pdf"
# 0 Ａ４横, else Ａ４縦
orientation=$(od -An -tu2 -j1178 -N2 nx1000s.prm | tr -d ' ')
width=595
[ "$orientation" = 0 ] && width=841
grep -a -q "/MediaBox \\[ 0 0 $width" "$first" || fail "the first job does not lie as the print parameters say"
grep -a -q '+IPAMincho' "$first" || fail "the first job is not in the program's Mincho"
grep -a -q "/MediaBox \\[ 0 0 $width" "$second" || fail "the job after 縦 in the set-up does not lie as the print parameters say"
grep -a -q '+IPAGothic' "$second" || fail "the job after the font dialog is not in IPA Gothic"
if grep -a -q '+IPAMincho' "$second"; then fail "the job after the font dialog still has Mincho text"; fi

# 設定→環境設定: the folder button beside the editor's field opens the open
# dialog, a double click on editor.exe fills the field, 登録 keeps it.
await "no picture after the prints" true
printed=$shot
click 215 42
click 250 63
await "no environment dialog" changed_since "$printed" "256 238 388 146"
environment=$shot
click 607 323
await "the folder button opened no dialog" changed_since "$environment" "$OPEN_DIALOG"
double_click 304 344
filled() {
    "$probe" alike "$environment" 260 390 "$shot" 260 390 500 110 && changed_since "$environment" "272 317 300 12"
}
await "the open dialog did not close with the field filled" filled
click 391 358
sleep 0.5
editor=$(printf '%s/samples/editor.exe' "$program_dir" | tr 'A-Z' 'a-z')
grep -a -q -F "$editor" nx1000s.prm || fail "the editor chosen ($editor) is not in the settings"

"$probe" close "$window"
code=0
wait "$pid" || code=$?
[ "$code" -eq 0 ] || fail "the program ended with exit code $code: $(cat "$work/notarix.out")"
echo "desktop dialogs: ok"
