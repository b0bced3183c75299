// Opening flags, the descriptor limit, and the operations on named files.
#include <sys/resource.h>

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"

TEST(FileOps, CreateExclusiveFailsOnExistingFile) {
    TempDir dir;
    const std::string file = dir.path("a.txt");
    int fd = crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_EXCL);
    ASSERT_GE(fd, 0);
    crt_close(fd);
    errno = 0;
    EXPECT_EQ(crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_EXCL), -1);
    EXPECT_EQ(errno, EEXIST);
    errno = 0;
    EXPECT_EQ(crt_open(dir.path("missing.txt").c_str(), CRT_O_RDONLY), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST(FileOps, AppendWritesAtTheEnd) {
    TempDir dir;
    const std::string file = dir.path("log.txt");
    write_raw(file, "one\r\n");
    int fd = crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_APPEND);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_write(fd, "two\n", 4), 4);
    crt_close(fd);
    EXPECT_EQ(read_raw(file), "one\r\ntwo\r\n");
}

TEST(FileOps, SizesExistsRemove) {
    TempDir dir;
    const std::string file = dir.path("s.txt");
    write_raw(file, "12345");
    EXPECT_EQ(crt_file_size(file.c_str()), 5);
    EXPECT_EQ(crt_file_size(dir.path("none").c_str()), -1);
    EXPECT_TRUE(crt_exists(file.c_str()));
    EXPECT_FALSE(crt_exists(""));
    EXPECT_EQ(crt_remove(file.c_str()), 0);
    EXPECT_FALSE(crt_exists(file.c_str()));
    EXPECT_EQ(crt_remove(file.c_str()), -1);
}

TEST(FileOps, SameFileUnderOtherSpellings) {
    TempDir dir;
    const std::string file = dir.path("Data.txt");
    write_raw(file, "x");
    write_raw(dir.path("other.txt"), "x");
    EXPECT_TRUE(crt_same_file(file.c_str(), file.c_str()));
    EXPECT_TRUE(crt_same_file(file.c_str(), (dir.path("./") + "DATA.TXT").c_str()));
    EXPECT_TRUE(crt_same_file(file.c_str(), (dir.path() + "\\data.txt").c_str()));
    EXPECT_FALSE(crt_same_file(file.c_str(), dir.path("other.txt").c_str()));
    EXPECT_FALSE(crt_same_file(file.c_str(), dir.path("missing.txt").c_str()));
    EXPECT_FALSE(crt_same_file("", file.c_str()));
}

TEST(FileOps, RenameReplacesExistingTarget) {
    TempDir dir;
    const std::string tmp = dir.path("result.tmp");
    const std::string target = dir.path("result.txt");
    write_raw(tmp, "new");
    write_raw(target, "old contents");
    EXPECT_EQ(crt_rename(tmp.c_str(), target.c_str()), 0);
    EXPECT_EQ(read_raw(target), "new");
    EXPECT_FALSE(crt_exists(tmp.c_str()));
    EXPECT_EQ(crt_rename(tmp.c_str(), target.c_str()), -1);
    EXPECT_EQ(read_raw(target), "new");
}

TEST(OpenLimit, HookGivesEmfileAndCountFollowsCloses) {
    TempDir dir;
    const std::string file = dir.path("f.txt");
    write_raw(file, "x");
    const int base = crt_open_count();
    crt_set_open_limit(base + 2);
    int a = crt_open(file.c_str(), CRT_O_RDONLY);
    int b = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_EQ(crt_open_count(), base + 2);
    errno = 0;
    EXPECT_EQ(crt_open(file.c_str(), CRT_O_RDONLY), -1);
    EXPECT_EQ(errno, EMFILE);

    EXPECT_EQ(crt_close(a), 0);
    EXPECT_EQ(crt_open_count(), base + 1);
    int c = crt_open(file.c_str(), CRT_O_RDONLY);
    EXPECT_GE(c, 0);
    crt_set_open_limit(-1);
    crt_close(b);
    crt_close(c);
    EXPECT_EQ(crt_open_count(), base);
}

