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

