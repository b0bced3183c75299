// The templates of NOTARIX's parameter and small dialogs (environment,
// editor, print and text-output parameters, page jump, version); the
// function list and the folder button's bitmaps are the shared ones of
// resources/common/shell_dialog_templates.h. The function list's id stays
// named here for NOTARIX's tests.
// notarix/viewer/settings_dialogs.cpp registers them. Positions are dialog
// units.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"

namespace settings_dialog_templates {

// Control ids the procedures address.
enum : int {
    kEnvTabWidthId = 16897,
    kEditorPathId = 16898,
    kEditorFolderId = 16899,

    kLandscapeId = 20754,
    kPortraitId = 20755,
    kOuterFrameId = 20757,
    kCoverId = 20759,
    kLinesPerPageId = 20769,
    kCharsPerLineId = 20770,
    kPrintTopMarginId = 20771,
    kPrintLeftMarginId = 20772,
    kPrintFirstPageId = 20773,
    kPrintFirstFunctionId = 20774,
    kPrintLastFunctionId = 20775,
    kPrintHeaderId = 20776,
    kSourcePrintFileId = 20777,
    kStandardLinesId = 20785,
    kStandardCharsId = 20786,
    kStandardTopId = 20787,
    kStandardLeftId = 20788,
    kFontButtonId = 20801,
    kPrinterButtonId = 20802,
    kSourceFolderId = 20803,

    kCodeSetId = 24849,
    kTextTopMarginId = 24865,
    kTextLeftMarginId = 24866,
    kTextFirstPageId = 24867,
    kTextFirstFunctionId = 24868,
    kTextLastFunctionId = 24869,
    kTextOutputFileId = 24870,
    kTextHeaderId = 24871,
    kRunOutputButtonId = 6,

    kJumpPageId = 13057,

    kFunctionListId = 12545,
};

inline constexpr char kFolderCaption[] = "FLDER";
inline constexpr DWORD kTemplateStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kField = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kFolder = WS_TABSTOP | BS_OWNERDRAW;

// 登録 / 取消 / 閉じる
inline constexpr auto& kRegister = "登録"_sjis;
inline constexpr auto& kCancel = "取消"_sjis;
inline constexpr auto& kClose = "閉じる"_sjis;

// --- ENVDLG "【 環境設定 】" ----------------------------------------------------------
inline constexpr DialogItemTemplate kEnvironmentItems[] = {

    {"STATIC", "ソースタブ展開幅設定 (0～32)"_sjis, -1, 7, 9, 120, 8, 0},
    {"EDIT", "", kEnvTabWidthId, 130, 7, 36, 12, kField},

    {"STATIC", "ユーザ指定エディタ名"_sjis, -1, 7, 27, 120, 8, 0},
    {"EDIT", "", kEditorPathId, 7, 38, 186, 12, kField},
    {"BUTTON", kFolderCaption, kEditorFolderId, 196, 37, 16, 14, kFolder},
    {"BUTTON", kRegister, IDOK, 52, 60, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 118, 60, 50, 14, WS_TABSTOP},
};

// --- EDITORDLG "【 ユーザ指定エディタ設定 】" -------------------------------------------
inline constexpr DialogItemTemplate kEditorItems[] = {

    {"STATIC", "ユーザ指定エディタ名"_sjis, -1, 7, 9, 120, 8, 0},
    {"EDIT", "", kEditorPathId, 7, 20, 186, 12, kField},
    {"BUTTON", kFolderCaption, kEditorFolderId, 196, 19, 16, 14, kFolder},
    {"BUTTON", kRegister, IDOK, 52, 42, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 118, 42, 50, 14, WS_TABSTOP},
};

// --- PRNPRMDLG "【 印刷パラメタ設定 】" ------------------------------------------------
inline constexpr auto& kStandardBlank = "標準(   )"_sjis;  // filled when the dialog opens
inline constexpr DialogItemTemplate kPrintItems[] = {
    {"BUTTON", "プリンタ用紙"_sjis, -1, 7, 4, 110, 42, BS_GROUPBOX},
    {"BUTTON", "Ａ４横"_sjis, kLandscapeId, 16, 16, 80, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {"BUTTON", "Ａ４縦"_sjis, kPortraitId, 16, 30, 80, 10, BS_AUTORADIOBUTTON},
    {"BUTTON", "外枠印刷"_sjis, kOuterFrameId, 130, 14, 120, 10,
     WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "全印刷時表紙印刷"_sjis, kCoverId, 130, 30, 120, 10,
     WS_TABSTOP | BS_AUTOCHECKBOX},
    // the numeric fields, label, field and (for the first four) the standard value
    {"STATIC", "１ページ行数"_sjis, -1, 7, 56, 90, 8, WS_GROUP},
    {"EDIT", "", kLinesPerPageId, 100, 54, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardLinesId, 150, 56, 60, 8, 0},
    {"STATIC", "１行文字数"_sjis, -1, 7, 72, 90, 8, 0},
    {"EDIT", "", kCharsPerLineId, 100, 70, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardCharsId, 150, 72, 60, 8, 0},
    {"STATIC", "上マージン"_sjis, -1, 7, 88, 90, 8, 0},
    {"EDIT", "", kPrintTopMarginId, 100, 86, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardTopId, 150, 88, 60, 8, 0},
    {"STATIC", "左マージン"_sjis, -1, 7, 104, 90, 8, 0},
    {"EDIT", "", kPrintLeftMarginId, 100, 102, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardLeftId, 150, 104, 60, 8, 0},
    {"STATIC", "先頭ページ番号"_sjis, -1, 7, 120, 90, 8, 0},
    {"EDIT", "", kPrintFirstPageId, 100, 118, 40, 12, kField},
    {"STATIC", "仕様書印刷開始関数"_sjis, -1, 7, 136, 90, 8, 0},
    {"EDIT", "", kPrintFirstFunctionId, 100, 134, 40, 12, kField},
    {"STATIC", "仕様書印刷終了関数"_sjis, -1, 7, 152, 90, 8, 0},
    {"EDIT", "", kPrintLastFunctionId, 100, 150, 40, 12, kField},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 170, 120, 8, 0},
    {"EDIT", "", kPrintHeaderId, 7, 180, 220, 12, kField},

    {"STATIC", "ソース印刷(ﾃｷｽﾄ)ファイル名"_sjis, -1, 7, 198, 140,
     8, 0},
    {"EDIT", "", kSourcePrintFileId, 7, 208, 220, 12, kField},
    {"BUTTON", kFolderCaption, kSourceFolderId, 230, 207, 16, 14, kFolder},
    {"BUTTON", "ﾌﾟﾘﾝﾀの設定..."_sjis, kPrinterButtonId, 220, 54, 70, 14,
     WS_TABSTOP},
    {"BUTTON", "ﾌｫﾝﾄの指定..."_sjis, kFontButtonId, 220, 72, 70, 14, WS_TABSTOP},
    {"BUTTON", kRegister, IDOK, 90, 230, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 160, 230, 50, 14, WS_TABSTOP},
};

// --- OUTPADDLG "【 関数仕様書出力パラメタ設定 】" -----------------------------------------
inline constexpr DialogItemTemplate kOutputItems[] = {
    {"STATIC", "仕様書出力コード"_sjis, -1, 7, 9, 90, 8, 0},
    {"COMBOBOX", "", kCodeSetId, 100, 7, 70, 60, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"STATIC", "上マージン"_sjis, -1, 7, 28, 90, 8, 0},
    {"EDIT", "", kTextTopMarginId, 100, 26, 40, 12, kField},
    {"STATIC", "左マージン"_sjis, -1, 7, 44, 90, 8, 0},
    {"EDIT", "", kTextLeftMarginId, 100, 42, 40, 12, kField},
    {"STATIC", "先頭ページ番号"_sjis, -1, 7, 60, 90, 8, 0},
    {"EDIT", "", kTextFirstPageId, 100, 58, 40, 12, kField},
    {"STATIC", "仕様書出力開始関数"_sjis, -1, 7, 76, 90, 8, 0},
    {"EDIT", "", kTextFirstFunctionId, 100, 74, 40, 12, kField},
    {"STATIC", "仕様書出力終了関数"_sjis, -1, 7, 92, 90, 8, 0},
    {"EDIT", "", kTextLastFunctionId, 100, 90, 40, 12, kField},
    {"STATIC", "出力ファイル名"_sjis, -1, 7, 110, 120, 8, 0},
    {"EDIT", "", kTextOutputFileId, 7, 120, 220, 12, kField},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 138, 120, 8, 0},
    {"EDIT", "", kTextHeaderId, 7, 148, 220, 12, kField},
    {"BUTTON", "出力実行"_sjis, kRunOutputButtonId, 20, 170, 56, 14, WS_TABSTOP},
    {"BUTTON", kRegister, IDOK, 88, 170, 56, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 156, 170, 56, 14, WS_TABSTOP},
};

