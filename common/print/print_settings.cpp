#include "common/print/print_settings.h"

#include <string_view>

#include "common/shell/settings_file.h"

namespace {

// The record's field of that name; null when its program has none.
const SettingsField* field_named(const SettingsRecord& record, std::string_view name) {
    if (record.profile() == nullptr) return nullptr;
    for (const SettingsField& f : record.profile()->fields) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

void take_word(const SettingsRecord& record, std::string_view name, int& value, int slot = 0) {
    if (const SettingsField* f = field_named(record, name)) value = record.word(*f, slot);
}

void take_flag(const SettingsRecord& record, std::string_view name, bool& value) {
    if (const SettingsField* f = field_named(record, name)) value = record.word(*f) == 1;
}

void take_text(const SettingsRecord& record, std::string_view name, std::string& value) {
    if (const SettingsField* f = field_named(record, name)) value = record.text(*f);
}

}  // namespace

PrintSettings read_print_settings(const SettingsRecord& r) {
    PrintSettings s;
    take_word(r, "printer_kind", s.printer_kind);
    take_word(r, "orientation", s.orientation);
    for (int o = 0; o < 2; ++o) {
        take_word(r, "print_top_margin", s.top_margin[o], o);
        take_word(r, "print_left_margin", s.left_margin[o], o);
        take_word(r, "print_chars_per_line", s.chars_per_line[o], o);
        take_word(r, "print_lines_per_page", s.lines_per_page[o], o);
    }
    take_word(r, "print_first_function", s.first_function);
    take_word(r, "print_last_function", s.last_function);
    take_word(r, "print_first_page_number", s.first_page_number);
    take_flag(r, "print_outer_frame", s.outer_frame);
    // ORBALINE names the same switch for its print-all
    take_flag(r, "cover_on_full_print", s.cover_on_full_print);
    take_flag(r, "cover_on_print_all", s.cover_on_full_print);
    take_word(r, "tab_width", s.tab_width);
    take_text(r, "print_header_base", s.header_base);
    take_text(r, "layout_file", s.layout_file);
    take_text(r, "source_print_file", s.source_print_file);
    take_word(r, "text_code_set", s.text_code_set);
    take_word(r, "text_first_function", s.text_first_function);
    take_word(r, "text_last_function", s.text_last_function);
    take_word(r, "text_top_margin", s.text_top_margin);
    take_word(r, "text_left_margin", s.text_left_margin);
    take_word(r, "text_first_page_number", s.text_first_page_number);
    take_text(r, "text_header_base", s.text_header_base);
    return s;
}
