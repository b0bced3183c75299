#include "orbaline/chart/working_copy.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "common/analysis/scramble.h"
#include "common/shell/settings_file.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/chart/checked_file.h"
#include "platform/kernel/file_io.h"

namespace {

// The chart itself must never be a working copy or an edits' temporary
// file: copying it onto itself would empty it.
bool names_a_work_file(std::string_view chart_path) {
    std::string name(file_part(chart_path));
    to_lower_ascii(name);
    for (int number = 0; number < kWorkingCopyNames; ++number)
        if (name == working_copy_name(number) || name == edit_temp_name(number)) return true;
    return false;
}

// Claims the first working copy of the folder that no other process holds.
int create_copy_file(CheckedFile& copy, const std::string& folder) {
    for (int number = 0; number < kWorkingCopyNames; ++number) {
        if (copy.create(folder + working_copy_name(number))) return number;
        if (!copy.held()) break;
    }
    return -1;
}

}  // namespace

int create_working_copy(ChartSession& session, std::string_view title, std::string_view chart_path) {
    (void)title;
    if (chart_path.empty()) return -1;
    const std::string source(chart_path);
    if (names_a_work_file(source)) return -1;
    LineReader reader;
    if (!reader.open(source.c_str())) return -1;
    // a chart opened over another lets the other's copy go first
    drop_working_copy(session);
    session.working_copy_in_use = true;
    session.modified = false;
    show_line(session.hooks, format_text(orbaline_message(kMsgReadingFile), source.c_str()));

    CheckedFile copy;
    const int number = create_copy_file(copy, chart_folder(source));
    if (number < 0) {
        clear_line(session.hooks);
        return -3;
    }
    const std::string copy_path = chart_folder(source) + working_copy_name(number);
    int copied = 0;
    std::string line;
    while (reader.next(line) && !line.empty()) {
        copy.write(line);
        copy.write("\n");
        ++copied;
    }
    const bool read_failed = reader.failed();
    const bool written = copy.close();
    clear_line(session.hooks);
    // A partial working copy would be taken for the chart by the next edit.
    if (!written || read_failed || copied == 0) {
        crt_remove(copy_path.c_str());
        return written ? -1 : -3;
    }
    session.working_copy_number = number;
    hold_working_copy(session, copy.take_claim(), copy_path);
    return 0;
}

int commit_working_copy(ChartSession& session, std::string_view title) {
    const std::string copy_path = working_copy_path(session);
    if (crt_rename(copy_path.c_str(), session.chart_path.c_str()) != 0) {
        ask_box(session.hooks, ChartBoxKind::Notice, std::string(title),
                join_box_lines(orbaline_message_text(kMsgWriteError), session.chart_path, {}));
        return -3;
    }
    session.modified = false;
    // the hold went with the file to the chart's name
    hold_working_copy(session, -1);
    if (create_working_copy(session, title, session.chart_path) != 0) {
        report_temp_file_error(session, copy_path);
        return -3;
    }
    clear_line(session.hooks);
    return 0;
}

void report_temp_file_error(ChartSession& session, std::string_view path) {
    ask_box(session.hooks, ChartBoxKind::Notice, kCaptionEditChart,
            join_box_lines(orbaline_message_text(kMsgTempFileError), path, {}));
    clear_line(session.hooks);
}

