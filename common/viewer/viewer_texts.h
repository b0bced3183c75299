// Texts the programs' viewers show alike: the operation names of their box
// captions (the caption is "【 name 】") and the drop-down lists of their
// generation parameters, each list in the order of the values it stores.
#pragma once

#include "platform/kernel/sjis_text.h"

namespace viewer_texts {

inline constexpr auto& kSourceListOp = "ソースリスト表示"_sjis;
inline constexpr auto& kFunctionListOp = "関数一覧表示"_sjis;
inline constexpr auto& kLayoutOp = "レイアウト表示"_sjis;
inline constexpr auto& kErrorsOp = "生成エラー表示"_sjis;
inline constexpr auto& kBatchErrorsOp = "一括生成エラー表示"_sjis;
inline constexpr auto& kBatchOp = "一括生成"_sjis;
inline constexpr auto& kPrintAllOp = "全印刷"_sjis;
inline constexpr auto& kPrintListOp = "関数一覧印刷"_sjis;
inline constexpr auto& kPrintSourceOp = "ソース印刷"_sjis;

// 生成時#includeファイル使用
inline constexpr const char* kIncludeUseChoices[] = {
    "しない"_sjis,
    "する(不足チェックなし)"_sjis,
    "する(不足チェックあり)"_sjis,
    "する(<～>ファイルも使用)"_sjis,
};
// マクロ展開形式
inline constexpr const char* kMacroExpansionChoices[] = {
    "展開しない"_sjis,
    "ﾌﾞﾛｯｸ制御構造展開"_sjis,
    "完結ﾏｸﾛ制御構造展開，MFCﾏｸﾛ対応"_sjis,
    "全ﾏｸﾛ展開"_sjis,
};

}  // namespace viewer_texts
