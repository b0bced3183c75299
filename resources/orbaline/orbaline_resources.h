// ORBALINE's resources as C++ tables: the frame's menu, the accelerators of
// the page buttons, the busy clock and node cursors, the marker bitmaps, the
// program icon and the about box. orbaline/viewer/startup.cpp registers
// them.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel/sjis_text.h"
#include "platform/user/commctrl.h"
#include "platform/user/resources.h"
#include "resources/common/shell_resources.h"

namespace orbaline_resources {

using namespace shell_resources;

// --- Menu "OQW_PAD_MENU" -----------------------------------------------------
// ORDER POSITION: the popups stand where the frame addresses them by
// position (file 0, edit 1, window 2, settings 3, generation 4, print 5,
// output 6, search 7, help 8). The recent files (4103 separator, 4104-4108)
// are appended to the file popup at run time.
inline constexpr MenuItemTemplate kFileItems[] = {
    {0, 4097, "新規作成(&N)..."_sjis},
    {0, 4098, "開く(&O)..."_sjis},
    {0, 4099, "保存(&S)"_sjis},
    {MF_SEPARATOR},
    {0, 4102, "ORBALINE の終了(&X)"_sjis},
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8193, "未定義関数全削除(&U)"_sjis},
    {0, 8194, "指定関数削除(&D)"_sjis},
    {0, 8195, "指定関数全削除(&A)"_sjis},
    {0, 8196, "指定関数置換(&R)..."_sjis},
    {0, 8197, "指定関数全置換(&L)..."_sjis},
    {MF_SEPARATOR},
    {0, 8198, "構造図再読み込み(&O)"_sjis},
    {MF_SEPARATOR},
    {0, 8200, "エディタ起動(&E)"_sjis},
};
inline constexpr MenuItemTemplate kWindowItems[] = {
    {0, 12289, "ソースリスト(&S)"_sjis},
    {0, 12290, "関数一覧(&F)..."_sjis},
    {0, 12291, "レイアウト(&L)"_sjis},
};
inline constexpr MenuItemTemplate kColourItems[] = {
    {0, 16387, "標準色(&S)"_sjis},
    {MF_SEPARATOR},
    {0, 16388, "構造図線色(&F)..."_sjis},
    {0, 16389, "構造図背景色(&B)..."_sjis},
    {0, 16390, "構造図文字色(&T)..."_sjis},
    {0, 16391, "構造図行番号色(&L)..."_sjis},
    {MF_SEPARATOR},
    {0, 16392, "ソースリスト文字色(&O)..."_sjis},
    {0, 16393, "ソースリスト背景色(&A)..."_sjis},
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 16385, "環境設定(&E)..."_sjis},
    {MF_POPUP, 0, "色設定(&C)"_sjis, kColourItems},
    {MF_SEPARATOR},
    {0, 16394, "ネストレベル表示(&N)"_sjis},
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "生成キーワード設定(&K)..."_sjis},
    {0, 20482, "生成パラメタ設定(&P)..."_sjis},
    {MF_SEPARATOR},
    {0, 20483, "ＮＡＭファイル自動順序修正(&N)"_sjis},
    {0, 20484, "生成実行(&C)"_sjis},
    {0, 20485, "生成エラー表示(&E)"_sjis},
    {MF_SEPARATOR},
    {0, 20486, "ＩＧＮファイル編集(&I)..."_sjis},
    {0, 20487, "ＮＡＭファイル編集(&M)..."_sjis},
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 24577, "印刷パラメタ設定(&P)..."_sjis},
    {0, 24578, "プリンタ設定(&R)..."_sjis},
    {0, 24579, "フォント選択(&F)..."_sjis},
    {MF_SEPARATOR},
    {0, 24580, "全印刷(&A)"_sjis},
    {0, 24581, "表紙印刷(&H)"_sjis},
    {0, 24582, "関数一覧印刷(&L)"_sjis},
    {0, 24583, "モジュール構造図印刷(&C)"_sjis},
    {0, 24584, "ソース印刷(&S)"_sjis},
};
inline constexpr MenuItemTemplate kOutputItems[] = {
    {0, 36865, "モジュール構造図出力パラメタ設定(&P)..."_sjis},
    {0, 36866, "モジュール構造図出力実行(&O)"_sjis},
};
inline constexpr MenuItemTemplate kSearchItems[] = {
    {0, 32769, "検索(&F)..."_sjis},
    {0, 32770, "再検索(&N)"_sjis},
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "トピックの検索(&H)"_sjis},
    {0, 28675, "バージョン情報(&A)"_sjis},
};
inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "ﾌｧｲﾙ(&F)"_sjis, kFileItems},
    {MF_POPUP, 0, "編集(&E)"_sjis, kEditItems},
    {MF_POPUP, 0, "画面(&W)"_sjis, kWindowItems},
    {MF_POPUP, 0, "設定(&O)"_sjis, kSettingsItems},
    {MF_POPUP, 0, "生成(&C)"_sjis, kGenerationItems},
    {MF_POPUP, 0, "印刷(&P)"_sjis, kPrintItems},
    {MF_POPUP, 0, "出力(&T)"_sjis, kOutputItems},
    {MF_POPUP, 0, "検索(&S)"_sjis, kSearchItems},
    {MF_POPUP, 0, "ﾍﾙﾌﾟ(&H)"_sjis, kHelpItems},
};

