// Windows-style names on this file system: separators, Shift-JIS trail bytes
// that look like "\", and names written in another case than on disk.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "tests/common/sjis.h"
#include "tests/common/temp_dir.h"

namespace {

// "表" in Shift-JIS: its trail byte is 0x5C, the code of "\".
const std::string kHyo = "\x95\x5C";

void make_dir(const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0755), 0) << path; }

bool on_disk(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> listed(const std::string& folder) {
    std::vector<FolderEntry> entries;
    EXPECT_TRUE(crt_list_folder(folder.c_str(), entries)) << folder;
    std::vector<std::string> names;
    for (const FolderEntry& e : entries) names.push_back(e.name);
    return names;
}

}  // namespace

TEST(PathSeparators, BackslashesBecomeSlashes) {
    EXPECT_EQ(resolve_platform_path("no_such_dir\\sub\\file.txt"), "no_such_dir/sub/file.txt");
    EXPECT_EQ(resolve_platform_path("/no_such_root\\a/b"), "/no_such_root/a/b");
    EXPECT_EQ(resolve_platform_path(""), "");
}

TEST(PathSeparators, TrailByteOfDoubleByteCharIsKept) {
    EXPECT_EQ(resolve_platform_path(("no_such\\" + kHyo + "\\x.txt").c_str()), "no_such/表/x.txt");
    // Walked from the start: 0x81 0x95 is one character, so the 0x5C after it
    // stands alone and is a separator.
    EXPECT_EQ(resolve_platform_path("no_such\\\x81\x95\\a"), "no_such/＆/a");
    // A lead byte at the very end is not a character: no such name on a disk.
    EXPECT_EQ(resolve_platform_path("no_such\\a\x95"), "");
}

TEST(PathSeparators, LastSeparatorSkipsDoubleByteChars) {
    EXPECT_EQ(find_last_path_separator("a\\b/c"), 3);
    EXPECT_EQ(find_last_path_separator("a/b\\c"), 3);
    EXPECT_EQ(find_last_path_separator(kHyo.c_str()), -1);
    EXPECT_EQ(find_last_path_separator(("dir\\" + kHyo).c_str()), 3);
    EXPECT_EQ(find_last_path_separator(("dir\\" + kHyo + "\\").c_str()), 6);
    EXPECT_EQ(find_last_path_separator("name"), -1);
    EXPECT_EQ(find_last_path_separator(""), -1);
    EXPECT_EQ(find_last_path_separator(nullptr), -1);
}

TEST(PathSeparators, ShiftJisByteClasses) {
    EXPECT_TRUE(is_sjis_lead_byte(0x81));
    EXPECT_TRUE(is_sjis_lead_byte(0x9F));
    EXPECT_TRUE(is_sjis_lead_byte(0xE0));
    EXPECT_TRUE(is_sjis_lead_byte(0xFC));
    EXPECT_FALSE(is_sjis_lead_byte(0xA0));  // half-width katakana are single bytes
    EXPECT_FALSE(is_sjis_lead_byte(0x80));
    EXPECT_FALSE(is_sjis_lead_byte(0xFD));
    EXPECT_TRUE(is_sjis_trail_byte(0x40));
    EXPECT_TRUE(is_sjis_trail_byte(0x5C));
    EXPECT_FALSE(is_sjis_trail_byte(0x7F));
    EXPECT_FALSE(is_sjis_trail_byte(0x3F));
    EXPECT_FALSE(is_sjis_trail_byte(0xFD));
}

TEST(CaseFallback, ExistingPathIsReturnedAsWritten) {
    TempDir dir;
    write_raw(dir.path("Exact.txt"), "x");
    EXPECT_EQ(resolve_platform_path(dir.path("Exact.txt").c_str()), dir.path("Exact.txt"));
}

TEST(CaseFallback, ComponentsMatchIgnoringCase) {
    TempDir dir;
    make_dir(dir.path("Dir"));
    make_dir(dir.path("Dir/Sub"));
    write_raw(dir.path("Dir/Sub/File.TXT"), "line\r\n");
    const std::string written = dir.path() + "/dir\\sub\\file.txt";
    EXPECT_EQ(resolve_platform_path(written.c_str()), dir.path("Dir/Sub/File.TXT"));

    int fd = crt_open(written.c_str(), CRT_O_RDONLY);
    ASSERT_GE(fd, 0);
    char buf[16];
    ASSERT_EQ(crt_read(fd, buf, sizeof buf), 5);
    EXPECT_EQ(std::string(buf, 5), "line\n");
    crt_close(fd);
    EXPECT_TRUE(crt_exists(written.c_str()));
    EXPECT_EQ(crt_file_size(written.c_str()), 6);
}

