// Lack of memory and inputs without end: an allocation that fails anywhere in
// a converter gives the out-of-memory status with the work files removed and
// the old results kept (or, where the run copes, its normal end); readers
// hold a bounded amount whatever the file.

#include <unistd.h>

#include <string>

#include "allocation_hook.h"
#include "bad_input_fixture.h"
#include "common/shell/document.h"
#include "notarix/formatter/nx1012.h"

namespace bad_input_test {
namespace {

class Memory : public BadInputTest {
protected:
    void TearDown() override {
        allocation_hook::reset();
        BadInputTest::TearDown();
    }

    // A file of `bytes` zero bytes without a line end, made without writing them.
    std::string endless_line_file(const std::string& name, off_t bytes) {
        const std::string path = write_file(name, "");
        EXPECT_EQ(::truncate(path.c_str(), bytes), 0);
        return path;
    }

    // Files without the error files.
    static std::map<std::string, std::string> results(std::map<std::string, std::string> files) {
        for (const char* error : {"nx1000.err", "gx1000.err", "oq1000.err"}) files.erase(error);
        return files;
    }

    // Puts the scratch directory back as a snapshot found it.
    void restore(const std::map<std::string, std::string>& files) {
        for (const auto& [name, bytes] : snapshot())
            if (files.count(name) == 0) std::filesystem::remove(dir_.path(name));
        for (const auto& [name, bytes] : files) write_file(name, bytes);
    }

    // Fails the n-th allocation of a run, for every n until the run needs no
    // more than that. A run that meets the failure says 13 and leaves the old
    // files as they were, or copes and ends as an unhindered run does, with
    // its files: never a failure over new files, nor a success over old ones.
    template <class Run>
    void sweep_allocation_failures(const char* what, Run run, int finished_status) {
        const auto before = snapshot();
        ASSERT_EQ(run(), finished_status) << what;
        const auto finished = results(snapshot());
        restore(before);
        for (long n = 0;; ++n) {
            allocation_hook::reset();
            before_run_ = [n] { allocation_hook::fail_after(n); };
            after_run_ = [] { allocation_hook::fail_after(-1); };
            const int status = run();
            before_run_ = after_run_ = nullptr;
            const bool failed = allocation_hook::failed();
            allocation_hook::reset();
            if (status == 13 && failed) {
                ASSERT_EQ(results(snapshot()), results(before)) << what << " failing allocation " << n;
            } else {
                EXPECT_EQ(status, finished_status) << what << " failing allocation " << n;
                ASSERT_EQ(results(snapshot()), finished) << what << " failing allocation " << n;
            }
            if (!failed) return;
            restore(before);
            reset_analysis_state(kNotarixAnalysis);
        }
    }
};

TEST_F(Memory, AllocationFailureInEachConverterIsThirteen) {
    const std::string source = write_file("f.c", std::string(kGoodSource) + "int g(int a)\n{\n    return h(a);\n}\n");
    const std::string list = write_file("f.nam", "f.c\n");
    for (const char* ext : {".fss", ".fsm", ".flt", ".pds", ".trd"}) write_file(std::string("f") + ext, "old");
    sweep_allocation_failures("nx1011s", [&] { return run_nx(source); }, 0);
    sweep_allocation_failures("gx1002s", [&] { return run_gx(source); }, 0);
    sweep_allocation_failures("oq1011s", [&] { return run_oq(list, {"-Fb1"}); }, 0);
}

// The formatter too, from its first allocation on; and the folder listings
// it keeps for its run are dropped however it ends, or a later lookup by
// another case would miss a file made since.
TEST_F(Memory, AllocationFailureInTheFormatterIsThirteen) {
    const std::string source = write_file("p.c", kGoodSource);
    ASSERT_EQ(run_nx(source), 0);
    write_file("p.lin", "old");
    std::vector<std::string> args = {"nx1012", source};
    sweep_allocation_failures("nx1012", [&] { return run(run_spec_formatter, args); }, 0);
    EXPECT_NE(read_raw(dir_.path("p.lin")), "old");

    EXPECT_FALSE(crt_exists(dir_.path("LATE.TXT").c_str()));
    write_raw(dir_.path("late.txt"), "made outside the platform's file layer");
    EXPECT_TRUE(crt_exists(dir_.path("LATE.TXT").c_str()));
}

TEST_F(Memory, HugeDocumentWithoutLineEndsIsRefusedInBoundedMemory) {
    const std::string lin = endless_line_file("d.lin", 300 << 20);
    DocumentState state;
    state.file_name = lin;
    allocation_hook::reset();
    allocation_hook::limit_live_bytes(8 << 20);
    EXPECT_EQ(index_document(state, kNotarixDocument), kIndexNotADocument);
    EXPECT_FALSE(allocation_hook::failed());
    EXPECT_LT(allocation_hook::peak_live_bytes(), 6u << 20);
}

TEST_F(Memory, LongLinesOfADocumentAreCutAndTheirOffsetsKept) {
    const size_t length = RecordFileReader::kMaxRecordLineBytes * 2 + 5;
    std::string bytes = "first\r\n" + std::string(length, 'x') + "\r\nthird\n";
    const std::string path = write_file("long.lin", bytes);
    RecordFileReader reader;
    ASSERT_TRUE(reader.open(path));
    std::string line;
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "first");
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line.size(), RecordFileReader::kMaxRecordLineBytes);
    EXPECT_EQ(reader.offset(), static_cast<int64_t>(7 + length + 2));
    ASSERT_TRUE(reader.next_line(line));
    EXPECT_EQ(line, "third");
    EXPECT_FALSE(reader.next_line(line));
}