inline constexpr MenuResource kMenus[] = {{"OQW_PAD_MENU", kMenuBar}};

// --- Accelerators "OQW_pad_accl" --------------------------------------------------
inline constexpr AcceleratorResource kAccelerators[] = {{"OQW_pad_accl", kPageKeys}};

// --- Images ---------------------------------------------------------------------
// The node cursor: a cross hair over a small box, its centre the hot spot.
inline constexpr auto kNodeCursorPixels = paint_image<16, 16>([](int x, int y) {
    const bool box = x >= 4 && x <= 11 && y >= 5 && y <= 10 && (x == 4 || x == 11 || y == 5 || y == 10);
    const bool cross = (x == 7 && (y <= 3 || y >= 12)) || (y == 7 && (x <= 2 || x >= 13));
    return box || cross ? kBlack : kClear;
});

// The layout window's magnifier: a lens with its handle, the lens's centre
// the hot spot.
inline constexpr auto kMagnifierPixels = paint_image<16, 16>([](int x, int y) {
    const int dx = x - 6, dy = y - 6;
    const int d2 = dx * dx + dy * dy;
    if (d2 >= 16 && d2 <= 30) return kBlack;
    if (d2 < 16) return kWhite;
    return x == y && x >= 10 && x <= 14 ? kBlack : kClear;
});

// ORDER NAME: the shell loads the frames as "OQW_clk_csr%d", 0 to 7.
inline constexpr ImageResource kCursors[] = {
    {"OQW_clk_csr0", 16, 16, 7, 7, kClockPixels[0].data()}, {"OQW_clk_csr1", 16, 16, 7, 7, kClockPixels[1].data()},
    {"OQW_clk_csr2", 16, 16, 7, 7, kClockPixels[2].data()}, {"OQW_clk_csr3", 16, 16, 7, 7, kClockPixels[3].data()},
    {"OQW_clk_csr4", 16, 16, 7, 7, kClockPixels[4].data()}, {"OQW_clk_csr5", 16, 16, 7, 7, kClockPixels[5].data()},
    {"OQW_clk_csr6", 16, 16, 7, 7, kClockPixels[6].data()}, {"OQW_clk_csr7", 16, 16, 7, 7, kClockPixels[7].data()},
    {"OQW_idx_csr", 16, 16, 7, 7, kNodeCursorPixels.data()},
    {"OQW_mag_csr", 16, 16, 6, 6, kMagnifierPixels.data()},
};

// The markers are XORed onto the view: white inverts what lies under it,
// black leaves it. The selection marker is an arrow head pointing right at
// the selected box; the source marker inverts the whole row.
inline constexpr auto kSelectionMarkerPixels = paint_image<16, 16>([](int x, int y) {
    const int half = y < 8 ? y : 15 - y;
    return y >= 2 && y <= 13 && x >= 2 && x <= 2 + half * 2 - 2 ? kWhite : kBlack;
});
inline constexpr auto kSourceMarkerPixels = paint_image<16, 16>([](int, int) { return kWhite; });
inline constexpr ImageResource kBitmaps[] = {
    {"OQW_pad_bmp", 16, 16, 0, 0, kSelectionMarkerPixels.data()},
    {"OQW_src_bmp", 16, 16, 0, 0, kSourceMarkerPixels.data()},
};

