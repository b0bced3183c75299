// The settings file: the whole record read and written byte for byte through
// the layout table, short and long files, the identity check of the document
// opener, index fields out of range, bounded texts, and a writer that never
// leaves a half-written file behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "common/shell/colour_set.h"
#include "common/shell/settings_file.h"
#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"
#include "tests/shell/settings_test_profile.h"

namespace {

using namespace test_settings;

std::string as_string(const SettingsRecord& record) {
    return std::string(record.bytes().begin(), record.bytes().end());
}

class SettingsFileTest : public ::testing::Test {
protected:
    void TearDown() override { set_settings_writer_calls(nullptr); }
    std::string file() const { return dir.path("te1000s.prm"); }
    // No temporary stays beside the settings file.
    bool only_the_settings_file() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename() != "te1000s.prm") return false;
        return true;
    }
    TempDir dir;
};

TEST(SettingsLayout, ContiguityCatchesGapsOverlapsAndBadStandardTexts) {
    const SettingsField gap[] = {tag_field("s", 0, 2, "TE"), word_field("w", 3)};
    const SettingsField overlap[] = {tag_field("s", 0, 2, "TE"), word_field("w", 1)};
    const SettingsField short_tag[] = {tag_field("s", 0, 2, "T")};
    const SettingsField full_text[] = {text_field("t", 0, 3, "abc")};
    const SettingsField fits[] = {tag_field("s", 0, 2, "TE"), text_field("t", 2, 4, "abc")};
    EXPECT_FALSE(settings_layout_is_contiguous(gap, 5));
    EXPECT_FALSE(settings_layout_is_contiguous(overlap, 3));
    EXPECT_FALSE(settings_layout_is_contiguous(short_tag, 2));
    EXPECT_FALSE(settings_layout_is_contiguous(full_text, 3));
    EXPECT_FALSE(settings_layout_is_contiguous(fits, 7));
    EXPECT_TRUE(settings_layout_is_contiguous(fits, 6));
}

TEST(SettingsRecordFields, WordsAreLittleEndianAtOddOffsetsAndPairsBySlot) {
    SettingsRecord record(kTestProfile);
    record.set_word(kPrinterKind, 0x1234);
    EXPECT_EQ(record.bytes()[25], 0x34);
    EXPECT_EQ(record.bytes()[26], 0x12);
    EXPECT_EQ(record.word(kPrinterKind), 0x1234);
    record.set_word(kMargin, 6, 1);
    EXPECT_EQ(record.word(kMargin, 0), 0);
    EXPECT_EQ(record.word(kMargin, 1), 6);
    record.set_word(kMargin, 9, 2);  // no third slot
    EXPECT_EQ(record.bytes()[22], 0);
    record.set_word(kPrinterKind, -1);
    EXPECT_EQ(record.word(kPrinterKind), 0xFFFF);
}

TEST(SettingsRecordFields, FieldOutsideTheRecordIsNeverTouched) {
    SettingsRecord record(kTestProfile);
    const SettingsField beyond = word_field("beyond", kTestSize - 1);
    record.set_word(beyond, 0x4142);
    EXPECT_EQ(record.word(beyond), 0);
    EXPECT_FALSE(record.set_text(text_field("far", 200, 10), "x"));
    EXPECT_EQ(record.text(text_field("far", 200, 10)), "");
    SettingsRecord empty;
    EXPECT_EQ(empty.word(kPrinterKind), 0);
    EXPECT_EQ(read_settings_file(empty, "/nonexistent"), kSettingsCannotOpen);
}

TEST(SettingsRecordFields, TextsAreBoundedAndRefusedWhenTooLong) {
    SettingsRecord record(kTestProfile);
    EXPECT_TRUE(record.set_text(kName, "123456789"));  // width 10 less one
    EXPECT_EQ(record.text(kName), "123456789");
    EXPECT_FALSE(record.set_text(kName, "1234567890"));
    EXPECT_EQ(record.text(kName), "123456789");
    EXPECT_EQ(record.bytes()[16], 0);  // the next field is untouched

    EXPECT_TRUE(record.set_text(kName, "ab"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&record.bytes()[6]), 10), std::string("ab\0\0\0\0\0\0\0\0", 10));

    // A field with no zero in it reads to its width less one byte, and a
    // double-byte character across that cut is left out whole.
    std::fill(record.bytes().begin() + 6, record.bytes().begin() + 16, 'x');
    EXPECT_EQ(record.text(kName), "xxxxxxxxx");
    record.bytes()[13] = 0x83;  // "ア" at 13..14 lies inside the 9 bytes
    record.bytes()[14] = 0x41;
    EXPECT_EQ(record.text(kName), "xxxxxxx\x83\x41");
    record.bytes()[13] = 'x';  // "ア" at 14..15 straddles the cut
    record.bytes()[14] = 0x83;
    record.bytes()[15] = 0x41;
    EXPECT_EQ(record.text(kName), "xxxxxxxx");
}