TEST_F(Memory, HugeControlFilesAreRefusedUnderAMemoryLimit) {
    const std::string source = write_file("k.c", kGoodSource);
    endless_line_file("big.nam", 40 << 20);
    for (const char* name : {"nx1000.kwd", "gx1000.kwd"}) endless_line_file(name, 40 << 20);
    allocation_hook::reset();
    allocation_hook::limit_live_bytes(32 << 20);
    EXPECT_EQ(run_oq(dir_.path("big.nam")), 10);
    EXPECT_EQ(run_nx(source), 0);
    EXPECT_EQ(run_gx(source), 0);
    EXPECT_FALSE(allocation_hook::failed());
}

// The source list is read a line at a time: a long list (within the size
// limit) holds no more than its names, and an endless line is cut.
TEST_F(Memory, SourceListIsReadALineAtATime) {
    write_file("s.c", kGoodSource);
    std::string list;
    {
        std::string comments;
        while (comments.size() < (12u << 20)) comments += "# a comment line of the list, passed over\n";
        list = write_file("s.nam", comments + "s.c\n");
    }
    allocation_hook::reset();
    allocation_hook::limit_live_bytes(8 << 20);
    EXPECT_EQ(run_oq(list, {"-Fb1"}), 0);
    EXPECT_FALSE(allocation_hook::failed());
    EXPECT_LT(allocation_hook::peak_live_bytes(), 4u << 20);
    EXPECT_NE(read_raw(dir_.path("s.trd")), "");

    allocation_hook::reset();
    const std::string endless = write_file("e.nam", std::string(12u << 20, 'x') + "\ns.c\n");
    std::filesystem::remove(error_file("oq1000.err"));
    allocation_hook::reset();
    allocation_hook::limit_live_bytes(8 << 20);
    EXPECT_EQ(run_oq(endless, {"-Fb1"}), 10);
    EXPECT_FALSE(allocation_hook::failed());
    EXPECT_LT(allocation_hook::peak_live_bytes(), 4u << 20);
    // the cut line names a missing file on line 1; line 2 is read as a line of its own
    const std::string errors = read_raw(error_file("oq1000.err"));
    EXPECT_NE(errors.find("(   1) : E055 : "), std::string::npos) << errors.substr(0, 200);
    EXPECT_EQ(errors.find("(   2) : E055 : "), std::string::npos);
}

TEST_F(Memory, SourceWithoutLineEndsUnderAMemoryLimit) {
    const std::string source = endless_line_file("s.c", 8 << 20);
    const std::string list = write_file("s.nam", "s.c\n");
    allocation_hook::reset();
    allocation_hook::limit_live_bytes(16 << 20);
    for (int status : {run_nx(source), run_gx(source), run_oq(list, {"-Fb1"})}) EXPECT_NE(status, 13);
    EXPECT_FALSE(allocation_hook::failed());
}

}  // namespace
}  // namespace bad_input_test
