// Texts that do not fit the form: cut at character boundaries, logged, and
// reported as status 8.
#include "tests/notarix/nx1012_fixture.h"

namespace nx1012_test {
namespace {

class TruncationTest : public FormatterTest {};

TEST_F(TruncationTest, CutTextsAreLoggedAndGiveStatusEight) {
    copy_fixture("truncation.fss", "trunc.fss");
    write_raw(path("gen.err"), "");
    EXPECT_EQ(run({"-e" + path("gen.err"), path("trunc.c")}), kFormatterTextCut);
    EXPECT_EQ(read_raw(path("gen.err")), read_raw(fixture("truncation.log")));

    const auto lines = split_lines(read_plain_lin(path("trunc.lin")));
    auto text_at = [&](const std::string& move) {
        std::vector<std::string> found;
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i] == move) found.push_back(lines[i + 1]);
        }
        return found;
    };
    EXPECT_EQ(text_at("MV:1,7,16"), std::vector<std::string>{"ST:a_function_name_that_is_much_longer_th"});
    // 'a' and 33 characters: the 34th would be split at byte 68
    std::string purpose = "ST:a";
    for (int i = 0; i < 33; ++i) purpose += "\x82\xA0";
    EXPECT_EQ(text_at("MV:1,9,16"), std::vector<std::string>{purpose});
    EXPECT_EQ(text_at("MV:1,29,4"), std::vector<std::string>{"ST:step 17"});
    EXPECT_TRUE(text_at("MV:1,30,4").empty());
    // arguments: every second row to 59, then one a row to 73
    EXPECT_EQ(text_at("MV:1,59,11"), std::vector<std::string>{"ST:arg08"});
    EXPECT_TRUE(text_at("MV:1,60,11").empty());
    EXPECT_EQ(text_at("MV:1,61,11"), std::vector<std::string>{"ST:arg09"});
    EXPECT_EQ(text_at("MV:1,73,11"), std::vector<std::string>{"ST:arg21"});
    EXPECT_TRUE(text_at("MV:1,74,11").empty());
    EXPECT_TRUE(text_at("MV:1,74,4").empty());
}

TEST_F(TruncationTest, WithoutLogTheStatusStillTells) {
    copy_fixture("truncation.fss", "trunc.fss");
    EXPECT_EQ(run({path("trunc.c")}), kFormatterTextCut);
    EXPECT_EQ(run({"-e", path("trunc.c")}), kFormatterTextCut);
}

TEST_F(TruncationTest, LogHeaderOncePerConversion) {
    write_raw(path("a.fss"), "NAM:a_long_function_name_beyond_thirty_eight_bytes\n///:\n"
                             "NAM:another_long_function_name_beyond_the_field\n///:\n");
    ASSERT_EQ(run({"-e" + path("gen.err"), path("a.c")}), kFormatterTextCut);
    const auto lines = split_lines(read_raw(path("gen.err")));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("a.c\x81\x79", 0), 0u);
    EXPECT_EQ(lines[1].rfind("  a_long_function_name_beyond_thirty_eight_bytes :<", 0), 0u);
    EXPECT_EQ(lines[2].rfind("  another_long_function_name_beyond_the_field :<", 0), 0u);
}

TEST_F(TruncationTest, CutInAnEarlierBaseNameStillCounts) {
    copy_fixture("truncation.fss", "t.fss");
    copy_fixture("basic.fss", "b.fss");
    EXPECT_EQ(run({path("t.c"), path("b.c")}), kFormatterTextCut);
}

TEST_F(TruncationTest, OperatingSystemFieldOfTheBuiltInFormHasNoRoom) {
    write_raw(path("x.fss"), "NAM:f\nOST:Windows\n///:\n");
    EXPECT_EQ(run({path("x.c")}), kFormatterTextCut);
    EXPECT_NE(read_plain_lin(path("x.lin")).find("MV:1,29,86\nST:\nZC:\n"), std::string::npos);
}

}  // namespace
}  // namespace nx1012_test
