// The source-list window: loading (numbering, tabs, cut lines, the line
// limit, a failed load), following the page view in linked mode, the
// search with its Shift-JIS trap, scrolling, clicks, arranging and the
// editor launch.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <string>
#include <vector>

#include "common/text/message_table.h"
#include "notarix/viewer/page_view.h"
#include "notarix/viewer/source_list.h"
#include "platform/automation/automation.h"
#include "platform/gdi/drawing_log.h"
#include "platform/user/shellapi.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

namespace {

const std::string kData = std::string(TEST_DATA_DIR) + "/source_list/";

LRESULT plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

std::string numbered_lines(int count, const std::string& stem = "line") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += stem + std::to_string(i) + "\n";
    return text;
}

bool contains(const std::string& text, const char* part) {
    return part != nullptr && text.find(part) != std::string::npos;
}

class SourceListTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        automation::set_screen_size(1024, 768);
        document_state().reset();
        source_list().reset();
        page_view().reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain_proc;
        wc.lpszClassName = "TestFrame";
        RegisterClassA(&wc);
        ASSERT_EQ(register_source_classes(nullptr), 1);
        frame = CreateWindowA("TestFrame", "f", WS_POPUP | WS_VISIBLE, 10, 20, 900, 600, nullptr, nullptr, nullptr,
                              nullptr);
        source_list().hooks.set_status_text = [this](int mode, const std::string& text) {
            status = mode == 1 ? text : std::string();
        };
        document_state().tab_width = 4;
    }
    void TearDown() override {
        source_list().reset();
        page_view().reset();
        document_state().reset();
        automation::reset();
        for (const char* name : {kSourceViewClass, kSourceControlClass, kSourceSeparatorClass, kSourceListClass,
                                 kSourceLineNoClass, kPageViewClass, "TestFrame"}) {
            UnregisterClassA(name, nullptr);
        }
    }

    int load(const std::string& path) {
        document_state().source_name = path;
        return load_source_text();
    }
    int load_text(const std::string& text) {
        write_raw(dir.path("src.c"), text);
        return load(dir.path("src.c"));
    }
    HWND open_window() {
        HWND view = open_source_list_window(frame);
        automation::run_until_idle();
        return view;
    }
    const std::vector<std::string>& entries() { return source_list().text.entries; }
    int rows() { return source_list().list_height / 15; }
    std::string last_box_text() {
        const auto& boxes = automation::message_boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    std::vector<std::string> list_texts() {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(source_list().list)) {
            if (e.op == "TextOutA") out.push_back(e.text);
        }
        return out;
    }

    TempDir dir;
    ScopedPlatformHome home;  // a fresh registry: placements of earlier runs must not leak in
    HWND frame = nullptr;
    std::string status;
};

// --- Loading ---------------------------------------------------------------------------

TEST_F(SourceListTest, NumbersEachLineExpandsTabsAndEndsWithMarker) {
    ASSERT_EQ(load(kData + "three.c"), 0);
    ASSERT_EQ(entries().size(), 4u);
    EXPECT_EQ(entries()[0], "     1 int a;");
    EXPECT_EQ(entries()[1], "     2 a   b");  // CR LF removed, the tab up to column 4
    EXPECT_EQ(entries()[2], "     3 }");
    EXPECT_EQ(entries()[3], "     4 [EOF]");
    EXPECT_TRUE(document_state().loaded);
    EXPECT_TRUE(document_state().source_loaded);
    EXPECT_TRUE(automation::message_boxes().empty());

    document_state().tab_width = 0;
    ASSERT_EQ(load(kData + "three.c"), 0);
    EXPECT_EQ(entries()[1], "     2 ab");
}

