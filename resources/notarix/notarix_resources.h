// NOTARIX's resources as C++ tables: the frame's menu, the accelerators of
// the page buttons, the clock cursors of the busy state, the bitmaps and the
// program icon. notarix/viewer/program_resources.cpp registers them.
#pragma once

#include <array>
#include <cstdint>

#include "platform/kernel/sjis_text.h"
#include "platform/user/resources.h"
#include "resources/common/shell_resources.h"

namespace notarix_resources {

// --- Menu "NXW_pad_menu" -----------------------------------------------------
// ORDER POSITION: the popups stand in the order the shell addresses them by
// position (file 0, edit 1, view 2, settings 3, generation 4, print 5,
// output 6, help 7); the items of each in the order of their command ids.
// The recent files (4101 separator, 4102-4106) are appended to the file
// popup at run time.
inline constexpr MenuItemTemplate kFileItems[] = {
    {0, 4097, "開く(&O)..."_sjis},
    {0, 4099, "NOTARIX の終了(&X)"_sjis},
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8193, "フォーム編集(&F)"_sjis},
    {0, 8195, "エディタ起動(&E)"_sjis},
};
inline constexpr MenuItemTemplate kViewItems[] = {
    {0, 12289, "ソースリスト(&S)"_sjis},
    {0, 12290, "関数一覧(&F)"_sjis},
    {0, 12291, "レイアウト(&L)"_sjis},
    {0, 12292, "関数サマリー(&R)"_sjis},
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 16385, "環境設定(&E)..."_sjis},
    {0, 16387, "標準色(&S)"_sjis},
    {0, 16388, "仕様書フォーム色(&F)..."_sjis},
    {0, 16389, "仕様書背景色(&B)..."_sjis},
    {0, 16390, "仕様書文字色(&P)..."_sjis},
    {0, 16391, "ソースリスト文字色(&O)..."_sjis},
    {0, 16392, "ソースリスト背景色(&A)..."_sjis},
    {0, 16393, "カラムゲージ表示(&G)"_sjis},
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "生成キーワード設定(&K)..."_sjis},
    {0, 20482, "生成共通情報設定(&I)..."_sjis},
    {0, 20483, "生成パラメタ設定(&P)..."_sjis},
    {0, 20484, "生成実行(&C)"_sjis},
    {0, 20485, "生成エラー表示(&E)"_sjis},
    {0, 20486, "一括生成設定(&F)..."_sjis},
    {0, 20487, "一括生成実行(&A)"_sjis},
    {0, 20488, "一括生成エラー表示(&L)"_sjis},
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 24577, "印刷パラメタ設定(&P)..."_sjis},
    {0, 24578, "プリンタ設定(&R)..."_sjis},
    {0, 24579, "印刷用フォント指定(&F)"_sjis},
    {0, 24580, "全印刷(&A)"_sjis},
    {0, 24581, "表紙印刷(&H)"_sjis},
    {0, 24582, "関数一覧印刷(&L)"_sjis},
    {0, 24583, "関数サマリー印刷(&R)"_sjis},
    {0, 24584, "関数仕様書印刷(&O)"_sjis},
    {0, 24585, "ソース印刷(&S)"_sjis},
};
inline constexpr MenuItemTemplate kOutputItems[] = {

    {0, 36865, "関数仕様書出力パラメタ設定(&P)..."_sjis},
    {0, 36866, "関数仕様書出力実行(&O)"_sjis},
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "トピックの検索(&H)"_sjis},
    {0, 28675, "バージョン情報(&A)"_sjis},
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "ファイル(&F)"_sjis, kFileItems},
    {MF_POPUP, 0, "編集(&E)"_sjis, kEditItems},
    {MF_POPUP, 0, "表示(&V)"_sjis, kViewItems},
    {MF_POPUP, 0, "設定(&S)"_sjis, kSettingsItems},
    {MF_POPUP, 0, "生成(&C)"_sjis, kGenerationItems},
    {MF_POPUP, 0, "印刷(&P)"_sjis, kPrintItems},
    {MF_POPUP, 0, "出力(&O)"_sjis, kOutputItems},
    {MF_POPUP, 0, "ヘルプ(&H)"_sjis, kHelpItems},
};

