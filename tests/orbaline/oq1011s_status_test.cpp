// Statuses of a run and what each leaves on disk: refused vectors, missing
// lists and sources, cancel, results that cannot be put in place, messages
// that did not stop the run, and the viewer's own argument vectors.

#include <filesystem>
#include <string>
#include <vector>

#include "oq1011s_fixture.h"

namespace oq1011s_test {
namespace {

// ファイルが見つかりません。
const std::string kNotFound = "\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81" "B";
// 処理を中断しました。
const std::string kCancelled = "\x8F\x88\x97\x9D\x82\xF0\x92\x86\x92" "f\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81" "B";

class Oq1011sStatus : public TreeGeneratorTest {
protected:
    std::string basic_list() {
        copy_fixtures({"main.c", "util.c", "io.c"});
        std::string list = dir_.path("basic.nam");
        write_raw(list, read_raw(fixture_path("basic.nam")));
        return list;
    }
    void plant_old_results(const std::string& list) {
        write_raw(with_extension(list, ".trd"), "old trd");
        write_raw(with_extension(list, ".flt"), "old flt");
    }
    void expect_old_results(const std::string& list) {
        EXPECT_EQ(read_raw(with_extension(list, ".trd")), "old trd");
        EXPECT_EQ(read_raw(with_extension(list, ".flt")), "old flt");
        EXPECT_FALSE(exists(with_extension(list, ".$tr")));
        EXPECT_FALSE(exists(with_extension(list, ".tmf")));
    }
};

TEST_F(Oq1011sStatus, RefusedVectorsTouchNothing) {
    std::string list = basic_list();
    plant_old_results(list);
    const std::string l = "[" + list + "]";
    const std::vector<std::vector<std::string>> refused = {
        {"oq1011s"},
        {"oq1011s", "-help", "-x", l, "-X8439"},
        {"oq1011s", "-x", l},                        // no interface code
        {"oq1011s", "-x", l, "-X843"},
        {"oq1011s", "-x", l, "-X84390"},
        {"oq1011s", "-x", l, "-X8439a"},
        {"oq1011s", "-x", l, "-X8417"},              // another program's code
        {"oq1011s", "-x", l, l, "-X8439"},           // two lists
        {"oq1011s", "-x", "-n", l, "-X8439"},
        {"oq1011s", "-x", "-x", l, "-X8439"},
        {"oq1011s", l, "-X8439"},                    // no job
        {"oq1011s", "-x", "-X8439"},                 // no list
        {"oq1011s", "-x", l, "-X8439", "-f"},
        {"oq1011s", "-x", l, "-X8439", "-f++"},
        {"oq1011s", "-x", l, "-X8439", "-d1x"},
        {"oq1011s", "-x", l, "-X8439", "-c"},
        {"oq1011s", "-s", l, "-X8439", "-d3"},       // no depth for a cross reference
        {"oq1011s", "-s", l, "-X8439", "-f+"},
        {"oq1011s", "-s", l, "-X8439", "-c10"},
        {"oq1011s", "-x", l, "-X8439", "-W4"},
        {"oq1011s", "-x", l, "-X8439", "-PP3"},
        {"oq1011s", "-x", l, "-X8439", "-u3"},
        {"oq1011s", "-x", l, "-X8439", "-u12"},
        {"oq1011s", "-x", l, "-X8439", "-i3"},
        {"oq1011s", "-x", l, "-X8439", "-i1012"},
        {"oq1011s", "-x", l, "-X8439", "-M5"},
        {"oq1011s", "-x", l, "-X8439", "-R2"},
        {"oq1011s", "-x", l, "-X8439", "-A2"},
        {"oq1011s", "-x", l, "-X8439", "-Fb3"},
        {"oq1011s", "-x", l, "-X8439", "-Fe"},
        {"oq1011s", "-x", l, "-X8439", "-mx"},
        {"oq1011s", "-x", l, "-X8439", "-m1:2:3:4:5"},
        {"oq1011s", "-x", l, "-X8439", "-q"},
        {"oq1011s", "-x", l, "-X8439", "plain"},
    };
    for (const auto& args : refused) {
        std::string shown;
        for (const std::string& a : args) shown += a + " ";
        EXPECT_EQ(run(args), kCallTreeBadCall) << shown;
        expect_old_results(list);
    }
}

TEST_F(Oq1011sStatus, MoreThanSixtyFourArgumentsAreRefused) {
    std::string list = basic_list();
    std::vector<std::string> args = tree_vector(list);
    while (args.size() < 64) args.push_back("");
    EXPECT_EQ(run(args), kCallTreeDone);
    args.push_back("");
    EXPECT_EQ(run(args), kCallTreeBadCall);
}

TEST_F(Oq1011sStatus, AcceptedOptionForms) {
    std::string list = basic_list();
    const std::vector<std::string> accepted = {"-m", "-mh", "-mf3:4", "-mf200:300:99:500", "-W3", "-PP0", "-vjunk",
                                               "-i", "-i2", "-i22", "-i221", "-M4", "-Fb1", "-DX", "-DX=2", "-r",
                                               "-u1", "-u20", "-d0", "-c0", "-FF"};
    for (const std::string& option : accepted) {
        std::vector<std::string> args = tree_vector(list, {option});
        int status = run(args);
        EXPECT_TRUE(status == kCallTreeDone || status == kCallTreeWarnings) << option << " " << status;
    }
}

TEST_F(Oq1011sStatus, GenerationRunVectorsSucceed) {
    std::string list = basic_list();
    // the settings' scanner options 0..3 and modes as the viewer passes them
    for (const char* scan : {"-i00", "-i10", "-i20", "-i22"}) {
        for (const char* mode : {"-M0", "-M3", "-M4", "-M2"}) {
            std::vector<std::string> args = {"oq1011s", "-x", "-f+", "-v0", "-Fe" + dir_.path() + "\\oq1000.err",
                                             "-X8439", "-mf", "-c20", "-d9", "-u0", scan, mode, "-R0", "-A0", "-l",
                                             "[" + list + "]", ""};
            EXPECT_EQ(run(args), kCallTreeDone) << scan << mode;
        }
    }
    EXPECT_EQ(run(tree_vector(list, {"-R1", "-A1", "-W2"})), kCallTreeDone);
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_TRUE(exists(with_extension(list, ".bak")));
    EXPECT_FALSE(exists(error_file()));
    // the viewer reads the progress: the source texts and the output counter
    bool source_text = false, counter = false;
    for (const ProgressReport& r : reports_) {
        source_text = source_text || r.item == "( 2/ 3:util.c    )";
        counter = counter || r.item == "O   3";
        EXPECT_GE(r.permille, 0);
        EXPECT_LE(r.permille, 1000);
    }
    EXPECT_TRUE(source_text);
    EXPECT_TRUE(counter);
}

TEST_F(Oq1011sStatus, MissingListOrSource) {
    EXPECT_EQ(run(tree_vector(dir_.path("none.nam"))), kCallTreeErrors);
    EXPECT_NE(error_text().find(kNotFound), std::string::npos);
    EXPECT_FALSE(exists(dir_.path("none.$tr")));

    std::string list = dir_.path("gaps.nam");
    copy_fixtures({"main.c"});
    write_raw(list, "main.c\ngone1.c\n\ngone2.c\n");
    plant_old_results(list);
    EXPECT_EQ(run(tree_vector(list)), kCallTreeErrors);
    // each missing source, placed at its line of the list
    std::vector<std::string> lines = text_lines(error_text());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 24), "gaps.nam    (   2) : E05");
    EXPECT_NE(lines[0].find("gone1.c"), std::string::npos);
    EXPECT_EQ(lines[1].substr(0, 24), "gaps.nam    (   4) : E05");
    expect_old_results(list);

