// GRAVLET's settings file "gx1000s.prm": 3424 bytes, packed, words
// little-endian, texts zero-terminated and padded. Also the registry key of
// its window placements and the ids of its recent-file menu items.
#pragma once

#include <span>

#include "common/shell/settings_file.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window_placement.h"

inline constexpr int kGravletSettingsSize = 3424;

// ORDER FILE LAYOUT: one row per field or reserved gap, in the order of the
// bytes of the file. settings_layout_is_contiguous() (asserted below) checks
// that each row starts where the one before it ends and that the last ends at
// 3424. Standard values are those of the shipped file.
inline constexpr SettingsField kGravletSettingsFields[] = {
    tag_field("signature", 0, 2, "GE"),
    tag_field("version", 2, 4, "1.00"),
    text_field("last_document_name", 6, 80),
    text_field("last_source_name", 86, 86),
    word_field("line_numbers", 172, 1, 0, 1),
    reserved_bytes(174, 102),
    word_field("link_mode", 276, 1, 0, 1),
    word_field("view_word_a", 278),
    word_field("tab_width", 280, 4, 0, 32),
    reserved_bytes(282, 90),
    word_field("screen_level_width", 372, 16, 8, 32),
    word_field("view_word_b", 374),
    index_field("declaration_form", 376, 0, 0, 2),
    text_field("generation_options", 378, 32),
    index_field("generation_form", 410, 0, 0, 4),
    word_field("pad_characters", 412, 80, 1, 80),
    word_field("last_generation_status", 414),
    reserved_bytes(416, 128),
    index_field("include_use", 544, 0, 0, 3),
    word_field("generation_nest_level", 546, 20, 2, 20),
    reserved_bytes(548, 2),
    text_field("editor_path", 550, 128),
    word_field("printer_kind", 678, 1),
    index_field("orientation", 680, 0, 0, 1),
    word_field("print_first_page_number", 682, 1, 1, 1000),
    reserved_bytes(684, 4),
    word_field("print_limit_lines", 688, 1, 1, 999),
    word_field("print_level_width", 690, 16, 8, 32),
    reserved_bytes(692, 2),
    text_field("print_header_base", 694, 64),
    word_field("cover_on_full_print", 758, 0, 0, 1),
    word_field("print_first_function", 760, 1, 1, 1000),
    word_field("print_last_function", 762, 1000, 1, 1000),
    text_field("source_print_file", 764, 64),
    word_field("postscript_page_option", 828),
    reserved_bytes(830, 256),
    word_field("print_outer_frame", 1086, 1, 0, 1),
    word_pair_field("print_top_margin", 1088, 4, 1, 0, 6),
    reserved_bytes(1092, 8),
    word_pair_field("print_left_margin", 1100, 0, 10, 0, 20),
    reserved_bytes(1104, 8),
    word_pair_field("print_chars_per_line", 1112, 198, 126, 60, 198),
    reserved_bytes(1116, 8),
    word_pair_field("print_lines_per_page", 1124, 69, 100, 30, 120),
    reserved_bytes(1128, 8),
    word_field("output_first_function", 1136, 1, 1, 1000),
    word_field("output_last_function", 1138, 1000, 1, 1000),
    word_field("output_level_width", 1140, 16, 8, 32),
    word_field("output_top_margin", 1142, 0, 0, 6),
    word_field("output_left_margin", 1144, 0, 0, 20),
    index_field("output_code_set", 1146, 0, 0, 1),
    colour_field("colour_pad_lines", 1148, 0, 0, 0),
    colour_field("colour_pad_background", 1151, 255, 251, 240),
    colour_field("colour_pad_text", 1154, 0, 0, 192),
    colour_field("colour_line_numbers", 1157, 192, 0, 0),
    colour_field("colour_source_text", 1160, 0, 0, 0),
    colour_field("colour_source_background", 1163, 192, 192, 192),
    reserved_bytes(1166, 642),
    index_field("macro_expansion", 1808, 0, 0, 3),
    index_field("case_pass_form", 1810, 0, 0, 1),
    text_field("output_header_file", 1812, 64),
    index_field("special_comments", 1876, 0, 0, 2),
    text_field("include_folders", 1878, 256),
    index_field("recent_count", 2134, 0, 0, 5),
    text_slots_field("recent_files", 2136, 5, 256),
    reserved_bytes(3416, 8),
};
static_assert(settings_layout_is_contiguous(kGravletSettingsFields, kGravletSettingsSize),
              "the settings fields must cover the 3424 bytes of gx1000s.prm in order");

