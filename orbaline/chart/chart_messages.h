// ORBALINE's numbered messages: a table of exactly 150 entries, which
// start-up makes the running program's (set_message_table); the captions of
// its chart boxes and the few fixed texts of its chart runs. Texts are
// Shift-JIS bytes; each constant's comment shows it in readable form.
#pragma once

#include <string>

#include "common/text/message_table.h"

inline constexpr int kOrbalineMessageCount = 150;
extern const MessageEntry kOrbalineMessageEntries[kOrbalineMessageCount];
extern const MessageTable kOrbalineMessages;

// The one lookup over ORBALINE's table, whichever program's table runs:
// nullptr when the table has no such row.
const char* orbaline_message(int id);
// The same, "" for a number without text.
std::string orbaline_message_text(int id);

// The numbers the chart's operations show.
enum OrbalineMessage : int {
    kMsgChartModified = 1,          // このモジュール構造図は更新されています。
    kMsgTempFileError = 4,          // テンポラリファイルが作成できません。
    kMsgChartWrongVersion = 5,      // モジュール構造図ファイルのバージョンが違います。
    kMsgChartNotModified = 6,       // このモジュール構造図は更新されていません。
    kMsgFileOpenError = 100,        // ファイルオープンエラー
    kMsgSettingsWrongVersion = 104, // システムファイルのバージョンが違います。
    kMsgReadingFile = 109,          // %s を読み込み中です。
    kMsgFileNotFound = 118,         // %sファイルが見つかりません。
    kMsgNotAChart = 205,            // モジュール構造図ファイルではありません。
    kMsgWillSave = 208,             // %sを保存します。
    kMsgAreYouSure = 209,           // よろしいですか？
    kMsgNoMemory = 402,             // メモリが足りません。
    kMsgGenerationEnded = 406,      // 生成を終了しました。
    kMsgSelectFile = 417,           // ファイルを選択してください。
    kMsgEnterFunctionName = 425,    // 関数名を入力してください。
    kMsgBuildingView = 503,         // 表示画面作成中です。
    kMsgTooManyBlocks = 505,        // モジュール構造図作成：最大ブロック数を超えています。
    kMsgTooManyTexts = 506,         // モジュール構造図作成：文字列が多すぎます。
    kMsgFunctionName = 509,         // 関数名(%s)
    kMsgSearching = 602,            // 検索中です。
    kMsgHeadingNotFound = 606,      // 見出しファイルが見つかりません。
    kMsgHeadingNotNamed = 607,      // 見出しファイルが指定されていません。
    kMsgNoChart = 609,              // モジュール構造図が存在しません。
    kMsgUndefinedWillGo = 612,      // 未定義関数ブロックは全て削除されます。
    kMsgReplaceSure = 613,          // 置換処理を実行してよろしいですか？
    kMsgProcessing = 614,           // 処理中です。
    kMsgSelectFunction = 617,       // 関数を選択してください。
    kMsgLevelsWillGo = 618,         // 現在選択レベル以降のブロックは全て削除されます。
    kMsgDeleteSure = 619,           // 削除処理を実行してよろしいですか？
    kMsgWriteError = 710,           // 書き込みエラー
    kMsgFunctionNotFound = 714,     // (no text: the file is shown alone)
    kMsgSearchNotFound = 715,       // 検索文字列が見つかりません。
    kMsgChartVersion = 717,         // (no text: message 5 is shown)
    kMsgEnterSearchText = 719,      // 検索文字列を入力してください。
    kMsgLastPageBeforeFirst = 723,  // 終了ページ番号に開始ページ番号より小さい値(%d)が設定されています。
    kMsgFileOpenErrorNamed = 726,   // ファイルオープンエラー（%s）
    kMsgSettingsNotSaved = 727,     // システムファイルが保存できません。
    kMsgReloadSure = 729,           // 元のモジュール構造図を読み込んでもよろしいですか？
    kMsgInterrupted = 802,          // %sは中断されました。
    kMsgContinue = 803,             // 続行しますか？
    kMsgOutputStarting = 804,       // モジュール構造図出力処理を初期化中です。
    kMsgOutputRow = 805,            // モジュール構造図出力中です(%d/%d)。
    kMsgOutputDone = 806,           // モジュール構造図出力を終了しました。
    kMsgOutputError = 807,          // モジュール構造図出力エラー（%s）。
    kMsgMakingChart = 809,          // モジュール構造図を作成中です。
};

// 【 モジュール構造図作成 】
inline constexpr char kCaptionMakeChart[] =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x8D\xEC\x90\xAC \x81z";
// 【 モジュール構造図編集 】
inline constexpr char kCaptionEditChart[] =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x95\xD2\x8FW \x81z";
// 【 構造図編集 】
inline constexpr char kCaptionEditCommand[] = "\x81y \x8D\x5C\x91\xA2\x90}\x95\xD2\x8FW \x81z";
// 【 モジュール構造図保存 】
inline constexpr char kCaptionSaveChart[] =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x95\xDB\x91\xB6 \x81z";
// 【 モジュール構造図検索 】
inline constexpr char kCaptionSearchChart[] =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x8C\x9F\x8D\xF5 \x81z";
// 【 モジュール構造図出力 】
inline constexpr char kCaptionOutputChart[] =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x8Fo\x97\xCD \x81z";

// モジュール構造図を出力中です。 (the meter's first line during an output)
inline constexpr char kTextOutputInProgress[] =
    "\x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x82\xF0\x8Fo\x97\xCD\x92\x86\x82\xC5\x82\xB7\x81" "B";
// 出力 (before message 100 when the output file cannot be made)
inline constexpr char kTextOutput[] = "\x8Fo\x97\xCD";
// モジュール構造図出力処理
inline constexpr char kTextOutputRun[] =
    "\x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x8Fo\x97\xCD\x8F\x88\x97\x9D";
// モジュール構造図読み込み
inline constexpr char kTextChartReading[] =
    "\x83\x82\x83W\x83\x85\x81[\x83\x8B\x8D\x5C\x91\xA2\x90}\x93\xC7\x82\xDD\x8D\x9E\x82\xDD";
