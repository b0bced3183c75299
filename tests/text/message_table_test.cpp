// The message table: ids, byte texts, and the box text and caption forms.
#include <gtest/gtest.h>

#include <set>

#include "common/text/message_table.h"

namespace {

TEST(MessageTable, HasEveryEntryOnce) {
    std::set<int> ids;
    for (const auto& entry : kNotarixMessageEntries) {
        EXPECT_NE(entry.text, nullptr) << entry.id;
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
    }
    EXPECT_EQ(ids.size(), 150u);
    // the groups and their ends
    for (int id : {0, 9, 100, 119, 200, 209, 300, 309, 400, 419, 500, 519, 600, 619, 700, 729, 800, 809}) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
    EXPECT_EQ(ids.count(10), 0u);
    EXPECT_EQ(ids.count(120), 0u);
}

TEST(MessageTable, LookupGivesShiftJisBytes) {
    // ファイルが見つかりません（%s）。
    EXPECT_STREQ(lookup_message(8),
                 "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"
                 "\x81\x69%s\x81\x6A\x81\x42");
    // 次の関数のコメントまたはコメントの一部を削除しました
    EXPECT_STREQ(lookup_message(502),
                 "\x8E\x9F\x82\xCC\x8A\xD6\x90\x94\x82\xCC\x83\x52\x83\x81\x83\x93\x83\x67\x82\xDC\x82\xBD\x82\xCD"
                 "\x83\x52\x83\x81\x83\x93\x83\x67\x82\xCC\x88\xEA\x95\x94\x82\xF0\x8D\xED\x8F\x9C\x82\xB5\x82\xDC"
                 "\x82\xB5\x82\xBD");
    // メモリが足りません。
    EXPECT_STREQ(lookup_message(402), "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42");
    // システムエラー（%d）
    EXPECT_STREQ(lookup_message(403), "\x83\x56\x83\x58\x83\x65\x83\x80\x83\x47\x83\x89\x81\x5B\x81\x69%d\x81\x6A");
}

TEST(MessageTable, EmptyAndUnknownIds) {
    EXPECT_STREQ(lookup_message(119), "");
    EXPECT_STREQ(lookup_message(600), "");
    EXPECT_EQ(lookup_message(120), nullptr);
    EXPECT_EQ(lookup_message(-1), nullptr);
    EXPECT_EQ(lookup_message(1000), nullptr);
}

TEST(MessageTable, TwoLineTextsHoldALineBreak) {
    const std::string text306 = lookup_message(306);
    ASSERT_NE(text306.find('\n'), std::string::npos);
    // プリントマネージャを選択してください。 after the break
    EXPECT_EQ(text306.substr(text306.find('\n') + 1, 4), "\x83\x76\x83\x8A");
    const std::string text729 = lookup_message(729);
    EXPECT_EQ(std::count(text729.begin(), text729.end(), '\n'), 1);
    EXPECT_EQ(std::count(text729.begin(), text729.end(), '%'), 1);
}

TEST(MessageBoxText, JoinsTheGivenLines) {
    EXPECT_EQ(join_box_lines("a", "b", "c"), "a\nb\nc");
    EXPECT_EQ(join_box_lines("a", "b", ""), "a\nb");
    EXPECT_EQ(join_box_lines("a", "", "c"), "a");
}

TEST(MessageBoxText, BoundedWithoutSplittingACharacter) {
    const std::string kan = "\x8A\xD6";  // 関
    const struct {
        size_t fill;  // bytes before 関関
        bool wide;
        size_t kept;  // bytes of the box text
    } cases[] = {
        {509, false, 511},   // the bound after the first 関
        {510, false, 510},   // the bound inside it
        {1021, true, 1023},
        {1022, true, 1022},
        {509, true, 513},
    };
    for (const auto& c : cases) {
        const std::string line = std::string(c.fill, 'x') + kan + kan;
        EXPECT_EQ(join_box_lines(line, "", "", c.wide), line.substr(0, c.kept)) << c.fill << " " << c.wide;
    }
}

TEST(MessageBoxText, CaptionInBrackets) {
    // 【 生成 】
    EXPECT_EQ(make_box_caption("\x90\xB6\x90\xAC"), "\x81\x79 \x90\xB6\x90\xAC \x81\x7A");
}

}  // namespace
