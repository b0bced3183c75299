// Result and work files gather their lines and write them a block at a time;
// a write that fails is reported when the file is closed.
#include <filesystem>
#include <string>

#include "common/analysis/output_buffer.h"
#include "tests/analysis/analysis_fixture.h"

namespace analysis_test {
namespace {

class BufferedOutput : public AnalysisTest {
protected:
    void TearDown() override {
        crt_set_full_disk(nullptr);
        AnalysisTest::TearDown();
    }
    static uintmax_t size_of(const std::string& path) { return std::filesystem::file_size(path); }
};

TEST_F(BufferedOutput, LinesReachTheFileAtTheCloseInTextMode) {
    const std::string path = dir_.path("out.txt");
    const int handle = open_tracked_file(path.c_str(), "w");
    ASSERT_GE(handle, 0);
    EXPECT_EQ(write_text_line("first\n", handle), 0);
    EXPECT_EQ(write_text_line("", handle), 0);
    EXPECT_EQ(write_text_line("second\n", handle), 0);
    EXPECT_EQ(size_of(path), 0u) << "nothing is written line by line";
    EXPECT_EQ(close_tracked_file(handle), 0);
    EXPECT_EQ(read_bytes(path), "first\r\nsecond\r\n");
}

TEST_F(BufferedOutput, AFullBlockIsWrittenAtOnce) {
    const std::string path = dir_.path("big.txt");
    const int handle = open_tracked_file(path.c_str(), "w");
    ASSERT_GE(handle, 0);
    const std::string line = std::string(63, 'x') + "\n";  // 64 bytes: a block holds whole lines
    size_t lines = 0;
    while (size_of(path) == 0) {
        ASSERT_EQ(write_text_line(line, handle), 0);
        ASSERT_LE(++lines * 64, OutputBuffer::kBlock) << "the block was never written";
    }
    EXPECT_EQ(lines * 64, OutputBuffer::kBlock);
    EXPECT_EQ(size_of(path), lines * 65) << "the block goes out whole, each LF as CR LF";
    EXPECT_EQ(write_text_line("tail\n", handle), 0);
    EXPECT_EQ(close_tracked_file(handle), 0);
    EXPECT_EQ(size_of(path), lines * 65 + 6);
}

TEST_F(BufferedOutput, AFullDiskShowsAtTheBlockAndAtTheClose) {
    crt_set_full_disk("full.txt");
    const int handle = open_tracked_file(dir_.path("full.txt").c_str(), "w");
    ASSERT_GE(handle, 0);
    const std::string block(OutputBuffer::kBlock - 1, 'y');
    EXPECT_EQ(write_text_line(block, handle), 0) << "still gathered";
    EXPECT_EQ(write_text_line("zz", handle), -1) << "the block could not be written";
    EXPECT_EQ(write_text_line("more", handle), -1) << "nothing goes in after a failure";
    EXPECT_EQ(close_tracked_file(handle), kCodeCannotWrite);
    EXPECT_NE(error_bytes().find(" : E058 : "), std::string::npos);

    // a short file fails only at its close
    const int second = open_tracked_file(dir_.path("also_full.txt").c_str(), "w");
    ASSERT_GE(second, 0);
    EXPECT_EQ(write_text_line("short\n", second), 0);
    EXPECT_EQ(close_tracked_file(second), kCodeCannotWrite);
}

TEST_F(BufferedOutput, AnAbandonedFileDropsWhatItGathered) {
    const std::string path = dir_.path("dropped.txt");
    const int handle = open_tracked_file(path.c_str(), "w");
    ASSERT_GE(handle, 0);
    EXPECT_EQ(write_text_line("never written\n", handle), 0);
    close_all_tracked_files();
    EXPECT_EQ(size_of(path), 0u);
    // the slot serves the next file with an empty buffer
    const int next = open_tracked_file(path.c_str(), "w");
    ASSERT_GE(next, 0);
    EXPECT_EQ(write_text_line("fresh\n", next), 0);
    EXPECT_EQ(close_tracked_file(next), 0);
    EXPECT_EQ(read_bytes(path), "fresh\r\n");
}

TEST_F(BufferedOutput, AppendedLinesGoOutAtOnce) {
    const std::string path = dir_.path("log.txt");
    const int handle = open_tracked_file(path.c_str(), "a");
    ASSERT_GE(handle, 0);
    EXPECT_EQ(write_text_line("line\n", handle), 0);
    EXPECT_EQ(read_bytes(path), "line\r\n");
    EXPECT_EQ(close_tracked_file(handle), 0);
}

}  // namespace
}  // namespace analysis_test
