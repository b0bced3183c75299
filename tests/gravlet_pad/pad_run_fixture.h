// What the output and print run tests share: a program directory whose
// settings a test changes field by field, the run's input on a .pds of it,
// and the heading files it reads (the name with its extension, else looked
// up in KRT's first directory).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/text/clock.h"
#include "common/text/file_names.h"
#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_runs.h"
#include "gravlet/pad/settings_layout.h"
#include "platform/kernel/file_io.h"
#include "tests/gravlet_pad/pad_fixture.h"

namespace pad_test {

class PadRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_message_table(kGravletMessages);
        pad_run_state().reset();
        // 2026-12-09 02:43: the mark text "26-12-09 02:43".
        set_clock_for_tests(LocalTime{2026, 12, 9, 2, 43, 5});
        input.program_directory = ws.dir.path();
        use_pds(ws.fixture("output.pds", Form::Plain));
    }
    void TearDown() override {
        reset_clock_for_tests();
        pad_run_state().reset();
        set_message_table(kNotarixMessages);
    }

    void use_pds(const std::string& path) {
        input.pds_path = path;
        input.source_path = path.substr(0, path.size() - 4) + ".c";
    }

    // Changes fields of the settings file in the program directory.
    template <typename F>
    void change_settings(F change) {
        SettingsRecord record(kGravletSettings);
        ASSERT_EQ(read_settings_file(record, ws.dir.path()), kSettingsOk);
        change(record);
        ASSERT_EQ(write_settings_file(record, ws.dir.path()), kSettingsOk);
    }

    Workspace ws;
    RecordingHost host;
    PadRunInput input;
};

}  // namespace pad_test
