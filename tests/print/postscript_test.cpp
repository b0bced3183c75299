// PostScript into the print directory: the program text of a small page in
// both orientations, the coordinate rules, the text as Shift-JIS hex, the
// page restart after showpage and the stream's failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/print/postscript.h"
#include "common/print/print_primitives.h"
#include "platform/kernel/file_io.h"
#include "tests/print/print_fixture.h"

namespace {

class PostScriptTest : public PrintFixture {
protected:
    void start_job(int kind, int orientation) {
        set_print_job(kind, orientation);
        ASSERT_EQ(prn_begin_job(), 0);
        path_ = postscript_stream_path();
    }
    std::string written() const { return read_raw(path_); }
    // What one operation wrote.
    std::string written_by(const std::function<int()>& operation) {
        const size_t before = written().size();
        EXPECT_EQ(operation(), 0);
        return written().substr(before);
    }
    std::string path_;
};

TEST_F(PostScriptTest, SmallPageInBothOrientations) {
    const std::string ops = test_data("small_page.ops");
    const PrintJobRun landscape = run_ops(4, 0, ops);
    EXPECT_TRUE(landscape.all_succeeded);
    EXPECT_EQ(landscape.output_path.rfind(home() + "/print/job-", 0), 0u) << landscape.output_path;
    expect_golden(read_raw(landscape.output_path), "ps_landscape.ps");

    const PrintJobRun portrait = run_ops(5, 1, ops);
    EXPECT_TRUE(portrait.all_succeeded);
    EXPECT_NE(portrait.output_path, landscape.output_path);
    expect_golden(read_raw(portrait.output_path), "ps_portrait_gothic.ps");
    EXPECT_EQ(crt_open_count(), 0);
}

TEST_F(PostScriptTest, JobStartAndMoves) {
    start_job(4, 1);
    EXPECT_EQ(written(),
              "%!\n18 14 translate\n/Ryumin-Light-RKSJ-H findfont\n8 scalefont\nsetfont\n0 820 moveto\n-1 803 moveto\n");
    // The text position of (1, 1) on a portrait page is X 0, Y 804.
    EXPECT_EQ(written_by([] { return prn_move_to(1, 1); }), "-1 803 moveto\n");
    EXPECT_EQ(written_by([] { return prn_end_vector_mode(); }), "0 804 moveto\n");
    EXPECT_EQ(written_by([] { return prn_draw_line(0, 80, 400, 80); }),
              "newpath\n0.000000 setlinewidth\n0 812 moveto\n40 812 lineto\nstroke\n");
    prn_set_line_width(3);
    EXPECT_EQ(written_by([] { return prn_draw_line(0, 80, 400, 80); }),
              "newpath\n0.500000 setlinewidth\n0 812 moveto\n40 812 lineto\nstroke\n");
    prn_end_job();

    start_job(4, 0);
    EXPECT_NE(written().find("90 rotate\n18 -576 translate\n/Ryumin-Light-RKSJ-H findfont\n8 scalefont\nsetfont\n"
                             "0 564 moveto\n-1 547 moveto\n"),
              std::string::npos);
    // Landscape: the end of vector mode comes back one point lower.
    EXPECT_EQ(written_by([] { return prn_end_vector_mode(); }), "0 547 moveto\n");
    prn_end_job();
}

TEST_F(PostScriptTest, TextIsShiftJisHexAndMovesOn) {
    start_job(4, 0);
    EXPECT_EQ(written_by([] { return prn_write("AB"); }), "<41 42> show\n");
    EXPECT_EQ(print_state().postscript.text_x, 10);  // two bytes at 5 points on a landscape page
    // Double-byte characters keep their Shift-JIS bytes, even those that
    // look like EUC-JP (0xA1-0xFE) or its 0x8E.
    EXPECT_EQ(written_by([] { return prn_write("\x8a\xd6\xe0\x40\x8e\xb1\xb1"); }), "<8a d6 e0 40 8e b1 b1> show\n");
    // Line ends: text up to the CR is shown; CR LF lowers the line, a lone CR returns.
    EXPECT_EQ(written_by([] { return prn_write("C\r\n\r\n\r"); }), "<43> show\n0 539 moveto\n0 531 moveto\n0 531 moveto\n");
    EXPECT_EQ(written_by([] { return prn_write("\r"); }), "0 532 moveto\n");
    prn_end_job();
}

TEST_F(PostScriptTest, PageRestartSetsTheWholeFont) {
    start_job(5, 1);
    EXPECT_EQ(written_by([] { return prn_write("\x0c"); }), "showpage\n");
    // The next operation of any kind first sets up the page again.
    EXPECT_EQ(written_by([] { return prn_set_corner_radius(10); }),
              "18 14 translate\n/GothicBBB-Medium-RKSJ-H findfont\n8 scalefont\nsetfont\n0 820 moveto\n-1 803 moveto\n");
    // A font size set on a page comes back after the next sheet.
    EXPECT_EQ(written_by([] { return prn_select_font_slots(2, 30, 1); }),
              "/Ryumin-Light-RKSJ-H findfont\n10 scalefont\nsetfont\n");
    prn_write("\x0c");
    EXPECT_EQ(written_by([] { return prn_noop(); }), "");
    EXPECT_NE(written_by([] { return prn_write("A"); }).find("/Ryumin-Light-RKSJ-H findfont\n10 scalefont\nsetfont\n"),
              std::string::npos);
    // One-byte sizes keep the face in use, and scalefont always has its font.
    EXPECT_EQ(written_by([] { return prn_designate_fonts(1, 24, 2); }),
              "/Ryumin-Light-RKSJ-H findfont\n8 scalefont\nsetfont\n");
    prn_end_job();
}

TEST_F(PostScriptTest, CharacterSizeLeavesTheMatrixAlone) {
    start_job(4, 0);
    const std::string size = written_by([] { return prn_set_char_size(200, 200); });
    EXPECT_EQ(size, "/Ryumin-Light-RKSJ-H findfont\n[16.000000 0 0 16.000000 0 0] makefont\nsetfont\n");
    EXPECT_EQ(size.find(" scale\n"), std::string::npos);
    EXPECT_EQ(written_by([] { return prn_set_char_size(100, 50); }),
              "/Ryumin-Light-RKSJ-H findfont\n[4.000000 0 0 8.000000 0 0] makefont\nsetfont\n");
    // Positions after it are the same as before it.
    EXPECT_EQ(written_by([] { return prn_move_to(1, 1); }), "-1 547 moveto\n");
    prn_end_job();
}

TEST_F(PostScriptTest, BoxesDashesAndScales) {
    start_job(4, 1);
    prn_set_corner_radius(20);
    EXPECT_EQ(written_by([] { return prn_draw_round_box(100, 100, 300, 200); }),
              "newpath\n0.000000 setlinewidth\n12 810 moveto\n"
              "30 810 30 800 2 arcto\n4 {pop} repeat\n30 800 10 800 2 arcto\n4 {pop} repeat\n"
              "10 800 10 810 2 arcto\n4 {pop} repeat\n10 810 30 810 2 arcto\n4 {pop} repeat\nclosepath\nstroke\n");
    // The radius served one box only.
    EXPECT_EQ(written_by([] { return prn_draw_box(100, 100, 300, 200); }),
              "newpath\n0.000000 setlinewidth\n10 810 moveto\n30 810 lineto\n30 800 lineto\n10 800 lineto\n"
              "10 810 lineto\nstroke\n");
    EXPECT_EQ(written_by([] { return prn_set_line_type(4); }), "[4 4 1 2 1 4] 0 setdash\n");
    EXPECT_EQ(written_by([] { return prn_set_line_type(9); }), "[] 0 setdash\n");
    EXPECT_EQ(written_by([] { return prn_set_enlarged_text(1); }), "2.000000 1.000000 scale\n");
    EXPECT_EQ(written_by([] { return prn_set_enlarged_text(0); }), "0.500000 1.000000 scale\n");
    // A half-scaled page flips its y axis about twice the height.
    EXPECT_EQ(written_by([] { return ps_set_scale(0.5, 0.5); }), "0.500000 0.500000 scale\n");
    EXPECT_EQ(written_by([] { return prn_move_to(1, 1); }), "-1 1623 moveto\n");
    // The LIPS-only operations write nothing here.
    EXPECT_EQ(written_by([] { return prn_set_unit_mode(); }), "");
    EXPECT_EQ(written_by([] { return print_text_line_raw("\x86\x50"); }), "<86 50> show\n");
    prn_end_job();
}

TEST_F(PostScriptTest, StreamThatCannotBeWritten) {
    // A file where the print directory should be.
    write_raw(home() + "/print", "not a directory");
    set_print_job(4, 0);
    EXPECT_EQ(prn_begin_job(), -1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(prn_end_job(), 0);
    EXPECT_EQ(crt_open_count(), 0);
}

TEST_F(PostScriptTest, FailedWriteRemovesTheStream) {
    start_job(4, 0);
    // The stream's descriptor swapped for a closed one: every write fails.
    PostScriptState& ps = print_state().postscript;
    const int fd = ps.fd;
    ps.fd = crt_open(path_.c_str(), CRT_O_RDONLY);
    EXPECT_EQ(prn_write("AB"), -1);
    PrinterPrimitives printer;
    EXPECT_FALSE(printer.keep_going());
    EXPECT_EQ(prn_end_job(), -1);
    crt_close(fd);
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(crt_open_count(), 0);
}

}  // namespace
