// ORBALINE started in process: the platform's state directory and the
// program directory in fresh temporary directories, the shipped settings in
// the program directory, and a folder with a list of two small sources.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/text/message_table.h"
#include "common/viewer/frame.h"
#include "common/viewer/shell_boxes.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/chart_view.h"
#include "orbaline/viewer/orbaline_frame.h"
#include "orbaline/viewer/orbaline_state.h"
#include "orbaline/viewer/startup.h"
#include "platform/automation/automation.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

class OrbalineTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        automation::set_screen_size(1024, 768);
        set_orbaline_directory_override(program.path());
        write_settings(build_standard_settings(kOrbalineSettings));
        write_raw(dir.path("alpha.c"),
                  "int helper(int x);\nvoid report(void);\n\nint main(void)\n{\n    report();\n"
                  "    return helper(2);\n}\n\nvoid report(void)\n{\n    helper(3);\n    missing_call();\n}\n");
        write_raw(dir.path("beta.c"),
                  "int square(int x)\n{\n    return x * x;\n}\n\nint helper(int x)\n{\n    return square(x) + 1;\n}\n");
        write_raw(dir.path("two.nam"), "alpha.c\r\nbeta.c\r\n");
    }
    void TearDown() override {
        if (started) finish_orbaline();
        automation::reset();
        set_orbaline_directory_override("");
    }

    void write_settings(const std::vector<uint8_t>& bytes) {
        write_raw(program.path("oq1000s.prm"), std::string(bytes.begin(), bytes.end()));
    }

    // Starts the program; true when it reached its message loop.
    bool start() {
        started = start_orbaline(nullptr, nullptr, SW_SHOWNORMAL, &exit_code);
        if (started) {
            automation::set_accelerators(shell().frame_window, shell().accelerators);
            automation::run_until_idle();
        }
        return started;
    }

    // Opens the list through the open dialog; a chart that must be made
    // first shows a notice, answered here.
    bool open_list(const std::string& name, bool answer_stale_notice = true) {
        automation::answer_next_file_dialog(name);
        if (answer_stale_notice) automation::answer_next_message_box(IDOK);
        const bool chosen = automation::choose_menu_command(kOpenCommand);
        automation::run_until_idle();
        return chosen;
    }

    // A point inside the n-th row on screen (from 0), for clicks.
    static int row_y(int n) { return n * chart_metrics().row_pitch() + chart_metrics().row_pitch() / 2; }

    HWND frame() const { return shell().frame_window; }
    HWND view() const { return shell().chart; }
    HWND button(int id) const { return shell().page_buttons[id - kNextButtonId]; }
    bool popup_greyed(int position) const {
        return (GetMenuState(GetMenu(frame()), static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
    }
    bool item_greyed(UINT id) const { return (automation::menu_item_state(id) & MF_GRAYED) != 0; }
    std::string text_of(HWND window) const { return automation::window_text(window); }
    static std::string message(int id) { return message_text(id); }
    const automation::MessageBoxRecord* last_box() const {
        const auto& boxes = automation::message_boxes();
        return boxes.empty() ? nullptr : &boxes.back();
    }

    ScopedPlatformHome home;
    TempDir program;
    TempDir dir;
    bool started = false;
    int exit_code = 0;
};
