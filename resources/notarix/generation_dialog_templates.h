// NOTARIX's own dialog templates of the generation menu: the generation
// parameters and the common information (the keyword file and the batch
// list are the shared ones of resources/common/shell_dialog_templates.h).
// notarix/viewer/generation_dialogs.cpp registers them. Texts are Shift-JIS
// bytes; the comment beside each gives it readably.
#pragma once

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
    {"STATIC", "\x83\x5c\x81[\x83X\x83t\x83@\x83\x43\x83\x8b\x8f\xee\x95\xf1\x90\xb6\x90\xac\x8c`\x8e\xae", -1, 8, 10,
     110, 8, SS_LEFT},  // ソースファイル情報生成形式
    {"COMBOBOX", "", 4353, 122, 8, 170, 80, kCombo},
    {"STATIC", "\x90\xb6\x90\xac\x8e\x9e#include\x83t\x83@\x83\x43\x83\x8b\x8eg\x97p", -1, 8, 26, 110, 8,
     SS_LEFT},  // 生成時#includeファイル使用
    {"COMBOBOX", "", 4354, 122, 24, 170, 80, kCombo},
    {"STATIC", "\x83}\x83N\x83\x8d\x93W\x8aJ\x8c`\x8e\xae", -1, 8, 42, 110, 8, SS_LEFT},  // マクロ展開形式
    {"COMBOBOX", "", 4355, 122, 40, 170, 80, kCombo},
    {"STATIC", "\x8a\xd6\x90\x94\x90\xe9\x8c\xbe\x95\x94\x82\xcc\x95\x5c\x8e\xa6\x8c`\x8e\xae", -1, 8, 58, 110, 8,
     SS_LEFT},  // 関数宣言部の表示形式
    {"COMBOBOX", "", 4356, 122, 56, 170, 60, kCombo},
    {"STATIC", "\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 8, 80, 110,
     8, SS_LEFT},  // 共通情報設定ファイル名
    {"EDIT", "", 4357, 122, 78, 152, 12, kEdit},
    {"BUTTON", "FLDER", 4611, 278, 77, 14, 14, kFolderButton},
    {"STATIC",
     "\x8e\x64\x97l\x8f\x91\x83\x8c\x83\x43\x83\x41\x83\x45\x83g\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 8, 96,
     110, 8, SS_LEFT},  // 仕様書レイアウトファイル名
    {"EDIT", "", 4358, 122, 94, 152, 12, kEdit},
    {"BUTTON", "FLDER", 4612, 278, 93, 14, 14, kFolderButton},
    {"STATIC", "\x90\xb6\x90\xac\x83I\x83v\x83V\x83\x87\x83\x93", -1, 8, 112, 110, 8, SS_LEFT},  // 生成オプション
    {"EDIT", "", 4359, 122, 110, 170, 12, kEdit},
    {"BUTTON", "\x90\xb6\x90\xac\x8e\xc0\x8ds", 6, 76, 134, 60, 14, kButton},  // 生成実行
    {"BUTTON", "\x93o\x98^", IDOK, 146, 134, 60, 14, kDefaultButton},         // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 216, 134, 60, 14, kButton},      // 取消
};

// --- COMPRMDLG: the common information -----------------------------------------
inline constexpr DialogItemTemplate kCommonInfoItems[] = {
    {"STATIC", "\x83V\x83X\x83\x65\x83\x80\x96\xbc", -1, 8, 10, 50, 8, SS_LEFT},  // システム名
    {"EDIT", "", 33313, 60, 8, 160, 12, kEdit},
    {"STATIC", "\x8d\xec\x90\xac\x8c\xbe\x8c\xea", -1, 8, 26, 50, 8, SS_LEFT},  // 作成言語
    {"EDIT", "", 33314, 60, 24, 160, 12, kEdit},
    {"BUTTON", "\x93\xc7\x8d\x9e...", 33329, 8, 46, 50, 14, kButton},        // 読込...
    {"BUTTON", "\x95\xdb\x91\xb6...", 33330, 62, 46, 50, 14, kButton},       // 保存...
    {"BUTTON", "\x93o\x98^", IDOK, 116, 46, 50, 14, kDefaultButton},         // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 170, 46, 50, 14, kButton},      // 取消
};

inline constexpr DialogTemplate kDialogs[] = {
    // 【 生成パラメタ設定 】
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 300, 156,
     "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kParameterItems},
    // 【 生成共通情報設定 】
    {"COMPRMDLG", kDialogStyle, 0, 0, 0, 228, 68,
     "\x81y \x90\xb6\x90\xac\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kCommonInfoItems},
};

inline constexpr ResourceTable kTable = {"NOTARIX generation dialogs", {}, {}, {}, {}, {}, {}, kDialogs};

}  // namespace generation_dialog_templates
