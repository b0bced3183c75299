// What the chart reads out of a node text: the function name, its file and
// the pieces a box shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orbaline/chart/chart_grid.h"

namespace {

TEST(NodeName, EndsAtTheFirstBlankOrSemicolon) {
    EXPECT_EQ(node_name_of("main             <main.c(5)>;entry"), "main");
    EXPECT_EQ(node_name_of("buffer_clear;"), "buffer_clear");
    EXPECT_EQ(node_name_of("main;program entry"), "main");
    EXPECT_EQ(node_name_of("Shape::operator== <shapes.cpp(8)>;compare"), "Shape::operator==");
    // A '<' before the blank is part of an operator's name.
    EXPECT_EQ(node_name_of("operator<;"), "operator<");
    // Without blank or ';' the whole text is the name, its last byte kept.
    EXPECT_EQ(node_name_of("lonely"), "lonely");
    EXPECT_EQ(node_name_of(" "), "");
    EXPECT_EQ(node_name_of(""), "");
}

TEST(NodeName, StepsOverDoubleByteCharacters) {
    // "表" is 0x95 0x5C: its trail byte must not end anything.
    EXPECT_EQ(node_name_of("\x95\x5C\x8E\xA6 <a.c(1)>;"), "\x95\x5C\x8E\xA6");
}

TEST(NodeFile, IsTheReferenceAfterABlankUpToTheLine) {
    std::string file;
    ASSERT_TRUE(node_file_of("main             <main.c(5)>;entry", file));
    EXPECT_EQ(file, "main.c");
    ASSERT_TRUE(node_file_of("operator<        <op.cpp(3)>[1];", file));
    EXPECT_EQ(file, "op.cpp");
    ASSERT_TRUE(node_file_of("f <src\\io.c>;", file));
    EXPECT_EQ(file, "src\\io.c");
    EXPECT_FALSE(node_file_of("printf; <UNDEFINED>", file));
    EXPECT_FALSE(node_file_of("main;program entry", file));
    EXPECT_FALSE(node_file_of("main <main.c(5);no close", file));
    EXPECT_FALSE(node_file_of("operator<;", file));
    EXPECT_EQ(file, "");
}

std::vector<std::string> pieces_of(std::string_view text, int width, int max_pieces = 8) {
    std::vector<std::string> pieces(static_cast<size_t>(max_pieces));
    pieces.resize(static_cast<size_t>(split_node_text(text, width, pieces.data(), max_pieces)));
    return pieces;
}

TEST(NodeTextSplit, ATextOfExactlyTheWidthIsOnePiece) {
    EXPECT_EQ(pieces_of("abcdefghijklmnop", 16), (std::vector<std::string>{"abcdefghijklmnop"}));
    EXPECT_EQ(pieces_of("abcdefghijklmnopq", 16), (std::vector<std::string>{"abcdefghijklmnop", "q"}));
}

TEST(NodeTextSplit, ASemicolonWithinTheWidthEndsThePiece) {
    EXPECT_EQ(pieces_of("a;comment", 16), (std::vector<std::string>{"a", "comment"}));
    // At byte 2W it still ends the piece and is skipped; one byte further
    // on the piece is cut at 2W.
    EXPECT_EQ(pieces_of("abcdefghijklmnop;x;y", 16), (std::vector<std::string>{"abcdefghijklmnop", "x", "y"}));
    EXPECT_EQ(pieces_of("abcdefghijklmnopq;r", 16), (std::vector<std::string>{"abcdefghijklmnop", "q", "r"}));
    // Beyond the width the piece is cut at the width; a piece that then
    // starts with ';' drops it.
    EXPECT_EQ(pieces_of("main             <main.c(5)>;entry", 16),
              (std::vector<std::string>{"main            ", " <main.c(5)>", "entry"}));
    EXPECT_EQ(pieces_of(";lead", 16), (std::vector<std::string>{"lead"}));
    EXPECT_EQ(pieces_of("name;", 16), (std::vector<std::string>{"name"}));
}

TEST(NodeTextSplit, NeverCutsADoubleByteCharacter) {
    // Seven double-byte characters and one more byte: the eighth character
    // would end one byte past the width and goes to the next piece whole.
    const std::string text = "x\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD";
    const std::vector<std::string> pieces = pieces_of(text, 16);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], text.substr(0, 15));
    EXPECT_EQ(pieces[1], "\x82\xAD");
}

TEST(NodeTextSplit, KeepsAtMostTheRoomForPieces) {
    const std::string text = "a;b;c;d;e;f;g;h;i;j";
    EXPECT_EQ(pieces_of(text, 16).size(), 8u);
    EXPECT_EQ(pieces_of(text, 16, 3), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(pieces_of("", 16).empty());
}

TEST(NodeLine, NumberLevelRunAndText) {
    const NodeLineParts parts = parse_node_line("12+++name;");
    EXPECT_EQ(parts.digits, 2);
    EXPECT_EQ(parts.level_run, 3);
    EXPECT_EQ(parts.text_start, 5);
    EXPECT_EQ(parts.depth(), 2);
    EXPECT_EQ(parse_node_line("++name").depth(), 2);
    EXPECT_EQ(parse_node_line("7\tname").depth(), 0);
    EXPECT_EQ(parse_node_line("7name").depth(), -1);
}

}  // namespace
