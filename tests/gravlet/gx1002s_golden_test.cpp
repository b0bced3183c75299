// Golden files: small functions converted with the generation run's vector
// (and a plain one), compared row by row with the expected PAD rows (stored
// unscrambled) and the function list.

#include <string>
#include <vector>

#include "gx1002s_fixture.h"

namespace gx1002s_test {
namespace {

class PadGolden : public PadGeneratorTest {
protected:
    // Converts <base>.c with the generation vector and the extra options, and
    // compares <expected>.pds and <expected>.flt.
    void expect_generated(const std::string& base, const std::string& expected, int status,
                          std::vector<std::string> extra = {}, const std::string& extension = ".c") {
        std::string source = copy_fixture(base + extension);
        std::vector<std::string> args = generation_vector(source);
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_EQ(run(args), status);
        EXPECT_EQ(unscrambled_lines(with_extension(source, ".pds")),
                  split_lines(read_raw(fixture_path(expected + ".pds"))));
        EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt"))),
                  split_lines(read_raw(fixture_path(expected + ".flt"))));
        for (const char* work : {".tmp", ".tmf", ".tmd"}) EXPECT_FALSE(exists(with_extension(source, work)));
    }
};

TEST_F(PadGolden, PlainFunctionWithoutNumbersOrList) {
    std::string source = copy_fixture("plain.c");
    ASSERT_EQ(run_with(source, {}), kPadDone);
    EXPECT_EQ(unscrambled_lines(with_extension(source, ".pds")), split_lines(read_raw(fixture_path("plain.pds"))));
    EXPECT_FALSE(exists(with_extension(source, ".flt")));
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(PadGolden, LineNumbersAndHeadings) {
    expect_generated("numbered", "numbered", kPadDone);
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(PadGolden, IfWithEmptyAndBracelessBranches) { expect_generated("if", "if", kPadDone); }
TEST_F(PadGolden, IfElseBracedAndBraceless) { expect_generated("ifelse", "ifelse", kPadDone); }
TEST_F(PadGolden, ElseIfChain) { expect_generated("elseif", "elseif", kPadDone); }
TEST_F(PadGolden, SwitchMergesConsecutiveLabels) { expect_generated("switch", "switch", kPadDone); }
TEST_F(PadGolden, SwitchWithOwnBoxPerLabel) { expect_generated("switch", "switch_c1", kPadDone, {"-C1"}); }
TEST_F(PadGolden, HeadsAsCReadsThem) {
    expect_generated("../nx1011s/unseen", "unseen", kPadDone);
    EXPECT_FALSE(exists(error_file()));
}
// Members of a class body named as written there, their headed comments,
// out-of-class members, templates and namespaces.
TEST_F(PadGolden, ClassLibraryInCxx) {
    expect_generated("../nx1011s/library", "library", kPadDone, {}, ".cpp");
    EXPECT_FALSE(exists(error_file()));
}
// An else after a braced loop under an if, attribute macros, long macros.
TEST_F(PadGolden, RealTimeKernelSource) {
    expect_generated("../nx1011s/kernel", "kernel", kPadDone);
    EXPECT_FALSE(exists(error_file()));
}
TEST_F(PadGolden, WhileLoop) { expect_generated("while", "while", kPadDone); }
TEST_F(PadGolden, ForLoops) { expect_generated("for", "for", kPadDone); }
TEST_F(PadGolden, DoLoopClosedByItsWhile) { expect_generated("do", "do", kPadDone); }
TEST_F(PadGolden, DoLoopsCompletedByThePostPass) { expect_generated("dopass", "dopass", kPadDone, {"-SPdw"}); }
TEST_F(PadGolden, EmptyAndUncommentedLoops) { expect_generated("empty_loops", "empty_loops", kPadDone); }
TEST_F(PadGolden, BreakContinueReturnGoto) { expect_generated("jumps", "jumps", kPadDone); }
TEST_F(PadGolden, CallsWithTheCallPrefix) { expect_generated("calls", "calls", kPadDone); }
TEST_F(PadGolden, DeclarationZone) { expect_generated("zone", "zone", kPadDone); }
TEST_F(PadGolden, AllCommentsKeptWithProgramText) { expect_generated("zone", "zone_ga", kPadDone, {"-ga24:21"}); }
TEST_F(PadGolden, JoinedProgramTextIsCut) { expect_generated("gcut", "gcut", kPadDone, {"-g10:21"}); }
// Program text joins rows of a column depth below the "-g" depth only.
TEST_F(PadGolden, JoinDepthBoundsTheRowsThatGetProgramText) {
    std::string source = write_source("f.c", "void f(void)\n{\n    if (a) { if (b) x(); }\n}\n");
    const std::string head = "@f|B:|M:f|EF:|";
    const std::string tail = "+F:|+U:\x83\x8A\x83^\x81[\x83\x93|+E:|/";  // リターン
    const std::string when_true = "C:\x90^\x82\xCC\x82\xC6\x82\xAB|";   // 真のとき
    auto rows = [&](const std::string& join) {
        EXPECT_EQ(run_with(source, {join}), kPadDone) << join;
        std::string all;
        for (const std::string& row : rows_of(with_extension(source, ".pds"))) all += row + "|";
        return all;
    };
    // depth 1 only: the uncommented inner if has no text and is dropped
    EXPECT_EQ(rows("-g10:2"), head + "+S:if (a) {|+F:|+" + when_true + "++N:;|++E:|" + tail + "|");
    EXPECT_EQ(rows("-g10:3"), head + "+S:if (a) {|+F:|+" + when_true + "++S:if (b)|++F:|++" + when_true +
                                  "+++N:;|+++E:|++E:|" + tail + "|");
    EXPECT_EQ(rows("-g10:1"), head + "+U:\x83\x8A\x83^\x81[\x83\x93|+E:|/|");
}

TEST_F(PadGolden, CommentDirectivesAndMarkedComments) {
    expect_generated("directives", "directives", kPadDone, {"--"});
}

TEST_F(PadGolden, NestingLimitEmptiesDeepRows) {
    expect_generated("nesting", "nesting", kPadWarnings, {"-lm3"});
    // ネストレベルが制限を超えています。
    EXPECT_EQ(read_raw(error_file()),
              "nesting.c   (   6) : W056 : "
              "\x83l\x83X\x83g\x83\x8C\x83x\x83\x8B\x82\xAA\x90\xA7\x8C\xC0\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2"
              "\x82\xDC\x82\xB7\x81" "B\r\n");
}

TEST_F(PadGolden, ClassMembersForwardDeclarationAndStrayElse) {
    expect_generated("classes", "classes", kPadWarnings);
    // else文の直前にif文がありません。
    EXPECT_EQ(read_raw(error_file()),
              "classes.c   (  17) : W109 : else\x95\xB6\x82\xCC\x92\xBC\x91O\x82\xC9if\x95\xB6\x82\xAA\x82\xA0\x82\xE8"
              "\x82\xDC\x82\xB9\x82\xF1\x81" "B\r\n");
}

TEST_F(PadGolden, ShiftJisHeadingWordsFromTheKeywordFile) {
    copy_fixture("sjis.kwd", "gx1000.kwd");
    expect_generated("sjis", "sjis", kPadDone);
}

}  // namespace
}  // namespace gx1002s_test
