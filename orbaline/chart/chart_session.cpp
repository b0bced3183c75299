#include "orbaline/chart/chart_session.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "common/shell/settings_file.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/chart/working_copy.h"
#include "platform/kernel/file_io.h"

void ChartSession::reset() {
    std::string directory = std::move(program_directory);
    ChartHooks kept_hooks = std::move(hooks);
    table.release();
    chart_name.clear();
    chart_path.clear();
    state_open = loaded = working_copy_in_use = modified = false;
    hold_working_copy(*this, -1);
    working_copy_number = 0;
    link_mode = 1;
    reserved_a = row_numbers = reserved_b = 0;
    tab_width = 4;
    box_width = 8;
    box_lines = 1;
    selected_row = previous_row = top_row = 1;
    selected_column = previous_column = left_column = 0;
    visible_rows = kDefaultVisibleRows;
    search_text.clear();
    search_start_row = 1;
    program_directory = std::move(directory);
    hooks = std::move(kept_hooks);
}

ChartSession& chart_session() {
    static ChartSession session;
    return session;
}

std::string chart_folder(std::string_view chart_path) {
    const int separator = find_last_separator(chart_path, true);
    return std::string(chart_path.substr(0, static_cast<size_t>(separator + 1)));
}

std::string working_copy_name(int number) {
    if (number == 0) return kWorkingCopyName;
    return "oq$$$$" + std::to_string(number) + ".trd";
}

std::string edit_temp_name(int number) {
    if (number == 0) return kEditTempName;
    return "$$$" + std::to_string(number) + ".trd";
}

std::string working_copy_path(const ChartSession& session) {
    return chart_folder(session.chart_path) + working_copy_name(session.working_copy_number);
}

std::string edit_temp_path(const ChartSession& session) {
    return chart_folder(session.chart_path) + edit_temp_name(session.working_copy_number);
}

void hold_working_copy(ChartSession& session, int claim, const std::string& path) {
    crt_release_claim(session.working_copy_claim);
    session.working_copy_claim = claim;
    session.held_copy = claim >= 0 ? path : std::string();
}

void drop_working_copy(ChartSession& session) {
    if (session.working_copy_claim < 0) return;
    const std::string path = session.held_copy;
    uint64_t device = 0, inode = 0, held_device = 0, held_inode = 0;
    if (crt_entry_identity(path.c_str(), device, inode) &&
        crt_claim_identity(session.working_copy_claim, held_device, held_inode) && device == held_device &&
        inode == held_inode)
        crt_remove(path.c_str());
    hold_working_copy(session, -1);
}

int init_chart_session(ChartSession& session) {
    SettingsRecord& settings = shell_settings();
    if (settings.profile() != &kOrbalineSettings) reset_shell_settings(kOrbalineSettings);
    if (read_settings_file(settings, session.program_directory) != kSettingsOk) {
        sound_beep(session.hooks);
        return kChartSettingsUnreadable;
    }
    if (check_settings_identity(settings) != SettingsIdentity::Ok) return kChartSettingsWrongKind;

    settings.set_word(oq_settings::kLinkMode, 1);
    session.link_mode = 1;
    session.reserved_a = settings.word(oq_settings::kViewReservedA);
    session.row_numbers = settings.word(oq_settings::kRowNumbers);
    session.tab_width = settings_word_in_range(settings, oq_settings::kTabWidth);
    session.box_width = settings_word_in_range(settings, oq_settings::kBoxWidth);
    session.reserved_b = settings.word(oq_settings::kViewReservedB);
    session.box_lines = settings_word_in_range(settings, oq_settings::kBoxLines);

    session.selected_row = session.previous_row = 1;
    session.selected_column = session.previous_column = 0;
    session.top_row = 1;
    session.left_column = 0;
    session.visible_rows = kDefaultVisibleRows;
    session.modified = false;

    if (!session.table.allocated() && session.table.alloc_chart_grid() != 0) return kChartNoMemory;
    const int copied = create_working_copy(session, kCaptionEditChart, session.chart_path);
    if (copied == -3) report_temp_file_error(session, working_copy_path(session));
    if (copied != 0) return kChartNoWorkingCopy;
    session.state_open = true;
    return kChartSetupOk;
}

