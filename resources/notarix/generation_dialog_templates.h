// The dialog templates of the generation menu: the generation parameters,
// the keyword file, the common information, the batch list and the strip
// that the batch source chooser adds below the open dialog (template 750).
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

// --- KEYWORDDLG: the keyword file ------------------------------------------------
// One label and field a key, in the key order of the file.
#define NX_KEYWORD_ROW(key, id, row)                                              \
    {"STATIC", key, -1, 8, 10 + 14 * (row), 70, 8, SS_LEFT},                      \
    {                                                                             \
        "EDIT", "", id, 80, 8 + 14 * (row), 150, 12, kEdit                        \
    }
inline constexpr DialogItemTemplate kKeywordItems[] = {
    NX_KEYWORD_ROW("NAME", 33057, 0),
    NX_KEYWORD_ROW("FUNCTION", 33058, 1),
    NX_KEYWORD_ROW("PROCESS", 33059, 2),
    NX_KEYWORD_ROW("INPUT", 33060, 3),
    NX_KEYWORD_ROW("OUTPUT", 33061, 4),
    NX_KEYWORD_ROW("UPDATE", 33062, 5),
    NX_KEYWORD_ROW("INPUT(EXT)", 33063, 6),
    NX_KEYWORD_ROW("OUTPUT(EXT)", 33064, 7),
    NX_KEYWORD_ROW("UPDATE(EXT)", 33065, 8),
    NX_KEYWORD_ROW("RETURN", 33066, 9),
    NX_KEYWORD_ROW("REMARKS", 33067, 10),
    NX_KEYWORD_ROW("FILE", 33068, 11),
    NX_KEYWORD_ROW("PROGRAMMED", 33069, 12),
    NX_KEYWORD_ROW("DATE(ORG)", 33070, 13),
    NX_KEYWORD_ROW("CALL", 33071, 14),
    {"BUTTON", "\x93\xc7\x8d\x9e...", 33073, 242, 8, 60, 14, kButton},           // 読込...
    {"BUTTON", "\x95\xdb\x91\xb6...", 33075, 242, 26, 60, 14, kButton},          // 保存...
    {"BUTTON", "\x95W\x8f\x80\x90\xdd\x92\xe8", 33074, 242, 44, 60, 14, kButton},  // 標準設定
    {"BUTTON", "\x93o\x98^", IDOK, 242, 180, 60, 14, kDefaultButton},            // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 242, 198, 60, 14, kButton},         // 取消
};
#undef NX_KEYWORD_ROW

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

// --- CNVLSTDLG: the batch list -----------------------------------------------------
inline constexpr DialogItemTemplate kBatchListItems[] = {
    {"STATIC", "\x90\xb6\x90\xac\x91\xce\x8f\xdb\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 8, 10, 80, 8,
     SS_LEFT},  // 生成対象ファイル名
    {"EDIT", "", 8465, 90, 8, 150, 12, kEdit},
    {"LISTBOX", "", 8481, 8, 26, 232, 110, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {"STATIC",
     "\x88\xea\x8a\x87\x90\xb6\x90\xac\x83\x8a\x83X\x83g\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 8, 144, 80, 8,
     SS_LEFT},  // 一括生成リストファイル名
    {"EDIT", "", 8466, 90, 142, 150, 12, kEdit},
    {"BUTTON", "\x90\xb6\x90\xac\x91\xce\x8f\xdb\x83t\x83@\x83\x43\x83\x8b\x91I\x91\xf0...", 8497, 248, 8, 80, 14,
     kButton},                                                                     // 生成対象ファイル選択...
    {"BUTTON", "\x91}\x93\xfc", 8502, 248, 26, 80, 14, kDefaultButton},             // 挿入
    {"BUTTON", "\x8d\xed\x8f\x9c", 8501, 248, 44, 80, 14, kButton},                 // 削除
    {"BUTTON", "\x93\xc7\x8d\x9e...", 8498, 248, 70, 80, 14, kButton},              // 読込...
    {"BUTTON", "\x95\xdb\x91\xb6...", 8499, 248, 88, 80, 14, kButton},              // 保存...
    {"BUTTON", "\x90\xb6\x90\xac\x8e\xc0\x8ds", IDOK, 248, 122, 80, 14, kButton},  // 生成実行
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 248, 140, 80, 14, kButton},            // 取消
};

// --- 750: the batch source chooser's strip ----------------------------------------
inline constexpr DialogItemTemplate kChooserItems[] = {
    {"BUTTON", "\x92\xc7\x89\xc1", 752, 226, 4, 50, 14, kDefaultButton},  // 追加
};

inline constexpr DialogTemplate kDialogs[] = {
    // 【 生成パラメタ設定 】
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 300, 156,
     "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kParameterItems},
    // 【 生成キーワード設定 】
    {"KEYWORDDLG", kDialogStyle, 0, 0, 0, 310, 220,
     "\x81y \x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kKeywordItems},
    // 【 生成共通情報設定 】
    {"COMPRMDLG", kDialogStyle, 0, 0, 0, 228, 68,
     "\x81y \x90\xb6\x90\xac\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kCommonInfoItems},
    // 【 一括生成設定 】
    {"CNVLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "\x81y \x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8 \x81z", 9,
     nullptr, nullptr, nullptr, kBatchListItems},
    {"#750", WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 284, 22, "", 9, nullptr, nullptr, nullptr, kChooserItems},
};

inline constexpr ResourceTable kTable = {"NOTARIX generation dialogs", {}, {}, {}, {}, {}, {}, kDialogs};

}  // namespace generation_dialog_templates
