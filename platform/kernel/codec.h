// Shift-JIS (code page 932) and UTF-8: the one converter of the platform,
// for drawn texts, scripts and logs, and the names of files on the disk.
#pragma once

#include <string>
#include <string_view>

namespace platform_codec {

// Bytes that do not convert become "?".
std::string cp932_to_utf8(std::string_view text);
std::string utf8_to_cp932(std::string_view text);

// The whole text or nothing: false when any byte sequence does not convert.
bool exact_cp932_to_utf8(std::string_view text, std::string& out);
bool exact_utf8_to_cp932(std::string_view text, std::string& out);

}  // namespace platform_codec
