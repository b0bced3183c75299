// NOTARIX's settings file "nx1000s.prm": 3751 bytes, packed, words
// little-endian, texts zero-terminated and padded. Also the registry key of
// its window placements and the ids of its recent-file menu items.
#pragma once

#include <span>

#include "common/shell/settings_file.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window_placement.h"

inline constexpr int kNotarixSettingsSize = 3751;

// ORDER FILE LAYOUT: one row per field or reserved gap, in the order of the
// bytes of the file. settings_layout_is_contiguous() (asserted below) checks
// that each row starts where the one before it ends and that the last ends at
// 3751, so a row added, removed or resized without its neighbours stops the
// build. Standard values are those of the shipped file.
inline constexpr SettingsField kNotarixSettingsFields[] = {
    tag_field("signature", 0, 2, "NE"),
    tag_field("version", 2, 4, "1.00"),
    text_field("last_document_name", 6, 64),
    text_field("last_source_name", 70, 66),
    word_field("view_option_a", 136),
    reserved_bytes(138, 106),
    word_field("tab_width", 244, 8, 0, 32),
    reserved_bytes(246, 90),
    text_field("editor_path", 336, 130),
    word_field("linked_mode_at_open", 466, 1, 0, 1),
    word_field("view_option_b", 468),
    word_field("view_option_c", 470),
    word_field("view_option_d", 472),
    reserved_bytes(474, 2),
    text_field("generation_options", 476, 32),
    index_field("source_info_form", 508, 2, 0, 4),
    reserved_bytes(510, 2),
    word_field("last_generation_status", 512),
    reserved_bytes(514, 128),
    index_field("include_use", 642, 0, 0, 3),
    reserved_bytes(644, 4),
    text_field("common_info_file", 648, 64, "nx1000.css"),
    text_field("layout_file", 712, 256),
    reserved_bytes(968, 208),
    word_field("printer_kind", 1176, 1),
    index_field("orientation", 1178, 1, 0, 1),
    reserved_bytes(1180, 10),
    text_field("print_header_base", 1190, 64),
    word_field("cover_on_full_print", 1254, 0, 0, 1),
    reserved_bytes(1256, 8),
    word_field("print_first_function", 1264, 1, 1, 1000),
    word_field("print_last_function", 1266, 1000, 1, 1000),
    text_field("source_print_file", 1268, 64),
    word_field("print_first_page_number", 1332, 1, 1, 1000),
    reserved_bytes(1334, 338),
    word_field("print_outer_frame", 1672, 1, 0, 1),
    word_pair_field("print_top_margin", 1674, 4, 1, 0, 6),
    reserved_bytes(1678, 8),
    word_pair_field("print_left_margin", 1686, 0, 10, 0, 20),
    reserved_bytes(1690, 8),
    word_pair_field("print_chars_per_line", 1698, 198, 126, 60, 198),
    reserved_bytes(1702, 8),
    word_pair_field("print_lines_per_page", 1710, 69, 100, 30, 120),
    reserved_bytes(1714, 8),
    index_field("text_code_set", 1722, 0, 0, 1),
    word_field("text_first_function", 1724, 1, 1, 1000),
    word_field("text_last_function", 1726, 1000, 1, 1000),
    reserved_bytes(1728, 2),
    word_field("text_top_margin", 1730, 0, 0, 6),
    word_field("text_left_margin", 1732, 0, 0, 20),
    colour_field("colour_form_lines", 1734, 0, 0, 0),
    colour_field("colour_page_background", 1737, 255, 251, 240),
    index_field("form_code_set", 1740, 0, 0, 1),
    colour_field("colour_source_text", 1742, 0, 0, 0),
    colour_field("colour_source_background", 1745, 192, 192, 192),
    colour_field("colour_page_text", 1748, 0, 0, 192),
    reserved_bytes(1751, 642),
    index_field("macro_expansion", 2393, 0, 0, 3),
    index_field("declaration_form", 2395, 0, 0, 1),
    text_field("text_header_base", 2397, 64),
    word_field("text_first_page_number", 2461, 1, 1, 1000),
    index_field("recent_count", 2463, 0, 0, 5),
    text_slots_field("recent_files", 2465, 5, 256),
    reserved_bytes(3745, 6),
};
static_assert(settings_layout_is_contiguous(kNotarixSettingsFields, kNotarixSettingsSize),
              "the settings fields must cover the 3751 bytes of nx1000s.prm in order");

