#include "common/viewer/viewer_print_host.h"

#include "common/print/print_state.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"

void install_viewer_print_host(const PrintProfile& profile) {
    ShellState& s = shell();
    PrintState& print = print_state();
    print.device.setup = &s.print_dialog;
    print.device.font_choice = &s.print_font;
    PrintHost& host = print.host;
    host = PrintHost{};
    host.profile = &profile;
    host.owner = s.frame_window;
    host.notify = [](std::string_view caption, std::string_view text) { show_info_box(1, caption, text); };
    host.warn = [](std::string_view caption, std::string_view text) { show_warning_box(1, caption, text); };
    if (profile.ok_cancel_questions) {
        host.ask = [](std::string_view caption, std::string_view text) { return show_ok_cancel_box(caption, text) == 1; };
    } else {
        host.ask = [](std::string_view caption, std::string_view text) { return show_info_box(0, caption, text) == 1; };
    }
    host.set_status_text = set_status_text;
}