namespace gx_settings {
constexpr const SettingsField& field(std::string_view name) {
    return find_settings_field(kGravletSettingsFields, name);
}
inline constexpr const SettingsField& kSignature = field("signature");
inline constexpr const SettingsField& kVersion = field("version");
inline constexpr const SettingsField& kLastDocumentName = field("last_document_name");
inline constexpr const SettingsField& kLastSourceName = field("last_source_name");
inline constexpr const SettingsField& kLineNumbers = field("line_numbers");
inline constexpr const SettingsField& kLinkMode = field("link_mode");
inline constexpr const SettingsField& kViewWordA = field("view_word_a");
inline constexpr const SettingsField& kTabWidth = field("tab_width");
inline constexpr const SettingsField& kScreenLevelWidth = field("screen_level_width");
inline constexpr const SettingsField& kViewWordB = field("view_word_b");
inline constexpr const SettingsField& kDeclarationForm = field("declaration_form");
inline constexpr const SettingsField& kGenerationOptions = field("generation_options");
inline constexpr const SettingsField& kGenerationForm = field("generation_form");
inline constexpr const SettingsField& kPadCharacters = field("pad_characters");
inline constexpr const SettingsField& kLastGenerationStatus = field("last_generation_status");
inline constexpr const SettingsField& kIncludeUse = field("include_use");
inline constexpr const SettingsField& kGenerationNestLevel = field("generation_nest_level");
inline constexpr const SettingsField& kEditorPath = field("editor_path");
inline constexpr const SettingsField& kPrinterKind = field("printer_kind");
inline constexpr const SettingsField& kOrientation = field("orientation");
inline constexpr const SettingsField& kPrintFirstPageNumber = field("print_first_page_number");
inline constexpr const SettingsField& kPrintLimitLines = field("print_limit_lines");
inline constexpr const SettingsField& kPrintLevelWidth = field("print_level_width");
inline constexpr const SettingsField& kPrintHeaderBase = field("print_header_base");
inline constexpr const SettingsField& kCoverOnFullPrint = field("cover_on_full_print");
inline constexpr const SettingsField& kPrintFirstFunction = field("print_first_function");
inline constexpr const SettingsField& kPrintLastFunction = field("print_last_function");
inline constexpr const SettingsField& kSourcePrintFile = field("source_print_file");
inline constexpr const SettingsField& kPostScriptPageOption = field("postscript_page_option");
inline constexpr const SettingsField& kPrintOuterFrame = field("print_outer_frame");
inline constexpr const SettingsField& kPrintTopMargin = field("print_top_margin");
inline constexpr const SettingsField& kPrintLeftMargin = field("print_left_margin");
inline constexpr const SettingsField& kPrintCharsPerLine = field("print_chars_per_line");
inline constexpr const SettingsField& kPrintLinesPerPage = field("print_lines_per_page");
inline constexpr const SettingsField& kOutputFirstFunction = field("output_first_function");
inline constexpr const SettingsField& kOutputLastFunction = field("output_last_function");
inline constexpr const SettingsField& kOutputLevelWidth = field("output_level_width");
inline constexpr const SettingsField& kOutputTopMargin = field("output_top_margin");
inline constexpr const SettingsField& kOutputLeftMargin = field("output_left_margin");
inline constexpr const SettingsField& kOutputCodeSet = field("output_code_set");
inline constexpr const SettingsField& kColourPadLines = field("colour_pad_lines");
inline constexpr const SettingsField& kColourPadBackground = field("colour_pad_background");
inline constexpr const SettingsField& kColourPadText = field("colour_pad_text");
inline constexpr const SettingsField& kColourLineNumbers = field("colour_line_numbers");
inline constexpr const SettingsField& kColourSourceText = field("colour_source_text");
inline constexpr const SettingsField& kColourSourceBackground = field("colour_source_background");
inline constexpr const SettingsField& kMacroExpansion = field("macro_expansion");
inline constexpr const SettingsField& kCasePassForm = field("case_pass_form");
inline constexpr const SettingsField& kOutputHeaderFile = field("output_header_file");
inline constexpr const SettingsField& kSpecialComments = field("special_comments");
inline constexpr const SettingsField& kIncludeFolders = field("include_folders");
inline constexpr const SettingsField& kRecentCount = field("recent_count");
inline constexpr const SettingsField& kRecentFiles = field("recent_files");
}  // namespace gx_settings

// The settings file, its placements in the registry and its recent-file items.
extern const SettingsProfile kGravletSettings;
inline constexpr PlacementProfile kGravletPlacement = {"Software\\KRT Gravlet95"};
inline constexpr RecentMenuProfile kGravletRecentMenu = {4108, 4109};

// The print settings' characters per line for the record's paper orientation:
// the wrap limit of the PAD layout.
int gravlet_chars_per_line(const SettingsRecord& record);
