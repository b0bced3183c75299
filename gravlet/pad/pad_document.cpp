#include "gravlet/pad/pad_document.h"

#include <algorithm>
#include <new>

#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/sjis_text.h"

namespace {


constexpr const char* kMakePadOperation = "ＰＡＤ図作成"_sjis;

void take_working_values(PadDocument& doc, SettingsRecord& settings) {
    using namespace gx_settings;
    doc.settings_loaded = true;
    doc.link_mode = true;
    settings.set_word(kLinkMode, 1);
    // A damaged file never gives a width the layout cannot divide by.
    doc.level_width = std::clamp(settings.word(kScreenLevelWidth), kScreenLevelWidth.min, kScreenLevelWidth.max);
    doc.chars_per_line =
        std::clamp(gravlet_chars_per_line(settings), kPrintCharsPerLine.min, kPrintCharsPerLine.max);
    doc.first_shown_row = 1;
    doc.horizontal_position = 0;
    doc.current_function = 0;
}

}  // namespace

int alloc_pad_grid(PadDocument& doc) {
    if (doc.grid) return 0;
    doc.grid = take_pad_grid();
    return doc.grid ? 0 : -1;
}

int free_pad_grid(PadDocument& doc) {
    give_back_pad_grid(std::move(doc.grid));
    doc.pages.clear();
    return 0;
}

int read_pds_index(PadDocument& doc, SettingsRecord& settings, const std::string& program_directory, PadHost& host) {
    const int opened = reread_settings_for_open(settings, program_directory);
    if (opened == kOpenSettingsUnreadable) {
        host.beep();
        return kPadIndexSettingsUnreadable;
    }
    if (opened != 0) return kPadIndexSettingsWrongVersion;
    take_working_values(doc, settings);

    doc.file.close();
    doc.file_open = false;
    doc.index.clear();
    doc.pages.clear();
    if (alloc_pad_grid(doc) != 0) return kPadIndexNoGrid;
    doc.grid->reset_pools();
    if (doc.path.empty() || !doc.file.open(doc.path)) return kPadIndexNotOpened;
    doc.file_open = true;
    doc.source_path = doc.path;
    set_file_extension(doc.source_path, doc.source_extension);

    host.show_status(format_text(gx_text(gx_message::kReading).c_str(), doc.path.c_str()));
    if (!index_pds_file(doc.file, doc.index)) {
        doc.file.close();
        doc.file_open = false;
        doc.index.clear();
        host.show_status(gx_text(gx_message::kGeneratePad));
        return kPadIndexNotOpened;
    }
    host.show_status("");
    return kPadIndexOk;
}

int close_pds_file(PadDocument& doc) {
    doc.file.close();
    doc.file_open = false;
    doc.index.clear();
    free_pad_grid(doc);
    return 0;
}

int load_pad_function(PadDocument& doc, int index, PadHost& host) {
    doc.pages.clear();
    if (!doc.grid || !doc.file_open || index < 0 || index >= static_cast<int>(doc.index.size())) return -1;
    PadGrid& grid = *doc.grid;
    const PdsIndexEntry& entry = doc.index[static_cast<size_t>(index)];
    const int parsed = parse_pds_block(doc.file, entry.offset, entry.line, grid, doc.level_width, host, doc.path);
    if (doc.link_mode && grid.name_row_source_line > 0) doc.source_line = grid.name_row_source_line;
    if (parsed != 1 && parsed != 2) {
        // Rows of a block that did not end where it should are never laid out.
        grid.row_count = 0;
        return -1;
    }
    if (parsed == 2) {
        grid.row_count = 0;
        host.show_box(false, make_box_caption(kMakePadOperation), gx_text(gx_message::kPadTooLarge),
                      gx_text(gx_message::kLowerNestLevel),
                      format_text(gx_text(gx_message::kFunctionName).c_str(), pad_function_name(grid).c_str()));
        return 0;
    }
    lay_out_pad(grid, doc.layout_values());
    if (grid.row_count < 4)
        host.show_status(format_text(gx_text(gx_message::kSuppressedFunction).c_str(), "", grid.row_count));
    doc.pages = compute_pad_extents(grid);
    return 0;
}

void measure_pad_function(PadDocument& doc) {
    if (!doc.grid) return;
    for (const PadPage& page : doc.pages) measure_pad_page(*doc.grid, page, doc.layout_values());
}
