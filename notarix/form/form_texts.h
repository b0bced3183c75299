// Fixed texts of the form grid and the layout generator, as the Shift-JIS
// bytes they are shown or written in. Each comment shows the text in
// readable form.
#pragma once

namespace form_text {

// 【 関数仕様書ﾌｫｰﾑ編集 】
inline constexpr char kEditorCaption[] = "\x81y \x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\xCC\xAB\xB0\xD1\x95\xD2\x8FW \x81z";

// 関数仕様書の行数が制限を超えています。
inline constexpr char kMsgTooManyLines[] =
    "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x8Ds\x90\x94\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";
// 関数仕様書の桁数が制限を超えています。
inline constexpr char kMsgTooManyColumns[] =
    "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x8C\x85\x90\x94\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B";

// Progress texts of the generator.
// "      入力読み込み"
inline constexpr char kProgressReading[] = "      \x93\xFC\x97\xCD\x93\xC7\x82\xDD\x8D\x9E\x82\xDD";
// "      文字出力"
inline constexpr char kProgressTexts[] = "      \x95\xB6\x8E\x9A\x8Fo\x97\xCD";
// "入力 <%s> がありません。\n"
inline constexpr char kProgressNoInput[] = "\x93\xFC\x97\xCD <%s> \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B\n";
// "出力 <%s> が書けません。\n"
inline constexpr char kProgressCannotWrite[] = "\x8Fo\x97\xCD <%s> \x82\xAA\x8F\x91\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81" "B\n";

// The size marker of double-size characters, ￡.
inline constexpr unsigned char kSizeMarker[2] = {0x81, 0x92};
// The full-width blank, 　.
inline constexpr unsigned char kWideBlank[2] = {0x81, 0x40};

}  // namespace form_text
