// The print and text-output fields of a program's settings record, taken
// out once per job by the program that owns the record's layout. Values
// by paper orientation are indexed 0 (landscape) and 1 (portrait).
#pragma once

#include <string>

class SettingsRecord;

struct PrintSettings {
    int printer_kind = 1;
    int orientation = 0;
    int top_margin[2] = {0, 0};       // blank lines above a list page
    int left_margin[2] = {0, 0};      // columns
    int chars_per_line[2] = {0, 0};
    int lines_per_page[2] = {0, 0};
    int first_function = 1;           // the function print's range, 1-based
    int last_function = 1000;
    int first_page_number = 1;
    bool outer_frame = false;
    bool cover_on_full_print = false;
    int tab_width = 8;
    std::string header_base;          // the print header files' base name
    std::string layout_file;          // the page form (.lis); empty: the default form
    std::string source_print_file;

    // The text output's values.
    int text_code_set = 0;
    int text_first_function = 1;
    int text_last_function = 1000;
    int text_top_margin = 0;
    int text_left_margin = 0;
    int text_first_page_number = 1;
    std::string text_header_base;

    // The orientation as an index of the values above: 1 portrait, else 0.
    int side() const { return orientation == 1 ? 1 : 0; }
};

// The print fields of any program's settings record, found by their names
// in the record's layout; a field the program does not have keeps the value
// above.
PrintSettings read_print_settings(const SettingsRecord& record);