TEST(CaseFallback, NewFileGoesIntoTheMatchedDirectory) {
    TempDir dir;
    make_dir(dir.path("Out"));
    const std::string written = dir.path() + "\\OUT\\New.Txt";
    EXPECT_EQ(resolve_platform_path(written.c_str()), dir.path("Out/New.Txt"));
    int fd = crt_open(written.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC);
    ASSERT_GE(fd, 0);
    crt_close(fd);
    EXPECT_EQ(read_raw(dir.path("Out/New.Txt")), "");
    // Below a directory that has no match, everything stays as written.
    EXPECT_EQ(resolve_platform_path((dir.path() + "/Nope/OUT/x").c_str()), dir.path("Nope/OUT/x"));
}

TEST(CaseFallback, SeveralMatchesPickTheFirstInByteOrder) {
    TempDir dir;
    write_raw(dir.path("abc"), "lower");
    write_raw(dir.path("ABC"), "upper");
    write_raw(dir.path("aBc"), "mixed");
    EXPECT_EQ(resolve_platform_path(dir.path("Abc").c_str()), dir.path("ABC"));
}

TEST(CaseFallback, DoubleByteCharsAreNeverFolded) {
    TempDir dir;
    // 0x83 0x61 and 0x83 0x41 are two different katakana whose trail bytes
    // happen to be "a" and "A".
    write_raw(dir.path("ャ.txt"), "x");
    EXPECT_EQ(resolve_platform_path(dir.path("\x83\x41.txt").c_str()), dir.path("ア.txt"));
    // Single-byte letters around a double-byte char still fold.
    write_raw(dir.path("Q表z.c"), "x");
    EXPECT_EQ(resolve_platform_path(dir.path("q" + kHyo + "Z.C").c_str()), dir.path("Q表z.c"));
}

TEST(CaseFallback, RelativePathsStartAtTheWorkingDirectory) {
    TempDir dir;
    make_dir(dir.path("Data"));
    write_raw(dir.path("Data/In.c"), "x");
    char saved[4096];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    const std::string resolved = resolve_platform_path("data\\in.C");
    const std::string dotted = resolve_platform_path(".\\DATA\\in.c");
    ASSERT_EQ(::chdir(saved), 0);
    EXPECT_EQ(resolved, "Data/In.c");
    EXPECT_EQ(dotted, "./Data/In.c");
}

TEST(CurrentDirectory, ChangedByASystemNameAndToldBack) {
    TempDir dir;
    make_dir(dir.path("Work"));
    make_dir(dir.path("Work/Sub"));
    const std::string saved = get_current_directory();
    ASSERT_FALSE(saved.empty());

    // backslashes and another case resolve as they do for files
    EXPECT_NE(SetCurrentDirectoryA((dir.path() + "\\work\\SUB").c_str()), 0);
    const std::string now = get_current_directory();
    EXPECT_EQ(SetCurrentDirectoryA("missing-folder"), 0);
    EXPECT_EQ(get_current_directory(), now) << "a failed change stays where it was";
    EXPECT_EQ(SetCurrentDirectoryA(""), 0);
    EXPECT_EQ(SetCurrentDirectoryA(nullptr), 0);

    char small[4] = "abc";
    const uint32_t needed = GetCurrentDirectoryA(sizeof small, small);
    EXPECT_EQ(needed, now.size() + 1) << "too small a buffer is told the size it needs";
    EXPECT_STREQ(small, "abc");
    std::string buffer(needed, 'x');
    EXPECT_EQ(GetCurrentDirectoryA(needed, buffer.data()), now.size());
    EXPECT_STREQ(buffer.c_str(), now.c_str());

    ASSERT_NE(SetCurrentDirectoryA(saved.c_str()), 0);
    char resolved[4096];
    ASSERT_NE(::realpath(dir.path("Work/Sub").c_str(), resolved), nullptr);
    EXPECT_EQ(now, resolved);
}

TEST(ListingScope, TheLayersOwnChangesKeepTheListingTrue) {
    TempDir dir;
    write_raw(dir.path("Old.C"), "x");
    ListingScope scope;
    EXPECT_EQ(resolve_platform_path(dir.path("old.c").c_str()), dir.path("Old.C")) << "the folder is listed here";

    const int fd = crt_open(dir.path("New.H").c_str(), CRT_O_WRONLY | CRT_O_CREAT);
    ASSERT_GE(fd, 0);
    crt_close(fd);
    EXPECT_EQ(resolve_platform_path(dir.path("new.h").c_str()), dir.path("New.H"));

    ASSERT_EQ(crt_rename(dir.path("new.h").c_str(), dir.path("Moved.h").c_str()), 0);
    EXPECT_EQ(resolve_platform_path(dir.path("NEW.h").c_str()), dir.path("NEW.h")) << "gone under its old name";
    EXPECT_EQ(resolve_platform_path(dir.path("moved.H").c_str()), dir.path("Moved.h"));

    ASSERT_EQ(crt_remove(dir.path("OLD.c").c_str()), 0);
    EXPECT_EQ(resolve_platform_path(dir.path("old.c").c_str()), dir.path("old.c"));
    EXPECT_FALSE(crt_exists(dir.path("OLD.C").c_str()));
}

