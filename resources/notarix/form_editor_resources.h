// The form editor's and the layout window's resources: the editor's menu
// "NXW_frm_menu", the text dialog "FRMDLG", the editor's cursor
// "NXW_box_csr" and the layout window's magnifier "NXW_mag_csr".
// notarix/editor/form_editor.cpp registers them.
#pragma once

#include "platform/kernel/sjis_text.h"
#include "platform/user/resources.h"
#include "resources/notarix/notarix_resources.h"

namespace form_editor_resources {

inline constexpr int kTextFieldId = 28945;

// --- Menu "NXW_frm_menu" --------------------------------------------------------
// ORDER POSITION: the six popups in the order the editor greys them by
// position during a generation; the items of each in command-id order.
inline constexpr MenuItemTemplate kSeparator{MF_SEPARATOR};

inline constexpr MenuItemTemplate kFileItems[] = {
    {0, 4097, "開く(&O)..."_sjis},
    {0, 4098, "保存(&S)..."_sjis},
    kSeparator,
    {0, 4099, "フォーム編集の終了(&X)"_sjis},
};
inline constexpr MenuItemTemplate kCodeSetItems[] = {
    {0, 26113, "罫線コード（DOS/V）(&D)"_sjis},
    {0, 26114, "罫線コード（PC98）(&P)"_sjis},
};
inline constexpr MenuItemTemplate kGenerationItems[] = {

    {0, 25089, "仕様書レイアウトファイル生成(&L)"_sjis},
    kSeparator,

    {0, 25090, "仕様書レイアウト生成エラー表示(&E)"_sjis},
};
inline constexpr auto& kUndoItem = "ＵＮＤＯ(&U)"_sjis;
inline constexpr MenuItemTemplate kTextItems[] = {
    {0, 29185, "文字入力(&T)"_sjis},
    {0, 29186, "倍角文字入力(&W)"_sjis},
    kSeparator,
    {0, 29187, "文字消去(&D)"_sjis},
    {0, 29188, "文字領域消去(&R)"_sjis},
    kSeparator,
    {0, 29189, "文字全消去(&P)"_sjis},
    {0, 29190, "全消去(&A)"_sjis},
    kSeparator,
    {MF_GRAYED, 29193, kUndoItem},
};
inline constexpr MenuItemTemplate kLineItems[] = {
    {0, 33281, "細罫線入力(&S)"_sjis},
    {0, 33282, "太罫線入力(&W)"_sjis},
    kSeparator,
    {0, 33283, "罫線消去(&D)"_sjis},
    {0, 33284, "罫線領域消去(&R)"_sjis},
    kSeparator,
    {0, 33285, "罫線全消去(&P)"_sjis},
    {0, 33286, "全消去(&A)"_sjis},
    kSeparator,
    {MF_GRAYED, 33289, kUndoItem},
};
inline constexpr MenuItemTemplate kParameterItems[] = {
    {0, 37377, "システム名(&J)"_sjis},
    kSeparator,
    {0, 37378, "関数名(&N)"_sjis},
    {0, 37379, "関数機能概要(&G)"_sjis},
    {0, 37380, "関数処理内容(&P)"_sjis},
    kSeparator,
    {0, 37381, "使用関数(&C)"_sjis},
    kSeparator,
    {0, 37382, "関数形式(&T)"_sjis},
    {0, 37383, "引数の種類(&K)"_sjis},
    {0, 37384, "引数の名称（内容）(&M)"_sjis},
    {0, 37385, "使用ファイル(&I)"_sjis},
    {0, 37386, "備考(&R)"_sjis},
    kSeparator,
    {0, 37387, "ソースファイル名(&S)"_sjis},
    kSeparator,
    {0, 37388, "作成言語(&L)"_sjis},
    {0, 37389, "作成者(&A)"_sjis},
    {0, 37390, "改訂年月日(&D)"_sjis},
    {0, 37391, "作成年月日(&O)"_sjis},
    kSeparator,
    {0, 37392, "下見出し(&F)"_sjis},
    kSeparator,
    {MF_GRAYED, 37408, kUndoItem},
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "ﾌｧｲﾙ(&F)"_sjis, kFileItems},
    {MF_POPUP, 0, "設定(&O)"_sjis, kCodeSetItems},
    {MF_POPUP, 0, "生成(&C)"_sjis, kGenerationItems},
    {MF_POPUP, 0, "文字編集(&T)"_sjis, kTextItems},
    {MF_POPUP, 0, "罫線編集(&L)"_sjis, kLineItems},
    {MF_POPUP, 0, "ﾊﾟﾗﾒﾀ作成(&P)"_sjis, kParameterItems},
};
inline constexpr int kMenuPopupCount = 6;

inline constexpr MenuResource kMenus[] = {{"NXW_frm_menu", kMenuBar}};

// --- FRMDLG "【 文字列入力 】" ----------------------------------------------------
inline constexpr DialogItemTemplate kTextDialogItems[] = {
    {"STATIC", "文字列："_sjis, -1, 7, 9, 30, 8, 0},
    {"EDIT", "", kTextFieldId, 40, 7, 143, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "実行"_sjis, IDOK, 46, 26, 44, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", "取消"_sjis, IDCANCEL, 100, 26, 44, 14, WS_TABSTOP},
};
inline constexpr DialogTemplate kDialogs[] = {
    {"FRMDLG", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 190, 45,
     "【 文字列入力 】"_sjis,
     9, nullptr, nullptr, nullptr, kTextDialogItems},
};

// --- Cursors ------------------------------------------------------------------------
using notarix_resources::kBlack;
using notarix_resources::kClear;
using notarix_resources::kWhite;
using notarix_resources::paint_image;

// The editor's pointer: a cross with a small open box at its centre, which
// is the cell the pointer is on.
inline constexpr auto kBoxCursorPixels = paint_image<16, 16>([](int x, int y) {
    const bool box = (x >= 5 && x <= 10 && (y == 5 || y == 10)) || (y >= 5 && y <= 10 && (x == 5 || x == 10));
    const bool cross = (x == 7 || x == 8) ? (y < 4 || y > 11) : ((y == 7 || y == 8) && (x < 4 || x > 11));
    if (box || cross) return kBlack;
    if ((x >= 4 && x <= 11 && (y == 4 || y == 11)) || (y >= 4 && y <= 11 && (x == 4 || x == 11))) return kWhite;
    return kClear;
});
// The layout window's pointer: a magnifying glass, its hot spot the lens.
inline constexpr auto kMagnifierPixels = paint_image<16, 16>([](int x, int y) {
    const int dx = x - 6, dy = y - 6;
    const int d2 = dx * dx + dy * dy;
    if (d2 >= 16 && d2 <= 30) return kBlack;
    if (d2 < 16) return kWhite;
    if (x >= 9 && y >= 9 && x <= 14 && y <= 14 && (x - y >= -1 && x - y <= 1)) return kBlack;
    return kClear;
});
inline constexpr ImageResource kCursors[] = {
    {"NXW_box_csr", 16, 16, 7, 7, kBoxCursorPixels.data()},
    {"NXW_mag_csr", 16, 16, 6, 6, kMagnifierPixels.data()},
};

inline constexpr ResourceTable kTable = {
    "NOTARIX form editor", kMenus, {}, kCursors, {}, {}, {}, kDialogs,
};

}  // namespace form_editor_resources
