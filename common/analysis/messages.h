// Message texts of the C source analysis, as the Shift-JIS bytes the error
// files carry.
#pragma once

#include "platform/kernel/sjis_text.h"


inline constexpr auto& kMsgCannotWrite = "ファイルが書けません。"_sjis;
// a source in which no function was found
inline constexpr auto& kMsgNoFunction = "関数がありません。"_sjis;

inline constexpr auto& kMsgTooManyFiles = "ファイルオープン数が制限を超えています。"_sjis;

inline constexpr auto& kMsgNoMemory = "メモリが足りません。"_sjis;
// RET_IGNORE_FILE_S : 
inline constexpr char kMsgIgnoreFile[] = "RET_IGNORE_FILE_S : ";

inline constexpr auto& kMsgUnmatchedQuote = "引用符が対応していません。"_sjis;

inline constexpr auto& kMsgIncludeSyntax = "#includeに構文エラーがあります。"_sjis;

inline constexpr auto& kMsgMissingEndif = "#endifが欠けています。"_sjis;

inline constexpr auto& kMsgIncludeNesting = "#include文のネストが制限を超えています。"_sjis;

inline constexpr auto& kMsgNoIncludeFile = "インクルードファイルがありません。"_sjis;

inline constexpr auto& kMsgStrayCommentEnd = "注釈終了記号（*/）が対応していません。"_sjis;

inline constexpr auto& kMsgUnmatchedEndif = "#endif/#else/#elifが対応していません。"_sjis;
// RET_FILE_NOT_OPEN_S
inline constexpr char kMsgFileNotOpen[] = "RET_FILE_NOT_OPEN_S";

inline constexpr auto& kMsgLineTooLong = "行の長さが制限を超えています。"_sjis;

inline constexpr auto& kMsgMacroTooLong = "マクロ定義が制限を超えています。: "_sjis;
// RET_CTL_MACRO_S : 
inline constexpr char kMsgControlMacro[] = "RET_CTL_MACRO_S : ";

inline constexpr auto& kMsgIfSyntax = "#if文に構文エラーがあります。"_sjis;

inline constexpr auto& kMsgUnclosedComment = "注釈終了記号（/*）が対応していません。"_sjis;

inline constexpr auto& kMsgIfNesting = "#if文のネストが制限を超えました。"_sjis;

inline constexpr auto& kMsgDefineSyntax = "#define文に構文エラーがあります。"_sjis;

inline constexpr auto& kMsgMacroUse = "マクロ表現に誤りがあります。: "_sjis;

inline constexpr auto& kMsgUndefinedIfMacro = "#if文に未定義マクロがあります。"_sjis;

inline constexpr auto& kMsgMacroRedefined = "マクロ定義が重複しています。"_sjis;

inline constexpr auto& kMsgCommentTooLong = "注釈の長さが制限を超えています。"_sjis;

inline constexpr auto& kMsgSyntax = "構文エラーがあります。"_sjis;

inline constexpr auto& kMsgEndInsideFunction = "関数の途中でファイルが終了しています。"_sjis;

inline constexpr auto& kMsgElseWithoutIf = "else文の直前にif文がありません。"_sjis;

inline constexpr auto& kMsgUnmatchedBrace = "対応のとれない右大括弧（｝）があります。"_sjis;

inline constexpr auto& kMsgCannotRead = "ファイルが読めません。"_sjis;
