// The templates of NOTARIX's parameter and small dialogs (environment,
// editor, print and text-output parameters, page jump, version); the
// function list and the folder button's bitmaps are the shared ones of
// resources/common/shell_dialog_templates.h. The function list's id stays
// named here for NOTARIX's tests.
// notarix/viewer/settings_dialogs.cpp registers them. Positions are dialog
// units; texts are Shift-JIS bytes, the comment beside each gives it readably.
#pragma once

#include <array>
#include <cstdint>

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
inline constexpr char kRegister[] = "\x93o\x98^";
inline constexpr char kCancel[] = "\x8e\xe6\x8f\xc1";
inline constexpr char kClose[] = "\x95\xc2\x82\xb6\x82\xe9";

// --- ENVDLG "【 環境設定 】" ----------------------------------------------------------
inline constexpr DialogItemTemplate kEnvironmentItems[] = {
    // ソースタブ展開幅設定 (0～32)
    {"STATIC", "\x83\x5c\x81[\x83X\x83^\x83u\x93W\x8aJ\x95\x9d\x90\xdd\x92\xe8 (0\x81`32)", -1, 7, 9, 120, 8, 0},
    {"EDIT", "", kEnvTabWidthId, 130, 7, 36, 12, kField},
    // ユーザ指定エディタ名
    {"STATIC", "\x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x96\xbc", -1, 7, 27, 120, 8, 0},
    {"EDIT", "", kEditorPathId, 7, 38, 186, 12, kField},
    {"BUTTON", kFolderCaption, kEditorFolderId, 196, 37, 16, 14, kFolder},
    {"BUTTON", kRegister, IDOK, 52, 60, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 118, 60, 50, 14, WS_TABSTOP},
};

// --- EDITORDLG "【 ユーザ指定エディタ設定 】" -------------------------------------------
inline constexpr DialogItemTemplate kEditorItems[] = {
    // ユーザ指定エディタ名
    {"STATIC", "\x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x96\xbc", -1, 7, 9, 120, 8, 0},
    {"EDIT", "", kEditorPathId, 7, 20, 186, 12, kField},
    {"BUTTON", kFolderCaption, kEditorFolderId, 196, 19, 16, 14, kFolder},
    {"BUTTON", kRegister, IDOK, 52, 42, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 118, 42, 50, 14, WS_TABSTOP},
};

