// The layout generator's results: forms in tests/data/layout turned into
// layout records and field positions, compared with the expected files kept
// there in plain form.

#include <string>
#include <vector>

#include "form_fixture.h"
#include "notarix/formatter/field_form.h"

namespace form_test {
namespace {

class LayoutGolden : public FormTest {
protected:
    void expect_golden(const std::string& base) {
        const std::string form = copy_data(base + ".frm");
        ASSERT_EQ(generate(form), kLayoutDone);
        EXPECT_EQ(lis_of(form), plain_lines(data_path(base + ".lis")));
        EXPECT_EQ(fms_of(form), plain_lines(data_path(base + ".fms")));
        for (const char* work : {".lit", ".fmt"}) EXPECT_FALSE(file_exists(with_extension(form, work)));
        EXPECT_FALSE(file_exists(error_file()));
    }
};

TEST_F(LayoutGolden, PlainBox) { expect_golden("box"); }

// Thick and thin lines, junctions of both weights (a thick row crossed by a
// thin column counts in both passes) and lines of single arms.
TEST_F(LayoutGolden, ThickAndThinLinesWithJunctions) { expect_golden("weights"); }

// Normal, wide, tall and double-size texts, the full-width blank, the three
// field shapes with continuation rows and the cases that stay text.
TEST_F(LayoutGolden, TextSizesAndFieldShapes) { expect_golden("texts"); }

TEST_F(LayoutGolden, FormDrawnInPc98CodesGivesTheSameLayout) {
    const std::string form = write_file("pc98.frm", in_code_set(read_raw(data_path("weights.frm")), kRuledLinesPc98));
    ASSERT_NE(read_raw(form), read_raw(data_path("weights.frm")));
    ASSERT_EQ(generate(form), kLayoutDone);
    EXPECT_EQ(lis_of(form), plain_lines(data_path("weights.lis")));
}

TEST_F(LayoutGolden, FormWithoutLinesOrFields) {
    const std::string form = write_file("empty.frm", "");
    ASSERT_EQ(generate(form), kLayoutDone);
    const std::vector<std::string> expected = {
        "OV:1", "PF:14", "ZO:", "PP:82,110", "SP:82,100", "# -----< BEGIN of DATA >-----", "ZV:", "LW:3", "LW:1",
        "ZT:",  "# -----< END of DATA >-----", "OV:2", "OV:3", "ZO", "ZC", "OV:4"};
    EXPECT_EQ(lis_of(form), expected);
    EXPECT_EQ(read_raw(with_extension(form, ".fms")), "");
}

// DOS/V holds every mixed-weight junction as 0x86A1, which reads as its
// first entry: right thick, down thin.
TEST_F(LayoutGolden, SharedDosVCodeReadsAsRightThickDownThin) {
    const std::string form = write_file("mixed.frm", "\x86\xA1\r\n");
    ASSERT_EQ(generate(form), kLayoutDone);
    const std::vector<std::string> lis = lis_of(form);
    const std::vector<std::string> lines(lis.begin() + 7, lis.begin() + 12);
    EXPECT_EQ(lines, (std::vector<std::string>{"LW:3", "LN:1,1,1,2", "LW:1", "LN:1,1,1,1", "ZT:"}));
}

// The text size starts afresh in every run, so a second run in the same
// process writes its first size record again.
TEST_F(LayoutGolden, SecondRunStartsWithItsOwnSizeRecord) {
    const std::string form = copy_data("texts.frm");
    ASSERT_EQ(generate(form), kLayoutDone);
    ASSERT_EQ(generate(form), kLayoutDone);
    EXPECT_EQ(lis_of(form), plain_lines(data_path("texts.lis")));
}

// The shipped page form puts every field where the formatter's built-in
// form does, so documents fit the page whichever form the formatter uses.
TEST_F(LayoutGolden, ShippedFormAgreesWithTheBuiltInFieldPositions) {
    const std::string form = write_file("nx1000.frm", read_raw(default_form_path()));
    ASSERT_EQ(generate(form), kLayoutDone);
    FieldForm drawn, built_in;
    ASSERT_EQ(read_fms_form(with_extension(form, ".fms"), drawn), 0);
    fill_builtin_form(built_in);
    for (int field = 0; field < kFieldCount; ++field) {
        // further arguments follow the drawn parameter names by the formatter's own rule
        if (!drawn[field].named || field == kFieldArgMore) continue;
        SCOPED_TRACE(kFieldKeys[static_cast<size_t>(field)]);
        EXPECT_EQ(drawn[field].row, built_in[field].row);
        EXPECT_EQ(drawn[field].column, built_in[field].column);
        EXPECT_EQ(drawn[field].end_row, built_in[field].end_row);
        EXPECT_EQ(drawn[field].max_chars, built_in[field].max_chars);
    }
    int named = 0;
    for (const FieldPosition& f : drawn.fields) named += f.named ? 1 : 0;
    // fifteen drawn, and the parameter form and further arguments derived
    EXPECT_EQ(named, 17);
}

}  // namespace
}  // namespace form_test