TEST_F(SettingsFileTest, RoundTripIsByteExactAndKeepsReservedBytes) {
    const std::string original = patterned_settings_bytes();
    write_raw(file(), original);
    SettingsRecord record(kTestProfile);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_EQ(info.bytes_read, kTestSize);
    EXPECT_FALSE(info.longer_than_record);
    EXPECT_TRUE(info.repaired.empty());
    EXPECT_EQ(record.word(kPrinterKind), 1);  // whatever the file holds

    ASSERT_TRUE(record.set_text(kName, "new"));
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    std::string expected = original;
    expected.replace(6, 10, std::string("new\0\0\0\0\0\0\0", 10));
    expected[25] = 1, expected[26] = 0;
    EXPECT_EQ(read_raw(file()), expected);
    EXPECT_TRUE(only_the_settings_file());
}

TEST_F(SettingsFileTest, ShortFileFillsTheLeadingPartOnly) {
    SettingsRecord record(kTestProfile);
    record.set_standard_values();
    const std::string before = as_string(record);
    write_raw(file(), "TE1.00ab");
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_EQ(info.bytes_read, 8);
    std::string expected = before;
    expected.replace(0, 8, "TE1.00ab");
    EXPECT_EQ(as_string(record), expected);
}

TEST_F(SettingsFileTest, LongerFileIsReadToTheRecordSize) {
    const std::string original = patterned_settings_bytes();
    write_raw(file(), original + "tail");
    SettingsRecord record(kTestProfile);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_TRUE(info.longer_than_record);
    EXPECT_EQ(as_string(record).substr(27, 3), original.substr(27, 3));
    // The next save writes the record's size only.
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(read_raw(file()).size(), static_cast<size_t>(kTestSize));
}

TEST_F(SettingsFileTest, MissingAndEmptyFilesLeaveTheRecordAlone) {
    SettingsRecord record(kTestProfile);
    record.set_standard_values();
    const std::string before = as_string(record);
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsCannotOpen);
    write_raw(file(), "");
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsNoBytes);
    EXPECT_EQ(as_string(record), before);
    EXPECT_EQ(reread_settings_for_open(record, dir.path()), kOpenSettingsUnreadable);
    std::filesystem::remove(file());
    EXPECT_EQ(reread_settings_for_open(record, dir.path()), kOpenSettingsUnreadable);
}

TEST_F(SettingsFileTest, SignatureAndVersionDecideTheOpenersResult) {
    SettingsRecord record(kTestProfile);
    std::string bytes = patterned_settings_bytes();
    write_raw(file(), bytes);
    EXPECT_EQ(reread_settings_for_open(record, dir.path()), 0);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::Ok);

    bytes[1] = 'X';
    write_raw(file(), bytes);
    EXPECT_EQ(reread_settings_for_open(record, dir.path()), kOpenSettingsWrongVersion);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::WrongSignature);

    bytes = patterned_settings_bytes();
    bytes.replace(2, 4, "1.01");
    write_raw(file(), bytes);
    EXPECT_EQ(reread_settings_for_open(record, dir.path()), kOpenSettingsWrongVersion);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::WrongVersion);

    // The signature alone, two bytes: the version is what the record held before.
    write_raw(file(), "TE");
    EXPECT_EQ(read_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(check_settings_identity(record), SettingsIdentity::WrongVersion);
}

TEST_F(SettingsFileTest, IndexFieldsOutOfRangeTakeTheirStandardValues) {
    std::string bytes = patterned_settings_bytes();
    bytes[16] = 2;                   // orientation 2
    bytes[30] = 0, bytes[31] = 1;    // 256 recent files
    write_raw(file(), bytes);
    SettingsRecord record(kTestProfile);
    SettingsReadInfo info;
    ASSERT_EQ(read_settings_file(record, dir.path(), &info), kSettingsOk);
    EXPECT_EQ(record.word(kOrientation), 0);
    EXPECT_EQ(record.word(kRecentCount), 0);
    EXPECT_EQ(info.repaired, (std::vector<std::string>{"orientation", "recent_count"}));
    // A field without a range is carried as read.
    EXPECT_EQ(record.word(kMargin, 1), static_cast<unsigned char>(bytes[20]) | static_cast<unsigned char>(bytes[21]) << 8);
}

TEST_F(SettingsFileTest, WriteCreatesAMissingFile) {
    SettingsRecord record(kTestProfile);
    record.set_standard_values();
    ASSERT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(read_raw(file()), as_string(record));
}

TEST_F(SettingsFileTest, WriteIntoAMissingDirectoryFails) {
    SettingsRecord record(kTestProfile);
    EXPECT_EQ(write_settings_file(record, dir.path("no-such-dir")), kSettingsCannotOpen);
}

// Writes half of what it is given and says so, as a full disk does.
int short_write(int fd, const void* buffer, unsigned n) { return crt_write(fd, buffer, n / 2); }

