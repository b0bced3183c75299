// Fixed texts of the converter nx1011s, as the Shift-JIS bytes written to
// its files.
#pragma once

#include "platform/kernel/sjis_text.h"

namespace fspec {


inline constexpr auto& kMsgCancelled = "処理を中断しました。"_sjis;

inline constexpr auto& kMsgSpecTooLarge = "関数仕様書の大きさが制限を超えています。"_sjis;

// Labels of the summary lines.

inline constexpr auto& kLabelName = "関数名　　: "_sjis;

struct SummaryLabel {
    const char* tag;
    const char* label;
};

inline constexpr SummaryLabel kSummaryLabels[] = {
    {"TAG:", "関数ソース: "_sjis},
    {"FUN:", "機能　　　: "_sjis},
    {"FHD:", "関数定義　: "_sjis},
    {"FPM:", "引数定義　: "_sjis},
    {"PRC:", "処理内容　: "_sjis},
    {"INP:", "入力　　　: "_sjis},
    {"EIN:", "入力(外部): "_sjis},
    {"OUT:", "出力　　　: "_sjis},
    {"EOT:", "出力(外部): "_sjis},
    {"UPD:", "入出力　　: "_sjis},
    {"EUP:", "入出力(外): "_sjis},
    {"RET:", "戻り値　　: "_sjis},
    {"PRO:", "作成　　　: "_sjis},
    {"DAT:", "日付　　　: "_sjis},
    {"INC:", "使用ヘッダ: "_sjis},
    {"CAL:", "使用関数　: "_sjis},
    {"FIL:", "ファイル　: "_sjis},
    {"REM:", "備考　　　: "_sjis},
    {"===:", "　　　　　: "_sjis},
};

}  // namespace fspec
