// Statuses of the PAD generator: refused vectors, missing sources, cancel,
// write failures, warnings, and what each leaves on disk.

#include <algorithm>
#include <string>
#include <vector>

#include "common/analysis/analysis_state.h"
#include "gx1002s_fixture.h"

namespace gx1002s_test {
namespace {

class PadStatus : public PadGeneratorTest {};

const char kFunction[] = "/* FUNCTION : does it */\nvoid f(void)\n{\n    a = 1;      /* one */\n}\n";

TEST_F(PadStatus, RefusedVectorsGiveElevenAndTouchNothing) {
    std::string source = write_source("f.c", kFunction);
    write_raw(error_file(), "old\n");
    const std::vector<std::vector<std::string>> refused = {
        {"gx1002s", source},                                  // no interface code
        {"gx1002s", source, "-X84620"},                       // five digits
        {"gx1002s", source, "-X8417"},                        // another program's code
        {"gx1002s", source, source, "-X8462"},                // two sources
        {"gx1002s", "-X8462"},                                // no source
        {"gx1002s", source, "-X8462", "-c0"},
        {"gx1002s", source, "-X8462", "-c300"},
        {"gx1002s", source, "-X8462", "-c257"},
        {"gx1002s", source, "-X8462", "-c"},
        {"gx1002s", source, "-X8462", "-lm1"},
        {"gx1002s", source, "-X8462", "-d"},
        {"gx1002s", source, "-X8462", "-d5"},
        {"gx1002s", source, "-X8462", "-e"},
        {"gx1002s", source, "-X8462", "-nx"},
        {"gx1002s", source, "-X8462", "-ti2:names.txt"},
        {"gx1002s", source, "-X8462", "-ti4"},
        {"gx1002s", source, "-X8462", "-p1:"},
        {"gx1002s", source, "-X8462", "-m5"},
        {"gx1002s", source, "-X8462", "-C2"},
        {"gx1002s", source, "-X8462", "-PP3"},
        {"gx1002s", source, "-X8462", "-W4"},
        {"gx1002s", source, "-X8462", "-i3"},
        {"gx1002s", source, "-X8462", "-i1011"},
        {"gx1002s", source, "-X8462", "-D1x"},
        {"gx1002s", source, "-X8462", "-g24:"},
        {"gx1002s", source, "-X8462", "-unknown"},
        {"gx1002s"},
    };
    for (const auto& vector : refused) {
        std::string shown;
        for (const auto& a : vector) shown += a + " ";
        EXPECT_EQ(run(vector), kPadBadCall) << shown;
    }
    EXPECT_EQ(read_raw(error_file()), "old\n");
    EXPECT_FALSE(exists(with_extension(source, ".pds")));
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
}

TEST_F(PadStatus, TooManyArgumentsOrOverlongNamesAreRefused) {
    std::string source = write_source("f.c", kFunction);
    std::vector<std::string> many = {"gx1002s", source, "-X8462"};
    while (many.size() < 64) many.push_back("-n");
    EXPECT_EQ(run(many), kPadDone);
    many.push_back("-n");
    EXPECT_EQ(run(many), kPadBadCall);

    // names of 255 bytes are taken, 256 are not
    std::string dir = dir_.path();
    std::string error_255 = dir + "/" + std::string(255 - dir.size() - 1, 'e');
    ASSERT_EQ(error_255.size(), 255u);
    EXPECT_EQ(run({"gx1002s", source, "-X8462", "-e" + error_255}), kPadDone);
    EXPECT_EQ(run({"gx1002s", source, "-X8462", "-e" + error_255 + "e"}), kPadBadCall);

    std::string long_name = dir_.path(std::string(300, 'a') + ".c");
    EXPECT_EQ(run({"gx1002s", long_name, "-X8462"}), kPadBadCall);
    EXPECT_EQ(run({"gx1002s", source, "-X8462", "-e" + std::string(256, 'e')}), kPadBadCall);
    EXPECT_EQ(run({"gx1002s", source, "-X8462", "-p1:" + std::string(256, 'p')}), kPadBadCall);
}

TEST_F(PadStatus, ACommentLengthOfTwentyCutsTheFunctionTextAtForty) {
    std::string text = "/* FUNCTION : " + std::string(50, 'x') + " */\nvoid f(void)\n{\n}\n";
    std::string source = write_source("f.c", text);
    ASSERT_EQ(run_with(source, {"-c20"}), kPadDone);
    std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "@f " + std::string(40, 'x'));
    EXPECT_EQ(rows[2], "M:" + std::string(40, 'x'));
}

TEST_F(PadStatus, CommentLengthAndNestingLimitAtTheirEnds) {
    std::string text = "/* FUNCTION : " + std::string(300, 'x') + " */\nvoid f(void)\n{\n}\n";
    std::string source = write_source("f.c", text);
    auto function_text = [&](const std::string& option) {
        EXPECT_EQ(run_with(source, {option}), kPadDone) << option;
        std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
        return rows.size() > 2 ? rows[2].substr(2).size() : 0u;
    };
    // the function text is cut at the comment length, but at no less than 40
    EXPECT_EQ(function_text("-c1"), 40u);
    EXPECT_EQ(function_text("-c40"), 40u);
    EXPECT_EQ(function_text("-c41"), 41u);
    EXPECT_EQ(function_text("-c256"), 256u);
    EXPECT_EQ(run_with(source, {"-lm2"}), kPadDone);
}

// A function's name is kept to 256 bytes.
TEST_F(PadStatus, FunctionNamesAreCutAt256Bytes) {
    for (size_t length : {256u, 257u}) {
        std::string source = write_source("f.c", "void " + std::string(length, 'f') + "(void)\n{\n}\n");
        ASSERT_EQ(run_with(source, {}), kPadDone);
        std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
        ASSERT_GE(rows.size(), 3u);
        EXPECT_EQ(rows[0], "@" + std::string(256, 'f'));
        EXPECT_EQ(rows[2], "M:" + std::string(256, 'f'));
    }
}

TEST_F(PadStatus, SourceWithoutExtensionIsReadAsC) {
    write_source("prog.c", kFunction);
    ASSERT_EQ(run_with(dir_.path("prog"), {}), kPadDone);
    EXPECT_TRUE(exists(dir_.path("prog.pds")));
}

TEST_F(PadStatus, MissingSourceGivesTenAndNoMessage) {
    write_raw(error_file(), "old\n");
    EXPECT_EQ(run_with(dir_.path("missing.c"), {"-ucfc"}), kPadErrors);
    EXPECT_FALSE(exists(error_file()));
    EXPECT_FALSE(exists(dir_.path("missing.tmp")));
    EXPECT_FALSE(exists(dir_.path("missing.tmf")));
}

TEST_F(PadStatus, NoFunctionIsAWarningAndKeepsOldResults) {
    std::string source = write_source("none.c", "int x;\n");
    write_raw(with_extension(source, ".pds"), "old pds");
    write_raw(error_file(), "stale line of an earlier run\n");
    EXPECT_EQ(run_with(source, {"-ucfc"}), kPadWarnings);
    EXPECT_EQ(read_raw(with_extension(source, ".pds")), "old pds");
    EXPECT_FALSE(exists(with_extension(source, ".flt")));
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
    EXPECT_FALSE(exists(with_extension(source, ".tmf")));
    // 関数がありません。 -- the earlier run's line is gone
    EXPECT_EQ(read_raw(error_file()),
              "none.c      (   1) : W010 : \x8A\xD6\x90\x94\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B\r\n");
}

TEST_F(PadStatus, WithoutTheListOptionAnOldListStays) {
    std::string source = write_source("f.c", kFunction);
    write_raw(with_extension(source, ".flt"), "old list");
    ASSERT_EQ(run_with(source, {}), kPadDone);
    EXPECT_EQ(read_raw(with_extension(source, ".flt")), "old list");
}

TEST_F(PadStatus, CancelStopsWithTenAndRemovesTheWorkFiles) {
    std::string source = write_source("f.c", std::string(kFunction) + kFunction);
    write_raw(with_extension(source, ".pds"), "old pds");
    cancel_at_ = 0;
    EXPECT_EQ(run_with(source, {"-ucfc", "-mf", "-v0"}), kPadErrors);
    EXPECT_FALSE(reports_.empty());
    EXPECT_EQ(read_raw(with_extension(source, ".pds")), "old pds");
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
    EXPECT_FALSE(exists(with_extension(source, ".tmf")));
    // 処理を中断しました。
    EXPECT_NE(read_raw(error_file()).find("E063 : \x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f"), std::string::npos);
}

TEST_F(PadStatus, AFullDiskKeepsTheOldResults) {
    // the work file, the list's work file and the do-loop pass's second work file
    for (const char* work : {".tmp", ".tmf", ".tmd"}) {
        std::string source = write_source("f.c", kFunction);
        write_raw(with_extension(source, ".pds"), "old pds");
        write_raw(with_extension(source, ".flt"), "old flt");
        crt_set_full_disk(work);
        EXPECT_EQ(run_with(source, {"-ucfc", "-SPdw"}), kPadWriteFailure) << work;
        crt_set_full_disk(nullptr);
        EXPECT_EQ(read_raw(with_extension(source, ".pds")), "old pds") << work;
        EXPECT_EQ(read_raw(with_extension(source, ".flt")), "old flt") << work;
        for (const char* left : {".tmp", ".tmf", ".tmd"}) EXPECT_FALSE(exists(with_extension(source, left))) << left;
        EXPECT_NE(read_raw(error_file()).find(" : E058 : "), std::string::npos) << work;
    }
}

TEST_F(PadStatus, AFailedCommitKeepsTheOldResults) {
    std::string source = write_source("f.c", kFunction);
    write_raw(with_extension(source, ".pds"), "old pds");
    // a list that cannot be replaced makes the whole commit fail
    std::filesystem::create_directory(with_extension(source, ".flt"));
    EXPECT_EQ(run_with(source, {"-ucfc"}), kPadWriteFailure);
    EXPECT_EQ(read_raw(with_extension(source, ".pds")), "old pds");
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
    EXPECT_FALSE(exists(with_extension(source, ".tmf")));
    EXPECT_NE(read_raw(error_file()).find(" : E058 : "), std::string::npos);
}

TEST_F(PadStatus, AReplacedResultLeavesNoAsideCopy) {
    std::string source = write_source("f.c", kFunction);
    write_raw(with_extension(source, ".pds"), "old pds");
    write_raw(with_extension(source, ".flt"), "old list");
    ASSERT_EQ(run_with(source, {"-ucfc"}), kPadDone);
    EXPECT_NE(read_raw(with_extension(source, ".pds")), "old pds");
    EXPECT_NE(read_raw(with_extension(source, ".flt")), "old list");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), std::filesystem::directory_iterator{}),
              3);
}