namespace {

// What an edit does with one node line; `line` may be rewritten in place.
using NodeLineRule = std::function<bool(std::string& line, int index)>;

// The node text as the grid holds it: after the level run, up to the last TAB.
std::string_view node_text_of_line(std::string_view line) {
    std::string_view text = line.substr(static_cast<size_t>(parse_node_line(line).text_start));
    const size_t tab = text.rfind('\t');
    return tab == std::string_view::npos ? text : text.substr(0, tab);
}

bool is_undefined_line(std::string_view line) {
    const int open = find_file_reference(line);
    return open >= 0 && line.substr(static_cast<size_t>(open)).starts_with("<UNDEFINED>");
}

// Rewrites the working copy through the temporary file: every line is
// decoded with its own number, header lines are kept, node lines go through
// the rule, kept lines are encoded with their new number. The working copy
// is replaced only once the temporary file is complete.
int rewrite_working_copy(ChartSession& session, const NodeLineRule& keep) {
    const std::string copy_path = working_copy_path(session);
    const std::string temp_path = edit_temp_path(session);
    LineReader reader;
    if (!reader.open(copy_path.c_str())) {
        report_temp_file_error(session, copy_path);
        return -1;
    }
    CheckedFile temp;
    if (!temp.create(temp_path)) {
        reader.close();
        report_temp_file_error(session, copy_path);
        return -1;
    }
    std::string stored;
    std::string line;
    std::string encoded;
    int read = 0;
    int written = 0;
    while (reader.next(stored)) {
        unscramble_line(stored, line, ++read);
        if (line.empty()) break;
        if (line[0] != ' ' && !keep(line, written)) continue;
        scramble_line(line, encoded, ++written);
        temp.write(encoded);
        temp.write("\n");
    }
    const bool read_failed = reader.failed();
    reader.close();
    if (!temp.close() || read_failed || crt_rename(temp_path.c_str(), copy_path.c_str()) != 0) {
        crt_remove(temp_path.c_str());
        report_temp_file_error(session, temp_path);
        return -1;
    }
    // the temporary is the working copy now, held as it was
    hold_working_copy(session, temp.take_claim(), copy_path);
    session.modified = true;
    if (load_chart(session, 1, false) != 0) return -1;
    return 0;
}

// Drops runs of lines: a line the test picks, and every deeper line after
// it, up to the first line as shallow as the picked one.
NodeLineRule drop_runs(std::function<bool(std::string_view line)> picks) {
    struct Run {
        bool open = false;
        int depth = 0;
    };
    auto run = std::make_shared<Run>();
    return [run, picks = std::move(picks)](std::string& line, int) {
        const int depth = parse_node_line(line).level_run;
        if (run->open && depth > run->depth) return false;
        run->open = false;
        if (!picks(line)) return true;
        *run = Run{true, depth};
        return false;
    };
}

}  // namespace

int delete_undefined_nodes(ChartSession& session, std::string_view title) {
    (void)title;
    return rewrite_working_copy(session, drop_runs(is_undefined_line));
}

int delete_chart_nodes(ChartSession& session, std::string_view title, bool whole_name, int node_index) {
    (void)title;
    if (whole_name) {
        std::string name;
        get_node_name(session, session.selected_column, session.selected_row, name);
        return rewrite_working_copy(
            session, drop_runs([name](std::string_view line) { return node_name_of(node_text_of_line(line)) == name; }));
    }
    // One node and its subtree; the first line as shallow as it ends the
    // deletion for good.
    struct State {
        bool deleting = false;
        bool done = false;
        int depth = 0;
    };
    auto state = std::make_shared<State>();
    return rewrite_working_copy(session, [state, node_index](std::string& line, int index) {
        if (state->done) return true;
        const int depth = parse_node_line(line).level_run;
        if (state->deleting) {
            if (depth > state->depth) return false;
            state->done = true;
            return true;
        }
        if (index != node_index) return true;
        state->deleting = true;
        state->depth = depth;
        return false;
    });
}

int replace_chart_names(ChartSession& session, std::string_view title, bool whole_name, int node_index,
                        std::string_view new_text) {
    (void)title;
    std::string name;
    if (whole_name) get_node_name(session, session.selected_column, session.selected_row, name);
    const std::string text(new_text);
    return rewrite_working_copy(session, [=](std::string& line, int index) {
        const bool hit = whole_name ? node_name_of(node_text_of_line(line)) == name : index == node_index;
        if (hit) {
            // The file reference and comment go with the old text.
            line.resize(static_cast<size_t>(parse_node_line(line).text_start));
            line += text;
            line += '\t';
        }
        return true;
    });
}

int confirm_chart_edit(ChartSession& session, int kind) {
    std::string name;
    get_node_name(session, session.selected_column, session.selected_row, name);
    const std::string first = format_text(orbaline_message(kMsgFunctionName), name.c_str());
    std::string text;
    switch (kind) {
    case 2:
        text = join_box_lines(first, orbaline_message_text(kMsgLevelsWillGo), orbaline_message_text(kMsgDeleteSure));
        break;
    case 3:
        text = join_box_lines(first, orbaline_message_text(kMsgReplaceSure), {});
        break;
    case 4:
        text = join_box_lines(orbaline_message_text(kMsgUndefinedWillGo), orbaline_message_text(kMsgDeleteSure), {});
        break;
    default:
        return 0;
    }
    return ask_box(session.hooks, ChartBoxKind::Question, kCaptionEditChart, text);
}