TEST_F(SourceListTest, LongLinesAreCutAtCharacterBoundaryAndStayOneEntry) {
    std::string kanji_at_end(255, 'y');
    kanji_at_end += "\x83\x41zzzz";  // the 256th byte begins a double-byte character
    ASSERT_EQ(load_text(std::string(300, 'x') + "\n" + kanji_at_end + "\nnext\n"), 0);
    ASSERT_EQ(entries().size(), 4u);  // the rest of a long line is never a line of its own
    EXPECT_EQ(source_list().text.line_text(0), std::string(256, 'x'));
    EXPECT_EQ(source_list().text.line_text(1), std::string(255, 'y') + "\x83\x41");
    EXPECT_EQ(source_list().text.line_text(2), "next");
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_TRUE(contains(last_box_text(), lookup_message(724)));
    EXPECT_TRUE(contains(last_box_text(), document_state().source_name.c_str()));
}

TEST_F(SourceListTest, TenThousandLinesAreTheLimit) {
    ASSERT_EQ(load_text(numbered_lines(10000)), 0);
    EXPECT_EQ(entries().size(), 10000u);
    EXPECT_EQ(entries().back(), " 10000 line10000");  // no end marker, no message
    EXPECT_TRUE(automation::message_boxes().empty());

    ASSERT_EQ(load_text(numbered_lines(10001)), 0);
    EXPECT_EQ(entries().size(), 10000u);
    EXPECT_EQ(entries().back(), " 10000 line10000");
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_TRUE(contains(last_box_text(), lookup_message(405)));
    EXPECT_TRUE(contains(last_box_text(), lookup_message(601)));
}

TEST_F(SourceListTest, FailedLoadLeavesNothingLoaded) {
    ASSERT_EQ(load(kData + "three.c"), 0);
    open_window();
    EXPECT_EQ(load(dir.path("missing.c")), -1);
    EXPECT_FALSE(document_state().loaded);
    EXPECT_FALSE(document_state().source_loaded);
    EXPECT_TRUE(entries().empty());
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_TRUE(contains(last_box_text(), lookup_message(100)));
    EXPECT_TRUE(contains(last_box_text(), "missing.c"));

    EXPECT_EQ(follow_current_function(), -1);
    const size_t beeps = automation::beeps().size();
    document_state().file_name = "x.lin";
    EXPECT_EQ(scroll_source_view(0, nullptr, SB_LINEDOWN), -1);
    EXPECT_EQ(status, lookup_message(118));
    EXPECT_EQ(search_source(frame, 1), -1);
    EXPECT_EQ(automation::beeps().size(), beeps + 2);
    EXPECT_EQ(select_source_line_at(0, 0), -1);
}

// A source that cannot be read at all, and one that goes between the count
// and the read, each under its own caption.
TEST_F(SourceListTest, EachLoadFailureHasItsCaption) {
    const std::string unreadable = "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x93\xc7\x82\xdd\x8d\x9e\x82\xdd \x81z";
    const std::string reopened =
        "\x81y \x83\x5c\x81[\x83X\x83\x8a\x83X\x83g\x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xdd \x81z";
    const struct {
        bool removed_while_loading;
        const std::string& caption;
    } cases[] = {{false, unreadable}, {true, reopened}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.removed_while_loading);
        automation::reset();
        const std::string path = dir.path(c.removed_while_loading ? "goes.c" : "missing.c");
        if (c.removed_while_loading) write_raw(path, "int a;\n");
        source_list().hooks.set_status_text = [&](int mode, const std::string& text) {
            if (mode == 1 && text == lookup_message(110)) std::remove(path.c_str());
        };
        EXPECT_EQ(load(path), -1);
        ASSERT_EQ(automation::message_boxes().size(), 1u);
        EXPECT_EQ(automation::message_boxes()[0].caption, c.caption);
        EXPECT_EQ(last_box_text(), lookup_message(100) + std::string("\n") +
                                       format_text(lookup_message(101), path.c_str()));
        EXPECT_FALSE(document_state().source_loaded);
    }
}

// --- Following and linked mode -------------------------------------------------------------

