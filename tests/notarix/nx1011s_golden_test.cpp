// Golden files: small sources converted with the generation run's vector,
// compared with the expected records (stored plain), summary and list.

#include <string>
#include <vector>

#include "nx1011s_fixture.h"

namespace nx1011s_test {
namespace {

class Nx1011sGolden : public ConverterTest {
protected:
    // Converts <base>.c from the fixtures and compares the three results.
    void expect_results(const std::string& base, int status, const std::string& head = "-H0",
                        const std::string& options = "") {
        std::string source = copy_fixture(base + ".c");
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

TEST_F(Nx1011sGolden, StandardKeywordFileChangesNothing) {
    copy_fixture("../../../resources/notarix/nx1000.kwd", "nx1000.kwd");
    expect_results("headed", kFunctionSpecDone);
}

}  // namespace
}  // namespace nx1011s_test
