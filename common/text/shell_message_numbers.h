// The numbers of the messages the shared viewer shell shows, by name. Every
// program's message table gives these numbers the same meaning (NOTARIX's
// names take these over); a number whose text differs between the programs
// comes from the viewer profile instead.
#pragma once

namespace shell_message {
inline constexpr int kBadValue = 0;               // パラメタに誤りがあります(%s)。
inline constexpr int kFunctionOrder = 3;          // 終了関数番号...(%d)...
inline constexpr int kNotSaved = 6;               // システムファイルが保存できません。
inline constexpr int kOpenError = 100;            // ファイルオープンエラー
inline constexpr int kFileName = 101;             // ファイル名（%s）
inline constexpr int kFileMissing = 106;          // ファイルが見つかりません。
inline constexpr int kShowing = 107;              // ソースリストを表示中です。
inline constexpr int kLoading = 110;              // ソースリストを読み込み中です。
inline constexpr int kChooseFile = 117;           // ファイルを選択してください。
inline constexpr int kNoDocument = 118;           // (the program's document) が見つかりません / 存在しません。
inline constexpr int kNoEditor = 200;             // ［環境設定］でユーザ指定エディタ名を登録してください。
inline constexpr int kProcessError = 202;         // プロセスエラー
inline constexpr int kEditorFailed = 203;         // ユーザ指定エディタを起動できません。
inline constexpr int kErrors = 400;               // 生成エラー
inline constexpr int kGenerating = 401;           // 生成中です。
inline constexpr int kNoMemory = 402;             // メモリが足りません。
inline constexpr int kSystemError = 403;          // システムエラー（%d）
inline constexpr int kNestTooDeep = 404;          // ソースのネストが深すぎます。
inline constexpr int kTooLarge = 405;             // ソースが大きすぎます。
inline constexpr int kDone = 406;                 // 生成を終了しました。
inline constexpr int kWarnings = 408;             // 生成エラー（ウォーニング）
inline constexpr int kShowWarnings = 409;         // ウォーニング内容を参照します。
inline constexpr int kNotCSource = 414;           // Ｃソースファイルではありません(%s)。
inline constexpr int kDuplicate = 415;            // ファイル名が重複しています(%s)。
inline constexpr int kSourceMissing = 509;        // 生成対象ファイルが見つかりません(%s)。
inline constexpr int kEnterSourceName = 510;      // 生成対象ファイル名を入力してください。
inline constexpr int kChooseSource = 511;         // 生成対象ファイルを選択してください。
inline constexpr int kListNotSaved = 512;         // 一括生成ファイルリストは保存されていません。
inline constexpr int kErrorFileUnreadable = 514;  // 生成エラーファイルオープンエラー(%s)
inline constexpr int kLogUnwritable = 515;        // 一括生成エラーファイルオープンエラー(%s)
inline constexpr int kEnterListName = 517;        // 一括生成リストファイル名を入力してください。
inline constexpr int kCurrentSource = 518;        // 現在選択中のファイルは一括生成できません。
inline constexpr int kSaveList = 519;             // 一括生成ファイルリストを保存してください。
inline constexpr int kLinesLeftOut = 601;         // 最大行数を超えるソース行は表示されません。
inline constexpr int kSearching = 602;            // 検索中です。
inline constexpr int kFirstPage = 603;            // 先頭関数表示中です。
inline constexpr int kLastPage = 604;             // 最終関数表示中です。
inline constexpr int kChooseFunction = 612;       // 関数を選択してください。
inline constexpr int kEnterText = 719;            // 検索文字列を入力してください。
inline constexpr int kLineCut = 724;              // ソースの桁数が制限を超えています。
inline constexpr int kInterrupted = 802;          // %sは中断されました。
}  // namespace shell_message