TEST(OpenLimit, SystemLimitArrivesAsEmfile) {
    TempDir dir;
    const std::string file = dir.path("f.txt");
    write_raw(file, "x");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    int probe = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(probe, 0);
    rlimit low = saved;
    low.rlim_cur = static_cast<rlim_t>(probe + 4);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);

    std::vector<int> fds{probe};
    int saved_errno = 0;
    for (int i = 0; i < 16; ++i) {
        int fd = crt_open(file.c_str(), CRT_O_RDONLY);
        if (fd < 0) {
            saved_errno = errno;
            break;
        }
        fds.push_back(fd);
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    for (int fd : fds) crt_close(fd);
    EXPECT_EQ(saved_errno, EMFILE);
}

TEST(FullDisk, HookRefusesWritesToFilesOpenedWithThatEnding) {
    TempDir dir;
    const int before = crt_open(dir.path("early.dat").c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_BINARY);
    crt_set_full_disk(".dat");
    const int full = crt_open(dir.path("late.dat").c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_BINARY);
    const int other = crt_open(dir.path("late.txt").c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_BINARY);
    crt_set_full_disk(nullptr);
    ASSERT_GE(before, 0);
    ASSERT_GE(full, 0);
    ASSERT_GE(other, 0);
    errno = 0;
    EXPECT_EQ(crt_write(full, "abc", 3), -1);
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(crt_write(before, "abc", 3), 3) << "a file opened before the hook takes writes";
    EXPECT_EQ(crt_write(other, "abc", 3), 3);
    for (int fd : {before, full, other}) EXPECT_EQ(crt_close(fd), 0);
    EXPECT_EQ(crt_file_size(dir.path("late.dat").c_str()), 0);
}

// The checks made instead of a trial open: what an open would answer, with
// nothing made on the disk.
TEST(FileChecks, ReadAndCreateAnswerAsAnOpenWould) {
    TempDir dir;
    const std::string file = dir.path("Data.txt");
    write_raw(file, "x");
    EXPECT_TRUE(crt_can_read(file.c_str()));
    EXPECT_TRUE(crt_can_read(dir.path("DATA.TXT").c_str())) << "the case of a name is resolved";
    EXPECT_FALSE(crt_can_read(dir.path("missing.txt").c_str()));
    EXPECT_FALSE(crt_can_read(dir.path().c_str())) << "a folder is no file";
    EXPECT_FALSE(crt_can_read(""));

    EXPECT_TRUE(crt_can_create(file.c_str())) << "an existing plain file is replaced";
    EXPECT_TRUE(crt_can_create(dir.path("new.txt").c_str()));
    EXPECT_FALSE(crt_exists(dir.path("new.txt").c_str())) << "the check makes no file";
    EXPECT_FALSE(crt_can_create(dir.path("no-folder/new.txt").c_str()));
    EXPECT_FALSE(crt_can_create(dir.path().c_str()));
    EXPECT_FALSE(crt_can_create((file + "/under-a-file.txt").c_str()));
}

TEST(FileChecks, OpenLimitRefusesTheChecksToo) {
    TempDir dir;
    const std::string file = dir.path("f.txt");
    write_raw(file, "x");
    crt_set_open_limit(crt_open_count());
    errno = 0;
    EXPECT_FALSE(crt_can_read(file.c_str()));
    EXPECT_EQ(errno, EMFILE);
    errno = 0;
    EXPECT_FALSE(crt_can_create(dir.path("new.txt").c_str()));
    EXPECT_EQ(errno, EMFILE);
    crt_set_open_limit(-1);
    EXPECT_TRUE(crt_can_read(file.c_str()));
}

TEST(FileChecks, IdentityOfExistingEntriesOnly) {
    TempDir dir;
    const std::string file = dir.path("a.txt");
    write_raw(file, "x");
    uint64_t d1 = 0, i1 = 0, d2 = 0, i2 = 0;
    ASSERT_TRUE(crt_file_identity(file.c_str(), d1, i1));
    ASSERT_TRUE(crt_file_identity(dir.path("A.TXT").c_str(), d2, i2));
    EXPECT_EQ(d1, d2);
    EXPECT_EQ(i1, i2);
    EXPECT_FALSE(crt_file_identity(dir.path("b.txt").c_str(), d2, i2));
}
