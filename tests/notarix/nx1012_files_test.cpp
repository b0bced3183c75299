// Files the formatter reads and writes: missing inputs, the common-information
// file, a failing document write, and which status wins.
#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>

#include "platform/kernel/file_io.h"

#include "tests/notarix/nx1012_fixture.h"

namespace nx1012_test {
namespace {

// ファイルが見つかりません（%s）。
std::string not_found_text(const std::string& name) {
    return "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x69" +
           name + "\x81\x6A\x81\x42";
}
// 【 生成 】
const std::string kGenerateCaption = "\x81\x79 \x90\xB6\x90\xAC \x81\x7A";

class FilesTest : public FormatterTest {};

TEST_F(FilesTest, MissingFormKeepsThePreviousDocument) {
    copy_fixture("basic.fss", "calc.fss");
    write_raw(path("calc.lin"), "previous");
    EXPECT_EQ(run({"-f" + path("none.fms"), path("calc.c")}), kFormatterIoError);
    EXPECT_EQ(read_raw(path("calc.lin")), "previous");
    ASSERT_EQ(shown_boxes().size(), 1u);
    EXPECT_EQ(shown_boxes()[0].text, not_found_text(path("none.fms")));
    EXPECT_EQ(shown_boxes()[0].caption, kGenerateCaption);
}

TEST_F(FilesTest, MissingFunctionRecordsAreAnErrorButTheWalkGoesOn) {
    copy_fixture("basic.fss", "b.fss");
    EXPECT_EQ(run({path("a.c"), path("b.c")}), kFormatterIoError);
    ASSERT_EQ(shown_boxes().size(), 1u);
    EXPECT_EQ(shown_boxes()[0].text, not_found_text(path("a.fss")));
    EXPECT_FALSE(std::filesystem::exists(path("a.lin")));
    EXPECT_TRUE(std::filesystem::exists(path("b.lin")));
}

TEST_F(FilesTest, ErrorWinsOverCutText) {
    copy_fixture("truncation.fss", "t.fss");
    EXPECT_EQ(run({path("t.c"), path("missing.c")}), kFormatterIoError);
}

TEST_F(FilesTest, DocumentThatCannotBeCreated) {
    copy_fixture("basic.fss", "calc.fss");
    std::filesystem::create_directory(path("calc.lnt"));  // the temporary name is taken
    EXPECT_EQ(run({path("calc.c")}), kFormatterIoError);
    ASSERT_EQ(shown_boxes().size(), 1u);
    EXPECT_EQ(shown_boxes()[0].text,
              "\x83\x74\x83\x40\x83\x43\x83\x8B\x8F\x6F\x97\xCD\x83\x47\x83\x89\x81\x5B(" + path("calc.lin") +
                  ")\x81\x42");
    EXPECT_FALSE(std::filesystem::exists(path("calc.lin")));
}

TEST_F(FilesTest, FailedWriteKeepsThePreviousDocument) {
    std::string records;
    for (int i = 0; i < 200; ++i) records += "NAM:function_" + std::to_string(i) + "\n///:\n";
    write_raw(path("big.fss"), records);
    write_raw(path("big.lin"), "previous");

    // The file-size limit makes writes past 1000 bytes fail (EFBIG).
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto* old_handler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    const int status = run({path("big.c")});
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);

    EXPECT_EQ(status, kFormatterIoError);
    EXPECT_EQ(read_raw(path("big.lin")), "previous");
    EXPECT_FALSE(std::filesystem::exists(path("big.lnt")));
}

TEST_F(FilesTest, CommonInformationOnEveryPage) {
    copy_fixture("basic.fss", "calc.fss");
    copy_fixture("common.css", "shared.css");
    ASSERT_EQ(run({"-c" + path("shared.css"), path("calc.c")}), kFormatterOk);
    const auto lines = split_lines(read_plain_lin(path("calc.lin")));
    int system_names = 0;
    int languages = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        // 販売管理 at $SY, Ｃ言語 at $LG
        if (lines[i] == "MV:1,7,75" && lines[i + 1] == "ST:\x94\xCC\x94\x84\x8A\xC7\x97\x9D") ++system_names;
        if (lines[i] == "MV:1,79,16" && lines[i + 1] == "ST:\x82\x62\x8C\xBE\x8C\xEA") ++languages;
    }
    EXPECT_EQ(system_names, 2);
    EXPECT_EQ(languages, 2);
}

TEST_F(FilesTest, CommonInformationNameWithoutExtensionFoundThroughKrt) {
    TempDir krt;
    write_raw(krt.path("shared.fss"), "SYS:abc\n");
    ::setenv("KRT", (" " + krt.path() + " ;/elsewhere").c_str(), 1);
    write_raw(path("x.fss"), "NAM:f\n///:\n");
    const int status = run({"-cshared", path("x.c")});
    ::unsetenv("KRT");
    EXPECT_EQ(status, kFormatterOk);
    EXPECT_NE(read_plain_lin(path("x.lin")).find("MV:1,7,75\nST:abc\n"), std::string::npos);
}

TEST_F(FilesTest, MissingCommonInformationIsNoError) {
    write_raw(path("x.fss"), "NAM:f\n///:\n");
    EXPECT_EQ(run({"-c" + path("none.css"), path("x.c")}), kFormatterOk);
    EXPECT_TRUE(shown_boxes().empty());
}