// --- PRNPRMDLG "【 印刷パラメタ設定 】" ------------------------------------------------
inline constexpr char kStandardBlank[] = "\x95W\x8f\x80(   )";  // 標準(   ), filled when the dialog opens
inline constexpr DialogItemTemplate kPrintItems[] = {
    {"BUTTON", "\x83v\x83\x8a\x83\x93\x83^\x97p\x8e\x86", -1, 7, 4, 110, 42, BS_GROUPBOX},  // プリンタ用紙
    {"BUTTON", "\x82`\x82S\x89\xa1", kLandscapeId, 16, 16, 80, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},  // Ａ４横
    {"BUTTON", "\x82`\x82S\x8f\x63", kPortraitId, 16, 30, 80, 10, BS_AUTORADIOBUTTON},  // Ａ４縦
    {"BUTTON", "\x8aO\x98g\x88\xf3\x8d\xfc", kOuterFrameId, 130, 14, 120, 10,
     WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},  // 外枠印刷
    {"BUTTON", "\x91S\x88\xf3\x8d\xfc\x8e\x9e\x95\x5c\x8e\x86\x88\xf3\x8d\xfc", kCoverId, 130, 30, 120, 10,
     WS_TABSTOP | BS_AUTOCHECKBOX},  // 全印刷時表紙印刷
    // the numeric fields, label, field and (for the first four) the standard value
    {"STATIC", "\x82P\x83y\x81[\x83W\x8ds\x90\x94", -1, 7, 56, 90, 8, WS_GROUP},  // １ページ行数
    {"EDIT", "", kLinesPerPageId, 100, 54, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardLinesId, 150, 56, 60, 8, 0},
    {"STATIC", "\x82P\x8ds\x95\xb6\x8e\x9a\x90\x94", -1, 7, 72, 90, 8, 0},  // １行文字数
    {"EDIT", "", kCharsPerLineId, 100, 70, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardCharsId, 150, 72, 60, 8, 0},
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 88, 90, 8, 0},  // 上マージン
    {"EDIT", "", kPrintTopMarginId, 100, 86, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardTopId, 150, 88, 60, 8, 0},
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 104, 90, 8, 0},  // 左マージン
    {"EDIT", "", kPrintLeftMarginId, 100, 102, 40, 12, kField},
    {"STATIC", kStandardBlank, kStandardLeftId, 150, 104, 60, 8, 0},
    {"STATIC", "\x90\xe6\x93\xaa\x83y\x81[\x83W\x94\xd4\x8d\x86", -1, 7, 120, 90, 8, 0},  // 先頭ページ番号
    {"EDIT", "", kPrintFirstPageId, 100, 118, 40, 12, kField},
    {"STATIC", "\x8e\x64\x97l\x8f\x91\x88\xf3\x8d\xfc\x8aJ\x8en\x8a\xd6\x90\x94", -1, 7, 136, 90, 8, 0},  // 仕様書印刷開始関数
    {"EDIT", "", kPrintFirstFunctionId, 100, 134, 40, 12, kField},
    {"STATIC", "\x8e\x64\x97l\x8f\x91\x88\xf3\x8d\xfc\x8fI\x97\xb9\x8a\xd6\x90\x94", -1, 7, 152, 90, 8, 0},  // 仕様書印刷終了関数
    {"EDIT", "", kPrintLastFunctionId, 100, 150, 40, 12, kField},
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 7, 170, 120, 8, 0},  // 見出しファイル名
    {"EDIT", "", kPrintHeaderId, 7, 180, 220, 12, kField},
    // ソース印刷(ﾃｷｽﾄ)ファイル名
    {"STATIC", "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(\xc3\xb7\xbd\xc4)\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 7, 198, 140,
     8, 0},
    {"EDIT", "", kSourcePrintFileId, 7, 208, 220, 12, kField},
    {"BUTTON", kFolderCaption, kSourceFolderId, 230, 207, 16, 14, kFolder},
    {"BUTTON", "\xcc\xdf\xd8\xdd\xc0\x82\xcc\x90\xdd\x92\xe8...", kPrinterButtonId, 220, 54, 70, 14,
     WS_TABSTOP},  // ﾌﾟﾘﾝﾀの設定...
    {"BUTTON", "\xcc\xab\xdd\xc4\x82\xcc\x8ew\x92\xe8...", kFontButtonId, 220, 72, 70, 14, WS_TABSTOP},  // ﾌｫﾝﾄの指定...
    {"BUTTON", kRegister, IDOK, 90, 230, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 160, 230, 50, 14, WS_TABSTOP},
};

