// GRAVLET's source list: following the PAD (the function's comment head
// first, its lines the list's range), a click on a line that makes its PAD
// cell current or is refused outside the function, the search bounded to
// the function in link mode, the line limit and cut lines.
#include <string>
#include <vector>

#include "common/viewer/source_list.h"
#include "gravlet/pad/messages.h"
#include "gravlet/viewer/pad_view.h"
#include "gravlet/viewer/source_link.h"
#include "gravlet_fixture.h"

namespace {

// 【 ソースリスト読み込み 】
const char kLoadCaption[] =
    "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x93\xc7\x82\xdd\x8d\x9e\x82\xdd \x81z";

class SourceLinkTest : public GravletTest {
protected:
    void open_list() {
        open_generated("sample.c");
        ASSERT_TRUE(automation::choose_menu_command(kSourceListCommand));
        ASSERT_TRUE(source_list_open());
    }
    // A click on list line `index` (from 0) as the user makes it.
    void click_line(int index) {
        SourceListState& s = source_list();
        automation::click(s.list, 20, (index - s.top) * kSourceRowHeight + 5);
    }
    // A new search for the text through the search dialog: "実行" once.
    void search_for(const std::string& text) {
        automation::when_idle([text] {
            HWND field = automation::find_window(automation::WindowSpec::control(kSearchFieldId));
            ASSERT_NE(field, nullptr);
            automation::set_control_text(field, text);
            automation::press_button(IDOK);
        });
        automation::when_idle([] { automation::press_button(IDCANCEL); });
        search_source(source_list().view, 0);
    }
};

TEST_F(SourceLinkTest, TheListFollowsTheFunctionFromItsCommentHead) {
    open_list();
    SourceListState& s = source_list();
    // count_empty's name row is line 12; "/* FUNCTION ..." stands on line 11
    EXPECT_EQ(document_state().current_source_line, 12);
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(source_range_first(), 10);
    EXPECT_EQ(source_range_last(), 22);
    EXPECT_EQ(s.list_marker_row, (12 - 1 - s.top) * kSourceRowHeight) << "the function's line is marked";
    automation::press_key("F1");
    EXPECT_EQ(document_state().current_source_line, 26);
    EXPECT_EQ(s.top, 24);
    EXPECT_EQ(source_range_first(), 24);
}

TEST_F(SourceLinkTest, AClickOnALineMakesItsCellCurrent) {
    open_list();
    click_line(16);  // line 17, the loop "every item"
    EXPECT_EQ(document_state().current_source_line, 17);
    EXPECT_EQ(gravlet().current_row, 3);
    EXPECT_EQ(gravlet().current_column, 0);
    EXPECT_EQ(source_list().search_start, 16);
    EXPECT_GE(gravlet().marker_y, 0) << "the PAD shows its marker";

    // a line of another function changes nothing but the status line
    const size_t beeps = automation::beeps().size();
    click_line(30);
    EXPECT_EQ(automation::status_text(), message(gx_message::kChooseLineInFunction));
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(document_state().current_source_line, 17);
    EXPECT_EQ(gravlet().current_row, 3);

    // unlinked, any line may be chosen
    automation::press_key("F5");
    click_line(30);
    EXPECT_EQ(document_state().current_source_line, 31);
}

TEST_F(SourceLinkTest, TheSearchStaysInTheFunctionInLinkMode) {
    open_list();
    search_for("stock[");
    EXPECT_EQ(document_state().current_source_line, 18) << "from the function's first line";
    EXPECT_EQ(gravlet().current_row, 3) << "the cell of the line found";
    EXPECT_EQ(gravlet().current_column, 1);
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(search_source(source_list().view, 1), -1) << "nothing more in this function";
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().text, message(gx_message::kNotFoundInFunction));
    EXPECT_EQ(document_state().current_source_line, 18);

    automation::press_key("F5");
    EXPECT_EQ(search_source(source_list().view, 1), 0) << "unlinked it goes on into the next function";
    EXPECT_EQ(document_state().current_source_line, 30);
    source_list().search_text = "no such text";
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(search_source(source_list().view, 1), -1);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().text, message(gx_message::kNotFound));
    source_list().search_text.clear();
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(search_source(source_list().view, 1), -1);
    EXPECT_EQ(automation::message_boxes().back().text, message(719));
}

TEST_F(SourceLinkTest, ASearchTextLongerThanItsFieldIsRefused) {
    open_list();
    const std::string too_long(256, 's');
    // 256 bytes are refused, 255 searched for (and not found), then a third
    for (const std::string& text : {too_long, too_long.substr(1), std::string("empty++")}) {
        automation::when_idle([text] {
            SetWindowTextA(automation::find_window(automation::WindowSpec::control(kSearchFieldId)), text.c_str());
            if (text.size() > 7) automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        });
    }
    automation::when_idle([] { automation::press_button(IDCANCEL); });
    search_source(source_list().view, 0);
    ASSERT_EQ(automation::message_boxes().size(), 2u);
    EXPECT_EQ(automation::message_boxes()[0].text, format_text(message(0).c_str(), too_long.c_str()));
    EXPECT_EQ(automation::message_boxes()[1].text, message(gx_message::kNotFoundInFunction));
    EXPECT_EQ(source_list().search_text, "empty++") << "the dialog stayed open for a shorter text";
    EXPECT_EQ(document_state().current_source_line, 19);
}

TEST_F(SourceLinkTest, TheTableHoldsTenThousandEntriesAtMost) {
    ASSERT_TRUE(start());
    DocumentState& doc = document_state();
    doc.tab_width = 4;
    std::string lines;
    for (int i = 1; i <= 9999; ++i) lines += "x" + std::to_string(i) + "\n";
    write_raw(dir.path("a.c"), lines);
    doc.source_name = dir.path("a.c");
    EXPECT_EQ(load_pad_source_text(), 0);
    EXPECT_EQ(source_list().text.count(), 10000);
    EXPECT_EQ(source_list().text.line_text(9999), "[EOF]") << "9,999 lines and the end marker";
    EXPECT_TRUE(automation::message_boxes().empty());

    write_raw(dir.path("a.c"), lines + "x10000\n");
    EXPECT_EQ(load_pad_source_text(), 0);
    EXPECT_EQ(source_list().text.count(), 10000);
    EXPECT_EQ(source_list().text.line_text(9999), "x10000") << "no room for the end marker, no line lost";
    EXPECT_TRUE(automation::message_boxes().empty()) << "405 and 601 only when lines were dropped";

    write_raw(dir.path("a.c"), lines + "x10000\nx10001\n");
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_pad_source_text(), 0);
    EXPECT_EQ(source_list().text.count(), 10000);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kLoadCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(405) + "\n" + message(601) + "\n" + doc.source_name);
    EXPECT_TRUE(doc.loaded) << "the PAD stays loaded whatever its source";
}

TEST_F(SourceLinkTest, ALongLineIsCutAndSaidSo) {
    ASSERT_TRUE(start());
    DocumentState& doc = document_state();
    write_raw(dir.path("b.c"), std::string(300, 'a') + "\nint b;\n");
    doc.source_name = dir.path("b.c");
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_pad_source_text(), 0);
    EXPECT_EQ(source_list().text.line_text(0), std::string(256, 'a'));
    EXPECT_EQ(source_list().text.line_text(1), "int b;") << "the rest is no further line";
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(724) + "\n" + doc.source_name);

    doc.source_name = dir.path("none.c");
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_pad_source_text(), -1);
    EXPECT_EQ(automation::message_boxes().back().text,
              message(100) + "\n" + format_text(message(101).c_str(), doc.source_name.c_str()));
}

}  // namespace
