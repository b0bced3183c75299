#include "orbaline/chart/chart_hooks.h"

int ask_box(const ChartHooks& hooks, ChartBoxKind kind, const std::string& caption, const std::string& text) {
    if (!hooks.message_box) return 0;
    return hooks.message_box(ChartBox{kind, caption, text}) != 0 ? 1 : 0;
}

void show_line(const ChartHooks& hooks, const std::string& text) {
    if (hooks.message_line) hooks.message_line(1, text);
}

void clear_line(const ChartHooks& hooks) {
    if (hooks.message_line) hooks.message_line(0, std::string());
}

void sound_beep(const ChartHooks& hooks) {
    if (hooks.beep) hooks.beep();
}

bool still_going(const ChartHooks& hooks) { return !hooks.keep_going || hooks.keep_going(); }
