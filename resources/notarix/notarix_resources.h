// NOTARIX's resources as C++ tables: the frame's menu, the accelerators of
// the page buttons, the clock cursors of the busy state, the bitmaps and the
// program icon. notarix/viewer/program_resources.cpp registers them.
// Texts are Shift-JIS bytes; the comment beside each gives it readably.
#pragma once

#include <array>
#include <cstdint>

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
    {0, 4097, "\x8aJ\x82\xad(&O)..."},                          // 開く(&O)...
    {0, 4099, "NOTARIX \x82\xcc\x8fI\x97\xb9(&X)"},             // NOTARIX の終了(&X)
};
inline constexpr MenuItemTemplate kEditItems[] = {
    {0, 8193, "\x83t\x83H\x81[\x83\x80\x95\xd2\x8fW(&F)"},      // フォーム編集(&F)
    {0, 8195, "\x83G\x83\x66\x83\x42\x83^\x8bN\x93\xae(&E)"},   // エディタ起動(&E)
};
inline constexpr MenuItemTemplate kViewItems[] = {
    {0, 12289, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g(&S)"},     // ソースリスト(&S)
    {0, 12290, "\x8a\xd6\x90\x94\x88\xea\x97\x97(&F)"},         // 関数一覧(&F)
    {0, 12291, "\x83\x8c\x83\x43\x83\x41\x83\x45\x83g(&L)"},    // レイアウト(&L)
    {0, 12292, "\x8a\xd6\x90\x94\x83T\x83}\x83\x8a\x81[(&R)"},  // 関数サマリー(&R)
};
inline constexpr MenuItemTemplate kSettingsItems[] = {
    {0, 16385, "\x8a\xc2\x8b\xab\x90\xdd\x92\xe8(&E)..."},                              // 環境設定(&E)...
    {0, 16387, "\x95W\x8f\x80\x90\x46(&S)"},                                            // 標準色(&S)
    {0, 16388, "\x8e\x64\x97l\x8f\x91\x83t\x83H\x81[\x83\x80\x90\x46(&F)..."},          // 仕様書フォーム色(&F)...
    {0, 16389, "\x8e\x64\x97l\x8f\x91\x94w\x8ci\x90\x46(&B)..."},                       // 仕様書背景色(&B)...
    {0, 16390, "\x8e\x64\x97l\x8f\x91\x95\xb6\x8e\x9a\x90\x46(&P)..."},                 // 仕様書文字色(&P)...
    {0, 16391, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x95\xb6\x8e\x9a\x90\x46(&O)..."},  // ソースリスト文字色(&O)...
    {0, 16392, "\x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x94w\x8ci\x90\x46(&A)..."},        // ソースリスト背景色(&A)...
    {0, 16393, "\x83J\x83\x89\x83\x80\x83Q\x81[\x83W\x95\x5c\x8e\xa6(&G)"},             // カラムゲージ表示(&G)
};
inline constexpr MenuItemTemplate kGenerationItems[] = {
    {0, 20481, "\x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8(&K)..."},    // 生成キーワード設定(&K)...
    {0, 20482, "\x90\xb6\x90\xac\x8b\xa4\x92\xca\x8f\xee\x95\xf1\x90\xdd\x92\xe8(&I)..."},  // 生成共通情報設定(&I)...
    {0, 20483, "\x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},      // 生成パラメタ設定(&P)...
    {0, 20484, "\x90\xb6\x90\xac\x8e\xc0\x8ds(&C)"},                                     // 生成実行(&C)
    {0, 20485, "\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6(&E)"},                // 生成エラー表示(&E)
    {0, 20486, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8(&F)..."},               // 一括生成設定(&F)...
    {0, 20487, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x8e\xc0\x8ds(&A)"},                     // 一括生成実行(&A)
    {0, 20488, "\x88\xea\x8a\x87\x90\xb6\x90\xac\x83G\x83\x89\x81[\x95\x5c\x8e\xa6(&L)"},  // 一括生成エラー表示(&L)
};
inline constexpr MenuItemTemplate kPrintItems[] = {
    {0, 24577, "\x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},  // 印刷パラメタ設定(&P)...
    {0, 24578, "\x83v\x83\x8a\x83\x93\x83^\x90\xdd\x92\xe8(&R)..."},                  // プリンタ設定(&R)...
    {0, 24579, "\x88\xf3\x8d\xfc\x97p\x83t\x83H\x83\x93\x83g\x8ew\x92\xe8(&F)"},      // 印刷用フォント指定(&F)
    {0, 24580, "\x91S\x88\xf3\x8d\xfc(&A)"},                                         // 全印刷(&A)
    {0, 24581, "\x95\x5c\x8e\x86\x88\xf3\x8d\xfc(&H)"},                              // 表紙印刷(&H)
    {0, 24582, "\x8a\xd6\x90\x94\x88\xea\x97\x97\x88\xf3\x8d\xfc(&L)"},              // 関数一覧印刷(&L)
    {0, 24583, "\x8a\xd6\x90\x94\x83T\x83}\x83\x8a\x81[\x88\xf3\x8d\xfc(&R)"},       // 関数サマリー印刷(&R)
    {0, 24584, "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x88\xf3\x8d\xfc(&O)"},         // 関数仕様書印刷(&O)
    {0, 24585, "\x83\x5c\x81[\x83X\x88\xf3\x8d\xfc(&S)"},                            // ソース印刷(&S)
};
inline constexpr MenuItemTemplate kOutputItems[] = {
    // 関数仕様書出力パラメタ設定(&P)...
    {0, 36865, "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8(&P)..."},
    {0, 36866, "\x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x8e\xc0\x8ds(&O)"},  // 関数仕様書出力実行(&O)
};
inline constexpr MenuItemTemplate kHelpItems[] = {
    {0, 28673, "\x83g\x83s\x83\x62\x83N\x82\xcc\x8c\x9f\x8d\xf5(&H)"},  // トピックの検索(&H)
    {0, 28675, "\x83o\x81[\x83W\x83\x87\x83\x93\x8f\xee\x95\xf1(&A)"},  // バージョン情報(&A)
};

inline constexpr MenuItemTemplate kMenuBar[] = {
    {MF_POPUP, 0, "\x83t\x83@\x83\x43\x83\x8b(&F)", kFileItems},     // ファイル(&F)
    {MF_POPUP, 0, "\x95\xd2\x8fW(&E)", kEditItems},                  // 編集(&E)
    {MF_POPUP, 0, "\x95\x5c\x8e\xa6(&V)", kViewItems},               // 表示(&V)
    {MF_POPUP, 0, "\x90\xdd\x92\xe8(&S)", kSettingsItems},           // 設定(&S)
    {MF_POPUP, 0, "\x90\xb6\x90\xac(&C)", kGenerationItems},         // 生成(&C)
    {MF_POPUP, 0, "\x88\xf3\x8d\xfc(&P)", kPrintItems},              // 印刷(&P)
    {MF_POPUP, 0, "\x8fo\x97\xcd(&O)", kOutputItems},                // 出力(&O)
    {MF_POPUP, 0, "\x83w\x83\x8b\x83v(&H)", kHelpItems},             // ヘルプ(&H)
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
