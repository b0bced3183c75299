#include "gravlet/pad/settings_layout.h"

const SettingsProfile kGravletSettings = {
    "gx1000s.prm",
    "gx1000s.$pr",
    kGravletSettingsSize,
    kGravletSettingsFields,
    &gx_settings::kSignature,
    &gx_settings::kVersion,
    &gx_settings::kPrinterKind,
    &gx_settings::kRecentCount,
    &gx_settings::kRecentFiles,
    kMessageSettingsNotSaved,
};

int gravlet_chars_per_line(const SettingsRecord& record) {
    const int orientation = record.word(gx_settings::kOrientation) == 1 ? 1 : 0;
    return record.word(gx_settings::kPrintCharsPerLine, orientation);
}
