// Message texts of the call-tree generator, as the Shift-JIS bytes its error
// file carries.
#pragma once

#include "platform/kernel/sjis_text.h"


inline constexpr auto& kMsgNotFound = "ファイルが見つかりません。"_sjis;

inline constexpr auto& kMsgNoSourceFound = "全てのファイルが見つかりません。"_sjis;

inline constexpr auto& kMsgNoIgnoreFile = "ＩＧＮファイルがありません。"_sjis;

inline constexpr auto& kMsgIgnoreTableFull = "ＩＧＮファイルの行数が制限を超えました。"_sjis;

inline constexpr auto& kMsgCancelled = "処理を中断しました。"_sjis;

inline constexpr auto& kMsgNestTooDeep = "ネストレベルが制限を超えました。"_sjis;

inline constexpr auto& kMsgTooManyBlocks = "最大ブロック数を超えています。"_sjis;


inline constexpr auto& kMsgUndefinedBoxHead = "未定義関数 "_sjis;

inline constexpr auto& kMsgUndefinedBoxTail = "() のブロックは生成されません。\n"_sjis;

inline constexpr auto& kMsgUncommentedHead = "関数 "_sjis;

inline constexpr auto& kMsgUncommentedTail = "() はコメント無しです。\n"_sjis;

inline constexpr auto& kMsgProcessing = "処理中"_sjis;
