// ORBALINE's resources as C++ tables: the frame's menu, the accelerators of
// the page buttons, the busy clock and node cursors, the marker bitmaps, the
// program icon and the about box. orbaline/viewer/startup.cpp registers
// them. Texts are Shift-JIS bytes; the comment beside each gives it
// readably.
#pragma once

#include <array>
#include <cstdint>

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
    {0, 4097, "\x90V\x8bK\x8d\xec\x90\xac(&N)..."},  // 新規作成(&N)...
    {0, 4098, "\x8aJ\x82\xad(&O)..."},  // 開く(&O)...
    {0, 4099, "\x95\xdb\x91\xb6(&S)"},  // 保存(&S)
    {MF_SEPARATOR},
    {0, 4102, "ORBALINE \x82\xcc\x8fI\x97\xb9(&X)"},  // ORBALINE の終了(&X)
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8193, "\x96\xa2\x92\xe8\x8b\x60\x8a\xd6\x90\x94\x91S\x8d\xed\x8f\x9c(&U)"},  // 未定義関数全削除(&U)
    {0, 8194, "\x8ew\x92\xe8\x8a\xd6\x90\x94\x8d\xed\x8f\x9c(&D)"},  // 指定関数削除(&D)
    {0, 8195, "\x8ew\x92\xe8\x8a\xd6\x90\x94\x91S\x8d\xed\x8f\x9c(&A)"},  // 指定関数全削除(&A)
    {0, 8196, "\x8ew\x92\xe8\x8a\xd6\x90\x94\x92u\x8a\xb7(&R)..."},  // 指定関数置換(&R)...
    {0, 8197, "\x8ew\x92\xe8\x8a\xd6\x90\x94\x91S\x92u\x8a\xb7(&L)..."},  // 指定関数全置換(&L)...
    {MF_SEPARATOR},
    {0, 8198, "\x8d\x5c\x91\xa2\x90\x7d\x8d\xc4\x93\xc7\x82\xdd\x8d\x9e\x82\xdd(&O)"},  // 構造図再読み込み(&O)
    {MF_SEPARATOR},
    {0, 8200, "\x83G\x83" "f\x83" "B\x83\x5e\x8bN\x93\xae(&E)"},  // エディタ起動(&E)
};
inline constexpr MenuItemTemplate kWindowItems[] = {
    {0, 12289, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g(&S)"},  // ソースリスト(&S)
    {0, 12290, "\x8a\xd6\x90\x94\x88\xea\x97\x97(&F)..."},  // 関数一覧(&F)...
    {0, 12291, "\x83\x8c\x83" "C\x83" "A\x83" "E\x83g(&L)"},  // レイアウト(&L)
};
inline constexpr MenuItemTemplate kColourItems[] = {
    {0, 16387, "\x95W\x8f\x80\x90" "F(&S)"},  // 標準色(&S)
    {MF_SEPARATOR},
    {0, 16388, "\x8d\x5c\x91\xa2\x90\x7d\x90\xfc\x90" "F(&F)..."},  // 構造図線色(&F)...
    {0, 16389, "\x8d\x5c\x91\xa2\x90\x7d\x94w\x8ci\x90" "F(&B)..."},  // 構造図背景色(&B)...
    {0, 16390, "\x8d\x5c\x91\xa2\x90\x7d\x95\xb6\x8e\x9a\x90" "F(&T)..."},  // 構造図文字色(&T)...
    {0, 16391, "\x8d\x5c\x91\xa2\x90\x7d\x8ds\x94\xd4\x8d\x86\x90" "F(&L)..."},  // 構造図行番号色(&L)...
    {MF_SEPARATOR},
    {0, 16392, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\xb6\x8e\x9a\x90" "F(&O)..."},  // ソースリスト文字色(&O)...
    {0, 16393, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x94w\x8ci\x90" "F(&A)..."},  // ソースリスト背景色(&A)...
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 16385, "\x8a\xc2\x8b\xab\x90\xdd\x92\xe8(&E)..."},  // 環境設定(&E)...
    {MF_POPUP, 0, "\x90" "F\x90\xdd\x92\xe8(&C)", kColourItems},  // 色設定(&C)
    {MF_SEPARATOR},
    {0, 16394, "\x83l\x83X\x83g\x83\x8c\x83x\x83\x8b\x95\x5c\x8e\xa6(&N)"},  // ネストレベル表示(&N)
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "\x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8(&K)..."},  // 生成キーワード設定(&K)...
    {0, 20482, "\x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83\x5e\x90\xdd\x92\xe8(&P)..."},  // 生成パラメタ設定(&P)...
    {MF_SEPARATOR},
    {0, 20483, "\x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x8e\xa9\x93\xae\x8f\x87\x8f\x98\x8f" "C\x90\xb3(&N)"},  // ＮＡＭファイル自動順序修正(&N)
    {0, 20484, "\x90\xb6\x90\xac\x8e\xc0\x8ds(&C)"},  // 生成実行(&C)
    {0, 20485, "\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6(&E)"},  // 生成エラー表示(&E)
    {MF_SEPARATOR},
    {0, 20486, "\x82h\x82" "f\x82m\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW(&I)..."},  // ＩＧＮファイル編集(&I)...
    {0, 20487, "\x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW(&M)..."},  // ＮＡＭファイル編集(&M)...
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 24577, "\x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83\x5e\x90\xdd\x92\xe8(&P)..."},  // 印刷パラメタ設定(&P)...
    {0, 24578, "\x83v\x83\x8a\x83\x93\x83\x5e\x90\xdd\x92\xe8(&R)..."},  // プリンタ設定(&R)...
    {0, 24579, "\x83t\x83H\x83\x93\x83g\x91I\x91\xf0(&F)..."},  // フォント選択(&F)...
    {MF_SEPARATOR},
    {0, 24580, "\x91S\x88\xf3\x8d\xfc(&A)"},  // 全印刷(&A)
    {0, 24581, "\x95\x5c\x8e\x86\x88\xf3\x8d\xfc(&H)"},  // 表紙印刷(&H)
    {0, 24582, "\x8a\xd6\x90\x94\x88\xea\x97\x97\x88\xf3\x8d\xfc(&L)"},  // 関数一覧印刷(&L)
    {0, 24583, "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90\x7d\x88\xf3\x8d\xfc(&C)"},  // モジュール構造図印刷(&C)
    {0, 24584, "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(&S)"},  // ソース印刷(&S)
};
inline constexpr MenuItemTemplate kOutputItems[] = {
    {0, 36865, "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90\x7d\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83\x5e\x90\xdd\x92\xe8(&P)..."},  // モジュール構造図出力パラメタ設定(&P)...
    {0, 36866, "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90\x7d\x8fo\x97\xcd\x8e\xc0\x8ds(&O)"},  // モジュール構造図出力実行(&O)
};
inline constexpr MenuItemTemplate kSearchItems[] = {
    {0, 32769, "\x8c\x9f\x8d\xf5(&F)..."},  // 検索(&F)...
    {0, 32770, "\x8d\xc4\x8c\x9f\x8d\xf5(&N)"},  // 再検索(&N)
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "\x83g\x83s\x83" "b\x83N\x82\xcc\x8c\x9f\x8d\xf5(&H)"},  // トピックの検索(&H)
    {0, 28675, "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1(&A)"},  // バージョン情報(&A)
};
inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "\xcc\xa7\xb2\xd9(&F)", kFileItems},  // ﾌｧｲﾙ(&F)
    {MF_POPUP, 0, "\x95\xd2\x8fW(&E)", kEditItems},  // 編集(&E)
    {MF_POPUP, 0, "\x89\xe6\x96\xca(&W)", kWindowItems},  // 画面(&W)
    {MF_POPUP, 0, "\x90\xdd\x92\xe8(&O)", kSettingsItems},  // 設定(&O)
    {MF_POPUP, 0, "\x90\xb6\x90\xac(&C)", kGenerationItems},  // 生成(&C)
    {MF_POPUP, 0, "\x88\xf3\x8d\xfc(&P)", kPrintItems},  // 印刷(&P)
    {MF_POPUP, 0, "\x8fo\x97\xcd(&T)", kOutputItems},  // 出力(&T)
    {MF_POPUP, 0, "\x8c\x9f\x8d\xf5(&S)", kSearchItems},  // 検索(&S)
    {MF_POPUP, 0, "\xcd\xd9\xcc\xdf(&H)", kHelpItems},  // ﾍﾙﾌﾟ(&H)
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
    {"STATIC", "\x90\xb6\x90\xac\x8e\x9e#include\x83t\x83\x40\x83" "C\x83\x8b\x8eg\x97p", -1, 8, 8, 112, 8, SS_LEFT},  // 生成時#includeファイル使用
    {"COMBOBOX", "", kIncludeCombo, 124, 6, 144, 70, kCombo},
    {"STATIC", "\x83\x7d\x83N\x83\x8d\x93W\x8aJ\x8c\x60\x8e\xae", -1, 8, 23, 112, 8, SS_LEFT},  // マクロ展開形式
    {"COMBOBOX", "", kMacroCombo, 124, 21, 144, 70, kCombo},
    {"STATIC", "\x8d\x5c\x91\xa2\x90\x7d\xcc\xde\xdb\xaf\xb8\x89\xbb\x95\xb6\x8e\x9a\x90\x94 (1\x81\x60" "80)", -1, 8, 40, 112, 8, SS_LEFT},  // 構造図ﾌﾞﾛｯｸ化文字数 (1～80)
    {"EDIT", "", kBlockCharactersField, 124, 38, 36, 12, kEdit},
    {"STATIC", "\x90\xb6\x90\xac\x83l\x83X\x83g\x83\x8c\x83x\x83\x8b (2\x81\x60" "64)", -1, 8, 56, 112, 8, SS_LEFT},  // 生成ネストレベル (2～64)
    {"EDIT", "", kNestLevelField, 124, 54, 36, 12, kEdit},
    {"STATIC", "\x90\xb6\x90\xac\x83I\x83v\x83V\x83\x87\x83\x93", -1, 8, 72, 112, 8, SS_LEFT},  // 生成オプション
    {"EDIT", "", kOptionsField, 124, 70, 144, 12, kEdit},
    {"STATIC", "\x82h\x82" "f\x82m\x83t\x83\x40\x83" "C\x83\x8b\x96\xbc", -1, 8, 88, 112, 8, SS_LEFT},  // ＩＧＮファイル名
    {"EDIT", "", kIgnoreField, 124, 86, 126, 12, kEdit},
    {"BUTTON", "FLDER", kIgnoreFolder, 252, 85, 16, 14, kFolderButton},
    {"BUTTON", "\x96\xa2\x92\xe8\x8b\x60\x8a\xd6\x90\x94\xcc\xde\xdb\xaf\xb8\x90\xb6\x90\xac", kUndefinedCheck, 8, 106, 150, 10, kCheckBox},  // 未定義関数ﾌﾞﾛｯｸ生成
    {"BUTTON", "\x8d\xc4\x8eg\x97p\x8a\xd6\x90\x94\x95\x5c\x8e\xa6", kReusedCheck, 8, 120, 150, 10, kCheckBox},  // 再使用関数表示
    {"BUTTON", "\x83\x7c\x83" "C\x83\x93\x83\x5e\x8c\xc4\x8fo\x8a\xd6\x90\x94\x95\x5c\x8e\xa6", kPointerCheck, 8, 134, 150, 10, kCheckBox},  // ポインタ呼出関数表示
    {"BUTTON", "\x90\xb6\x90\xac\x8e\xc0\x8ds", kRunButton, 80, 152, 56, 14, kButton},  // 生成実行
    {"BUTTON", "\x93o\x98\x5e", IDOK, 142, 152, 56, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 204, 152, 56, 14, kButton},  // 取消
};