TEST(ListingScope, LookUpsMovingAmongManyFoldersStayTrue) {
    TempDir dir;
    const std::vector<std::string> folders = {"F0", "F1", "F2", "F3", "F4", "F5"};
    for (const std::string& f : folders) {
        make_dir(dir.path(f));
        write_raw(dir.path(f + "/Kept.c"), f);
    }
    ListingScope scope;
    for (int round = 0; round < 2; ++round)
        for (const std::string& f : folders) {
            EXPECT_EQ(resolve_platform_path(dir.path(f + "/kept.C").c_str()), dir.path(f + "/Kept.c")) << f;
            // made and removed between two look-ups in the same folder
            const std::string made = dir.path(f + "/Made" + std::to_string(round) + ".h");
            const int fd = crt_open(made.c_str(), CRT_O_WRONLY | CRT_O_CREAT);
            ASSERT_GE(fd, 0);
            crt_close(fd);
            EXPECT_EQ(resolve_platform_path(dir.path(f + "/MADE" + std::to_string(round) + ".H").c_str()), made);
            ASSERT_EQ(crt_remove(made.c_str()), 0);
            EXPECT_EQ(resolve_platform_path(dir.path(f + "/made" + std::to_string(round) + ".h").c_str()),
                      dir.path(f + "/made" + std::to_string(round) + ".h"));
        }
    // a folder renamed: its entries are found under the new name in any case
    ASSERT_EQ(crt_rename(dir.path("F1").c_str(), dir.path("Moved").c_str()), 0);
    EXPECT_EQ(resolve_platform_path(dir.path("moved/KEPT.C").c_str()), dir.path("Moved/Kept.c"));
    EXPECT_TRUE(crt_exists(dir.path("MOVED/kept.c").c_str()));
}

// Bare and relative names, as a batch in the list's folder hands them on,
// come from the current folder's listing, and from the new one's once the
// folder changes.
TEST(ListingScope, BareNamesAreLookedUpInTheCurrentFolder) {
    TempDir dir;
    make_dir(dir.path("A"));
    make_dir(dir.path("A/Sub"));
    make_dir(dir.path("B"));
    write_raw(dir.path("A/Kept.c"), "a");
    write_raw(dir.path("A/Sub/Deep.h"), "a");
    write_raw(dir.path("B/KEPT.C"), "b");
    const std::string saved = get_current_directory();
    {
        ListingScope scope;
        ASSERT_NE(SetCurrentDirectoryA(dir.path("A").c_str()), 0);
        const struct {
            const char* name;
            const char* resolved;
        } names[] = {
            {"kept.C", "Kept.c"}, {"Kept.c", "Kept.c"}, {"sub\\deep.H", "Sub/Deep.h"},
            {"SUB/Deep.h", "Sub/Deep.h"}, {"missing.c", "missing.c"}, {".\\KEPT.c", "./Kept.c"},
        };
        for (const auto& n : names) EXPECT_EQ(resolve_platform_path(n.name), n.resolved) << n.name;
        const int fd = crt_open("New.h", CRT_O_WRONLY | CRT_O_CREAT);
        ASSERT_GE(fd, 0);
        crt_close(fd);
        EXPECT_EQ(resolve_platform_path("NEW.H"), "New.h") << "made by the layer: listed";
        ASSERT_NE(SetCurrentDirectoryA(dir.path("B").c_str()), 0);
        EXPECT_EQ(resolve_platform_path("kept.c"), "KEPT.C") << "the new folder's";
        EXPECT_EQ(resolve_platform_path("new.h"), "new.h");
    }
    ASSERT_NE(SetCurrentDirectoryA(saved.c_str()), 0);
}

TEST(ListingScope, OutsideAScopeEveryLookUpReadsTheFolder) {
    TempDir dir;
    write_raw(dir.path("a.txt"), "x");
    EXPECT_EQ(resolve_platform_path(dir.path("B.TXT").c_str()), dir.path("B.TXT"));
    write_raw(dir.path("b.txt"), "made past the layer");
    EXPECT_EQ(resolve_platform_path(dir.path("B.TXT").c_str()), dir.path("b.txt"));
    {
        ListingScope scope;
        EXPECT_EQ(resolve_platform_path(dir.path("A.TXT").c_str()), dir.path("a.txt"));
    }
    write_raw(dir.path("c.txt"), "after the scope");
    EXPECT_EQ(resolve_platform_path(dir.path("C.txt").c_str()), dir.path("c.txt")) << "the scope's listing is gone";
}

