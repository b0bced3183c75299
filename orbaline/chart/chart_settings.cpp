#include "orbaline/chart/chart_settings.h"

#include <algorithm>

const SettingsProfile kOrbalineSettings = {
    "oq1000s.prm",
    "oq1000s.$pr",
    kOrbalineSettingsSize,
    kOrbalineSettingsFields,
    &oq_settings::kSignature,
    &oq_settings::kVersion,
    &oq_settings::kPrinterKind,
    &oq_settings::kRecentCount,
    &oq_settings::kRecentFiles,
    727,  // システムファイルが保存できません。
};

int settings_word_in_range(const SettingsRecord& record, const SettingsField& field, int slot) {
    const int value = record.word(field, slot);
    if (field.max < field.min) return value;
    return std::clamp(value, static_cast<int>(field.min), static_cast<int>(field.max));
}
