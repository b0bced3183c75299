// ORBALINE's print and output parameter dialogs worked as a user would:
// validation in table order, the last page before the first (723), the
// orientation slots and standard texts, what 登録 writes, 取消 keeping
// the file and the printer choice, and 出力実行 running the output with the
// new box width; and the print commands of the menu that open them.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/text/text_helpers.h"
#include "common/viewer/print_dialogs.h"
#include "orbaline/chart/chart_messages.h"
#include "orbaline/chart/chart_settings.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/orbaline_state.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"
#include "resources/orbaline/orbaline_resources.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

using namespace orbaline_resources;

// 【 印刷パラメタ設定 】, 【 モジュール構造図出力パラメタ設定 】
const std::string kPrintTitle = "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const std::string kOutputTitle =
    "\x81y \x83\x82\x83W\x83\x85\x81[\x83\x8b\x8d\x5c\x91\xa2\x90}\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 "
    "\x81z";
std::string standard(int value) { return format_text("\x95W\x8f\x80(%3d)", value); }
std::string screen(int value) { return format_text("\x89\xe6\x96\xca(%3d)", value); }
size_t longest_line(const std::string& text) {
    size_t longest = 0;
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        longest = std::max(longest, end - at);
    }
    return longest;
}
// The chooser lower-cases the names it gives.
std::string lower(std::string text) {
    to_lower_ascii(text);
    return text;
}

class PrintDialogs : public OrbalineTest {
protected:
    void SetUp() override {
        OrbalineTest::SetUp();
        ASSERT_TRUE(start());
    }
    void TearDown() override {
        set_settings_writer_calls(nullptr);
        OrbalineTest::TearDown();
    }
    static HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
    static void type(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }
    static std::string shown(int id) { return automation::window_text(control(id)); }
    static bool checked(int id) { return automation::check_state(control(id)) == BST_CHECKED; }
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    static void press_for_box(int button) {
        automation::answer_next_message_box(IDOK);
        automation::press_button(button);
    }
    std::string file() const { return read_raw(program.path("oq1000s.prm")); }
    int file_word(const SettingsField& field, int slot = 0) const {
        const std::string bytes = file();
        const size_t at = field.offset + static_cast<size_t>(slot) * 2;
        return static_cast<uint8_t>(bytes.at(at)) | static_cast<uint8_t>(bytes.at(at + 1)) << 8;
    }
    std::string file_text(const SettingsField& field) const {
        const std::string bytes = file().substr(field.offset, field.width);
        return bytes.substr(0, bytes.find('\0'));
    }
    static std::string bad_value(const std::string& typed) { return message_with_text(0, typed.c_str()); }
    int run(UINT command) { return run_chart_command(frame(), command); }
};

TEST_F(PrintDialogs, PrintDialogRefusesInTableOrderThenALastPageBeforeTheFirst) {
    const std::string before = file();
    struct Case {
        int id;
        std::string bad, good;
    };
    const std::vector<Case> cases = {
        {kLinesPerPageField, "29", "69"},          {kCharsPerLineField, "199", "198"},
        {kPrintTopMarginField, "7", "4"},          {kPrintLeftMarginField, "-1", "0"},
        {kPrintFirstPageNumberField, "1000", "1"}, {kPrintFirstPageField, "0", "1"},
        {kPrintLastPageField, "1000", "999"},      {kPrintBoxWidthField, "7", "8"},
        {kPrintBoxLinesField, "0", "1"},           {kPrintBoxLinesField, "6", "5"},
    };
    std::vector<std::function<void()>> acts;
    for (size_t i = 0; i <= cases.size(); ++i) {
        acts.push_back([&, i] {
            if (i > 0) {
                EXPECT_EQ(last_box()->text, bad_value(cases[i - 1].bad)) << "case " << i - 1;
                EXPECT_EQ(last_box()->caption, kPrintTitle);
                type(cases[i - 1].id, cases[i - 1].good);
            }
            if (i < cases.size()) {
                type(cases[i].id, cases[i].bad);
                press_for_box(IDOK);
            }
        });
    }
    acts.push_back([] {
        type(kPrintFirstPageField, "3");
        type(kPrintLastPageField, "2");
        press_for_box(IDOK);
    });
    acts.push_back([this] {
        EXPECT_EQ(last_box()->text, format_text(message(kMsgLastPageBeforeFirst).c_str(), 2));
        automation::press_button(IDCANCEL);
    });
    steps(std::move(acts));
    EXPECT_EQ(run(kPrintParametersCommand), 0);
    EXPECT_EQ(automation::message_boxes().size(), cases.size() + 1);
    EXPECT_TRUE(file() == before);
}