TEST_F(PadStatus, MissingNameListsFailTheRun) {
    std::string source = write_source("f.c", kFunction);
    EXPECT_EQ(run_with(source, {"-p1:" + dir_.path("nolist.txt")}), kPadErrors);
    EXPECT_NE(read_raw(error_file()).find("E051 : RET_PROC_FILE_S : "), std::string::npos);
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
    EXPECT_EQ(run_with(source, {"-ti3:" + dir_.path("nolist.txt")}), kPadErrors);
    EXPECT_NE(read_raw(error_file()).find("E053 : RET_TOP_IGNM_FILE_S : "), std::string::npos);
    EXPECT_EQ(run_with(source, {"-d3:" + dir_.path("noignore.txt")}), kPadErrors);
    EXPECT_NE(read_raw(error_file()).find("RET_IGNORE_FILE_S : "), std::string::npos);
}

TEST_F(PadStatus, UnbalancedBracesAreErrors) {
    std::string source = write_source("f.c", "void f(void)\n{\n    if (a) {   /* x */\n        b = 1;  /* y */\n");
    EXPECT_EQ(run_with(source, {}), kPadErrors);
    EXPECT_FALSE(exists(with_extension(source, ".pds")));
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
}

// A row outside every function is an error; its message names the row's own
// line while the reader is at most fifteen lines past it.
TEST_F(PadStatus, RowOutsideAFunctionNamesItsLineUpToFifteenLinesBack) {
    auto stray_block = [&](int blank_lines) {
        return write_source("f.c", "{\n    x(); /* call */\n" + std::string(static_cast<size_t>(blank_lines), '\n') +
                                       "}\nvoid f(void)\n{\n}\n");
    };
    // 関数開始の形式が誤っています。
    const std::string text = "E064 : \x8A\xD6\x90\x94\x8A\x4A\x8E\x6E\x82\xCC\x8C\x60\x8E\xAE\x82\xAA\x8C\xEB\x82\xC1"
                             "\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81\x42\r\n";
    // the reader stands at the "}": line 17, fifteen past line 2
    EXPECT_EQ(run_with(stray_block(14), {}), kPadErrors);
    EXPECT_EQ(read_raw(error_file()), "f.c         (   2) : " + text);
    EXPECT_EQ(run_with(stray_block(15), {}), kPadErrors);
    EXPECT_EQ(read_raw(error_file()), "f.c         (  18) : " + text);
}

