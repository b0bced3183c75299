// ORBALINE's numbered messages: a table of exactly 150 entries, which
// start-up makes the running program's (set_message_table); the captions of
// its chart boxes and the few fixed texts of its chart runs.
#pragma once

#include <array>
#include <string>

#include "common/text/message_table.h"
#include "platform/kernel/sjis_text.h"

inline constexpr int kOrbalineMessageCount = 150;
extern const std::array<MessageEntry, kOrbalineMessageCount> kOrbalineMessageEntries;
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


inline constexpr auto& kCaptionMakeChart = "【 モジュール構造図作成 】"_sjis;

inline constexpr auto& kCaptionEditChart = "【 モジュール構造図編集 】"_sjis;

inline constexpr auto& kCaptionEditCommand = "【 構造図編集 】"_sjis;

inline constexpr auto& kCaptionSaveChart = "【 モジュール構造図保存 】"_sjis;

inline constexpr auto& kCaptionSearchChart = "【 モジュール構造図検索 】"_sjis;

inline constexpr auto& kCaptionOutputChart = "【 モジュール構造図出力 】"_sjis;

// The meter's first line during an output.
inline constexpr auto& kTextOutputInProgress = "モジュール構造図を出力中です。"_sjis;
// Before message 100 when the output file cannot be made.
inline constexpr auto& kTextOutput = "出力"_sjis;

inline constexpr auto& kTextOutputRun = "モジュール構造図出力処理"_sjis;

inline constexpr auto& kTextChartReading = "モジュール構造図読み込み"_sjis;
