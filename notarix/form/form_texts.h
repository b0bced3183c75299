// Fixed texts of the form grid and the layout generator, as the Shift-JIS
// bytes they are shown or written in.
#pragma once

#include "platform/kernel/sjis_text.h"

namespace form_text {


inline constexpr auto& kEditorCaption = "【 関数仕様書ﾌｫｰﾑ編集 】"_sjis;


inline constexpr auto& kMsgTooManyLines = "関数仕様書の行数が制限を超えています。"_sjis;

inline constexpr auto& kMsgTooManyColumns = "関数仕様書の桁数が制限を超えています。"_sjis;

// Progress texts of the generator.
// "      入力読み込み"
inline constexpr auto& kProgressReading = "      入力読み込み"_sjis;
// "      文字出力"
inline constexpr auto& kProgressTexts = "      文字出力"_sjis;
// "入力 <%s> がありません。\n"
inline constexpr auto& kProgressNoInput = "入力 <%s> がありません。\n"_sjis;
// "出力 <%s> が書けません。\n"
inline constexpr auto& kProgressCannotWrite = "出力 <%s> が書けません。\n"_sjis;

// The size marker of double-size characters, ￡.
inline constexpr unsigned char kSizeMarker[2] = {0x81, 0x92};
// The full-width blank, 　.
inline constexpr unsigned char kWideBlank[2] = {0x81, 0x40};

}  // namespace form_text
