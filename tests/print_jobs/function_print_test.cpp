// The function print: one page per function of the range, the page
// form under each, the footer of the .hd2 file at the form's $FT field, the
// printer's failures and the user's cancel.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/print/print_status.h"
#include "common/text/message_table.h"
#include "notarix/formatter/field_form.h"
#include "platform/kernel/profile.h"
#include "tests/common/pdf_pages.h"
#include "tests/print_jobs/print_jobs_fixture.h"

namespace {

// 【 関数仕様書印刷 】
const std::string kCaption = "\x81y \x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x88\xf3\x8d\xfc \x81z";

class SpecPrintTest : public PrintJobsTest {
protected:
    void SetUp() override {
        PrintJobsTest::SetUp();
        spec_print_state().find_footer_field = [](const std::string& fms, int& column, int& row) {
            return find_fms_field_position(fms.c_str(), kFieldFooter, column, row);
        };
        open_document_text(kTwoFunctions);
        write_header(".hd2", "Head\r\n&N|&P|&f\r\n");
    }
    int pdf_page_count() const {
        if (print_job_records().empty()) return 0;
        return pdf_pages(read_raw(print_job_records().back().path)).count;
    }
    // The footers printed, in order.
    std::vector<PrintedLine> footers() const {
        std::vector<PrintedLine> out;
        for (const PrintedLine& line : printed_lines()) {
            if (line.text.find('|') != std::string::npos) out.push_back(line);
        }
        return out;
    }
};

TEST_F(SpecPrintTest, OnePagePerFunctionWithItsFooter) {
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_EQ(pdf_page_count(), 2);
    const std::vector<PrintedLine> lines = printed_lines();
    const PrintedLine* first = find_line(lines, "alpha first");
    const PrintedLine* beta = find_line(lines, "beta");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(beta, nullptr);
    EXPECT_EQ(first->page, 1);
    EXPECT_EQ(beta->page, 2);
    // the form under each page
    int forms = 0;
    for (const PrintedLine& line : lines) forms += line.text == "FORM";
    EXPECT_EQ(forms, 2);

    // the footer stands at row 81, column 2 of the page grid (cells of 99 x
    // 51 units, top margin 1 - 4 + 3 rows, left margin 10 - 1 columns), one
    // cell below the move and 10 units up as pitched text is drawn
    const std::vector<PrintedLine> feet = footers();
    ASSERT_EQ(feet.size(), 2u);
    EXPECT_EQ(feet[0].text, "alpha|   1|doc.c");
    EXPECT_EQ(feet[0].page, 1);
    EXPECT_EQ(feet[0].x, 9 * 51 + 51);
    EXPECT_EQ(feet[0].y, 80 * 99 - 99 + 99 - 10);
    EXPECT_EQ(feet[1].text, "beta|   2|doc.c");
    EXPECT_EQ(feet[1].page, 2);
    const PageRecordState& g = spec_print_state().geometry;
    EXPECT_EQ(g.page_cell_height, 99);
    EXPECT_EQ(g.page_cell_width, 51);
}

TEST_F(SpecPrintTest, TheRangeAndTheFirstPageNumber) {
    settings.first_function = 2;
    settings.first_page_number = 5;
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_EQ(pdf_page_count(), 1);
    ASSERT_EQ(footers().size(), 1u);
    EXPECT_EQ(footers()[0].text, "beta|   5|doc.c");

    // a last function beyond the document prints up to its end
    clear_drawing_log();
    settings.first_function = 1;
    settings.last_function = 99;
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_EQ(pdf_page_count(), 2);

    // a last function below the first prints no function
    clear_drawing_log();
    settings.first_function = 2;
    settings.last_function = 1;
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_TRUE(footers().empty());
}

TEST_F(SpecPrintTest, AFirstFunctionOfZeroIsTheFirst) {
    settings.first_function = 0;
    settings.last_function = 1;
    EXPECT_EQ(print_spec(settings), 0);
    ASSERT_EQ(footers().size(), 1u);
    EXPECT_EQ(footers()[0].text, "alpha|   1|doc.c");
}

TEST_F(SpecPrintTest, AFirstFunctionBeyondTheDocument) {
    settings.first_function = 3;
    EXPECT_EQ(print_spec(settings), 30);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, kCaption);
    EXPECT_EQ(boxes_[0].second, format_text(lookup_message(5), 3));
    EXPECT_TRUE(print_job_records().empty());
}

TEST_F(SpecPrintTest, FooterAtTheFormsFieldOrNone) {
    write_raw(work.path("mine.lis"), kSmallForm);
    write_raw(work.path("mine.fms"), "$NM(7,16:1,40)\r\n$FT(70,0:1,40)\r\n");
    settings.layout_file = work.path("mine");
    EXPECT_EQ(print_spec(settings), 0);
    // column 0 stays column 0
    ASSERT_EQ(footers().size(), 2u);
    EXPECT_EQ(footers()[0].x, 9 * 51);
    EXPECT_EQ(footers()[0].y, 69 * 99 - 99 + 99 - 10);

    // without $FT no footer, but the pages count on
    clear_drawing_log();
    write_raw(work.path("mine.fms"), "$NM(7,16:1,40)\r\n");
    settings.first_page_number = 3;
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_TRUE(footers().empty());
    EXPECT_EQ(spec_print_state().page_number, 5);
}

