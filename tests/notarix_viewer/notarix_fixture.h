// NOTARIX started in process: the platform's state directory and the
// program directory in fresh temporary directories, the shipped settings in
// the program directory, and documents made by the two converters.
#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/analysis/analysis_state.h"
#include "common/text/clock.h"
#include "common/shell/document.h"
#include "common/text/message_table.h"
#include "common/shell/settings_file.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "notarix/viewer/commands.h"
#include "notarix/viewer/frame.h"
#include "notarix/viewer/settings_layout.h"
#include "notarix/viewer/startup.h"
#include "platform/automation/automation.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

class NotarixTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        automation::set_screen_size(1024, 768);
        set_program_directory_override(program.path());
        write_settings(build_standard_settings(kNotarixSettings));
        // the page form every draw replays; without it each draw asks
        write_raw(program.path("nx1000.lis"), "BX:1,1,82,110\nMV:1,2,2\nST:FORM\n");
    }
    void TearDown() override {
        if (started) finish_notarix();
        automation::reset();
        set_program_directory_override("");
    }

    void write_settings(const std::vector<uint8_t>& bytes) {
        write_raw(program.path("nx1000s.prm"), std::string(bytes.begin(), bytes.end()));
    }

    // Starts the program; true when it reached its message loop.
    bool start(HINSTANCE previous = nullptr) {
        started = start_notarix(nullptr, previous, SW_SHOWNORMAL, &exit_code);
        if (started) {
            automation::set_accelerators(shell().frame_window, shell().accelerators);
            automation::run_until_idle();
        }
        return started;
    }

    HWND frame() const { return shell().frame_window; }
    HWND button(int id) const { return shell().page_buttons[id - kNextButtonId]; }
    bool popup_greyed(int position) const {
        return (GetMenuState(GetMenu(frame()), static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
    }
    bool item_greyed(UINT id) const { return (automation::menu_item_state(id) & MF_GRAYED) != 0; }
    std::string text_of(HWND window) const { return automation::window_text(window); }
    RECT window_rect(HWND window) const {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }

    static std::string message(int id) { return lookup_message(id); }

    // The converter and the formatter on a test source copied into dir;
    // gives the source's path.
    std::string generate(const std::string& fixture) {
        const std::string data = std::string(TEST_DATA_DIR) + "/";
        reset_analysis_state(kNotarixAnalysis);
        set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
        const std::string source = dir.path(fixture + ".c");
        write_raw(source, read_raw(data + "nx1011s/" + fixture + ".c"));
        write_raw(dir.path("nx1000.css"), read_raw(data + "nx1012/common.css"));
        const std::string error = "-e" + dir.path("nx1000.err");
        const int converter = call(run_function_spec_converter,
                                   {"nx1011s", source, error, "-v0", "-i10", "-d3", "-H0", "-mf", "-X8417", ""});
        const int formatter = call(run_spec_formatter, {"nx1012", "-s2", "-c" + dir.path("nx1000.css"), error, "-f",
                                                        "-X8417", source});
        reset_clock_for_tests();
        reset_analysis_state(kNotarixAnalysis);
        EXPECT_EQ(converter, 0);
        EXPECT_EQ(formatter, 0);
        return source;
    }

    // Opens a document through the file menu's open dialog.
    bool open_through_menu(const std::string& name) {
        automation::answer_next_file_dialog(name);
        return automation::choose_menu_command(kOpenCommand);
    }

    static int call(int (*entry)(int, char**), std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return entry(static_cast<int>(argv.size()), argv.data());
    }

    ScopedPlatformHome home;
    TempDir program;
    TempDir dir;
    bool started = false;
    int exit_code = 0;
};