// EDTCMT: a node's function name and its comment.
inline constexpr int kCommentNameText = 33281;
inline constexpr int kCommentField = 33282;
inline constexpr DialogItemTemplate kCommentItems[] = {
    {"STATIC", "\x8a\xd6 \x90\x94 \x96\xbc", -1, 8, 9, 40, 8, SS_LEFT},  // 関 数 名
    {"STATIC", "", kCommentNameText, 52, 8, 180, 10, SS_LEFT},
    {"STATIC", "\x83R\x83\x81\x83\x93\x83g", -1, 8, 27, 40, 8, SS_LEFT},  // コメント
    {"EDIT", "", kCommentField, 52, 25, 180, 12, kEdit},
    {"BUTTON", "\x8e\xc0\x8ds", IDOK, 62, 46, 50, 14, kDefaultButton},      // 実行
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 126, 46, 50, 14, kButton},  // 取消
};

// ENVDLG: the three numbers with their up-down controls, the editor and
// the two switches.
inline constexpr DialogItemTemplate kEnvironmentItems[] = {
    {"STATIC", "\x8d\x5c\x91\xa2\x90\x7d\x83u\x83\x8d\x83" "b\x83N\x95\x9d\x90\xdd\x92\xe8 (8\x81\x60" "32) \x81m\x91S\x8ap\x95\xb6\x8e\x9a\x90\x94\x81n", -1, 7, 9, 180, 8, SS_LEFT},  // 構造図ブロック幅設定 (8～32) ［全角文字数］
    {"EDIT", "", kBoxWidthField, 192, 7, 36, 12, kEdit},
    {"STATIC", "\x8d\x5c\x91\xa2\x90\x7d\x83u\x83\x8d\x83" "b\x83N\x8d\x82\x90\xdd\x92\xe8 (1\x81\x60" "5)", -1, 7, 27, 180, 8, SS_LEFT},  // 構造図ブロック高設定 (1～5)
    {"EDIT", "", kBoxLinesField, 192, 25, 36, 12, kEdit},
    {"STATIC", "\x83\x5c\x81[\x83X\x83\x5e\x83u\x93W\x8aJ\x95\x9d\x90\xdd\x92\xe8 (0\x81\x60" "32)", -1, 7, 45, 180, 8, SS_LEFT},  // ソースタブ展開幅設定 (0～32)
    {"EDIT", "", kTabWidthField, 192, 43, 36, 12, kEdit},
    {"STATIC", "\x83\x86\x81[\x83U\x8ew\x92\xe8\x83G\x83" "f\x83" "B\x83\x5e\x96\xbc", -1, 7, 63, 180, 8, SS_LEFT},  // ユーザ指定エディタ名
    {"EDIT", "", kEditorField, 7, 74, 212, 12, kEdit},
    {"BUTTON", "FLDER", kEditorFolder, 222, 73, 16, 14, kFolderButton},
    {"BUTTON", "\x8d\x5c\x91\xa2\x90\x7d\x8ds\x94\xd4\x8d\x86\x95\x5c\x8e\xa6", kRowNumbersCheck, 7, 94, 200, 10, kCheckBox},  // 構造図行番号表示
    {"BUTTON", "\x8d\x5c\x91\xa2\x90\x7d\x95\xd2\x8fW\x8e\x9e\x8am\x94" "F\x83\x81\x83" "b\x83Z\x81[\x83W\x95\x5c\x8e\xa6", kConfirmEditsCheck, 7, 108, 200, 10, kCheckBox},  // 構造図編集時確認メッセージ表示
    {"BUTTON", "\x93o\x98\x5e", IDOK, 66, 126, 50, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 130, 126, 50, 14, kButton},  // 取消
};