inline constexpr MenuResource kMenus[] = {{"NXW_pad_menu", kMenuBar}};

// --- Accelerators "NXW_pad_accl" ------------------------------------------------
// F1 to F4 page next, previous, first, last (buttons 300-303); F5 the
// linked-mode button 304.
inline constexpr AcceleratorResource kAccelerators[] = {{"NXW_pad_accl", shell_resources::kPageKeys}};

// --- Images ----------------------------------------------------------------------
using namespace shell_resources;

// ORDER NAME: the shell loads the frames as "NXW_clk_csr%d", 0 to 7.
inline constexpr ImageResource kCursors[] = {
    {"NXW_clk_csr0", 16, 16, 7, 7, kClockPixels[0].data()}, {"NXW_clk_csr1", 16, 16, 7, 7, kClockPixels[1].data()},
    {"NXW_clk_csr2", 16, 16, 7, 7, kClockPixels[2].data()}, {"NXW_clk_csr3", 16, 16, 7, 7, kClockPixels[3].data()},
    {"NXW_clk_csr4", 16, 16, 7, 7, kClockPixels[4].data()}, {"NXW_clk_csr5", 16, 16, 7, 7, kClockPixels[5].data()},
    {"NXW_clk_csr6", 16, 16, 7, 7, kClockPixels[6].data()}, {"NXW_clk_csr7", 16, 16, 7, 7, kClockPixels[7].data()},
};

// A ruled sheet (the document).
inline constexpr auto kPadPixels = paint_image<16, 16>([](int x, int y) {
    if (x == 1 || x == 14 || y == 1 || y == 14) return kBlack;
    if (x < 1 || x > 14 || y < 1 || y > 14) return kClear;
    return y % 4 == 0 ? kBlue : kPaper;
});
// The source list's marker: stretched over a whole row and XORed onto it,
// so plain white turns the row into its inverse, every character readable.
inline constexpr auto kSrcPixels = paint_image<16, 16>([](int, int) { return kWhite; });
// The form editor's caret marker: a triangle pointing down at the column,
// 14 x 12 on the ruler's light grey.
inline constexpr uint32_t kRulerGrey = 0xFFC0C0C0;
inline constexpr auto kFrmPixels = paint_image<14, 12>([](int x, int y) {
    const int half = (11 - y) * 7 / 11;  // half the width of the row
    if (y >= 2 && x >= 7 - half - 1 && x <= 6 + half + 1) return (x == 7 - half - 1 || x == 6 + half + 1) ? kBlack : kBlue;
    return kRulerGrey;
});
inline constexpr ImageResource kBitmaps[] = {
    {"NXW_pad_bmp", 16, 16, 0, 0, kPadPixels.data()},
    {"NXW_src_bmp", 16, 16, 0, 0, kSrcPixels.data()},
    {"NXW_frm_bmp", 14, 12, 0, 0, kFrmPixels.data()},
};

// The program icon: a sheet with the initial N.
inline constexpr auto kIconPixels = paint_image<32, 32>([](int x, int y) {
    if (x < 4 || x > 27 || y < 2 || y > 29) return kClear;
    if (x == 4 || x == 27 || y == 2 || y == 29) return kBlack;
    const bool stroke = (x >= 9 && x <= 10) || (x >= 21 && x <= 22) || (x - 9 >= (y - 7) - 1 && x - 9 <= (y - 7) + 1);
    if (y >= 7 && y <= 24 && x >= 9 && x <= 22 && stroke) return kBlue;
    return kPaper;
});
inline constexpr ImageResource kIcons[] = {{"Icon", 32, 32, 0, 0, kIconPixels.data()}};

inline constexpr ResourceTable kTable = {
    "NOTARIX", kMenus, kAccelerators, kCursors, kIcons, kBitmaps,
};

}  // namespace notarix_resources
