#include "common/shell/colour_set.h"

namespace {

bool is_colour_in(const SettingsRecord& record, const SettingsField& item) {
    return item.kind == SettingsFieldKind::Colour && item.offset + 3 <= static_cast<int>(record.bytes().size());
}

}  // namespace

Rgb read_colour(const SettingsRecord& record, const SettingsField& item) {
    if (!is_colour_in(record, item)) return {};
    const auto b = record.bytes();
    return {b[item.offset], b[item.offset + 1], b[item.offset + 2]};
}

COLORREF read_colour_ref(const SettingsRecord& record, const SettingsField& item) {
    return colour_ref(read_colour(record, item));
}

void write_colour(SettingsRecord& record, const SettingsField& item, Rgb colour) {
    if (!is_colour_in(record, item)) return;
    auto b = record.bytes();
    b[item.offset] = colour.red;
    b[item.offset + 1] = colour.green;
    b[item.offset + 2] = colour.blue;
}

Rgb standard_colour(const SettingsField& item) {
    return {static_cast<uint8_t>(item.standard[0]), static_cast<uint8_t>(item.standard[1]),
            static_cast<uint8_t>(item.standard[2])};
}

std::vector<const SettingsField*> colour_items(const SettingsProfile& profile) {
    std::vector<const SettingsField*> items;
    for (const SettingsField& f : profile.fields) {
        if (f.kind == SettingsFieldKind::Colour) items.push_back(&f);
    }
    return items;
}

void reset_standard_colours(SettingsRecord& record) {
    if (!record.profile()) return;
    for (const SettingsField* item : colour_items(*record.profile())) write_colour(record, *item, standard_colour(*item));
}
