// The function list dialog: how a line of the document's ".flt" is cut into
// its row, the rows it shows (header skipped, empty lines not counted, long
// lines cut whole characters at a time, at most 1000), a missing list, and
// choosing a row to make that function's page current.
#include <gtest/gtest.h>

#include "notarix/viewer/settings_dialogs.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commctrl.h"
#include "resources/notarix/settings_dialog_templates.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

using namespace settings_dialog_templates;

const std::string kTitle = "\x8a\xd6\x90\x94\x88\xea\x97\x97";  // 関数一覧
// "表示" twice: a double-byte text whose second bytes are no ASCII
const std::string kKanji = "\x95\x5c\x8e\xa6";

TEST(FunctionListLineTest, CutsTheGeneratorsLineIntoItsColumns) {
    const FunctionListLine line = parse_function_list_line("headed.c     #   17  add              : adds two numbers");
    EXPECT_EQ(line.line_number, "17");
    EXPECT_EQ(line.name, "add");
    EXPECT_EQ(line.summary, "adds two numbers");
}

TEST(FunctionListLineTest, OnlyAColonBehindABlankEndsTheName) {
    const FunctionListLine line = parse_function_list_line("a.cpp # 39  Foo::~Foo  : Foo::~Foo : x");
    EXPECT_EQ(line.name, "Foo::~Foo");
    EXPECT_EQ(line.summary, "Foo::~Foo : x");
}

TEST(FunctionListLineTest, DoubleByteTextAndMissingPartsStayWhole) {
    const FunctionListLine sjis = parse_function_list_line("s.c # 5  " + kKanji + " : " + kKanji + kKanji + "  ");
    EXPECT_EQ(sjis.name, kKanji);
    EXPECT_EQ(sjis.summary, kKanji + kKanji);

    const FunctionListLine no_colon = parse_function_list_line("s.c # 12 lonely");
    EXPECT_EQ(no_colon.line_number, "12");
    EXPECT_EQ(no_colon.name, "lonely");
    EXPECT_EQ(no_colon.summary, "");

    const FunctionListLine no_hash = parse_function_list_line("no marker : here");
    EXPECT_EQ(no_hash.line_number, "");
    EXPECT_EQ(no_hash.name, "");
    EXPECT_EQ(no_hash.summary, "");
}

class FunctionListDialogTest : public NotarixTest {
protected:
    void SetUp() override {
        NotarixTest::SetUp();
        ASSERT_TRUE(start());
        install_settings_dialogs();
        function_list_columns() = FunctionListColumns{};
    }
    void TearDown() override {
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        NotarixTest::TearDown();
    }

    static int run() { return command_state().entry.run_dialog("FLTDLG"); }
    static HWND list() { return automation::find_window(automation::WindowSpec::control(kFunctionListId)); }
    static int rows() { return static_cast<int>(SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0)); }
    static std::string cell(int row, int column) {
        char buffer[1024] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(list(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    static int selected() {
        return static_cast<int>(SendMessageA(list(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    static void select(int row) {
        LVITEMA item{};
        item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    // A document name whose ".flt" is the given text; no document is loaded.
    void list_file(const std::string& text) {
        write_raw(dir.path("doc.flt"), text);
        document_state().file_name = dir.path("doc.lin");
    }
};

TEST_F(FunctionListDialogTest, ShowsTheDocumentsFunctionsAndPicksTheChosenPage) {
    generate("headed");
    ASSERT_TRUE(open_through_menu(dir.path("headed.lin")));
    ASSERT_TRUE(document_state().loaded);
    ASSERT_GT(document_state().page_count, 3);
    document_state().current_page = 1;
    steps({[] {
               EXPECT_EQ(rows(), document_state().page_count);
               EXPECT_EQ(cell(0, 0), "   1 add");
               EXPECT_EQ(cell(0, 1), "17");
               EXPECT_EQ(cell(0, 2), "adds two numbers");
               EXPECT_EQ(cell(2, 0), "   3 Foo::~Foo");
               // the current page's function is the selected row
               EXPECT_EQ(selected(), 1);
               EXPECT_EQ(automation::status_text(), message(612));
               select(3);
               automation::press_button(IDOK);
           },
           [] {
               // the dialog stays for the next pick
               EXPECT_EQ(document_state().current_page, 3);
               SendMessageA(list(), LVM_SETCOLUMNWIDTH, 0, 250);
               SendMessageA(list(), LVM_SETCOLUMNWIDTH, 1, 20);
               automation::press_button(IDCANCEL);
           }});
    SendMessageA(frame(), WM_COMMAND, kFunctionListCommand, 0);
    EXPECT_EQ(document_state().current_page, 3);
    EXPECT_EQ(automation::status_text(), "");
    // the widths are kept for the run, none below 60
    EXPECT_EQ(function_list_columns().widths[0], 250);
    EXPECT_EQ(function_list_columns().widths[1], 60);
    EXPECT_EQ(function_list_columns().widths[2], 400);
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(FunctionListDialogTest, ShowsAtMost1000RowsAndAsksForARow) {
    std::string text = "-----< C function list >-----\n\n";
    for (int i = 1; i <= 1200; ++i) {
        text += "big.c        # " + std::to_string(i) + "  f" + std::to_string(i) + " : does " + std::to_string(i);
        text += i % 2 == 0 ? "\r\n\n" : "\n";
    }
    list_file(text);
    steps({[] {
        EXPECT_EQ(rows(), 1000);
        EXPECT_EQ(cell(0, 0), "   1 f1");
        EXPECT_EQ(cell(1, 2), "does 2");  // CR LF ends a line as LF does
        EXPECT_EQ(cell(999, 0), "1000 f1000");
        // nothing is loaded, so no row is selected
        EXPECT_EQ(selected(), -1);
        automation::answer_next_message_box(IDOK);
        automation::press_button(IDOK);
    },
           [] { automation::press_button(IDCANCEL); }});
    const size_t beeps = automation::beeps().size();
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kTitle);
    EXPECT_EQ(automation::message_boxes()[0].text, message(612));
    EXPECT_EQ(automation::message_boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_GT(automation::beeps().size(), beeps);
}

TEST_F(FunctionListDialogTest, CutsALongLineAtACharacterBoundary) {
    // a row keeps 511 bytes, one less when the 511th is a first half
    std::string summary;
    for (int i = 0; i < 300; ++i) summary += kKanji;
    const std::string prefix = "long.c       #    7  longest          : ";
    list_file("header\n" + prefix + summary + "\nlong.c # 9 next : after\n");
    steps({[prefix, summary] {
        ASSERT_EQ(rows(), 2);
        // here the 511th byte is a first half
        ASSERT_EQ((510 - prefix.size()) % 2, 0u);
        const size_t keep = 510;
        const std::string expected = (prefix + summary).substr(0, keep);
        EXPECT_EQ(cell(0, 2), expected.substr(prefix.size()));
        EXPECT_EQ(cell(1, 0), "   2 next");
        automation::press_button(IDCANCEL);
    }});
    EXPECT_EQ(run(), 0);
}

TEST_F(FunctionListDialogTest, AMissingListLeavesTheDialogOpenAndEmpty) {
    document_state().file_name = dir.path("gone.lin");
    steps({[] {
        EXPECT_EQ(automation::message_boxes().size(), 1u);
        EXPECT_EQ(rows(), 0);
        automation::press_button(IDCANCEL);
    }});
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(100) + "\n" + dir.path("gone.flt"));
    EXPECT_EQ(automation::message_boxes()[0].caption, kTitle);
}

}  // namespace
