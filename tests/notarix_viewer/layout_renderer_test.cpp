// The page in miniature: records replayed through the layout back end onto
// a surface, checked by the drawing log.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "notarix/layout/layout_renderer.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/surface.h"
#include "tests/common/drawing_calls.h"
#include "tests/common/temp_dir.h"

namespace {

class LayoutRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 400, 600);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        objects.create(ScreenColours{});
        renderer.set_dc(dc);
        clear_drawing_log();
    }
    void TearDown() override {
        renderer.set_dc(nullptr);
        release_surface_dc(dc);
        objects.destroy();
        cairo_surface_destroy(surface);
        document.reset();
    }

    void replay(const std::vector<std::string>& records) {
        LineListRecordSource source(records);
        PageRecordState state = PageRecordState::screen_state();
        replay_page_records(source, state, renderer);
    }
    static std::vector<DrawingLogEntry> calls(const std::string& op) { return drawing_calls(op); }
    // The one-pixel marks of a text: LineTo calls one pixel long.
    std::vector<POINT> marks() {
        std::vector<POINT> out;
        for (const DrawingLogEntry& e : calls("LineTo")) {
            if (e.logical[1].x - e.logical[0].x == 1 && e.logical[1].y == e.logical[0].y) out.push_back(e.logical[0]);
        }
        return out;
    }

    TempDir dir;
    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
    ScreenObjects objects;
    LayoutRenderer renderer{objects};
    DocumentState document;
};

TEST_F(LayoutRendererTest, LinesScaleFromTheMiddleOfTheirCells) {
    renderer.set_zoom(0.5f);
    replay({"LN:1,1,1,11"});
    const auto lines = calls("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].logical[0].x, 5);
    EXPECT_EQ(lines[0].logical[0].y, 6);
    EXPECT_EQ(lines[0].logical[1].x, 35);
    EXPECT_EQ(lines[0].logical[1].y, 6);
}

TEST_F(LayoutRendererTest, ScrollShiftsByScaledColumnsAndRows) {
    renderer.set_zoom(0.5f);
    renderer.set_scroll(2, 1);
    replay({"LN:1,1,1,11", "BX:2,3,4,5"});
    const auto lines = calls("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].logical[0].x, 5 - 6);
    EXPECT_EQ(lines[0].logical[0].y, 6 - 6);
    const auto boxes = calls("Rectangle");
    ASSERT_EQ(boxes.size(), 1u);
    // columns 2.5 and 4.5 of 6 pixels, rows 1.5 and 3.5 of 12, half size
    EXPECT_EQ(boxes[0].logical[0].x, 7 + 4 - 6);
    EXPECT_EQ(boxes[0].logical[0].y, 12 - 6);
    EXPECT_EQ(boxes[0].logical[1].x, 13 + 4 - 6);
    EXPECT_EQ(boxes[0].logical[1].y, 24 - 6);
    EXPECT_NE(boxes[0].params.find("brush=null"), std::string::npos);
}

TEST_F(LayoutRendererTest, AtOneTenthOnlyLinesAndBoxesAreDrawn) {
    renderer.set_zoom(0.1f);
    replay({"LN:1,1,1,11", "BX:1,1,82,110", "MV:1,5,5", "ST:hidden"});
    EXPECT_EQ(calls("LineTo").size(), 1u);
    EXPECT_EQ(calls("Rectangle").size(), 1u);
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(calls("TextOutA").empty());
}

TEST_F(LayoutRendererTest, TextIsOneMarkPerByte) {
    renderer.set_zoom(0.5f);
    replay({"MV:1,3,4", "ST:ab c"});
    EXPECT_EQ(renderer.text_x(), 18);
    EXPECT_EQ(renderer.text_y(), 12);
    const std::vector<POINT> got = marks();
    ASSERT_EQ(got.size(), 3u);
    // x0 = 18 * 0.5, y0 = (12 + 22) * 0.5, a step of 3
    EXPECT_EQ(got[0].x, 9 + 4);
    EXPECT_EQ(got[0].y, 17);
    EXPECT_EQ(got[1].x, 9 + 3 + 4);
    EXPECT_EQ(got[2].x, 9 + 9 + 4);
    EXPECT_TRUE(calls("TextOutA").empty());
}

TEST_F(LayoutRendererTest, AMoveToTheFirstRowStaysOnThePage) {
    replay({"MV:1,1,1"});
    EXPECT_EQ(renderer.text_y(), 0);
    EXPECT_EQ(renderer.text_x(), 0);
}

TEST_F(LayoutRendererTest, DoubleWidthTextMarksItsDotsToo) {
    renderer.set_zoom(0.5f);
    replay({"SS:100,200", "MV:1,2,1", "ST:ab"});
    ASSERT_EQ(marks().size(), 4u);
    EXPECT_EQ(marks()[0].y, (0 + 16) / 2);
    // the size stays for the next replay (the page after its form)
    clear_drawing_log();
    replay({"MV:1,2,1", "ST:xy"});
    EXPECT_EQ(marks().size(), 4u);
}

TEST_F(LayoutRendererTest, DoubleWidthRewrite) {
    EXPECT_EQ(double_width_marks("ab"), "ab..");
    EXPECT_EQ(double_width_marks("abcd"), "ab.. cd..");
    EXPECT_EQ(double_width_marks("abc"), "ab.. c..");
    EXPECT_EQ(double_width_marks("ab\ncd"), "ab..");
    EXPECT_EQ(double_width_marks(""), "");
    // a long text grows as it needs, no fixed buffer
    EXPECT_EQ(double_width_marks(std::string(600, 'x')).size(), 300u * 4 + 299u);
}

TEST_F(LayoutRendererTest, TwoBytesA1LeaveNoMark) {
    renderer.set_zoom(0.5f);
    replay({"MV:1,2,1", "ST:a\xA1\xA1" "b \xA1"});
    const std::vector<POINT> got = marks();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].x, 3 * 3 + 4);
    EXPECT_EQ(got[2].x, 5 * 3 + 4);
}