// The program icon: a sheet with a root box and two boxes joined below it.
inline constexpr auto kIconPixels = paint_image<32, 32>([](int x, int y) {
    if (x < 3 || x > 28 || y < 3 || y > 28) return kClear;
    if (x == 3 || x == 28 || y == 3 || y == 28) return kBlack;
    const auto frame = [x, y](int x1, int y1, int x2, int y2) {
        return x >= x1 && x <= x2 && y >= y1 && y <= y2 && (x == x1 || x == x2 || y == y1 || y == y2);
    };
    const bool root = frame(6, 6, 16, 10);
    const bool child1 = frame(14, 14, 25, 18);
    const bool child2 = frame(14, 21, 25, 25);
    const bool stem = x == 9 && y > 10 && y <= 23;
    const bool arm = (y == 16 || y == 23) && x > 9 && x < 14;
    return root || child1 || child2 || stem || arm ? kBlue : kPaper;
});
inline constexpr ImageResource kIcons[] = {{"Icon", 32, 32, 0, 0, kIconPixels.data()}};

// --- Dialog templates -------------------------------------------------------------
inline constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
inline constexpr DWORD kDefaultButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
inline constexpr DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

inline constexpr int kSearchField = 12801;

// Control ids of ENVDLG.
enum : int {
    kRowNumbersCheck = 16642,
    kConfirmEditsCheck = 16644,
    kBoxWidthField = 16645,
    kBoxLinesField = 16646,
    kTabWidthField = 16647,
    kEditorField = 16648,
    kEditorFolder = 16649,
};
inline constexpr DWORD kFolderButton = BS_OWNERDRAW | WS_TABSTOP;
inline constexpr DWORD kCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// Control ids of CNVPRMDLG.
enum : int {
    kIncludeCombo = 4353,
    kMacroCombo = 4354,
    kBlockCharactersField = 4357,
    kNestLevelField = 4358,
    kOptionsField = 4359,
    kIgnoreField = 4360,
    kUndefinedCheck = 4363,
    kReusedCheck = 4364,
    kPointerCheck = 4365,
    kIgnoreFolder = 4610,
    kRunButton = 6,
};
inline constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;

// CNVPRMDLG: one row a setting, the label left of its control, the three
// switches below.
inline constexpr DialogItemTemplate kParameterItems[] = {
    {"STATIC", "生成時#includeファイル使用"_sjis, -1, 8, 8, 112, 8, SS_LEFT},
    {"COMBOBOX", "", kIncludeCombo, 124, 6, 144, 70, kCombo},
    {"STATIC", "マクロ展開形式"_sjis, -1, 8, 23, 112, 8, SS_LEFT},
    {"COMBOBOX", "", kMacroCombo, 124, 21, 144, 70, kCombo},
    {"STATIC", "構造図ﾌﾞﾛｯｸ化文字数 (1～80)"_sjis, -1, 8, 40, 112, 8, SS_LEFT},
    {"EDIT", "", kBlockCharactersField, 124, 38, 36, 12, kEdit},
    {"STATIC", "生成ネストレベル (2～64)"_sjis, -1, 8, 56, 112, 8, SS_LEFT},
    {"EDIT", "", kNestLevelField, 124, 54, 36, 12, kEdit},
    {"STATIC", "生成オプション"_sjis, -1, 8, 72, 112, 8, SS_LEFT},
    {"EDIT", "", kOptionsField, 124, 70, 144, 12, kEdit},
    {"STATIC", "ＩＧＮファイル名"_sjis, -1, 8, 88, 112, 8, SS_LEFT},
    {"EDIT", "", kIgnoreField, 124, 86, 126, 12, kEdit},
    {"BUTTON", "FLDER", kIgnoreFolder, 252, 85, 16, 14, kFolderButton},
    {"BUTTON", "未定義関数ﾌﾞﾛｯｸ生成"_sjis, kUndefinedCheck, 8, 106, 150, 10, kCheckBox},
    {"BUTTON", "再使用関数表示"_sjis, kReusedCheck, 8, 120, 150, 10, kCheckBox},
    {"BUTTON", "ポインタ呼出関数表示"_sjis, kPointerCheck, 8, 134, 150, 10, kCheckBox},
    {"BUTTON", "生成実行"_sjis, kRunButton, 80, 152, 56, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 142, 152, 56, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 204, 152, 56, 14, kButton},
};