namespace {

// A replacing text goes into a node line as it stands: a line end would
// split the line, a leading level character would change the node's depth.
bool is_acceptable_node_text(std::string_view text) {
    if (text.empty() || text.front() == '+') return false;
    return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

int reload_chart_from_file(ChartSession& session) {
    if (!session.modified) {
        clear_line(session.hooks);
        return 0;
    }
    const std::string text =
        join_box_lines(orbaline_message_text(kMsgChartModified), orbaline_message_text(kMsgReloadSure), {});
    sound_beep(session.hooks);
    if (ask_box(session.hooks, ChartBoxKind::Question, kCaptionEditChart, text) != 1) {
        clear_line(session.hooks);
        return 0;
    }
    if (session.hooks.close_source_list) session.hooks.close_source_list();
    const std::string name = session.chart_name;
    close_chart(session);
    open_chart(session, name);
    if (session.hooks.reload_view) session.hooks.reload_view(0);
    if (session.hooks.show_source_list) session.hooks.show_source_list();
    return 0;
}

}  // namespace

int run_chart_edit(ChartSession& session, std::string_view title, int kind, std::string_view new_text) {
    if (kind == kEditReloadChart) return reload_chart_from_file(session);
    if (kind < kEditDeleteUndefined || kind > kEditReloadChart) return -1;
    if (!session.loaded || session.row_count() < 1) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionEditCommand, orbaline_message_text(kMsgNoChart));
        return -1;
    }
    std::string name;
    get_node_name(session, session.selected_column, session.selected_row, name);
    // The edits of one node or name need a node selected, not a connector.
    if (kind != kEditDeleteUndefined && name.empty()) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionEditChart, orbaline_message_text(kMsgSelectFunction));
        return -1;
    }
    if ((kind == kEditReplaceOne || kind == kEditReplaceAll) && !is_acceptable_node_text(new_text)) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionEditChart, orbaline_message_text(kMsgEnterFunctionName));
        return -1;
    }
    if (shell_settings().word(oq_settings::kConfirmEdits) == 1) {
        static constexpr int kQuestionOfEdit[] = {4, 2, 2, 3, 3};
        if (confirm_chart_edit(session, kQuestionOfEdit[kind]) != 1) return -1;
    }
    show_line(session.hooks, orbaline_message_text(kMsgProcessing));
    int result = -1;
    switch (kind) {
    case kEditDeleteUndefined: result = delete_undefined_nodes(session, title); break;
    case kEditDeleteOne: result = delete_chart_nodes(session, title, false, session.selected_row); break;
    case kEditDeleteName: result = delete_chart_nodes(session, title, true, session.selected_row); break;
    case kEditReplaceOne: result = replace_chart_names(session, title, false, session.selected_row, new_text); break;
    case kEditReplaceAll: result = replace_chart_names(session, title, true, session.selected_row, new_text); break;
    default: break;
    }
    if (result != 0) {
        // An edit that left no node rows (the only root deleted) leaves the
        // view cleared, as a reload of a chart without rows does; the
        // working copy keeps the edit until the chart is reloaded from its file.
        if (session.modified && !session.loaded && session.hooks.reload_view) session.hooks.reload_view(1);
        clear_line(session.hooks);
        return -1;
    }
    const int count = session.row_count();
    session.selected_row = std::min(session.selected_row, count);
    session.top_row = std::max(1, std::min(session.top_row, count));
    const int column = node_column(session.table, session.selected_row);
    session.selected_column = column < kChartColumns ? column : 0;
    if (session.hooks.reload_view) session.hooks.reload_view(1);
    if (kind <= kEditDeleteName && session.hooks.rows_deleted) session.hooks.rows_deleted();
    clear_line(session.hooks);
    return 0;
}

int save_chart(ChartSession& session, std::string_view title) {
    if (!session.loaded) {
        show_line(session.hooks, orbaline_message_text(chart_missing_message(session)));
        sound_beep(session.hooks);
        return -1;
    }
    if (!session.modified) {
        show_line(session.hooks, orbaline_message_text(kMsgChartNotModified));
        sound_beep(session.hooks);
        return -1;
    }
    const std::string text = join_box_lines(format_text(orbaline_message(kMsgWillSave), session.chart_path.c_str()),
                                            orbaline_message_text(kMsgAreYouSure), {});
    if (ask_box(session.hooks, ChartBoxKind::Question, kCaptionSaveChart, text) != 1) return 0;
    return commit_working_copy(session, title);
}
