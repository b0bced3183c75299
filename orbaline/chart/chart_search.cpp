#include "orbaline/chart/chart_search.h"

#include <algorithm>

#include "common/analysis/text_utils.h"
#include "common/text/message_table.h"
#include "orbaline/chart/chart_messages.h"

namespace {

// Byte positions where a character starts, so that a search text never
// matches from the trail byte of a double-byte character.
bool holds_text(std::string_view text, std::string_view wanted) {
    for (int pos = 0; pos < static_cast<int>(text.size()); pos = next_char(text, pos)) {
        if (text.substr(static_cast<size_t>(pos)).starts_with(wanted)) return true;
    }
    return false;
}

}  // namespace

int do_chart_search(ChartSession& session) {
    if (session.search_text.empty()) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionSearchChart,
                orbaline_message_text(kMsgEnterSearchText));
        return -1;
    }
    show_line(session.hooks, orbaline_message_text(kMsgSearching));
    int found_row = 0;
    int found_column = 0;
    // Only node texts are searched: the blank of a connector cell is no hit.
    for (int row = std::max(session.search_start_row, 1); row <= session.row_count() && !found_row; ++row) {
        const int column = node_column(session.table, row);
        if (column < kChartColumns && holds_text(session.table.text(row, column), session.search_text)) {
            found_row = row;
            found_column = column;
        }
    }
    clear_line(session.hooks);
    if (!found_row) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionSearchChart,
                format_text("%s\n[%s]", orbaline_message(kMsgSearchNotFound), session.search_text.c_str()));
        return 0;
    }
    session.previous_row = session.selected_row;
    session.previous_column = session.selected_column;
    session.selected_row = found_row;
    session.selected_column = found_column;
    session.search_start_row = found_row + 1;
    sound_beep(session.hooks);
    if (found_row < session.top_row || found_row > session.top_row + session.visible_rows - 2) {
        session.top_row = std::max(1, found_row - 1);
    }
    if (session.hooks.column_hidden && session.hooks.column_hidden(found_column)) {
        session.left_column = 8 * found_column;
    }
    if (session.hooks.selection_moved) session.hooks.selection_moved();
    return 1;
}

int search_chart(ChartSession& session, int again) {
    if (!session.loaded) {
        ask_box(session.hooks, ChartBoxKind::Notice, kCaptionSearchChart,
                orbaline_message_text(chart_missing_message(session)));
        return -1;
    }
    if (again) return do_chart_search(session);
    session.search_start_row = session.selected_row + 1;
    std::string text = session.search_text;
    if (!session.hooks.enter_search_text || session.hooks.enter_search_text(text) == 0) return -1;
    session.search_text = text;
    return do_chart_search(session);
}
