// GRAVLET's resources as C++ tables: the frame's menu and the source list's,
// the accelerators of the function buttons, the cursors of the busy state
// and of a PAD cell, the two marker bitmaps, the program icon, and the
// templates of GRAVLET's own dialogs (generation parameters, environment,
// editor, version). gravlet/viewer/startup.cpp registers them.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"
#include "resources/common/shell_resources.h"

namespace gravlet_resources {

using namespace shell_resources;

// --- Menu "GXW_PAD_MENU" -----------------------------------------------------
// ORDER POSITION: the popups stand in the order the shell addresses them by
// position (file 0, edit 1, view 2, settings 3, generation 4, print 5,
// output 6, help 7). The recent files (4108 separator, 4109-4113) are
// appended to the file popup at run time.
inline constexpr MenuItemTemplate kFileItems[] = {
    {0, 4097, "開く(&O)..."_sjis},
    {MF_SEPARATOR},
    {0, 4107, "GRAVLET の終了(&X)"_sjis},
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8194, "エディタ起動(&E)"_sjis},
};
inline constexpr MenuItemTemplate kViewItems[] = {
    {0, 12289, "ソースリスト(&S)"_sjis},
    {0, 12290, "関数一覧(&F)"_sjis},
    {0, 12291, "レイアウト(&L)"_sjis},
};
inline constexpr MenuItemTemplate kColourItems[] = {
    {0, 12294, "標準色(&S)"_sjis},
    {MF_SEPARATOR},
    {0, 12295, "ＰＡＤ図線色(&F)..."_sjis},
    {0, 12296, "ＰＡＤ図背景色(&B)..."_sjis},
    {0, 12297, "ＰＡＤ図文字色(&T)..."_sjis},
    {0, 12298, "ＰＡＤ図行番号色(&L)..."_sjis},
    {MF_SEPARATOR},
    {0, 12299, "ソースリスト文字色(&O)..."_sjis},
    {0, 12300, "ソースリスト背景色(&A)..."_sjis},
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 12292, "環境設定(&E)..."_sjis},
    {MF_POPUP, 0, "色設定(&C)"_sjis, kColourItems},
    {MF_SEPARATOR},
    {0, 12301, "ネストレベル表示(&N)"_sjis},
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "生成キーワード設定(&K)..."_sjis},
    {0, 20482, "生成パラメタ設定(&P)..."_sjis},
    {MF_SEPARATOR},
    {0, 20483, "生成実行(&C)"_sjis},
    {0, 20484, "生成エラー表示(&E)"_sjis},
    {MF_SEPARATOR},
    {0, 20485, "一括生成設定(&F)..."_sjis},
    {0, 20486, "一括生成実行(&A)"_sjis},
    {0, 20487, "一括生成エラー表示(&L)"_sjis},
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 4098, "印刷パラメタ設定(&P)..."_sjis},
    {0, 4099, "プリンタ設定(&R)..."_sjis},
    {0, 4101, "印刷用フォント指定(&F)..."_sjis},
    {MF_SEPARATOR},
    {0, 4102, "全印刷(&A)"_sjis},
    {0, 4103, "表紙印刷(&H)"_sjis},
    {0, 4104, "関数一覧印刷(&L)"_sjis},
    {0, 4105, "ＰＡＤ図印刷(&C)"_sjis},
    {0, 4106, "ソース印刷(&S)"_sjis},
};
inline constexpr MenuItemTemplate kOutputItems[] = {
    {0, 36865, "ＰＡＤ図出力パラメタ設定(&P)..."_sjis},
    {0, 36866, "ＰＡＤ図出力実行(&O)"_sjis},
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "トピックの検索(&H)"_sjis},
    {0, 28675, "バージョン情報(&A)"_sjis},
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "ﾌｧｲﾙ(&F)"_sjis, kFileItems},
    {MF_POPUP, 0, "編集(&E)"_sjis, kEditItems},
    {MF_POPUP, 0, "画面(&W)"_sjis, kViewItems},
    {MF_POPUP, 0, "設定(&O)"_sjis, kSettingsItems},
    {MF_POPUP, 0, "生成(&C)"_sjis, kGenerationItems},
    {MF_POPUP, 0, "印刷(&P)"_sjis, kPrintItems},
    {MF_POPUP, 0, "出力(&T)"_sjis, kOutputItems},
    {MF_POPUP, 0, "ﾍﾙﾌﾟ(&H)"_sjis, kHelpItems},
};