// --- JUMPDLG "【 ページジャンプ 】" ----------------------------------------------------
inline constexpr DialogItemTemplate kJumpItems[] = {
    {"STATIC", "ページ番号"_sjis, -1, 7, 9, 50, 8, 0},
    {"EDIT", "", kJumpPageId, 60, 7, 44, 12, kField},
    {"BUTTON", "ジャンプ"_sjis, IDOK, 12, 28, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kClose, IDCANCEL, 72, 28, 50, 14, WS_TABSTOP},
};

// --- VERSIONDLG "バージョン情報" ---------------------------------------------------------
inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "NOTARIX Version 1.00", -1, 10, 10, 160, 8, 0},

    {"STATIC", "関数仕様書作成システム"_sjis, -1, 10, 24, 160, 8, 0},
    {"BUTTON", "OK", IDOK, 65, 42, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
};

// ORDER NAME: looked up by template name; the captions are the dialogs'
// titles and also caption their message boxes.
inline constexpr DialogTemplate kDialogs[] = {
    {"ENVDLG", kTemplateStyle, 0, 0, 0, 220, 82, "【 環境設定 】"_sjis,
     9, nullptr, nullptr, nullptr, kEnvironmentItems},

    {"EDITORDLG", kTemplateStyle, 0, 0, 0, 220, 64,
     "【 ユーザ指定エディタ設定 】"_sjis, 9, nullptr, nullptr,
     nullptr, kEditorItems},
    {"PRNPRMDLG", kTemplateStyle, 0, 0, 0, 300, 252,
     "【 印刷パラメタ設定 】"_sjis,
     9, nullptr, nullptr, nullptr, kPrintItems},

    {"OUTPADDLG", kTemplateStyle, 0, 0, 0, 234, 192,
     "【 関数仕様書出力パラメタ設定 】"_sjis, 9,
     nullptr, nullptr, nullptr, kOutputItems},
    {"JUMPDLG", kTemplateStyle, 0, 0, 0, 134, 50,
     "【 ページジャンプ 】"_sjis,
     9, nullptr, nullptr, nullptr, kJumpItems},
    {"VERSIONDLG", kTemplateStyle, 0, 0, 0, 180, 64,
     "バージョン情報"_sjis,
     9, nullptr, nullptr, nullptr, kVersionItems},
};

inline constexpr ResourceTable kTable = {"NOTARIX", {}, {}, {}, {}, {}, {}, kDialogs};

}  // namespace settings_dialog_templates