TEST_F(PrintDialogs, OrientationSlotsChecksAndNamesAreWrittenByRegister) {
    steps({[] {
               EXPECT_EQ(shown(kStandardLinesText), standard(69));
               EXPECT_EQ(shown(kScreenBoxWidthText), screen(8));
               EXPECT_EQ(shown(kScreenBoxLinesText), screen(1));
               EXPECT_TRUE(checked(kPrintFileLineCheck));
               EXPECT_FALSE(checked(kPrintBlockNumbersCheck));
               EXPECT_TRUE(checked(kPrintReferenceNumbersCheck));
               type(kPrintTopMarginField, "2");
               automation::set_checked(control(kPortraitRadio), true);
           },
           [] {
               EXPECT_EQ(shown(kStandardTopText), standard(1));
               EXPECT_EQ(shown(kStandardLeftText), standard(10));
               EXPECT_EQ(shown(kPrintTopMarginField), "1");
               type(kPrintTopMarginField, "6");
               type(kLinesPerPageField, "45");
               automation::set_checked(control(kPrintFileLineCheck), false);
           },
           [] { automation::set_checked(control(kPrintBlockNumbersCheck), true); },
           [] { automation::set_checked(control(kCoverCheck), true); },
           [] {
               type(kPrintFirstPageField, "2");
               type(kPrintLastPageField, "2");
               type(kPrintBoxWidthField, "12");
               type(kPrintBoxLinesField, "3");
               type(kPrintHeaderField, "chart");
               type(kSourcePrintField, "all.c");
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run(kPrintParametersCommand), 1);
    EXPECT_EQ(file_word(oq_settings::kOrientation), 1);
    EXPECT_EQ(file_word(oq_settings::kPrintTopMargin, 0), 2);
    EXPECT_EQ(file_word(oq_settings::kPrintTopMargin, 1), 6);
    EXPECT_EQ(file_word(oq_settings::kPrintLinesPerPage, 0), 69);
    EXPECT_EQ(file_word(oq_settings::kPrintLinesPerPage, 1), 45);
    EXPECT_EQ(file_word(oq_settings::kPrintFileAndLine), 0);
    EXPECT_EQ(file_word(oq_settings::kPrintBlockNumbers), 1);
    EXPECT_EQ(file_word(oq_settings::kPrintReferenceNumbers), 1);
    EXPECT_EQ(file_word(oq_settings::kCoverOnPrintAll), 1);
    EXPECT_EQ(file_word(oq_settings::kPrintFirstPage), 2);
    EXPECT_EQ(file_word(oq_settings::kPrintLastPage), 2);
    EXPECT_EQ(file_word(oq_settings::kPrintBoxWidth), 12);
    EXPECT_EQ(file_word(oq_settings::kPrintBoxLines), 3);
    EXPECT_EQ(file_text(oq_settings::kPrintHeaderBase), "chart");
    EXPECT_EQ(file_text(oq_settings::kSourcePrintFile), "all.c");
}

TEST_F(PrintDialogs, CancelKeepsTheFileAndThePrinterChosenMeanwhile) {
    const std::string before = file();
    automation::answer_next_printer_dialog(true);
    automation::answer_next_font_dialog("IPAGothic", 11);
    steps({[] {
               type(kPrintBoxWidthField, "20");
               automation::press_button(kPrinterButton);
           },
           [] { automation::press_button(kFontButton); }, [] { automation::press_button(IDCANCEL); }});
    EXPECT_EQ(run(kPrintParametersCommand), 0);
    EXPECT_TRUE(file() == before);
    EXPECT_EQ(shell_settings().word(oq_settings::kPrintBoxWidth), 8);
    ASSERT_EQ(automation::common_dialogs().size(), 2u);
    EXPECT_EQ(automation::common_dialogs()[0].kind, automation::CommonDialogKind::printer);
    EXPECT_STREQ(shell().print_font.lfFaceName, "IPAGothic");
}

TEST_F(PrintDialogs, LongNamesAreRefusedWithTheirMessages) {
    const std::string long_path = std::string(114, 'p');
    steps({[&] {
               type(kSourcePrintField, long_path);
               press_for_box(IDOK);
           },
           [&] {
               EXPECT_EQ(last_box()->text, message_with_text(207, long_path.c_str()));
               type(kSourcePrintField, "");
               type(kPrintHeaderField, std::string(64, 'h'));
               press_for_box(IDOK);
           },
           [this] {
               EXPECT_EQ(last_box()->text, bad_value(std::string(64, 'h')));
               automation::press_button(IDCANCEL);
           }});
    EXPECT_EQ(run(kPrintParametersCommand), 0);
}

TEST_F(PrintDialogs, AFailedSettingsWriteShowsMessage727) {
    static const SettingsWriterCalls failing_rename = {crt_write, crt_close,
                                                       [](const char*, const char*) { return -1; }};
    set_settings_writer_calls(&failing_rename);
    steps({[] { press_for_box(IDOK); }});
    EXPECT_EQ(run(kPrintParametersCommand), 1);
    EXPECT_EQ(last_box()->text, message(kMsgSettingsNotSaved));
    EXPECT_EQ(last_box()->caption, kPrintTitle);
}

// --- OUTPADDLG ------------------------------------------------------------------------------

TEST_F(PrintDialogs, OutputNeedsAChartAndRefusesBadNumbersInOrder) {
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(run(kOutputParametersCommand), -1);
    EXPECT_EQ(last_box()->text, message(kMsgSelectFile));

    ASSERT_TRUE(open_list(dir.path("two.nam")));
    const std::string before = file();
    const size_t boxes = automation::message_boxes().size();
    steps({[] {
               EXPECT_EQ(shown(kOutputScreenWidthText), screen(8));
               EXPECT_EQ(shown(kOutputScreenLinesText), screen(1));
               type(kOutputBoxWidthField, "33");
               type(kOutputTopMarginField, "7");
               press_for_box(IDOK);
           },
           [this] {
               EXPECT_EQ(last_box()->text, bad_value("7"));
               EXPECT_EQ(last_box()->caption, kOutputTitle);
               type(kOutputTopMarginField, "0");
               press_for_box(kRunButton);
           },
           [this] {
               EXPECT_EQ(last_box()->text, bad_value("33"));
               type(kOutputBoxWidthField, "8");
               type(kOutputBoxLinesField, "6");
               press_for_box(IDOK);
           },
           [this] {
               EXPECT_EQ(last_box()->text, bad_value("6"));
               automation::press_button(IDCANCEL);
           }});
    EXPECT_EQ(run(kOutputParametersCommand), 0);
    EXPECT_EQ(automation::message_boxes().size(), boxes + 3);
    EXPECT_TRUE(file() == before);
}

TEST_F(PrintDialogs, RunNowStoresTheValuesAndWritesTheOutputWithTheNewBoxWidth) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    const std::string output = dir.path("chart-out.txt");
    steps({[&] {
        EXPECT_EQ(lower(shown(kOutputFileField)), lower(dir.path("two.txt")));
        type(kOutputFileField, output);
        type(kOutputBoxWidthField, "20");
        automation::set_checked(control(kOutputBlockNumbersCheck), true);
        automation::press_button(kRunButton);
    }});
    automation::answer_next_message_box(IDYES);  // go on without a heading file
    run(kOutputParametersCommand);
    EXPECT_EQ(file_word(oq_settings::kOutputBoxWidth), 20);
    EXPECT_EQ(file_word(oq_settings::kOutputBlockNumbers), 1);
    EXPECT_EQ(orbaline().output_name, output);
    EXPECT_EQ(file().find("chart-out"), std::string::npos);  // the name lives in memory only
    const std::string wide = read_raw(output);
    ASSERT_FALSE(wide.empty());

    // the same chart at the narrowest box width takes narrower lines
    shell_settings().set_word(oq_settings::kOutputBoxWidth, 8);
    ASSERT_EQ(write_settings_file(shell_settings(), document_state().program_directory), kSettingsOk);
    automation::answer_next_message_box(IDYES);
    run(kOutputCommand);
    EXPECT_GT(longest_line(wide), longest_line(read_raw(output)) + 20);
}

}  // namespace