// EDTCMT: a node's function name and its comment.
inline constexpr int kCommentNameText = 33281;
inline constexpr int kCommentField = 33282;
inline constexpr DialogItemTemplate kCommentItems[] = {
    {"STATIC", "関 数 名"_sjis, -1, 8, 9, 40, 8, SS_LEFT},
    {"STATIC", "", kCommentNameText, 52, 8, 180, 10, SS_LEFT},
    {"STATIC", "コメント"_sjis, -1, 8, 27, 40, 8, SS_LEFT},
    {"EDIT", "", kCommentField, 52, 25, 180, 12, kEdit},
    {"BUTTON", "実行"_sjis, IDOK, 62, 46, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 126, 46, 50, 14, kButton},
};

// ENVDLG: the three numbers with their up-down controls, the editor and
// the two switches.
inline constexpr DialogItemTemplate kEnvironmentItems[] = {
    {"STATIC", "構造図ブロック幅設定 (8～32) ［全角文字数］"_sjis, -1, 7, 9, 180, 8, SS_LEFT},
    {"EDIT", "", kBoxWidthField, 192, 7, 36, 12, kEdit},
    {"STATIC", "構造図ブロック高設定 (1～5)"_sjis, -1, 7, 27, 180, 8, SS_LEFT},
    {"EDIT", "", kBoxLinesField, 192, 25, 36, 12, kEdit},
    {"STATIC", "ソースタブ展開幅設定 (0～32)"_sjis, -1, 7, 45, 180, 8, SS_LEFT},
    {"EDIT", "", kTabWidthField, 192, 43, 36, 12, kEdit},
    {"STATIC", "ユーザ指定エディタ名"_sjis, -1, 7, 63, 180, 8, SS_LEFT},
    {"EDIT", "", kEditorField, 7, 74, 212, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 222, 73, 16, 14, kFolderButton},
    {"BUTTON", "構造図行番号表示"_sjis, kRowNumbersCheck, 7, 94, 200, 10, kCheckBox},
    {"BUTTON", "構造図編集時確認メッセージ表示"_sjis, kConfirmEditsCheck, 7, 108, 200, 10, kCheckBox},
    {"BUTTON", "登録"_sjis, IDOK, 66, 126, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 130, 126, 50, 14, kButton},
};

// SRCSEARCHDLG: the chart's and the source list's search text.
inline constexpr DialogItemTemplate kSearchDialogItems[] = {
    {"STATIC", "検索文字列："_sjis, -1, 8, 9, 50, 8, SS_LEFT},
    {"EDIT", "", kSearchField, 60, 7, 150, 12, kEdit},
    {"BUTTON", "実行"_sjis, IDOK, 52, 26, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 116, 26, 50, 14, kButton},
};


// Control ids of PRNDLG and OUTPADDLG.
enum : int {
    kLandscapeRadio = 20739,
    kPortraitRadio = 20740,
    kOuterFrameCheck = 20742,
    kCoverCheck = 20744,
    kPrintFileLineCheck = 20746,
    kPrintBlockNumbersCheck = 20748,
    kPrintReferenceNumbersCheck = 20750,
    kLinesPerPageField = 20993,
    kCharsPerLineField = 20994,
    kPrintTopMarginField = 20995,
    kPrintLeftMarginField = 20996,
    kPrintFirstPageNumberField = 20997,
    kPrintFirstPageField = 20998,
    kPrintLastPageField = 20999,
    kPrintBoxWidthField = 21000,
    kPrintBoxLinesField = 21001,
    kPrintHeaderField = 21002,
    kSourcePrintField = 21003,
    kStandardLinesText = 21249,
    kStandardCharsText = 21250,
    kStandardTopText = 21251,
    kStandardLeftText = 21252,
    kScreenBoxWidthText = 21253,
    kScreenBoxLinesText = 21254,
    kSourcePrintFolder = 21505,
    kFontButton = 21761,
    kPrinterButton = 21762,

    kOutputCodeCombo = 24577,
    kOutputFileLineCheck = 24834,
    kOutputBlockNumbersCheck = 24836,
    kOutputReferenceNumbersCheck = 24838,
    kOutputTopMarginField = 25089,
    kOutputLeftMarginField = 25090,
    kOutputBoxWidthField = 25091,
    kOutputBoxLinesField = 25092,
    kOutputFileField = 25093,
    kOutputHeaderField = 25094,
    kOutputScreenWidthText = 25345,
    kOutputScreenLinesText = 25346,
};

