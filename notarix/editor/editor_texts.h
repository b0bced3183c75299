// Fixed texts of the form editor, as the Shift-JIS bytes they are shown
// in.
#pragma once

#include "platform/kernel/sjis_text.h"

namespace editor_text {

// The window title.
inline constexpr auto& kTitle = "関数仕様書ﾌｫｰﾑ編集"_sjis;
// What the close button's question names.
inline constexpr auto& kEditorName = "関数仕様書フォーム編集"_sjis;

inline constexpr auto& kGenerationCaption = "【 仕様書レイアウトファイル生成 】"_sjis;

inline constexpr auto& kErrorsCaption = "【 仕様書レイアウトファイル生成エラー表示 】"_sjis;

inline constexpr auto& kSaveSettingsCaption = "【 パラメタファイル保存 】"_sjis;

inline constexpr auto& kParameterName = "パラメタ名［%s］"_sjis;
// What the erase-all questions name.
inline constexpr auto& kEraseAllText = "文字列全消去"_sjis;
inline constexpr auto& kEraseAll = "全消去"_sjis;
inline constexpr auto& kEraseAllLines = "罫線全消去"_sjis;
// The meter's title.
inline constexpr auto& kMeterTitle = "仕様書レイアウトファイル生成"_sjis;
// The meter's first line, before message 401.
inline constexpr auto& kMeterLineStart = "レイアウトファイルを"_sjis;
// What was cancelled.
inline constexpr auto& kGenerationRun = "仕様書レイアウトファイル生成処理"_sjis;
// The open and save dialogs' filter.
inline constexpr auto& kFormFilter = "ﾌｫｰﾑ(*.frm)\0*.frm\0"_sjis;

// The error file of a layout generation, in the program directory.
inline constexpr char kErrorFile[] = "nx1000.erf";

}  // namespace editor_text
