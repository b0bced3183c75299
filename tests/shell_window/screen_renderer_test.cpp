// Pages replayed onto a surface context through the screen back end,
// checked by the drawing log and a few pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "common/shell/window/screen_renderer.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/surface.h"
#include "tests/common/drawing_calls.h"
#include "tests/common/temp_dir.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class ScreenRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 680, 1000);
        dc = create_surface_dc(surface, nullptr, 0, 0, nullptr);
        RECT all{0, 0, 680, 1000};
        FillRect(dc, &all, GetStockObject(WHITE_BRUSH));
        objects.create(ScreenColours{});
        renderer.set_paint_dc(dc);
        ASSERT_EQ(renderer.acquire_dc(nullptr, kPageDrawOwner), dc);
        clear_drawing_log();
    }
    void TearDown() override {
        renderer.release_dc(nullptr, kPageDrawOwner);
        release_surface_dc(dc);
        objects.destroy();
        cairo_surface_destroy(surface);
        document.reset();
    }

    void replay(const std::vector<std::string>& records, bool page_text = true) {
        renderer.set_page_text(page_text);
        renderer.set_text_colour(page_text ? kPageTextColour : kFormTextColour);
        LineListRecordSource source(records);
        PageRecordState state = PageRecordState::screen_state();
        replay_page_records(source, state, renderer);
    }
    static std::vector<DrawingLogEntry> calls(const std::string& op) { return drawing_calls(op); }
    COLORREF at(int x, int y) {
        cairo_surface_flush(surface);
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface) +
                                                y * cairo_image_surface_get_stride(surface));
        const uint32_t p = row[x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // A document of scrambled CR LF lines in the scratch folder.
    void write_document(const std::vector<std::string>& lines) {
        std::string bytes;
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string stored;
            scramble_line(lines[i], stored, static_cast<int>(i) + 1);
            bytes += stored + "\r\n";
        }
        write_raw(dir.path("doc.lin"), bytes);
        document.file_name = dir.path("doc.lin");
        ASSERT_EQ(index_document(document, kNotarixDocument), kIndexOk);
    }

    TempDir dir;
    cairo_surface_t* surface = nullptr;
    HDC dc = nullptr;
    ScreenObjects objects;
    ScreenRenderer renderer{objects};
    DocumentState document;
};

TEST_F(ScreenRendererTest, TextAtRowOneColumnOneOnTheFixedPitch) {
    replay({"MV:1,1,1", "ST:AB"});
    auto texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 2u) << "one call per character";
    EXPECT_EQ(texts[0].text, "A");
    EXPECT_EQ(texts[0].logical[0].x, 0);
    EXPECT_EQ(texts[0].logical[0].y, 7) << "0 - 12 + 16, plus 3";
    EXPECT_EQ(texts[1].logical[0].x, 7) << "pitch 7 on a page";
    EXPECT_NE(texts[0].params.find("colour=#0000c0"), std::string::npos) << texts[0].params;
    EXPECT_NE(texts[0].params.find("transparent"), std::string::npos);

    clear_drawing_log();
    replay({"MV:1,3,5", "ST:\x93\xfa" "A"}, false);
    texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "\x93\xfa") << "a double-byte character is drawn whole";
    EXPECT_EQ(texts[0].logical[0].x, 24);
    EXPECT_EQ(texts[0].logical[0].y, 31);
    EXPECT_EQ(texts[1].logical[0].x, 24 + 12) << "two bytes at pitch 6 in the form";
    EXPECT_NE(texts[0].params.find("colour=#000000"), std::string::npos);

    clear_drawing_log();
    replay({"MV:1,1,1", "ST:\x93\xfa" "A"});
    EXPECT_EQ(calls("TextOutA")[1].logical[0].x, 14) << "two bytes at pitch 7 on a page";

    clear_drawing_log();
    replay({"MV:1,1,1", "ST:", "ST:x,y"});
    ASSERT_EQ(calls("TextOutA").size(), 3u) << "an empty text draws nothing, commas are text";
}

