// GRAVLET started in process: the platform's state directory and the
// program directory in fresh temporary directories, the shipped settings in
// the program directory, and PAD files the generator makes of test sources.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/analysis/analysis_state.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/text/message_table.h"
#include "common/text/text_helpers.h"
#include "common/viewer/frame.h"
#include "common/viewer/generation_run.h"
#include "gravlet/converter/gx1002s.h"
#include "gravlet/pad/settings_layout.h"
#include "gravlet/viewer/commands.h"
#include "gravlet/viewer/generation.h"
#include "gravlet/viewer/gravlet_frame.h"
#include "gravlet/viewer/gravlet_state.h"
#include "gravlet/viewer/startup.h"
#include "platform/automation/automation.h"
#include "platform/kernel/file_io.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

class GravletTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        automation::set_screen_size(1024, 768);
        reset_analysis_state(kGravletAnalysis);
        set_gravlet_directory_override(program.path());
        write_settings(build_standard_settings(kGravletSettings));
    }
    void TearDown() override {
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        if (started) finish_gravlet();
        automation::reset();
        set_gravlet_directory_override("");
        set_pad_generator_entry({});
        reset_analysis_state(kGravletAnalysis);
    }

    void write_settings(const std::vector<uint8_t>& bytes) {
        write_raw(program.path("gx1000s.prm"), std::string(bytes.begin(), bytes.end()));
    }
    // The shipped settings with one word changed.
    void use_setting(const SettingsField& field, int value) {
        SettingsRecord record(kGravletSettings);
        record.set_standard_values();
        record.set_word(field, value);
        write_settings(std::vector<uint8_t>(record.bytes().begin(), record.bytes().end()));
    }
    // The settings file as it is on disk now.
    SettingsRecord settings_on_disk() const {
        SettingsRecord record(kGravletSettings);
        const std::string bytes = read_raw(program.path("gx1000s.prm"));
        std::copy(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), record.bytes().size()),
                  record.bytes().begin());
        return record;
    }

    // Starts the program; true when it reached its message loop.
    bool start() {
        // the module's handle as the headless runner gives it, so that the
        // program's own cursors and bitmaps load
        started = start_gravlet(reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)), nullptr,
                                SW_SHOWNORMAL, &exit_code);
        if (started) {
            automation::set_accelerators(shell().frame_window, shell().accelerators);
            automation::run_until_idle();
        }
        return started;
    }

    HWND frame() const { return shell().frame_window; }
    HWND chart() const { return shell().chart; }
    HWND button(int id) const { return shell().page_buttons[id - kNextButtonId]; }
    bool popup_greyed(int position) const {
        return (GetMenuState(GetMenu(frame()), static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
    }
    // Names as the program keeps them: the chooser and the program directory
    // lower-case them.
    static std::string lower(std::string path) {
        to_lower_ascii(path);
        return path;
    }
    static std::string message(int id) {
        const char* text = lookup_message(id);
        return text != nullptr ? text : "";
    }

    // A test source copied into dir (from the viewer's data or the scenarios').
    std::string copy_source(const std::string& name) {
        std::string from = std::string(TEST_DATA_DIR) + "/gravlet_viewer/" + name;
        if (!crt_exists(from.c_str())) from = std::string(TEST_DATA_DIR) + "/scenario_sources/gravlet/" + name;
        const std::string to = dir.path(name);
        write_raw(to, read_raw(from));
        return to;
    }
    // The PAD file of a source, made by the generator with the settings' vector.
    std::string generate(const std::string& name) {
        const std::string source = copy_source(name);
        reset_analysis_state(kGravletAnalysis);
        EXPECT_EQ(call_converter(run_pad_generator, pad_generator_arguments(source, "gx1000.err")), 0);
        reset_analysis_state(kGravletAnalysis);
        return source;
    }
    // Opens a source through the file menu's open dialog.
    bool open_through_menu(const std::string& name) {
        automation::answer_next_file_dialog(name);
        return automation::choose_menu_command(kOpenCommand);
    }
    // A source generated and opened: the usual start of a view test.
    void open_generated(const std::string& name) {
        ASSERT_TRUE(start());
        const std::string source = generate(name);
        ASSERT_TRUE(open_through_menu(source));
        ASSERT_TRUE(document_state().loaded);
    }

    ScopedPlatformHome home;
    TempDir program;
    TempDir dir;
    bool started = false;
    int exit_code = 0;
};
