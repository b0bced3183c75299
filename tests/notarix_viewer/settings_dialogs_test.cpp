// The parameter dialogs (environment, editor, print, text output), the page
// jump and the version box, worked as a user would: the range checks with
// their boxes, Enter and Esc, the bytes an accepted dialog leaves in the
// settings file, and a settings file that cannot be written.
#include "notarix/viewer/settings_dialogs.h"

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "platform/user/commctrl.h"
#include "resources/notarix/settings_dialog_templates.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

using namespace settings_dialog_templates;

// "【 環境設定 】", "【 印刷パラメタ設定 】", "【 関数仕様書出力パラメタ設定 】", "【 ページジャンプ 】"
const std::string kEnvTitle = "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z";
const std::string kPrintTitle = "\x81y \x88\xf3\x8d\xfc\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const std::string kOutputTitle =
    "\x81y \x8a\xd6\x90\x94\x8e\x64\x97l\x8f\x91\x8fo\x97\xcd\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const std::string kJumpTitle = "\x81y \x83y\x81[\x83W\x83W\x83\x83\x83\x93\x83v \x81z";
// "標準(100)", "標準( 69)"
const std::string kStandard100 = "\x95W\x8f\x80(100)";
const std::string kStandard69 = "\x95W\x8f\x80( 69)";

class SettingsDialogsTest : public NotarixTest {
protected:
    void SetUp() override {
        NotarixTest::SetUp();
        ASSERT_TRUE(start());
        install_settings_dialogs();
    }
    void TearDown() override {
        set_settings_writer_calls(nullptr);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        NotarixTest::TearDown();
    }

    static int run(const char* name) { return command_state().entry.run_dialog(name); }
    // The paper the shipped settings do not choose, for the runs that switch from it.
    void start_in_landscape() {
        shell_settings().set_word(nx_settings::kOrientation, 0);
        ASSERT_EQ(write_settings_file(shell_settings(), program.path()), kSettingsOk);
    }

    std::string file() const { return read_raw(program.path("nx1000s.prm")); }
    int file_word(const SettingsField& field, int slot = 0) const {
        const std::string bytes = file();
        const size_t at = field.offset + static_cast<size_t>(slot) * 2;
        return static_cast<uint8_t>(bytes.at(at)) | static_cast<uint8_t>(bytes.at(at + 1)) << 8;
    }
    std::string file_text(const SettingsField& field) const {
        const std::string bytes = file().substr(field.offset, field.width);
        return bytes.substr(0, bytes.find('\0'));
    }

    static HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
    // Fills a field at once; typing would reach the field only after the act.
    static void type(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }
    static std::string shown(int id) { return automation::window_text(control(id)); }
    // The acts of one dialog run, one at each wait of its loop: a press
    // inside an act takes effect when the act is over.
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    // Presses a button that should bring up a warning box (answered OK).
    void press_for_box(int button) {
        boxes_before_ = automation::message_boxes().size();
        beeps_before_ = automation::beeps().size();
        automation::answer_next_message_box(IDOK);
        automation::press_button(button);
    }
    // The one box the last press_for_box brought up; the dialog is still open.
    void expect_box(const std::string& title, const std::string& text) {
        ASSERT_EQ(automation::message_boxes().size(), boxes_before_ + 1);
        const automation::MessageBoxRecord& box = automation::message_boxes().back();
        EXPECT_EQ(box.caption, title);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_GT(automation::beeps().size(), beeps_before_);
    }
    size_t boxes_before_ = 0;
    size_t beeps_before_ = 0;
    static std::string bad_value(const std::string& text) { return format_text(lookup_message(0), text.c_str()); }
};

// --- Environment and editor ------------------------------------------------------------------

TEST_F(SettingsDialogsTest, EnvironmentRefusesTabWidthsOutsideItsRange) {
    std::vector<std::function<void()>> acts;
    acts.push_back([] { EXPECT_EQ(shown(kEnvTabWidthId), "8"); });  // the shipped file's tab width
    // too large, negative, and numbers that would wrap a 32-bit or 64-bit int into range
    const char* const bad[] = {"33", "-1", "4294967297", "18446744073709551624"};
    for (size_t i = 0; i < std::size(bad); ++i) {
        acts.push_back([this, text = std::string(bad[i]), before = i == 0 ? std::string() : std::string(bad[i - 1])] {
            if (!before.empty()) expect_box(kEnvTitle, bad_value(before));
            type(kEnvTabWidthId, text);
            press_for_box(IDOK);
        });
    }
    acts.push_back([this] {
        expect_box(kEnvTitle, bad_value("18446744073709551624"));
        type(kEnvTabWidthId, "0");
        type(kEditorPathId, "c:\\tools\\vi.exe");
        automation::press_button(IDOK);
    });
    steps(std::move(acts));
    EXPECT_EQ(run("ENVDLG"), 1);
    EXPECT_EQ(file_word(nx_settings::kTabWidth), 0);
    EXPECT_EQ(file_text(nx_settings::kEditorPath), "c:\\tools\\vi.exe");
    EXPECT_EQ(automation::message_boxes().size(), 4u);
}

TEST_F(SettingsDialogsTest, EnvironmentReadsTextThatIsNotANumberAsZero) {
    steps({[] {
        type(kEnvTabWidthId, "abc");
        automation::press_key("Enter");
    }});
    EXPECT_EQ(run("ENVDLG"), 1);
    EXPECT_EQ(file_word(nx_settings::kTabWidth), 0);
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(SettingsDialogsTest, EscapeLeavesRecordAndFileAsTheyWere) {
    const std::string before = file();
    steps({[] {
        type(kEnvTabWidthId, "12");
        automation::press_key("Esc");
    }});
    EXPECT_EQ(run("ENVDLG"), 0);
    EXPECT_EQ(shell_settings().word(nx_settings::kTabWidth), 8);
    EXPECT_TRUE(file() == before);
}

TEST_F(SettingsDialogsTest, EnvironmentCommandOpensTheDialogCentredOverTheFrame) {
    steps({[this] {
        HWND dialog = GetParent(control(kEnvTabWidthId));
        EXPECT_EQ(text_of(dialog), kEnvTitle);
        const RECT f = window_rect(frame()), d = window_rect(dialog);
        EXPECT_NEAR((d.left + d.right) / 2, (f.left + f.right) / 2, 1);
        EXPECT_NEAR((d.top + d.bottom) / 2, (f.top + f.bottom) / 2, 1);
        type(kEnvTabWidthId, "16");
        automation::press_button(IDOK);
    }});
    SendMessageA(frame(), WM_COMMAND, kEnvironmentCommand, 0);
    EXPECT_EQ(file_word(nx_settings::kTabWidth), 16);
}

TEST_F(SettingsDialogsTest, FailedSettingsWriteShowsMessage6AndKeepsTheValue) {
    const std::string before = file();
    static const SettingsWriterCalls failing_rename = {crt_write, crt_close,
                                                       [](const char*, const char*) { return -1; }};
    set_settings_writer_calls(&failing_rename);
    steps({[this] {
        type(kEnvTabWidthId, "20");
        press_for_box(IDOK);
    }});
    EXPECT_EQ(run("ENVDLG"), 1);
    expect_box(kEnvTitle, message(kMessageSettingsNotSaved));
    EXPECT_EQ(shell_settings().word(nx_settings::kTabWidth), 20);
    EXPECT_TRUE(file() == before);
}

TEST_F(SettingsDialogsTest, EditorDialogTakesAChosenNameCutToItsField) {
    steps({[] {
        type(kEditorPathId, std::string(200, 'e'));
        automation::press_key("Enter");
    }});
    EXPECT_EQ(run("EDITORDLG"), 1);
    EXPECT_EQ(file_text(nx_settings::kEditorPath), std::string(129, 'e'));

    // the folder button opens the file dialog; the chosen name goes into the field
    automation::answer_next_file_dialog("c:\\BIN\\Edit.EXE");
    steps({[] { automation::press_button(kEditorFolderId); },
           [] {
               EXPECT_EQ(shown(kEditorPathId), "c:\\bin\\edit.exe");
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run("EDITORDLG"), 1);
    EXPECT_EQ(file_text(nx_settings::kEditorPath), "c:\\bin\\edit.exe");
    ASSERT_FALSE(automation::common_dialogs().empty());
    EXPECT_EQ(automation::common_dialogs().back().kind, automation::CommonDialogKind::open_file);
}

TEST_F(SettingsDialogsTest, FolderButtonDrawsItsBitmapByButtonState) {
    HDC screen = GetDC(frame());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hDC = screen;
    item.itemAction = ODA_DRAWENTIRE;
    EXPECT_EQ(draw_folder_button(&item), 0);
    EXPECT_EQ(GetPixel(screen, 0, 0), RGB(0xC0, 0xC0, 0xC0));  // the raised face
    item.itemState = ODS_SELECTED;
    EXPECT_EQ(draw_folder_button(&item), 0);
    EXPECT_EQ(GetPixel(screen, 0, 0), RGB(0xA0, 0xA0, 0xA0));  // pressed
    item.itemAction = ODA_FOCUS;  // a focus drawing shows the raised face even while pressed
    EXPECT_EQ(draw_folder_button(&item), 0);
    EXPECT_EQ(GetPixel(screen, 0, 0), RGB(0xC0, 0xC0, 0xC0));
    // with the focus a dotted rectangle inside the picture's edge, gone again without it
    item.rcItem = RECT{0, 0, 24, 22};
    item.itemState = 0;
    item.itemAction = ODA_DRAWENTIRE;
    const auto top_edge = [&] {
        std::vector<COLORREF> row;
        for (int x = 0; x < 24; ++x) row.push_back(GetPixel(screen, x, 3));
        return row;
    };
    EXPECT_EQ(draw_folder_button(&item), 0);
    const std::vector<COLORREF> without = top_edge();
    item.itemState = ODS_FOCUS;
    item.itemAction = ODA_FOCUS;
    EXPECT_EQ(draw_folder_button(&item), 0);
    const std::vector<COLORREF> with = top_edge();
    int changed = 0;
    for (size_t i = 0; i < with.size(); ++i) changed += with[i] != without[i] ? 1 : 0;
    EXPECT_GE(changed, 4) << "one pixel in two of the line across the 16 x 16 picture";
    EXPECT_LE(changed, 6);
    item.itemState = 0;
    EXPECT_EQ(draw_folder_button(&item), 0);
    EXPECT_EQ(top_edge(), without);
    ReleaseDC(frame(), screen);
}

// --- Print parameters ------------------------------------------------------------------------

TEST_F(SettingsDialogsTest, PrintValuesAreKeptPerOrientationWhileSwitching) {
    start_in_landscape();
    steps({[] {
               EXPECT_EQ(automation::check_state(control(kLandscapeId)), BST_CHECKED);
               EXPECT_EQ(shown(kStandardLinesId), kStandard69);
               type(kLinesPerPageId, "80");
               automation::set_checked(control(kPortraitId), true);
           },
           [] {
               EXPECT_EQ(shown(kLinesPerPageId), "100");
               EXPECT_EQ(shown(kStandardLinesId), kStandard100);
               type(kCharsPerLineId, "120");
               automation::set_checked(control(kLandscapeId), true);
           },
           [] {
               EXPECT_EQ(shown(kLinesPerPageId), "80");
               EXPECT_EQ(shown(kCharsPerLineId), "198");
               automation::set_checked(control(kPortraitId), true);
           },
           [] {
               EXPECT_EQ(shown(kCharsPerLineId), "120");
               automation::set_checked(control(kOuterFrameId), false);
           },
           [] {
               automation::set_checked(control(kCoverId), true);
           },
           [] {
               type(kPrintFirstPageId, "7");
               type(kPrintHeaderId, "head");
               type(kSourcePrintFileId, "a.c");
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run("PRNPRMDLG"), 1);
    const auto& lines = nx_settings::kPrintLinesPerPage;
    const auto& chars = nx_settings::kPrintCharsPerLine;
    EXPECT_EQ(file_word(nx_settings::kOrientation), 1);
    EXPECT_EQ(file_word(lines, 0), 80);
    EXPECT_EQ(file_word(lines, 1), 100);
    EXPECT_EQ(file_word(chars, 0), 198);
    EXPECT_EQ(file_word(chars, 1), 120);
    EXPECT_EQ(file_word(nx_settings::kPrintOuterFrame), 0);
    EXPECT_EQ(file_word(nx_settings::kCoverOnFullPrint), 1);
    EXPECT_EQ(file_word(nx_settings::kPrintFirstPageNumber), 7);
    EXPECT_EQ(file_text(nx_settings::kPrintHeaderBase), "head");
    EXPECT_EQ(file_text(nx_settings::kSourcePrintFile), "a.c");
    EXPECT_EQ(file_word(nx_settings::kPrinterKind), 1);
}

TEST_F(SettingsDialogsTest, BadValueBlocksSwitchingOrientation) {
    start_in_landscape();
    steps({[this] {
               type(kPrintTopMarginId, "7");
               boxes_before_ = automation::message_boxes().size();
               beeps_before_ = automation::beeps().size();
               automation::answer_next_message_box(IDOK);
               automation::set_checked(control(kPortraitId), true);
           },
           [this] {
               expect_box(kPrintTitle, bad_value("7"));
               EXPECT_EQ(automation::check_state(control(kLandscapeId)), BST_CHECKED);
               EXPECT_EQ(automation::check_state(control(kPortraitId)), BST_UNCHECKED);
               EXPECT_EQ(shown(kStandardLinesId), kStandard69);
               EXPECT_EQ(shown(kPrintTopMarginId), "7");
               automation::press_key("Esc");
           }});
    EXPECT_EQ(run("PRNPRMDLG"), 0);
}

TEST_F(SettingsDialogsTest, PrintParametersRefuseBadNumbersAndFunctionOrder) {
    const std::string before = file();
    // each field with a bad text and a good one to put back before the next
    struct Case {
        int id;
        std::string bad, good;
    };
    const Case bad[] = {
        {kLinesPerPageId, "abc", "69"}, {kLinesPerPageId, "121", "30"},  {kCharsPerLineId, "59", "60"},
        {kPrintLeftMarginId, "21", "20"}, {kPrintFirstPageId, "0", "1000"}, {kPrintFirstFunctionId, "1001", "1"},
        {kPrintLastFunctionId, "-5", "1000"},
    };
    std::vector<std::function<void()>> acts;
    for (size_t i = 0; i < std::size(bad); ++i) {
        acts.push_back([this, &bad, i] {
            if (i > 0) {
                expect_box(kPrintTitle, bad_value(bad[i - 1].bad));
                type(bad[i - 1].id, bad[i - 1].good);
            }
            type(bad[i].id, bad[i].bad);
            press_for_box(IDOK);
        });
    }
    acts.push_back([this, &bad] {
        expect_box(kPrintTitle, bad_value(bad[std::size(bad) - 1].bad));
        type(kPrintFirstFunctionId, "5");
        type(kPrintLastFunctionId, "3");
        press_for_box(IDOK);
    });
    acts.push_back([this] {
        expect_box(kPrintTitle, format_text(lookup_message(3), 3));
        automation::press_button(IDCANCEL);
    });
    steps(std::move(acts));
    EXPECT_EQ(run("PRNPRMDLG"), 0);
    EXPECT_TRUE(file() == before);
    EXPECT_EQ(shell_settings().word(nx_settings::kPrintFirstFunction), 1);
}

TEST_F(SettingsDialogsTest, PrinterAndFontButtonsOpenTheCommonDialogs) {
    automation::answer_next_printer_dialog(true);
    automation::answer_next_font_dialog("IPAMincho", 10);
    steps({[] { automation::press_button(kPrinterButtonId); }, [] { automation::press_button(kFontButtonId); },
           [] { automation::press_button(IDCANCEL); }});
    const DWORD flags = shell().print_dialog.Flags;
    EXPECT_EQ(run("PRNPRMDLG"), 0);
    EXPECT_EQ(shell().print_dialog.Flags, flags);
    ASSERT_EQ(automation::common_dialogs().size(), 2u);
    EXPECT_EQ(automation::common_dialogs()[0].kind, automation::CommonDialogKind::printer);
    EXPECT_EQ(automation::common_dialogs()[1].kind, automation::CommonDialogKind::font);
}

// A turn of the paper in the printer set-up turns the dialog's own: its
// buttons, the values it shows and what 登録 stores.
TEST_F(SettingsDialogsTest, APaperTurnInThePrinterSetUpTurnsTheDialog) {
    const struct {
        const char* what;
        int stored;         // 0 landscape, 1 portrait
        short turned_to;    // the set-up's answer
        int checked;        // the paper button checked after it
        std::string standard_lines;
    } cases[] = {
        {"to landscape", 1, DMORIENT_LANDSCAPE, kLandscapeId, kStandard69},
        {"to portrait", 0, DMORIENT_PORTRAIT, kPortraitId, kStandard100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        shell_settings().set_word(nx_settings::kOrientation, c.stored);
        ASSERT_EQ(write_settings_file(shell_settings(), program.path()), kSettingsOk);
        automation::CommonDialogAnswer answer;
        answer.kind = automation::CommonDialogKind::printer;
        answer.orientation = c.turned_to;
        automation::answer_next_common_dialog(answer);
        steps({[] { automation::press_button(kPrinterButtonId); },
               [&c] {
                   EXPECT_EQ(automation::check_state(control(c.checked)), BST_CHECKED);
                   EXPECT_EQ(shown(kStandardLinesId), c.standard_lines);
                   automation::press_button(IDOK);
               }});
        EXPECT_EQ(run("PRNPRMDLG"), 1);
        EXPECT_EQ(file_word(nx_settings::kOrientation), 1 - c.stored);
    }
}

// --- Text output parameters -----------------------------------------------------------------

TEST_F(SettingsDialogsTest, OutputRunButtonStoresAndEndsWith2) {
    shell().text_output_name = "out.txt";
    steps({[] {
               EXPECT_EQ(shown(kTextOutputFileId), "out.txt");
               EXPECT_EQ(automation::control_items(control(kCodeSetId)).size(), 2u);
               automation::choose_item(control(kCodeSetId), 1);
           },
           [] {
               type(kTextTopMarginId, "6");
               type(kTextLeftMarginId, "20");
               type(kTextFirstPageId, "1000");
               type(kTextFirstFunctionId, "3");
               type(kTextLastFunctionId, "3");
               type(kTextOutputFileId, "other.txt");
               type(kTextHeaderId, "hd");
               automation::press_button(kRunOutputButtonId);
           }});
    EXPECT_EQ(run("OUTPADDLG"), 2);
    EXPECT_EQ(file_word(nx_settings::kTextCodeSet), 1);
    EXPECT_EQ(file_word(nx_settings::kTextTopMargin), 6);
    EXPECT_EQ(file_word(nx_settings::kTextLeftMargin), 20);
    EXPECT_EQ(file_word(nx_settings::kTextFirstPageNumber), 1000);
    EXPECT_EQ(file_word(nx_settings::kTextFirstFunction), 3);
    EXPECT_EQ(file_word(nx_settings::kTextLastFunction), 3);
    EXPECT_EQ(file_text(nx_settings::kTextHeaderBase), "hd");
    EXPECT_EQ(shell().text_output_name, "other.txt");
    EXPECT_EQ(file().find("other.txt"), std::string::npos);  // the output name lives in memory only
}

TEST_F(SettingsDialogsTest, OutputChecksAndCancelLeavesTheRecord) {
    const std::string before = file();
    steps({[this] {
               type(kTextTopMarginId, "7");
               press_for_box(IDOK);
           },
           [this] {
               expect_box(kOutputTitle, bad_value("7"));
               type(kTextTopMarginId, "0");
               type(kTextFirstPageId, "x");
               press_for_box(kRunOutputButtonId);
           },
           [this] {
               expect_box(kOutputTitle, bad_value("x"));
               type(kTextFirstPageId, "1");
               type(kTextFirstFunctionId, "5");
               type(kTextLastFunctionId, "3");
               press_for_box(IDOK);
           },
           [this] {
               expect_box(kOutputTitle, format_text(lookup_message(3), 3));
               automation::press_key("Esc");
           }});
    EXPECT_EQ(run("OUTPADDLG"), 0);
    EXPECT_TRUE(file() == before);
}

TEST_F(SettingsDialogsTest, OutputWithoutACodeSetSelectedKeepsTheStoredOne) {
    shell_settings().set_word(nx_settings::kTextCodeSet, 1);
    steps({[] {
        SendMessageA(control(kCodeSetId), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        automation::press_button(IDOK);
    }});
    EXPECT_EQ(run("OUTPADDLG"), 1);
    EXPECT_EQ(file_word(nx_settings::kTextCodeSet), 1);
}

// --- The dispatcher after the environment dialog ---------------------------------------------

TEST_F(SettingsDialogsTest, AcceptedEnvironmentTakesTheNewTabWidth) {
    generate("headed");
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    ASSERT_EQ(document_state().tab_width, 8);
    // the link button is relabelled from the linked-mode flag
    document_state().linked_mode = false;
    SetWindowTextA(button(kLinkButtonId), "stale");
    steps({[] {
        type(kEnvTabWidthId, "4");
        automation::press_button(IDOK);
    }});
    SendMessageA(frame(), WM_COMMAND, kEnvironmentCommand, 0);
    EXPECT_EQ(document_state().tab_width, 4);
    EXPECT_EQ(automation::status_text(), message(722));
    const std::string label = text_of(button(kLinkButtonId));
    EXPECT_NE(label, "stale");
    set_link_button_label(false);
    EXPECT_EQ(text_of(button(kLinkButtonId)), label);
}

TEST_F(SettingsDialogsTest, CancelledEnvironmentLeavesTheTabWidth) {
    const int before = document_state().tab_width;
    steps({[] {
        type(kEnvTabWidthId, "2");
        automation::press_button(IDCANCEL);
    }});
    SendMessageA(frame(), WM_COMMAND, kEnvironmentCommand, 0);
    EXPECT_EQ(document_state().tab_width, before);
    EXPECT_NE(automation::status_text(), message(722));
}

// --- Page jump, version, chaining -------------------------------------------------------------

TEST_F(SettingsDialogsTest, JumpTakesPagesOneToTheCount) {
    generate("headed");
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    ASSERT_TRUE(document_state().loaded);
    const int count = document_state().page_count;
    ASSERT_GT(count, 1);
    steps({[this] {
               EXPECT_EQ(shown(kJumpPageId), "1");
               type(kJumpPageId, "0");
               press_for_box(IDOK);
           },
           [this, count] {
               expect_box(kJumpTitle, bad_value("0"));
               type(kJumpPageId, std::to_string(count + 1));
               press_for_box(IDOK);
           },
           [this, count] {
               expect_box(kJumpTitle, bad_value(std::to_string(count + 1)));
               EXPECT_EQ(document_state().current_page, 0);
               type(kJumpPageId, std::to_string(count));
               automation::press_button(IDOK);
           },
           [count] {
               // the dialog stays for the next jump
               EXPECT_EQ(document_state().current_page, count - 1);
               automation::press_button(IDCANCEL);
           }});
    SendMessageA(frame(), WM_COMMAND, kJumpCommand, 0);
    EXPECT_EQ(document_state().current_page, count - 1);
}

TEST_F(SettingsDialogsTest, JumpWithoutADocumentIsRefused) {
    const size_t beeps = automation::beeps().size();
    EXPECT_EQ(run("JUMPDLG"), 0);
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(automation::status_text(), message(117));
}

TEST_F(SettingsDialogsTest, VersionBoxEndsWith1OnlyForOk) {
    steps({[] { automation::press_button(IDOK); }});
    EXPECT_EQ(run("VERSIONDLG"), 1);
    steps({[] { automation::press_key("Esc"); }});
    EXPECT_EQ(run("VERSIONDLG"), 0);
}

TEST_F(SettingsDialogsTest, OtherNamesGoToTheEntryInstalledBefore) {
    std::string asked;
    command_state().entry.run_dialog = [&asked](const char* name) {
        asked = name;
        return 7;
    };
    install_settings_dialogs();
    EXPECT_EQ(run("CNVPRMDLG"), 7);
    EXPECT_EQ(asked, "CNVPRMDLG");
    steps({[] { automation::press_key("Esc"); }});
    EXPECT_EQ(run("ENVDLG"), 0);
    EXPECT_EQ(asked, "CNVPRMDLG");
}

}  // namespace