TEST_F(SourceListTest, FollowBringsCurrentLineIntoMiddleAndMarksIt) {
    ASSERT_EQ(load_text(numbered_lines(200)), 0);
    document_state().current_source_line = 150;
    ASSERT_NE(open_window(), nullptr);
    const SourceListState& s = source_list();
    EXPECT_TRUE(source_list_open());
    EXPECT_EQ(s.top, 150 - s.list_height / 30);
    EXPECT_EQ(s.list_marker_row, (150 - 1 - s.top) * 15);
    EXPECT_EQ(s.number_marker_row, s.list_marker_row);
    bool drawn = false;
    for (const std::string& t : list_texts()) drawn = drawn || t == " line150";
    EXPECT_TRUE(drawn);

    // following starts from the top: a line in the first screen stays there
    document_state().current_source_line = 5;
    EXPECT_EQ(follow_current_function(), 0);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.list_marker_row, 4 * 15);
    EXPECT_EQ(GetScrollPos(s.view, SB_VERT), 0);
    EXPECT_TRUE(status.empty());
}

TEST_F(SourceListTest, TheMarkerIsDrawnOnlyWhereItCanBeSeen) {
    ASSERT_EQ(load_text(numbered_lines(200)), 0);
    document_state().current_source_line = 5;
    HWND view = open_window();
    ASSERT_NE(view, nullptr);
    const SourceListState& s = source_list();
    ShowWindow(view, SW_HIDE);
    document_state().current_source_line = 20;
    EXPECT_EQ(follow_current_function(), 0);
    EXPECT_EQ(s.list_marker_row, -1) << "nothing was drawn into the hidden list";

    ShowWindow(view, SW_SHOW);
    automation::run_until_idle();
    ASSERT_EQ(s.top, 0);
    EXPECT_EQ(s.list_marker_row, 19 * 15);
    document_state().current_source_line = 30;
    EXPECT_EQ(select_source_line_at(0, 29 * 15 + 3), 0);
    EXPECT_EQ(s.list_marker_row, 29 * 15);
    // only the marker of line 30 is on the screen: no ghost of line 5 or 20
    HDC dc = GetDC(s.list);
    const int x = s.list_width - 20;
    EXPECT_EQ(GetPixel(dc, x, 4 * 15 + 7), s.background_colour);
    EXPECT_EQ(GetPixel(dc, x, 19 * 15 + 7), s.background_colour);
    EXPECT_NE(GetPixel(dc, x, 29 * 15 + 7), s.background_colour);
    ReleaseDC(s.list, dc);
}

class LinkedSourceListTest : public SourceListTest {
protected:
    void SetUp() override {
        SourceListTest::SetUp();
        ASSERT_NE(register_page_view_class(nullptr), 0);
        chart = CreateWindowA(kPageViewClass, "CHART", WS_CHILD | WS_VISIBLE, 0, 35, 600, 300, frame,
                              reinterpret_cast<HMENU>(3000), nullptr, nullptr);
        RECT client{};
        GetClientRect(chart, &client);
        set_page_view_metrics(client.right, client.bottom);
        write_raw(dir.path("form.lis"), "BX:1,1,82,110\n");
        PageViewHooks& hooks = page_view().hooks;
        hooks.layout_name = [this] { return dir.path("form"); };
        hooks.follow_source = [] { follow_current_function(); };
        hooks.set_source_search_start = set_source_search_start;
    }

    // One page per tag; the source has 100 lines.
    void open_with_tags(const std::vector<std::string>& tags) {
        std::string text = " [JOV:LIN:V1.00 \nOV:3\nZO:\n";
        for (const std::string& tag : tags) text += "#NAM:f\n#TAG:a.c(" + tag + ")\nST:x\nZC:\n";
        write_raw(dir.path("doc.lin"), text);
        write_raw(dir.path("doc.c"), numbered_lines(100));
        DocumentHooks hooks;
        hooks.load_source_text = load_source_text;
        hooks.forget_source_marker = forget_source_marker;
        ASSERT_EQ(open_document(document_state(), dir.path("doc.c"), hooks, kNotarixDocument), 0);
        ASSERT_EQ(refresh_page_view(), 0);
        ASSERT_NE(open_window(), nullptr);
    }