// Closing levels at once queues two rows per level before the statement's
// own rows: behind eleven nested branches a plain statement makes 26 rows,
// an if (three rows) one too many.
TEST_F(PadStatus, RowTableHoldsTwentySixPendingRows) {
    auto nested_ifs = [&](const std::string& last) {
        std::string text = "void f(void)\n{\n";
        for (int i = 0; i < 11; ++i) text += "if (a" + std::to_string(i) + ") /* c */\n";
        return write_source("f.c", text + "x = 1; /* x */\n" + last + "\n}\n");
    };
    EXPECT_EQ(run_with(nested_ifs("y = 2; /* y */"), {"-lm99"}), kPadDone);
    EXPECT_FALSE(exists(error_file()));
    reports_.clear();
    std::string source = nested_ifs("if (z) /* z */\nw = 1; /* w */");
    EXPECT_EQ(run_with(source, {"-lm99"}), kPadErrors);
    // 構文エラーです。
    EXPECT_NE(read_raw(error_file()).find(" : E015 : \x8D\x5C\x95\xB6\x83G\x83\x89\x81[\x82\xC5\x82\xB7"),
              std::string::npos);
    EXPECT_NE(std::find_if(reports_.begin(), reports_.end(),
                           [](const ProgressReport& r) { return r.item == "up_pad_index \x83I\x81[\x83o\n"; }),
              reports_.end());
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
}

