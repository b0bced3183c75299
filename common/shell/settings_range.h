// A settings word held to its field's range: a value written by another tool
// or an older version never reaches a layout or a page out of range.
#pragma once

#include "common/shell/settings_file.h"

// A field without a range gives its word as it is.
int settings_word_in_range(const SettingsRecord& record, const SettingsField& field, int slot = 0);
