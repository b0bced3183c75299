#include "notarix/viewer/settings_layout.h"

const SettingsProfile kNotarixSettings = {
    "nx1000s.prm",
    "nx1000s.$pr",
    kNotarixSettingsSize,
    kNotarixSettingsFields,
    &nx_settings::kSignature,
    &nx_settings::kVersion,
    &nx_settings::kPrinterKind,
    &nx_settings::kRecentCount,
    &nx_settings::kRecentFiles,
    kMessageSettingsNotSaved,
};

int notarix_standard_print_value(const SettingsField& field, int orientation) {
    if (field.kind != SettingsFieldKind::WordPair || orientation < 0 || orientation > 1) return 0;
    return field.standard[orientation];
}
