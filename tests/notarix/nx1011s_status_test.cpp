// Statuses of a run and what each leaves on disk: refused vectors, missing
// sources, results that cannot be put in place, warnings, cancel, memory.

#include <filesystem>
#include <string>
#include <vector>

#include "nx1011s_fixture.h"

namespace nx1011s_test {
namespace {

// 処理を中断しました。
const std::string kCancelledText = "\x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";
// else文の直前にif文がありません。
const std::string kElseText = "else\x95\xB6\x82\xCC\x92\xBC\x91O\x82\xC9if\x95\xB6\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";

class Nx1011sStatus : public ConverterTest {
protected:
    // Earlier results and error file, to see whether a run touched them.
    void plant_earlier_results(const std::string& source) {
        for (const char* ext : {".fss", ".fsm", ".flt"}) write_raw(with_extension(source, ext), std::string("old") + ext);
        write_raw(error_file(), "old errors\r\n");
    }
    void expect_earlier_results(const std::string& source) {
        for (const char* ext : {".fss", ".fsm", ".flt"})
            EXPECT_EQ(read_raw(with_extension(source, ext)), std::string("old") + ext) << ext;
        for (const char* temp : {".$ts", ".$tm", ".$tt"}) EXPECT_FALSE(exists(with_extension(source, temp))) << temp;
    }
};

TEST_F(Nx1011sStatus, RefusedVectorsWriteNothing) {
    std::string source = copy_fixture("split.c");
    plant_earlier_results(source);
    const std::vector<std::vector<std::string>> refused = {
        {"nx1011s"},
        {"nx1011s", "-help", source, "-X8417"},
        {"nx1011s", source},                      // no interface code
        {"nx1011s", source, "-X841"},             // three digits
        {"nx1011s", source, "-X84170"},           // five digits
        {"nx1011s", source, "-X8417a"},
        {"nx1011s", source, "-X8416"},
        {"nx1011s", source, source, "-X8417"},    // two sources
        {"nx1011s", "-X8417"},                    // none
        {"nx1011s", source, "-X8417", "-m5"},     // ':' and a second number are required
        {"nx1011s", source, "-X8417", "-DNAME="},
        {"nx1011s", source, "-X8417", "-i3"},
        {"nx1011s", source, "-X8417", "-i1210"},
        {"nx1011s", source, "-X8417", "-d"},
        {"nx1011s", source, "-X8417", "-d5"},
        {"nx1011s", source, "-X8417", "-H2"},
        {"nx1011s", source, "-X8417", "-fx"},
        {"nx1011s", source, "-X8417", "-W4"},
        {"nx1011s", source, "-X8417", "-p"},
        {"nx1011s", source, "-X8417", "-e"},
        {"nx1011s", source, "-X8417", "-q"},
    };
    for (const auto& args : refused) {
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        EXPECT_EQ(run(args), kFunctionSpecBadCall) << shown;
        expect_earlier_results(source);
        EXPECT_EQ(read_raw(error_file()), "old errors\r\n");
    }
}

TEST_F(Nx1011sStatus, AcceptedOptionForms) {
    std::string source = copy_fixture("split.c");
    const std::vector<std::string> accepted = {"-m", "-mf", "-mh", "-mf10:20", "-m200:300:99:500", "-m1:2:", "-m1:2::3",
                                               "-D=1", "-DX", "-DX=2", "-i", "-i1", "-i12", "-i121", "-W3",
                                               "-vjunk", "-fr", "-fe", "-p1", "-d0", ""};
    for (const std::string& option : accepted)
        EXPECT_EQ(run({"nx1011s", source, "-X8417", option}), kFunctionSpecDone) << option;
}

TEST_F(Nx1011sStatus, MacroOptionReachesTheSource) {
    std::string source = dir_.path("cond.c");
    write_raw(source, "#ifdef WANTED\nint wanted(void)\n{\n}\n#endif\nint always(void)\n{\n}\n");
    ASSERT_EQ(generate(source, "-H0", "-DWANTED"), kFunctionSpecDone);
    EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt"))).size(), 3u);
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt"))).size(), 2u);
}

// The viewer's highest macro level: a macro whose body ends in ";" is then
// substituted, so its use is no longer taken for part of the next head.
TEST_F(Nx1011sStatus, MacroLevelFourSubstitutesStatementMacros) {
    std::string source = dir_.path("ctl.c");
    write_raw(source, "#define PROTO(name) int name(void);\n\nPROTO(helper)\nint use(void)\n{\n    return helper();\n}\n");
    auto vector = [&](const std::string& level) {
        return std::vector<std::string>{"nx1011s", source, "-e" + error_file(), "-v0", "-i10", level, "-X8417"};
    };
    ASSERT_EQ(run(vector("-d4")), kFunctionSpecDone);
    EXPECT_EQ(read_raw(with_extension(source, ".flt")),
              "-----< C function list >-----\r\nctl.c        #    4  use              : use\r\n");
    ASSERT_EQ(run(vector("-d3")), kFunctionSpecDone);
    EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt")))[1],
              "ctl.c        #    3  use              : use\r");
}

TEST_F(Nx1011sStatus, SourceWithoutExtensionIsReadAsC) {
    copy_fixture("split.c");
    std::string named = dir_.path("split");
    ASSERT_EQ(generate(named), kFunctionSpecDone);
    EXPECT_TRUE(exists(dir_.path("split.fss")));
    EXPECT_TRUE(exists(dir_.path("split.fsm")));
    EXPECT_TRUE(exists(dir_.path("split.flt")));
    EXPECT_EQ(unscrambled_lines(dir_.path("split.fss"))[1], "TAG:" + named + ".c(7)");
}

TEST_F(Nx1011sStatus, MissingSourceLeavesEarlierResultsAndNoErrorFile) {
    std::string source = dir_.path("gone.c");
    plant_earlier_results(source);
    EXPECT_EQ(generate(source), kFunctionSpecErrors);
    expect_earlier_results(source);
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(Nx1011sStatus, ResultThatCannotBeReplacedKeepsEveryEarlierResult) {
    std::string source = copy_fixture("split.c");
    plant_earlier_results(source);
    // the list's name is taken by a directory that cannot be replaced
    std::filesystem::remove(with_extension(source, ".flt"));
    std::filesystem::create_directories(with_extension(source, ".flt") + "/inside");
    EXPECT_EQ(generate(source), kFunctionSpecWriteFailure);
    EXPECT_EQ(read_raw(with_extension(source, ".fss")), "old.fss");
    EXPECT_EQ(read_raw(with_extension(source, ".fsm")), "old.fsm");
    EXPECT_TRUE(std::filesystem::is_directory(with_extension(source, ".flt")));
    for (const char* temp : {".$ts", ".$tm", ".$tt", ".$os", ".$om", ".$ol"})
        EXPECT_FALSE(exists(with_extension(source, temp))) << temp;
}

TEST_F(Nx1011sStatus, SecondRunReplacesEarlierResults) {
    std::string source = copy_fixture("split.c");
    plant_earlier_results(source);
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    EXPECT_EQ(read_raw(with_extension(source, ".flt")).rfind("-----< C function list >-----\r\n", 0), 0u);
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(Nx1011sStatus, WarningGivesNineWithItsErrorLine) {
    std::string source = dir_.path("warn.c");
    write_raw(source, "int f(int a)\n{\n    a = 1;\n    else a = 2;\n}\n");
    EXPECT_EQ(generate(source), kFunctionSpecWarnings);
    EXPECT_EQ(read_raw(error_file()), "warn.c      (   4) : W109 : " + kElseText + "\r\n");
    EXPECT_TRUE(exists(with_extension(source, ".fss")));
}

TEST_F(Nx1011sStatus, CancelFromProgressStopsWithE063) {
    std::string source = copy_fixture("headed.c");
    plant_earlier_results(source);
    cancel_at_ = 0;  // the first report already answers "cancel"
    EXPECT_EQ(generate(source), kFunctionSpecErrors);
    EXPECT_EQ(read_raw(error_file()), "headed.c    (   0) : E063 : " + kCancelledText + "\r\n");
    expect_earlier_results(source);
}

TEST_F(Nx1011sStatus, CancelDuringReadingStopsBeforeTheNextUnit) {
    std::string source = copy_fixture("headed.c");
    cancel_at_ = 5;
    EXPECT_EQ(generate(source), kFunctionSpecErrors);
    std::string errors = read_raw(error_file());
    EXPECT_NE(errors.find(" : E063 : " + kCancelledText), std::string::npos) << errors;
    EXPECT_FALSE(exists(with_extension(source, ".fss")));
}

TEST_F(Nx1011sStatus, AFullDiskKeepsEveryEarlierResult) {
    // each result in turn cannot be written: the lines wait in the writer's
    // buffer, and the failure shows when it is written out at the close
    for (const char* work : {".$ts", ".$tm", ".$tt"}) {
        std::string source = copy_fixture("split.c");
        plant_earlier_results(source);
        crt_set_full_disk(work);
        EXPECT_EQ(generate(source), kFunctionSpecWriteFailure) << work;
        crt_set_full_disk(nullptr);
        expect_earlier_results(source);
        EXPECT_NE(read_raw(error_file()).find(" : E058 : "), std::string::npos) << work;
    }
}

TEST_F(Nx1011sStatus, FailingAllocationGivesThirteen) {
    std::string source = copy_fixture("split.c");
    plant_earlier_results(source);
    set_pool_block_limit(0);
    EXPECT_EQ(generate(source), kFunctionSpecNoMemory);
    expect_earlier_results(source);
    // without the counter option the keyword file's values need the pool
    copy_fixture("sjis.kwd", "nx1000.kwd");
    EXPECT_EQ(run({"nx1011s", source, "-e" + error_file(), "-X8417"}), kFunctionSpecNoMemory);
    expect_earlier_results(source);
}

TEST_F(Nx1011sStatus, ProgressCountsLinesAndPerMille) {
    std::string source = copy_fixture("split.c");
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    ASSERT_GE(reports_.size(), 23u);
    EXPECT_EQ(reports_[0].item, "( 1/ 1:split.c   )");
    EXPECT_EQ(reports_[1].item, "C   1");
    EXPECT_EQ(reports_.back().item, "C  22");
    EXPECT_EQ(reports_.back().permille, 1000);
    for (size_t i = 1; i < reports_.size(); ++i) EXPECT_LE(reports_[i - 1].permille, reports_[i].permille);
}

// A source without a function gives its (empty) results with a warning
// that says so, as GRAVLET and ORBALINE tell it.
TEST_F(Nx1011sStatus, EmptySourceIsDoneAtOnceWithAWarning) {
    std::string source = dir_.path("empty.c");
    write_raw(source, "");
    ASSERT_EQ(generate(source), kFunctionSpecWarnings);
    // 関数がありません。
    EXPECT_NE(read_raw(dir_.path("nx1000.err")).find(" : W010 : \x8A\xD6\x90\x94\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42"),
              std::string::npos);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].permille, 1000);
    EXPECT_EQ(read_raw(with_extension(source, ".fss")), "");
    EXPECT_EQ(read_raw(with_extension(source, ".flt")), "-----< C function list >-----\r\n");
}

TEST_F(Nx1011sStatus, CounterNewlineAndStep) {
    std::string source = copy_fixture("split.c");
    ASSERT_EQ(run({"nx1011s", source, "-X8417", "-m0:0:4:10"}), kFunctionSpecDone);
    std::vector<std::string> items;
    for (const ProgressReport& r : reports_) items.push_back(r.item);
    EXPECT_EQ(items, (std::vector<std::string>{"   1\n", "  11\n", "  21\n"}));
    reports_.clear();
    ASSERT_EQ(run({"nx1011s", source, "-X8417", "-mf0:0:6:20"}), kFunctionSpecDone);
    items.clear();
    for (const ProgressReport& r : reports_) items.push_back(r.item);
    EXPECT_EQ(items, (std::vector<std::string>{"     0", "( 1/ 1:split.c   )", "C    1\n", "C   21\n"}));
}

// The counter's width stops at 60 columns and its step at every 100th line.
TEST_F(Nx1011sStatus, CounterWidthAndStepAreClamped) {
    std::string source = dir_.path("lines.c");
    write_raw(source, std::string(250, '\n') + "int f(void)\n{\n}\n");
    auto items = [&](const std::string& option) {
        reports_.clear();
        EXPECT_EQ(run({"nx1011s", source, "-X8417", option}), kFunctionSpecDone) << option;
        std::vector<std::string> out;
        for (const ProgressReport& r : reports_) out.push_back(r.item);
        return out;
    };
    const std::vector<std::string> every_hundred = {"    1", "  101", "  201"};
    EXPECT_EQ(items("-m1:0:5:100"), every_hundred);
    EXPECT_EQ(items("-m1:0:5:101"), every_hundred);
    const std::vector<std::string> sixty_wide = {std::string(59, ' ') + "1", std::string(57, ' ') + "101",
                                                 std::string(57, ' ') + "201"};
    EXPECT_EQ(items("-m1:0:60:100"), sixty_wide);
    EXPECT_EQ(items("-m1:0:61:100"), sixty_wide);
}

TEST_F(Nx1011sStatus, KeywordFileFirstValueWinsAndMissingFileIsDefault) {
    std::string source = dir_.path("kw.c");
    write_raw(source, "/* WHAT : first word */\n/* PURPOSE : second word */\nvoid k(void)\n{\n}\n");
    write_raw(dir_.path("nx1000.kwd"), "FUNCTION = WHAT\r\nFUNCTION=PURPOSE\r\n# comment\r\nINPUT(EXT) =\r\n");
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    EXPECT_EQ(unscrambled_lines(with_extension(source, ".fss")),
              (std::vector<std::string>{"NAM:k", "TAG:" + source + "(3)", "FUN:first word", "FHD:void k(void)", "///:"}));
    std::filesystem::remove(dir_.path("nx1000.kwd"));
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    EXPECT_EQ(unscrambled_lines(with_extension(source, ".fss")).size(), 4u);
}

TEST_F(Nx1011sStatus, LongPathsWork) {
    std::string deep = dir_.path(std::string(120, 'd') + "/" + std::string(120, 'e') + "/" + std::string(60, 'f'));
    std::filesystem::create_directories(deep);
    std::string source = deep + "/" + std::string(100, 'n') + ".c";
    write_raw(source, "void f(void)\n{\n}\n");
    ASSERT_EQ(run({"nx1011s", source, "-e" + deep + "\\nx1000.err", "-X8417"}), kFunctionSpecDone);
    // a record keeps its first 250 bytes; the list names the file whole
    EXPECT_EQ(unscrambled_lines(with_extension(source, ".fss"))[1], ("TAG:" + source + "(1)").substr(0, 250));
    EXPECT_NE(read_raw(with_extension(source, ".flt")).find(std::string(100, 'n') + ".c #    1  f "), std::string::npos);
}

}  // namespace
}  // namespace nx1011s_test