// --- Menu "GXW_SRC_MENU" of the source list ------------------------------------
inline constexpr MenuItemTemplate kSourceFileItems[] = {
    {0, 4609, "閉じる(&C)"_sjis},
};
inline constexpr MenuItemTemplate kSourceViewItems[] = {
    {0, 8705, "重ねて表示(&O)"_sjis},
    {0, 8706, "並べて表示(&T)"_sjis},
};
inline constexpr MenuItemTemplate kSourceSearchItems[] = {
    {0, 8961, "検索(&F)..."_sjis},
    {0, 8962, "次検索(&N)"_sjis},
};
inline constexpr MenuItemTemplate kSourceMenuBar[] = {
    {MF_POPUP, 0, "ﾌｧｲﾙ(&F)"_sjis, kSourceFileItems},
    {MF_POPUP, 0, "表示(&V)"_sjis, kSourceViewItems},
    {MF_POPUP, 0, "検索(&S)"_sjis, kSourceSearchItems},
};

inline constexpr MenuResource kMenus[] = {{"GXW_PAD_MENU", kMenuBar}, {"GXW_SRC_MENU", kSourceMenuBar}};

// --- Accelerators "GXW_pad_accl" --------------------------------------------------
inline constexpr AcceleratorResource kAccelerators[] = {{"GXW_pad_accl", kPageKeys}};

// --- Images ---------------------------------------------------------------------
// The cell cursor: a hand's pointing finger, its tip the hot spot.
inline constexpr auto kIndexPixels = paint_image<16, 16>([](int x, int y) {
    const bool finger = x >= 5 && x <= 7 && y >= 1 && y <= 8;
    const bool palm = x >= 3 && x <= 12 && y >= 8 && y <= 14;
    const bool edge = (finger && (x == 5 || x == 7 || y == 1)) || (palm && (x == 3 || x == 12 || y == 14)) ||
                      (y == 8 && x >= 3 && x <= 12 && !(x > 5 && x < 7));
    if (!finger && !palm) return kClear;
    return edge ? kBlack : kWhite;
});

// ORDER NAME: the shell loads the frames as "GXW_clk_csr%d", 0 to 7.
inline constexpr ImageResource kCursors[] = {
    {"GXW_clk_csr0", 16, 16, 7, 7, kClockPixels[0].data()}, {"GXW_clk_csr1", 16, 16, 7, 7, kClockPixels[1].data()},
    {"GXW_clk_csr2", 16, 16, 7, 7, kClockPixels[2].data()}, {"GXW_clk_csr3", 16, 16, 7, 7, kClockPixels[3].data()},
    {"GXW_clk_csr4", 16, 16, 7, 7, kClockPixels[4].data()}, {"GXW_clk_csr5", 16, 16, 7, 7, kClockPixels[5].data()},
    {"GXW_clk_csr6", 16, 16, 7, 7, kClockPixels[6].data()}, {"GXW_clk_csr7", 16, 16, 7, 7, kClockPixels[7].data()},
    {"GXW_idx_csr", 16, 16, 6, 1, kIndexPixels.data()},
};

// The markers are XORed onto the view: white inverts what lies under it,
// black leaves it. The cell marker is a triangle pointing at the cell; the
// source marker inverts the whole row of the current line.
inline constexpr auto kCellMarkerPixels = paint_image<16, 16>([](int x, int y) {
    const int half = y < 8 ? y : 15 - y;
    return x >= 3 && x <= 3 + half * 2 && y >= 1 && y <= 14 ? kWhite : kBlack;
});
inline constexpr auto kSourceMarkerPixels = paint_image<16, 16>([](int, int) { return kWhite; });
inline constexpr ImageResource kBitmaps[] = {
    {"GXW_pad_bmp", 16, 16, 0, 0, kCellMarkerPixels.data()},
    {"GXW_src_bmp", 16, 16, 0, 0, kSourceMarkerPixels.data()},
};