    HWND chart = nullptr;
};

TEST_F(LinkedSourceListTest, PageChangesMarkTheTagLine) {
    open_with_tags({"40", "7", "0", "500"});
    const SourceListState& s = source_list();
    EXPECT_EQ(document_state().current_source_line, 40);
    EXPECT_EQ(s.search_start, 40);
    EXPECT_EQ(s.list_marker_row, (40 - 1 - s.top) * 15);

    ASSERT_EQ(step_page(kNextPage), 0);
    EXPECT_EQ(document_state().current_source_line, 7);
    EXPECT_EQ(s.search_start, 7);
    EXPECT_EQ(s.list_marker_row, (7 - 1 - s.top) * 15);

    // tags of 0 and beyond the source select nothing
    const size_t beeps = automation::beeps().size();
    ASSERT_EQ(step_page(kNextPage), 0);
    EXPECT_EQ(s.list_marker_row, -1);
    EXPECT_EQ(s.number_marker_row, -1);
    ASSERT_EQ(step_page(kNextPage), 0);
    EXPECT_EQ(document_state().current_source_line, 500);
    EXPECT_EQ(s.list_marker_row, -1);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(automation::beeps().size(), beeps + 2);

    // out of linked mode a page change leaves the list alone
    set_linked_mode(false);
    ASSERT_EQ(step_page(kPreviousPage), 0);
    EXPECT_EQ(s.list_marker_row, -1);
    set_linked_mode(true);  // on again: the page's line at once
    EXPECT_EQ(document_state().current_source_line, 0);
    ASSERT_EQ(jump_end_page(kFirstPage), 0);
    EXPECT_EQ(s.list_marker_row, (40 - 1 - s.top) * 15);
}

// --- Searching ----------------------------------------------------------------------------

TEST_F(SourceListTest, SearchNeverMatchesSecondByteOfDoubleByteCharacter) {
    ASSERT_EQ(load(kData + "sjis_search.c"), 0);
    open_window();
    SourceListState& s = source_list();
    s.search_text = "A";  // lines 1 and 2 hold "A" only as the second byte of 0x83 0x41
    s.search_start = 0;
    EXPECT_EQ(search_source(frame, 1), 0);
    EXPECT_EQ(document_state().current_source_line, 3);
    EXPECT_EQ(s.search_start, 3);
    EXPECT_EQ(search_source(frame, 1), 0);
    EXPECT_EQ(document_state().current_source_line, 5);

    // past the last match: message 715, the line stays
    EXPECT_EQ(search_source(frame, 1), -1);
    EXPECT_EQ(document_state().current_source_line, 5);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(last_box_text(), lookup_message(715));
    EXPECT_EQ(s.list_marker_row, (5 - 1 - s.top) * 15);

    // a double-byte search text still matches at a character start
    s.search_text = "\x83\x41";
    s.search_start = 0;
    EXPECT_EQ(search_source(frame, 1), 0);
    EXPECT_EQ(document_state().current_source_line, 1);
}

TEST_F(SourceListTest, SearchDialogFindsOneMatchPerPress) {
    ASSERT_EQ(load(kData + "sjis_search.c"), 0);
    open_window();
    document_state().current_source_line = 5;
    source_list().search_start = 4;
    automation::when_idle([] {
        HWND field = automation::find_window(automation::WindowSpec::control(kSearchFieldId));
        ASSERT_NE(field, nullptr);
        automation::set_control_text(field, "int");
        automation::press_button(IDOK);
    });
    automation::when_idle([] { automation::press_button(IDOK); });
    automation::when_idle([] { automation::press_button(IDCANCEL); });
    EXPECT_EQ(search_source(frame, 0), 0);  // a new search starts at the first line
    EXPECT_EQ(source_list().search_text, "int");
    EXPECT_EQ(document_state().current_source_line, 4);
    EXPECT_TRUE(automation::message_boxes().empty());

    source_list().search_text.clear();
    EXPECT_EQ(search_source(frame, 1), -1);
    EXPECT_EQ(last_box_text(), lookup_message(719));
}

