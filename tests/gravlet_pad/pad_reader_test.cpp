// Reading .pds files: the function index with true byte offsets, name and
// comment rows, the cells of every row letter, the view's header check and
// the print and output runs' looser one, rows that are refused (611), too
// many rows, a full text pool, a block without "/", long lines, and the
// counting passes. Every fixture is read in plain, CR LF and scrambled form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "gravlet/pad/pad_reader.h"
#include "tests/gravlet_pad/pad_fixture.h"

namespace {

using namespace pad_test;

// Messages of the running program are GRAVLET's in these tests.
class PadReaderTest : public ::testing::TestWithParam<Form> {
protected:
    void SetUp() override { set_message_table(kGravletMessages); }
    void TearDown() override { set_message_table(kNotarixMessages); }
    Form form() const { return GetParam(); }

    static std::string message(int id) { return lookup_message(id); }

    // The rows of a generated function of n structure rows after "M".
    static std::string function_of_rows(const std::string& name, int rows, int text_bytes = 1) {
        std::string text = "0001@" + name + " made\n0001M:" + name + "\n";
        for (int i = 1; i < rows; ++i) text += "0002+N:" + numbered_text(text_bytes, i) + "\n";
        return text + "/\n";
    }

    Workspace ws;
};

INSTANTIATE_TEST_SUITE_P(Forms, PadReaderTest, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param == Form::Plain ? "Plain"
                                                                   : info.param == Form::CrLf ? "CrLf"
                                                                                              : "Scrambled"); });

TEST_P(PadReaderTest, IndexRecordsEachHeadWithItsTrueOffset) {
    std::vector<long long> offsets;
    ViewFixture view(ws.fixture("three_functions.pds", form(), &offsets));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(view.doc.index.size(), 3u);
    const int lines[] = {2, 19, 50};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.doc.index[i].line, lines[i]);
        EXPECT_EQ(view.doc.index[i].offset, offsets[lines[i] - 1]) << form_name(form());
    }
    // Reading: the name, then the status line cleared.
    ASSERT_EQ(view.host.statuses.size(), 2u);
    EXPECT_EQ(view.host.statuses[0], format_text(message(109).c_str(), view.doc.path.c_str()));
    EXPECT_EQ(view.host.statuses[1], "");
    EXPECT_TRUE(view.doc.link_mode);
    EXPECT_EQ(view.doc.level_width, 16);
    EXPECT_EQ(view.doc.chars_per_line, 198);
    EXPECT_EQ(view.doc.source_path, ws.dir.path("three_functions.c"));
}