// PRNDLG: paper, switches and the chart's print options on top, the numbers
// with their standard or screen values, the two names, the printer and font
// buttons at the right.
inline constexpr DialogItemTemplate kPrintDialogItems[] = {
    {"BUTTON", "プリンタ用紙"_sjis, -1, 7, 4, 90, 48, BS_GROUPBOX},
    {"BUTTON", "Ａ４横"_sjis, kLandscapeRadio, 16, 18, 70, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},
    {"BUTTON", "Ａ４縦"_sjis, kPortraitRadio, 16, 34, 70, 10, BS_AUTORADIOBUTTON},
    {"BUTTON", "外枠印刷"_sjis, kOuterFrameCheck, 104, 16, 92, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "全印刷時表紙印刷"_sjis, kCoverCheck, 104, 32, 92, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "モジュール構造図印刷"_sjis, -1, 200, 4, 110, 48, BS_GROUPBOX},
    {"BUTTON", "ﾌｧｲﾙ名/行番号印字"_sjis, kPrintFileLineCheck, 208, 15, 98, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "ﾌﾞﾛｯｸ番号印字"_sjis, kPrintBlockNumbersCheck, 208, 27, 98, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "参照ﾌﾞﾛｯｸ番号印字"_sjis, kPrintReferenceNumbersCheck, 208, 39, 98, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"STATIC", "１ページ行数"_sjis, -1, 7, 62, 104, 8, SS_LEFT},
    {"EDIT", "", kLinesPerPageField, 114, 60, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardLinesText, 162, 62, 56, 8, SS_LEFT},
    {"STATIC", "１行文字数"_sjis, -1, 7, 78, 104, 8, SS_LEFT},
    {"EDIT", "", kCharsPerLineField, 114, 76, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardCharsText, 162, 78, 56, 8, SS_LEFT},
    {"STATIC", "上マージン"_sjis, -1, 7, 94, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintTopMarginField, 114, 92, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardTopText, 162, 94, 56, 8, SS_LEFT},
    {"STATIC", "左マージン"_sjis, -1, 7, 110, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLeftMarginField, 114, 108, 40, 12, kEdit},
    {"STATIC", "標準(   )"_sjis, kStandardLeftText, 162, 110, 56, 8, SS_LEFT},
    {"STATIC", "先頭ページ番号"_sjis, -1, 7, 126, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintFirstPageNumberField, 114, 124, 40, 12, kEdit},
    {"STATIC", "構造図印刷開始ページ"_sjis, -1, 7, 142, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintFirstPageField, 114, 140, 40, 12, kEdit},
    {"STATIC", "構造図印刷終了ページ"_sjis, -1, 7, 158, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintLastPageField, 114, 156, 40, 12, kEdit},
    {"STATIC", "構造図ブロック幅"_sjis, -1, 7, 174, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintBoxWidthField, 114, 172, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kScreenBoxWidthText, 162, 174, 56, 8, SS_LEFT},
    {"STATIC", "構造図ブロック高"_sjis, -1, 7, 190, 104, 8, SS_LEFT},
    {"EDIT", "", kPrintBoxLinesField, 114, 188, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kScreenBoxLinesText, 162, 190, 56, 8, SS_LEFT},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 208, 120, 8, SS_LEFT},
    {"EDIT", "", kPrintHeaderField, 7, 218, 220, 12, kEdit},
    {"STATIC", "ソース印刷(ﾃｷｽﾄ)ファイル名"_sjis, -1, 7, 236, 140, 8, SS_LEFT},
    {"EDIT", "", kSourcePrintField, 7, 246, 220, 12, kEdit},
    {"BUTTON", "FLDER", kSourcePrintFolder, 230, 245, 16, 14, kFolderButton},
    {"BUTTON", "ﾌﾟﾘﾝﾀの設定..."_sjis, kPrinterButton, 230, 60, 76, 14, kButton},
    {"BUTTON", "ﾌｫﾝﾄの指定..."_sjis, kFontButton, 230, 78, 76, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 100, 268, 50, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 166, 268, 50, 14, kButton},
};

