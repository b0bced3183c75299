#include "orbaline/viewer/source_view.h"

#include <algorithm>

#include "common/shell/document.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "orbaline/viewer/orbaline_state.h"

namespace {

constexpr int kMsgSourceTooLarge = 405;  // ソースが大きすぎます。

// A "/*" line this close above the node's line starts the listing; line 1
// is never taken for one.
constexpr int kCommentLookBack = 20;
constexpr int kLowestCommentLine = 2;

DocumentState& doc() { return document_state(); }

// A line outside the shown ones comes into view half a list from the top,
// the list kept full to its bottom.
void bring_found_line_into_view(int line) {
    SourceListState& s = source_list();
    const int rows = s.list_height / kSourceRowHeight;
    const int shown = rows - 1;
    if (line - 1 >= s.top && line - 1 < s.top + shown) return;
    const int top = std::min(line - s.list_height / 30, s.text.count() - shown + 1);
    s.top = std::max(0, top);
    draw_source_lines();
    set_source_scroll_ranges();
}

// A click makes its line current; the search goes on after its last hit
// all the same. A click below the last line beeps with message 405.
void choose_clicked_line(int index) {
    SourceListState& s = source_list();
    if (index >= kMaxSourceLines || index >= s.text.count()) {
        MessageBeep(0);
        set_status_text(1, message_text(kMsgSourceTooLarge));
        return;
    }
    doc().current_source_line = index + 1;
    show_current_source_line();
    repaint_source_line_numbers();
}

}  // namespace

SourceListingStart chart_source_start(const SourceText& text, int current_line, int rows) {
    const int count = text.count();
    const int shown = rows - 1;
    // a node past the end of its file shows the end
    int n = current_line < count ? current_line : count - rows + 3;
    n = std::max(1, comment_head_line(text, n, kCommentLookBack, kLowestCommentLine));
    int top = n - 1;
    if (top + shown > count) top = count - shown + 1;
    return {n, std::max(0, top)};
}

int follow_chart_source() {
    SourceListState& s = source_list();
    if (!s.open) return -1;
    if (!chart().loaded || !doc().source_loaded || s.text.count() == 0) {
        clear_source_list_view();
        return -1;
    }
    const int rows = s.list_height / kSourceRowHeight;
    const SourceListingStart start = chart_source_start(s.text, doc().current_source_line, rows);
    s.search_start = start.first_line - 1;
    show_source_listing(start.top);
    return 0;
}

void install_source_view_hooks(ViewerHooks& hooks) {
    hooks.follow_function = follow_chart_source;
    // a new search starts at the current line
    hooks.search_range = [](bool again, int& start, int&) {
        if (!again) start = std::max(0, doc().current_source_line - 1);
    };
    hooks.source_line_found = bring_found_line_into_view;
    hooks.source_line_chosen = choose_clicked_line;
}
