// GRAVLET's print and output parameter dialogs worked as a user would: the
// refusals in table order, the orientation switch with its two slots and
// standard texts, the bytes 登録 writes, 取消 keeping the file and the
// printer and font chosen meanwhile, and 出力実行 running the output.
#include <functional>
#include <string>
#include <vector>

#include "common/viewer/print_dialogs.h"
#include "gravlet/pad/messages.h"
#include "gravlet/viewer/gravlet_dialogs.h"
#include "gravlet_fixture.h"
#include "platform/user/commdlg.h"
#include "resources/gravlet/gravlet_resources.h"

namespace {

using namespace gravlet_resources;

// 【 印刷パラメタ設定 】, 【 ＰＡＤ図出力パラメタ設定 】
const std::string kPrintTitle = "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const std::string kOutputTitle =
    "\x81y \x82o\x82`\x82" "c\x90}\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
// "標準(%3d)" and "画面(%3d)" as shown
std::string standard(int value) { return format_text("\x95W\x8f\x80(%3d)", value); }
std::string screen(int value) { return format_text("\x89\xe6\x96\xca(%3d)", value); }

class PrintDialogsTest : public GravletTest {
protected:
    void TearDown() override {
        set_settings_writer_calls(nullptr);
        GravletTest::TearDown();
    }
    static HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
    static void type(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }
    static std::string shown(int id) { return automation::window_text(control(id)); }
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    static void press_for_box(int button) {
        automation::answer_next_message_box(IDOK);
        automation::press_button(button);
    }
    static void check_for_box(int radio) {
        automation::answer_next_message_box(IDOK);
        automation::set_checked(control(radio), true);
    }
    static const automation::MessageBoxRecord& last_box() { return automation::message_boxes().back(); }
    std::string bad_value(const std::string& typed) const { return format_text(message(0).c_str(), typed.c_str()); }
    std::string file() const { return read_raw(program.path("gx1000s.prm")); }
    int file_word(const SettingsField& field, int slot = 0) const { return settings_on_disk().word(field, slot); }

