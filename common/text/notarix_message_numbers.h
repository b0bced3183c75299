// NOTARIX's names for the numbers of its message table, in number order;
// each comment is the entry's text. The viewer names a message by these,
// never by a number of its own.
#pragma once

namespace nx_message {
inline constexpr int kBadValue = 0;              // 設定値に誤りがあります(%s)。
inline constexpr int kFunctionOrder = 3;         // 終了関数番号(%d)に開始関数番号より小さい値が設定されています。
inline constexpr int kNotSaved = 6;              // システムファイルが保存できません。
inline constexpr int kOpenError = 100;           // ファイルオープンエラー
inline constexpr int kFileName = 101;            // ファイル名（%s）
inline constexpr int kFileMissing = 106;         // ファイルが見つかりません。
inline constexpr int kShowing = 107;             // ソースリストを表示中です。
inline constexpr int kCloseQuestion = 108;       // %sを終了してよろしいですか？
inline constexpr int kLoading = 110;             // ソースリストを読み込み中です。
inline constexpr int kOlderDocument = 112;       // 日付けの古い関数仕様書が存在します。
inline constexpr int kChooseFile = 117;          // ファイルを選択してください。
inline constexpr int kNoDocument = 118;          // 関数仕様書が見つかりません。
inline constexpr int kNoEditor = 200;            // ［環境設定］でユーザ指定エディタ名を登録してください。
inline constexpr int kProcessError = 202;        // プロセスエラー
inline constexpr int kEditorFailed = 203;        // ユーザ指定エディタを起動できません。
inline constexpr int kPrintManagerOnly = 306;    // 印刷パラメタ設定でプリンタ機種に プリントマネージャを選択してください。
inline constexpr int kNoBatchList = 308;         // 一括生成リストファイル名を設定してください。
inline constexpr int kErrors = 400;              // 生成エラー
inline constexpr int kGenerating = 401;          // 生成中です。
inline constexpr int kNoMemory = 402;            // メモリが足りません。
inline constexpr int kSystemError = 403;         // システムエラー（%d）
inline constexpr int kNestTooDeep = 404;         // ソースのネストが深すぎます。
inline constexpr int kTooLarge = 405;            // ソースが大きすぎます。
inline constexpr int kDone = 406;                // 生成を終了しました。
inline constexpr int kShowErrors = 407;          // エラー内容を参照します。
inline constexpr int kWarnings = 408;            // 生成エラー（ウォーニング）
inline constexpr int kShowWarnings = 409;        // ウォーニング内容を参照します。
inline constexpr int kInitialising = 410;        // 関数仕様書フォーム編集：初期化中です。
inline constexpr int kLayoutDone = 411;          // 仕様書レイアウトファイル生成を終了しました。
inline constexpr int kSaveForm = 412;            // 仕様書フォームファイルを保存してください。
inline constexpr int kLayoutMissing = 413;       // 仕様書レイアウトファイルが見つかりません。
inline constexpr int kNotCSource = 414;          // Ｃソースファイルではありません(%s)。
inline constexpr int kDuplicate = 415;           // ファイル名が重複しています(%s)。
inline constexpr int kChooseForm = 416;          // 仕様書フォームファイルを選択してください。
inline constexpr int kOpenAnotherForm = 418;     // 新しい仕様書フォームファイルを開きますか？
inline constexpr int kEditsLost = 419;           // 編集中の仕様書フォームは破棄されます。
inline constexpr int kRunGeneration = 504;       // 関数仕様書生成を実行してください。
inline constexpr int kNoErrors = 505;            // 生成エラーは発生していません。
inline constexpr int kLayoutOutdated = 506;      // 仕様書レイアウトファイルが生成されていません。
inline constexpr int kFormTooBig = 507;          // 仕様書フォームが大きすぎます。
inline constexpr int kOutsideNotRead = 508;      // 有効範囲外は読み込まれていません。
inline constexpr int kSourceMissing = 509;       // 生成対象ファイルが見つかりません(%s)
inline constexpr int kEnterSourceName = 510;     // 生成対象ファイル名を入力してください。
inline constexpr int kChooseSource = 511;        // 生成対象ファイルを選択してください。
inline constexpr int kListNotSaved = 512;        // 一括生成ファイルリストは保存されていません。
inline constexpr int kErrorFileUnreadable = 514; // 生成エラーファイルオープンエラー(%s)
inline constexpr int kLogUnwritable = 515;       // 一括生成エラーファイルオープンエラー(%s)
inline constexpr int kEnterListName = 517;       // 一括生成リストファイル名を入力してください。
inline constexpr int kCurrentSource = 518;       // 現在選択中のファイルは一括生成できません。
inline constexpr int kSaveList = 519;            // 一括生成ファイルリストを保存してください。
inline constexpr int kLinesLeftOut = 601;        // 最大行数を超えるソース行は表示されません。
inline constexpr int kSearching = 602;           // 検索中です。
inline constexpr int kFirstPage = 603;           // 先頭関数表示中です。
inline constexpr int kLastPage = 604;            // 最終関数表示中です。
inline constexpr int kShowingPage = 609;         // 関数仕様書を表示中です。
inline constexpr int kChooseFunction = 612;      // 関数を選択してください。
inline constexpr int kNotFound = 715;            // 検索文字列が見つかりません。
inline constexpr int kEnterText = 719;           // 検索文字列を入力してください。
inline constexpr int kEnvironmentSaved = 722;    // 環境パラメタを登録しました。
inline constexpr int kLineCut = 724;             // ソースの桁数が制限を超えています。
inline constexpr int kSaved = 725;               // ファイル(%s)を保存しました。
inline constexpr int kLayoutMade = 728;          // 仕様書レイアウトファイル %s が生成されました。
inline constexpr int kLayoutHowTo = 729;         // このレイアウトファイルを有効にするには %s を…
inline constexpr int kInterrupted = 802;         // %sは中断されました。
inline constexpr int kParameterTwice = 804;      // このパラメタの複数指定は無効です。
inline constexpr int kStraightOnly = 805;        // 領域を正しく指定してください（垂直または水平方向のみ）。
inline constexpr int kEraseAllLines = 806;       // 罫線は全て消去されます。
inline constexpr int kEraseAllText = 807;        // 文字列は全て消去されます。
inline constexpr int kRunIt = 808;               // %sを実行しますか？
inline constexpr int kOutsideForm = 809;         // 指定位置が有効範囲を超えています。
}  // namespace nx_message
