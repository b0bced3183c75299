// ORBALINE's settings file through the shared routines: the shipped
// oq1000s.prm against the layout table, its values at their offsets (words
// at odd offsets too), a byte-exact round trip, texts held to their fields,
// short and empty files.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "chart_fixture.h"
#include "orbaline/chart/chart_settings.h"
#include "tests/common/temp_dir.h"

namespace chart_test {
namespace {

using namespace oq_settings;

int u16_at(const std::string& bytes, int offset) {
    return static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8;
}

std::string as_string(const SettingsRecord& record) { return std::string(record.bytes().begin(), record.bytes().end()); }

TEST(OrbalineSettings, ShippedFileIsTheTablesStandardRecord) {
    const std::string shipped = read_raw(shipped_settings_path());
    ASSERT_EQ(shipped.size(), 3951u);
    const std::vector<uint8_t> standard = build_standard_settings(kOrbalineSettings);
    EXPECT_EQ(shipped, std::string(standard.begin(), standard.end()));
}

TEST(OrbalineSettings, ShippedFileHoldsItsValuesAtTheirOffsets) {
    const std::string b = read_raw(shipped_settings_path());
    EXPECT_EQ(b.substr(0, 6), "OE1.00");
    EXPECT_EQ(u16_at(b, 136), 1);    // link mode
    EXPECT_EQ(u16_at(b, 244), 4);    // tab width
    EXPECT_EQ(u16_at(b, 464), 1);    // printer kind: the print manager
    EXPECT_EQ(u16_at(b, 468), 4);    // top margin, landscape and portrait
    EXPECT_EQ(u16_at(b, 470), 1);
    EXPECT_EQ(u16_at(b, 480), 0);    // left margin
    EXPECT_EQ(u16_at(b, 482), 10);
    EXPECT_EQ(u16_at(b, 492), 198);  // characters per line
    EXPECT_EQ(u16_at(b, 494), 126);
    EXPECT_EQ(u16_at(b, 504), 69);   // lines per page
    EXPECT_EQ(u16_at(b, 506), 100);
    EXPECT_EQ(u16_at(b, 524), 8);    // box 8 x 1
    EXPECT_EQ(u16_at(b, 772), 1);
    EXPECT_EQ(u16_at(b, 774), 1);    // edits ask first
    EXPECT_EQ(u16_at(b, 1648), 8);
    EXPECT_EQ(u16_at(b, 1650), 1);
    // Colours: lines, background, row numbers, source text and background,
    // chart text.
    EXPECT_EQ(b.substr(1660, 9), std::string("\0\0\0\xFF\xFB\xF0\xC0\0\0", 9));
    EXPECT_EQ(b.substr(1673, 6), std::string("\0\0\0\xC0\xC0\xC0", 6));
    EXPECT_EQ(b.substr(2658, 3), std::string("\0\0\xC0", 3));
    // Words at odd offsets.
    EXPECT_EQ(u16_at(b, 1669), 1);
    EXPECT_EQ(u16_at(b, 1671), 1);
    EXPECT_EQ(u16_at(b, 2321), 1);
    EXPECT_EQ(u16_at(b, 2661), 0);
}

TEST(OrbalineSettings, ProfileNamesTheFileAndItsRoleFields) {
    EXPECT_STREQ(kOrbalineSettings.file_name, "oq1000s.prm");
    EXPECT_EQ(kOrbalineSettings.size, 3951);
    EXPECT_EQ(kOrbalineSettings.printer_kind->offset, 464);
    EXPECT_EQ(kOrbalineSettings.recent_count->offset, 2661);
    EXPECT_EQ(kOrbalineSettings.recent_files->offset, 2663);
    EXPECT_EQ(kOrbalineSettings.save_failure_message, 727);
}

TEST(OrbalineSettings, RecordRoundTripsByteForByteWithPrinterKindOne) {
    TempDir dir;
    std::string original(3951, '\0');
    for (int i = 0; i < 3951; ++i) original[i] = static_cast<char>((i * 29 + 5) & 0xFF);
    original.replace(0, 6, "OE1.00");
    // In range where a value picks something: orientation, output code,
    // include use, macro form, recent count.
    for (int offset : {466, 1642, 858, 2321, 2661}) original[offset] = 1, original[offset + 1] = 0;
    original[464] = 5, original[465] = 0;  // stored as PostScript
    write_raw(dir.path("oq1000s.prm"), original);

    SettingsRecord record(kOrbalineSettings);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_TRUE(info.repaired.empty());
    EXPECT_EQ(record.word(kPrinterKind), 1);
    std::string expected = original;
    expected[464] = 1;
    EXPECT_EQ(as_string(record), expected);

    // Words at odd offsets are written through the record's bytes.
    record.set_word(kOutputReferenceNumbers, 0x1234);
    record.set_word(kMacroExpansion, 3);
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    expected[1671] = 0x34, expected[1672] = 0x12;
    expected[2321] = 3, expected[2322] = 0;
    EXPECT_EQ(read_raw(dir.path("oq1000s.prm")), expected);
}

TEST(OrbalineSettings, ShortEmptyAndMissingFiles) {
    TempDir dir;
    SettingsRecord record(kOrbalineSettings);
    record.set_standard_values();
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsCannotOpen);
    write_raw(dir.path("oq1000s.prm"), "");
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsNoBytes);
    // A short file fills the leading bytes; the rest keeps what was there.
    write_raw(dir.path("oq1000s.prm"), std::string("OE1.00\0\0", 8));
    SettingsReadInfo info;
    EXPECT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_EQ(info.bytes_read, 8);
    EXPECT_EQ(record.word(kBoxWidth), 8);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::Ok);
    // A missing file is made by the first write.
    std::remove(dir.path("oq1000s.prm").c_str());
    record.set_standard_values();
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(read_raw(dir.path("oq1000s.prm")), read_raw(shipped_settings_path()));
}

TEST(OrbalineSettings, ALongPathLeavesItsNeighboursAlone) {
    SettingsRecord record(kOrbalineSettings);
    record.set_standard_values();
    const std::string before = as_string(record);
    record.set_text_cut(kLastChart, std::string(62, 'p') + "\x95\x5C" + "rest");
    EXPECT_EQ(record.text(kLastChart), std::string(62, 'p'));
    record.set_text_cut(kOutputHeaderFile, std::string(100, 'h'));
    EXPECT_EQ(record.text(kOutputHeaderFile), std::string(63, 'h'));
    const std::string after = as_string(record);
    EXPECT_EQ(after.substr(0, 6), before.substr(0, 6));
    EXPECT_EQ(after.substr(70, 2327 - 70), before.substr(70, 2327 - 70));
    EXPECT_EQ(after.substr(2391), before.substr(2391));
    EXPECT_EQ(u16_at(after, 2391), 0);
}

TEST(OrbalineSettings, WordsOutOfRangeAreHeldToTheirRange) {
    SettingsRecord record(kOrbalineSettings);
    record.set_standard_values();
    record.set_word(kBoxWidth, 2);
    record.set_word(kBoxLines, 60000);
    record.set_word(kOutputLeftMargin, 21);
    EXPECT_EQ(settings_word_in_range(record, kBoxWidth), 8);
    EXPECT_EQ(settings_word_in_range(record, kBoxLines), 5);
    EXPECT_EQ(settings_word_in_range(record, kOutputLeftMargin), 20);
    EXPECT_EQ(settings_word_in_range(record, kPrintLinesPerPage, 1), 100);
}

}  // namespace
}  // namespace chart_test
