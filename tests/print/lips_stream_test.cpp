// Canon LIPS on the port: the whole byte stream of a small page in both
// orientations, the raw text line's modes, the job's start and end by kind
// and overlay, and the failures of the port.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "common/print/lips.h"
#include "common/print/print_primitives.h"
#include "common/print/ruled_lines.h"
#include "platform/user/winuser.h"
#include "tests/print/print_fixture.h"

namespace {

class LipsTest : public PrintFixture {
protected:
    // The bytes one operation sends in a job that is already running.
    std::string sent_by(const std::function<int()>& operation, int* result = nullptr) {
        const size_t before = port_bytes().size();
        const int r = operation();
        if (result) *result = r;
        return port_bytes().substr(before);
    }

    void start_job(int kind = 0, int orientation = 0) {
        set_print_job(kind, orientation);
        ASSERT_EQ(prn_begin_job(), 0);
    }
};

TEST_F(LipsTest, SmallPageInBothOrientations) {
    const std::string ops = test_data("small_page.ops");
    const PrintJobRun landscape = run_ops(0, 0, ops);
    EXPECT_TRUE(landscape.all_succeeded);
    EXPECT_EQ(landscape.output_path, home() + "/LPT1");
    expect_golden(escape_stream(port_bytes()), "lips_landscape.txt");

    std::remove((home() + "/LPT1").c_str());
    const PrintJobRun portrait = run_ops(0, 1, ops);
    EXPECT_TRUE(portrait.all_succeeded);
    expect_golden(escape_stream(port_bytes()), "lips_portrait.txt");
    EXPECT_EQ(open_printer_port_count(), 0);
}

TEST_F(LipsTest, JobStartByOrientationAndOverlay) {
    const struct {
        int orientation;
        const char* format;
    } cases[] = {{0, "\033[15p"}, {1, "\033[14p"}, {2, "\033[25p"}};
    for (const auto& c : cases) {
        std::remove((home() + "/LPT1").c_str());
        start_job(0, c.orientation);
        EXPECT_EQ(port_bytes().substr(0, 2 + std::strlen(c.format)), std::string("\033c") + c.format);
        EXPECT_EQ(port_bytes().find("\033[1;0&w"), std::string::npos);
        EXPECT_EQ(prn_end_job(), 0);
    }
    // An overlay job starts without the reset and turns the overlay mode on.
    std::remove((home() + "/LPT1").c_str());
    set_print_job(0, 0);
    print_state().job.overlay = 3;
    ASSERT_EQ(prn_begin_job(), 0);
    const std::string start = port_bytes();
    EXPECT_EQ(start.substr(0, 2), "\033<");
    EXPECT_NE(start.find("\033%0\033[2&z\033[1;0&w\033[&}"), std::string::npos);
    EXPECT_EQ(prn_end_job(), 0);
}

TEST_F(LipsTest, OnlyKindZeroEndsWithTheReset) {
    start_job(0);
    EXPECT_EQ(sent_by([] { return prn_end_job(); }), "\033c");
    start_job(2);
    EXPECT_EQ(sent_by([] { return prn_end_job(); }), "");
    EXPECT_EQ(print_state().job.port, 0);
    // An ended job has nothing left to end.
    EXPECT_EQ(prn_end_job(), 0);
}

TEST_F(LipsTest, RawTextLineModes) {
    start_job();
    // Katakana and a letter go as they are, with no mode sequence.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("\xb1\x42"); }), "\xb1\x42");
    // A PC98 ruled-line piece switches to the ruled-line set and the
    // one-byte mode, and both are undone at the end of the line.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("\x86\x50"); }),
              "\033[3;2%v\016\033[80;47 G\017\033%@\xb1\033%0\033[1;2%v\016\033[80;47 G\017");
    // Both ends of the piece range: 0x40 and 0x7E by trail - 0x1F, 0x80 and
    // 0x9E by trail - 0x20.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("\x86\x40\x86\x7e\x86\x80\x86\x9e"); }),
              "\033[3;2%v\016\033[80;47 G\017\033%@\xa1\xdf\xe0\xfe\033%0\033[1;2%v\016\033[80;47 G\017");
    // A kanji after pieces returns to the two-byte mode first; a katakana
    // byte leaves the ruled-line set.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("\x86\x50\x8a\xd6\xb1"); }),
              "\033[3;2%v\016\033[80;47 G\017\033%@\xb1\033%0\x8a\xd6\033[1;2%v\016\033[80;47 G\017\xb1");
    // Codes outside the piece range (the full-width PC98 ruled lines at
    // 0x86A2 on) are ordinary double-byte characters.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("\x86\xa2\x86\x3f"); }), "\x86\xa2\x86\x3f");
    // A lead byte without its trail is sent as the single byte it is.
    EXPECT_EQ(sent_by([] { return print_text_line_raw("AB\x8a"); }), "AB\x8a");
}

