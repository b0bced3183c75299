// The character output of PAD diagrams: golden files (Shift-JIS bytes with
// CR LF, a UTF-8 copy beside each) for plain functions, selections with
// cases, loops, calls and returns at level widths 8 and 16 in both code sets,
// with and without margins, and a function in parts; then the page buffer,
// the pieces, the range and minimum of functions, headings, and what happens
// to the file when a run fails or is cancelled.
//
// GRAVLET_UPDATE_GOLDEN=1 writes the golden files anew from this build.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_output.h"
#include "gravlet/pad/pad_reader.h"
#include "platform/user/codec.h"
#include "tests/gravlet_pad/pad_fixture.h"

namespace {

using namespace pad_test;

const std::string kGoldenDir = kDataDir + "output/";

class PadOutputTest : public ::testing::Test {
protected:
    void SetUp() override { set_message_table(kGravletMessages); }
    void TearDown() override { set_message_table(kNotarixMessages); }

    std::string run(const std::string& pds, const PadOutputValues& values, int expected_result = kPadOutputDone,
                    const PadHeadingLines* headings = nullptr) {
        const std::string out = ws.dir.path("out.txt");
        EXPECT_EQ(write_pad_output_file(pds, out, values, headings, grid, host), expected_result);
        return read_raw(out);
    }

    void expect_golden(const std::string& name, const std::string& pds, const PadOutputValues& values) {
        const std::string bytes = run(pds, values);
        const std::string golden = kGoldenDir + name + ".txt";
        const std::string utf8 = kGoldenDir + name + ".utf8.txt";
        if (std::getenv("GRAVLET_UPDATE_GOLDEN")) {
            write_raw(golden, bytes);
            write_raw(utf8, platform_user::cp932_to_utf8(bytes));
        }
        EXPECT_EQ(bytes, read_raw(golden)) << name;
        EXPECT_EQ(platform_user::cp932_to_utf8(read_raw(golden)), read_raw(utf8)) << name << ": the UTF-8 copy";
    }

    static PadOutputValues values(int code_set, int level, int top = 0, int left = 0) {
        PadOutputValues v;
        v.code_set = code_set;
        v.level_width = level;
        v.top_margin = top;
        v.left_margin = left;
        return v;
    }

    static std::vector<std::string> lines_of(const std::string& bytes) {
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < bytes.size()) {
            const size_t end = bytes.find("\r\n", start);
            if (end == std::string::npos) break;
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    Workspace ws;
    RecordingHost host;
    PadGrid grid;
};

TEST_F(PadOutputTest, GoldenDosVAtLevel16) {
    expect_golden("dosv_16", kDataDir + "output.pds", values(0, 16));
}

TEST_F(PadOutputTest, GoldenDosVAtLevel8WithMargins) {
    expect_golden("dosv_8_margins", kDataDir + "output.pds", values(0, 8, 2, 4));
}

TEST_F(PadOutputTest, GoldenPc98AtLevel16WithMargins) {
    expect_golden("pc98_16_margins", kDataDir + "output.pds", values(1, 16, 1, 3));
}

TEST_F(PadOutputTest, GoldenPc98AtLevel8) {
    expect_golden("pc98_8", kDataDir + "output.pds", values(1, 8));
}

TEST_F(PadOutputTest, GoldenFunctionInParts) {
    expect_golden("parts", kDataDir + "parts.pds", values(0, 16));
}

TEST_F(PadOutputTest, TheSameOutputFromEveryStoredForm) {
    const std::string plain = run(ws.fixture("output.pds", Form::Plain), values(0, 16));
    EXPECT_EQ(run(ws.fixture("output.pds", Form::CrLf), values(0, 16)), plain);
    EXPECT_EQ(run(ws.fixture("output.pds", Form::Scrambled), values(0, 16)), plain);
}

TEST_F(PadOutputTest, AFunctionOfFlowLinesIsWrittenAsItsTwoTerminals) {
    PadOutputValues v = values(0, 16);
    v.first_function = v.last_function = 7;
    const std::vector<std::string> lines = lines_of(run(kDataDir + "output.pds", v));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "flows only lines");
    EXPECT_EQ(lines[1], "");
    // ┏ … ┓, the name, ┗ ┯ ┛; then at once ┏ ┷ … of the end terminal.
    EXPECT_EQ(lines[2].substr(0, 2), "\x84\xAC");
    EXPECT_EQ(lines[4].substr(0, 6), "\x84\xAF\x84\xAA\x84\xB6");
    EXPECT_EQ(lines[5].substr(0, 6), "\x84\xAC\x84\xAA\x84\xB8");
    EXPECT_EQ(lines[7].substr(0, 2), "\x84\xAF");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "");
}

