// GRAVLET's message table: 170 entries in their groups, the ids with and
// without a text, and the one lookup answering from the running program's
// table once start-up has chosen it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gravlet/pad/messages.h"

namespace {

// The running program's table is process-wide: every test leaves NOTARIX's.
class GravletMessages : public ::testing::Test {
protected:
    void SetUp() override { set_message_table(kGravletMessages); }
    void TearDown() override { set_message_table(kNotarixMessages); }
};

TEST_F(GravletMessages, HasTheGroupsInOrderThenTenUnusedEntries) {
    ASSERT_EQ(kGravletMessages.count, 170);
    const int groups[][2] = {{0, 9}, {100, 119}, {200, 209}, {300, 309}, {400, 419},
                             {500, 519}, {600, 629}, {700, 729}, {800, 809}};
    int i = 0;
    for (const auto& group : groups) {
        for (int id = group[0]; id <= group[1]; ++id, ++i) {
            EXPECT_EQ(kGravletMessageEntries[i].id, id) << "entry " << i;
            EXPECT_NE(kGravletMessageEntries[i].text, nullptr) << id;
        }
    }
    ASSERT_EQ(i, 160);
    for (; i < 170; ++i) {
        EXPECT_EQ(kGravletMessageEntries[i].id, 0);
        EXPECT_STREQ(kGravletMessageEntries[i].text, "");
    }
}

TEST_F(GravletMessages, EmptyAndFilledIdsAreThoseOfTheProgram) {
    const std::set<int> empty = {1,   2,   113, 119, 205, 206, 207, 208, 209, 308, 410, 411, 412, 413, 418,
                                 419, 502, 600, 605, 608, 613, 614, 615, 616, 619, 714, 717, 718, 720, 721,
                                 722, 723, 726, 727, 728, 729, 800, 804, 805, 806, 807, 808, 809};
    for (int i = 0; i < 160; ++i) {
        const MessageEntry& e = kGravletMessageEntries[i];
        if (empty.count(e.id)) {
            EXPECT_STREQ(e.text, "") << e.id;
        } else {
            EXPECT_GT(std::string(e.text).size(), 0u) << e.id;
        }
    }
}

TEST_F(GravletMessages, LookupAnswersFromTheRunningProgramsTable) {
    // パラメタに誤りがあります(%s)。 from the first entry, never a trailing {0, ""}
    EXPECT_STREQ(lookup_message(0), "\x83\x70\x83\x89\x83\x81\x83\x5E\x82\xC9\x8C\xEB\x82\xE8\x82\xAA\x82\xA0\x82\xE8"
                                    "\x82\xDC\x82\xB7(%s)\x81\x42");
    // フォーマットエラー(%s)
    EXPECT_STREQ(lookup_message(611), "\x83\x74\x83\x48\x81\x5B\x83\x7D\x83\x62\x83\x67\x83\x47\x83\x89\x81\x5B(%s)");
    // 出力抑制関数(%s) 内部行数(%d)
    EXPECT_STREQ(lookup_message(610),
                 "\x8F\x6F\x97\xCD\x97\x7D\x90\xA7\x8A\xD6\x90\x94(%s) \x93\xE0\x95\x94\x8D\x73\x90\x94(%d)");
    // ＰＡＤ図が作成できません。
    EXPECT_STREQ(lookup_message(500), "\x82\x6F\x82\x60\x82\x63\x90\x7D\x82\xAA\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC"
                                      "\x82\xB9\x82\xF1\x81\x42");
    // Two lines: 印刷パラメタ設定でプリンタ機種に / プリントマネージャを選択してください。
    const std::string text307 = lookup_message(307);
    ASSERT_NE(text307.find('\n'), std::string::npos);
    EXPECT_EQ(text307.substr(text307.find('\n') + 1, 4), "\x83\x76\x83\x8A");
    EXPECT_STREQ(lookup_message(119), "");
    EXPECT_STREQ(lookup_message(714), "");
    EXPECT_EQ(lookup_message(10), nullptr);
    EXPECT_EQ(lookup_message(630), nullptr);
    EXPECT_EQ(lookup_message(-1), nullptr);
}

TEST_F(GravletMessages, NotarixKeepsItsOwnTexts) {
    // NOTARIX's 610 is its summary message, not GRAVLET's suppressed function.
    EXPECT_STRNE(lookup_message(kNotarixMessages, 610), lookup_message(610));
    EXPECT_EQ(lookup_message(kNotarixMessages, 611), std::string(""));
    set_message_table(kNotarixMessages);
    EXPECT_STREQ(lookup_message(611), "");
    EXPECT_EQ(&current_message_table(), &kNotarixMessages);
}

}  // namespace