// Two case labels join into one box while their texts and a TAB stay
// below 252 bytes.
TEST_F(PadStatus, JoinedCaseLabelsStayBelow252Bytes) {
    auto labels = [&](size_t second) {
        return write_source("f.c", "void f(void)\n{\n    switch (k) { /* sel */\n    case 1: /* " + std::string(125, 'a') +
                                       " */\n    case 2: /* " + std::string(second, 'b') +
                                       " */\n        x = 1; /* x */\n        break;\n    }\n}\n");
    };
    std::string source = labels(125);
    ASSERT_EQ(run_with(source, {"-C0"}), kPadDone);
    std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
    EXPECT_NE(std::find(rows.begin(), rows.end(), "+C:" + std::string(125, 'a') + "\t" + std::string(125, 'b')),
              rows.end());
    source = labels(126);
    ASSERT_EQ(run_with(source, {"-C0"}), kPadWarnings);
    rows = rows_of(with_extension(source, ".pds"));
    EXPECT_NE(std::find(rows.begin(), rows.end(), "+C:" + std::string(125, 'a')), rows.end());
    EXPECT_NE(read_raw(error_file()).find("f.c         (   5) : W065 : "), std::string::npos);
}

// The reader looks one line ahead for "/*-" comments; messages still name
// the line they are about.
TEST_F(PadStatus, ScannerMessagesNameTheirOwnLine) {
    std::string source = write_source("f.c", "void f(void)\n{\n    x = (1));   /* bad */\n    y = 2;\n}\n");
    EXPECT_EQ(run_with(source, {}), kPadErrors);
    EXPECT_NE(read_raw(error_file()).find("f.c         (   3) : E107 : "), std::string::npos) << read_raw(error_file());
    write_source("f.c", "void f(void)\n{\n    a = 1;  /* one */\n    else\n        b = 2;\n    c = 3;\n}\n");
    EXPECT_EQ(run_with(source, {}), kPadWarnings);
    EXPECT_NE(read_raw(error_file()).find("f.c         (   4) : W109 : "), std::string::npos) << read_raw(error_file());
    write_source("f.c", "void f(void)\n{\n}\n}\nint g;\n");
    EXPECT_EQ(run_with(source, {}), kPadErrors);
    EXPECT_NE(read_raw(error_file()).find("f.c         (   4) : E111 : "), std::string::npos) << read_raw(error_file());
}

