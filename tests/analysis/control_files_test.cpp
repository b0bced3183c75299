// Control files as the converters read them: lines with either line end,
// a last line without one, over-long lines, and keyword lines; in a batch,
// read again when changed.
#include <string>
#include <vector>

#include "common/analysis/converter_kit.h"
#include "tests/analysis/analysis_fixture.h"

namespace analysis_test {
namespace {

using Lines = std::vector<std::string>;

class ControlFile : public AnalysisTest {
protected:
    Lines lines_of(const std::string& bytes, const ConverterProfile& profile = kNotarixConverter) {
        const std::string path = write_source("control.txt", bytes);
        Lines lines;
        EXPECT_TRUE(read_control_lines(path, profile, lines));
        return lines;
    }
};

TEST_F(ControlFile, LineEnds) {
    const struct {
        const char* bytes;
        Lines lines;
    } kCases[] = {
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\n\r\nc", {"", "", "c"}},
        {"a\r", {"a"}},
        {"", {}},
    };
    for (const auto& c : kCases) EXPECT_EQ(lines_of(c.bytes), c.lines) << c.bytes;
    // a batch keeps a file's lines while its stamp holds: each rewrite is read
    ListingScope batch;
    for (const auto& c : kCases) EXPECT_EQ(lines_of(c.bytes), c.lines) << c.bytes << ", in a batch";
}

TEST_F(ControlFile, LongLinesAreWholeOrCutAtACharacter) {
    const std::string long_line(5000, 'x');
    EXPECT_EQ(lines_of(long_line + "\r\nnext\r\n", kNotarixConverter), (Lines{long_line, "next"}));

    // GRAVLET and ORBALINE keep 1023 bytes; a double-byte character across
    // the cut goes whole, and the rest of the line is no line of its own
    const std::string kanji = "\x8A\xBF";
    const std::string line = std::string(1022, 'y') + kanji + "tail";
    for (const ConverterProfile* profile : {&kGravletConverter, &kOrbalineConverter}) {
        const Lines cut = lines_of(line + "\nnext\n", *profile);
        ASSERT_EQ(cut.size(), 2u);
        EXPECT_EQ(cut[0], std::string(1022, 'y'));
        EXPECT_EQ(cut[1], "next");
        EXPECT_EQ(lines_of(std::string(1021, 'y') + kanji + "\n", *profile)[0], std::string(1021, 'y') + kanji);
        EXPECT_EQ(lines_of(long_line + "\r\nnext\r\n", *profile), (Lines{std::string(1023, 'x'), "next"}));
    }
}

TEST_F(ControlFile, MissingFileAndFolderAreRefused) {
    Lines lines = {"stale"};
    EXPECT_FALSE(read_control_lines(dir_.path("missing.txt"), kNotarixConverter, lines));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(read_control_lines(dir_.path(), kNotarixConverter, lines));
    EXPECT_FALSE(can_read_file(dir_.path("missing.txt")));
    EXPECT_TRUE(can_read_file(write_source("here.txt", "x")));
}

TEST(KeywordLine, KeysAndValues) {
    const struct {
        const char* line;
        bool to_equals;
        bool given;
        const char* key;
        const char* value;
    } kCases[] = {
        {"NAME=name", false, true, "NAME", "name"},
        {"NAME  =   spaced value  ", false, true, "NAME", "spaced value"},
        {"FUNCTION=\x8B\x40\x94\x5C", false, true, "FUNCTION", "\x8B\x40\x94\x5C"},
        {"INPUT(EXT) = in", false, false, "", ""},
        {"INPUT(EXT) = in", true, true, "INPUT(EXT)", "in"},
        {"DATE(ORG)  =x", true, true, "DATE(ORG)", "x"},
        {"NAME=", false, false, "", ""},
        {"NAME =   ", true, false, "", ""},
        {"NAME name", true, false, "", ""},
        {" NAME=x", true, false, "", ""},
        {"#NAME=x", true, false, "", ""},
        {"", true, false, "", ""},
        {"_x=1=2", false, true, "_x", "1=2"},
    };
    for (const auto& c : kCases) {
        std::string key, value;
        EXPECT_EQ(split_keyword_line(c.line, c.to_equals, key, value), c.given) << c.line;
        if (!c.given) continue;
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

}  // namespace
}  // namespace analysis_test