TEST_F(SpecPrintTest, WithoutAHeaderFileTheUserIsAsked) {
    settings.header_base.clear();
    EXPECT_EQ(print_spec(settings), 20);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].first, kCaption);
    EXPECT_EQ(questions[0].second, std::string(lookup_message(607)) + "\n" + lookup_message(803));
    EXPECT_TRUE(print_job_records().empty());

    settings.header_base = work.path("missing");
    answers.push_back(true);
    EXPECT_EQ(print_spec(settings), 0);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[1].second,
              work.path("missing.hd2") + "\n" + lookup_message(606) + "\n" + lookup_message(803));
    EXPECT_EQ(pdf_page_count(), 2);
    EXPECT_TRUE(footers().empty());
}

TEST_F(SpecPrintTest, NoPrinterAndAPrinterThatFailsUnderTheJob) {
    WriteProfileStringA("windows", "device", "");
    EXPECT_EQ(print_spec(settings), -2);
    ASSERT_FALSE(boxes_.empty());
    EXPECT_EQ(boxes_.back().second, lookup_message(305));
    delete_setup_printer_dc();

    WriteProfileStringA("windows", "device", "PDF Printer,pdfdriver,LPT1:");
    fail_next_print_call("EndPage");
    EXPECT_EQ(print_spec(settings), -2);
}

// A job that fails under the printer, or before its first page, delivers
// nothing; its status says what failed, and the next job prints.
TEST_F(SpecPrintTest, AFailedJobIsTakenBackWholeAndTheNextOnePrints) {
    struct Case {
        const char* what;
        const char* failing_call;
        const char* full_disk;
        const char* layout_file;
        int result;  // -2 the printer device failed, 5 a file could not be opened
    };
    const Case cases[] = {
        {"EndDoc refused", "EndDoc", nullptr, nullptr, -2},
        {"EndPage refused", "EndPage", nullptr, nullptr, -2},
        {"full print folder", nullptr, ".pdf", nullptr, -2},
        {"missing layout file", nullptr, nullptr, "missing", 5},
    };
    for (const Case& c : cases) {
        clear_print_job_records();
        settings.layout_file = c.layout_file != nullptr ? work.path(c.layout_file) : "";
        if (c.failing_call != nullptr) fail_next_print_call(c.failing_call);
        crt_set_full_disk(c.full_disk);
        EXPECT_EQ(print_spec(settings), c.result) << c.what;
        crt_set_full_disk(nullptr);
        if (c.layout_file != nullptr) {
            EXPECT_NE(print_status_text(c.result, kPrintJobStatus).find(c.layout_file), std::string::npos);
        }
        EXPECT_EQ(print_folder_files(), std::vector<std::string>{}) << c.what;
        ASSERT_EQ(print_job_records().size(), 1u) << c.what;
        EXPECT_TRUE(print_job_records()[0].aborted) << c.what;

        settings.layout_file.clear();
        EXPECT_EQ(print_spec(settings), 0) << c.what;
        EXPECT_EQ(pdf_page_count(), 2) << c.what;
        std::filesystem::remove(print_job_records().back().path);
    }
}

TEST_F(SpecPrintTest, CancelStopsBeforeTheNextFunction) {
    CancelWindow cancel(abort_);
    cancel.press();  // seen at the first page's end
    EXPECT_EQ(print_spec(settings), 20);
    EXPECT_EQ(find_line(printed_lines(), "beta"), nullptr);
}

TEST_F(SpecPrintTest, RecordsOfTheRangeAreCounted) {
    spec_print_state().first_function = 1;
    spec_print_state().last_function = 2;
    // the first page from the top of the file to its ZC, the second after it
    EXPECT_EQ(count_print_records(), 11 + 4);
    spec_print_state().first_function = 2;
    EXPECT_EQ(count_print_records(), 4);
    document_state().file.close();
    EXPECT_EQ(count_print_records(), 0);
}

TEST_F(SpecPrintTest, APageSetUpWithTheFirstGridsGivesItsCells) {
    spec_print_state().geometry = PageRecordState{};
    const std::vector<std::string> records = {"ZO:"};
    LineListRecordSource source(records);
    SpecPrinterBackend backend;
    render_spec_records(kReplayForm, source, backend);
    EXPECT_EQ(spec_print_state().geometry.page_cell_height, 99);  // 8130 / 82
    EXPECT_EQ(spec_print_state().geometry.page_cell_width, 29);   // 5664 / 194
}

// A pause record waited for a key on standard input; on the printer it does
// nothing and the page goes on.
TEST_F(SpecPrintTest, APauseRecordDoesNothing) {
    std::string text = kTwoFunctions;
    text.insert(text.find("ST:alpha first"), "KY:\n");
    open_document_text(text);
    EXPECT_EQ(print_spec(settings), 0);
    EXPECT_EQ(pdf_page_count(), 2);
    const std::vector<PrintedLine> lines = printed_lines();
    const PrintedLine* first = find_line(lines, "alpha first");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->page, 1);
}

}  // namespace
