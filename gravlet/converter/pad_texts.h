// Texts of the PAD generator as the Shift-JIS bytes it writes. Each line's
// comment shows the text in readable form.
#pragma once

namespace pad {

// 関数がありません。
inline constexpr char kMsgNoFunction[] = "\x8A\xD6\x90\x94\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// 構文エラーです。
inline constexpr char kMsgSyntaxError[] = "\x8D\x5C\x95\xB6\x83G\x83\x89\x81[\x82\xC5\x82\xB7\x81" "B";
// 関数開始の形式が誤っています。
inline constexpr char kMsgBadFunctionStart[] =
    "\x8A\xD6\x90\x94\x8AJ\x8En\x82\xCC\x8C`\x8E\xAE\x82\xAA\x8C\xEB\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// ｝の数が｛の数より多いです。
inline constexpr char kMsgTooManyCloses[] =
    "\x81p\x82\xCC\x90\x94\x82\xAA\x81o\x82\xCC\x90\x94\x82\xE6\x82\xE8\x91\xBD\x82\xA2\x82\xC5\x82\xB7\x81" "B";
// ＊＊＊＊エラー：ｉｆ対応のｅｌｓｅでない＊＊＊＊
inline constexpr char kMsgElseRow[] =
    "\x81\x96\x81\x96\x81\x96\x81\x96\x83G\x83\x89\x81[\x81" "F\x82\x89\x82\x86\x91\xCE\x89\x9E\x82\xCC\x82\x85\x82\x8C"
    "\x82\x93\x82\x85\x82\xC5\x82\xC8\x82\xA2\x81\x96\x81\x96\x81\x96\x81\x96";
// 処理を中断しました。
inline constexpr char kMsgCancelled[] = "\x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// ネストレベルが制限を超えています。
inline constexpr char kMsgNestingLimit[] =
    "\x83l\x83X\x83g\x83\x8C\x83x\x83\x8B\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// 通過CASE文がボックスに入りません。
inline constexpr char kMsgCaseTooLong[] =
    "\x92\xCA\x89\xDF" "CASE\x95\xB6\x82\xAA\x83{\x83" "b\x83N\x83X\x82\xC9\x93\xFC\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
inline constexpr char kMsgRetProcFile[] = "RET_PROC_FILE_S : ";
inline constexpr char kMsgTopIgnoreFile[] = "RET_TOP_IGNM_FILE_S : ";
// up_pad_index オーバ
inline constexpr char kMsgRowTableFull[] = "up_pad_index \x83I\x81[\x83o\n";

// その他
inline constexpr char kLabelOther[] = "\x82\xBB\x82\xCC\x91\xBC";
// 真のとき
inline constexpr char kLabelTrue[] = "\x90^\x82\xCC\x82\xC6\x82\xAB";
// ブロック
inline constexpr char kLabelBlock[] = "\x83u\x83\x8D\x83" "b\x83N";
// 宣言
inline constexpr char kLabelDeclarations[] = "\x90\xE9\x8C\xBE";
// リターン
inline constexpr char kLabelReturn[] = "\x83\x8A\x83^\x81[\x83\x93";
// 処理中
inline constexpr char kTextWorking[] = "\x8F\x88\x97\x9D\x92\x86";

inline constexpr char kPadHeader[] = " [JOV:PDS:V1.00 ]";
inline constexpr char kListHeader[] = "-----< C function list >-----\n";

}  // namespace pad