TEST_F(PadOutputTest, PartsSplitWhereTheBufferRowsEnd) {
    const std::string pds = ws.fixture("parts.pds", Form::Plain);
    PdsLineReader lines;
    ASSERT_TRUE(lines.open(pds));
    ASSERT_EQ(read_pds_function_for_output(lines, grid, 16, host, pds), 1);
    const PadOutputGeometry g = pad_output_geometry(values(0, 16));
    lay_out_output_pad(grid, g);
    // Every row takes two buffer rows: a part ends before the height reaches 3000.
    const std::vector<PadPage> parts = split_output_parts(grid, g);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].first, 1);
    EXPECT_EQ(parts[0].last, 1499);
    EXPECT_EQ(parts[1].first, 1500);
    EXPECT_EQ(parts[1].last, grid.row_count);
    // A top margin leaves fewer rows to a part.
    EXPECT_EQ(split_output_parts(grid, pad_output_geometry(values(0, 16, 6)))[0].last, 1496);
    // Each statement is written once, in order.
    const std::string out = run(pds, values(0, 16));
    size_t at = 0;
    for (int i = 1; i <= 800; ++i) {
        const std::string text = "s" + std::to_string(i) + " ";
        const size_t found = out.find(text, at);
        ASSERT_NE(found, std::string::npos) << i;
        at = found + text.size();
    }
}

TEST_F(PadOutputTest, FunctionsOutOfRangeOrTooSmallAreLeftOut) {
    PadOutputValues v = values(0, 16);
    v.first_function = 2;
    v.last_function = 3;
    std::vector<std::string> heads;
    for (const std::string& line : lines_of(run(kDataDir + "output.pds", v))) {
        if (line.find(' ') != std::string::npos && line.find('\x84') == std::string::npos && !line.empty())
            heads.push_back(line);
    }
    EXPECT_EQ(heads, (std::vector<std::string>{"name names a code", "down counts down"}));
    EXPECT_EQ(host.statuses.front(), format_text(lookup_message(626), 1, 8));
    EXPECT_EQ(host.statuses.back(), format_text(lookup_message(626), 3, 8));

    // Fewer rows than the minimum: message 610, and the next function takes its number.
    host.statuses.clear();
    v.min_rows = 8;
    v.first_function = 1;
    v.last_function = 1;
    const std::vector<std::string> lines = lines_of(run(kDataDir + "output.pds", v));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "name names a code");
    EXPECT_EQ(host.statuses[1], format_text(lookup_message(610), "scales a value", 7));
}

TEST_F(PadOutputTest, HeadingLinesFrameTheFunctions) {
    PadOutputValues v = values(0, 16, 2, 3);
    v.first_function = v.last_function = 1;
    const PadHeadingLines headings{"HEAD", "FOOT", "26-12-09 02:43"};
    const std::vector<std::string> lines = lines_of(run(kDataDir + "output.pds", v, kPadOutputDone, &headings));
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[0], "   HEAD 26-12-09 02:43");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "   scale scales a value");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines.back(), "   FOOT");
}

TEST_F(PadOutputTest, AFailedOrCancelledRunKeepsTheOldFile) {
    const std::string out = ws.dir.path("out.txt");
    write_raw(out, "old");
    // Not a PAD file at all.
    const std::string bad = ws.write("bad.pds", "no header\n0001@f x\n0001M:f\n/\n", Form::Plain);
    EXPECT_EQ(write_pad_output_file(bad, out, values(0, 16), nullptr, grid, host), kPadOutputFailed);
    EXPECT_EQ(read_raw(out), "old");
    EXPECT_EQ(write_pad_output_file(ws.dir.path("missing.pds"), out, values(0, 16), nullptr, grid, host),
              kPadOutputFailed);
    EXPECT_EQ(read_raw(out), "old");
    // Cancelled through the meter while reading.
    host.abort_after_pumps = 20;
    EXPECT_EQ(write_pad_output_file(kDataDir + "output.pds", out, values(0, 16), nullptr, grid, host),
              kPadOutputCancelled);
    EXPECT_EQ(read_raw(out), "old");
    EXPECT_FALSE(std::ifstream(out + ".$tx").good()) << "no work file is left behind";
    // An output file that cannot be made: message 100 with the name, result 5.
    host.abort_after_pumps = -1;
    const std::string nowhere = ws.dir.path("no/such/dir/out.txt");
    EXPECT_EQ(write_pad_output_file(kDataDir + "output.pds", nowhere, values(0, 16), nullptr, grid, host),
              kPadOutputNotOpened);
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.back().line1, std::string("\x8F\x6F\x97\xCD") + lookup_message(100));
    EXPECT_EQ(host.boxes.back().line2, nowhere);
}

TEST_F(PadOutputTest, TooManyRowsAsksWhetherToGoOn) {
    const std::string text = too_many_rows_text();
    const std::string pds = ws.write("big.pds", text, Form::Plain);
    std::vector<std::string> lines = lines_of(run(pds, values(0, 16)));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.boxes[0].question);
    EXPECT_EQ(host.boxes[0].line2, lookup_message(803));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "after y");
    // Cancel cancels the run: the file is not made.
    host.answer = false;
    const std::string out = ws.dir.path("cancelled.txt");
    EXPECT_EQ(write_pad_output_file(pds, out, values(0, 16), nullptr, grid, host), kPadOutputCancelled);
    EXPECT_FALSE(std::ifstream(out).good());
    EXPECT_FALSE(std::ifstream(out + ".$tx").good());
}

