// Shared ground for the form tests: a scratch directory, form files written
// from text, a recording host for the layout generator's progress and for
// the form grid's boxes and status texts, and readers of the results.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/print/ruled_lines.h"
#include "notarix/form/form_grid.h"
#include "notarix/form/form_host.h"
#include "notarix/form/layout_generator.h"
#include "platform/kernel/file_io.h"
#include "tests/common/generated_files.h"
#include "tests/common/recording_host.h"
#include "tests/common/temp_dir.h"

namespace form_test {

inline std::string data_path(const std::string& name) { return std::string(TEST_DATA_DIR) + "/layout/" + name; }
inline std::string default_form_path() { return std::string(TEST_DATA_DIR) + "/../../resources/notarix/nx1000.frm"; }

// Lines of a plain file (LF or CR LF).
inline std::vector<std::string> plain_lines(const std::string& path) { return crlf_text_lines(read_raw(path)); }

// A form's text: lines joined with CR LF, as a Windows editor saves them.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Every ruled-line character of a form's bytes rewritten in a code set.
inline std::string in_code_set(const std::string& bytes, RuledLineCodeSet set) {
    std::string out = bytes;
    for (size_t i = 0; i + 1 < out.size();) {
        const unsigned char lead = static_cast<unsigned char>(out[i]);
        if (!is_sjis_lead_byte(lead)) {
            ++i;
            continue;
        }
        const int entry = find_ruled_line_by_code(lead << 8 | static_cast<unsigned char>(out[i + 1]));
        if (entry >= 0) {
            const int code = ruled_line_entry_code(entry, set);
            out[i] = static_cast<char>(code >> 8);
            out[i + 1] = static_cast<char>(code & 0xFF);
        }
        i += 2;
    }
    return out;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset_analysis_state(kNotarixAnalysis);
        open_at_start_ = crt_open_count();
        set_form_host(FormHost{
            .show_status = [this](const std::string& text) { events_.push_back("status " + text); },
            .restore_status = [this] { events_.push_back("status default"); },
            .beep = [this] { events_.push_back("beep"); },
            .warn = [this](const std::string& caption, const std::string& text) {
                events_.push_back("warn " + caption + " " + text);
            },
            .create_drawing_tools = [this] { events_.push_back("tools"); },
            .delete_drawing_tools = [this] { events_.push_back("no tools"); },
            .form_replaced = [this] { events_.push_back("replaced"); },
        });
    }

    void TearDown() override {
        set_form_host(FormHost{});
        free_form_grids();
        form_grids().code_set = kRuledLinesDosV;
        EXPECT_EQ(crt_open_count(), open_at_start_);
    }

    // A file of the scratch directory with these bytes; its path.
    std::string write_file(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.path(name);
        write_raw(path, bytes);
        return path;
    }
    std::string copy_data(const std::string& name, const std::string& as = "") {
        return write_file(as.empty() ? name : as, read_raw(data_path(name)));
    }

    std::string error_file() const { return dir_.path("nx1000.erf"); }

    int run(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        return run_layout_generator(static_cast<int>(argv.size()), argv.data());
    }
    // The editor's call: the form and the error file.
    int generate(const std::string& form) { return run({"nx1012", form, "-e" + error_file()}); }

    // The plain lines of the run's results.
    std::vector<std::string> lis_of(const std::string& form) { return scrambled_file_lines(with_extension(form, ".lis")); }
    std::vector<std::string> fms_of(const std::string& form) { return scrambled_file_lines(with_extension(form, ".fms")); }

    TempDir dir_;
    RecordingHost host_;
    std::vector<ProgressReport>& reports_ = host_.reports;
    std::vector<std::string> events_;
    int& cancel_at_ = host_.cancel_at;

private:
    int open_at_start_ = 0;
};

}  // namespace form_test