TEST_F(ScreenRendererTest, DoubleWidthTextAfterScale200) {
    replay({"MV:1,2,3", "SS:100,200", "ST:AB", "SS:100,100", "ST:C"});
    auto texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "AB") << "the whole text in one call";
    EXPECT_EQ(texts[0].logical[0].x, 12 - 6);
    EXPECT_EQ(texts[0].logical[0].y, 0 + 16 - 10);
    EXPECT_NE(texts[0].params.find(",24,12,"), std::string::npos) << texts[0].params;
    EXPECT_NE(texts[0].params.find("colour=#000000"), std::string::npos) << "form-line colour on a page";
    EXPECT_EQ(texts[1].text, "C");
    EXPECT_NE(texts[1].params.find(",12,6,"), std::string::npos) << "the page font comes back";
    EXPECT_EQ(GetTextCharacterExtra(dc), 0);
}

TEST_F(ScreenRendererTest, CornerRadiusAppliesToTheNextBoxOnly) {
    replay({"BR:50", "BX:1,1,3,11", "BX:1,1,3,11", "BR:0", "BX:1,1,3,11"});
    auto round = calls("RoundRect");
    ASSERT_EQ(round.size(), 1u);
    EXPECT_EQ(round[0].logical[0].x, 3);
    EXPECT_EQ(round[0].logical[0].y, 12);
    EXPECT_EQ(round[0].logical[1].x, 63);
    EXPECT_EQ(round[0].logical[1].y, 36);
    EXPECT_EQ(round[0].logical[2].x, 12) << "radius 6: a 12 x 12 corner ellipse";
    EXPECT_EQ(round[0].logical[2].y, 12);
    EXPECT_NE(round[0].params.find("brush=null"), std::string::npos);
    EXPECT_EQ(calls("Rectangle").size(), 2u) << "the box after it and a radius of 0 are plain";
}

TEST_F(ScreenRendererTest, LineWidthsAndTheWidenedRightEdge) {
    replay({"LW:1", "BX:1,1,3,11", "LW:2", "BX:1,1,3,11", "LW:3", "BX:1,1,3,11", "LN:1,1,1,11"});
    auto boxes = calls("Rectangle");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].logical[1].x, 63);
    EXPECT_NE(boxes[0].params.find("pen=solid,1,#000000"), std::string::npos) << boxes[0].params;
    EXPECT_EQ(boxes[1].logical[1].x, 64) << "wide pens reach one pixel further";
    EXPECT_NE(boxes[1].params.find("pen=solid,2,"), std::string::npos);
    EXPECT_NE(boxes[2].params.find("pen=solid,2,"), std::string::npos) << "3 is taken as 2";
    EXPECT_EQ(objects.pen_width(), 2);
    auto lines = calls("LineTo");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].logical[0].x, 3);
    EXPECT_EQ(lines[0].logical[0].y, 12) << "6 for the cell centre, 6 down";
    EXPECT_EQ(lines[0].logical[1].x, 63);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), objects.pen()) << "the new pen is the one selected";
}

TEST_F(ScreenRendererTest, ScrollingShiftsEverything) {
    renderer.set_scroll(2, 1);
    replay({"MV:1,3,5", "ST:A", "LN:2,3,2,9", "BX:2,3,4,9"});
    auto text = calls("TextOutA");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].logical[0].x, 24 - 12);
    EXPECT_EQ(text[0].logical[0].y, 31 - 12);
    auto line = calls("LineTo");
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0].logical[0].x, 15 - 12);
    EXPECT_EQ(line[0].logical[0].y, 18 - 12 + 6);
    auto box = calls("Rectangle");
    ASSERT_EQ(box.size(), 1u);
    EXPECT_EQ(box[0].logical[0].y, 18 + 6 - 12);
}