TEST_F(LipsTest, RuledLineCharactersOfTheFormsGoAsTheyAre) {
    start_job();
    // The full-width ruled lines of both code sets lie outside the pieces'
    // range: a line of all of them goes out byte for byte, no mode changed.
    for (const RuledLineCodeSet set : {kRuledLinesDosV, kRuledLinesPc98}) {
        std::string line;
        for (int entry = 0; entry < kRuledLineCount; ++entry) {
            const int code = ruled_line_entry_code(entry, set);
            line += static_cast<char>(code >> 8);
            line += static_cast<char>(code & 0xFF);
        }
        EXPECT_EQ(sent_by([&] { return print_text_line_raw(line); }), line) << set;
    }
}

TEST_F(LipsTest, LongRunIsSentWholeInPieces) {
    start_job();
    std::string line;
    for (int i = 0; i < 700; ++i) line += "\x8a\xd6";  // 1400 bytes, past the 516-byte run
    line += "X";
    EXPECT_EQ(sent_by([&] { return print_text_line_raw(line); }), line);
    // A piece at the very end of a full run still comes out in order.
    std::string pieces(515, 'a');
    pieces += "\x86\x50";
    EXPECT_EQ(sent_by([&] { return print_text_line_raw(pieces); }),
              std::string(515, 'a') + "\033[3;2%v\016\033[80;47 G\017\033%@\xb1\033%0\033[1;2%v\016\033[80;47 G\017");
}

TEST_F(LipsTest, VectorCommands) {
    start_job();
    EXPECT_EQ(sent_by([] { return prn_set_line_width(2); }), "F1!\036");
    EXPECT_EQ(sent_by([] { return prn_set_line_width(3); }), "F1\"\036");
    EXPECT_EQ(sent_by([] { return prn_set_line_width(5); }), "F1#\036");
    EXPECT_EQ(sent_by([] { return prn_set_line_width(7); }), "F1$\036");
    EXPECT_EQ(sent_by([] { return prn_set_line_type(4); }), "E14\036");
    EXPECT_EQ(sent_by([] { return prn_set_line_type(5); }), "E1!\036");
    EXPECT_EQ(sent_by([] { return prn_send_vector_g(1); }), "}G1\036");
    // Relative steps round the box, back to its corner.
    EXPECT_EQ(sent_by([] { return prn_draw_box(0, 0, 16, 5); }), "100A0005A 00%\036");
    EXPECT_EQ(sent_by([] { return prn_draw_line(5, 5, 0, 0); }), "1\x35\x35\x25\x25\036");
    EXPECT_EQ(sent_by([] { return prn_draw_round_box(1, 2, 3, 4); }), "}:1324\036");
    EXPECT_EQ(sent_by([] { return prn_set_corner_radius(-1); }), "}J!\036");
    EXPECT_EQ(sent_by([] { return prn_send_mode_sequence(9); }), "");
    EXPECT_EQ(sent_by([] { return prn_select_font_slots(1, 28, 1); }), "");
    EXPECT_EQ(sent_by([] { return prn_designate_fonts(2, 28, 1); }), "");
}

TEST_F(LipsTest, PortThatCannotBeOpened) {
    // A directory where the port's file should be: the port cannot open.
    std::filesystem::create_directories(home() + "/LPT1");
    set_print_job(0, 0);
    EXPECT_EQ(prn_begin_job(), -1);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, "\x81\x79\x20\x88\xf3\x8d\xfc\x20\x81\x7a");  // 【 印刷 】
    EXPECT_EQ(print_state().job.port, 0);
    EXPECT_EQ(prn_end_job(), 0);
}

TEST_F(LipsTest, ShortWriteIsReported) {
    start_job();
    set_printer_port_write_limit(3);
    EXPECT_EQ(print_text_line_raw("ABCDEF"), -1);
    EXPECT_EQ(prn_write_raw("X", 1), -1);
    EXPECT_TRUE(print_state().job.failed);
    PrinterPrimitives printer;
    EXPECT_FALSE(printer.keep_going());
    // The job still ends and closes its port, reporting the failure.
    EXPECT_EQ(prn_end_job(), -1);
    EXPECT_EQ(print_state().job.port, 0);
    EXPECT_EQ(open_printer_port_count(), 0);
    // The next job starts clean.
    set_printer_port_write_limit(-1);
    start_job();
    EXPECT_FALSE(print_state().job.failed);
    EXPECT_EQ(prn_end_job(), 0);
}

TEST_F(LipsTest, ShortWriteThroughTheToolsJob) {
    set_printer_port_write_limit(40);
    const PrintJobRun run = run_ops(0, 0, test_data("small_page.ops"));
    EXPECT_FALSE(run.started);
    EXPECT_FALSE(run.all_succeeded);
    EXPECT_EQ(port_bytes().size(), 40u);
    EXPECT_EQ(open_printer_port_count(), 0);
}

TEST_F(LipsTest, AbortSeenAfterARawWrite) {
    start_job();
    CancelWindow meter(abort_);
    meter.press();
    // The write goes out, the pumped message sets the flag, the write says so.
    int result = 0;
    EXPECT_EQ(sent_by([] { return prn_write("AB"); }, &result), "AB");
    EXPECT_EQ(result, -1);
    PrinterPrimitives printer;
    EXPECT_FALSE(printer.keep_going());
    prn_end_job();
    EXPECT_EQ(open_printer_port_count(), 0);
    // A new job clears the flag.
    start_job();
    EXPECT_FALSE(abort_);
    EXPECT_EQ(prn_end_job(), 0);
}

}  // namespace