// The program icon: a sheet with a PAD's bracket and two boxes.
inline constexpr auto kIconPixels = paint_image<32, 32>([](int x, int y) {
    if (x < 4 || x > 27 || y < 2 || y > 29) return kClear;
    if (x == 4 || x == 27 || y == 2 || y == 29) return kBlack;
    const bool bar = x == 9 && y >= 7 && y <= 24;
    const bool box1 = y >= 8 && y <= 13 && x >= 12 && x <= 23 && (y == 8 || y == 13 || x == 12 || x == 23);
    const bool box2 = y >= 18 && y <= 23 && x >= 12 && x <= 23 && (y == 18 || y == 23 || x == 12 || x == 23);
    const bool arm = (y == 10 || y == 20) && x > 9 && x < 12;
    return bar || box1 || box2 || arm ? kBlue : kPaper;
});
inline constexpr ImageResource kIcons[] = {{"Icon", 32, 32, 0, 0, kIconPixels.data()}};

// --- Dialog templates -------------------------------------------------------------
// Control ids the procedures address.
enum : int {
    kFormCombo = 4353,
    kDeclarationCombo = 4354,
    kIncludeCombo = 4355,
    kMacroCombo = 4356,
    kCaseCombo = 4357,
    kSpecialCommentCombo = 4358,
    kPadCharactersField = 4359,
    kNestLevelField = 4360,
    kOptionsField = 4361,
    kRunButton = 6,

    kLineNumbersCheck = 16642,
    kLevelWidthField = 16643,
    kTabWidthField = 16644,
    kEditorField = 16645,
    kEditorFolder = 16646,
};

inline constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
inline constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kFolderButton = BS_OWNERDRAW | WS_TABSTOP;

// CNVPRMDLG: one row a setting, the label left of its control.
inline constexpr DialogItemTemplate kParameterItems[] = {
    {"STATIC", "生成形式"_sjis, -1, 8, 8, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kFormCombo, 116, 6, 122, 80, kCombo},
    {"STATIC", "宣言部生成形式"_sjis, -1, 8, 23, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kDeclarationCombo, 116, 21, 122, 60, kCombo},
    {"STATIC", "生成時#includeファイル使用"_sjis, -1, 8, 38, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kIncludeCombo, 116, 36, 122, 70, kCombo},
    {"STATIC", "マクロ展開形式"_sjis, -1, 8, 53, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kMacroCombo, 116, 51, 122, 70, kCombo},
    {"STATIC", "通過ＣＡＳＥ文生成形式"_sjis, -1, 8, 68, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kCaseCombo, 116, 66, 122, 50, kCombo},
    {"STATIC", "特殊コメント制御"_sjis, -1, 8, 83, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kSpecialCommentCombo, 116, 81, 122, 60, kCombo},
    {"STATIC", "ＰＡＤ化文字数 (1～80)"_sjis, -1, 8, 100, 104, 8, SS_LEFT},
    {"EDIT", "", kPadCharactersField, 116, 98, 36, 12, kEdit},
    {"STATIC", "生成ネストレベル (2～20)"_sjis, -1, 8, 115, 104, 8, SS_LEFT},
    {"EDIT", "", kNestLevelField, 116, 113, 36, 12, kEdit},
    {"STATIC", "生成オプション"_sjis, -1, 8, 130, 104, 8, SS_LEFT},
    {"EDIT", "", kOptionsField, 116, 128, 122, 12, kEdit},
    {"BUTTON", "生成実行"_sjis, kRunButton, 56, 147, 56, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 118, 147, 56, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 180, 147, 56, 14, kButton},
};

