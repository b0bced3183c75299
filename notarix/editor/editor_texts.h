// Fixed texts of the form editor, as the Shift-JIS bytes they are shown
// in. Each comment shows the text readably.
#pragma once

namespace editor_text {

// 関数仕様書ﾌｫｰﾑ編集 (the window title)
inline constexpr char kTitle[] = "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\xCC\xAB\xB0\xD1\x95\xD2\x8FW";
// 関数仕様書フォーム編集 (the close button's question)
inline constexpr char kEditorName[] = "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x83t\x83H\x81[\x83\x80\x95\xD2\x8FW";
// 【 仕様書レイアウトファイル生成 】
inline constexpr char kGenerationCaption[] =
    "\x81y \x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x90\xB6\x90\xAC \x81z";
// 【 仕様書レイアウトファイル生成エラー表示 】
inline constexpr char kErrorsCaption[] =
    "\x81y \x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x90\xB6\x90\xAC\x83G"
    "\x83\x89\x81[\x95\x5C\x8E\xA6 \x81z";
// 【 パラメタファイル保存 】
inline constexpr char kSaveSettingsCaption[] =
    "\x81y \x83p\x83\x89\x83\x81\x83^\x83t\x83@\x83" "C\x83\x8B\x95\xDB\x91\xB6 \x81z";
// パラメタ名［%s］
inline constexpr char kParameterName[] = "\x83p\x83\x89\x83\x81\x83^\x96\xBC\x81m%s\x81n";
// 文字列全消去, 全消去, 罫線全消去: what the erase-all questions name
inline constexpr char kEraseAllText[] = "\x95\xB6\x8E\x9A\x97\xF1\x91S\x8F\xC1\x8B\x8E";
inline constexpr char kEraseAll[] = "\x91S\x8F\xC1\x8B\x8E";
inline constexpr char kEraseAllLines[] = "\x8Cr\x90\xFC\x91S\x8F\xC1\x8B\x8E";
// 仕様書レイアウトファイル生成 (the meter's title)
inline constexpr char kMeterTitle[] =
    "\x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x90\xB6\x90\xAC";
// レイアウトファイルを (the meter's first line, before message 401)
inline constexpr char kMeterLineStart[] = "\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x82\xF0";
// 仕様書レイアウトファイル生成処理 (what was cancelled)
inline constexpr char kGenerationRun[] =
    "\x8E" "d\x97l\x8F\x91\x83\x8C\x83" "C\x83" "A\x83" "E\x83g\x83t\x83@\x83" "C\x83\x8B\x90\xB6\x90\xAC\x8F\x88\x97\x9D";
// ﾌｫｰﾑ(*.frm): the open and save dialogs' filter
inline constexpr char kFormFilter[] = "\xCC\xAB\xB0\xD1(*.frm)\0*.frm\0";

// The error file of a layout generation, in the program directory.
inline constexpr char kErrorFile[] = "nx1000.erf";

}  // namespace editor_text