TEST_P(PadReaderTest, NameAndCommentRowsGoToTheirLists) {
    ViewFixture view(ws.fixture("three_functions.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(load_pad_function(view.doc, 1, view.host), 0);
    const PadGrid& grid = *view.doc.grid;
    EXPECT_EQ(grid.name_rows, (std::vector<std::string_view>{"@name names a code", ";NAME     : name",
                                                             ";RETURN   : the code"}));
    EXPECT_EQ(grid.comment_rows, (std::vector<std::string_view>{";a comment after the first row"}));
    EXPECT_EQ(pad_function_name(grid), "name");
    // In link mode the last name or comment row sets the source list's line.
    EXPECT_EQ(view.doc.source_line, 4);
}

TEST_P(PadReaderTest, EveryRowLetterGivesItsCells) {
    ViewFixture view(ws.fixture("cells.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(view.doc.index.size(), 1u);
    PadGrid& grid = *view.doc.grid;
    ASSERT_EQ(parse_pds_block(view.doc.file, view.doc.index[0].offset, view.doc.index[0].line, grid, 16, view.host,
                              view.doc.path),
              1);
    struct Cell {
        int kind;
        const char* text;
    };
    // Per row: its cells up to the row end, and the source line of its letters.
    const std::vector<std::pair<int, std::vector<Cell>>> expected = {
        {2, {{kPadNameTerminal, "cells"}}},
        {2, {{kPadFlow, ""}}},  // "EF": the E is passed over
        {3, {{kPadStatement, "statement"}}},
        {3, {{kPadFlow, ""}}},
        {4, {{kPadCall, "call(): calls"}}},
        {5, {{kPadDoubleBox, "empty loop"}}},
        {6, {{kPadLoop, "loop"}, {kPadLoopNext, ""}}},
        {7, {{kPadEmpty, ""}, {kPadStatement, ""}}},
        {8, {{kPadEmpty, ""}, {kPadEnd, ""}}},
        {9, {{kPadSelection, "select"}, {kPadEmpty, ""}}},
        {10, {{kPadCase, "case"}, {kPadCaseNext, ""}}},
        {11, {{kPadEmpty, ""}, {kPadReturn, "gives back"}}},
        {12, {{kPadEmpty, "unknown letter"}}},
        {13, {{kPadLoop, ""}, {kPadStatement, ""}, {kPadCase, "three letters"}, {kPadCaseNext, ""}}},
        {12, {{kPadLoop, "for"}, {kPadLoopNext, ""}}},
        {14, {{kPadEmpty, ""}, {kPadEnd, ""}}},
    };
    ASSERT_EQ(grid.row_count, static_cast<int>(expected.size()));
    for (int r = 1; r <= grid.row_count; ++r) {
        const auto& [line, cells] = expected[r - 1];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            const PadCell* cell = grid.cell(r, c);
            EXPECT_EQ(cell->kind, cells[c].kind) << "row " << r << " cell " << c;
            EXPECT_STREQ(cell->text, cells[c].text) << "row " << r << " cell " << c;
            if (cells[c].kind != kPadLoopNext && cells[c].kind != kPadCaseNext && cells[c].kind != kPadEmpty) {
                EXPECT_EQ(cell->source_line, line) << "row " << r;
            }
            EXPECT_EQ(cell->x, 0);
            EXPECT_EQ(cell->width, 0);
        }
        EXPECT_EQ(grid.kind(r, static_cast<int>(cells.size())), kPadRowEnd) << "row " << r;
    }
    // Row 0 is blank and the row after the last is cleared.
    for (int c = 0; c < kPadColumns; ++c) {
        EXPECT_EQ(grid.kind(0, c), kPadEmpty);
        EXPECT_EQ(grid.kind(grid.row_count + 1, c), kPadEmpty);
    }
    EXPECT_EQ(grid.name_rows.size(), 1u);
    EXPECT_EQ(grid.function_name, "cells");
}

TEST_P(PadReaderTest, TheViewRefusesAnotherHeaderThatPrintAndOutputTake) {
    ViewFixture view(ws.fixture("other_header.pds", form()));
    EXPECT_EQ(view.open(ws.dir.path()), kPadIndexNotOpened);
    EXPECT_FALSE(view.doc.file_open);
    EXPECT_FALSE(view.doc.file.is_open());
    ASSERT_FALSE(view.host.statuses.empty());
    EXPECT_EQ(view.host.statuses.back(), message(617));

    PdsLineReader lines;
    ASSERT_TRUE(lines.open(view.doc.path));
    PadGrid grid;
    EXPECT_EQ(read_pds_function_for_print(lines, grid, 16, view.host, view.doc.path), 1);
    EXPECT_EQ(grid.row_count, 3);

    // Anything after " [JOV:PD" is accepted; a difference within it, or a
    // file without the five characters print needs, is not.
    ViewFixture loose(ws.write("loose.pds", " [JOV:PDanything\n0001@f x\n0001M:f\n/\n", form()));
    EXPECT_EQ(loose.open(ws.dir.path()), kPadIndexOk);
    ViewFixture lower(ws.write("lower.pds", " [jov:PD\n0001@f x\n0001M:f\n/\n", form()));
    EXPECT_EQ(lower.open(ws.dir.path()), kPadIndexNotOpened);
    const std::string plain = ws.write("plain.pds", "[JOV:PD\n0001@f x\n0001M:f\n/\n", form());
    ASSERT_TRUE(lines.open(plain));
    EXPECT_EQ(read_pds_function_for_output(lines, grid, 16, view.host, plain), -1);
    ViewFixture empty(ws.write("empty.pds", "", form()));
    EXPECT_EQ(empty.open(ws.dir.path()), kPadIndexNotOpened);
}

TEST_P(PadReaderTest, RowsThatDoNotFitTheRowAreFormatErrors) {
    ViewFixture view(ws.fixture("bad_rows.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    view.host.statuses.clear();
    PadGrid& grid = *view.doc.grid;
    ASSERT_EQ(parse_pds_block(view.doc.file, view.doc.index[0].offset, view.doc.index[0].line, grid, 16, view.host,
                              view.doc.path),
              1);
    const std::vector<std::string> refused = {"0003+N no colon", "0004+NNNNNNNNNNNNNNNNNNNN:twenty letters",
                                              "0005+NNNNNNNNNNNNNNNNNNR:nineteen with R last", "0006+:no letters"};
    ASSERT_EQ(view.host.statuses.size(), refused.size());
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_EQ(view.host.statuses[i], format_text(message(611).c_str(), refused[i].c_str()));
    ASSERT_EQ(grid.row_count, 4);
    EXPECT_EQ(grid.kind(2, 18), kPadStatement);
    EXPECT_EQ(grid.kind(2, 19), kPadRowEnd);
    EXPECT_STREQ(grid.cell(2, 18)->text, "nineteen letters");
    EXPECT_EQ(grid.kind(3, 17), kPadLoop);
    EXPECT_EQ(grid.kind(3, 18), kPadLoopNext);
    EXPECT_EQ(grid.kind(3, 19), kPadRowEnd);
    EXPECT_EQ(grid.kind(4, 0), kPadEnd);
}

TEST_P(PadReaderTest, AFunctionOf2998RowsLoadsAndOneOf2999IsRefused) {
    const std::string rows = function_of_rows("fits", 2998) + function_of_rows("toobig", 2999);
    ViewFixture view(ws.write("big.pds", " [JOV:PDS\n" + rows, form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(load_pad_function(view.doc, 0, view.host), 0);
    EXPECT_GT(view.doc.grid->row_count, 2900);
    EXPECT_TRUE(view.host.boxes.empty());

    view.host.statuses.clear();
    ASSERT_EQ(load_pad_function(view.doc, 1, view.host), 0);
    EXPECT_EQ(view.doc.grid->row_count, 0);
    EXPECT_TRUE(view.doc.pages.empty());
    EXPECT_EQ(view.host.statuses, std::vector<std::string>{message(500)});
    ASSERT_EQ(view.host.boxes.size(), 1u);
    // 【 ＰＡＤ図作成 】
    EXPECT_EQ(view.host.boxes[0].caption, make_box_caption("\x82\x6F\x82\x60\x82\x63\x90\x7D\x8D\xEC\x90\xAC"));
    EXPECT_EQ(view.host.boxes[0].line1, message(620));
    EXPECT_EQ(view.host.boxes[0].line2, message(621));
    EXPECT_EQ(view.host.boxes[0].line3, format_text(message(618).c_str(), "toobig"));
}

TEST_P(PadReaderTest, PrintAndOutputStopAt3000RowsAndReadOnAfterTheSeparator) {
    const std::string path = ws.write("big.pds", " [JOV:PDS\n" + function_of_rows("toobig", 2999) +
                                                     function_of_rows("after", 3) + function_of_rows("fits", 2998),
                                      form());
    PdsLineReader lines;
    ASSERT_TRUE(lines.open(path));
    PadGrid grid;
    RecordingHost host;
    ASSERT_EQ(read_pds_function_for_print(lines, grid, 16, host, "big.pds"), 6);
    // ＰＡＤ図印刷, the count 3000 and the file
    EXPECT_EQ(host.statuses.back(),
              format_text(message(306).c_str(), "\x82\x6F\x82\x60\x82\x63\x90\x7D\x88\xF3\x8D\xFC", 3000, "big.pds"));
    EXPECT_TRUE(skip_to_function_end(lines));
    grid.reset_pools();
    ASSERT_EQ(read_pds_function_for_print(lines, grid, 16, host, "big.pds"), 1);
    EXPECT_EQ(grid.row_count, 3);
    EXPECT_EQ(grid.name_rows.front(), "@after made");
    grid.reset_pools();
    ASSERT_EQ(read_pds_function_for_output(lines, grid, 16, host, "big.pds"), 1);
    EXPECT_EQ(grid.row_count, 2998);
}

TEST_P(PadReaderTest, AFullTextPoolLeavesLaterCellsEmptyAndSaysSoOnce) {
    constexpr int kRows = 520;
    std::string text = " [JOV:PDS\n0001@full pool\n0001M:full\n";
    for (int i = 0; i < kRows; ++i) text += "0002+N:" + numbered_text(240, i) + "\n";
    ViewFixture view(ws.write("full.pds", text + "/\n", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    PadGrid& grid = *view.doc.grid;
    ASSERT_EQ(parse_pds_block(view.doc.file, view.doc.index[0].offset, view.doc.index[0].line, grid, 16, view.host,
                              view.doc.path),
              1);
    // Each text reserves trunc(240 x 10 / 7 / 32 + 242) + 30 = 282 bytes,
    // after the 6 of the name row's "full".
    const int fitting = (128000 - 6) / 282;
    EXPECT_EQ(grid.cell(1 + fitting, 0)->text, numbered_text(240, fitting - 1));
    EXPECT_STREQ(grid.cell(2 + fitting, 0)->text, "");
    EXPECT_STREQ(grid.cell(kRows + 1, 0)->text, "");
    EXPECT_EQ(grid.text_pool_reserved, 6 + kRows * 282);
    ASSERT_EQ(view.host.boxes.size(), 1u);
    EXPECT_EQ(view.host.boxes[0].line1, format_text(message(309).c_str(),
                                                    "\x82\x6F\x82\x60\x82\x63\x90\x7D\x8D\xEC\x90\xAC\x81\x46"));
    EXPECT_EQ(view.host.boxes[0].line3, format_text(message(618).c_str(), "full"));

    // The print reader reserves less and says 622 for each text that does not fit.
    PdsLineReader lines;
    ASSERT_TRUE(lines.open(view.doc.path));
    RecordingHost host;
    grid.reset_pools();
    ASSERT_EQ(read_pds_function_for_print(lines, grid, 16, host, view.doc.path), 1);
    const int print_fitting = (128000 - 6) / 252;  // trunc(240 x 10 / 7 / 32 + 242)
    EXPECT_EQ(grid.cell(1 + print_fitting, 0)->text, numbered_text(240, print_fitting - 1));
    EXPECT_STREQ(grid.cell(2 + print_fitting, 0)->text, "");
    ASSERT_EQ(static_cast<int>(host.statuses.size()), kRows - print_fitting);
    EXPECT_EQ(host.statuses.front(), message(622));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, make_box_caption("\x82\x6F\x82\x60\x82\x63\x90\x7D\x88\xF3\x8D\xFC"));
}

TEST_P(PadReaderTest, TheIndexHoldsTheFirstThousandHeads) {
    std::string text = " [JOV:PDS\n";
    for (int i = 0; i < 1001; ++i) text += "0001@f" + std::to_string(i) + " x\n0001M:f\n/\n";
    ViewFixture view(ws.write("many.pds", text, form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(view.doc.index.size(), 1000u);
    EXPECT_EQ(view.doc.index.back().line, 2 + 999 * 3);
    EXPECT_EQ(count_pds_function_heads(view.doc.path), 1000);
}

TEST_P(PadReaderTest, ABlockWithoutItsSeparatorIsNotShown) {
    ViewFixture view(ws.fixture("no_separator.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(view.doc.index.size(), 2u);
    EXPECT_EQ(load_pad_function(view.doc, 0, view.host), 0);
    EXPECT_EQ(view.doc.grid->row_count, 3);
    EXPECT_EQ(load_pad_function(view.doc, 1, view.host), -1);
    EXPECT_EQ(view.doc.grid->row_count, 0);
    EXPECT_TRUE(view.doc.pages.empty());
    EXPECT_EQ(load_pad_function(view.doc, 2, view.host), -1);

    PdsLineReader lines;
    ASSERT_TRUE(lines.open(view.doc.path));
    PadGrid grid;
    EXPECT_EQ(read_pds_function_for_print(lines, grid, 16, view.host, view.doc.path), 1);
    grid.reset_pools();
    EXPECT_EQ(read_pds_function_for_print(lines, grid, 16, view.host, view.doc.path), 0);
}

TEST_P(PadReaderTest, ARowOfDigitsAndPlusSignsEndsTheRead) {
    ViewFixture view(ws.fixture("end_row.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    EXPECT_EQ(load_pad_function(view.doc, 0, view.host), -1);
    EXPECT_EQ(load_pad_function(view.doc, 1, view.host), 0);

    PdsLineReader lines;
    ASSERT_TRUE(lines.open(view.doc.path));
    PadGrid grid;
    RecordingHost host;
    EXPECT_EQ(read_pds_function_for_output(lines, grid, 16, host, view.doc.path), 0);
    EXPECT_EQ(grid.row_count, 2);

    // Several plus signs end a print or output read; the view takes the row
    // for one without its colon.
    const std::string plus = ws.write("plus.pds", " [JOV:PDS\n0001@p x\n0001M:p\n0002++\n0003+N:on\n/\n", form());
    ASSERT_TRUE(lines.open(plus));
    grid.reset_pools();
    EXPECT_EQ(read_pds_function_for_print(lines, grid, 16, host, plus), 0);
    EXPECT_EQ(grid.row_count, 1);
    ViewFixture plus_view(plus);
    ASSERT_EQ(plus_view.open(ws.dir.path()), kPadIndexOk);
    plus_view.host.statuses.clear();
    EXPECT_EQ(load_pad_function(plus_view.doc, 0, plus_view.host), 0);
    EXPECT_EQ(plus_view.host.statuses.front(), format_text(message(611).c_str(), "0002++"));
}

TEST_P(PadReaderTest, LongRowsAreReadWholeAndTheirTextsCut) {
    // A row of 600 bytes, then a row of its own; a double-byte character
    // straddles the view's cut at 510 bytes.
    std::string long_text = std::string(502, 'a') + "\x82\xA0";  // ends at byte 511 of the row
    long_text += std::string(90, 'z');
    const std::string text = " [JOV:PDS\n" + std::string(1000, ' ') + "\n0001@long x\n0001M:long\n0002+N:" + long_text +
                             "\n0003+U:after\n/\n";
    std::vector<long long> offsets;
    ViewFixture view(ws.write("long.pds", text, form(), &offsets));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(view.doc.index.size(), 1u);
    EXPECT_EQ(view.doc.index[0].offset, offsets[2]);
    PadGrid& grid = *view.doc.grid;
    ASSERT_EQ(parse_pds_block(view.doc.file, view.doc.index[0].offset, view.doc.index[0].line, grid, 16, view.host,
                              view.doc.path),
              1);
    ASSERT_EQ(grid.row_count, 3);
    EXPECT_EQ(std::string(grid.cell(2, 0)->text), std::string(502, 'a'));  // "0002+N:" + 502 = 509 bytes
    EXPECT_STREQ(grid.cell(3, 0)->text, "after");

    PdsLineReader lines;
    ASSERT_TRUE(lines.open(view.doc.path));
    grid.reset_pools();
    ASSERT_EQ(read_pds_function_for_print(lines, grid, 16, view.host, view.doc.path), 1);
    ASSERT_EQ(grid.row_count, 3);
    EXPECT_EQ(std::string(grid.cell(2, 0)->text), std::string(254 - 7, 'a'));
}

TEST_P(PadReaderTest, A65thCommentRowIsDroppedWithANote) {
    std::string text = " [JOV:PDS\n0001@notes x\n0001M:notes\n";
    for (int i = 0; i < 66; ++i) text += "0002;note " + std::to_string(i) + "\n";
    ViewFixture view(ws.write("notes.pds", text + "0003+N:x\n/\n", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    view.host.statuses.clear();
    ASSERT_EQ(load_pad_function(view.doc, 0, view.host), 0);
    EXPECT_EQ(view.doc.grid->comment_rows.size(), 64u);
    EXPECT_EQ(view.doc.grid->comment_rows.back(), ";note 63");
    EXPECT_EQ(view.host.statuses[0], message(622));
    EXPECT_EQ(view.host.statuses[1], message(622));
    EXPECT_EQ(view.doc.grid->row_count, 2);
}

TEST_P(PadReaderTest, TheOutputReaderLetsAMessageThroughPerLineAndStopsWhenAborted) {
    const std::string path = ws.fixture("three_functions.pds", form());
    PdsLineReader lines;
    ASSERT_TRUE(lines.open(path));
    PadGrid grid;
    RecordingHost host;
    host.abort_after_pumps = 5;
    EXPECT_EQ(read_pds_function_for_output(lines, grid, 16, host, path), 0);
    EXPECT_EQ(host.pumps, 6);
    EXPECT_EQ(lines.line_number(), 6);
}

TEST_P(PadReaderTest, CountingTakesEveryFunctionInRange) {
    const std::string path = ws.fixture("three_functions.pds", form());
    PadGrid grid;
    // Rows less one: 13, 24 and 13.
    EXPECT_EQ(count_pad_rows_in_range(path, 1, 1000, 0, grid, 16), 13 + 24 + 13);
    EXPECT_EQ(count_pad_rows_in_range(path, 2, 2, 0, grid, 16), 24);
    EXPECT_EQ(count_pad_rows_in_range(path, 2, 3, 2999, grid, 16), 24 + 13 + 2 * 2999);
    EXPECT_EQ(count_pad_rows_in_range(path, 4, 9, 0, grid, 16), 0);
    EXPECT_EQ(count_pad_rows_in_range(ws.dir.path("missing.pds"), 1, 9, 0, grid, 16), 0);
    // The output adds the buffer rows a part may fill, less one, per function.
    EXPECT_EQ(count_pad_lines_in_range(path, 1, 1, 2, grid, 16), 13 + 2997);

    PdsLineReader lines;
    ASSERT_TRUE(lines.open(path));
    grid.reset_pools();
    ASSERT_EQ(read_pds_function_for_print(lines, grid, 16, quiet_pad_host(), path), 1);
    // Rows of the "for" function that hold something besides flow lines.
    EXPECT_EQ(count_content_rows(grid), 9);
}

TEST_P(PadReaderTest, ARowReadAgainHasNoPositionOfTheFunctionBefore) {
    ViewFixture view(ws.fixture("three_functions.pds", form()));
    ASSERT_EQ(view.open(ws.dir.path()), kPadIndexOk);
    ASSERT_EQ(load_pad_function(view.doc, 1, view.host), 0);
    measure_pad_function(view.doc);
    PadGrid& grid = *view.doc.grid;
    ASSERT_GT(grid.cell(5, 1)->x, 0);
    ASSERT_EQ(parse_pds_block(view.doc.file, view.doc.index[0].offset, view.doc.index[0].line, grid, 16, view.host,
                              view.doc.path),
              1);
    for (int r = 0; r <= grid.row_count + 1; ++r) {
        for (int c = 0; c < kPadColumns; ++c) {
            const PadCell* cell = grid.cell(r, c);
            EXPECT_EQ(cell->x | cell->y | cell->width | cell->height, 0) << r << " " << c;
        }
    }
}

TEST(PadWorkArea, AllocatedAndFreedTwice) {
    std::unique_ptr<PadGrid> grid;
    ASSERT_EQ(alloc_print_work_area(grid), 0);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->cells.size(), static_cast<size_t>(kPadRows * kPadColumns));
    free_print_work_area(grid);
    free_print_work_area(grid);
    EXPECT_FALSE(grid);
}

TEST(PadCellText, ReservationsOfViewAndPrint) {
    PadGrid grid;
    PadCell cell;
    // n = 100, L = 8: trunc(100 x 10 / 7 / 16 + 102) = 110, and 12 more in the view.
    ASSERT_EQ(store_cell_text(grid, std::string(100, 'x'), 8, true, cell), 0);
    EXPECT_EQ(grid.text_pool_reserved, 122);
    EXPECT_GE(cell.text_room, 201);
    ASSERT_EQ(store_cell_text(grid, std::string(100, 'x'), 8, false, cell), 0);
    EXPECT_EQ(grid.text_pool_reserved, 232);
    // An empty text takes no room.
    ASSERT_EQ(store_cell_text(grid, "", 8, true, cell), 0);
    EXPECT_EQ(grid.text_pool_reserved, 232);
    EXPECT_EQ(cell.text, pad_empty_text());
    EXPECT_EQ(cell.text_room, 0);
}

TEST(PadCellText, FindCharIndexCountsTheTerminator) {
    EXPECT_EQ(find_char_index("a:b:c", ':', 0), 1);
    EXPECT_EQ(find_char_index("a:b:c", ':', 2), 3);
    EXPECT_EQ(find_char_index("abc", '\0', 0), 3);
    EXPECT_EQ(find_char_index("abc", 'x', 0), -1);
    EXPECT_EQ(find_char_index("abc", 'a', 5), -1);
    EXPECT_EQ(find_char_index("abc", 'a', -1), -1);
}

TEST(PadSettingsAtOpen, UnreadableAndWrongSettingsAreRefused) {
    set_message_table(kGravletMessages);
    TempDir dir;
    ViewFixture view(pad_test::kDataDir + "cells.pds");
    EXPECT_EQ(view.open(dir.path()), kPadIndexSettingsUnreadable);
    EXPECT_EQ(view.host.beeps, 1);
    std::string bytes = read_raw(kShippedSettings);
    bytes[2] = '2';
    write_raw(dir.path("gx1000s.prm"), bytes);
    EXPECT_EQ(view.open(dir.path()), kPadIndexSettingsWrongVersion);
    // A level width out of its range is held to it.
    bytes = read_raw(kShippedSettings);
    bytes[372] = 0;
    write_raw(dir.path("gx1000s.prm"), bytes);
    ASSERT_EQ(view.open(dir.path()), kPadIndexOk);
    EXPECT_EQ(view.doc.level_width, 8);
    ViewFixture unnamed("");
    write_raw(dir.path("gx1000s.prm"), read_raw(kShippedSettings));
    EXPECT_EQ(unnamed.open(dir.path()), kPadIndexNotOpened);
    set_message_table(kNotarixMessages);
}

}  // namespace
