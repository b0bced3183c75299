#include "common/shell/recent_files.h"

#include <algorithm>

#include "common/text/text_helpers.h"

int recent_file_slots(const SettingsRecord& record) {
    const SettingsProfile* profile = record.profile();
    if (!profile || !profile->recent_files) return 0;
    return profile->recent_files->slots;
}

int recent_file_count(const SettingsRecord& record) {
    const SettingsProfile* profile = record.profile();
    if (!profile || !profile->recent_count) return 0;
    return std::clamp(record.word(*profile->recent_count), 0, recent_file_slots(record));
}

std::string recent_file(const SettingsRecord& record, int index) {
    if (index < 0 || index >= recent_file_count(record)) return {};
    return record.text(*record.profile()->recent_files, index);
}

std::vector<std::string> recent_file_names(const SettingsRecord& record) {
    std::vector<std::string> names;
    const int count = recent_file_count(record);
    for (int i = 0; i < count; ++i) names.push_back(recent_file(record, i));
    return names;
}

int add_recent_file_entry(SettingsRecord& record, std::string& name) {
    const int slots = recent_file_slots(record);
    if (slots == 0) return kRecentRefused;
    const SettingsField& field = *record.profile()->recent_files;
    const size_t zero = name.find('\0');
    if (zero != std::string::npos) name.resize(zero);
    to_lower_ascii(name);
    if (name.empty() || static_cast<int>(name.size()) > field.width / slots - 1) return kRecentRefused;

    std::vector<std::string> kept;
    for (const std::string& entry : recent_file_names(record)) {
        if (entry != name) kept.push_back(entry);
    }
    if (static_cast<int>(kept.size()) >= slots) kept.resize(slots - 1);
    kept.insert(kept.begin(), name);
    for (int i = 0; i < slots; ++i) {
        // Slots past the list are cleared, so the file holds no name that
        // the list does not show.
        record.set_text(field, i < static_cast<int>(kept.size()) ? std::string_view(kept[i]) : std::string_view(), i);
    }
    record.set_word(*record.profile()->recent_count, static_cast<int>(kept.size()));
    return kRecentAdded;
}

int add_recent_file(SettingsRecord& record, std::string& name, std::string_view directory, int* write_result) {
    const int result = add_recent_file_entry(record, name);
    if (result != kRecentAdded) return result;
    const int written = write_settings_file(record, directory);
    if (write_result) *write_result = written;
    return kRecentAdded;
}