    // Each case types a bad text, presses the button and expects message 0
    // for it; the good text goes back before the next case.
    struct Case {
        int id;
        std::string bad, good;
    };
    std::vector<std::function<void()>> refusals(const std::vector<Case>& cases, int button,
                                                const std::string& title) {
        std::vector<std::function<void()>> acts;
        for (size_t i = 0; i <= cases.size(); ++i) {
            acts.push_back([this, cases, i, button, title] {
                if (i > 0) {
                    EXPECT_EQ(last_box().text, bad_value(cases[i - 1].bad)) << "case " << i - 1;
                    EXPECT_EQ(last_box().caption, title);
                    EXPECT_EQ(last_box().type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
                    type(cases[i - 1].id, cases[i - 1].good);
                }
                if (i < cases.size()) {
                    type(cases[i].id, cases[i].bad);
                    press_for_box(button);
                }
            });
        }
        return acts;
    }
};

TEST_F(PrintDialogsTest, PrintDialogShowsTheRecordWithStandardAndScreenTexts) {
    use_setting(gx_settings::kScreenLevelWidth, 20);
    ASSERT_TRUE(start());
    steps({[] {
        EXPECT_EQ(automation::check_state(control(kLandscapeRadio)), BST_CHECKED);
        EXPECT_EQ(automation::check_state(control(kOuterFrameCheck)), BST_CHECKED);
        EXPECT_EQ(automation::check_state(control(kCoverCheck)), BST_UNCHECKED);
        EXPECT_EQ(shown(kStandardLinesText), standard(69));
        EXPECT_EQ(shown(kStandardCharsText), standard(198));
        EXPECT_EQ(shown(kStandardTopText), standard(4));
        EXPECT_EQ(shown(kStandardLeftText), standard(0));
        EXPECT_EQ(shown(kPrintScreenWidthText), screen(20));
        EXPECT_EQ(shown(kLinesPerPageField), "69");
        EXPECT_EQ(shown(kPrintLastFunctionField), "1000");
        EXPECT_EQ(shown(kPrintLevelWidthField), "16");
        EXPECT_EQ(shown(kPrintLimitField), "1");
        automation::press_button(IDCANCEL);
    }});
    EXPECT_EQ(dispatch_menu_command(frame(), kPrintParametersCommand), 0);
}

TEST_F(PrintDialogsTest, SwitchingOrientationKeepsBothSlotsAndRegisterWritesThem) {
    ASSERT_TRUE(start());
    steps({[] {
               type(kLinesPerPageField, "70");
               type(kPrintLeftMarginField, "3");
               automation::set_checked(control(kPortraitRadio), true);
           },
           [] {
               EXPECT_EQ(shown(kStandardLinesText), standard(100));
               EXPECT_EQ(shown(kStandardCharsText), standard(126));
               EXPECT_EQ(shown(kStandardTopText), standard(1));
               EXPECT_EQ(shown(kStandardLeftText), standard(10));
               EXPECT_EQ(shown(kLinesPerPageField), "100");
               EXPECT_EQ(shown(kPrintLeftMarginField), "10");
               type(kLinesPerPageField, "90");
               type(kCharsPerLineField, "120");
               automation::set_checked(control(kLandscapeRadio), true);
           },
           [] {
               EXPECT_EQ(shown(kStandardLinesText), standard(69));
               EXPECT_EQ(shown(kLinesPerPageField), "70");
               EXPECT_EQ(shown(kPrintLeftMarginField), "3");
               automation::set_checked(control(kPortraitRadio), true);
           },
           [] {
               EXPECT_EQ(shown(kLinesPerPageField), "90");
               EXPECT_EQ(shown(kCharsPerLineField), "120");
               automation::set_checked(control(kOuterFrameCheck), false);
           },
           [] { automation::set_checked(control(kCoverCheck), true); },
           [] {
               type(kPrintFirstPageField, "7");
               type(kPrintFirstFunctionField, "5");
               type(kPrintLastFunctionField, "5");  // equal ends are a range of one
               type(kPrintLevelWidthField, "32");
               type(kPrintLimitField, "999");
               type(kPrintHeaderField, "head");
               type(kSourcePrintField, "a.c");
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(dispatch_menu_command(frame(), kPrintParametersCommand), 0);
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_EQ(file_word(gx_settings::kOrientation), 1);
    EXPECT_EQ(file_word(gx_settings::kPrintLinesPerPage, 0), 70);
    EXPECT_EQ(file_word(gx_settings::kPrintLinesPerPage, 1), 90);
    EXPECT_EQ(file_word(gx_settings::kPrintCharsPerLine, 0), 198);
    EXPECT_EQ(file_word(gx_settings::kPrintCharsPerLine, 1), 120);
    EXPECT_EQ(file_word(gx_settings::kPrintLeftMargin, 0), 3);
    EXPECT_EQ(file_word(gx_settings::kPrintLeftMargin, 1), 10);
    EXPECT_EQ(file_word(gx_settings::kPrintOuterFrame), 0);
    EXPECT_EQ(file_word(gx_settings::kCoverOnFullPrint), 1);
    EXPECT_EQ(file_word(gx_settings::kPrintFirstPageNumber), 7);
    EXPECT_EQ(file_word(gx_settings::kPrintFirstFunction), 5);
    EXPECT_EQ(file_word(gx_settings::kPrintLastFunction), 5);
    EXPECT_EQ(file_word(gx_settings::kPrintLevelWidth), 32);
    EXPECT_EQ(file_word(gx_settings::kPrintLimitLines), 999);
    EXPECT_EQ(settings_on_disk().text(gx_settings::kPrintHeaderBase), "head");
    EXPECT_EQ(settings_on_disk().text(gx_settings::kSourcePrintFile), "a.c");
}

TEST_F(PrintDialogsTest, PrintDialogRefusesEachNumberInTableOrderThenTheFunctionOrder) {
    ASSERT_TRUE(start());
    const std::string before = file();
    std::vector<std::function<void()>> acts = refusals(
        {
            {kLinesPerPageField, "29", "30"},       {kLinesPerPageField, "121", "120"},
            {kCharsPerLineField, "59", "60"},       {kCharsPerLineField, "199", "198"},
            {kPrintTopMarginField, "7", "6"},       {kPrintLeftMarginField, "21", "20"},
            {kPrintFirstPageField, "0", "1000"},    {kPrintFirstFunctionField, "1001", "1"},
            {kPrintLastFunctionField, "abc", "1"},  {kPrintLevelWidthField, "7", "8"},
            {kPrintLevelWidthField, "33", "32"},    {kPrintLimitField, "1000", "1"},
        },
        IDOK, kPrintTitle);
    acts.push_back([] {
        // two bad fields at once: the first in table order is named
        type(kPrintLimitField, "0");
        type(kPrintTopMarginField, "-1");
        press_for_box(IDOK);
    });
    acts.push_back([this] {
        EXPECT_EQ(last_box().text, bad_value("-1"));
        type(kPrintTopMarginField, "0");
        type(kPrintLimitField, "1");
        type(kPrintFirstFunctionField, "5");
        type(kPrintLastFunctionField, "4");
        press_for_box(IDOK);
    });
    acts.push_back([] {
        EXPECT_EQ(last_box().text, format_text(message(3).c_str(), 4));
        EXPECT_EQ(last_box().caption, kPrintTitle);
        automation::press_button(IDCANCEL);
    });
    steps(std::move(acts));
    EXPECT_EQ(run_gravlet_dialog("PRNDLG"), 0);
    EXPECT_EQ(automation::message_boxes().size(), 14u);
    EXPECT_TRUE(file() == before);
    EXPECT_EQ(shell_settings().word(gx_settings::kPrintFirstFunction), 1);
}

TEST_F(PrintDialogsTest, ABadValueBlocksTheOrientationSwitchAndRegister) {
    ASSERT_TRUE(start());
    steps({[] {
               type(kLinesPerPageField, "29");
               check_for_box(kPortraitRadio);
           },
           [this] {
               EXPECT_EQ(last_box().text, bad_value("29"));
               EXPECT_EQ(automation::check_state(control(kLandscapeRadio)), BST_CHECKED);
               EXPECT_EQ(automation::check_state(control(kPortraitRadio)), BST_UNCHECKED);
               EXPECT_EQ(shown(kStandardLinesText), standard(69));
               EXPECT_EQ(shown(kLinesPerPageField), "29");
               press_for_box(IDOK);
           },
           [this] {
               EXPECT_EQ(last_box().text, bad_value("29"));
               automation::press_button(IDCANCEL);
           }});
    EXPECT_EQ(run_gravlet_dialog("PRNDLG"), 0);
    EXPECT_EQ(automation::message_boxes().size(), 2u);
}

TEST_F(PrintDialogsTest, CancelKeepsTheFileButNotThePrinterAndFontChosen) {
    ASSERT_TRUE(start());
    const std::string before = file();
    automation::answer_next_printer_dialog(true);
    automation::answer_next_font_dialog("IPAGothic", 12);
    const DWORD flags = shell().print_dialog.Flags;
    steps({[] {
               type(kLinesPerPageField, "50");
               automation::set_checked(control(kPortraitRadio), true);
           },
           [] { automation::press_button(kPrinterButton); }, [] { automation::press_button(kFontButton); },
           [] { automation::press_button(IDCANCEL); }});
    EXPECT_EQ(run_gravlet_dialog("PRNDLG"), 0);
    EXPECT_TRUE(file() == before);
    EXPECT_EQ(shell_settings().word(gx_settings::kPrintLinesPerPage, 0), 69);
    EXPECT_EQ(shell_settings().word(gx_settings::kOrientation), 0);
    ASSERT_EQ(automation::common_dialogs().size(), 2u);
    EXPECT_EQ(automation::common_dialogs()[0].kind, automation::CommonDialogKind::printer);
    EXPECT_EQ(automation::common_dialogs()[1].kind, automation::CommonDialogKind::font);
    EXPECT_EQ(shell().print_dialog.Flags, flags) << "the set-up flag is for that call only";
    EXPECT_STREQ(shell().print_font.lfFaceName, "IPAGothic");
}

TEST_F(PrintDialogsTest, ALongHeadingNameIsRefusedNeverCut) {
    ASSERT_TRUE(start());
    steps({[] {
               type(kPrintHeaderField, std::string(64, 'h'));
               press_for_box(IDOK);
           },
           [this] {
               EXPECT_EQ(last_box().text, bad_value(std::string(64, 'h')));
               type(kPrintHeaderField, std::string(63, 'h'));
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run_gravlet_dialog("PRNDLG"), 1);
    EXPECT_EQ(settings_on_disk().text(gx_settings::kPrintHeaderBase), std::string(63, 'h'));
}

TEST_F(PrintDialogsTest, AFailedSettingsWriteShowsMessage6UnderTheDialogsTitle) {
    ASSERT_TRUE(start());
    static const SettingsWriterCalls failing_rename = {crt_write, crt_close,
                                                       [](const char*, const char*) { return -1; }};
    set_settings_writer_calls(&failing_rename);
    steps({[] {
        type(kPrintLimitField, "40");
        press_for_box(IDOK);
    }});
    EXPECT_EQ(run_gravlet_dialog("PRNDLG"), 1);
    EXPECT_EQ(last_box().text, message(gx_message::kNotSaved));
    EXPECT_EQ(last_box().caption, kPrintTitle);
    EXPECT_EQ(shell_settings().word(gx_settings::kPrintLimitLines), 40);
}

// --- OUTPADDLG --------------------------------------------------------------------------------

TEST_F(PrintDialogsTest, OutputDialogRefusesInTableOrderAndTheFunctionOrder) {
    ASSERT_TRUE(start());
    const std::string before = file();
    std::vector<std::function<void()>> acts = refusals(
        {
            {kOutputTopMarginField, "7", "0"},
            {kOutputLeftMarginField, "21", "0"},
            {kOutputFirstFunctionField, "0", "1"},
            {kOutputLastFunctionField, "1001", "1000"},
            {kOutputLevelWidthField, "33", "8"},
        },
        kRunButton, kOutputTitle);
    acts.push_back([] {
        type(kOutputFirstFunctionField, "5");
        type(kOutputLastFunctionField, "4");
        press_for_box(IDOK);
    });
    acts.push_back([] {
        EXPECT_EQ(last_box().text, format_text(message(3).c_str(), 4));
        EXPECT_EQ(last_box().caption, kOutputTitle);
        automation::press_button(IDCANCEL);
    });
    steps(std::move(acts));
    EXPECT_EQ(run_gravlet_dialog("OUTPADDLG"), 0);
    EXPECT_TRUE(file() == before);
}

TEST_F(PrintDialogsTest, OutputRegisterKeepsTheOutputNameOutOfTheSettingsFile) {
    ASSERT_TRUE(start());
    gravlet_commands().output_name = "first.txt";
    steps({[] {
               EXPECT_EQ(shown(kOutputFileField), "first.txt");
               EXPECT_EQ(shown(kOutputScreenWidthText), screen(16));
               EXPECT_EQ(automation::control_items(control(kOutputCodeCombo)).size(), 2u);
               automation::choose_item(control(kOutputCodeCombo), 1);
           },
           [] {
               type(kOutputTopMarginField, "6");
               type(kOutputLeftMarginField, "20");
               type(kOutputFirstFunctionField, "2");
               type(kOutputLastFunctionField, "3");
               type(kOutputLevelWidthField, "12");
               type(kOutputFileField, "kept-in-memory.txt");
               type(kOutputHeaderField, "outhead");
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run_gravlet_dialog("OUTPADDLG"), 1);
    EXPECT_EQ(file_word(gx_settings::kOutputCodeSet), 1);
    EXPECT_EQ(file_word(gx_settings::kOutputTopMargin), 6);
    EXPECT_EQ(file_word(gx_settings::kOutputLeftMargin), 20);
    EXPECT_EQ(file_word(gx_settings::kOutputFirstFunction), 2);
    EXPECT_EQ(file_word(gx_settings::kOutputLastFunction), 3);
    EXPECT_EQ(file_word(gx_settings::kOutputLevelWidth), 12);
    EXPECT_EQ(settings_on_disk().text(gx_settings::kOutputHeaderFile), "outhead");
    EXPECT_EQ(gravlet_commands().output_name, "kept-in-memory.txt");
    EXPECT_EQ(file().find("kept-in-memory"), std::string::npos);
}

TEST_F(PrintDialogsTest, OutputRunButtonWritesTheOutputWithTheNewWidth) {
    open_generated("sample.c");
    const std::string output = dir.path("run.txt");
    std::string narrow;
    steps({[&] {
        EXPECT_EQ(lower(shown(kOutputFileField)), lower(dir.path("sample.txt")));
        type(kOutputFileField, output);
        type(kOutputLevelWidthField, "8");
        automation::press_button(kRunButton);
    }});
    automation::answer_next_message_box(IDOK);  // go on without a heading file
    ASSERT_TRUE(automation::choose_menu_command(kOutputParametersCommand));
    narrow = read_raw(output);
    ASSERT_FALSE(narrow.empty());
    EXPECT_EQ(file_word(gx_settings::kOutputLevelWidth), 8);

    // the same run at the widest level width writes wider lines
    shell_settings().set_word(gx_settings::kOutputLevelWidth, 32);
    ASSERT_EQ(write_settings_file(shell_settings(), document_state().program_directory), kSettingsOk);
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kRunOutputCommand));
    EXPECT_GT(read_raw(output).size(), narrow.size());
}

}  // namespace