// OUTPADDLG: the chart's output options, the code set, the numbers with the
// screen values, the output and heading names.
inline constexpr DialogItemTemplate kOutputDialogItems[] = {
    {"BUTTON", "モジュール構造図出力"_sjis, -1, 7, 4, 226, 48, BS_GROUPBOX},
    {"BUTTON", "ﾌｧｲﾙ名/行番号出力"_sjis, kOutputFileLineCheck, 16, 15, 120, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "ﾌﾞﾛｯｸ番号出力"_sjis, kOutputBlockNumbersCheck, 16, 27, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"BUTTON", "参照ﾌﾞﾛｯｸ番号出力"_sjis, kOutputReferenceNumbersCheck, 16, 39, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},
    {"STATIC", "構造図出力コード"_sjis, -1, 7, 62, 104, 8, SS_LEFT},
    {"COMBOBOX", "", kOutputCodeCombo, 114, 60, 70, 60, kCombo},
    {"STATIC", "上マージン"_sjis, -1, 7, 80, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputTopMarginField, 114, 78, 40, 12, kEdit},
    {"STATIC", "左マージン"_sjis, -1, 7, 96, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputLeftMarginField, 114, 94, 40, 12, kEdit},
    {"STATIC", "構造図ブロック幅"_sjis, -1, 7, 112, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputBoxWidthField, 114, 110, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kOutputScreenWidthText, 162, 112, 56, 8, SS_LEFT},
    {"STATIC", "構造図ブロック高"_sjis, -1, 7, 128, 104, 8, SS_LEFT},
    {"EDIT", "", kOutputBoxLinesField, 114, 126, 40, 12, kEdit},
    {"STATIC", "画面(   )"_sjis, kOutputScreenLinesText, 162, 128, 56, 8, SS_LEFT},
    {"STATIC", "出力ファイル名"_sjis, -1, 7, 146, 120, 8, SS_LEFT},
    {"EDIT", "", kOutputFileField, 7, 156, 226, 12, kEdit},
    {"STATIC", "見出しファイル名"_sjis, -1, 7, 174, 120, 8, SS_LEFT},
    {"EDIT", "", kOutputHeaderField, 7, 184, 226, 12, kEdit},
    {"BUTTON", "出力実行"_sjis, kRunButton, 28, 206, 56, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 92, 206, 56, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 156, 206, 56, 14, kButton},
};

inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "ORBALINE Version 1.00", -1, 10, 10, 170, 8, SS_LEFT},
    {"STATIC", "モジュール構造図作成システム"_sjis, -1, 10, 24, 170, 8, SS_LEFT},
    {"BUTTON", "OK", IDOK, 70, 42, 50, 14, kDefaultButton},
};

// KEYWORDDLG: the two keys of oq1000.kwd, the shared buttons.
inline constexpr DialogItemTemplate kKeywordItems[] = {
    {"STATIC", "NAME", -1, 8, 10, 50, 8, SS_LEFT},
    {"EDIT", "", 33057, 60, 8, 150, 12, kEdit},
    {"STATIC", "FUNCTION", -1, 8, 28, 50, 8, SS_LEFT},
    {"EDIT", "", 33058, 60, 26, 150, 12, kEdit},
    {"BUTTON", "読込..."_sjis, 33073, 222, 8, 60, 14, kButton},
    {"BUTTON", "保存..."_sjis, 33075, 222, 26, 60, 14, kButton},
    {"BUTTON", "標準設定"_sjis, 33074, 222, 44, 60, 14, kButton},
    {"BUTTON", "登録"_sjis, IDOK, 84, 50, 56, 14, kDefaultButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 146, 50, 56, 14, kButton},
};

// The list dialogs (NAMLSTDLG, NEW_NAMLSTDLG, IGNLSTDLG): the entry field
// over the list, the list file's name below it, the buttons on the right.
#define ORBALINE_LIST_ITEMS(entry_label, entry, list, name_label, name, insert, remove, read, save)                    \
    {"STATIC", entry_label, -1, 8, 10, 80, 8, SS_LEFT}, {"EDIT", "", entry, 90, 8, 150, 12, kEdit},                    \
        {"LISTBOX", "", list, 8, 26, 232, 110, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},                      \
        {"STATIC", name_label, -1, 8, 144, 80, 8, SS_LEFT}, {"EDIT", "", name, 90, 142, 150, 12, kEdit},               \
        {"BUTTON", "挿入"_sjis, insert, 248, 26, 80, 14, kDefaultButton},                                              \
        {"BUTTON", "削除"_sjis, remove, 248, 44, 80, 14, kButton},                                                     \
        {"BUTTON", "読込..."_sjis, read, 248, 70, 80, 14, kButton},                                                    \
        {"BUTTON", "保存..."_sjis, save, 248, 88, 80, 14, kButton}
