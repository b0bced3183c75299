// ORBALINE's settings file "oq1000s.prm": 3951 bytes, packed, words
// little-endian (several at odd offsets), texts zero-terminated and padded.
// Also the registry key of its window placements and the ids of its
// recent-file menu items.
#pragma once

#include <string_view>

#include "common/shell/settings_file.h"
#include "common/shell/settings_range.h"
#include "common/shell/window/recent_menu.h"
#include "common/shell/window_placement.h"

inline constexpr int kOrbalineSettingsSize = 3951;

// ORDER FILE LAYOUT: one row per field or reserved gap, in the order of the
// bytes of the file. settings_layout_is_contiguous() (asserted below) checks
// that each row starts where the one before it ends and that the last ends at
// 3951. Standard values are those of the shipped file.
inline constexpr SettingsField kOrbalineSettingsFields[] = {
    tag_field("signature", 0, 2, "OE"),
    tag_field("version", 2, 4, "1.00"),
    text_field("last_chart", 6, 64),
    reserved_bytes(70, 66),
    word_field("link_mode", 136, 1, 0, 1),
    word_field("view_reserved_a", 138),
    word_field("row_numbers", 140, 1, 0, 1),
    reserved_bytes(142, 102),
    word_field("tab_width", 244, 4, 0, 32),
    reserved_bytes(246, 90),
    text_field("editor_path", 336, 128),
    word_field("printer_kind", 464, 1),
    index_field("orientation", 466, 0, 0, 1),
    word_pair_field("print_top_margin", 468, 4, 1, 0, 6),
    reserved_bytes(472, 8),
    word_pair_field("print_left_margin", 480, 0, 10, 0, 20),
    reserved_bytes(484, 8),
    word_pair_field("print_chars_per_line", 492, 198, 126, 60, 198),
    reserved_bytes(496, 8),
    word_pair_field("print_lines_per_page", 504, 69, 100, 30, 120),
    reserved_bytes(508, 8),
    word_field("print_first_page", 516, 1, 1, 999),
    word_field("print_last_page", 518, 999, 1, 999),
    reserved_bytes(520, 2),
    word_field("print_box_width", 522, 8, 8, 32),
    word_field("box_width", 524, 8, 8, 32),
    word_field("view_reserved_b", 526),
    reserved_bytes(528, 2),
    text_field("generation_options", 530, 32),
    word_field("undefined_blocks", 562, 1, 0, 1),
    word_field("block_characters", 564, 20, 1, 80),
    word_field("last_generation_status", 566),
    reserved_bytes(568, 2),
    text_field("print_header_base", 570, 64),
    word_field("cover_on_print_all", 634, 0, 0, 1),
    reserved_bytes(636, 134),
    word_field("print_box_lines", 770, 1, 1, 5),
    word_field("box_lines", 772, 1, 1, 5),
    word_field("confirm_edits", 774, 1, 0, 1),
    reserved_bytes(776, 2),
    text_field("ignore_file", 778, 80),
    index_field("include_use", 858, 1, 0, 3),
    text_field("source_print_file", 860, 114),
    word_field("nest_level", 974, 10, 2, 64),
    word_field("print_first_page_number", 976, 1, 1, 999),
    word_field("print_file_and_line", 978, 1, 0, 1),
    reserved_bytes(980, 400),
    word_field("chart_print_option_a", 1380),
    reserved_bytes(1382, 256),
    word_field("print_outer_frame", 1638, 1, 0, 1),
    word_field("print_block_numbers", 1640, 0, 0, 1),
    index_field("output_code", 1642, 0, 0, 1),
    reserved_bytes(1644, 4),
    word_field("output_box_width", 1648, 8, 8, 32),
    word_field("output_box_lines", 1650, 1, 1, 5),
    word_field("output_top_margin", 1652, 0, 0, 6),
    word_field("output_left_margin", 1654, 0, 0, 20),
    word_field("output_file_and_line", 1656, 1, 0, 1),
    word_field("output_block_numbers", 1658, 0, 0, 1),
    colour_field("colour_chart_lines", 1660, 0, 0, 0),
    colour_field("colour_chart_background", 1663, 255, 251, 240),
    colour_field("colour_row_numbers", 1666, 192, 0, 0),
    word_field("print_reference_numbers", 1669, 1, 0, 1),
    word_field("output_reference_numbers", 1671, 1, 0, 1),
    colour_field("colour_source_text", 1673, 0, 0, 0),
    colour_field("colour_source_background", 1676, 192, 192, 192),
    reserved_bytes(1679, 642),
    index_field("macro_expansion", 2321, 1, 0, 3),
    word_field("show_reused_functions", 2323, 1, 0, 1),
    word_field("pointer_calls", 2325, 0, 0, 1),
    text_field("output_header_file", 2327, 64),
    word_field("chart_print_option_b", 2391),
    text_field("include_folders", 2393, 256),
    reserved_bytes(2649, 9),
    colour_field("colour_chart_text", 2658, 0, 0, 192),
    index_field("recent_count", 2661, 0, 0, 5),
    text_slots_field("recent_files", 2663, 5, 256),
    reserved_bytes(3943, 8),
};
static_assert(settings_layout_is_contiguous(kOrbalineSettingsFields, kOrbalineSettingsSize),
              "the settings fields must cover the 3951 bytes of oq1000s.prm in order");