TEST_F(ScreenRendererTest, PixelsOfABoxAndAText) {
    replay({"BX:2,2,6,21", "MV:1,10,10", "ST:\x81\xa1"});  // "■"
    // the box from (9, 24) to (123, 72)
    EXPECT_EQ(at(9, 40), RGB(0, 0, 0));
    EXPECT_EQ(at(60, 24), RGB(0, 0, 0));
    EXPECT_EQ(at(60, 40), kWhite) << "hollow";
    // the square at (54, 115) in the page-text colour
    int blue = 0;
    for (int y = 115; y < 127; ++y)
        for (int x = 54; x < 66; ++x) blue += at(x, y) != kWhite && GetBValue(at(x, y)) > GetRValue(at(x, y));
    EXPECT_GT(blue, 20);
}

TEST_F(ScreenRendererTest, TitleFromNameAndPurposeRecords) {
    std::string title = "old";
    renderer.set_title(&title);
    replay({"#NAM:calc", "#FUN:adds", "#TAG:x.c(3)"});
    EXPECT_EQ(title, "calc adds");
    replay({"#NAM:" + std::string(300, 'n')});
    EXPECT_EQ(title.size(), 250u) << "the record is cut to 255 bytes first";
    replay({"#FUN:more"});
    EXPECT_EQ(title.size(), 250u) << "a title of 250 bytes takes nothing more";
    replay({"#NAM:" + std::string(240, 'n'), "#FUN:" + std::string(40, 'f')});
    EXPECT_EQ(title.size(), 240u + 1 + 10);
}

TEST_F(ScreenRendererTest, DrawPageDrawsFormThenPageAndReportsAMissingForm) {
    write_raw(dir.path("form.lis"), "BX:1,1,82,110\r\nMV:1,2,2\r\nST:F\r\n");
    write_document({" [JOV:LIN:V1.00 ", "OV:3", "#NAM:one", "MV:1,7,16", "ST:first", "ZC:", "#NAM:two",
                    "MV:1,7,16", "ST:second", "ZC:", "OV:4"});
    document.current_page = 1;
    document.page_title = "stale";
    std::vector<std::string> missing;
    PageDrawContext context;
    context.layout_file = dir.path("form.lis");
    context.layout_missing = [&](const std::string& name) { missing.push_back(name); };
    draw_page(renderer, document, context);
    auto texts = calls("TextOutA");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "F");
    EXPECT_NE(texts[0].params.find("colour=#000000"), std::string::npos) << "the form in the form-line colour";
    EXPECT_EQ(texts[1].text, "s") << "then the current page";
    EXPECT_EQ(texts[1].logical[0].x, 90);
    EXPECT_EQ(texts[1].logical[0].y, 79);
    EXPECT_EQ(document.page_title, "two");
    EXPECT_TRUE(missing.empty());
    EXPECT_EQ(renderer.owner(), 0) << "a paint context is lent, never fetched";

    clear_drawing_log();
    context.layout_file = dir.path("none.lis");
    document.current_page = 0;
    draw_page(renderer, document, context);
    EXPECT_EQ(missing, std::vector<std::string>{dir.path("none.lis")});
    texts = calls("TextOutA");
    ASSERT_EQ(texts.size(), 5u) << "the page is drawn without its form";
    EXPECT_EQ(document.page_title, "one");

    document.file.close();
    EXPECT_EQ(draw_page_records(renderer, document, 0, context), -1);
}

TEST_F(ScreenRendererTest, EveryPageStartsAtTheNormalSizeWhateverTheFormEndsWith) {
    write_raw(dir.path("form.lis"), "SS:100,200\r\nMV:1,2,2\r\nST:W\r\n");
    write_document({" [JOV:LIN:V1.00 ", "OV:3", "SS:100,100", "#NAM:one", "MV:1,7,16", "ST:a", "ZC:", "#NAM:two",
                    "MV:1,7,16", "ST:b", "ZC:", "OV:4"});
    PageDrawContext context;
    context.layout_file = dir.path("form.lis");
    for (int page = 0; page < 2; ++page) {
        clear_drawing_log();
        document.current_page = page;
        draw_page(renderer, document, context);
        const auto texts = calls("TextOutA");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_NE(texts[0].params.find(",24,12,"), std::string::npos) << "the form's own text is wide";
        EXPECT_NE(texts[1].params.find(",12,6,"), std::string::npos) << "page " << page << ": " << texts[1].params;
    }
}

}  // namespace
