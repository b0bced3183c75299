// NOTARIX's names for the entries of the message table, in number order;
// each comment is the entry's text. The viewer names a message by these,
// never by a number of its own.
#pragma once

namespace notarix_messages {

enum : int {
    kMessageBadValue = 0,              // 設定値に誤りがあります(%s)。
    kMessageFunctionOrder = 3,         // 終了関数番号(%d)に開始関数番号より小さい値が設定されています。
    kMessageNotSaved = 6,              // システムファイルが保存できません。
    kMessageOpenError = 100,           // ファイルオープンエラー
    kMessageFileName = 101,            // ファイル名（%s）
    kMessageFileMissing = 106,         // ファイルが見つかりません。
    kMessageShowing = 107,             // ソースリストを表示中です。
    kMessageLoading = 110,             // ソースリストを読み込み中です。
    kMessageOlderDocument = 112,       // 日付けの古い関数仕様書が存在します。
    kMessageChooseFile = 117,          // ファイルを選択してください。
    kMessageNoDocument = 118,          // 関数仕様書が見つかりません。
    kMessageNoEditor = 200,            // ［環境設定］でユーザ指定エディタ名を登録してください。
    kMessageProcessError = 202,        // プロセスエラー
    kMessageEditorFailed = 203,        // ユーザ指定エディタを起動できません。
    kMessagePrintManagerOnly = 306,    // 印刷パラメタ設定でプリンタ機種に プリントマネージャを選択してください。
    kMessageNoBatchList = 308,         // 一括生成リストファイル名を設定してください。
    kMessageErrors = 400,              // 生成エラー
    kMessageGenerating = 401,          // 生成中です。
    kMessageNoMemory = 402,            // メモリが足りません。
    kMessageSystemError = 403,         // システムエラー（%d）
    kMessageNestTooDeep = 404,         // ソースのネストが深すぎます。
    kMessageTooLarge = 405,            // ソースが大きすぎます。
    kMessageDone = 406,                // 生成を終了しました。
    kMessageWarnings = 408,            // 生成エラー（ウォーニング）
    kMessageShowWarnings = 409,        // ウォーニング内容を参照します。
    kMessageLayoutMissing = 413,       // 仕様書レイアウトファイルが見つかりません。
    kMessageNotCSource = 414,          // Ｃソースファイルではありません(%s)。
    kMessageDuplicate = 415,           // ファイル名が重複しています(%s)。
    kMessageRunGeneration = 504,       // 関数仕様書生成を実行してください。
    kMessageNoErrors = 505,            // 生成エラーは発生していません。
    kMessageSourceMissing = 509,       // 生成対象ファイルが見つかりません(%s)
    kMessageEnterSourceName = 510,     // 生成対象ファイル名を入力してください。
    kMessageChooseSource = 511,        // 生成対象ファイルを選択してください。
    kMessageListNotSaved = 512,        // 一括生成ファイルリストは保存されていません。
    kMessageErrorFileUnreadable = 514, // 生成エラーファイルオープンエラー(%s)
    kMessageLogUnwritable = 515,       // 一括生成エラーファイルオープンエラー(%s)
    kMessageEnterListName = 517,       // 一括生成リストファイル名を入力してください。
    kMessageCurrentSource = 518,       // 現在選択中のファイルは一括生成できません。
    kMessageSaveList = 519,            // 一括生成ファイルリストを保存してください。
    kMessageLinesLeftOut = 601,        // 最大行数を超えるソース行は表示されません。
    kMessageSearching = 602,           // 検索中です。
    kMessageFirstPage = 603,           // 先頭関数表示中です。
    kMessageLastPage = 604,            // 最終関数表示中です。
    kMessageShowingPage = 609,         // 関数仕様書を表示中です。
    kMessageChooseFunction = 612,      // 関数を選択してください。
    kMessageNotFound = 715,            // 検索文字列が見つかりません。
    kMessageEnterText = 719,           // 検索文字列を入力してください。
    kMessageEnvironmentSaved = 722,    // 環境パラメタを登録しました。
    kMessageLineCut = 724,             // ソースの桁数が制限を超えています。
    kMessageInterrupted = 802,         // %sは中断されました。
};

}  // namespace notarix_messages
