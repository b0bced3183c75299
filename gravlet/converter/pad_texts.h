// Texts of the PAD generator as the Shift-JIS bytes it writes.
#pragma once

#include "platform/kernel/sjis_text.h"

namespace pad {



inline constexpr auto& kMsgSyntaxError = "構文エラーです。"_sjis;

inline constexpr auto& kMsgBadFunctionStart = "関数開始の形式が誤っています。"_sjis;

inline constexpr auto& kMsgTooManyCloses = "｝の数が｛の数より多いです。"_sjis;

inline constexpr auto& kMsgElseRow =
    "＊＊＊＊エラー：ｉｆ対応のｅｌ"_sjis
    "ｓｅでない＊＊＊＊"_sjis;

inline constexpr auto& kMsgCancelled = "処理を中断しました。"_sjis;

inline constexpr auto& kMsgNestingLimit = "ネストレベルが制限を超えています。"_sjis;

inline constexpr auto& kMsgCaseTooLong = "通過CASE文がボックスに入りません。"_sjis;
inline constexpr char kMsgRetProcFile[] = "RET_PROC_FILE_S : ";
inline constexpr char kMsgTopIgnoreFile[] = "RET_TOP_IGNM_FILE_S : ";
inline constexpr auto& kMsgRowTableFull = "up_pad_index オーバ\n"_sjis;


inline constexpr auto& kLabelOther = "その他"_sjis;

inline constexpr auto& kLabelTrue = "真のとき"_sjis;

inline constexpr auto& kLabelBlock = "ブロック"_sjis;

inline constexpr auto& kLabelDeclarations = "宣言"_sjis;

inline constexpr auto& kLabelReturn = "リターン"_sjis;

inline constexpr auto& kTextWorking = "処理中"_sjis;

inline constexpr char kPadHeader[] = " [JOV:PDS:V1.00 ]";
inline constexpr char kListHeader[] = "-----< C function list >-----\n";

}  // namespace pad