namespace oq_settings {
constexpr const SettingsField& field(std::string_view name) {
    return find_settings_field(kOrbalineSettingsFields, name);
}
// The fields by the names the chart's parts use.
inline constexpr const SettingsField& kSignature = field("signature");
inline constexpr const SettingsField& kVersion = field("version");
inline constexpr const SettingsField& kLastChart = field("last_chart");
inline constexpr const SettingsField& kLinkMode = field("link_mode");
inline constexpr const SettingsField& kViewReservedA = field("view_reserved_a");
inline constexpr const SettingsField& kRowNumbers = field("row_numbers");
inline constexpr const SettingsField& kTabWidth = field("tab_width");
inline constexpr const SettingsField& kEditorPath = field("editor_path");
inline constexpr const SettingsField& kPrinterKind = field("printer_kind");
inline constexpr const SettingsField& kOrientation = field("orientation");
inline constexpr const SettingsField& kPrintTopMargin = field("print_top_margin");
inline constexpr const SettingsField& kPrintLeftMargin = field("print_left_margin");
inline constexpr const SettingsField& kPrintCharsPerLine = field("print_chars_per_line");
inline constexpr const SettingsField& kPrintLinesPerPage = field("print_lines_per_page");
inline constexpr const SettingsField& kPrintFirstPage = field("print_first_page");
inline constexpr const SettingsField& kPrintLastPage = field("print_last_page");
inline constexpr const SettingsField& kPrintBoxWidth = field("print_box_width");
inline constexpr const SettingsField& kBoxWidth = field("box_width");
inline constexpr const SettingsField& kViewReservedB = field("view_reserved_b");
inline constexpr const SettingsField& kGenerationOptions = field("generation_options");
inline constexpr const SettingsField& kUndefinedBlocks = field("undefined_blocks");
inline constexpr const SettingsField& kBlockCharacters = field("block_characters");
inline constexpr const SettingsField& kLastGenerationStatus = field("last_generation_status");
inline constexpr const SettingsField& kPrintHeaderBase = field("print_header_base");
inline constexpr const SettingsField& kCoverOnPrintAll = field("cover_on_print_all");
inline constexpr const SettingsField& kPrintBoxLines = field("print_box_lines");
inline constexpr const SettingsField& kBoxLines = field("box_lines");
inline constexpr const SettingsField& kConfirmEdits = field("confirm_edits");
inline constexpr const SettingsField& kIgnoreFile = field("ignore_file");
inline constexpr const SettingsField& kIncludeUse = field("include_use");
inline constexpr const SettingsField& kSourcePrintFile = field("source_print_file");
inline constexpr const SettingsField& kNestLevel = field("nest_level");
inline constexpr const SettingsField& kPrintFirstPageNumber = field("print_first_page_number");
inline constexpr const SettingsField& kPrintFileAndLine = field("print_file_and_line");
inline constexpr const SettingsField& kChartPrintOptionA = field("chart_print_option_a");
inline constexpr const SettingsField& kPrintOuterFrame = field("print_outer_frame");
inline constexpr const SettingsField& kPrintBlockNumbers = field("print_block_numbers");
inline constexpr const SettingsField& kOutputCode = field("output_code");
inline constexpr const SettingsField& kOutputBoxWidth = field("output_box_width");
inline constexpr const SettingsField& kOutputBoxLines = field("output_box_lines");
inline constexpr const SettingsField& kOutputTopMargin = field("output_top_margin");
inline constexpr const SettingsField& kOutputLeftMargin = field("output_left_margin");
inline constexpr const SettingsField& kOutputFileAndLine = field("output_file_and_line");
inline constexpr const SettingsField& kOutputBlockNumbers = field("output_block_numbers");
inline constexpr const SettingsField& kColourChartLines = field("colour_chart_lines");
inline constexpr const SettingsField& kColourChartBackground = field("colour_chart_background");
inline constexpr const SettingsField& kColourRowNumbers = field("colour_row_numbers");
inline constexpr const SettingsField& kPrintReferenceNumbers = field("print_reference_numbers");
inline constexpr const SettingsField& kOutputReferenceNumbers = field("output_reference_numbers");
inline constexpr const SettingsField& kColourSourceText = field("colour_source_text");
inline constexpr const SettingsField& kColourSourceBackground = field("colour_source_background");
inline constexpr const SettingsField& kMacroExpansion = field("macro_expansion");
inline constexpr const SettingsField& kShowReusedFunctions = field("show_reused_functions");
inline constexpr const SettingsField& kPointerCalls = field("pointer_calls");
inline constexpr const SettingsField& kOutputHeaderFile = field("output_header_file");
inline constexpr const SettingsField& kChartPrintOptionB = field("chart_print_option_b");
inline constexpr const SettingsField& kIncludeFolders = field("include_folders");
inline constexpr const SettingsField& kColourChartText = field("colour_chart_text");
inline constexpr const SettingsField& kRecentCount = field("recent_count");
inline constexpr const SettingsField& kRecentFiles = field("recent_files");
}  // namespace oq_settings

// The settings file, its placements in the registry and its recent-file items.
extern const SettingsProfile kOrbalineSettings;
inline constexpr PlacementProfile kOrbalinePlacement = {"Software\\KRT Orbaline95"};
inline constexpr RecentMenuProfile kOrbalineRecentMenu = {4103, 4104};

