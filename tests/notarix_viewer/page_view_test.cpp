// The page view on documents the converters made and on hand-made ones:
// paging results on 0, 1 and n pages, scroll ranges and steps, keys and
// painting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "common/text/clock.h"
#include "common/text/message_table.h"
#include "notarix/converter/nx1011s.h"
#include "notarix/formatter/nx1012.h"
#include "notarix/viewer/page_view.h"
#include "platform/automation/automation.h"
#include "platform/gdi/drawing_log.h"
#include "tests/common/temp_dir.h"

namespace {

const std::string kData = std::string(TEST_DATA_DIR) + "/";

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

LRESULT plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

class PageViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        automation::set_screen_size(1024, 768);
        document_state().reset();
        page_view().reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain_proc;
        wc.lpszClassName = "TestFrame";
        RegisterClassA(&wc);
        ASSERT_NE(register_page_view_class(nullptr), 0);
        frame = CreateWindowA("TestFrame", "f", WS_POPUP | WS_VISIBLE, 0, 0, 900, 600, nullptr, nullptr, nullptr,
                              nullptr);
        chart = CreateWindowA(kPageViewClass, "CHART", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 35,
                              600, 300, frame, reinterpret_cast<HMENU>(3000), nullptr, nullptr);
        ASSERT_EQ(page_view().window, chart);
        RECT client{};
        GetClientRect(chart, &client);
        set_page_view_metrics(client.right, client.bottom);

        write_raw(dir.path("form.lis"), "BX:1,1,82,110\nMV:1,2,2\nST:FORM\n");
        PageViewHooks& hooks = page_view().hooks;
        hooks.layout_name = [this] { return dir.path("form"); };
        hooks.set_status_text = [this](int mode, const std::string& text) {
            status = mode == 1 ? text : std::string();
        };
        hooks.follow_source = [this] { ++follows; };
        hooks.set_layout_visible_region = [this](int, int, int w, int h) { region = {w, h}; };
        hooks.select_function = [this](int page) { selected = page; };
        clear_drawing_log();
    }
    void TearDown() override {
        page_view().reset();
        document_state().reset();
        automation::reset();
        UnregisterClassA(kPageViewClass, nullptr);
        UnregisterClassA("TestFrame", nullptr);
    }

    // A document of `pages` hand-made pages, LF line ends, plain lines.
    void open_hand_made(int pages) {
        std::string text = " [JOV:LIN:V1.00 \nOV:3\nZO:\n";
        for (int i = 0; i < pages; ++i) {
            text += "#NAM:f" + std::to_string(i) + "\n#TAG:a.c(" + std::to_string(i + 5) +
                    ")\nMV:1,7,16\nST:page" + std::to_string(i) + "\nZC:\n";
        }
        text += "OV:4\n";
        write_raw(dir.path("hand.lin"), text);
        write_raw(dir.path("hand.c"), "");
        ASSERT_EQ(open_document(document_state(), dir.path("hand.c"), {}, kNotarixDocument), 0);
        ASSERT_EQ(refresh_page_view(), 0);
    }

    // The document the converter and the formatter make of a test source.
    void open_generated(const std::string& fixture) {
        reset_analysis_state(kNotarixAnalysis);
        set_clock_for_tests(LocalTime{2024, 4, 1, 9, 30, 0});
        const std::string source = dir.path(fixture + ".c");
        write_raw(source, read_raw(kData + "nx1011s/" + fixture + ".c"));
        write_raw(dir.path("nx1000.css"), read_raw(kData + "nx1012/common.css"));
        const std::string error = "-e" + dir.path("nx1000.err");
        ASSERT_EQ(call(run_function_spec_converter,
                       {"nx1011s", source, error, "-v0", "-i10", "-d3", "-H0", "-mf", "-X8417", ""}),
                  0);
        ASSERT_EQ(call(run_spec_formatter,
                       {"nx1012", "-s2", "-c" + dir.path("nx1000.css"), error, "-f", "-X8417", source}),
                  0);
        reset_clock_for_tests();
        reset_analysis_state(kNotarixAnalysis);
        ASSERT_EQ(open_document(document_state(), source, {}, kNotarixDocument), 0);
        ASSERT_EQ(refresh_page_view(), 0);
    }

    std::vector<std::string> texts_drawn() {
        std::vector<std::string> out;
        for (const DrawingLogEntry& e : drawing_log_entries_for_window(chart)) {
            if (e.op == "TextOutA") out.push_back(e.text);
        }
        return out;
    }
    std::string joined_texts() {
        std::string all;
        for (const std::string& t : texts_drawn()) all += t;
        return all;
    }

    TempDir dir;
    HWND frame = nullptr;
    HWND chart = nullptr;
    std::string status;
    int follows = 0;
    std::pair<int, int> region{-1, -1};
    int selected = -1;
};

