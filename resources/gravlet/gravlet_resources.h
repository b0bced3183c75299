// GRAVLET's resources as C++ tables: the frame's menu and the source list's,
// the accelerators of the function buttons, the cursors of the busy state
// and of a PAD cell, the two marker bitmaps, the program icon, and the
// templates of GRAVLET's own dialogs (generation parameters, environment,
// editor, version). gravlet/viewer/startup.cpp registers them. Texts are
// Shift-JIS bytes; the comment beside each gives it readably.
#pragma once

#include <array>
#include <cstdint>

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
    {0, 4097, "\x8aJ\x82\xad(&O)..."},  // 開く(&O)...
    {MF_SEPARATOR},
    {0, 4107, "GRAVLET \x82\xcc\x8fI\x97\xb9(&X)"},  // GRAVLET の終了(&X)
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8194, "\x83G\x83\x66\x83\x42\x83^\x8bN\x93\xae(&E)"},  // エディタ起動(&E)
};
inline constexpr MenuItemTemplate kViewItems[] = {
    {0, 12289, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g(&S)"},  // ソースリスト(&S)
    {0, 12290, "\x8a\xd6\x90\x94\x88\xea\x97\x97(&F)"},  // 関数一覧(&F)
    {0, 12291, "\x83\x8c\x83\x43\x83\x41\x83\x45\x83g(&L)"},  // レイアウト(&L)
};
inline constexpr MenuItemTemplate kColourItems[] = {
    {0, 12294, "\x95W\x8f\x80\x90\x46(&S)"},  // 標準色(&S)
    {MF_SEPARATOR},
    {0, 12295, "\x82o\x82`\x82\x63\x90}\x90\xfc\x90\x46(&F)..."},  // ＰＡＤ図線色(&F)...
    {0, 12296, "\x82o\x82`\x82\x63\x90}\x94w\x8ci\x90\x46(&B)..."},  // ＰＡＤ図背景色(&B)...
    {0, 12297, "\x82o\x82`\x82\x63\x90}\x95\xb6\x8e\x9a\x90\x46(&T)..."},  // ＰＡＤ図文字色(&T)...
    {0, 12298, "\x82o\x82`\x82\x63\x90}\x8ds\x94\xd4\x8d\x86\x90\x46(&L)..."},  // ＰＡＤ図行番号色(&L)...
    {MF_SEPARATOR},
    {0, 12299, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\xb6\x8e\x9a\x90\x46(&O)..."},  // ソースリスト文字色(&O)...
    {0, 12300, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x94w\x8ci\x90\x46(&A)..."},  // ソースリスト背景色(&A)...
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 12292, "\x8a\xc2\x8b\xab\x90\xdd\x92\xe8(&E)..."},  // 環境設定(&E)...
    {MF_POPUP, 0, "\x90\x46\x90\xdd\x92\xe8(&C)", kColourItems},  // 色設定(&C)
    {MF_SEPARATOR},
    {0, 12301, "\x83l\x83X\x83g\x83\x8c\x83x\x83\x8b\x95\x5c\x8e\xa6(&N)"},  // ネストレベル表示(&N)
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "\x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8(&K)..."},  // 生成キーワード設定(&K)...
    {0, 20482, "\x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},  // 生成パラメタ設定(&P)...
    {MF_SEPARATOR},
    {0, 20483, "\x90\xb6\x90\xac\x8e\xc0\x8ds(&C)"},  // 生成実行(&C)
    {0, 20484, "\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6(&E)"},  // 生成エラー表示(&E)
    {MF_SEPARATOR},
    {0, 20485, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8(&F)..."},  // 一括生成設定(&F)...
    {0, 20486, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x8e\xc0\x8ds(&A)"},  // 一括生成実行(&A)
    {0, 20487, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6(&L)"},  // 一括生成エラー表示(&L)
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 4098, "\x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},  // 印刷パラメタ設定(&P)...
    {0, 4099, "\x83v\x83\x8a\x83\x93\x83^\x90\xdd\x92\xe8(&R)..."},  // プリンタ設定(&R)...
    {0, 4101, "\x88\xf3\x8d\xfc\x97p\x83t\x83H\x83\x93\x83g\x8ew\x92\xe8(&F)..."},  // 印刷用フォント指定(&F)...
    {MF_SEPARATOR},
    {0, 4102, "\x91S\x88\xf3\x8d\xfc(&A)"},  // 全印刷(&A)
    {0, 4103, "\x95\x5c\x8e\x86\x88\xf3\x8d\xfc(&H)"},  // 表紙印刷(&H)
    {0, 4104, "\x8a\xd6\x90\x94\x88\xea\x97\x97\x88\xf3\x8d\xfc(&L)"},  // 関数一覧印刷(&L)
    {0, 4105, "\x82o\x82`\x82\x63\x90}\x88\xf3\x8d\xfc(&C)"},  // ＰＡＤ図印刷(&C)
    {0, 4106, "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(&S)"},  // ソース印刷(&S)
};
inline constexpr MenuItemTemplate kOutputItems[] = {
    {0, 36865, "\x82o\x82`\x82\x63\x90}\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},  // ＰＡＤ図出力パラメタ設定(&P)...
    {0, 36866, "\x82o\x82`\x82\x63\x90}\x8fo\x97\xcd\x8e\xc0\x8ds(&O)"},  // ＰＡＤ図出力実行(&O)
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "\x83g\x83s\x83\x62\x83N\x82\xcc\x8c\x9f\x8d\xf5(&H)"},  // トピックの検索(&H)
    {0, 28675, "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1(&A)"},  // バージョン情報(&A)
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "\xcc\xa7\xb2\xd9(&F)", kFileItems},  // ﾌｧｲﾙ(&F)
    {MF_POPUP, 0, "\x95\xd2\x8fW(&E)", kEditItems},  // 編集(&E)
    {MF_POPUP, 0, "\x89\xe6\x96\xca(&W)", kViewItems},  // 画面(&W)
    {MF_POPUP, 0, "\x90\xdd\x92\xe8(&O)", kSettingsItems},  // 設定(&O)
    {MF_POPUP, 0, "\x90\xb6\x90\xac(&C)", kGenerationItems},  // 生成(&C)
    {MF_POPUP, 0, "\x88\xf3\x8d\xfc(&P)", kPrintItems},  // 印刷(&P)
    {MF_POPUP, 0, "\x8fo\x97\xcd(&T)", kOutputItems},  // 出力(&T)
    {MF_POPUP, 0, "\xcd\xd9\xcc\xdf(&H)", kHelpItems},  // ﾍﾙﾌﾟ(&H)
};

// --- Menu "GXW_SRC_MENU" of the source list ------------------------------------
inline constexpr MenuItemTemplate kSourceFileItems[] = {
    {0, 4609, "\x95\xc2\x82\xb6\x82\xe9(&C)"},  // 閉じる(&C)
};
inline constexpr MenuItemTemplate kSourceViewItems[] = {
    {0, 8705, "\x8f\x64\x82\xcb\x82\xc4\x95\x5c\x8e\xa6(&O)"},  // 重ねて表示(&O)
    {0, 8706, "\x95\xc0\x82\xd7\x82\xc4\x95\x5c\x8e\xa6(&T)"},  // 並べて表示(&T)
};
inline constexpr MenuItemTemplate kSourceSearchItems[] = {
    {0, 8961, "\x8c\x9f\x8d\xf5(&F)..."},  // 検索(&F)...
    {0, 8962, "\x8e\x9f\x8c\x9f\x8d\xf5(&N)"},  // 次検索(&N)
};
inline constexpr MenuItemTemplate kSourceMenuBar[] = {
    {MF_POPUP, 0, "\xcc\xa7\xb2\xd9(&F)", kSourceFileItems},  // ﾌｧｲﾙ(&F)
    {MF_POPUP, 0, "\x95\x5c\x8e\xa6(&V)", kSourceViewItems},  // 表示(&V)
    {MF_POPUP, 0, "\x8c\x9f\x8d\xf5(&S)", kSourceSearchItems},  // 検索(&S)
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
    {"STATIC", "\x90\xb6\x90\xac\x8c`\x8e\xae", -1, 8, 8, 104, 8, SS_LEFT},  // 生成形式
    {"COMBOBOX", "", kFormCombo, 116, 6, 122, 80, kCombo},
    {"STATIC", "\x90\xe9\x8c\xbe\x95\x94\x90\xb6\x90\xac\x8c`\x8e\xae", -1, 8, 23, 104, 8, SS_LEFT},  // 宣言部生成形式
    {"COMBOBOX", "", kDeclarationCombo, 116, 21, 122, 60, kCombo},
    {"STATIC", "\x90\xb6\x90\xac\x8e\x9e#include\x83t\x83@\x83\x43\x83\x8b\x8eg\x97p", -1, 8, 38, 104, 8, SS_LEFT},  // 生成時#includeファイル使用
    {"COMBOBOX", "", kIncludeCombo, 116, 36, 122, 70, kCombo},
    {"STATIC", "\x83}\x83N\x83\x8d\x93W\x8aJ\x8c`\x8e\xae", -1, 8, 53, 104, 8, SS_LEFT},  // マクロ展開形式
    {"COMBOBOX", "", kMacroCombo, 116, 51, 122, 70, kCombo},
    {"STATIC", "\x92\xca\x89\xdf\x82\x62\x82`\x82r\x82\x64\x95\xb6\x90\xb6\x90\xac\x8c`\x8e\xae", -1, 8, 68, 104, 8, SS_LEFT},  // 通過ＣＡＳＥ文生成形式
    {"COMBOBOX", "", kCaseCombo, 116, 66, 122, 50, kCombo},
    {"STATIC", "\x93\xc1\x8e\xea\x83R\x83\x81\x83\x93\x83g\x90\xa7\x8c\xe4", -1, 8, 83, 104, 8, SS_LEFT},  // 特殊コメント制御
    {"COMBOBOX", "", kSpecialCommentCombo, 116, 81, 122, 60, kCombo},
    {"STATIC", "\x82o\x82`\x82\x63\x89\xbb\x95\xb6\x8e\x9a\x90\x94 (1\x81`80)", -1, 8, 100, 104, 8, SS_LEFT},  // ＰＡＤ化文字数 (1～80)
    {"EDIT", "", kPadCharactersField, 116, 98, 36, 12, kEdit},
    {"STATIC", "\x90\xb6\x90\xac\x83l\x83X\x83g\x83\x8c\x83x\x83\x8b (2\x81`20)", -1, 8, 115, 104, 8, SS_LEFT},  // 生成ネストレベル (2～20)
    {"EDIT", "", kNestLevelField, 116, 113, 36, 12, kEdit},
    {"STATIC", "\x90\xb6\x90\xac\x83I\x83v\x83V\x83\x87\x83\x93", -1, 8, 130, 104, 8, SS_LEFT},  // 生成オプション
    {"EDIT", "", kOptionsField, 116, 128, 122, 12, kEdit},
    {"BUTTON", "\x90\xb6\x90\xac\x8e\xc0\x8ds", kRunButton, 56, 147, 56, 14, kButton},  // 生成実行
    {"BUTTON", "\x93o\x98^", IDOK, 118, 147, 56, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 180, 147, 56, 14, kButton},  // 取消
};

// ENVDLG: the two numbers with their up-down controls, the editor and the
// line-number switch.
inline constexpr DialogItemTemplate kEnvironmentItems[] = {
    {"STATIC", "\x82o\x82`\x82\x63\x90}\x83\x8c\x83x\x83\x8b\x95\x9d\x90\xdd\x92\xe8 (8\x81`32) \x81m\x91S\x8ap\x95\xb6\x8e\x9a\x90\x94\x81n", -1, 7, 9, 150, 8, SS_LEFT},  // ＰＡＤ図レベル幅設定 (8～32) ［全角文字数］
    {"EDIT", "", kLevelWidthField, 160, 7, 36, 12, kEdit},
    {"STATIC", "\x83\x5c\x81[\x83X\x83^\x83u\x93W\x8aJ\x95\x9d\x90\xdd\x92\xe8 (0\x81`32)", -1, 7, 27, 150, 8, SS_LEFT},  // ソースタブ展開幅設定 (0～32)
    {"EDIT", "", kTabWidthField, 160, 25, 36, 12, kEdit},
    {"STATIC", "\x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x96\xbc", -1, 7, 45, 150, 8, SS_LEFT},  // ユーザ指定エディタ名
    {"EDIT", "", kEditorField, 7, 56, 200, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 210, 55, 16, 14, kFolderButton},
    {"BUTTON", "\x82o\x82`\x82\x63\x90}\x8ds\x94\xd4\x8d\x86\x95\x5c\x8e\xa6", kLineNumbersCheck, 7, 76, 150, 10, BS_AUTOCHECKBOX | WS_TABSTOP},  // ＰＡＤ図行番号表示
    {"BUTTON", "\x93o\x98^", IDOK, 62, 94, 50, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 124, 94, 50, 14, kButton},  // 取消
};

// EDITORDLG: the user's editor alone.
inline constexpr DialogItemTemplate kEditorItems[] = {
    {"STATIC", "\x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x96\xbc", -1, 7, 9, 150, 8, SS_LEFT},  // ユーザ指定エディタ名
    {"EDIT", "", kEditorField, 7, 20, 200, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 210, 19, 16, 14, kFolderButton},
    {"BUTTON", "\x93o\x98^", IDOK, 62, 42, 50, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 124, 42, 50, 14, kButton},  // 取消
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
    {"BUTTON", "\x83v\x83\x8a\x83\x93\x83^\x97p\x8e\x86", -1, 7, 4, 110, 42, BS_GROUPBOX},  // プリンタ用紙
    {"BUTTON", "\x82`\x82S\x89\xa1", kLandscapeRadio, 16, 16, 80, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},  // Ａ４横
    {"BUTTON", "\x82`\x82S\x8f" "c", kPortraitRadio, 16, 30, 80, 10, BS_AUTORADIOBUTTON},  // Ａ４縦
    {"BUTTON", "\x8aO\x98g\x88\xf3\x8d\xfc", kOuterFrameCheck, 130, 14, 120, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},  // 外枠印刷
    {"BUTTON", "\x91S\x88\xf3\x8d\xfc\x8e\x9e\x95\x5c\x8e\x86\x88\xf3\x8d\xfc", kCoverCheck, 130, 30, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // 全印刷時表紙印刷
    {"STATIC", "\x82P\x83y\x81[\x83W\x8ds\x90\x94", -1, 7, 56, 104, 8, SS_LEFT},  // １ページ行数
    {"EDIT", "", kLinesPerPageField, 114, 54, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardLinesText, 162, 56, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x82P\x8ds\x95\xb6\x8e\x9a\x90\x94", -1, 7, 72, 104, 8, SS_LEFT},  // １行文字数
    {"EDIT", "", kCharsPerLineField, 114, 70, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardCharsText, 162, 72, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 88, 104, 8, SS_LEFT},  // 上マージン
    {"EDIT", "", kPrintTopMarginField, 114, 86, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardTopText, 162, 88, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 104, 104, 8, SS_LEFT},  // 左マージン
    {"EDIT", "", kPrintLeftMarginField, 114, 102, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardLeftText, 162, 104, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x90\xe6\x93\xaa\x83y\x81[\x83W\x94\xd4\x8d\x86", -1, 7, 120, 104, 8, SS_LEFT},  // 先頭ページ番号
    {"EDIT", "", kPrintFirstPageField, 114, 118, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x88\xf3\x8d\xfc\x8aJ\x8en\x8a\xd6\x90\x94", -1, 7, 136, 104, 8, SS_LEFT},  // ＰＡＤ図印刷開始関数
    {"EDIT", "", kPrintFirstFunctionField, 114, 134, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x88\xf3\x8d\xfc\x8fI\x97\xb9\x8a\xd6\x90\x94", -1, 7, 152, 104, 8, SS_LEFT},  // ＰＡＤ図印刷終了関数
    {"EDIT", "", kPrintLastFunctionField, 114, 150, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x83\x8c\x83x\x83\x8b\x95\x9d", -1, 7, 168, 104, 8, SS_LEFT},  // ＰＡＤ図レベル幅
    {"EDIT", "", kPrintLevelWidthField, 114, 166, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kPrintScreenWidthText, 162, 168, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x88\xf3\x8d\xfc\x90\xa7\x8c\xc0\x8ds\x90\x94", -1, 7, 184, 104, 8, SS_LEFT},  // ＰＡＤ図印刷制限行数
    {"EDIT", "", kPrintLimitField, 114, 182, 40, 12, kEdit},
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 202, 120, 8, SS_LEFT},  // 見出しファイル名
    {"EDIT", "", kPrintHeaderField, 7, 212, 220, 12, kEdit},
    {"STATIC", "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(\xc3\xb7\xbd\xc4)\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 230, 140, 8, SS_LEFT},  // ソース印刷(ﾃｷｽﾄ)ファイル名
    {"EDIT", "", kSourcePrintField, 7, 240, 220, 12, kEdit},
    {"BUTTON", "FLDER", kSourcePrintFolder, 230, 239, 16, 14, kFolderButton},
    {"BUTTON", "\xcc\xdf\xd8\xdd\xc0\x82\xcc\x90\xdd\x92\xe8...", kPrinterButton, 224, 54, 72, 14, kButton},  // ﾌﾟﾘﾝﾀの設定...
    {"BUTTON", "\xcc\xab\xdd\xc4\x82\xcc\x8ew\x92\xe8...", kFontButton, 224, 72, 72, 14, kButton},  // ﾌｫﾝﾄの指定...
    {"BUTTON", "\x93o\x98^", IDOK, 90, 262, 50, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 160, 262, 50, 14, kButton},  // 取消
};

// OUTPADDLG: the code set, the numbers, the output and heading names.
inline constexpr DialogItemTemplate kOutputDialogItems[] = {
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x8fo\x97\xcd\x83R\x81[\x83h", -1, 7, 9, 104, 8, SS_LEFT},  // ＰＡＤ図出力コード
    {"COMBOBOX", "", kOutputCodeCombo, 114, 7, 70, 60, kCombo},
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 28, 104, 8, SS_LEFT},  // 上マージン
    {"EDIT", "", kOutputTopMarginField, 114, 26, 40, 12, kEdit},
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 44, 104, 8, SS_LEFT},  // 左マージン
    {"EDIT", "", kOutputLeftMarginField, 114, 42, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x8fo\x97\xcd\x8aJ\x8en\x8a\xd6\x90\x94", -1, 7, 60, 104, 8, SS_LEFT},  // ＰＡＤ図出力開始関数
    {"EDIT", "", kOutputFirstFunctionField, 114, 58, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x8fo\x97\xcd\x8fI\x97\xb9\x8a\xd6\x90\x94", -1, 7, 76, 104, 8, SS_LEFT},  // ＰＡＤ図出力終了関数
    {"EDIT", "", kOutputLastFunctionField, 114, 74, 40, 12, kEdit},
    {"STATIC", "\x82o\x82`\x82" "c\x90}\x83\x8c\x83x\x83\x8b\x95\x9d", -1, 7, 92, 104, 8, SS_LEFT},  // ＰＡＤ図レベル幅
    {"EDIT", "", kOutputLevelWidthField, 114, 90, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kOutputScreenWidthText, 162, 92, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x8fo\x97\xcd\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 110, 120, 8, SS_LEFT},  // 出力ファイル名
    {"EDIT", "", kOutputFileField, 7, 120, 226, 12, kEdit},
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 138, 120, 8, SS_LEFT},  // 見出しファイル名
    {"EDIT", "", kOutputHeaderField, 7, 148, 226, 12, kEdit},
    {"BUTTON", "\x8fo\x97\xcd\x8e\xc0\x8ds", kRunButton, 28, 170, 56, 14, kButton},  // 出力実行
    {"BUTTON", "\x93o\x98^", IDOK, 92, 170, 56, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 156, 170, 56, 14, kButton},  // 取消
};

inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "GRAVLET Version 1.00", -1, 10, 10, 160, 8, SS_LEFT},
    {"STATIC", "\x82o\x82`\x82\x63\x90}\x8d\xec\x90\xac\x83V\x83X\x83\x65\x83\x80", -1, 10, 24, 160, 8, SS_LEFT},  // ＰＡＤ図作成システム
    {"BUTTON", "OK", IDOK, 65, 42, 50, 14, kDefaultButton},
};

// ORDER NAME: looked up by template name; the captions are the dialogs'
// titles and also caption their message boxes.
inline constexpr DialogTemplate kDialogs[] = {
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 246, 167, "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,  // 【 生成パラメタ設定 】
     kParameterItems},
    {"ENVDLG", kDialogStyle, 0, 0, 0, 236, 114, "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kEnvironmentItems},  // 【 環境設定 】
    {"EDITORDLG", kDialogStyle, 0, 0, 0, 236, 62, "\x81y \x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83\x66\x83\x42\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,  // 【 ユーザ指定エディタ設定 】
     kEditorItems},
    {"PRNDLG", kDialogStyle, 0, 0, 0, 302, 284, "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kPrintDialogItems},  // 【 印刷パラメタ設定 】
    {"OUTPADDLG", kDialogStyle, 0, 0, 0, 240, 192, "\x81y \x82o\x82`\x82" "c\x90}\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,  // 【 ＰＡＤ図出力パラメタ設定 】
     kOutputDialogItems},
    {"VERSIONDLG", kDialogStyle, 0, 0, 0, 180, 64, "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1", 9, nullptr, nullptr, nullptr, kVersionItems},  // バージョン情報
};

inline constexpr ResourceTable kTable = {
    "GRAVLET", kMenus, kAccelerators, kCursors, kIcons, kBitmaps, {}, kDialogs,
};

}  // namespace gravlet_resources
