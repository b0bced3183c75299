#include "gravlet/viewer/source_link.h"

#include <algorithm>

#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "common/viewer/source_list.h"
#include "gravlet/pad/messages.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/pad_view.h"

namespace {

constexpr int kCommentLookBack = 20;

// The function's lines as list indexes, set by each follow.
struct SourceRange {
    int first = 0;
    int last = 0;
};
SourceRange g_range;

DocumentState& doc() { return document_state(); }

// The PAD cell of a source line becomes current.
void choose_cell_of_line(int line) {
    int row = 0, column = 0;
    if (!find_cell_of_line(line, &row, &column)) return;
    set_current_cell(row, column);
    if (doc().linked_mode) show_current_cell();
}

void search_range(bool again, int& start, int& end) {
    if (doc().linked_mode) {
        end = g_range.last + 1;
        if (!again) start = g_range.first;
    } else if (!again) {
        start = doc().current_source_line;  // the line after the current one, as an index
    }
}

}  // namespace

int load_pad_source_text() {
    const int result = load_source_text();
    // the PAD is shown whether its source could be read or not
    doc().loaded = true;
    return result;
}

int source_range_first() { return g_range.first; }
int source_range_last() { return g_range.last; }

int sync_source_to_cell() {
    SourceListState& s = source_list();
    if (!s.open) return -1;
    if (!doc().source_loaded || s.text.count() == 0) {
        clear_source_list_view();
        return -1;
    }
    const GravletState& g = gravlet();
    const int count = s.text.count();
    int n = g.range_first;
    if (n >= kMaxSourceLines || n >= count) {
        clear_source_list_view();
        g_range = {std::max(n, 1) - 1, std::max(n, 1) - 1};
        MessageBeep(0);
        set_status_text(1, message_text(gx_message::kSourceTooLarge));
        return -1;
    }
    // the function's comment head belongs to it
    n = comment_head_line(s.text, n, kCommentLookBack + 1, 1);
    const int last = g.range_last;
    g_range = {std::max(n, 1) - 1, last >= count ? last - 1 : last};
    const int shown = s.list_height / kSourceRowHeight - 1;
    int top = std::max(n, 1) - 1;
    if (top + shown > count) top = count - shown + 3;
    show_source_listing(top);
    return 0;
}

int find_cell_for_source_line(int index) {
    set_status_text(0, "");
    SourceListState& s = source_list();
    if (!doc().source_loaded) return 0;
    if (doc().linked_mode && (index < g_range.first || index > g_range.last)) {
        set_status_text(1, message_text(gx_message::kChooseLineInFunction));
        MessageBeep(0);
        return 0;
    }
    if (index >= kMaxSourceLines || index >= s.text.count()) {
        MessageBeep(0);
        return -1;
    }
    doc().current_source_line = index + 1;
    s.search_start = index;
    choose_cell_of_line(index + 1);
    show_current_source_line();
    repaint_source_line_numbers();
    return 0;
}

void install_source_link_hooks(ViewerHooks& hooks) {
    hooks.follow_function = sync_source_to_cell;
    hooks.source_line_chosen = [](int index) { find_cell_for_source_line(index); };
    hooks.search_range = search_range;
    hooks.source_line_found = [](int line) {
        if (doc().linked_mode) choose_cell_of_line(line);
    };
    hooks.not_found_message = [] {
        return doc().linked_mode ? gx_message::kNotFoundInFunction : gx_message::kNotFound;
    };
}