TEST_F(PageViewTest, NothingLoadedRefusesWith117Or118) {
    EXPECT_EQ(step_page(kNextPage), 117);
    EXPECT_EQ(status, lookup_message(117));
    document_state().file_name = dir.path("x.lin");
    EXPECT_EQ(step_page(kPreviousPage), 118);
    EXPECT_EQ(jump_end_page(kLastPage), 118);
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_LINEDOWN), -1);
    EXPECT_EQ(redraw_page_view(), -1);
    EXPECT_EQ(refresh_page_view(), -1);
    EXPECT_EQ(automation::beeps().size(), 5u);
}

TEST_F(PageViewTest, NoPagesRefusesEveryPageChange) {
    open_hand_made(0);
    EXPECT_EQ(document_state().page_count, 0);
    EXPECT_EQ(step_page(kNextPage), 604);
    EXPECT_EQ(status, lookup_message(604));
    EXPECT_EQ(step_page(kPreviousPage), 603);
    EXPECT_EQ(jump_end_page(kFirstPage), 603);
    EXPECT_EQ(jump_end_page(kLastPage), 604);
    EXPECT_EQ(document_state().current_page, 0);
}

TEST_F(PageViewTest, OnePageHasNowhereToGo) {
    open_hand_made(1);
    EXPECT_EQ(step_page(kNextPage), 604);
    EXPECT_EQ(step_page(kPreviousPage), 603);
    EXPECT_EQ(jump_end_page(kFirstPage), 603);
    EXPECT_EQ(jump_end_page(kLastPage), 604);
    EXPECT_EQ(document_state().page_title, "f0");
}

TEST_F(PageViewTest, PagingThroughAGeneratedDocument) {
    open_generated("headed");
    DocumentState& doc = document_state();
    ASSERT_GT(doc.page_count, 2);
    const int last = doc.page_count - 1;
    EXPECT_NE(joined_texts().find("FORM"), std::string::npos) << "the form is drawn under the page";

    doc.scroll_row = 3;
    clear_drawing_log();
    EXPECT_EQ(step_page(kNextPage), 0);
    EXPECT_EQ(doc.current_page, 1);
    EXPECT_EQ(doc.scroll_row, 0) << "a page change resets the scroll position";
    EXPECT_EQ(doc.current_source_line, doc.pages[1].tag);
    EXPECT_GT(doc.pages[1].tag, 0);
    EXPECT_EQ(follows, 1);
    EXPECT_EQ(region, std::make_pair(doc.client_width, doc.client_height));
    EXPECT_EQ(selected, 1);
    EXPECT_FALSE(texts_drawn().empty());

    EXPECT_EQ(jump_end_page(kLastPage), 0);
    EXPECT_EQ(doc.current_page, last);
    EXPECT_EQ(jump_end_page(kLastPage), 604);
    EXPECT_EQ(step_page(kNextPage), 604);
    doc.linked_mode = false;
    doc.current_source_line = 77;
    EXPECT_EQ(step_page(kPreviousPage), 0);
    EXPECT_EQ(doc.current_source_line, 77) << "only linked mode follows the tag";
    EXPECT_EQ(follows, 2);
    EXPECT_EQ(jump_end_page(kFirstPage), 0);
    EXPECT_EQ(step_page(kPreviousPage), 603);
    EXPECT_EQ(doc.current_page, 0);
}

TEST_F(PageViewTest, EachPageShowsItsOwnText) {
    open_hand_made(3);
    EXPECT_NE(joined_texts().find("page0"), std::string::npos);
    clear_drawing_log();
    ASSERT_EQ(jump_end_page(kLastPage), 0);
    EXPECT_NE(joined_texts().find("page2"), std::string::npos);
    EXPECT_EQ(joined_texts().find("page0"), std::string::npos);
    EXPECT_EQ(document_state().page_title, "f2");
    EXPECT_EQ(document_state().current_source_line, 7);
}

TEST_F(PageViewTest, ScrollRangesFollowTheViewSize) {
    open_hand_made(2);
    const DocumentState& doc = document_state();
    int lo = -1, hi = -1;
    GetScrollRange(chart, SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 81 - doc.client_height / 12);
    GetScrollRange(chart, SB_HORZ, &lo, &hi);
    EXPECT_EQ(hi, 111 - doc.client_width / 6);
    EXPECT_EQ(max_scroll_column(), 112 - doc.client_width / 6);

    set_page_view_metrics(900, 1000);
    EXPECT_EQ(max_scroll_column(), 1) << "a view wider than the page";
    ASSERT_EQ(refresh_page_view(), 0);
    GetScrollRange(chart, SB_VERT, &lo, &hi);
    EXPECT_EQ(hi, 0) << "never below 0";
}

