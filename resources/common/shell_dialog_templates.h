// The templates of the dialogs the viewers share: the keyword file
// (KEYWORDDLG), the batch list (CNVLSTDLG) with the strip its source chooser
// adds below the open dialog (template 750), the function list (FLTDLG),
// and the two bitmaps of the owner-drawn folder button (caption "FLDER")
// the programs' parameter dialogs draw. common/viewer/shell_dialogs.cpp
// registers them. Texts are Shift-JIS bytes; the comment beside each gives
// it readably.
#pragma once

#include <array>
#include <cstdint>

#include "platform/user/commctrl.h"
#include "platform/user/resources.h"

namespace shell_dialog_templates {

inline constexpr int kFunctionListId = 12545;

inline constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kTemplateStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
inline constexpr char kClose[] = "\x95\xc2\x82\xb6\x82\xe9";  // 閉じる

// --- KEYWORDDLG: the keyword file ------------------------------------------------
// One label and field a key, in the key order of the file.
#define SHELL_KEYWORD_ROW(key, id, row)                                              \
    {"STATIC", key, -1, 8, 10 + 14 * (row), 70, 8, SS_LEFT},                      \
    {                                                                             \
        "EDIT", "", id, 80, 8 + 14 * (row), 150, 12, kEdit                        \
    }
inline constexpr DialogItemTemplate kKeywordItems[] = {
    SHELL_KEYWORD_ROW("NAME", 33057, 0),
    SHELL_KEYWORD_ROW("FUNCTION", 33058, 1),
    SHELL_KEYWORD_ROW("PROCESS", 33059, 2),
    SHELL_KEYWORD_ROW("INPUT", 33060, 3),
    SHELL_KEYWORD_ROW("OUTPUT", 33061, 4),
    SHELL_KEYWORD_ROW("UPDATE", 33062, 5),
    SHELL_KEYWORD_ROW("INPUT(EXT)", 33063, 6),
    SHELL_KEYWORD_ROW("OUTPUT(EXT)", 33064, 7),
    SHELL_KEYWORD_ROW("UPDATE(EXT)", 33065, 8),
    SHELL_KEYWORD_ROW("RETURN", 33066, 9),
    SHELL_KEYWORD_ROW("REMARKS", 33067, 10),
    SHELL_KEYWORD_ROW("FILE", 33068, 11),
    SHELL_KEYWORD_ROW("PROGRAMMED", 33069, 12),
    SHELL_KEYWORD_ROW("DATE(ORG)", 33070, 13),
    SHELL_KEYWORD_ROW("CALL", 33071, 14),
    {"BUTTON", "\x93\xc7\x8d\x9e...", 33073, 242, 8, 60, 14, kButton},           // 読込...
    {"BUTTON", "\x95\xdb\x91\xb6...", 33075, 242, 26, 60, 14, kButton},          // 保存...
    {"BUTTON", "\x95W\x8f\x80\x90\xdd\x92\xe8", 33074, 242, 44, 60, 14, kButton},  // 標準設定
    {"BUTTON", "\x93o\x98^", IDOK, 242, 180, 60, 14, kDefaultButton},            // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 242, 198, 60, 14, kButton},         // 取消
};
#undef SHELL_KEYWORD_ROW

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

// --- FLTDLG "関数一覧" ------------------------------------------------------------------
// Headers do not sort: the rows keep the document's page order, which the
// procedure relies on (row index = page index).
inline constexpr DialogItemTemplate kFunctionListItems[] = {
    {"SysListView32", "", kFunctionListId, 7, 7, 346, 160,
     WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER},
    {"BUTTON", "\x91I\x91\xf0", IDOK, 118, 174, 56, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},  // 選択
    {"BUTTON", kClose, IDCANCEL, 186, 174, 56, 14, WS_TABSTOP},
};

// --- The folder button's bitmaps ---------------------------------------------------
// A yellow folder on a button face; pressed, the face darkens and the folder
// moves one pixel down and right.
inline constexpr uint32_t kFace = 0xFFC0C0C0;
inline constexpr uint32_t kFacePressed = 0xFFA0A0A0;
inline constexpr uint32_t kFolderYellow = 0xFFFFD860;
inline constexpr uint32_t kEdge = 0xFF000000;

constexpr std::array<uint32_t, 16 * 16> folder_pixels(int shift, uint32_t face) {
    std::array<uint32_t, 16 * 16> pixels{};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int fx = x - shift, fy = y - shift;
            const bool tab = fy >= 3 && fy <= 4 && fx >= 2 && fx <= 7;
            const bool body = fy >= 5 && fy <= 12 && fx >= 2 && fx <= 13;
            const bool edge = body && (fy == 5 || fy == 12 || fx == 2 || fx == 13);
            uint32_t p = face;
            if (tab || body) p = kFolderYellow;
            if (edge || (tab && (fy == 3 || fx == 2 || fx == 7))) p = kEdge;
            pixels[static_cast<size_t>(y * 16 + x)] = p;
        }
    }
    return pixels;
}
inline constexpr auto kFolderUpPixels = folder_pixels(0, kFace);
inline constexpr auto kFolderDownPixels = folder_pixels(1, kFacePressed);
inline constexpr ImageResource kBitmaps[] = {
    {"FOLDER_Up", 16, 16, 0, 0, kFolderUpPixels.data()},
    {"FOLDER_Down", 16, 16, 0, 0, kFolderDownPixels.data()},
};

inline constexpr DialogTemplate kDialogs[] = {
    // 【 生成キーワード設定 】
    {"KEYWORDDLG", kDialogStyle, 0, 0, 0, 310, 220,
     "\x81y \x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,
     kKeywordItems},
    // 【 一括生成設定 】
    {"CNVLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "\x81y \x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8 \x81z", 9,
     nullptr, nullptr, nullptr, kBatchListItems},
    {"#750", WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 284, 22, "", 9, nullptr, nullptr, nullptr, kChooserItems},
    {"FLTDLG", kTemplateStyle, 0, 0, 0, 360, 196, "\x8a\xd6\x90\x94\x88\xea\x97\x97",  // 関数一覧
     9, nullptr, nullptr, nullptr, kFunctionListItems},
};

inline constexpr ResourceTable kTable = {"shared dialogs", {}, {}, {}, {}, kBitmaps, {}, kDialogs};

}  // namespace shell_dialog_templates
