#!/bin/sh
# A person's work on an X desktop with a window manager (openbox, run under
# xvfb-run): the program starts with no script and is worked only by
# xdotool's ordinary pointer, wheel and keys, sent to wherever the window
# manager put the window, never to a named window. What happened is read
# from pictures of its screen and from the files made.
#   orbaline: 新規作成, a source chosen through the file dialog from the
#     folder 資料, the list saved, 生成実行: a chart.
#   gravlet: 関数一覧 of a source of 40 functions, the 30th reached by the
#     wheel and chosen with a double click: its PAD is shown.
# Arguments: the mode, the program directory, desktop_probe, the work
# directory.
set -eu
mode=$1
program_dir=$2
probe=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
cd "$program_dir"
session="desktop person ($mode)"
. "$here/desktop_hands.sh"
await_tries=40
. "$here/desktop_wm_hands.sh"

# Whether the counter and caption pane of the last picture are those of
# picture $1.
counter_as_in() {
    # shellcheck disable=SC2086
    "$probe" alike "$1" $COUNTER_AT "$shot" $COUNTER_AT $COUNTER_SIZE
}

# The frame (880 x 600 at 10, 10) and its File and View menus; the dialogs
# come up in the middle of the screen.
FILE_MENU="30 42"
VIEW_MENU="108 42"
VIEW="20 90 600 480"
# GRAVLET's function counter and caption pane in the control bar
COUNTER="394 56 490 18"
COUNTER_AT="394 56"
COUNTER_SIZE="490 18"

case $mode in
orbaline)
    rm -rf 資料
    mkdir 資料
    printf '/* NAME : sales */\n/* FUNCTION : adds the sales up */\nint total(void)\n{\n    return count();\n}\n\n/* FUNCTION : counts them */\nint count(void)\n{\n    return 2;\n}\n' >資料/売上.c
    start_program orbaline
    await "no picture of the start" true
    start=$shot
    # ﾌｧｲﾙ → 新規作成...: the source list dialog; 生成対象ファイル選択...
    # opens the file dialog in the program's folder, where a double click on
    # 資料 goes in and one on 売上.c chooses it.
    click $FILE_MENU
    click 60 64
    await "no source list dialog" changed_since "$start" "154 178 592 266"
    list_dialog=$shot
    click 660 220
    await "no file dialog" changed_since "$list_dialog" "261 250 503 270"
    double_click 516 344
    await "the folder list did not go into 資料" changed_since "$list_dialog" "276 320 190 110"
    double_click 300 328
    await "the source is not listed" changed_since "$list_dialog" "171 238 404 20"
    listed=$shot
    # 保存...: the save dialog opens where the source was chosen; the list
    # is named there.
    click 660 340
    await "no save dialog" changed_since "$listed" "261 266 503 236"
    typing chart.nam
    key Return
    for _ in $(seq 1 40); do [ -f 資料/chart.nam ] && break; sleep 0.25; done
    [ -f 資料/chart.nam ] || fail "the list was not saved in 資料: $(ls)"
    LC_ALL=C grep -q "$(printf '\216\221\227\277/\224\204\217\343.c')" 資料/chart.nam ||
        fail "the list does not name 資料/売上.c: $(cat 資料/chart.nam)"
    await "no picture after the save" true
    saved=$shot
    # 生成実行, and Enter to the question before the generation: the chart
    # of total and count.
    click 660 391
    sleep 1.5
    key Return
    for _ in $(seq 1 40); do [ -f 資料/chart.trd ] && break; sleep 0.25; done
    [ -f 資料/chart.trd ] || fail "no chart was generated: $(ls 資料)"
    await "the chart is not shown" changed_since "$start" "$VIEW"
    ;;
gravlet)
    : >many.c
    n=1
    while [ $n -le 40 ]; do
        printf '/* FUNCTION : step %d */\nint step%02d(int x)\n{\n' $n $n >>many.c
        i=0
        while [ $i -lt $((n % 5 + 1)) ]; do
            printf '    if (x > %d) {\n        x = %d;\n    }\n' $((n + i)) $((n * 10 + i)) >>many.c
            i=$((i + 1))
        done
        printf '    return x;\n}\n\n' >>many.c
        n=$((n + 1))
    done
    start_program gravlet
    await "no picture of the start" true
    start=$shot
    click $FILE_MENU
    click 60 64
    sleep 1
    typing "$program_dir/many.c"
    key Return
    sleep 2
    key Return
    await "the source is not shown" changed_since "$start" "$VIEW"
    opened=$shot
    # 画面 → 関数一覧: the list shows 13 rows of 40; six notches of the wheel
    # over it scroll 18 rows, and the 30th row is the twelfth shown.
    click 146 42
    click 170 82
    await "no function list" changed_since "$opened" "133 152 634 316"
    listed=$shot
    point 400 300
    xdotool click --repeat 6 --delay 80 5
    await "the wheel did not scroll the list" changed_since "$listed" "148 204 588 218"
    double_click 250 $((204 + 11 * 16 + 8))
    await "the 30th function was not chosen" changed_since "$listed" "$COUNTER"
    chosen=$shot
    # what the counter and the caption pane show for it (the list closed
    # by 閉じる): the same as ten steps back from the last function by the
    # keys
    click 510 443
    key F4
    await "F4 did not go to the last function" changed_since "$chosen" "$COUNTER"
    for _ in 1 2 3 4 5 6 7 8 9 10; do key F2; done
    await "the function chosen is not the 30th" counter_as_in "$chosen"
    ;;
*)
    fail "no mode $mode"
    ;;
esac

"$probe" close "$window"
code=0
wait "$pid" || code=$?
end_window_manager
[ "$code" -eq 0 ] || fail "the program ended with exit code $code: $(cat "$work/$mode.out")"
echo "desktop person ($mode): ok"