// SRCSEARCHDLG: the chart's and the source list's search text.
inline constexpr DialogItemTemplate kSearchDialogItems[] = {
    {"STATIC", "\x8c\x9f\x8d\xf5\x95\xb6\x8e\x9a\x97\xf1\x81" "F", -1, 8, 9, 50, 8, SS_LEFT},  // 検索文字列：
    {"EDIT", "", kSearchField, 60, 7, 150, 12, kEdit},
    {"BUTTON", "\x8e\xc0\x8ds", IDOK, 52, 26, 50, 14, kDefaultButton},      // 実行
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 116, 26, 50, 14, kButton},  // 取消
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
    {"BUTTON", "\x83v\x83\x8a\x83\x93\x83^\x97p\x8e\x86", -1, 7, 4, 90, 48, BS_GROUPBOX},  // プリンタ用紙
    {"BUTTON", "\x82`\x82S\x89\xa1", kLandscapeRadio, 16, 18, 70, 10, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON},  // Ａ４横
    {"BUTTON", "\x82`\x82S\x8f" "c", kPortraitRadio, 16, 34, 70, 10, BS_AUTORADIOBUTTON},  // Ａ４縦
    {"BUTTON", "\x8aO\x98g\x88\xf3\x8d\xfc", kOuterFrameCheck, 104, 16, 92, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},  // 外枠印刷
    {"BUTTON", "\x91S\x88\xf3\x8d\xfc\x8e\x9e\x95\x5c\x8e\x86\x88\xf3\x8d\xfc", kCoverCheck, 104, 32, 92, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // 全印刷時表紙印刷
    {"BUTTON", "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90}\x88\xf3\x8d\xfc", -1, 200, 4, 110, 48, BS_GROUPBOX},  // モジュール構造図印刷
    {"BUTTON", "\xcc\xa7\xb2\xd9\x96\xbc/\x8ds\x94\xd4\x8d\x86\x88\xf3\x8e\x9a", kPrintFileLineCheck, 208, 15, 98, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},  // ﾌｧｲﾙ名/行番号印字
    {"BUTTON", "\xcc\xde\xdb\xaf\xb8\x94\xd4\x8d\x86\x88\xf3\x8e\x9a", kPrintBlockNumbersCheck, 208, 27, 98, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // ﾌﾞﾛｯｸ番号印字
    {"BUTTON", "\x8eQ\x8f\xc6\xcc\xde\xdb\xaf\xb8\x94\xd4\x8d\x86\x88\xf3\x8e\x9a", kPrintReferenceNumbersCheck, 208, 39, 98, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // 参照ﾌﾞﾛｯｸ番号印字
    {"STATIC", "\x82P\x83y\x81[\x83W\x8ds\x90\x94", -1, 7, 62, 104, 8, SS_LEFT},  // １ページ行数
    {"EDIT", "", kLinesPerPageField, 114, 60, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardLinesText, 162, 62, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x82P\x8ds\x95\xb6\x8e\x9a\x90\x94", -1, 7, 78, 104, 8, SS_LEFT},  // １行文字数
    {"EDIT", "", kCharsPerLineField, 114, 76, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardCharsText, 162, 78, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 94, 104, 8, SS_LEFT},  // 上マージン
    {"EDIT", "", kPrintTopMarginField, 114, 92, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardTopText, 162, 94, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 110, 104, 8, SS_LEFT},  // 左マージン
    {"EDIT", "", kPrintLeftMarginField, 114, 108, 40, 12, kEdit},
    {"STATIC", "\x95W\x8f\x80(   )", kStandardLeftText, 162, 110, 56, 8, SS_LEFT},  // 標準(   )
    {"STATIC", "\x90\xe6\x93\xaa\x83y\x81[\x83W\x94\xd4\x8d\x86", -1, 7, 126, 104, 8, SS_LEFT},  // 先頭ページ番号
    {"EDIT", "", kPrintFirstPageNumberField, 114, 124, 40, 12, kEdit},
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x88\xf3\x8d\xfc\x8aJ\x8en\x83y\x81[\x83W", -1, 7, 142, 104, 8, SS_LEFT},  // 構造図印刷開始ページ
    {"EDIT", "", kPrintFirstPageField, 114, 140, 40, 12, kEdit},
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x88\xf3\x8d\xfc\x8fI\x97\xb9\x83y\x81[\x83W", -1, 7, 158, 104, 8, SS_LEFT},  // 構造図印刷終了ページ
    {"EDIT", "", kPrintLastPageField, 114, 156, 40, 12, kEdit},
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x83u\x83\x8d\x83" "b\x83N\x95\x9d", -1, 7, 174, 104, 8, SS_LEFT},  // 構造図ブロック幅
    {"EDIT", "", kPrintBoxWidthField, 114, 172, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kScreenBoxWidthText, 162, 174, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x83u\x83\x8d\x83" "b\x83N\x8d\x82", -1, 7, 190, 104, 8, SS_LEFT},  // 構造図ブロック高
    {"EDIT", "", kPrintBoxLinesField, 114, 188, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kScreenBoxLinesText, 162, 190, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 208, 120, 8, SS_LEFT},  // 見出しファイル名
    {"EDIT", "", kPrintHeaderField, 7, 218, 220, 12, kEdit},
    {"STATIC", "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(\xc3\xb7\xbd\xc4)\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 236, 140, 8, SS_LEFT},  // ソース印刷(ﾃｷｽﾄ)ファイル名
    {"EDIT", "", kSourcePrintField, 7, 246, 220, 12, kEdit},
    {"BUTTON", "FLDER", kSourcePrintFolder, 230, 245, 16, 14, kFolderButton},
    {"BUTTON", "\xcc\xdf\xd8\xdd\xc0\x82\xcc\x90\xdd\x92\xe8...", kPrinterButton, 230, 60, 76, 14, kButton},  // ﾌﾟﾘﾝﾀの設定...
    {"BUTTON", "\xcc\xab\xdd\xc4\x82\xcc\x8ew\x92\xe8...", kFontButton, 230, 78, 76, 14, kButton},  // ﾌｫﾝﾄの指定...
    {"BUTTON", "\x93o\x98^", IDOK, 100, 268, 50, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 166, 268, 50, 14, kButton},  // 取消
};

// OUTPADDLG: the chart's output options, the code set, the numbers with the
// screen values, the output and heading names.
inline constexpr DialogItemTemplate kOutputDialogItems[] = {
    {"BUTTON", "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90}\x8fo\x97\xcd", -1, 7, 4, 226, 48, BS_GROUPBOX},  // モジュール構造図出力
    {"BUTTON", "\xcc\xa7\xb2\xd9\x96\xbc/\x8ds\x94\xd4\x8d\x86\x8fo\x97\xcd", kOutputFileLineCheck, 16, 15, 120, 10, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX},  // ﾌｧｲﾙ名/行番号出力
    {"BUTTON", "\xcc\xde\xdb\xaf\xb8\x94\xd4\x8d\x86\x8fo\x97\xcd", kOutputBlockNumbersCheck, 16, 27, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // ﾌﾞﾛｯｸ番号出力
    {"BUTTON", "\x8eQ\x8f\xc6\xcc\xde\xdb\xaf\xb8\x94\xd4\x8d\x86\x8fo\x97\xcd", kOutputReferenceNumbersCheck, 16, 39, 120, 10, WS_TABSTOP | BS_AUTOCHECKBOX},  // 参照ﾌﾞﾛｯｸ番号出力
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x8fo\x97\xcd\x83R\x81[\x83h", -1, 7, 62, 104, 8, SS_LEFT},  // 構造図出力コード
    {"COMBOBOX", "", kOutputCodeCombo, 114, 60, 70, 60, kCombo},
    {"STATIC", "\x8f\xe3\x83}\x81[\x83W\x83\x93", -1, 7, 80, 104, 8, SS_LEFT},  // 上マージン
    {"EDIT", "", kOutputTopMarginField, 114, 78, 40, 12, kEdit},
    {"STATIC", "\x8d\xb6\x83}\x81[\x83W\x83\x93", -1, 7, 96, 104, 8, SS_LEFT},  // 左マージン
    {"EDIT", "", kOutputLeftMarginField, 114, 94, 40, 12, kEdit},
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x83u\x83\x8d\x83" "b\x83N\x95\x9d", -1, 7, 112, 104, 8, SS_LEFT},  // 構造図ブロック幅
    {"EDIT", "", kOutputBoxWidthField, 114, 110, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kOutputScreenWidthText, 162, 112, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x8d\x5c\x91\xa2\x90}\x83u\x83\x8d\x83" "b\x83N\x8d\x82", -1, 7, 128, 104, 8, SS_LEFT},  // 構造図ブロック高
    {"EDIT", "", kOutputBoxLinesField, 114, 126, 40, 12, kEdit},
    {"STATIC", "\x89\xe6\x96\xca(   )", kOutputScreenLinesText, 162, 128, 56, 8, SS_LEFT},  // 画面(   )
    {"STATIC", "\x8fo\x97\xcd\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 146, 120, 8, SS_LEFT},  // 出力ファイル名
    {"EDIT", "", kOutputFileField, 7, 156, 226, 12, kEdit},
    {"STATIC", "\x8c\xa9\x8fo\x82\xb5\x83t\x83@\x83" "C\x83\x8b\x96\xbc", -1, 7, 174, 120, 8, SS_LEFT},  // 見出しファイル名
    {"EDIT", "", kOutputHeaderField, 7, 184, 226, 12, kEdit},
    {"BUTTON", "\x8fo\x97\xcd\x8e\xc0\x8ds", kRunButton, 28, 206, 56, 14, kButton},  // 出力実行
    {"BUTTON", "\x93o\x98^", IDOK, 92, 206, 56, 14, kDefaultButton},  // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 156, 206, 56, 14, kButton},  // 取消
};

inline constexpr DialogItemTemplate kVersionItems[] = {
    {"STATIC", "ORBALINE Version 1.00", -1, 10, 10, 170, 8, SS_LEFT},
    {"STATIC", "\x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90\x7d\x8d\xec\x90\xac\x83V\x83X\x83" "e\x83\x80", -1, 10, 24, 170, 8, SS_LEFT},  // モジュール構造図作成システム
    {"BUTTON", "OK", IDOK, 70, 42, 50, 14, kDefaultButton},
};

// KEYWORDDLG: the two keys of oq1000.kwd, the shared buttons.
inline constexpr DialogItemTemplate kKeywordItems[] = {
    {"STATIC", "NAME", -1, 8, 10, 50, 8, SS_LEFT},
    {"EDIT", "", 33057, 60, 8, 150, 12, kEdit},
    {"STATIC", "FUNCTION", -1, 8, 28, 50, 8, SS_LEFT},
    {"EDIT", "", 33058, 60, 26, 150, 12, kEdit},
    {"BUTTON", "\x93\xc7\x8d\x9e...", 33073, 222, 8, 60, 14, kButton},           // 読込...
    {"BUTTON", "\x95\xdb\x91\xb6...", 33075, 222, 26, 60, 14, kButton},          // 保存...
    {"BUTTON", "\x95W\x8f\x80\x90\xdd\x92\xe8", 33074, 222, 44, 60, 14, kButton},  // 標準設定
    {"BUTTON", "\x93o\x98^", IDOK, 84, 50, 56, 14, kDefaultButton},                // 登録
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 146, 50, 56, 14, kButton},           // 取消
};

// The list dialogs (NAMLSTDLG, NEW_NAMLSTDLG, IGNLSTDLG): the entry field
// over the list, the list file's name below it, the buttons on the right.
#define ORBALINE_LIST_ITEMS(entry_label, entry, list, name_label, name, insert, remove, read, save)            \
    {"STATIC", entry_label, -1, 8, 10, 80, 8, SS_LEFT}, {"EDIT", "", entry, 90, 8, 150, 12, kEdit},              \
        {"LISTBOX", "", list, 8, 26, 232, 110, LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},             \
        {"STATIC", name_label, -1, 8, 144, 80, 8, SS_LEFT}, {"EDIT", "", name, 90, 142, 150, 12, kEdit},         \
        {"BUTTON", "\x91}\x93\xfc", insert, 248, 26, 80, 14, kDefaultButton},     /* 挿入 */                    \
        {"BUTTON", "\x8d\xed\x8f\x9c", remove, 248, 44, 80, 14, kButton},        /* 削除 */                    \
        {"BUTTON", "\x93\xc7\x8d\x9e...", read, 248, 70, 80, 14, kButton},       /* 読込... */                 \
    {                                                                                                            \
        "BUTTON", "\x95\xdb\x91\xb6...", save, 248, 88, 80, 14, kButton /* 保存... */                          \
    }
// 生成対象ファイル名, ＮＡＭファイル名 and the source chooser's button 生成対象ファイル選択...
#define ORBALINE_NAM_LIST_ITEMS                                                                                   \
    ORBALINE_LIST_ITEMS("\x90\xb6\x90\xac\x91\xce\x8f\xdb\x83t\x83\x40\x83" "C\x83\x8b\x96\xbc", 8449, 8705, \
                        "\x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x96\xbc", 8450, 8965, 8964, 8961, 8962), \
    {                                                                                                            \
        "BUTTON", "\x90\xb6\x90\xac\x91\xce\x8f\xdb\x83t\x83\x40\x83" "C\x83\x8b\x91I\x91\xf0...", 8966, 248, 8, \
            80, 14, kButton                                                                                      \
    }
inline constexpr DialogItemTemplate kNamListItems[] = {
    ORBALINE_NAM_LIST_ITEMS,
    {"BUTTON", "\x8f\x49\x97\xb9", 8963, 248, 122, 80, 14, kButton},  // 終了
};
inline constexpr DialogItemTemplate kNewNamListItems[] = {
    ORBALINE_NAM_LIST_ITEMS,
    {"BUTTON", "\x90\xb6\x90\xac\x8e\xc0\x8ds", 8963, 248, 122, 80, 14, kButton},  // 生成実行
    {"BUTTON", "\x8e\xe6\x8f\xc1", IDCANCEL, 248, 140, 80, 14, kButton},              // 取消
};
// 生成対象除外関数名 and ＩＧＮファイル名
inline constexpr DialogItemTemplate kIgnoreListItems[] = {
    ORBALINE_LIST_ITEMS("\x90\xb6\x90\xac\x91\xce\x8f\xdb\x8f\x9c\x8a\x4f\x8a\xd6\x90\x94\x96\xbc", 37121, 37377,
                        "\x82h\x82" "f\x82m\x83t\x83\x40\x83" "C\x83\x8b\x96\xbc", 37122, 37637, 37636, 37633, 37634),
    {"BUTTON", "\x8f\x49\x97\xb9", 37635, 248, 122, 80, 14, kButton},  // 終了
};
#undef ORBALINE_NAM_LIST_ITEMS
#undef ORBALINE_LIST_ITEMS

// ORDER NAME: looked up by template name.
inline constexpr DialogTemplate kDialogs[] = {
    {"EDTCMT", kDialogStyle, 0, 0, 0, 240, 68, "\x81y \x83R\x83\x81\x83\x93\x83g\x95\xd2\x8fW \x81z", 9, nullptr, nullptr, nullptr, kCommentItems},  // 【 コメント編集 】
    {"CNVPRMDLG", kDialogStyle, 0, 0, 0, 276, 174, "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83\x5e\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kParameterItems},  // 【 生成パラメタ設定 】
    {"ENVDLG", kDialogStyle, 0, 0, 0, 246, 148, "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kEnvironmentItems},  // 【 環境設定 】
    {"SRCSEARCHDLG", kDialogStyle, 0, 0, 0, 218, 46, "\x81y \x8c\x9f\x8d\xf5\x95\xb6\x8e\x9a\x97\xf1\x93\xfc\x97\xcd \x81z", 9, nullptr, nullptr, nullptr, kSearchDialogItems},  // 【 検索文字列入力 】
    {"KEYWORDDLG", kDialogStyle, 0, 0, 0, 290, 72, "\x81y \x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kKeywordItems},  // 【 生成キーワード設定 】
    {"NAMLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "\x81y \x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW \x81z", 9, nullptr, nullptr, nullptr, kNamListItems},  // 【 ＮＡＭファイル編集 】
    {"NEW_NAMLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "\x81y \x90V\x8bK\x8d\xec\x90\xac \x81m\x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW\x81n \x81z", 9, nullptr, nullptr, nullptr, kNewNamListItems},  // 【 新規作成 ［ＮＡＭファイル編集］ 】
    {"IGNLSTDLG", kDialogStyle, 0, 0, 0, 336, 162, "\x81y \x82h\x82" "f\x82m\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW \x81z", 9, nullptr, nullptr, nullptr, kIgnoreListItems},  // 【 ＩＧＮファイル編集 】
    {"PRNDLG", kDialogStyle, 0, 0, 0, 314, 290, "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr, kPrintDialogItems},  // 【 印刷パラメタ設定 】
    {"OUTPADDLG", kDialogStyle, 0, 0, 0, 240, 228, "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90}\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z", 9, nullptr, nullptr, nullptr,  // 【 モジュール構造図出力パラメタ設定 】
     kOutputDialogItems},
    {"VERSIONDLG", kDialogStyle, 0, 0, 0, 190, 64, "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1", 9, nullptr, nullptr, nullptr, kVersionItems},  // バージョン情報
};

inline constexpr ResourceTable kTable = {
    "ORBALINE", kMenus, kAccelerators, kCursors, kIcons, kBitmaps, {}, kDialogs,
};

}  // namespace orbaline_resources
