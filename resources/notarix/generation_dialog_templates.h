// NOTARIX's own dialog templates of the generation menu: the generation
// parameters and the common information (the keyword file and the batch
// list are the shared ones of resources/common/shell_dialog_templates.h).
// notarix/viewer/generation_dialogs.cpp registers them.
#pragma once

#include "platform/kernel/sjis_text.h"
#include "platform/user/resources.h"

namespace generation_dialog_templates {

inline constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
inline constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
// The folder buttons are drawn by the dialog (a small folder picture).
inline constexpr DWORD kFolderButton = BS_OWNERDRAW | WS_TABSTOP;

// --- CNVPRMDLG: generation parameters ------------------------------------------
inline constexpr DialogItemTemplate kParameterItems[] = {
    {"STATIC", "ソースファイル情報生成形式"_sjis, -1, 8, 10,
     110, 8, SS_LEFT},
    {"COMBOBOX", "", 4353, 122, 8, 170, 80, kCombo},
    {"STATIC", "生成時#includeファイル使用"_sjis, -1, 8, 26, 110, 8,
     SS_LEFT},
    {"COMBOBOX", "", 4354, 122, 24, 170, 80, kCombo},
    {"STATIC", "マクロ展開形式"_sjis, -1, 8, 42, 110, 8, SS_LEFT},
    {"COMBOBOX", "", 4355, 122, 40, 170, 80, kCombo},
    {"STATIC", "関数宣言部の表示形式"_sjis, -1, 8, 58, 110, 8,
     SS_LEFT},
    {"COMBOBOX", "", 4356, 122, 56, 170, 60, kCombo},
    {"STATIC", "共通情報設定ファイル名"_sjis, -1, 8, 80, 110,
     8, SS_LEFT},
    {"EDIT", "", 4357, 122, 78, 152, 12, kEdit},
    {"BUTTON", "FLDER", 4611, 278, 77, 14, 14, kFolderButton},
    {"STATIC",
     "仕様書レイアウトファイル名"_sjis, -1, 8, 96,
     110, 8, SS_LEFT},
    {"EDIT", "", 4358, 122, 94, 152, 12, kEdit},
    {"BUTTON", "FLDER", 4612, 278, 93, 14, 14, kFolderButton},
    {"STATIC", "生成オプション"_sjis, -1, 8, 112, 110, 8, SS_LEFT},
    {"EDIT", "", 4359, 122, 110, 170, 12, kEdit},
    {"BUTTON", "生成実行"_sjis, 6, 76, 134, 60, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 146, 134, 60, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 216, 134, 60, 14, kButton},
};

// --- COMPRMDLG: the common information -----------------------------------------
inline constexpr DialogItemTemplate kCommonInfoItems[] = {
    {"STATIC", "システム名"_sjis, -1, 8, 10, 50, 8, SS_LEFT},
    {"EDIT", "", 33313, 60, 8, 160, 12, kEdit},
    {"STATIC", "作成言語"_sjis, -1, 8, 26, 50, 8, SS_LEFT},
    {"EDIT", "", 33314, 60, 24, 160, 12, kEdit},
    {"BUTTON", "読込..."_sjis, 33329, 8, 46, 50, 14, kButton},
    {"BUTTON", "保存..."_sjis, 33330, 62, 46, 50, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 116, 46, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 170, 46, 50, 14, kButton},
};

inline constexpr DialogTemplate kDialogs[] = {

    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 300, 156,
     "【 生成パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kParameterItems},

    {"COMPRMDLG", kDialogStyle, 0, 0, 0, 228, 68,
     "【 生成共通情報設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kCommonInfoItems},
};

inline constexpr ResourceTable kTable = {"NOTARIX generation dialogs", {}, {}, {}, {}, {}, {}, kDialogs};

}  // namespace generation_dialog_templates
