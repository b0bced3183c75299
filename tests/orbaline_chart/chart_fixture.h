// Shared ground for the chart tests: a scratch folder with a program folder
// holding the shipped settings, the chart session reset and its hooks
// connected to recorders, and helpers that write and read tree files.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "common/shell/settings_file.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_output.h"
#include "orbaline/chart/chart_session.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/chart/checked_file.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "tests/common/generated_files.h"
#include "tests/common/temp_dir.h"

namespace chart_test {

inline std::string shipped_settings_path() { return std::string(TEST_DATA_DIR) + "/../../resources/orbaline/oq1000s.prm"; }
inline std::string chart_data(const std::string& name) { return std::string(TEST_DATA_DIR) + "/chart/" + name; }

inline std::string header_line() { return " [JOV:TRD:V1.00 ]"; }

// The bytes of a tree file: each line scrambled with its number (or plain),
// ended by CR LF as the writers leave them.
inline std::string trd_bytes(const std::vector<std::string>& lines, bool scrambled = true) {
    std::string bytes;
    std::string encoded;
    int number = 0;
    for (const std::string& line : lines) {
        if (scrambled) {
            scramble_line(line, encoded, ++number);
            bytes += encoded;
        } else {
            bytes += line;
        }
        bytes += "\r\n";
    }
    return bytes;
}

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        open_at_start_ = crt_open_count();
        blocks_at_start_ = platform_live_global_blocks();
        program_ = dir_.path("program");
        std::filesystem::create_directory(program_);
        write_raw(program_ + "/oq1000s.prm", read_raw(shipped_settings_path()));
        crt_putenv(("KRT=" + program_).c_str());
        reset_shell_settings(kOrbalineSettings);
        chart_output_state().reset();

        ChartSession& s = session();
        s.reset();
        s.hooks = ChartHooks{};
        s.program_directory = program_;
        s.hooks.message_box = [this](const ChartBox& box) {
            boxes_.push_back(box);
            // a notice beeps as it shows
            if (box.kind == ChartBoxKind::Notice) ++beeps_;
            if (answers_.empty()) return 1;
            const int answer = answers_.front();
            answers_.pop_front();
            return answer;
        };
        s.hooks.message_line = [this](int mode, const std::string& text) {
            if (mode == 1) lines_.push_back(text);
        };
        s.hooks.beep = [this] { ++beeps_; };
    }

    void TearDown() override {
        close_chart(session());
        session().reset();
        session().hooks = ChartHooks{};
        fail_checked_writes_from(-1);
        platform_fail_next_allocations(0);
        crt_putenv("KRT=");
        EXPECT_EQ(crt_open_count(), open_at_start_);
        EXPECT_EQ(platform_live_global_blocks(), blocks_at_start_);
    }

    static ChartSession& session() { return chart_session(); }

    // Writes a chart into the scratch folder; returns its path.
    std::string write_chart(const std::string& name, const std::vector<std::string>& lines, bool scrambled = true) {
        const std::string path = dir_.path(name);
        write_raw(path, trd_bytes(lines, scrambled));
        return path;
    }

    // Copies a fixture of tests/data/chart into the scratch folder.
    std::string copy_fixture(const std::string& name) {
        const std::string path = dir_.path(name);
        write_raw(path, read_raw(chart_data(name)));
        return path;
    }

    // Puts a folder, or a link to `target` outside (written afresh), where
    // the program makes a file of its own.
    static void block_name(const std::string& name, bool link, const std::string& target) {
        std::filesystem::remove_all(name);
        if (link) {
            write_raw(target, "outside");
            std::filesystem::create_symlink(target, name);
        } else {
            std::filesystem::create_directory(name);
        }
    }

    // Changes fields of the program folder's settings file.
    template <typename Change>
    void change_settings(Change change) {
        SettingsRecord record(kOrbalineSettings);
        ASSERT_EQ(read_settings_file(record, program_), kSettingsOk);
        change(record);
        ASSERT_EQ(write_settings_file(record, program_), kSettingsOk);
    }

    std::string message(int id) const { return orbaline_message_text(id); }

    // Decoded lines of a file written with CR LF line ends.
    static std::vector<std::string> decoded(const std::string& path) { return scrambled_file_lines(path, false); }

    TempDir dir_;
    std::string program_;
    std::vector<ChartBox> boxes_;
    std::vector<std::string> lines_;
    std::deque<int> answers_;  // answers to the boxes in turn; Yes once they run out
    int beeps_ = 0;
    int open_at_start_ = 0;
    int blocks_at_start_ = 0;
};

}  // namespace chart_test