TEST_F(LayoutRendererTest, RoundedBoxesScaleTheirCorners) {
    renderer.set_zoom(0.25f);
    replay({"BR:50", "BX:1,1,10,10", "BX:1,1,10,10"});
    const auto round = calls("RoundRect");
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].logical[2].x, 3);
    EXPECT_EQ(round[0].logical[2].y, 3);
    EXPECT_EQ(calls("Rectangle").size(), 1u) << "the request is used up";
    // a wide pen with a square corner reaches one pixel further right
    clear_drawing_log();
    replay({"LW:3", "BR:0", "BX:1,1,10,10"});
    const auto square = calls("RoundRect");
    ASSERT_EQ(square.size(), 1u);
    EXPECT_EQ(square[0].logical[1].x, static_cast<int>(57 * 0.25f) + 4 + 1);
    EXPECT_EQ(objects.pen_width(), 2) << "LW 3 draws 2 wide with the shared pen";
}

TEST_F(LayoutRendererTest, FormAndPageFromTheirFiles) {
    LayoutDrawContext context;
    context.layout_file = dir.path("missing.lis");
    EXPECT_EQ(render_form_screen(renderer, context), -1);
    EXPECT_EQ(render_function_screen(renderer, document, 0, context), -1);

    std::string stored;
    scramble_line("LN:1,1,1,11", stored, 1);
    write_raw(dir.path("form.lis"), stored + "\r\nZC:\r\nLN:2,2,2,2\r\n");
    context.layout_file = dir.path("form.lis");
    EXPECT_EQ(render_form_screen(renderer, context), 0);
    EXPECT_EQ(calls("LineTo").size(), 1u) << "the form ends at ZC";
}

TEST_F(LayoutRendererTest, ThePageStartsAtTheNormalSizeAfterAWideForm) {
    write_raw(dir.path("form.lis"), "SS:100,200\r\nMV:1,2,1\r\nST:ab\r\n");
    write_raw(dir.path("doc.lin"), " [JOV:LIN:V1.00 \r\nOV:3\r\n#NAM:one\r\nMV:1,2,1\r\nST:xy\r\nZC:\r\n"
                                   "#NAM:two\r\nMV:1,2,1\r\nST:xy\r\nZC:\r\nOV:4\r\n");
    document.file_name = dir.path("doc.lin");
    ASSERT_EQ(index_document(document, kNotarixDocument), kIndexOk);
    LayoutDrawContext context;
    context.layout_file = dir.path("form.lis");
    renderer.set_zoom(0.5f);
    ASSERT_EQ(render_form_screen(renderer, context), 0);
    EXPECT_EQ(marks().size(), 4u) << "the form's text with its dots";
    clear_drawing_log();
    ASSERT_EQ(render_function_screen(renderer, document, 1, context), 0);
    EXPECT_EQ(marks().size(), 2u) << "the second page's text a mark a byte";
}

}  // namespace