TEST_F(FilesTest, RecordsAfterEndAreNotRead) {
    write_raw(path("x.fss"), "NAM:f\n///:\nEND:\nNAM:g\n///:\n");
    ASSERT_EQ(run({path("x.c")}), kFormatterOk);
    const std::string plain = read_plain_lin(path("x.lin"));
    EXPECT_NE(plain.find("#NAM:f\n"), std::string::npos);
    EXPECT_EQ(plain.find("#NAM:g\n"), std::string::npos);
}

TEST_F(FilesTest, IgnoredRecords) {
    write_raw(path("x.fss"), "KY:\nBZ:\nDB:5\n* note\n#NAM:x\nINC:stdio.h\nXYZ:other\n///:\n");
    ASSERT_EQ(run({path("x.c")}), kFormatterOk);
    const auto lines = split_lines(read_plain_lin(path("x.lin")));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[6], "ZC:");
}

TEST_F(FilesTest, LongLinesKeepTheirHeadOnly) {
    // a record of 300 bytes is read as its first 255, cut before a split character
    std::string name(252, 'n');
    write_raw(path("x.fss"), "NAM:" + name + "\x8A\xD6rest\n///:\n");
    ASSERT_EQ(run({"-e" + path("log.err"), path("x.c")}), kFormatterTextCut);
    const std::string plain = read_plain_lin(path("x.lin"));
    EXPECT_NE(plain.find("\n#NAM:" + name.substr(0, 251) + "\n"), std::string::npos);
}


// Two sources of one batch: what the first read of the form and of the
// common information is used again only while their files are unchanged.
struct BatchCase {
    const char* name;
    const char* form_before;    // nullptr: the built-in form
    const char* form_after;     // nullptr: removed
    const char* common_before;  // nullptr: none
    const char* common_after;
    int second_status;
    const char* second_page;    // "" when no document is made
};

const BatchCase kBatchCases[] = {
    {"unchanged files give the same page", "$NM(2,10:1,20)\n$SY(3,4:1,20)\n", "$NM(2,10:1,20)\n$SY(3,4:1,20)\n",
     "SYS:one\n", "SYS:one\n", kFormatterOk, "MV:1,2,10\nST:f\nMV:1,3,4\nST:one\n"},
    {"common information of the same size rewritten", nullptr, nullptr, "SYS:one\n", "SYS:two\n", kFormatterOk,
     "MV:1,7,16\nST:f\nMV:1,7,75\nST:two\n"},
    {"common information removed", nullptr, nullptr, "SYS:one\n", nullptr, kFormatterOk, "MV:1,7,16\nST:f\n"},
    {"common information put there", nullptr, nullptr, nullptr, "SYS:two\n", kFormatterOk,
     "MV:1,7,16\nST:f\nMV:1,7,75\nST:two\n"},
    {"form of the same size rewritten", "$NM(2,10:1,20)\n", "$NM(5,10:1,20)\n", nullptr, nullptr, kFormatterOk,
     "MV:1,5,10\nST:f\n"},
    {"form removed", "$NM(2,10:1,20)\n", nullptr, nullptr, nullptr, kFormatterIoError, ""},
};

class BatchTest : public FormatterTest {
protected:
    // Puts the file there (its time a second later than the last one's, as
    // an edit between two sources would), or removes it.
    void put(const std::string& name, const char* text) {
        if (text == nullptr) {
            std::filesystem::remove(path(name));
            return;
        }
        write_raw(path(name), text);
        std::filesystem::last_write_time(path(name), written_ += std::chrono::seconds(1));
    }
    std::filesystem::file_time_type written_ = std::filesystem::file_time_type::clock::now();
};

TEST_F(BatchTest, FilesChangedBetweenTwoSourcesAreReadAgain) {
    for (const BatchCase& c : kBatchCases) {
        SCOPED_TRACE(c.name);
        ListingScope batch;
        shown_boxes().clear();
        write_raw(path("a.fss"), "NAM:f\n///:\n");
        write_raw(path("b.fss"), "NAM:f\n///:\n");
        std::filesystem::remove(path("b.lin"));
        const std::string form = c.form_before != nullptr ? "-f" + path("f.fms") : "-f";
        put("f.fms", c.form_before);
        put("c.css", c.common_before);
        ASSERT_EQ(run({form, "-c" + path("c.css"), path("a.c")}), kFormatterOk);
        if (c.form_before != nullptr) put("f.fms", c.form_after);
        put("c.css", c.common_after);
        EXPECT_EQ(run({form, "-c" + path("c.css"), path("b.c")}), c.second_status);
        if (*c.second_page == '\0') {
            EXPECT_FALSE(std::filesystem::exists(path("b.lin")));
            EXPECT_EQ(shown_boxes().size(), 1u);
            continue;
        }
        const auto lines = split_lines(read_plain_lin(path("b.lin")));
        ASSERT_GT(lines.size(), 8u);
        // the page without the header, the name's comment, its end and the trailer
        EXPECT_EQ(join_lines(std::vector<std::string>(lines.begin() + 7, lines.end() - 2)), c.second_page);
    }
}

}  // namespace
}  // namespace nx1012_test
