// The form editor's and the layout window's resources: the editor's menu
// "NXW_frm_menu", the text dialog "FRMDLG", the editor's cursor
// "NXW_box_csr" and the layout window's magnifier "NXW_mag_csr".
// notarix/editor/form_editor.cpp registers them. Texts are Shift-JIS bytes;
// the comment beside each gives it readably.
#pragma once

#include "platform/user/resources.h"
#include "resources/notarix/notarix_resources.h"

namespace form_editor_resources {

inline constexpr int kTextFieldId = 28945;

// --- Menu "NXW_frm_menu" --------------------------------------------------------
// ORDER POSITION: the six popups in the order the editor greys them by
// position during a generation; the items of each in command-id order.
inline constexpr MenuItemTemplate kSeparator{MF_SEPARATOR};

inline constexpr MenuItemTemplate kFileItems[] = {
    {0, 4097, "\x8A" "J\x82\xAD(&O)..."},                                          // 開く(&O)...
    {0, 4098, "\x95\xDB\x91\xB6(&S)..."},                                           // 保存(&S)...
    kSeparator,
    {0, 4099, "\x83t\x83H\x81[\x83\x80\x95\xD2\x8FW\x82\xCC\x8FI\x97\xB9(&X)"},     // フォーム編集の終了(&X)
};
inline constexpr MenuItemTemplate kCodeSetItems[] = {
    {0, 26113, "\x8Cr\x90\xFC\x83R\x81[\x83h\x81iDOS/V\x81j(&D)"},  // 罫線コード（DOS/V）(&D)
    {0, 26114, "\x8Cr\x90\xFC\x83R\x81[\x83h\x81iPC98\x81j(&P)"},   // 罫線コード（PC98）(&P)
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    // 仕様書レイアウトファイル生成(&L)
    {0, 25089, "\x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x90\xB6\x90\xAC(&L)"},
    kSeparator,
    // 仕様書レイアウト生成エラー表示(&E)
    {0, 25090, "\x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x90\xB6\x90\xAC\x83G\x83\x89\x81[\x95\x5C\x8E\xA6(&E)"},
};
inline constexpr char kUndoItem[] = "\x82t\x82m\x82" "c\x82n(&U)";  // ＵＮＤＯ(&U)
inline constexpr MenuItemTemplate kTextItems[] = {
    {0, 29185, "\x95\xB6\x8E\x9A\x93\xFC\x97\xCD(&T)"},              // 文字入力(&T)
    {0, 29186, "\x94{\x8Ap\x95\xB6\x8E\x9A\x93\xFC\x97\xCD(&W)"},    // 倍角文字入力(&W)
    kSeparator,
    {0, 29187, "\x95\xB6\x8E\x9A\x8F\xC1\x8B\x8E(&D)"},              // 文字消去(&D)
    {0, 29188, "\x95\xB6\x8E\x9A\x97\xCC\x88\xE6\x8F\xC1\x8B\x8E(&R)"},  // 文字領域消去(&R)
    kSeparator,
    {0, 29189, "\x95\xB6\x8E\x9A\x91S\x8F\xC1\x8B\x8E(&P)"},         // 文字全消去(&P)
    {0, 29190, "\x91S\x8F\xC1\x8B\x8E(&A)"},                         // 全消去(&A)
    kSeparator,
    {MF_GRAYED, 29193, kUndoItem},
};
inline constexpr MenuItemTemplate kLineItems[] = {
    {0, 33281, "\x8D\xD7\x8Cr\x90\xFC\x93\xFC\x97\xCD(&S)"},          // 細罫線入力(&S)
    {0, 33282, "\x91\xBE\x8Cr\x90\xFC\x93\xFC\x97\xCD(&W)"},          // 太罫線入力(&W)
    kSeparator,
    {0, 33283, "\x8Cr\x90\xFC\x8F\xC1\x8B\x8E(&D)"},                  // 罫線消去(&D)
    {0, 33284, "\x8Cr\x90\xFC\x97\xCC\x88\xE6\x8F\xC1\x8B\x8E(&R)"},  // 罫線領域消去(&R)
    kSeparator,
    {0, 33285, "\x8Cr\x90\xFC\x91S\x8F\xC1\x8B\x8E(&P)"},             // 罫線全消去(&P)
    {0, 33286, "\x91S\x8F\xC1\x8B\x8E(&A)"},                          // 全消去(&A)
    kSeparator,
    {MF_GRAYED, 33289, kUndoItem},
};
inline constexpr MenuItemTemplate kParameterItems[] = {
    {0, 37377, "\x83V\x83X\x83" "e\x83\x80\x96\xBC(&J)"},                         // システム名(&J)
    kSeparator,
    {0, 37378, "\x8A\xD6\x90\x94\x96\xBC(&N)"},                                   // 関数名(&N)
    {0, 37379, "\x8A\xD6\x90\x94\x8B@\x94\x5C\x8AT\x97v(&G)"},                    // 関数機能概要(&G)
    {0, 37380, "\x8A\xD6\x90\x94\x8F\x88\x97\x9D\x93\xE0\x97" "e(&P)"},           // 関数処理内容(&P)
    kSeparator,
    {0, 37381, "\x8Eg\x97p\x8A\xD6\x90\x94(&C)"},                                 // 使用関数(&C)
    kSeparator,
    {0, 37382, "\x8A\xD6\x90\x94\x8C`\x8E\xAE(&T)"},                              // 関数形式(&T)
    {0, 37383, "\x88\xF8\x90\x94\x82\xCC\x8E\xED\x97\xDE(&K)"},                   // 引数の種類(&K)
    {0, 37384, "\x88\xF8\x90\x94\x82\xCC\x96\xBC\x8F\xCC\x81i\x93\xE0\x97" "e\x81j(&M)"},  // 引数の名称（内容）(&M)
    {0, 37385, "\x8Eg\x97p\x83t\x83@\x83" "C\x83\x8B(&I)"},                       // 使用ファイル(&I)
    {0, 37386, "\x94\xF5\x8Dl(&R)"},                                              // 備考(&R)
    kSeparator,
    {0, 37387, "\x83\x5C\x81[\x83X\x83t\x83@\x83" "C\x83\x8B\x96\xBC(&S)"},       // ソースファイル名(&S)
    kSeparator,
    {0, 37388, "\x8D\xEC\x90\xAC\x8C\xBE\x8C\xEA(&L)"},                           // 作成言語(&L)
    {0, 37389, "\x8D\xEC\x90\xAC\x8E\xD2(&A)"},                                   // 作成者(&A)
    {0, 37390, "\x89\xFC\x92\xF9\x94N\x8C\x8E\x93\xFA(&D)"},                      // 改訂年月日(&D)
    {0, 37391, "\x8D\xEC\x90\xAC\x94N\x8C\x8E\x93\xFA(&O)"},                      // 作成年月日(&O)
    kSeparator,
    {0, 37392, "\x89\xBA\x8C\xA9\x8Fo\x82\xB5(&F)"},                              // 下見出し(&F)
    kSeparator,
    {MF_GRAYED, 37408, kUndoItem},
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "\xCC\xA7\xB2\xD9(&F)", kFileItems},                            // ﾌｧｲﾙ(&F)
    {MF_POPUP, 0, "\x90\xDD\x92\xE8(&O)", kCodeSetItems},                         // 設定(&O)
    {MF_POPUP, 0, "\x90\xB6\x90\xAC(&C)", kGenerationItems},                      // 生成(&C)
    {MF_POPUP, 0, "\x95\xB6\x8E\x9A\x95\xD2\x8FW(&T)", kTextItems},               // 文字編集(&T)
    {MF_POPUP, 0, "\x8Cr\x90\xFC\x95\xD2\x8FW(&L)", kLineItems},                  // 罫線編集(&L)
    {MF_POPUP, 0, "\xCA\xDF\xD7\xD2\xC0\x8D\xEC\x90\xAC(&P)", kParameterItems},   // ﾊﾟﾗﾒﾀ作成(&P)
};
inline constexpr int kMenuPopupCount = 6;

inline constexpr MenuResource kMenus[] = {{"NXW_frm_menu", kMenuBar}};

// --- FRMDLG "【 文字列入力 】" ----------------------------------------------------
inline constexpr DialogItemTemplate kTextDialogItems[] = {
    {"STATIC", "\x95\xB6\x8E\x9A\x97\xF1\x81" "F", -1, 7, 9, 30, 8, 0},  // 文字列：
    {"EDIT", "", kTextFieldId, 40, 7, 143, 12, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {"BUTTON", "\x8E\xC0\x8Ds", IDOK, 46, 26, 44, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},  // 実行
    {"BUTTON", "\x8E\xE6\x8F\xC1", IDCANCEL, 100, 26, 44, 14, WS_TABSTOP},            // 取消
};
inline constexpr DialogTemplate kDialogs[] = {
    {"FRMDLG", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 190, 45,
     "\x81y \x95\xB6\x8E\x9A\x97\xF1\x93\xFC\x97\xCD \x81z",  // 【 文字列入力 】
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