namespace nx_settings {
constexpr const SettingsField& field(std::string_view name) {
    return find_settings_field(kNotarixSettingsFields, name);
}
// The fields by the names the shell's parts use.
inline constexpr const SettingsField& kSignature = field("signature");
inline constexpr const SettingsField& kVersion = field("version");
inline constexpr const SettingsField& kLastDocumentName = field("last_document_name");
inline constexpr const SettingsField& kLastSourceName = field("last_source_name");
inline constexpr const SettingsField& kViewOptionA = field("view_option_a");
inline constexpr const SettingsField& kTabWidth = field("tab_width");
inline constexpr const SettingsField& kEditorPath = field("editor_path");
inline constexpr const SettingsField& kLinkedModeAtOpen = field("linked_mode_at_open");
inline constexpr const SettingsField& kViewOptionB = field("view_option_b");
inline constexpr const SettingsField& kViewOptionC = field("view_option_c");
inline constexpr const SettingsField& kViewOptionD = field("view_option_d");
inline constexpr const SettingsField& kGenerationOptions = field("generation_options");
inline constexpr const SettingsField& kSourceInfoForm = field("source_info_form");
inline constexpr const SettingsField& kLastGenerationStatus = field("last_generation_status");
inline constexpr const SettingsField& kIncludeUse = field("include_use");
inline constexpr const SettingsField& kCommonInfoFile = field("common_info_file");
inline constexpr const SettingsField& kLayoutFile = field("layout_file");
inline constexpr const SettingsField& kPrinterKind = field("printer_kind");
inline constexpr const SettingsField& kOrientation = field("orientation");
inline constexpr const SettingsField& kPrintHeaderBase = field("print_header_base");
inline constexpr const SettingsField& kCoverOnFullPrint = field("cover_on_full_print");
inline constexpr const SettingsField& kPrintFirstFunction = field("print_first_function");
inline constexpr const SettingsField& kPrintLastFunction = field("print_last_function");
inline constexpr const SettingsField& kSourcePrintFile = field("source_print_file");
inline constexpr const SettingsField& kPrintFirstPageNumber = field("print_first_page_number");
inline constexpr const SettingsField& kPrintOuterFrame = field("print_outer_frame");
inline constexpr const SettingsField& kPrintTopMargin = field("print_top_margin");
inline constexpr const SettingsField& kPrintLeftMargin = field("print_left_margin");
inline constexpr const SettingsField& kPrintCharsPerLine = field("print_chars_per_line");
inline constexpr const SettingsField& kPrintLinesPerPage = field("print_lines_per_page");
inline constexpr const SettingsField& kTextCodeSet = field("text_code_set");
inline constexpr const SettingsField& kTextFirstFunction = field("text_first_function");
inline constexpr const SettingsField& kTextLastFunction = field("text_last_function");
inline constexpr const SettingsField& kTextTopMargin = field("text_top_margin");
inline constexpr const SettingsField& kTextLeftMargin = field("text_left_margin");
inline constexpr const SettingsField& kColourFormLines = field("colour_form_lines");
inline constexpr const SettingsField& kColourPageBackground = field("colour_page_background");
inline constexpr const SettingsField& kFormCodeSet = field("form_code_set");
inline constexpr const SettingsField& kColourSourceText = field("colour_source_text");
inline constexpr const SettingsField& kColourSourceBackground = field("colour_source_background");
inline constexpr const SettingsField& kColourPageText = field("colour_page_text");
inline constexpr const SettingsField& kMacroExpansion = field("macro_expansion");
inline constexpr const SettingsField& kDeclarationForm = field("declaration_form");
inline constexpr const SettingsField& kTextHeaderBase = field("text_header_base");
inline constexpr const SettingsField& kTextFirstPageNumber = field("text_first_page_number");
inline constexpr const SettingsField& kRecentCount = field("recent_count");
inline constexpr const SettingsField& kRecentFiles = field("recent_files");
}  // namespace nx_settings

// The settings file, its placements in the registry and its recent-file items.
extern const SettingsProfile kNotarixSettings;
inline constexpr PlacementProfile kNotarixPlacement = {"Software\\KRT Notarix95"};
inline constexpr RecentMenuProfile kNotarixRecentMenu = {4101, 4102};

// The standard print values shown beside the print fields, by orientation
// (0 landscape, 1 portrait), from the layout's standard values.
int notarix_standard_print_value(const SettingsField& field, int orientation);
