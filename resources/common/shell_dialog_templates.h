// The templates of the dialogs the viewers share: the keyword file
// (KEYWORDDLG), the batch list (CNVLSTDLG) with the strip its source chooser
// adds below the open dialog (template 750), the function list (FLTDLG),
// and the two bitmaps of the owner-drawn folder button (caption "FLDER")
// the programs' parameter dialogs draw. common/viewer/shell_dialogs.cpp
// registers them.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"

namespace shell_dialog_templates {

inline constexpr int kFunctionListId = 12545;

inline constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kTemplateStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
inline constexpr auto& kClose = "閉じる"_sjis;

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
    {"BUTTON", "読込..."_sjis, 33073, 242, 8, 60, 14, kButton},
    {"BUTTON", "保存..."_sjis, 33075, 242, 26, 60, 14, kButton},
    {"BUTTON", "標準設定"_sjis, 33074, 242, 44, 60, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 242, 180, 60, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 242, 198, 60, 14, kButton},
};
#undef SHELL_KEYWORD_ROW

// --- CNVLSTDLG: the batch list -----------------------------------------------------
inline constexpr DialogItemTemplate kBatchListItems[] = {
    {"STATIC", "生成対象ファイル名"_sjis, -1, 8, 10, 80, 8,
     SS_LEFT},
    {"EDIT", "", 8465, 90, 8, 150, 12, kEdit},
    {"LISTBOX", "", 8481, 8, 26, 232, 110, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
    {"STATIC",
     "一括生成リストファイル名"_sjis, -1, 8, 144, 80, 8,
     SS_LEFT},
    {"EDIT", "", 8466, 90, 142, 150, 12, kEdit},
    {"BUTTON", "生成対象ファイル選択..."_sjis, 8497, 248, 8, 80, 14,
     kButton},
    {"BUTTON", "挿入"_sjis, 8502, 248, 26, 80, 14, kDefaultButton},
    {"BUTTON", "削除"_sjis, 8501, 248, 44, 80, 14, kButton},
    {"BUTTON", "読込..."_sjis, 8498, 248, 70, 80, 14, kButton},
    {"BUTTON", "保存..."_sjis, 8499, 248, 88, 80, 14, kButton},
    {"BUTTON", "生成実行"_sjis, IDOK, 248, 122, 80, 14, kButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 248, 140, 80, 14, kButton},
};

// --- 750: the batch source chooser's strip ----------------------------------------
inline constexpr DialogItemTemplate kChooserItems[] = {
    {"BUTTON", "追加"_sjis, 752, 226, 4, 50, 14, kDefaultButton},
};

// --- FLTDLG "関数一覧" ------------------------------------------------------------------
// Headers do not sort: the rows keep the document's page order, which the
// procedure relies on (row index = page index).
inline constexpr DialogItemTemplate kFunctionListItems[] = {
    {"SysListView32", "", kFunctionListId, 7, 7, 346, 160,
     WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER},
    {"BUTTON", "選択"_sjis, IDOK, 118, 174, 56, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
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

    {"KEYWORDDLG", kDialogStyle, 0, 0, 0, 310, 220,
     "【 生成キーワード設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kKeywordItems},

    {"CNVLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "【 一括生成設定 】"_sjis, 9,
     nullptr, nullptr, nullptr, kBatchListItems},
    {"#750", WS_CHILD | DS_CONTROL | DS_SETFONT, 0, 0, 0, 284, 22, "", 9, nullptr, nullptr, nullptr, kChooserItems},
    {"FLTDLG", kTemplateStyle, 0, 0, 0, 360, 196, "関数一覧"_sjis,
     9, nullptr, nullptr, nullptr, kFunctionListItems},
};

inline constexpr ResourceTable kTable = {"shared dialogs", {}, {}, {}, {}, kBitmaps, {}, kDialogs};

}  // namespace shell_dialog_templates
