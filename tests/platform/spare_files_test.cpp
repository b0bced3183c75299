// Retired files kept aside inside a listing scope and taken over by the next
// file made for writing in their folder: the new file must read exactly as a
// fresh one, nothing else may change under a retired name, and nothing is
// left at the close of the scope.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"

namespace {

std::vector<std::string> folder_names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ino_t inode_of(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A new file made for writing, the text written in text mode; the close's result.
int write_new(const std::string& path, const std::string& text) {
    const int fd = crt_open(path.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_TEXT);
    if (fd < 0) return -2;
    const bool written = text.empty() || crt_write(fd, text.data(), static_cast<unsigned>(text.size())) ==
                                             static_cast<int>(text.size());
    const int closed = crt_close(fd);
    return written ? closed : -3;
}

}  // namespace

TEST(SpareFiles, ARetiredFileServesTheNextNewFileWithOnlyItsNewBytes) {
    TempDir dir;
    write_raw(dir.path("old.fss"), std::string(5000, 'o'));
    const ino_t old_inode = inode_of(dir.path("old.fss"));
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("old.fss").c_str()), 0);
    EXPECT_FALSE(crt_exists(dir.path("old.fss").c_str())) << "the name goes as after a removal";
    EXPECT_EQ(crt_open(dir.path("OLD.FSS").c_str(), CRT_O_RDONLY), -1) << "under any spelling";

    ASSERT_EQ(write_new(dir.path("new.$ts"), "short\nlines\n"), 0);
    EXPECT_EQ(inode_of(dir.path("new.$ts")), old_inode) << "the retired file was taken over";
    EXPECT_EQ(read_raw(dir.path("new.$ts")), "short\r\nlines\r\n") << "the old bytes past the new ones are cut";
    EXPECT_EQ(crt_file_size(dir.path("new.$ts").c_str()), 14);
    EXPECT_EQ(folder_names(dir), std::vector<std::string>{"new.$ts"});

    // a longer text over a shorter spare
    ASSERT_EQ(crt_retire(dir.path("new.$ts").c_str()), 0);
    const std::string longer(9000, 'n');
    ASSERT_EQ(write_new(dir.path("next.$ts"), longer), 0);
    EXPECT_EQ(read_raw(dir.path("next.$ts")), longer);
}

TEST(SpareFiles, ARetiredNameIsFreeAtOnceForEveryUse) {
    TempDir dir;
    write_raw(dir.path("a.$ts"), "the old result");
    write_raw(dir.path("b.$ts"), "another");
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("a.$ts").c_str()), 0);
    ASSERT_EQ(crt_retire(dir.path("b.$ts").c_str()), 0);
    EXPECT_EQ(crt_open(dir.path("a.$ts").c_str(), CRT_O_RDONLY), -1);
    EXPECT_TRUE(crt_can_create(dir.path("a.$ts").c_str()));
    ASSERT_EQ(write_new(dir.path("a.$ts"), "again"), 0);
    EXPECT_EQ(read_raw(dir.path("a.$ts")), "again");
    ASSERT_EQ(crt_rename(dir.path("a.$ts").c_str(), dir.path("b.$ts").c_str()), 0) << "onto a retired name";
    EXPECT_EQ(read_raw(dir.path("b.$ts")), "again");
    EXPECT_EQ(crt_remove(dir.path("b.$ts").c_str()), 0);
    EXPECT_FALSE(crt_exists(dir.path("b.$ts").c_str()));

    // a spare under a name that another folder also holds: only its own
    // folder's name moves it aside, a relative one too
    ASSERT_EQ(::mkdir(dir.path("one").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.path("two").c_str(), 0755), 0);
    write_raw(dir.path("one/x.$ts"), "one's old bytes");
    ASSERT_EQ(crt_retire(dir.path("one/x.$ts").c_str()), 0);
    ASSERT_EQ(write_new(dir.path("two/x.$ts"), "two"), 0);
    EXPECT_EQ(read_raw(dir.path("two/x.$ts")), "two");
    EXPECT_EQ(read_raw(dir.path("one/x.$ts")), "one's old bytes") << "still kept under its retired name";
    char saved[4096];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    ASSERT_NE(SetCurrentDirectoryA(dir.path("one").c_str()), 0);
    const int fd = crt_open("x.$ts", CRT_O_RDWR | CRT_O_CREAT);
    ASSERT_NE(SetCurrentDirectoryA(saved), 0);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_filelength(fd), 0) << "the name was free";
    crt_close(fd);
    EXPECT_EQ(read_raw(dir.path("one/x.$ts")), "");
}

