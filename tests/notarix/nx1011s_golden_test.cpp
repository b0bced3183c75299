// Golden files: small sources converted with the generation run's vector,
// compared with the expected records (stored plain), summary and list.

#include <algorithm>
#include <string>
#include <vector>

#include "nx1011s_fixture.h"

namespace nx1011s_test {
namespace {

class Nx1011sGolden : public ConverterTest {
protected:
    // Converts <base>.c (or <base><extension>) from the fixtures and compares
    // the three results.
    void expect_results(const std::string& base, int status, const std::string& head = "-H0",
                        const std::string& options = "", const std::string& extension = ".c") {
        std::string source = copy_fixture(base + extension);
        ASSERT_EQ(generate(source, head, options), status);

        std::string expected_fss = replaced(read_raw(fixture_path(base + ".fss")), "@SRC@", source);
        EXPECT_EQ(unscrambled_lines(with_extension(source, ".fss")), split_lines(expected_fss));
        std::string expected_fsm = replaced(read_raw(fixture_path(base + ".fsm")), "@SRC@", source);
        EXPECT_EQ(read_raw(with_extension(source, ".fsm")), with_crlf(expected_fsm));
        EXPECT_EQ(read_raw(with_extension(source, ".flt")), with_crlf(read_raw(fixture_path(base + ".flt"))));

        for (const char* temp : {".$ts", ".$tm", ".$tt"}) EXPECT_FALSE(exists(with_extension(source, temp)));
    }
};

TEST_F(Nx1011sGolden, HeadedCommentsInSeveralStyles) {
    expect_results("headed", kFunctionSpecDone);
    EXPECT_FALSE(exists(error_file()));
}

// Items that name no parameter are retagged, whichever of the three headings
// brought them.
TEST_F(Nx1011sGolden, ExternalOutputsAndUpdatesAreRetagged) { expect_results("external", kFunctionSpecDone); }

// Heads with macro return types, an attribute after the parameters, a "*"
// before a comment and file-scope casts: one page per function, each under
// its own name with its head.
TEST_F(Nx1011sGolden, HeadsAsCReadsThem) {
    expect_results("unseen", kFunctionSpecDone);
    EXPECT_FALSE(exists(error_file()));
}

// Namespaces, classes with members defined in and out of their body,
// operators, constructors and templates: one page per function, members
// named with their class.
TEST_F(Nx1011sGolden, ClassLibraryInCxx) {
    expect_results("library", kFunctionSpecDone, "-H0", "", ".cpp");
    EXPECT_FALSE(exists(error_file()));
}

// Attribute macros after prototypes and heads, continued macros longer than
// any line buffer, a head that returns a function pointer.
TEST_F(Nx1011sGolden, RealTimeKernelSource) {
    expect_results("kernel", kFunctionSpecDone);
    EXPECT_FALSE(exists(error_file()));
}

TEST_F(Nx1011sGolden, HeadSplitAndRepeatedTags) { expect_results("split", kFunctionSpecDone, "-H1", "-fr"); }

TEST_F(Nx1011sGolden, LeadingContinuationAndNoRetagging) {
    expect_results("noretag", kFunctionSpecDone, "-H0", "-p0");
}

TEST_F(Nx1011sGolden, ShiftJisHeadingsFromTheKeywordFileAndRecordCuts) {
    copy_fixture("sjis.kwd", "nx1000.kwd");
    expect_results("sjis", kFunctionSpecDone);
}

TEST_F(Nx1011sGolden, FullRecordBufferDropsRecordsWithAWarning) {
    expect_results("full", kFunctionSpecWarnings);
    // 関数仕様書の大きさが制限を超えています。
    EXPECT_EQ(read_raw(error_file()),
              "full.c      (  12) : W059 : "
              "\x8A\xD6\x90\x94\x8E" "d\x97l\x8F\x91\x82\xCC\x91\xE5\x82\xAB\x82\xB3\x82\xAA\x90\xA7\x8C\xC0\x82\xF0"
              "\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7\x81" "B\r\n");
}

// The list keeps at most 80 bytes of a purpose, never half a character.
TEST_F(Nx1011sGolden, ListPurposeIsCutAtEightyBytes) {
    const std::string x80(80, 'x'), hyo = "\x95\x5C";
    const std::string long_name = "f" + std::string(80, 'n');
    std::string source = dir_.path("purpose.c");
    write_raw(source, "/* FUNCTION : " + x80 + " */\nint a(void)\n{\n}\n"
                      "/* FUNCTION : " + x80 + "y */\nint b(void)\n{\n}\n"
                      "/* FUNCTION : " + std::string(79, 'x') + hyo + " */\nint c(void)\n{\n}\n"
                      "int " + long_name + "(void)\n{\n}\n");
    ASSERT_EQ(generate(source), kFunctionSpecDone);
    EXPECT_EQ(split_lines(read_raw(with_extension(source, ".flt"))),
              (std::vector<std::string>{"-----< C function list >-----\r",
                                        "purpose.c    #    2  a                : " + x80 + "\r",
                                        "purpose.c    #    6  b                : " + x80 + "\r",
                                        "purpose.c    #   10  c                : " + std::string(79, 'x') + "\r",
                                        "purpose.c    #   13  " + long_name + " : " + long_name.substr(0, 80) + "\r"}));
}

// A function's records may fill its 9744-byte buffer less one byte: each
// takes its tag, its text and a line end, and the head records follow the
// comment records behind one more byte.
TEST_F(Nx1011sGolden, RecordBufferHoldsOneByteLessThanItsSize) {
    std::string source = dir_.path("buffer.c");
    auto head_kept = [&](int last_length, int expected_status) {
        std::string text = "/*\n * PROCESS : " + std::string(970, 'p') + "\n";
        for (int i = 0; i < 8; ++i) text += " *         : " + std::string(970, static_cast<char>('a' + i)) + "\n";
        text += " *         : " + std::string(static_cast<size_t>(last_length), 'z') + "\n */\nint f(void)\n{\n}\n";
        write_raw(source, text);
        EXPECT_EQ(generate(source), expected_status);
        std::vector<std::string> records = unscrambled_lines(with_extension(source, ".fss"));
        EXPECT_EQ(records.size(), 14u - (expected_status == kFunctionSpecDone ? 0 : 1));
        return std::find(records.begin(), records.end(), "FHD:int f(void)") != records.end();
    };
    // 9 x (4 + 970 + 1) + (4 + 946 + 1) + 1 + (15 + 1) = 9743
    EXPECT_TRUE(head_kept(946, kFunctionSpecDone));
    EXPECT_FALSE(exists(error_file()));
    EXPECT_FALSE(head_kept(947, kFunctionSpecWarnings));
    EXPECT_NE(read_raw(error_file()).find("buffer.c    (  14) : W059 : "), std::string::npos);
}

TEST_F(Nx1011sGolden, StandardKeywordFileChangesNothing) {
    copy_fixture("../../../resources/notarix/nx1000.kwd", "nx1000.kwd");
    expect_results("headed", kFunctionSpecDone);
}

}  // namespace
}  // namespace nx1011s_test
