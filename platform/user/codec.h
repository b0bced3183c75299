// Shift-JIS (code page 932) and UTF-8, for the places where the window layer
// meets the outside: drawn captions, scripts and logs of the automation.
#pragma once

#include <string>
#include <string_view>

namespace platform_user {

// Bytes that do not convert become "?".
std::string cp932_to_utf8(std::string_view text);
std::string utf8_to_cp932(std::string_view text);

}  // namespace platform_user