// The list dialog's labels and the source chooser's button.
#define ORBALINE_NAM_LIST_ITEMS                                                                                        \
    ORBALINE_LIST_ITEMS("生成対象ファイル名"_sjis, 8449, 8705, "ＮＡＭファイル名"_sjis, 8450, 8965, 8964, 8961, 8962), \
        {"BUTTON", "生成対象ファイル選択..."_sjis, 8966, 248, 8, 80, 14, kButton}
inline constexpr DialogItemTemplate kNamListItems[] = {
    ORBALINE_NAM_LIST_ITEMS,
    {"BUTTON", "終了"_sjis, 8963, 248, 122, 80, 14, kButton},
};
inline constexpr DialogItemTemplate kNewNamListItems[] = {
    ORBALINE_NAM_LIST_ITEMS,
    {"BUTTON", "生成実行"_sjis, 8963, 248, 122, 80, 14, kButton},
    {"BUTTON", "取消"_sjis, IDCANCEL, 248, 140, 80, 14, kButton},
};
// 生成対象除外関数名 and ＩＧＮファイル名
inline constexpr DialogItemTemplate kIgnoreListItems[] = {
    ORBALINE_LIST_ITEMS("生成対象除外関数名"_sjis, 37121, 37377,
                        "ＩＧＮファイル名"_sjis, 37122, 37637, 37636, 37633, 37634),
    {"BUTTON", "終了"_sjis, 37635, 248, 122, 80, 14, kButton},
};
#undef ORBALINE_NAM_LIST_ITEMS
#undef ORBALINE_LIST_ITEMS

// ORDER NAME: looked up by template name.
inline constexpr DialogTemplate kDialogs[] = {
    {"EDTCMT", kDialogStyle, 0, 0, 0, 240, 68, "【 コメント編集 】"_sjis, 9, nullptr, nullptr, nullptr, kCommentItems},
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 276, 174, "【 生成パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr, kParameterItems},
    {"ENVDLG", kDialogStyle, 0, 0, 0, 246, 148, "【 環境設定 】"_sjis, 9, nullptr, nullptr, nullptr, kEnvironmentItems},
    {"SRCSEARCHDLG", kDialogStyle, 0, 0, 0, 218, 46, "【 検索文字列入力 】"_sjis, 9, nullptr, nullptr, nullptr, kSearchDialogItems},
    {"KEYWORDDLG", kDialogStyle, 0, 0, 0, 290, 72, "【 生成キーワード設定 】"_sjis, 9, nullptr, nullptr, nullptr, kKeywordItems},
    {"NAMLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "【 ＮＡＭファイル編集 】"_sjis, 9, nullptr, nullptr, nullptr, kNamListItems},
    {"NEW_NAMLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "【 新規作成 ［ＮＡＭファイル編集］ 】"_sjis, 9, nullptr, nullptr, nullptr, kNewNamListItems},
    {"IGNLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "【 ＩＧＮファイル編集 】"_sjis, 9, nullptr, nullptr, nullptr, kIgnoreListItems},
    {"PRNDLG", kDialogStyle, 0, 0, 0, 314, 290, "【 印刷パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr, kPrintDialogItems},
    {"OUTPADDLG", kDialogStyle, 0, 0, 0, 240, 228, "【 モジュール構造図出力パラメタ設定 】"_sjis, 9, nullptr, nullptr, nullptr,
     kOutputDialogItems},
    {"VERSIONDLG", kDialogStyle, 0, 0, 0, 190, 64, "バージョン情報"_sjis, 9, nullptr, nullptr, nullptr, kVersionItems},
};

inline constexpr ResourceTable kTable = {
    "ORBALINE", kMenus, kAccelerators, kCursors, kIcons, kBitmaps, {}, kDialogs,
};

}  // namespace orbaline_resources