int load_chart(ChartSession& session, int kind, bool quiet) {
    const std::string path = kind == 1 ? working_copy_path(session) : session.chart_path;
    const int result = read_trd_growing(quiet, path, session.table, kChartViewReading, session.hooks);
    if (result == kTrdPoolFull) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionMakeChart, orbaline_message_text(kMsgTooManyTexts));
    }
    if (result != kTrdReadOk) {
        session.table.row_count = 0;
        session.loaded = false;
        return -1;
    }
    code_chart_lines(session.table);
    session.loaded = session.table.row_count > 0;
    return session.loaded ? 0 : -1;
}

int open_chart(ChartSession& session, std::string_view name) {
    session.loaded = false;
    session.chart_name.assign(name);
    session.chart_path.assign(name);
    if (!name.empty()) set_file_extension(session.chart_path, ".trd");
    int result = init_chart_session(session);
    // A path longer than the field is cut, never spilled into the next one.
    shell_settings().set_text_cut(oq_settings::kLastChart, session.chart_path);
    if (result == kChartSetupOk) result = load_chart(session, 0, false);
    session.previous_row = session.selected_row;
    session.previous_column = session.selected_column;
    return result;
}

void close_chart(ChartSession& session) {
    drop_working_copy(session);
    session.table.release();
    session.state_open = session.loaded = session.working_copy_in_use = session.modified = false;
}

int get_node_name(const ChartSession& session, int column, int row, std::string& out) {
    out.clear();
    if (column < 0 || column >= kChartColumns || row < 1 || row > session.row_count()) return -1;
    out = node_name_of(session.table.text(row, column));
    return 0;
}

int get_node_file(const ChartSession& session, int column, int row, std::string& out) {
    out.clear();
    if (column < 0 || column >= kChartColumns || row < 1 || row > session.row_count()) return -1;
    return node_file_of(session.table.text(row, column), out) ? 0 : -1;
}

namespace {

std::string upper_copy(std::string_view text) {
    std::string copy(text);
    to_upper_ascii(copy);
    return copy;
}

// The first row whose node matches; the file is compared only when given.
int find_node_row(ChartSession& session, const std::string* file, std::string_view name, int& column, int& row) {
    const std::string wanted_name = upper_copy(name);
    const std::string wanted_file = file ? upper_copy(*file) : std::string();
    std::string node_file;
    for (int r = 1; r <= session.row_count(); ++r) {
        const int c = node_column(session.table, r);
        if (c >= kChartColumns) continue;
        const std::string_view text = session.table.text(r, c);
        if (upper_copy(node_name_of(text)) != wanted_name) continue;
        if (file && (!node_file_of(text, node_file) || upper_copy(node_file) != wanted_file)) continue;
        column = c;
        row = r;
        return 0;
    }
    // Message 714 has no text of its own: the line shows what was looked for.
    sound_beep(session.hooks);
    show_line(session.hooks, file ? *file : std::string(name));
    return -1;
}

}  // namespace

int find_row_by_name(ChartSession& session, std::string_view file, std::string_view name, int& column,
                     int& row) {
    const std::string wanted(file);
    return find_node_row(session, &wanted, name, column, row);
}

int find_row_by_name_only(ChartSession& session, std::string_view name, int& column, int& row) {
    return find_node_row(session, nullptr, name, column, row);
}

int select_chart_function(ChartSession& session, std::string_view name, std::string_view file) {
    int column = 0;
    int row = 0;
    if (find_row_by_name(session, file, name, column, row) != 0) return -1;
    session.previous_row = session.selected_row;
    session.previous_column = session.selected_column;
    session.selected_row = row;
    session.selected_column = column;
    if (row < session.top_row || row >= session.top_row + session.visible_rows - 1) {
        const int highest = session.row_count() - session.visible_rows + 2;
        session.top_row = std::max(1, std::min(row - 1, highest));
    }
    if (session.hooks.selection_moved) session.hooks.selection_moved();
    return 0;
}

int chart_missing_message(const ChartSession& session) {
    return session.chart_name.empty() ? kMsgSelectFile : kMsgNoChart;
}