// The programs name files in Shift-JIS; the disk holds UTF-8 names, as every
// Linux desktop writes them. Contents are never converted.
TEST(DiskNames, JapaneseNamesRoundTripThroughEveryCall) {
    const struct {
        const char* made;
        const char* renamed;
    } cases[] = {
        {"資料.c", "設計書.c"},       // kanji
        {"そーす.c", "ソース表.h"},   // hiragana; katakana and kanji with a 0x5C trail byte
        {"ｿｰｽ.c", "ﾃｽﾄ.txt"},        // half-width kana, single bytes in Shift-JIS
    };
    TempDir dir;
    make_dir(dir.path("資料"));
    const std::string folder = dir.path(sjis("資料"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.made);
        const std::string name = folder + "\\" + sjis(c.made);
        const int fd = crt_open(name.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(crt_write(fd, "\x95\x5C\n", 3), 3);
        ASSERT_EQ(crt_close(fd), 0);
        EXPECT_EQ(read_raw(dir.path("資料/") + c.made), "\x95\x5C\r\n");
        EXPECT_EQ(listed(folder), std::vector<std::string>{sjis(c.made)});
        EXPECT_TRUE(crt_can_read(name.c_str()));

        const std::string renamed = folder + "/" + sjis(c.renamed);
        ASSERT_EQ(crt_rename(name.c_str(), renamed.c_str()), 0);
        EXPECT_TRUE(on_disk(dir.path("資料/") + c.renamed));
        EXPECT_EQ(crt_file_size(renamed.c_str()), 4);
        EXPECT_EQ(crt_file_kind(folder.c_str()), kCrtOtherEntry);
        ASSERT_EQ(crt_remove(renamed.c_str()), 0);
        EXPECT_TRUE(listed(folder).empty());
    }

    const std::string saved = get_current_directory();
    ASSERT_NE(SetCurrentDirectoryA((folder + "\\").c_str()), 0);
    const std::string now = get_current_directory();
    const int fd = crt_open(sjis("表.c").c_str(), CRT_O_WRONLY | CRT_O_CREAT);
    ASSERT_NE(SetCurrentDirectoryA(saved.c_str()), 0);
    ASSERT_GE(fd, 0);
    crt_close(fd);
    char real[PATH_MAX];
    ASSERT_NE(::realpath(dir.path("資料").c_str(), real), nullptr);
    EXPECT_EQ(now, sjis(real));
    EXPECT_TRUE(on_disk(dir.path("資料/表.c")));
}

// A name on the disk with no Shift-JIS form is listed escaped ("〓" and two
// hexadecimal digits a byte), apart from every other name; the listed name
// opens nothing, never another file.
TEST(DiskNames, NamesWithoutAShiftJisFormAreListedEscapedAndRefused) {
    const struct {
        std::string disk;
        const char* listed;
    } cases[] = {
        {"\x8E\x91\x97\xBF.c", "〓8E〓91〓97〓BF.c"},  // Shift-JIS bytes, no UTF-8
        {"caf\xC3\xA9.c", "caf〓C3〓A9.c"},             // a letter Shift-JIS lacks
        {"波\xE3\x80\x9C.c", "波〓E3〓80〓9C.c"},        // WAVE DASH, which would come back as another
        {"〓.c", "〓E3〓80〓93.c"},                        // the mark itself
        {"a\xFF", "a〓FF"},
    };
    TempDir dir;
    std::set<std::string> expected;
    for (const auto& c : cases) {
        write_raw(dir.path(c.disk), "x");
        expected.insert(sjis(c.listed));
    }
    const std::vector<std::string> names = listed(dir.path());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listed);
        const std::string name = dir.path(sjis(c.listed));
        errno = 0;
        EXPECT_EQ(crt_open(name.c_str(), CRT_O_RDONLY), -1);
        EXPECT_EQ(errno, ENOENT);
        EXPECT_FALSE(crt_exists(name.c_str()));
        EXPECT_FALSE(crt_can_read(name.c_str()));
        EXPECT_FALSE(crt_can_create(name.c_str()));
        EXPECT_EQ(crt_open(name.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC), -1);
        EXPECT_EQ(crt_remove(name.c_str()), -1);
        EXPECT_EQ(crt_rename(name.c_str(), dir.path("moved").c_str()), -1);
        EXPECT_EQ(read_raw(dir.path(c.disk)), "x");
    }
    EXPECT_EQ(listed(dir.path()).size(), std::size(cases)) << "nothing made, nothing lost";
}
