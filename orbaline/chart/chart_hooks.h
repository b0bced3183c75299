// How the chart's operations reach the user without knowing of windows: the
// program connects these hooks to its message boxes, status bar, progress
// meter and chart view; tests and chart_demo connect recorders. An empty hook
// does nothing; a question without its hook counts as refused.
#pragma once

#include <functional>
#include <string>

enum class ChartBoxKind {
    Notice,    // the box beeps and shows the information icon and OK
    Question,  // Yes/No when the text holds "？", else OK/Cancel
};

struct ChartBox {
    ChartBoxKind kind = ChartBoxKind::Notice;
    std::string caption;  // "【 ... 】"
    std::string text;     // the lines joined with "\n"
};

struct ChartHooks {
    // 1 when the user chose OK or Yes, else 0.
    std::function<int(const ChartBox&)> message_box;
    // mode 1 shows the text in the message line, any other mode clears it.
    std::function<void(int mode, const std::string& text)> message_line;
    std::function<void()> beep;

    // The progress meter of a run and its cancel button. keep_going lets one
    // waiting message through and is false once the user has cancelled.
    std::function<void(const std::string& title, const std::string& line1, const std::string& line2)> open_meter;
    std::function<void(int done, int total)> meter_value;
    std::function<void()> close_meter;
    std::function<bool()> keep_going;

    // The view: the grid was loaded again (mode 0 from the chart, 1 from the
    // working copy), or the selection moved (marker, status panes, scrolling;
    // with the link mode on the view opens the node's source).
    std::function<void(int mode)> reload_view;
    std::function<void()> selection_moved;
    // Whether a depth column lies outside the columns the view shows.
    std::function<bool(int column)> column_hidden;
    // An edit removed rows: the status panes and, in link mode with the
    // source list open, the selected node's source.
    std::function<void()> rows_deleted;
    // Reloading the chart from its file closes the source list first and
    // shows it again afterwards.
    std::function<void()> close_source_list;
    std::function<void()> show_source_list;

    // The search dialog: fills in the search text; 0 when cancelled.
    std::function<int(std::string& text)> enter_search_text;
};

// Shorthands that skip an empty hook.
int ask_box(const ChartHooks& hooks, ChartBoxKind kind, const std::string& caption, const std::string& text);
void show_line(const ChartHooks& hooks, const std::string& text);
void clear_line(const ChartHooks& hooks);
void sound_beep(const ChartHooks& hooks);
bool still_going(const ChartHooks& hooks);