TEST_F(SettingsFileTest, ShortWriteFailedCloseOrRenameKeepTheOldFile) {
    const std::string original = patterned_settings_bytes();
    SettingsRecord record(kTestProfile);
    record.set_standard_values();

    const SettingsWriterCalls short_writes = {short_write, crt_close, crt_rename};
    const SettingsWriterCalls failing_close = {crt_write, [](int fd) { crt_close(fd); return -1; }, crt_rename};
    const SettingsWriterCalls failing_rename = {crt_write, crt_close, [](const char*, const char*) { return -1; }};
    for (const SettingsWriterCalls* calls : {&short_writes, &failing_close, &failing_rename}) {
        write_raw(file(), original);
        set_settings_writer_calls(calls);
        EXPECT_EQ(write_settings_file(record, dir.path()), kSettingsNoBytes);
        EXPECT_EQ(read_raw(file()), original);
        EXPECT_TRUE(only_the_settings_file());
    }
    set_settings_writer_calls(nullptr);
    EXPECT_EQ(write_settings_file(record, dir.path()), kSettingsOk);
    EXPECT_EQ(read_raw(file()), as_string(record));
}

// Copies of a program that save at the same moment: every save succeeds and
// the file is always one whole record of one of them.
TEST_F(SettingsFileTest, ProcessesSavingAtOnceAreNeverRefused) {
    constexpr int kProcesses = 4, kSaves = 150;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SettingsRecord record(kTestProfile);
            record.set_standard_values();
            record.set_word(kPrinterKind, p);
            for (int i = 0; i < kSaves; ++i)
                if (write_settings_file(record, dir.path()) != kSettingsOk) ::_exit(1);
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save was refused";
    }
    bool whole = false;
    for (int p = 0; p < kProcesses; ++p) {
        SettingsRecord record(kTestProfile);
        record.set_standard_values();
        record.set_word(kPrinterKind, p);
        whole = whole || read_raw(file()) == as_string(record);
    }
    EXPECT_TRUE(whole) << "the file is one whole record";
    EXPECT_TRUE(only_the_settings_file());
}

// A save that a killed copy never finished leaves its temporary, named with
// that copy's process number: removed at the next start, while those of
// copies still running (and other names) stay.
TEST_F(SettingsFileTest, TemporariesOfEndedProcessesAreRemoved) {
    const pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const struct {
        std::string name;
        bool stays;
    } rows[] = {
        {"te1000s.$pr." + std::to_string(ended), false},
        {"te1000s.$pr." + std::to_string(::getppid()), true},
        {"te1000s.$pr." + std::to_string(::getpid()), true},
        {"te1000s.$pr.x1", true},
        {"te1000s.$pr.", true},
        {"other." + std::to_string(ended), true},
    };
    for (const auto& row : rows) write_raw(dir.path(row.name), "half");
    remove_stale_settings_temporaries(kTestProfile, dir.path());
    for (const auto& row : rows) EXPECT_EQ(std::filesystem::exists(dir.path(row.name)), row.stays) << row.name;
}

TEST_F(SettingsFileTest, AReadOnlySettingsFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    const std::string original = patterned_settings_bytes();
    write_raw(file(), original);
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read);
    SettingsRecord record(kTestProfile);
    EXPECT_EQ(write_settings_file(record, dir.path()), kSettingsCannotOpen);
    EXPECT_EQ(read_raw(file()), original);
}

TEST_F(SettingsFileTest, ADirectoryInThePlaceOfTheFileIsLeftAlone) {
    std::filesystem::create_directory(file());
    SettingsRecord record(kTestProfile);
    EXPECT_EQ(write_settings_file(record, dir.path()), kSettingsCannotOpen);
    EXPECT_TRUE(std::filesystem::is_directory(file()));
}

TEST(SettingsStandard, StandardRecordHoldsEveryStandardValue) {
    const std::vector<uint8_t> bytes = build_standard_settings(kTestProfile);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(kTestSize));
    const std::string s(bytes.begin(), bytes.end());
    EXPECT_EQ(s.substr(0, 6), "TE1.00");
    EXPECT_EQ(s.substr(6, 10), std::string("std\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(s.substr(16, 11), std::string("\0\0\4\0\1\0\xFF\xFB\xF0\1\0", 11));
    EXPECT_EQ(s.substr(56, 3), std::string("\0\0\xC0", 3));
    EXPECT_EQ(s.substr(27, 3), std::string(3, '\0'));
}

TEST(SettingsColours, ColourReferenceAndStandardReset) {
    EXPECT_EQ(colour_ref({255, 251, 240}), 255u + 251u * 256u + 240u * 65536u);
    EXPECT_EQ(rgb_from_ref(0x00C00000), (Rgb{0, 0, 192}));
    SettingsRecord record(kTestProfile);
    write_colour(record, kBackground, {1, 2, 3});
    EXPECT_EQ(read_colour(record, kBackground), (Rgb{1, 2, 3}));
    EXPECT_EQ(record.bytes()[25], 0);  // the next field is untouched
    write_colour(record, kPrinterKind, {9, 9, 9});  // not a colour item
    EXPECT_EQ(record.word(kPrinterKind), 0);
    ASSERT_EQ(colour_items(kTestProfile).size(), 2u);
    reset_standard_colours(record);
    EXPECT_EQ(read_colour_ref(record, kBackground), colour_ref({255, 251, 240}));
    EXPECT_EQ(read_colour(record, kText), (Rgb{0, 0, 192}));
}

}  // namespace