// --- Scrolling, clicks, arranging -----------------------------------------------------------

TEST_F(SourceListTest, ScrollStepsAndTheirRefusals) {
    ASSERT_EQ(load_text(numbered_lines(100) + std::string(150, 'w') + "\n"), 0);
    document_state().current_source_line = 1;
    open_window();
    SourceListState& s = source_list();
    const int r = rows();
    const int n = s.text.count();  // 102 with the end marker
    ASSERT_EQ(n, 102);
    const size_t beeps = automation::beeps().size();

    EXPECT_EQ(scroll_source_view(0, s.view, SB_LINEUP), -1);
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(scroll_source_view(0, s.view, SB_LINEDOWN), 0);
    EXPECT_EQ(s.top, 1);
    EXPECT_EQ(s.list_marker_row, -1);  // line 1 left the view
    EXPECT_EQ(scroll_source_view(0, s.view, SB_PAGEDOWN), 0);
    EXPECT_EQ(s.top, 1 + r);
    EXPECT_EQ(scroll_source_view(0, s.view, SB_BOTTOM), 0);
    EXPECT_EQ(s.top, n - r + 3);
    EXPECT_EQ(scroll_source_view(0, s.view, SB_LINEDOWN), -1);
    EXPECT_EQ(scroll_source_view(0, s.view, MAKEWPARAM(SB_THUMBPOSITION, 10)), 0);
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(scroll_source_view(0, s.view, SB_TOP), 0);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.list_marker_row, 0);  // back in view, marked again
    EXPECT_EQ(scroll_source_view(0, s.view, SB_TOP), -1);
    EXPECT_EQ(scroll_source_view(0, s.view, SB_THUMBTRACK), 0);  // moves nothing

    const int w = s.text.widest;
    EXPECT_EQ(w, 157);
    EXPECT_EQ(scroll_source_view(1, s.view, SB_LINELEFT), -1);
    EXPECT_EQ(scroll_source_view(1, s.view, SB_PAGERIGHT), 0);
    EXPECT_EQ(s.left, 4);
    EXPECT_EQ(scroll_source_view(1, s.view, MAKEWPARAM(SB_THUMBPOSITION, 999)), 0);
    EXPECT_EQ(s.left, w);  // a thumb beyond the widest line stops there
    EXPECT_EQ(scroll_source_view(1, s.view, SB_LINERIGHT), -1);
    EXPECT_EQ(scroll_source_view(1, s.view, SB_RIGHT), -1);
    EXPECT_EQ(scroll_source_view(1, s.view, SB_LEFT), 0);
    EXPECT_EQ(s.left, 0);

    // the keys go the same way
    automation::press(s.view);
    SetFocus(s.view);
    EXPECT_TRUE(automation::press_key("Down"));
    EXPECT_EQ(s.top, 1);
    EXPECT_TRUE(automation::press_key("Tab"));
    EXPECT_EQ(s.left, 4);
}

