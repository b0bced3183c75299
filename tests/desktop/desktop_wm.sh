#!/bin/sh
# The window manager's keys and a person's mouse in the fields, on an X
# desktop with openbox and its default keys (under xvfb-run): the program
# starts with no script and is worked by xdotool's ordinary keys and
# pointer only. What happened is read from pictures of its screen and from
# the files made.
#   notarix: Alt+F4, which the window manager takes as its close, closes
#     the source list and, over a box, the box, and the program goes on;
#     Alt, Down and C close the function summary, a window without a menu
#     bar; the colour dialog opens on the page's colour in use.
#   gravlet: the colour dialog opens on the PAD's background in use, and OK
#     keeps it.
#   orbaline: the source chooser after a change of folder adds none of the
#     files picked in the folder left; in the save dialog a drag across a
#     part of the name and a double click on a word replace what they
#     select; the colour dialog opens on the chart's colour in use; the
#     window manager's close of the frame with a changed chart asks first,
#     once, and No keeps the program.
# Arguments: the mode, the program directory, desktop_probe, the work
# directory.
set -eu
mode=$1
program_dir=$2
probe=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
cd "$program_dir"
session="desktop window manager ($mode)"
. "$here/desktop_hands.sh"
await_tries=40
. "$here/desktop_wm_hands.sh"

alive() {
    kill -0 "$pid" 2>/dev/null || fail "the program ended: $1 ($(cat "$work/$mode.out"))"
}

titled() {
    [ "$(xdotool getwindowname "$window")" = "$1" ]
}

# Whether the frame of the last picture, its menu bar with no title
# selected and its view, is what picture $1 showed.
frame_as_in() {
    "$probe" alike "$1" 0 0 "$shot" 0 0 1024 585
}

# Whether two pixels, of picture $1 at ($2, $3) and of the last at ($4, $5),
# have one colour.
same_colour() {
    [ "$("$probe" pixel "$1" "$2" "$3")" = "$("$probe" pixel "$shot" "$4" "$5")" ]
}

# The colour dialog of the menu keys $1, over the view of picture $2 whose
# colour in use shows at ($3, $4): its 色の作成 (Alt+D) shows the colour it
# starts at, the one in use; OK keeps it.
COLOUR_DIALOG="377 237 550 295"
COLOUR_SAMPLE="686 450"
colour_dialog_starts_at_the_colour_in_use() {
    xdotool key --delay 150 $1
    await "no colour dialog" changed_since "$2" "$COLOUR_DIALOG"
    key alt+d
    # shellcheck disable=SC2086
    await "the colour dialog does not start at the colour in use (left of it the view's)" \
        same_colour "$2" "$3" "$4" $COLOUR_SAMPLE
    key Return
    await "OK on the colour dialog did not keep the colour in use" frame_as_in "$2"
}

case $mode in
notarix)
    # a second try starts from the same settings and generates again
    if [ -f nx1000s.prm.first ]; then cp nx1000s.prm.first nx1000s.prm; else cp nx1000s.prm nx1000s.prm.first; fi
    rm -f sample.lin sample.fss sample.fsm sample.flt
    start_program notarix
    await "no picture of the start" true
    key alt+f
    key o
    sleep 1
    typing "$program_dir/sample.c"
    key Return
    sleep 1.5
    key Return
    await "sample.c was not opened" titled "sample.c - NOTARIX"
    opened=$shot

    # 表示 → ソースリスト, then the window manager's Alt+F4: the source list
    # closes, the frame stays with no menu selected
    key alt+v
    key s
    await "no source list" changed_since "$opened" "220 130 600 400"
    key alt+F4
    await "Alt+F4 did not close the source list and only it" frame_as_in "$opened"
    alive "Alt+F4 in the source list"

    # ヘルプ → バージョン情報, a box over the frame: Alt+F4 is its OK
    key alt+h
    key a
    await "no version box" changed_since "$opened" "290 250 320 120"
    key alt+F4
    await "Alt+F4 did not close the version box" frame_as_in "$opened"
    alive "Alt+F4 over the version box"

    # 表示 → 関数サマリー, no menu bar: Alt selects its system menu (the icon
    # raised), Down opens it, C is 閉じる
    key alt+v
    key r
    await "no function summary" changed_since "$opened" "220 130 600 300"
    summary=$shot
    key alt
    await "Alt did not select the summary's system menu" changed_since "$summary" "202 102 22 22"
    key Down
    await "Down did not open the system menu" changed_since "$summary" "204 124 150 100"
    key c
    await "C did not close the function summary" frame_as_in "$opened"

    # 設定 → 仕様書背景色
    colour_dialog_starts_at_the_colour_in_use "alt+s b" "$opened" 700 400
    ;;