// ENVDLG: the two numbers with their up-down controls, the editor and the
// line-number switch.
inline constexpr DialogItemTemplate kEnvironmentItems[] = {
    {"STATIC", "ＰＡＤ図レベル幅設定 (8～32) ［全角文字数］"_sjis, -1, 7, 9, 150, 8, SS_LEFT},
    {"EDIT", "", kLevelWidthField, 160, 7, 36, 12, kEdit},
    {"STATIC", "ソースタブ展開幅設定 (0～32)"_sjis, -1, 7, 27, 150, 8, SS_LEFT},
    {"EDIT", "", kTabWidthField, 160, 25, 36, 12, kEdit},
    {"STATIC", "ユーザ指定エディタ名"_sjis, -1, 7, 45, 150, 8, SS_LEFT},
    {"EDIT", "", kEditorField, 7, 56, 200, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 210, 55, 16, 14, kFolderButton},
    {"BUTTON", "ＰＡＤ図行番号表示"_sjis, kLineNumbersCheck, 7, 76, 150, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {"BUTTON", "登録"_sjis, IDOK, 62, 94, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 124, 94, 50, 14, kButton},
};

// EDITORDLG: the user's editor alone.
inline constexpr DialogItemTemplate kEditorItems[] = {
    {"STATIC", "ユーザ指定エディタ名"_sjis, -1, 7, 9, 150, 8, SS_LEFT},
    {"EDIT", "", kEditorField, 7, 20, 200, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 210, 19, 16, 14, kFolderButton},
    {"BUTTON", "登録"_sjis, IDOK, 62, 42, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 124, 42, 50, 14, kButton},
};


// Control ids of PRNDLG and OUTPADDLG.
enum : int {
    kLandscapeRadio = 20754,
    kPortraitRadio = 20755,
    kOuterFrameCheck = 20757,
    kCoverCheck = 20759,
    kLinesPerPageField = 20769,
    kCharsPerLineField = 20770,
    kPrintTopMarginField = 20771,
    kPrintLeftMarginField = 20772,
    kPrintFirstPageField = 20773,
    kPrintFirstFunctionField = 20774,
    kPrintLastFunctionField = 20775,
    kPrintLevelWidthField = 20776,
    kPrintLimitField = 20777,
    kPrintHeaderField = 20778,
    kSourcePrintField = 20779,
    kStandardLinesText = 20785,
    kStandardCharsText = 20786,
    kStandardTopText = 20787,
    kStandardLeftText = 20788,
    kPrintScreenWidthText = 20789,
    kFontButton = 20801,
    kPrinterButton = 20802,
    kSourcePrintFolder = 20803,

    kOutputCodeCombo = 24849,
    kOutputTopMarginField = 24865,
    kOutputLeftMarginField = 24866,
    kOutputFirstFunctionField = 24867,
    kOutputLastFunctionField = 24868,
    kOutputLevelWidthField = 24869,
    kOutputFileField = 24870,
    kOutputHeaderField = 24871,
    kOutputScreenWidthText = 24881,
};

// PRNDLG: paper and switches on top, the numbers with their standard or
// screen values, the two names, the printer and font buttons at the right.
inline constexpr DialogItemTemplate kPrintDialogItems[] = {
    {"BUTTON", "プリンタ用紙"_sjis, -1, 7, 4, 110, 42, BS_GROUPBOX},
    {"BUTTON", "Ａ４横"_sjis, kLandscapeRadio, 16, 16, 80, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {"BUTTON", "Ａ４縦"_sjis, kPortraitRadio, 16, 30, 80, 10, BS_AUTORADIOBUTTON},
    {"BUTTON", "外枠印刷"_sjis, kOuterFrameCheck, 130, 14, 120, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "全印刷時表紙印刷"_sjis, kCoverCheck, 130, 30, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"STATIC", "１ページ行数"_sjis, -1, 7, 56, 104, 8, SS_LEFT},
    {"EDIT", "", kLinesPerPageField, 114, 54, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardLinesText, 162, 56, 56, 8, SS_LEFT},
    {"STATIC", "１行文字数"_sjis, -1, 7, 72, 104, 8, SS_LEFT},
    {"EDIT", "", kCharsPerLineField, 114, 70, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardCharsText, 162, 72, 56, 8, SS_LEFT},
    {"STATIC", "上マージン"_sjis, -1, 7, 88, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintTopMarginField, 114, 86, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardTopText, 162, 88, 56, 8, SS_LEFT},
    {"STATIC", "左マージン"_sjis, -1, 7, 104, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLeftMarginField, 114, 102, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardLeftText, 162, 104, 56, 8, SS_LEFT},
    {"STATIC", "先頭ページ番号"_sjis, -1, 7, 120, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintFirstPageField, 114, 118, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図印刷開始関数"_sjis, -1, 7, 136, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintFirstFunctionField, 114, 134, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図印刷終了関数"_sjis, -1, 7, 152, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLastFunctionField, 114, 150, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図レベル幅"_sjis, -1, 7, 168, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLevelWidthField, 114, 166, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kPrintScreenWidthText, 162, 168, 56, 8, SS_LEFT},
    {"STATIC", "ＰＡＤ図印刷制限行数"_sjis, -1, 7, 184, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLimitField, 114, 182, 40, 12, kEdit},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 202, 120, 8, SS_LEFT},
    {"EDIT", "", kPrintHeaderField, 7, 212, 220, 12, kEdit},
    {"STATIC", "ソース印刷(ﾃｷｽﾄ)ファイル名"_sjis, -1, 7, 230, 140, 8, SS_LEFT},
    {"EDIT", "", kSourcePrintField, 7, 240, 220, 12, kEdit},
    {"BUTTON", "FLDER", kSourcePrintFolder, 230, 239, 16, 14, kFolderButton},
    {"BUTTON", "ﾌﾟﾘﾝﾀの設定..."_sjis, kPrinterButton, 224, 54, 72, 14, kButton},
    {"BUTTON", "ﾌｫﾝﾄの指定..."_sjis, kFontButton, 224, 72, 72, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 90, 262, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 160, 262, 50, 14, kButton},
};

// OUTPADDLG: the code set, the numbers, the output and heading names.
inline constexpr DialogItemTemplate kOutputDialogItems[] = {
    {"STATIC", "ＰＡＤ図出力コード"_sjis, -1, 7, 9, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kOutputCodeCombo, 114, 7, 70, 60, kCombo},
    {"STATIC", "上マージン"_sjis, -1, 7, 28, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputTopMarginField, 114, 26, 40, 12, kEdit},
    {"STATIC", "左マージン"_sjis, -1, 7, 44, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputLeftMarginField, 114, 42, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図出力開始関数"_sjis, -1, 7, 60, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputFirstFunctionField, 114, 58, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図出力終了関数"_sjis, -1, 7, 76, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputLastFunctionField, 114, 74, 40, 12, kEdit},
    {"STATIC", "ＰＡＤ図レベル幅"_sjis, -1, 7, 92, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputLevelWidthField, 114, 90, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kOutputScreenWidthText, 162, 92, 56, 8, SS_LEFT},
    {"STATIC", "出力ファイル名"_sjis, -1, 7, 110, 120, 8, SS_LEFT},
    {"EDIT", "", kOutputFileField, 7, 120, 226, 12, kEdit},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 138, 120, 8, SS_LEFT},
    {"EDIT", "", kOutputHeaderField, 7, 148, 226, 12, kEdit},
    {"BUTTON", "出力実行"_sjis, kRunButton, 28, 170, 56, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 92, 170, 56, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 156, 170, 56, 14, kButton},
};

inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "GRAVLET Version 1.00", -1, 10, 10, 160, 8, SS_LEFT},
    {"STATIC", "ＰＡＤ図作成システム"_sjis, -1, 10, 24, 160, 8, SS_LEFT},
    {"BUTTON", "OK", IDOK, 65, 42, 50, 14, kDefaultButton},
};

// ORDER NAME: looked up by template name; the captions are the dialogs'
// titles and also caption their message boxes.
inline constexpr DialogTemplate kDialogs[] = {
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 246, 167, "【 生成パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kParameterItems},
    {"ENVDLG", kDialogStyle, 0, 0, 0, 236, 114, "【 環境設定 】"_sjis, 9, nullptr, nullptr, nullptr, kEnvironmentItems},
    {"EDITORDLG", kDialogStyle, 0, 0, 0, 236, 62, "【 ユーザ指定エディタ設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kEditorItems},
    {"PRNDLG", kDialogStyle, 0, 0, 0, 302, 284, "【 印刷パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr, kPrintDialogItems},
    {"OUTPADDLG", kDialogStyle, 0, 0, 0, 240, 192, "【 ＰＡＤ図出力パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kOutputDialogItems},
    {"VERSIONDLG", kDialogStyle, 0, 0, 0, 180, 64, "バージョン情報"_sjis, 9, nullptr, nullptr, nullptr, kVersionItems},
};

inline constexpr ResourceTable kTable = {
    "GRAVLET", kMenus, kAccelerators, kCursors, kIcons, kBitmaps, {}, kDialogs,
};

}  // namespace gravlet_resources
