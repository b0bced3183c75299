// GRAVLET's PAD print and PAD output commands as the menu runs them: the
// open PAD handed to the print manager (a PDF of one page per function, the
// status text), a first function beyond the PAD refused with no job, the
// output's default file beside the source, and the meter's cancel.
#include <filesystem>
#include <string>

#include "gravlet/pad/messages.h"
#include "gravlet_fixture.h"
#include "tests/common/pdf_pages.h"

namespace {

class PadPrintCommandsTest : public GravletTest {
protected:
    std::string print_folder() const { return home.path() + "/print"; }
    int jobs() const {
        if (!std::filesystem::exists(print_folder())) return 0;
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(print_folder()))
            count += entry.path().extension() == ".pdf";
        return count;
    }
    std::string first_job() const {
        for (const auto& entry : std::filesystem::directory_iterator(print_folder()))
            if (entry.path().extension() == ".pdf") return read_raw(entry.path().string());
        return "";
    }
    std::string status() const { return automation::status_text(0); }
};

TEST_F(PadPrintCommandsTest, ThePadPrintsOnePagePerFunctionThroughThePrintManager) {
    open_generated("sample.c");
    automation::answer_next_message_box(IDOK);  // go on without a heading file
    ASSERT_TRUE(automation::choose_menu_command(kPrintPadCommand));
    ASSERT_EQ(jobs(), 1);
    EXPECT_EQ(pdf_pages(first_job()).count, 3);
    EXPECT_EQ(status(), message(302));  // 印刷を終了しました。
    EXPECT_FALSE(document_state().busy);
}

TEST_F(PadPrintCommandsTest, AFirstFunctionBeyondThePadIsRefusedWithNoJob) {
    use_setting(gx_settings::kPrintFirstFunction, 4);
    open_generated("sample.c");
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kPrintPadCommand));
    EXPECT_EQ(automation::message_boxes().back().text,
              format_text(message(gx_message::kPrintFirstBeyondLast).c_str(), 4));
    EXPECT_EQ(jobs(), 0);
}

TEST_F(PadPrintCommandsTest, TheOutputGoesBesideTheSourceUntilTheDialogNamesAnother) {
    open_generated("sample.c");
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kRunOutputCommand));
    EXPECT_EQ(lower(gravlet_commands().output_name), lower(dir.path("sample.txt")));
    EXPECT_FALSE(read_raw(dir.path("sample.txt")).empty());
    EXPECT_EQ(status(), message(gx_message::kOutputDone));
}

TEST_F(PadPrintCommandsTest, TheMetersCancelStopsTheOutputAndWritesNothing) {
    open_generated("sample.c");
    automation::answer_next_message_box(IDOK);
    automation::WindowSpec cancel;
    cancel.kind = automation::WindowSpec::Kind::class_name;
    cancel.text = "GXWMETER";
    automation::press_at_peek(1, cancel.child(500));
    ASSERT_TRUE(automation::choose_menu_command(kRunOutputCommand));
    EXPECT_FALSE(std::filesystem::exists(dir.path("sample.txt")));
    EXPECT_EQ(status(), format_text(message(gx_message::kInterrupted).c_str(),
                                    "\x82\x6f\x82\x60\x82\x63\x90\x7d\x8f\x6f\x97\xcd\x8f\x88\x97\x9d"));  // ＰＡＤ図出力処理
}

}  // namespace
