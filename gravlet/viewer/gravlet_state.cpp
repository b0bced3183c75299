#include "gravlet/viewer/gravlet_state.h"

#include "common/print/print_state.h"
#include "common/shell/window/progress_meter.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"

namespace {

class ViewHost : public PadHost {
public:
    void show_status(const std::string& text) override { set_status_text(text.empty() ? 0 : 1, text); }
    bool show_box(bool question, const std::string& caption, const std::string& line1, const std::string& line2,
                  const std::string& line3) override {
        // the runs' questions are OK/Cancel boxes, "？" or not
        if (question) return show_ok_cancel_box(caption, line1, line2, line3) != 0;
        return show_info_box(1, caption, line1, line2, line3) != 0;
    }
    void beep() override { MessageBeep(0); }
    void open_meter(const std::string& caption, const std::string& line1, const std::string& line2) override {
        open_progress_meter(shell().frame_window, caption, line1, line2);
    }
    void close_meter() override { close_progress_meter(); }
    void show_progress(int done, int total) override { set_progress_value(nullptr, done, total); }
    bool pump() override {
        pump_one_message();
        return shell_abort_flag();
    }
};

}  // namespace

void GravletState::reset() {
    if (line_pen != nullptr) DeleteObject(line_pen);
    if (background_brush != nullptr) DeleteObject(background_brush);
    if (label_font != nullptr) DeleteObject(label_font);
    *this = GravletState{};
}

GravletState& gravlet() {
    static GravletState state;
    return state;
}

PadDocument& gravlet_pad() {
    static PadDocument pad;
    return pad;
}

void reset_gravlet_pad() {
    PadDocument& pad = gravlet_pad();
    close_pds_file(pad);
    pad.path.clear();
    pad.source_extension = ".c";
    pad.source_path.clear();
    pad.settings_loaded = false;
    pad.level_width = 16;
    pad.chars_per_line = 198;
    pad.link_mode = true;
    pad.source_line = 0;
    pad.first_shown_row = 1;
    pad.horizontal_position = 0;
    pad.current_function = 0;
}

PadHost& gravlet_pad_host() {
    static ViewHost host;
    return host;
}