// --- OUTPADDLG "【 関数仕様書出力パラメタ設定 】" -----------------------------------------
inline constexpr DialogItemTemplate kOutputItems[] = {
    {"STATIC", "\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x83R\x81[\x83h", -1, 7, 9, 90, 8, 0},  // 仕様書出力コード
    {"COMBOBOX", "", kCodeSetId, 100, 7, 70, 60, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 28, 90, 8, 0},  // 上マージン
    {"EDIT", "", kTextTopMarginId, 100, 26, 40, 12, kField},
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 44, 90, 8, 0},  // 左マージン
    {"EDIT", "", kTextLeftMarginId, 100, 42, 40, 12, kField},
    {"STATIC", "\x90\xe6\x93\xaa\x83y\x81[\x83W\x94\xd4\x8d\x86", -1, 7, 60, 90, 8, 0},  // 先頭ページ番号
    {"EDIT", "", kTextFirstPageId, 100, 58, 40, 12, kField},
    {"STATIC", "\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x8aJ\x8en\x8a\xd6\x90\x94", -1, 7, 76, 90, 8, 0},  // 仕様書出力開始関数
    {"EDIT", "", kTextFirstFunctionId, 100, 74, 40, 12, kField},
    {"STATIC", "\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x8fI\x97\xb9\x8a\xd6\x90\x94", -1, 7, 92, 90, 8, 0},  // 仕様書出力終了関数
    {"EDIT", "", kTextLastFunctionId, 100, 90, 40, 12, kField},
    {"STATIC", "\x8fo\x97\xcd\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 7, 110, 120, 8, 0},  // 出力ファイル名
    {"EDIT", "", kTextOutputFileId, 7, 120, 220, 12, kField},
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83\x43\x83\x8b\x96\xbc", -1, 7, 138, 120, 8, 0},  // 見出しファイル名
    {"EDIT", "", kTextHeaderId, 7, 148, 220, 12, kField},
    {"BUTTON", "\x8fo\x97\xcd\x8e\xc0\x8ds", kRunOutputButtonId, 20, 170, 56, 14, WS_TABSTOP},  // 出力実行
    {"BUTTON", kRegister, IDOK, 88, 170, 56, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {"BUTTON", kCancel, IDCANCEL, 156, 170, 56, 14, WS_TABSTOP},
};

// --- JUMPDLG "【 ページジャンプ 】" ----------------------------------------------------
inline constexpr DialogItemTemplate kJumpItems[] = {
    {"STATIC", "\x83y\x81[\x83W\x94\xd4\x8d\x86", -1, 7, 9, 50, 8, 0},  // ページ番号
    {"EDIT", "", kJumpPageId, 60, 7, 44, 12, kField},
    {"BUTTON", "\x83W\x83\x83\x83\x93\x83v", IDOK, 12, 28, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},  // ジャンプ
    {"BUTTON", kClose, IDCANCEL, 72, 28, 50, 14, WS_TABSTOP},
};

// --- VERSIONDLG "バージョン情報" ---------------------------------------------------------
inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "NOTARIX Version 1.00", -1, 10, 10, 160, 8, 0},
    // 関数仕様書作成システム
    {"STATIC", "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8d\xec\x90\xac\x83V\x83X\x83\x65\x83\x80", -1, 10, 24, 160, 8, 0},
    {"BUTTON", "OK", IDOK, 65, 42, 50, 14, WS_TABSTOP | BS_DEFPUSHBUTTON},
};

// ORDER NAME: looked up by template name; the captions are the dialogs'
// titles and also caption their message boxes.
inline constexpr DialogTemplate kDialogs[] = {
    {"ENVDLG", kTemplateStyle, 0, 0, 0, 220, 82, "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z",  // 【 環境設定 】
     9, nullptr, nullptr, nullptr, kEnvironmentItems},
    // 【 ユーザ指定エディタ設定 】
    {"EDITORDLG", kTemplateStyle, 0, 0, 0, 220, 64,
     "\x81y \x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr,
     nullptr, kEditorItems},
    {"PRNPRMDLG", kTemplateStyle, 0, 0, 0, 300, 252,
     "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z",  // 【 印刷パラメタ設定 】
     9, nullptr, nullptr, nullptr, kPrintItems},
    // 【 関数仕様書出力パラメタ設定 】
    {"OUTPADDLG", kTemplateStyle, 0, 0, 0, 234, 192,
     "\x81y \x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9,
     nullptr, nullptr, nullptr, kOutputItems},
    {"JUMPDLG", kTemplateStyle, 0, 0, 0, 134, 50,
     "\x81y \x83y\x81[\x83W\x83W\x83\x83\x83\x93\x83v \x81z",  // 【 ページジャンプ 】
     9, nullptr, nullptr, nullptr, kJumpItems},
    {"VERSIONDLG", kTemplateStyle, 0, 0, 0, 180, 64,
     "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1",  // バージョン情報
     9, nullptr, nullptr, nullptr, kVersionItems},
};

inline constexpr ResourceTable kTable = {"NOTARIX", {}, {}, {}, {}, {}, {}, kDialogs};

}  // namespace settings_dialog_templates
