// The PAD generator's table of waiting rows: a ring whose rows are used
// again. Rows must keep their order through every way in and out, a row
// used again must come back blank, and a reference to the first row must
// stay on it while rows behind it leave.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gravlet/converter/pad_generator.h"

namespace {

using pad::Row;
using pad::RowTable;

void add_text(RowTable& table, const std::string& text) { table.add().text = text; }

std::vector<std::string> texts(const RowTable& table) {
    std::vector<std::string> out;
    for (size_t i = 0; i < table.size(); ++i) out.push_back(table[i].text);
    return out;
}

using Texts = std::vector<std::string>;

TEST(PadRowTable, RowsKeepTheirOrderWhenTheRingWrapsAndGrows) {
    RowTable table;
    for (const char* t : {"a", "b", "c", "d"}) add_text(table, t);
    table.erase(0);
    table.erase(0);
    // the next rows go into the slots the first two left
    add_text(table, "e");
    add_text(table, "f");
    EXPECT_EQ(texts(table), (Texts{"c", "d", "e", "f"}));
    // a full ring that wraps grows without mixing its rows up
    add_text(table, "g");
    add_text(table, "h");
    EXPECT_EQ(texts(table), (Texts{"c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(table.front().text, "c");
    EXPECT_EQ(table.back().text, "h");
}

TEST(PadRowTable, ARowUsedAgainComesBackBlank) {
    RowTable table;
    Row& first = table.add();
    first.statement_class = 6;
    first.line = 12;
    first.depth = 3;
    first.letters = "EF";
    first.text = std::string(100, 'x');  // a text past the short-string buffer
    first.function_text = "f";
    first.code = "if (a) {";
    first.code_attached = true;
    first.nesting_checked = true;
    table.erase(0);
    ASSERT_TRUE(table.empty());
    const Row& again = table.add();
    EXPECT_EQ(again.statement_class, 0);
    EXPECT_EQ(again.line, 0);
    EXPECT_EQ(again.depth, 0);
    EXPECT_EQ(again.letter(), '\0');
    EXPECT_TRUE(again.text.empty());
    EXPECT_TRUE(again.function_text.empty());
    EXPECT_TRUE(again.code.empty());
    EXPECT_FALSE(again.code_attached);
    EXPECT_FALSE(again.nesting_checked);
}

TEST(PadRowTable, RowsLeaveFromTheMiddleAndTheFirstRowStaysPut) {
    RowTable table;
    add_text(table, "x");  // makes the ring wrap below
    table.erase(0);
    for (const char* t : {"head", "1", "2", "3"}) add_text(table, t);
    const Row& head = table.front();
    table.erase(1);
    table.erase(1);
    EXPECT_EQ(head.text, "head");
    EXPECT_EQ(texts(table), (Texts{"head", "3"}));
    table.erase(5);  // past the end: nothing happens
    EXPECT_EQ(texts(table), (Texts{"head", "3"}));
}

TEST(PadRowTable, InsertedRowsAndACutTail) {
    RowTable table;
    for (const char* t : {"a", "c"}) add_text(table, t);
    Row b;
    b.text = "b";
    table.insert(1, b);
    Row z;
    z.text = "z";
    table.insert(9, z);  // past the end: goes last
    Row first;
    first.text = "0";
    table.insert(0, first);
    EXPECT_EQ(texts(table), (Texts{"0", "a", "b", "c", "z"}));
    table.resize(2);
    EXPECT_EQ(texts(table), (Texts{"0", "a"}));
    table.resize(7);  // never longer than it is
    EXPECT_EQ(table.size(), 2u);
    table.clear();
    EXPECT_TRUE(table.empty());
    add_text(table, "new");
    EXPECT_EQ(texts(table), (Texts{"new"}));
}

// The row taken off for writing stays as it was while the table goes on,
// rows elsewhere keep their references through every way in and out, and
// the taken row's slot serves again, blank, once the next row is taken.
TEST(PadRowTable, TheTakenRowAndOtherRowsStayPut) {
    RowTable table;
    for (const char* t : {"a", "b", "c"}) add_text(table, t);
    Row& taken = table.take_front();
    EXPECT_EQ(taken.text, "a");
    EXPECT_EQ(texts(table), (Texts{"b", "c"}));
    const Row& c = table[1];
    for (const char* t : {"d", "e", "f", "g"}) add_text(table, t);  // the ring grows
    Row x;
    x.text = "x";
    table.insert(0, x);
    table.erase(2);
    EXPECT_EQ(taken.text, "a");
    EXPECT_EQ(c.text, "c");
    EXPECT_EQ(texts(table), (Texts{"x", "b", "d", "e", "f", "g"}));
    EXPECT_EQ(table.take_front().text, "x");
    EXPECT_EQ(table.take_front().text, "b");
    for (size_t i = 0; i < 3; ++i) table.add();
    for (size_t i = 4; i < table.size(); ++i) EXPECT_TRUE(table[i].text.empty()) << i;
    EXPECT_EQ(texts(table)[0], "d");
}

}  // namespace