TEST_F(PadStatus, TwentyFirstNestedDoIsASyntaxError) {
    std::string text = "void f(void)\n{\n";
    for (int i = 0; i < 21; ++i) text += "do {   /* loop */\n";
    text += "a = 1;  /* body */\n";
    for (int i = 0; i < 21; ++i) text += "} while (x);\n";
    text += "}\n";
    std::string source = write_source("f.c", text);
    EXPECT_EQ(run_with(source, {"-SPdw", "-lm99"}), kPadErrors);
    // 構文エラーです。
    EXPECT_NE(read_raw(error_file()).find("E015 : \x8D\x5C\x95\xB6\x83G\x83\x89\x81[\x82\xC5\x82\xB7"), std::string::npos);
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
    EXPECT_FALSE(exists(with_extension(source, ".tmd")));

    // twenty are fine
    text = "void f(void)\n{\n";
    for (int i = 0; i < 20; ++i) text += "do {   /* loop */\n";
    text += "a = 1;  /* body */\n";
    for (int i = 0; i < 20; ++i) text += "} while (x);\n";
    text += "}\n";
    write_source("f.c", text);
    EXPECT_EQ(run_with(source, {"-SPdw", "-lm99"}), kPadDone);
}

TEST_F(PadStatus, RowTextsAreCutAtCharacterBoundaries) {
    // あいう: six bytes cut at five keep two characters
    std::string source = write_source("f.c", "void f(void)\n{\n    a = 1;  /* \x82\xA0\x82\xA2\x82\xA4 */\n}\n");
    ASSERT_EQ(run_with(source, {"-c5"}), kPadDone);
    std::vector<std::string> rows = rows_of(with_extension(source, ".pds"));
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:\x82\xA0\x82\xA2");

    // program text cut inside a double-byte character of a literal
    write_source("f.c", "void f(void)\n{\n    s = \"\x82\xA0\x82\xA2\";\n}\n");
    ASSERT_EQ(run_with(source, {"-g6"}), kPadDone);
    rows = rows_of(with_extension(source, ".pds"));
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[4], "+N:s = \"");
}

TEST_F(PadStatus, OutOfMemoryGivesThirteen) {
    std::string source = write_source("f.c", kFunction);
    set_pool_block_limit(0);
    EXPECT_EQ(run_with(source, {}), kPadNoMemory);
    set_pool_block_limit(-1);
    EXPECT_FALSE(exists(with_extension(source, ".tmp")));
}

}  // namespace
}  // namespace gx1002s_test
