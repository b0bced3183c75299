// State of one formatter run, gathered so that every run starts clean.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "notarix/formatter/field_form.h"

class LineReader;
class LinWriter;

// The common texts that the .css gives every page, in field order.
enum CommonText : int { kCommonSystem, kCommonOs, kCommonLanguage, kCommonFooter, kCommonCount };

// The formatter's memory block: the REM and FIL lines of one function wait
// here, in 256-byte slots, until the function's end.
inline constexpr int kDeferredSlots = 82;
inline constexpr int kDeferredSlotSize = 256;
inline constexpr int kFormatterBlockSize = kDeferredSlots * kDeferredSlotSize;  // 20992

struct FormatterState {
    // options
    std::string error_path;          // log of cut texts ("" none)
    int source_form = 1;             // 1..5
    int debug_level = 0;

    // the form as read, and the rows of the current page
    FieldForm loaded_form;
    std::string loaded_form_path;
    bool form_loaded = false;
    FieldForm form;
    size_t kind_next = 0;            // next single-row $PT entry
    size_t name_next = 0;            // next single-row $PN entry

    // the current base name and function
    std::string log_file_name;       // base name without directory
    std::string progress_item;
    int fss_lines = 0;
    int records_read = 0;
    std::string function_name;

    std::array<std::string, kCommonCount> common_text;
    std::array<bool, kCommonCount> common_set{};

    std::unique_ptr<char[]> block;   // kDeferredSlots slots
    int deferred_count = 0;

    bool cut_in_run = false;         // gives status 8
    bool log_header_written = false; // per conversion
};

FormatterState& formatter_state();
void reset_formatter_state();

// Converts one record file into the open document: 0, or -1 when the
// document could not be written. With `kept`, the lines converted (plain,
// up to the end record) are added to it, for convert_kept_lines.
int convert_fss_to_lin(LineReader& records, LinWriter& lin, std::vector<std::string>* kept = nullptr);
int convert_kept_lines(const std::vector<std::string>& lines, LinWriter& lin);

// Appends one line about a cut text to the log (nothing when there is no log
// or it cannot be opened) and marks the run as having cut a text.
void log_truncated_field(std::string_view function_name, std::string_view text, std::string_view tag);