TEST_F(PageViewTest, ScrollStepsAndRefusals) {
    open_hand_made(1);
    DocumentState& doc = document_state();
    doc.tab_width = 4;
    const size_t beeps = automation::beeps().size();
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_LINEUP), -1);
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_PAGELEFT), -1);
    EXPECT_EQ(automation::beeps().size(), beeps + 2);

    doc.scroll_column = 5;
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_PAGERIGHT), 0);
    EXPECT_EQ(doc.scroll_column, 8);
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_PAGERIGHT), 0);
    EXPECT_EQ(doc.scroll_column, 12);
    EXPECT_EQ(GetScrollPos(chart, SB_HORZ), 12);
    doc.scroll_column = 7;
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_PAGELEFT), 0);
    EXPECT_EQ(doc.scroll_column, 4);
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_PAGELEFT), 0);
    EXPECT_EQ(doc.scroll_column, 0);
    const int last_column = max_scroll_column() - 1;
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, MAKEWPARAM(SB_THUMBPOSITION, 500)), 0);
    EXPECT_EQ(doc.scroll_column, last_column);
    EXPECT_EQ(scroll_page_view(kHorizontalAxis, chart, SB_LINERIGHT), -1);

    const int bottom = 82 - doc.visible_rows;
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_PAGEDOWN), 0);
    EXPECT_EQ(doc.scroll_row, std::min(bottom, doc.visible_rows));
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_BOTTOM), 0);
    EXPECT_EQ(doc.scroll_row, bottom);
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_LINEDOWN), -1);
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_TOP), 0);
    EXPECT_EQ(doc.scroll_row, 0);
    const size_t before = automation::beeps().size();
    EXPECT_EQ(scroll_page_view(kVerticalAxis, chart, SB_ENDSCROLL), -1);
    EXPECT_EQ(automation::beeps().size(), before) << "other codes do nothing, not even a beep";

    EXPECT_EQ(scroll_to_position(2, 60, 120), 10);
    EXPECT_EQ(doc.scroll_column, 10);
    EXPECT_EQ(doc.scroll_row, 10);
    EXPECT_EQ(scroll_to_position(0, -50, 0), 0);

    // the document gone (a failed generation): the empty view's bars start over
    ASSERT_GT(GetScrollPos(chart, SB_VERT), 0);
    close_document(doc);
    EXPECT_NE(open_document(doc, dir.path("gone.c"), {}, kNotarixDocument), 0);
    EXPECT_EQ(refresh_page_view(), -1);
    EXPECT_EQ(GetScrollPos(chart, SB_VERT), 0);
    EXPECT_EQ(GetScrollPos(chart, SB_HORZ), 0);
    EXPECT_EQ(doc.scroll_row, 0);
}

TEST_F(PageViewTest, KeysScrollThePage) {
    open_hand_made(1);
    SendMessageA(chart, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(chart, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(chart, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(document_state().scroll_row, 1);
    SendMessageA(chart, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(document_state().scroll_column, 4);
    SendMessageA(chart, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(document_state().scroll_column, 5);
    SendMessageA(chart, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(document_state().scroll_column, 4);
}

TEST_F(PageViewTest, PaintDrawsThePageUnlessADrawingHoldsTheContext) {
    open_hand_made(1);
    clear_drawing_log();
    InvalidateRect(chart, nullptr, TRUE);
    UpdateWindow(chart);
    EXPECT_NE(joined_texts().find("page0"), std::string::npos);

    clear_drawing_log();
    page_view().renderer.acquire_dc(chart, 2);
    InvalidateRect(chart, nullptr, TRUE);
    UpdateWindow(chart);
    EXPECT_TRUE(texts_drawn().empty()) << "only validated";
    page_view().renderer.release_dc(chart, 2);
}

TEST_F(PageViewTest, AMissingFormIsReportedAndThePageStillDrawn) {
    page_view().hooks.layout_name = nullptr;
    document_state().program_directory = dir.path();
    automation::answer_next_message_box(IDOK);
    open_hand_made(1);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_NE(automation::message_boxes()[0].text.find(dir.path("nx1000.lis")), std::string::npos);
    EXPECT_EQ(automation::message_boxes()[0].caption,
              "\x81\x79\x20\x82\x6d\x82\x6e\x82\x73\x82\x60\x82\x71\x82\x68\x82\x77\x20\x81\x7a");
    EXPECT_NE(joined_texts().find("page0"), std::string::npos);
    EXPECT_FALSE(page_view().form_error_box_open);
}

}  // namespace