    write_raw(list, "# nothing here\n\n  indented.c\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeErrors);
    EXPECT_NE(error_text().find(" : E056 : "), std::string::npos);
}

// The output counter's width stops at 60 columns (a letter and 59 for the
// count) and its step at every 100th line.
TEST_F(Oq1011sStatus, CounterWidthAndStepAreClamped) {
    std::string text = "int main(void)\n{\n";
    for (int i = 0; i < 249; ++i) text += "    u" + std::to_string(i) + "();\n";
    write_raw(dir_.path("wide.c"), text + "}\n");
    std::string list = dir_.path("wide.nam");
    write_raw(list, "wide.c\n");
    auto counters = [&](const std::string& option) {
        reports_.clear();
        EXPECT_EQ(run(tree_vector(list, {option})), kCallTreeDone) << option;
        std::vector<std::string> out;
        for (const ProgressReport& r : reports_)
            if (!r.item.empty() && r.item[0] == 'O') out.push_back(r.item);
        return out;
    };
    // node lines count from the file's line 2
    const std::vector<std::string> every_hundred = {"O 101", "O 201"};
    EXPECT_EQ(counters("-mf0:0:5:100"), every_hundred);
    EXPECT_EQ(counters("-mf0:0:5:101"), every_hundred);
    const std::vector<std::string> sixty_wide = {"O" + std::string(56, ' ') + "101", "O" + std::string(56, ' ') + "201"};
    EXPECT_EQ(counters("-mf0:0:60:100"), sixty_wide);
    EXPECT_EQ(counters("-mf0:0:61:100"), sixty_wide);
}

TEST_F(Oq1011sStatus, CancelKeepsTheOldResults) {
    std::string list = basic_list();
    plant_old_results(list);
    cancel_at_ = 1;
    EXPECT_EQ(run(tree_vector(list)), kCallTreeErrors);
    expect_old_results(list);
    EXPECT_NE(error_text().find(" : E063 : " + kCancelled), std::string::npos);
}

TEST_F(Oq1011sStatus, AFullDiskKeepsTheOldResults) {
    for (const char* work : {".$tr", ".tmf"}) {
        std::string list = basic_list();
        plant_old_results(list);
        crt_set_full_disk(work);
        EXPECT_EQ(run(tree_vector(list)), kCallTreeWriteFailure) << work;
        crt_set_full_disk(nullptr);
        expect_old_results(list);
        EXPECT_NE(error_text().find(" : E058 : "), std::string::npos) << work;
    }
    // the list repair keeps the old list and its old copy
    std::string list = basic_list();
    write_raw(with_extension(list, ".bak"), "old bak");
    const std::string before = read_raw(list);
    crt_set_full_disk(".na2");
    EXPECT_EQ(run(repair_vector(list)), kCallTreeWriteFailure);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(read_raw(list), before);
    EXPECT_EQ(read_raw(with_extension(list, ".bak")), "old bak");
    EXPECT_FALSE(exists(with_extension(list, ".na2")));
}

TEST_F(Oq1011sStatus, ResultThatCannotBePutInPlace) {
    std::string list = basic_list();
    write_raw(with_extension(list, ".flt"), "old flt");
    std::filesystem::create_directory(with_extension(list, ".trd"));
    EXPECT_EQ(run(tree_vector(list)), kCallTreeWriteFailure);
    EXPECT_EQ(read_raw(with_extension(list, ".flt")), "old flt");
    EXPECT_TRUE(std::filesystem::is_directory(with_extension(list, ".trd")));
    EXPECT_FALSE(exists(with_extension(list, ".$tr")));
    EXPECT_FALSE(exists(with_extension(list, ".tmf")));
}

// A scanner error ends the run and keeps the earlier results.
TEST_F(Oq1011sStatus, ScannerErrorEndsTheRun) {
    std::string list = dir_.path("odd.nam");
    write_raw(list, "odd.c\n");
    const std::vector<std::pair<std::string, std::string>> sources = {
        {"int f(void)\n{\n    g();\n}\n}\nint h(void)\n{\n    f();\n}\n", " : E111 : "},
        {"#if 1 +\nint f(void)\n{\n}\n#endif\nint h(void)\n{\n    f();\n}\n", " : E113 : "},
    };
    for (const auto& [source, message] : sources) {
        write_raw(dir_.path("odd.c"), source);
        plant_old_results(list);
        EXPECT_EQ(run(tree_vector(list)), kCallTreeErrors) << message;
        EXPECT_NE(error_text().find("odd.c       (   "), std::string::npos);
        EXPECT_NE(error_text().find(message), std::string::npos);
        expect_old_results(list);
    }
}

// A statement that cannot be split is reported and read past.
TEST_F(Oq1011sStatus, SyntaxErrorInABodyIsReadPast) {
    std::string list = dir_.path("odd.nam");
    write_raw(dir_.path("odd.c"), "int f(void)\n{\n    x = (1));\n    g();\n}\nint h(void)\n{\n    f();\n}\n");
    write_raw(list, "odd.c\n");
    EXPECT_EQ(run(tree_vector(list)), kCallTreeWarnings);
    EXPECT_NE(error_text().find("odd.c       (   3) : E107 : "), std::string::npos);
    std::vector<std::string> tree = unscrambled_lines(with_extension(list, ".trd"));
    ASSERT_EQ(tree.size(), 4u);  // h, f under it, g under f
    EXPECT_EQ(tree[1].substr(0, 7), "1+h    ");
}

TEST_F(Oq1011sStatus, NoFunctionAtAll) {
    std::string list = dir_.path("empty.nam");
    write_raw(dir_.path("data.c"), "int table[3] = {1, 2, 3};\n");
    write_raw(list, "data.c\n");
    plant_old_results(list);
    EXPECT_EQ(run(tree_vector(list)), kCallTreeErrors);
    EXPECT_NE(error_text().find(" : E010 : "), std::string::npos);
    expect_old_results(list);
}

TEST_F(Oq1011sStatus, MissingUserIgnoreListIsAWarning) {
    std::string list = basic_list();
    EXPECT_EQ(run(tree_vector(list, {}, "nothing")), kCallTreeWarnings);
    EXPECT_NE(error_text().find(" : W054 : "), std::string::npos);
    EXPECT_NE(error_text().find("nothing.ign"), std::string::npos);
    EXPECT_TRUE(exists(with_extension(list, ".trd")));
}

TEST_F(Oq1011sStatus, IgnoreTableIsCheckedBeforeStoring) {
    std::string list = basic_list();
    std::string names;
    for (int i = 0; i < 2492; ++i) names += "name" + std::to_string(i) + "\n";
    write_raw(dir_.path("full.ign"), names);
    EXPECT_EQ(run(tree_vector(list, {}, dir_.path("full.ign"))), kCallTreeDone);
    write_raw(dir_.path("full.ign"), names + "one_more\n");
    plant_old_results(list);
    EXPECT_EQ(run(tree_vector(list, {}, dir_.path("full.ign"))), kCallTreeErrors);
    EXPECT_NE(error_text().find(" : E051 : "), std::string::npos);
    expect_old_results(list);
}

TEST_F(Oq1011sStatus, PathsOfAnyLength) {
    std::string deep = dir_.path();
    for (int i = 0; i < 6; ++i) deep += "/" + std::string(200, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    for (const char* name : {"main.c", "util.c", "io.c"}) write_raw(deep + "/" + name, read_raw(fixture_path(name)));
    std::string list = deep + "/basic.nam";
    write_raw(list, read_raw(fixture_path("basic.nam")));
    ASSERT_GT(list.size(), 1200u);
    EXPECT_EQ(run(tree_vector(list)), kCallTreeDone);
    EXPECT_EQ(unscrambled_lines(deep + "/basic.trd").size(), 16u);
    EXPECT_EQ(run(repair_vector(list)), kCallTreeDone);
    EXPECT_EQ(read_raw(list), "main.c\r\nutil.c\r\nio.c\r\n");
}

}  // namespace
}  // namespace oq1011s_test
