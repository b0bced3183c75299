// Text and binary modes of crt_read / crt_write, and the offsets they leave.
#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/kernel/file_io.h"
#include "tests/common/temp_dir.h"

namespace {

// Reads the whole file in chunks of `chunk` bytes; -1 from a read fails the test.
std::string read_all(int fd, unsigned chunk) {
    std::string out;
    std::vector<char> buf(chunk);
    for (;;) {
        int r = crt_read(fd, buf.data(), chunk);
        EXPECT_GE(r, 0);
        if (r <= 0) break;
        out.append(buf.data(), static_cast<size_t>(r));
    }
    return out;
}

const std::string kRaw = "ab\r\ncd\r\n\r\nx\ry\r";
const std::string kText = "ab\ncd\n\nx\ry\r";

}  // namespace

TEST(TextMode, WriteTurnsEachLfIntoCrLf) {
    TempDir dir;
    const std::string file = dir.path("out.txt");
    int fd = crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC);
    ASSERT_GE(fd, 0);
    const std::string text = "line1\n\nx\r\n";
    // The count is of the caller's bytes, not of the bytes that reached the file.
    EXPECT_EQ(crt_write(fd, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    EXPECT_EQ(crt_close(fd), 0);
    EXPECT_EQ(read_raw(file), "line1\r\n\r\nx\r\r\n");
}

TEST(TextMode, LargeWriteCrossesInternalChunks) {
    TempDir dir;
    const std::string file = dir.path("big.txt");
    std::string text;
    for (int i = 0; i < 3000; ++i) text += "abc\n";
    int fd = crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_write(fd, text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
    EXPECT_EQ(crt_tell(fd), 3000 * 5);
    crt_close(fd);
    const std::string raw = read_raw(file);
    ASSERT_EQ(raw.size(), 3000u * 5);
    EXPECT_EQ(raw.substr(0, 10), "abc\r\nabc\r\n");
}

TEST(TextMode, ReadCollapsesCrLfAtEveryChunkSize) {
    TempDir dir;
    const std::string file = dir.path("in.txt");
    write_raw(file, kRaw);
    for (unsigned chunk : {1u, 2u, 3u, 4u, 5u, 64u}) {
        int fd = crt_open(file.c_str(), CRT_O_RDONLY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(read_all(fd, chunk), kText) << "chunk " << chunk;
        EXPECT_EQ(crt_tell(fd), static_cast<int64_t>(kRaw.size())) << "chunk " << chunk;
        crt_close(fd);
    }
}

TEST(TextMode, TellGivesTrueOffsetAfterEachByte) {
    TempDir dir;
    const std::string file = dir.path("in.txt");
    write_raw(file, kRaw);
    // Offset after each delivered byte: a line end counts two bytes in the file.
    const int64_t expected[] = {1, 2, 4, 5, 6, 8, 10, 11, 12, 13, 14};
    int fd = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(fd, 0);
    for (int64_t offset : expected) {
        char c;
        ASSERT_EQ(crt_read(fd, &c, 1), 1);
        EXPECT_EQ(crt_tell(fd), offset);
    }
    char c;
    EXPECT_EQ(crt_read(fd, &c, 1), 0);
    crt_close(fd);
}

TEST(TextMode, LookaheadByteSurvivesSeekFromCurrent) {
    TempDir dir;
    const std::string file = dir.path("in.txt");
    write_raw(file, "x\ryz");
    int fd = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(fd, 0);
    char buf[8];
    // "x\r" ends on a CR: the next byte is looked at and must still be read later.
    ASSERT_EQ(crt_read(fd, buf, 2), 2);
    EXPECT_EQ(std::string(buf, 2), "x\r");
    EXPECT_EQ(crt_tell(fd), 2);
    EXPECT_EQ(crt_lseek(fd, 0, SEEK_CUR), 2);
    ASSERT_EQ(crt_read(fd, buf, 8), 2);
    EXPECT_EQ(std::string(buf, 2), "yz");

    EXPECT_EQ(crt_lseek(fd, 0, SEEK_SET), 0);
    ASSERT_EQ(crt_read(fd, buf, 2), 2);
    EXPECT_EQ(crt_lseek(fd, 1, SEEK_CUR), 3);
    ASSERT_EQ(crt_read(fd, buf, 8), 1);
    EXPECT_EQ(buf[0], 'z');
    crt_close(fd);
}

TEST(TextMode, WriteAfterLookaheadLandsAtProgramPosition) {
    TempDir dir;
    const std::string file = dir.path("rw.txt");
    write_raw(file, "a\rbc");
    int fd = crt_open(file.c_str(), CRT_O_RDWR);
    ASSERT_GE(fd, 0);
    char buf[2];
    ASSERT_EQ(crt_read(fd, buf, 2), 2);
    EXPECT_EQ(crt_write(fd, "Z", 1), 1);
    crt_close(fd);
    EXPECT_EQ(read_raw(file), "a\rZc");
}

TEST(BinaryMode, BytesPassUntouched) {
    TempDir dir;
    const std::string file = dir.path("bin.dat");
    const std::string bytes = std::string("a\r\nb\n\r\0c", 8);
    int fd = crt_open(file.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_write(fd, bytes.data(), static_cast<unsigned>(bytes.size())), 8);
    crt_close(fd);
    EXPECT_EQ(read_raw(file), bytes);

    fd = crt_open(file.c_str(), CRT_O_RDONLY | CRT_O_BINARY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(read_all(fd, 3), bytes);
    EXPECT_EQ(crt_tell(fd), 8);
    EXPECT_EQ(crt_filelength(fd), 8);
    crt_close(fd);
}

TEST(ReadErrors, FolderRefusedAndClosedDescriptorGivesMinusOne) {
    TempDir dir;
    // a folder is not a file: the open itself fails
    errno = 0;
    EXPECT_EQ(crt_open(dir.path().c_str(), CRT_O_RDONLY), -1);
    EXPECT_EQ(errno, EACCES);

    const std::string file = dir.path("f.txt");
    write_raw(file, "abc");
    int fd = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_close(fd), 0);
    char buf[16];
    errno = 0;
    EXPECT_EQ(crt_read(fd, buf, sizeof buf), -1);
    EXPECT_EQ(errno, EBADF);
    EXPECT_EQ(crt_write(fd, "x", 1), -1);
    EXPECT_EQ(crt_close(fd), -1);
    EXPECT_EQ(crt_tell(fd), -1);
}

TEST(WriteErrors, ReadOnlyDescriptorRefusesWrites) {
    TempDir dir;
    const std::string file = dir.path("ro.txt");
    write_raw(file, "abc");
    int fd = crt_open(file.c_str(), CRT_O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(crt_write(fd, "x\n", 2), -1);
    crt_close(fd);
    EXPECT_EQ(read_raw(file), "abc");
}
