// The window layer's names for the platform's one converter.
#pragma once

#include "platform/kernel/codec.h"

namespace platform_user {

using platform_codec::cp932_to_utf8;
using platform_codec::utf8_to_cp932;

}  // namespace platform_user
