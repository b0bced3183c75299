// NOTARIX's names for the numbers of its message table, in number order;
// each comment is the entry's text. The viewer names a message by these,
// never by a number of its own; the numbers the shared viewer shell shows
// keep the shell's names.
#pragma once

#include "common/text/shell_message_numbers.h"

namespace nx_message {
using shell_message::kBadValue;                  // 設定値に誤りがあります(%s)。
inline constexpr int kOtherVersion = 1;          // 関数仕様書ファイルのバージョンが違います。
using shell_message::kFunctionOrder;             // 終了関数番号(%d)に開始関数番号より小さい値が設定されています。
using shell_message::kNotSaved;                  // システムファイルが保存できません。
using shell_message::kOpenError;                 // ファイルオープンエラー
using shell_message::kFileName;                  // ファイル名（%s）
using shell_message::kFileMissing;               // ファイルが見つかりません。
using shell_message::kShowing;                   // ソースリストを表示中です。
inline constexpr int kCloseQuestion = 108;       // %sを終了してよろしいですか？
using shell_message::kLoading;                   // ソースリストを読み込み中です。
inline constexpr int kOlderDocument = 112;       // 日付けの古い関数仕様書が存在します。
using shell_message::kChooseFile;                // ファイルを選択してください。
using shell_message::kNoDocument;                // 関数仕様書が見つかりません。
using shell_message::kNoEditor;                  // ［環境設定］でユーザ指定エディタ名を登録してください。
using shell_message::kProcessError;              // プロセスエラー
using shell_message::kEditorFailed;              // ユーザ指定エディタを起動できません。
inline constexpr int kNotADocument = 205;        // 関数仕様書ファイルではありません。
inline constexpr int kPrinting = 301;            // 印刷中です。
inline constexpr int kPrintManagerOnly = 306;    // 印刷パラメタ設定でプリンタ機種に プリントマネージャを選択してください。
inline constexpr int kNoBatchList = 308;         // 一括生成リストファイル名を設定してください。
using shell_message::kErrors;                    // 生成エラー
using shell_message::kGenerating;                // 生成中です。
using shell_message::kNoMemory;                  // メモリが足りません。
using shell_message::kSystemError;               // システムエラー（%d）
using shell_message::kNestTooDeep;               // ソースのネストが深すぎます。
using shell_message::kTooLarge;                  // ソースが大きすぎます。
using shell_message::kDone;                      // 生成を終了しました。
inline constexpr int kShowErrors = 407;          // エラー内容を参照します。
using shell_message::kWarnings;                  // 生成エラー（ウォーニング）
using shell_message::kShowWarnings;              // ウォーニング内容を参照します。
inline constexpr int kInitialising = 410;        // 関数仕様書フォーム編集：初期化中です。
inline constexpr int kLayoutDone = 411;          // 仕様書レイアウトファイル生成を終了しました。
inline constexpr int kSaveForm = 412;            // 仕様書フォームファイルを保存してください。
inline constexpr int kLayoutMissing = 413;       // 仕様書レイアウトファイルが見つかりません。
using shell_message::kNotCSource;                // Ｃソースファイルではありません(%s)。
using shell_message::kDuplicate;                 // ファイル名が重複しています(%s)。
inline constexpr int kChooseForm = 416;          // 仕様書フォームファイルを選択してください。
inline constexpr int kOpenAnotherForm = 418;     // 新しい仕様書フォームファイルを開きますか？
inline constexpr int kEditsLost = 419;           // 編集中の仕様書フォームは破棄されます。
inline constexpr int kRunGeneration = 504;       // 関数仕様書生成を実行してください。
inline constexpr int kNoErrors = 505;            // 生成エラーは発生していません。
inline constexpr int kLayoutOutdated = 506;      // 仕様書レイアウトファイルが生成されていません。
inline constexpr int kFormTooBig = 507;          // 仕様書フォームが大きすぎます。
inline constexpr int kOutsideNotRead = 508;      // 有効範囲外は読み込まれていません。
using shell_message::kSourceMissing;             // 生成対象ファイルが見つかりません(%s)
using shell_message::kEnterSourceName;           // 生成対象ファイル名を入力してください。
using shell_message::kChooseSource;              // 生成対象ファイルを選択してください。
using shell_message::kListNotSaved;              // 一括生成ファイルリストは保存されていません。
using shell_message::kErrorFileUnreadable;       // 生成エラーファイルオープンエラー(%s)
using shell_message::kLogUnwritable;             // 一括生成エラーファイルオープンエラー(%s)
using shell_message::kEnterListName;             // 一括生成リストファイル名を入力してください。
using shell_message::kCurrentSource;             // 現在選択中のファイルは一括生成できません。
using shell_message::kSaveList;                  // 一括生成ファイルリストを保存してください。
using shell_message::kLinesLeftOut;              // 最大行数を超えるソース行は表示されません。
using shell_message::kSearching;                 // 検索中です。
using shell_message::kFirstPage;                 // 先頭関数表示中です。
using shell_message::kLastPage;                  // 最終関数表示中です。
inline constexpr int kHeaderMissing = 606;       // 見出しファイルが見つかりません。
inline constexpr int kNoHeaderName = 607;        // 見出しファイルが指定されていません。
inline constexpr int kShowingPage = 609;         // 関数仕様書を表示中です。
using shell_message::kChooseFunction;            // 関数を選択してください。
inline constexpr int kNotFound = 715;            // 検索文字列が見つかりません。
using shell_message::kEnterText;                 // 検索文字列を入力してください。
inline constexpr int kEnvironmentSaved = 722;    // 環境パラメタを登録しました。
using shell_message::kLineCut;                   // ソースの桁数が制限を超えています。
inline constexpr int kSaved = 725;               // ファイル(%s)を保存しました。
inline constexpr int kLayoutMade = 728;          // 仕様書レイアウトファイル %s が生成されました。
inline constexpr int kLayoutHowTo = 729;         // このレイアウトファイルを有効にするには %s を…
using shell_message::kInterrupted;               // %sは中断されました。
inline constexpr int kParameterTwice = 804;      // このパラメタの複数指定は無効です。
inline constexpr int kStraightOnly = 805;        // 領域を正しく指定してください（垂直または水平方向のみ）。
inline constexpr int kEraseAllLines = 806;       // 罫線は全て消去されます。
inline constexpr int kEraseAllText = 807;        // 文字列は全て消去されます。
inline constexpr int kRunIt = 808;               // %sを実行しますか？
inline constexpr int kOutsideForm = 809;         // 指定位置が有効範囲を超えています。
}  // namespace nx_message
