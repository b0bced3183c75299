// NOTARIX's print and output commands on a generated document: the
// function print to PDF, the list jobs, the full print in its order
// with the last result in the status bar, the cover without a document,
// and the text output under its default name.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/print/print_state.h"
#include "common/text/file_names.h"
#include "common/text/text_helpers.h"
#include "notarix/viewer/print_commands.h"
#include "platform/gdi/print_manager.h"
#include "tests/common/pdf_pages.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// "プリンタ出力："
const std::string kLead = "\x83v\x83\x8a\x83\x93\x83^\x8fo\x97\xcd\x81\x46";

class PrintCommandsTest : public NotarixTest {
protected:
    void SetUp() override {
        NotarixTest::SetUp();
        clear_print_job_records();
        for (const char* extension : {".hd0", ".hd1", ".hd2", ".hd3", ".hd4"})
            write_raw(dir.path(std::string("head") + extension), std::string("Head ") + extension + "\r\nFoot &P\r\n");
    }
    void open_headed() {
        generate("headed");
        ASSERT_TRUE(start());
        ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
        ASSERT_EQ(document_state().page_count, 6);
        use_header_files();
    }
    // The header files of the work directory, portrait paper; saved, as
    // the list jobs read the settings file again.
    void use_header_files() {
        SettingsRecord& r = shell_settings();
        r.set_text(nx_settings::kPrintHeaderBase, dir.path("head"));
        r.set_text(nx_settings::kTextHeaderBase, dir.path("head"));
        r.set_word(nx_settings::kOrientation, 1);
        ASSERT_EQ(write_settings_file(r, program.path()), kSettingsOk);
    }
    std::vector<int> job_pages() const {
        std::vector<int> pages;
        for (const PrintJobRecord& job : print_job_records()) pages.push_back(pdf_pages(read_raw(job.path)).count);
        return pages;
    }
    std::string status() const { return automation::status_text(); }
};

TEST_F(PrintCommandsTest, TheFunctionPagesPrintOnePagePerFunction) {
    open_headed();
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionPagesCommand));
    ASSERT_EQ(print_job_records().size(), 1u);
    const PrintJobRecord job = print_job_records()[0];
    EXPECT_FALSE(job.aborted);
    EXPECT_EQ(pdf_pages(read_raw(job.path)).count, 6);
    // the chosen name, lower-cased as the open dialog gives it
    std::string name = dir.path("headed.lin");
    to_lower_ascii(name);
    EXPECT_EQ(job.document_name, "NXW32_print[" + name + "]");
    EXPECT_EQ(status(), message(302));
    // the busy state is over
    EXPECT_FALSE(document_state().busy);
    EXPECT_FALSE(popup_greyed(kPrintPopup));
}

TEST_F(PrintCommandsTest, TheFullPrintRunsItsJobsInOrder) {
    open_headed();
    shell_settings().set_word(nx_settings::kCoverOnFullPrint, 1);
    ASSERT_EQ(write_settings_file(shell_settings(), program.path()), kSettingsOk);
    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    // cover, function list, summary, function pages, source
    const std::vector<int> pages = job_pages();
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_EQ(pages[0], 1);
    EXPECT_EQ(pages[3], 6);
    EXPECT_EQ(status(), message(302));
}

TEST_F(PrintCommandsTest, TheFullPrintShowsTheLastResult) {
    open_headed();
    shell_settings().set_text(nx_settings::kSourcePrintFile, dir.path("gone.c"));
    ASSERT_EQ(write_settings_file(shell_settings(), program.path()), kSettingsOk);
    ASSERT_TRUE(automation::choose_menu_command(kPrintAllCommand));
    // no cover: list, summary and function printed, the source not
    EXPECT_EQ(job_pages().size(), 3u);
    EXPECT_EQ(status(), kLead + message(100) + "(" + dir.path("gone.c") + ")");
}

TEST_F(PrintCommandsTest, ListJobsReadTheSettingsFileFirst) {
    open_headed();
    std::filesystem::remove(program.path("nx1000s.prm"));
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionListCommand));
    EXPECT_EQ(status(), kLead + message(103));
    EXPECT_TRUE(print_job_records().empty());

    std::vector<uint8_t> bytes = build_standard_settings(kNotarixSettings);
    bytes[2] = '2';  // version "2.00"
    write_settings(bytes);
    ASSERT_TRUE(automation::choose_menu_command(kPrintSummaryCommand));
    EXPECT_EQ(status(), kLead + message(104));
}

TEST_F(PrintCommandsTest, TheCoverNeedsNoDocument) {
    ASSERT_TRUE(start());
    use_header_files();
    SendMessageA(frame(), WM_COMMAND, kPrintCoverCommand, 0);
    ASSERT_EQ(job_pages(), std::vector<int>{1});
    EXPECT_EQ(status(), message(302));
    // the other jobs need one
    automation::answer_next_message_box(IDOK);
    SendMessageA(frame(), WM_COMMAND, kPrintFunctionPagesCommand, 0);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().text, message(117));
    EXPECT_EQ(print_job_records().size(), 1u);
}

TEST_F(PrintCommandsTest, AFirstFunctionOfZeroFromTheSettingsFile) {
    open_headed();
    shell_settings().set_word(nx_settings::kPrintFirstFunction, 0);
    shell_settings().set_word(nx_settings::kPrintLastFunction, 2);
    ASSERT_TRUE(automation::choose_menu_command(kPrintFunctionPagesCommand));
    EXPECT_EQ(job_pages(), std::vector<int>{2});
}

TEST_F(PrintCommandsTest, TheTextOutputGoesToTheSourceNameWithTxt) {
    open_headed();
    ASSERT_TRUE(automation::choose_menu_command(kRunOutputCommand));
    EXPECT_EQ(file_part(shell().text_output_name), "headed.txt");
    EXPECT_TRUE(std::filesystem::exists(dir.path("headed.txt")));
    EXPECT_EQ(status(), message(617));
    EXPECT_FALSE(document_state().busy);
}

}  // namespace