gravlet)
    printf '/* FUNCTION : counts */\nint count(int x)\n{\n    if (x > 1) {\n        x = 1;\n    }\n    return x;\n}\n' >count.c
    rm -f count.pds count.flt
    start_program gravlet
    await "no picture of the start" true
    start=$shot
    click 30 42
    click 60 64
    sleep 1
    typing "$program_dir/count.c"
    key Return
    sleep 2
    key Return
    await "the source is not shown" changed_since "$start" "20 90 600 480"
    opened=$shot
    # 設定 → 色設定 → ＰＡＤ図背景色
    colour_dialog_starts_at_the_colour_in_use "alt+o c b" "$opened" 700 400
    ;;
orbaline)
    rm -rf 資料 a.c b.c
    mkdir 資料
    printf '/* NAME : sales */\n/* FUNCTION : adds the sales up */\nint total(void)\n{\n    log_sale();\n    return count();\n}\n\n/* FUNCTION : counts them */\nint count(void)\n{\n    return 2;\n}\n' >資料/売上.c
    printf 'int a(void) { return 1; }\n' >a.c
    printf 'int b(void) { return 2; }\n' >b.c
    start_program orbaline
    await "no picture of the start" true
    start=$shot
    # ﾌｧｲﾙ → 新規作成..., 生成対象ファイル選択...: the chooser in the program's
    # folder; a.c and b.c picked, then a double click into 資料
    click 30 42
    click 60 64
    await "no source list dialog" changed_since "$start" "154 178 592 266"
    list_dialog=$shot
    click 660 220
    await "no file dialog" changed_since "$list_dialog" "261 250 503 270"
    chooser=$shot
    click 300 328
    xdotool keydown ctrl
    click 300 344
    xdotool keyup ctrl
    double_click 516 344
    await "the folder list did not go into 資料" changed_since "$chooser" "276 320 190 110"
    in_folder=$shot
    # 追加 now adds nothing: the field shows the pattern, no names
    click 703 500
    await "追加 after the change of folder did not say that nothing is picked" \
        changed_since "$in_folder" "372 328 280 112"
    key Return
    double_click 300 328
    await "the source is not listed" changed_since "$list_dialog" "171 238 404 20"
    listed=$shot
    # 保存...: the name typed, "chart" dragged across and replaced by
    # "sales", the word "old " double-clicked and replaced by "new_"
    click 660 340
    await "no save dialog" changed_since "$listed" "261 266 503 236"
    typing "old chart.nam"
    drag_across 300 326 320
    typing sales
    double_click 284 320
    typing new_
    key Return
    for _ in $(seq 1 40); do [ -f 資料/new_sales.nam ] && break; sleep 0.25; done
    [ -f 資料/new_sales.nam ] || fail "the list was not saved as 資料/new_sales.nam: $(ls 資料)"
    [ "$(grep -c . 資料/new_sales.nam)" -eq 1 ] || fail "the list names more than 売上.c: $(cat 資料/new_sales.nam)"
    LC_ALL=C grep -q "$(printf '\224\204\217\343.c')" 資料/new_sales.nam || fail "the list does not name 売上.c"
    # 生成実行: the chart of total, log_sale (undefined) and count
    click 660 391
    for _ in $(seq 1 40); do [ -f 資料/new_sales.trd ] && break; sleep 0.25; done
    [ -f 資料/new_sales.trd ] || fail "no chart was generated: $(ls 資料)"
    await "the chart is not shown" titled "new_sales.nam - ORBALINE"
    await "the chart is not drawn" changed_since "$start" "20 90 600 480"
    opened=$shot
    # 設定 → 色設定 → 構造図背景色
    colour_dialog_starts_at_the_colour_in_use "alt+o c b" "$opened" 600 400

    # 編集 → 未定義関数全削除, Yes: the chart is changed. The window
    # manager's close asks first, once: No keeps the program and the chart.
    key alt+e
    key u
    await "no question before the deletion" changed_since "$opened" "362 328 300 112"
    key y
    await "log_sale was not deleted" changed_since "$opened" "100 140 160 30"
    changed_chart=$shot
    key alt+F4
    await "the window manager's close did not ask first" changed_since "$changed_chart" "358 328 308 112"
    key n
    await "No did not keep the changed chart" frame_as_in "$changed_chart"
    sleep 1
    picture
    frame_as_in "$changed_chart" || fail "a second question came after No (picture $shot)"
    alive "No to the question on closing"
    # and Yes ends it
    key alt+F4
    await "the window manager's close did not ask again" changed_since "$changed_chart" "358 328 308 112"
    key y
    code=0
    wait "$pid" || code=$?
    end_window_manager
    [ "$code" -eq 0 ] || fail "the program ended with exit code $code: $(cat "$work/$mode.out")"
    echo "desktop window manager ($mode): ok"
    exit 0
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
echo "desktop window manager ($mode): ok"
