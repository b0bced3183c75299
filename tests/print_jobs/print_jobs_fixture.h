// Print jobs under test: a clean printing state in a state directory of
// their own (the print fixture), a program directory with a page form, a
// small document opened as the viewer opens one, and the boxes and status
// texts of the jobs recorded instead of shown.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "common/print/list_print.h"
#include "common/print/print_settings.h"
#include "common/print/function_print.h"
#include "common/print/text_grid.h"
#include "common/shell/document.h"
#include "common/shell/window/progress_meter.h"
#include "common/text/clock.h"
#include "platform/automation/automation.h"
#include "tests/common/printed_lines.h"
#include "tests/common/temp_dir.h"
#include "tests/print/print_fixture.h"

// A two-function document in plain lines: the header lines, then each page
// up to its "ZC:".
inline const char kTwoFunctions[] =
    " [JOV:LIN:V1.00 \n"
    "OV:3\n"
    "ZO:\n"
    "PP:82,110\n"
    "SP:82,90\n"
    "#NAM:alpha\n"
    "MV:1,7,16\n"
    "ST:alpha first\n"
    "MV:1,9,16\n"
    "ST:second text\n"
    "ZC:\n"
    "#NAM:beta\n"
    "MV:1,7,16\n"
    "ST:beta\n"
    "ZC:\n";

// A page form: the portrait page, its grids, a box round the page and one text.
inline const char kSmallForm[] =
    "PF:14\n"
    "ZO:\n"
    "PP:82,110\n"
    "SP:82,100\n"
    "BX:1,1,82,110\n"
    "MV:1,2,2\n"
    "ST:FORM\n";

class PrintJobsTest : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        document_state().reset();
        document_state().program_directory = program.path();
        spec_print_state().reset();
        spec_print_state().find_footer_field = nullptr;
        list_job() = ListJob{};
        text_grid_backend().reset();
        progress_meter().reset();
        set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
        PrintHost& host = print_state().host;
        host.warn = [this](std::string_view caption, std::string_view text) {
            boxes_.emplace_back(std::string(caption), std::string(text));
        };
        host.ask = [this](std::string_view caption, std::string_view text) {
            questions.emplace_back(std::string(caption), std::string(text));
            if (answers.empty()) return false;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        };
        host.set_status_text = [this](int mode, const std::string& text) {
            statuses.push_back(mode == 1 ? text : std::string());
        };
        write_raw(program.path("nx1000.lis"), kSmallForm);
        settings.orientation = 1;
        settings.top_margin[1] = 1;
        settings.left_margin[1] = 10;
        settings.chars_per_line[1] = 126;
        settings.lines_per_page[1] = 100;
    }

    void TearDown() override {
        document_state().reset();
        spec_print_state().reset();
        reset_clock_for_tests();
        PrintFixture::TearDown();
    }

    // Writes a document into the work directory and opens it as the viewer
    // does: indexed, the file left open.
    void open_document_text(const std::string& text, const std::string& name = "doc.lin") {
        write_raw(work.path(name), text);
        DocumentState& doc = document_state();
        doc.file_name = work.path(name);
        doc.source_name = work.path("doc.c");
        ASSERT_EQ(index_document(doc, kNotarixDocument), kIndexOk);
        doc.loaded = true;
    }

    // A header file of the work directory, base name "head".
    void write_header(const std::string& extension, const std::string& lines) {
        write_raw(work.path("head" + extension), lines);
        settings.header_base = work.path("head");
        settings.text_header_base = work.path("head");
    }

    static std::vector<std::string> printed_texts() {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : printer_calls("TextOutA")) out.push_back(e.text);
        return out;
    }

    TempDir program;
    TempDir work;
    PrintSettings settings;
    std::deque<bool> answers;
    std::vector<std::pair<std::string, std::string>> questions;
    std::vector<std::string> statuses;
};