TEST_F(SourceListTest, ClickMarksTheLineUnderIt) {
    ASSERT_EQ(load(kData + "three.c"), 0);
    document_state().current_source_line = 1;
    open_window();
    SourceListState& s = source_list();
    ASSERT_TRUE(automation::click(s.list, 20, 2 * 15 + 3));
    EXPECT_EQ(document_state().current_source_line, 3);
    EXPECT_EQ(s.search_start, 2);
    EXPECT_EQ(s.list_marker_row, 30);
    EXPECT_EQ(s.number_marker_row, 30);

    // below the last entry ("[EOF]" is entry 4) nothing changes
    ASSERT_TRUE(automation::click(s.line_numbers, 5, 4 * 15 + 1));
    EXPECT_EQ(document_state().current_source_line, 3);
    EXPECT_EQ(s.search_start, 2);
    ASSERT_TRUE(automation::click(s.line_numbers, 5, 3 * 15 + 1));
    EXPECT_EQ(document_state().current_source_line, 4);
}

TEST_F(SourceListTest, ArrangingAndPlacement) {
    ASSERT_EQ(load(kData + "three.c"), 0);
    HWND view = open_window();
    RECT rect{};
    GetWindowRect(view, &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right - rect.left, 680);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    EXPECT_EQ(automation::window_text(view), "\xBF\xB0\xBD\xD8\xBD\xC4");

    ASSERT_TRUE(automation::press(source_list().buttons[1]));  // "並べて表示"
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right - rect.left, 880);
    EXPECT_EQ(rect.bottom - rect.top, 412);
    GetWindowRect(view, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 412);
    EXPECT_EQ(rect.right - rect.left, 880);
    EXPECT_EQ(rect.bottom - rect.top, 356);

    ASSERT_TRUE(automation::press(source_list().buttons[0]));  // "重ねて表示"
    GetWindowRect(view, &rect);
    EXPECT_EQ(rect.left, 1024 - 680);
    EXPECT_EQ(rect.top, 768 - 500);

    // the close button keeps the text; the window comes back where it was
    ASSERT_TRUE(automation::press(source_list().buttons[4]));
    EXPECT_FALSE(source_list_open());
    EXPECT_EQ(entries().size(), 4u);
    view = open_window();
    GetWindowRect(view, &rect);
    EXPECT_EQ(rect.left, 1024 - 680);
    EXPECT_EQ(rect.top, 768 - 500);
}

// --- The user's editor ----------------------------------------------------------------------

TEST_F(SourceListTest, EditorLaunchThroughTheShell) {
    EXPECT_EQ(launch_editor(frame, ""), 200);
    EXPECT_TRUE(automation::shell_calls().empty());

    // without a loaded source the editor gets no file
    EXPECT_EQ(launch_editor(frame, "\"C:\\tools\\edit.exe\""), 0);
    ASSERT_EQ(automation::shell_calls().size(), 1u);
    EXPECT_EQ(automation::shell_calls()[0].verb, "open");
    EXPECT_EQ(automation::shell_calls()[0].file, "edit.exe");
    EXPECT_EQ(automation::shell_calls()[0].directory, "C:\\tools");
    EXPECT_EQ(automation::shell_calls()[0].parameters, "");
    EXPECT_EQ(automation::shell_calls()[0].show, SW_SHOW);

    ASSERT_EQ(load(kData + "three.c"), 0);
    // a "\" that is the second byte of a character is no separator
    EXPECT_EQ(launch_editor(frame, "/opt/\x95\x5C/ed"), 0);
    EXPECT_EQ(automation::shell_calls()[1].file, "ed");
    EXPECT_EQ(automation::shell_calls()[1].directory, "/opt/\x95\x5C");
    EXPECT_EQ(automation::shell_calls()[1].parameters, kData + "three.c");
    EXPECT_EQ(launch_editor(frame, "\x95\x5C" "ed"), 0);
    EXPECT_EQ(automation::shell_calls()[2].file, "\x95\x5C" "ed");
    EXPECT_EQ(automation::shell_calls()[2].directory, "");

    automation::set_shell_result(2);
    EXPECT_EQ(launch_editor(frame, "vi"), 203);
    EXPECT_TRUE(contains(last_box_text(), lookup_message(203)));
    EXPECT_TRUE(contains(last_box_text(), "vi"));
}

}  // namespace
