// GRAVLET's numbered message texts: a table of exactly 170 entries, which
// start-up makes the running program's (set_message_table), and the numbers
// its PAD code shows, by name.
#pragma once

#include <array>
#include <string>

#include "common/text/message_table.h"

inline constexpr int kGravletMessageCount = 170;
extern const std::array<MessageEntry, kGravletMessageCount> kGravletMessageEntries;
extern const MessageTable kGravletMessages;

// The text of a message of the running program's table ("" when there is none).
std::string gx_text(int id);

namespace gx_message {
inline constexpr int kBadValue = 0;                 // パラメタに誤りがあります(%s)。
inline constexpr int kNotSaved = 6;                 // システムファイルが保存できません。
inline constexpr int kOutputFirstBeyondLast = 4;    // 出力開始関数番号(%d)が最終関数番号を超えています。
inline constexpr int kPrintFirstBeyondLast = 5;     // 印刷開始関数番号(%d)が最終関数番号を超えています。
inline constexpr int kFileOpenErrorNamed = 7;       // ファイルオープンエラー（%s）
inline constexpr int kFileNotFoundNamed = 8;        // ファイルが見つかりません（%s）。
inline constexpr int kSourceNotFound = 9;           // ソースファイルが見つかりません(%s)。
inline constexpr int kFileOpenError = 100;          // ファイルオープンエラー
inline constexpr int kFileMissing = 106;            // ファイルが見つかりません。
inline constexpr int kOlderPad = 112;               // 日付けの古いＰＡＤ図が存在します。
inline constexpr int kChooseFile = 117;             // ファイルを選択してください。
inline constexpr int kNoPad = 118;                  // ＰＡＤ図が存在しません。
inline constexpr int kReading = 109;                // %s を読み込み中です。
inline constexpr int kPrintManagerOnly = 307;      // 印刷パラメタ設定でプリンタ機種に / プリントマネージャを選択してください。
inline constexpr int kTooManyBlocks = 306;          // %s最大ブロック数を超えています（%d行目 %s）。
inline constexpr int kTooManyTexts = 309;           // %s文字列が多すぎます。
inline constexpr int kNoMemory = 402;               // メモリが足りません。
inline constexpr int kCannotMakePad = 500;          // ＰＡＤ図が作成できません。
inline constexpr int kMakingPad = 503;              // ＰＡＤ図を作成中です。
inline constexpr int kRunGeneration = 504;          // ＰＡＤ図生成を実行してください。
inline constexpr int kNoErrors = 505;               // 生成エラーは発生していません。
inline constexpr int kNoBatchList = 508;            // 一括生成リストファイル名を登録してください。
inline constexpr int kEnterSourceName = 510;        // 生成対象ファイル名を入力してください。
inline constexpr int kSourceTooLarge = 405;         // ソースが大きすぎます。
inline constexpr int kBufferOver = 623;             // ソースリストバッファオーバ
inline constexpr int kHeadingMissing = 606;         // 見出しファイルが見つかりません。
inline constexpr int kHeadingNotGiven = 607;        // 見出しファイルが指定されていません。
inline constexpr int kShowingPad = 609;             // ＰＡＤ図を表示中です。
inline constexpr int kSuppressedFunction = 610;     // 出力抑制関数(%s) 内部行数(%d)
inline constexpr int kFormatError = 611;            // フォーマットエラー(%s)
inline constexpr int kGeneratePad = 617;            // ＰＡＤ図を生成してください。
inline constexpr int kFunctionName = 618;           // 関数名（%s）
inline constexpr int kPadTooLarge = 620;            // 生成ＰＡＤ図が大きすぎます。
inline constexpr int kLowerNestLevel = 621;         // ネストレベルを小さくしてください
inline constexpr int kCommentBufferOver = 622;      // 注釈バッファオーバ
inline constexpr int kOutputInitialising = 624;     // ＰＡＤ図出力処理を初期化中です。
inline constexpr int kOutputProgress = 626;         // ＰＡＤ図出力中です(%d/%d)。
inline constexpr int kOutputDone = 627;             // ＰＡＤ図出力を終了しました。
inline constexpr int kOutputError = 628;            // ＰＡＤ図出力エラー（%s）。
inline constexpr int kOutputRunning = 629;          // ＰＡＤ図を出力中です。
inline constexpr int kEnvironmentSaved = 722;       // (empty)
inline constexpr int kNotFoundInFunction = 715;     // 指定関数内に検索文字列が見つかりません。
inline constexpr int kNotFound = 716;               // 検索文字列が見つかりません。
inline constexpr int kChooseLineInFunction = 801;   // 現在選択関数内のソース行を選択してください。
inline constexpr int kInterrupted = 802;            // %sは中断されました。
inline constexpr int kContinue = 803;               // 続行しますか？
}  // namespace gx_message
