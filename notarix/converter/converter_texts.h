// Fixed texts of the converter nx1011s, as the Shift-JIS bytes written to
// its files. Each comment shows the text in readable form.
#pragma once

namespace fspec {

// 処理を中断しました。
inline constexpr char kMsgCancelled[] = "\x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// 関数仕様書の大きさが制限を超えています。
inline constexpr char kMsgSpecTooLarge[] =
    "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x91\xE5\x82\xAB\x82\xB3\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";

// Labels of the summary lines.
// 関数名　　: 
inline constexpr char kLabelName[] = "\x8A\xD6\x90\x94\x96\xBC\x81@\x81@: ";

struct SummaryLabel {
    const char* tag;
    const char* label;
};

inline constexpr SummaryLabel kSummaryLabels[] = {
    {"TAG:", "\x8A\xD6\x90\x94\x83\x5C\x81[\x83X: "},              // 関数ソース: 
    {"FUN:", "\x8B@\x94\x5C\x81@\x81@\x81@: "},                     // 機能　　　: 
    {"FHD:", "\x8A\xD6\x90\x94\x92\xE8\x8B`\x81@: "},               // 関数定義　: 
    {"FPM:", "\x88\xF8\x90\x94\x92\xE8\x8B`\x81@: "},               // 引数定義　: 
    {"PRC:", "\x8F\x88\x97\x9D\x93\xE0\x97" "e\x81@: "},            // 処理内容　: 
    {"INP:", "\x93\xFC\x97\xCD\x81@\x81@\x81@: "},                  // 入力　　　: 
    {"EIN:", "\x93\xFC\x97\xCD(\x8AO\x95\x94): "},                  // 入力(外部): 
    {"OUT:", "\x8Fo\x97\xCD\x81@\x81@\x81@: "},                     // 出力　　　: 
    {"EOT:", "\x8Fo\x97\xCD(\x8AO\x95\x94): "},                     // 出力(外部): 
    {"UPD:", "\x93\xFC\x8Fo\x97\xCD\x81@\x81@: "},                  // 入出力　　: 
    {"EUP:", "\x93\xFC\x8Fo\x97\xCD(\x8AO): "},                     // 入出力(外): 
    {"RET:", "\x96\xDF\x82\xE8\x92l\x81@\x81@: "},                  // 戻り値　　: 
    {"PRO:", "\x8D\xEC\x90\xAC\x81@\x81@\x81@: "},                  // 作成　　　: 
    {"DAT:", "\x93\xFA\x95t\x81@\x81@\x81@: "},                     // 日付　　　: 
    {"INC:", "\x8Eg\x97p\x83w\x83" "b\x83_: "},                     // 使用ヘッダ: 
    {"CAL:", "\x8Eg\x97p\x8A\xD6\x90\x94\x81@: "},                  // 使用関数　: 
    {"FIL:", "\x83t\x83@\x83" "C\x83\x8B\x81@: "},                  // ファイル　: 
    {"REM:", "\x94\xF5\x8Dl\x81@\x81@\x81@: "},                     // 備考　　　: 
    {"===:", "\x81@\x81@\x81@\x81@\x81@: "},                        // 　　　　　: 
};

}  // namespace fspec