TEST(SpareFiles, NothingIsKeptOutsideAScopeOrPastItsClose) {
    TempDir dir;
    write_raw(dir.path("a.tmp"), "a");
    ASSERT_EQ(crt_retire(dir.path("a.tmp").c_str()), 0);
    EXPECT_TRUE(folder_names(dir).empty()) << "outside a scope a retired file is removed";
    EXPECT_EQ(crt_retire(dir.path("a.tmp").c_str()), -1) << "as a removal of a missing file fails";

    {
        ListingScope outer;
        {
            ListingScope run;
            write_raw(dir.path("b.tmp"), "b");
            write_raw(dir.path("c.tmp"), "c");
            ASSERT_EQ(crt_retire(dir.path("b.tmp").c_str()), 0);
            ASSERT_EQ(crt_retire(dir.path("c.tmp").c_str()), 0);
        }
        EXPECT_EQ(folder_names(dir).size(), 2u) << "an inner scope's close keeps the spares for the batch";
    }
    EXPECT_TRUE(folder_names(dir).empty()) << "the last scope's close removes them";
}

TEST(SpareFiles, AnExistingFileIsWrittenAsItIsNeverReplacedByASpare) {
    TempDir dir;
    write_raw(dir.path("kept.txt"), "old content that is longer");
    write_raw(dir.path("spare.txt"), "spare");
    const ino_t kept_inode = inode_of(dir.path("kept.txt"));
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("spare.txt").c_str()), 0);
    ASSERT_EQ(write_new(dir.path("kept.txt"), "new"), 0);
    EXPECT_EQ(inode_of(dir.path("kept.txt")), kept_inode);
    EXPECT_EQ(read_raw(dir.path("kept.txt")), "new");
    EXPECT_EQ(folder_names(dir).size(), 2u) << "the spare still waits";
}

TEST(SpareFiles, ASpareWithAnotherNameOrALinkIsNeverWrittenThrough) {
    TempDir dir;
    write_raw(dir.path("target.txt"), "the linked file");
    write_raw(dir.path("shared.txt"), "shared content");
    ASSERT_EQ(::symlink(dir.path("target.txt").c_str(), dir.path("link.txt").c_str()), 0);
    ASSERT_EQ(::link(dir.path("shared.txt").c_str(), dir.path("other-name.txt").c_str()), 0);
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("link.txt").c_str()), 0);
    ASSERT_EQ(crt_retire(dir.path("shared.txt").c_str()), 0);

    ASSERT_EQ(write_new(dir.path("first.out"), "first"), 0);
    ASSERT_EQ(write_new(dir.path("second.out"), "second"), 0);
    EXPECT_EQ(read_raw(dir.path("first.out")), "first");
    EXPECT_EQ(read_raw(dir.path("second.out")), "second");
    EXPECT_EQ(read_raw(dir.path("target.txt")), "the linked file");
    EXPECT_EQ(read_raw(dir.path("other-name.txt")), "shared content");
    struct stat st;
    ASSERT_EQ(::lstat(dir.path("first.out").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_nlink, 1u);
}

TEST(SpareFiles, AReusedFileEndsWhereTheWritingReached) {
    TempDir dir;
    write_raw(dir.path("old.bin"), std::string(100, 'x'));
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("old.bin").c_str()), 0);
    const int fd = crt_open(dir.path("new.bin").c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_filelength(fd), 0) << "a new file is empty";
    ASSERT_EQ(crt_write(fd, "0123456789", 10), 10);
    EXPECT_EQ(crt_filelength(fd), 10);
    EXPECT_EQ(crt_lseek(fd, 0, SEEK_END), 10) << "the end is that of the new bytes";
    ASSERT_EQ(crt_lseek(fd, 2, SEEK_SET), 2);
    ASSERT_EQ(crt_write(fd, "ab", 2), 2);
    EXPECT_EQ(crt_close(fd), 0);
    EXPECT_EQ(read_raw(dir.path("new.bin")), "01ab456789") << "a seek back keeps what was written past it";
}

TEST(SpareFiles, AFullDiskFailsTheWritesOfAReusedFile) {
    TempDir dir;
    write_raw(dir.path("old.lin"), "old");
    ListingScope scope;
    ASSERT_EQ(crt_retire(dir.path("old.lin").c_str()), 0);
    crt_set_full_disk(".lnt");
    EXPECT_EQ(write_new(dir.path("doc.lnt"), "lines\n"), -3);
    crt_set_full_disk(nullptr);
}