TEST(PadPageBuffer, PutKeepsWholeCharactersAndGetLeavesOutFlowRows) {
    PageCharBuffer b;
    ASSERT_TRUE(b.allocate());
    std::string row;
    EXPECT_EQ(b.put(0, 1, "x"), -1);
    EXPECT_EQ(b.put(3001, 1, "x"), -1);
    EXPECT_EQ(b.put(1, 0, "x"), -1);
    EXPECT_EQ(b.put(1, 512, "x"), -1);
    EXPECT_EQ(b.get(0, row, kRuledLinesDosV), -1);
    EXPECT_EQ(b.get(3001, row, kRuledLinesDosV), -1);

    // A double-byte character that would pass column 511 is left out.
    ASSERT_EQ(b.put(1, 509, "ab\x82\xA0"), 0);
    EXPECT_EQ(b.row(1).substr(508), "ab ");
    // Writing over half of a character blanks its other half.
    ASSERT_EQ(b.put(2, 1, "\x82\xA0\x82\xA2\x82\xA4"), 0);
    ASSERT_EQ(b.put(2, 2, "z"), 0);
    EXPECT_EQ(b.row(2).substr(0, 6), " z\x82\xA2\x82\xA4");
    ASSERT_EQ(b.put(2, 4, "\x84\xA0"), 0);
    EXPECT_EQ(b.row(2).substr(0, 7), " z \x84\xA0  ");
    ASSERT_EQ(b.get(2, row, kRuledLinesDosV), 0);
    EXPECT_EQ(row, " z \x84\xA0\n");

    // Rows of blanks, full-width blanks and the code set's vertical line are left out.
    b.clear();
    b.put(3, 5, "\x84\xA0");
    b.put(3, 9, "\x81\x40");
    ASSERT_EQ(b.get(3, row, kRuledLinesDosV), 0);
    EXPECT_EQ(row, "");
    ASSERT_EQ(b.get(3, row, kRuledLinesPc98), 0);
    EXPECT_EQ(row, "    \x84\xA0  \x81\x40\n") << "another code set's line is content";
    b.put(4, 5, "\x86\xA4");
    ASSERT_EQ(b.get(4, row, kRuledLinesPc98), 0);
    EXPECT_EQ(row, "");
    ASSERT_EQ(b.get(5, row, kRuledLinesDosV), 0);
    EXPECT_EQ(row, "");
    // A row full to its last column still ends its line.
    b.put(6, 1, std::string(511, 'w'));
    ASSERT_EQ(b.get(6, row, kRuledLinesDosV), 0);
    EXPECT_EQ(row, std::string(511, 'w') + "\n");
}

TEST(PadPieces, Pc98PiecesAreTheirCodesAndDosVPiecesTheBoxCharacters) {
    for (int k = 0; k < kLinePieceCount; ++k) {
        const std::string piece = line_piece(k, kRuledLinesPc98);
        ASSERT_EQ(piece.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(piece[0]), 0x86);
        EXPECT_EQ(static_cast<unsigned char>(piece[1]), 0xA2 + k);
    }
    EXPECT_EQ(line_piece(76, kRuledLinesPc98), "");
    EXPECT_EQ(line_piece(-1, kRuledLinesDosV), "");
    // ─ ━ │ ┃ ┌ ┏ ┐ ┓ └ ┗ ┘ ┛ ├ ┤ ┬ ┯ ┴ ┷ ┼
    const std::pair<int, const char*> drawn[] = {
        {kPieceLine, "─"}, {kPieceHeavyLine, "━"}, {kPieceBar, "│"}, {kPieceHeavyBar, "┃"},
        {kPieceTopLeft, "┌"}, {kPieceHeavyTopLeft, "┏"}, {kPieceTopRight, "┐"}, {kPieceHeavyTopRight, "┓"},
        {kPieceBottomLeft, "└"}, {kPieceHeavyBottomLeft, "┗"}, {kPieceBottomRight, "┘"},
        {kPieceHeavyBottomRight, "┛"}, {kPieceTeeRight, "├"}, {kPieceTeeLeft, "┤"}, {kPieceTeeDown, "┬"},
        {kPieceHeavyTeeDown, "┯"}, {kPieceTeeUp, "┴"}, {kPieceHeavyTeeUp, "┷"}, {kPieceCross, "┼"},
    };
    for (const auto& [k, glyph] : drawn)
        EXPECT_EQ(platform_user::cp932_to_utf8(line_piece(k, kRuledLinesDosV)), glyph) << k;
}

}  // namespace
