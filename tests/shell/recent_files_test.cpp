// The recent-file list inside the settings record: newest first, no name
// twice, at most as many as there are slots, names lower-cased without
// touching double-byte characters, and no name ever written past its slot.
#include <gtest/gtest.h>

#include "common/shell/recent_files.h"
#include "tests/common/temp_dir.h"
#include "tests/shell/settings_test_profile.h"

namespace {

using namespace test_settings;
using Names = std::vector<std::string>;

int add(SettingsRecord& record, std::string name) { return add_recent_file_entry(record, name); }

TEST(RecentFiles, AddsNewestFirstAndMovesARepeatToTheFront) {
    SettingsRecord record(kTestProfile);
    EXPECT_EQ(recent_file_count(record), 0);
    EXPECT_EQ(add(record, "a.c"), kRecentAdded);
    EXPECT_EQ(add(record, "b.c"), kRecentAdded);
    EXPECT_EQ(recent_file_names(record), (Names{"b.c", "a.c"}));
    EXPECT_EQ(add(record, "a.c"), kRecentAdded);
    EXPECT_EQ(recent_file_names(record), (Names{"a.c", "b.c"}));
    EXPECT_EQ(record.word(kRecentCount), 2);
}

TEST(RecentFiles, AFullListDropsTheOldest) {
    SettingsRecord record(kTestProfile);
    for (const char* name : {"1.c", "2.c", "3.c", "4.c"}) add(record, name);
    EXPECT_EQ(recent_file_names(record), (Names{"4.c", "3.c", "2.c"}));
    EXPECT_EQ(record.word(kRecentCount), 3);
    // A repeat in a full list moves without dropping anything.
    add(record, "2.c");
    EXPECT_EQ(recent_file_names(record), (Names{"2.c", "4.c", "3.c"}));
}

TEST(RecentFiles, NamesAreLowerCasedInPlaceByCharacters) {
    SettingsRecord record(kTestProfile);
    // "アB.C": the trail byte of "ア" is 0x41, "A", and stays as it is.
    std::string name = "\x83\x41" "B.C";
    ASSERT_EQ(add_recent_file_entry(record, name), kRecentAdded);
    EXPECT_EQ(name, "\x83\x41" "b.c");
    EXPECT_EQ(recent_file(record, 0), "\x83\x41" "b.c");
    // The same name in other letters is the same entry.
    add(record, "\x83\x41" "b.C");
    EXPECT_EQ(recent_file_count(record), 1);
}

TEST(RecentFiles, NamesThatDoNotFitASlotAreRefused) {
    SettingsRecord record(kTestProfile);
    add(record, "x.c");
    const std::string before(record.bytes().begin(), record.bytes().end());
    EXPECT_EQ(add(record, "1234567"), kRecentAdded);  // slot of 8: 7 bytes and the zero
    EXPECT_EQ(recent_file(record, 0), "1234567");
    const std::string after_fit(record.bytes().begin(), record.bytes().end());
    EXPECT_EQ(add(record, "12345678"), kRecentRefused);
    EXPECT_EQ(add(record, ""), kRecentRefused);
    EXPECT_EQ(std::string(record.bytes().begin(), record.bytes().end()), after_fit);
    EXPECT_EQ(recent_file_names(record), (Names{"1234567", "x.c"}));
    // The colour after the last slot never changes.
    EXPECT_EQ(before.substr(56), after_fit.substr(56));
}

TEST(RecentFiles, CountBeyondTheSlotsReadsAsTheSlots) {
    SettingsRecord record(kTestProfile);
    record.set_word(kRecentCount, 40);
    EXPECT_EQ(recent_file_count(record), 3);
    EXPECT_EQ(recent_file(record, 3), "");
    EXPECT_EQ(recent_file(record, -1), "");
}

TEST(RecentFiles, AddingWritesTheSettingsFile) {
    TempDir dir;
    SettingsRecord record(kTestProfile);
    record.set_standard_values();
    std::string name = "Main.C";
    int written = 99;
    EXPECT_EQ(add_recent_file(record, name, dir.path(), &written), kRecentAdded);
    EXPECT_EQ(written, kSettingsOk);
    EXPECT_EQ(read_raw(dir.path("te1000s.prm")), std::string(record.bytes().begin(), record.bytes().end()));
    // A failed write leaves the list changed in memory and says so.
    name = "other.c";
    EXPECT_EQ(add_recent_file(record, name, dir.path("missing"), &written), kRecentAdded);
    EXPECT_EQ(written, kSettingsCannotOpen);
    EXPECT_EQ(recent_file(record, 0), "other.c");
}

}  // namespace
