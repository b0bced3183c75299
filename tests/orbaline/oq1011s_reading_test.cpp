// ORBALINE's own reading rules, set through its analysis profile: the "{"
// after a switch starts the body, and "= {" at depth 0 opens a body whose
// names a table of functions lists. Also the keyword file of the generator.

#include <string>
#include <vector>

#include "common/analysis/preprocessor.h"
#include "common/analysis/scanner.h"
#include "oq1011s_fixture.h"

namespace oq1011s_test {
namespace {

class Oq1011sReading : public TreeGeneratorTest {
protected:
    // "depth text" per unit with text.
    std::vector<std::string> units(const std::string& source, const AnalysisProfile& profile) {
        reset_analysis_state(profile);
        g_analysis.settings.ignore_file.clear();
        std::string path = dir_.path("unit.c");
        write_raw(path, source);
        EXPECT_EQ(reset_scanner_state(kResetState), 1);
        EXPECT_EQ(open_source_file(path.c_str()), 1);
        std::vector<std::string> out;
        SourceUnit unit;
        while (fetch_source_unit(unit) != -1)
            if (!unit.text.empty()) out.push_back(std::to_string(unit.depth) + " " + unit.text);
        close_all_source_files();
        close_source_file();
        return out;
    }
};

TEST_F(Oq1011sReading, SwitchBraceBelongsToTheBody) {
    const std::string source = "void f(int x)\n{\n    switch (x) {\n    case 1:\n        g();\n    }\n    h();\n}\n";
    EXPECT_EQ(units(source, kOrbalineAnalysis),
              (std::vector<std::string>{"0 void f(int x)", "0 {", "1 switch (x)", "2 {", "3 case 1:", "3 g();", "2 }",
                                        "1 h();", "0 }"}));
    // the other programs keep the brace in the head
    EXPECT_EQ(units(source, kNotarixAnalysis)[2], "1 switch (x) {");
}

TEST_F(Oq1011sReading, InitialiserOpensABody) {
    const std::string source = "int (*ops[])() = {\n    open_op, close_op\n};\nint n = 1;\n";
    EXPECT_EQ(units(source, kOrbalineAnalysis),
              (std::vector<std::string>{"0 int (*ops[])() = {", "1 open_op, close_op", "0 }", "0 ;", "0 int n = 1;"}));
    EXPECT_EQ(units(source, kNotarixAnalysis)[0], "0 int (*ops[])() = {};");
}

TEST_F(Oq1011sReading, KeywordFileBesideTheErrorFile) {
    // 機能 : the word the user writes for FUNCTION
    write_raw(dir_.path("oq1000.kwd"), "NAME = \x96\xBC\x8F\xCC\nFUNCTION= \x8B@\x94\x5C\nFUNCTION = second\n");
    write_raw(dir_.path("k.c"), "/* \x8B@\x94\x5C : counts things */\nint count(void)\n{\n}\n"
                                "/* FUNCTION : not the keyword any more */\nint other(void)\n{\n}\n");
    std::string list = dir_.path("k.nam");
    write_raw(list, "k.c\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeDone);
    std::vector<std::string> tree = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[1], "1+count            <k.c(2)>;counts things\t int(),");
    EXPECT_EQ(tree[2], "2+other            <k.c(6)>;\t int(),");
    std::vector<std::string> flt = text_lines(read_raw(with_extension(list, ".flt")));
    ASSERT_EQ(flt.size(), 3u);
    EXPECT_EQ(flt[2], "k.c          #    6  other            : other");
}

TEST_F(Oq1011sReading, CommentCutInTheTreeNotInTheList) {
    write_raw(dir_.path("c.c"),
              "/* FUNCTION : \x93\xFA\x96\x7B\x8C\xEA and a rather long text that goes on and on */\n"
              "int f(void)\n{\n}\n");
    std::string list = dir_.path("c.nam");
    write_raw(list, "c.c\n");
    EXPECT_EQ(run(tree_vector(list, {"-c5"})), kCallTreeDone);
    std::vector<std::string> tree = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_EQ(tree.size(), 2u);
    // five bytes would split the third double-byte character: four are kept
    EXPECT_EQ(tree[1], "1+f                <c.c(2)>;\x93\xFA\x96\x7B\t int(),");
    std::vector<std::string> flt = text_lines(read_raw(with_extension(list, ".flt")));
    // the list keeps max(-c, 40) bytes
    EXPECT_EQ(flt[1], "c.c          #    2  f                : \x93\xFA\x96\x7B\x8C\xEA and a rather long text that goes ");
}

// The list keeps max(-c, 40) bytes of a comment: the floor and one past it.
TEST_F(Oq1011sReading, ListCommentLengthFromFortyUp) {
    write_raw(dir_.path("c.c"), "/* FUNCTION : " + std::string(60, 'x') + " */\nint f(void)\n{\n}\n");
    std::string list = dir_.path("c.nam");
    write_raw(list, "c.c\n");
    for (int length : {40, 41}) {
        EXPECT_EQ(run(tree_vector(list, {"-c" + std::to_string(length)})), kCallTreeDone);
        std::vector<std::string> flt = text_lines(read_raw(with_extension(list, ".flt")));
        ASSERT_EQ(flt.size(), 2u);
        EXPECT_EQ(flt[1], "c.c          #    2  f                : " + std::string(static_cast<size_t>(length), 'x'));
    }
}

// Names are written with at most 256 bytes, in the tree and in the list.
TEST_F(Oq1011sReading, NamesAreCutAt256Bytes) {
    const std::string kept(256, 'n');
    for (size_t length : {256u, 257u}) {
        write_raw(dir_.path("n.c"), "int " + std::string(length, 'n') + "(void)\n{\n}\n");
        std::string list = dir_.path("n.nam");
        write_raw(list, "n.c\n");
        EXPECT_EQ(run(tree_vector(list)), kCallTreeDone);
        std::vector<std::string> tree = unscrambled_lines(with_extension(list, ".trd"));
        ASSERT_EQ(tree.size(), 2u);
        EXPECT_EQ(tree[1], "1+" + kept + " <n.c(1)>;\t int(),");
        std::vector<std::string> flt = text_lines(read_raw(with_extension(list, ".flt")));
        ASSERT_EQ(flt.size(), 2u);
        // without a comment the name stands in its place, cut to the comment length
        EXPECT_EQ(flt[1], "n.c          #    1  " + kept + " : " + std::string(40, 'n'));
    }
}

}  // namespace
}  // namespace oq1011s_test
