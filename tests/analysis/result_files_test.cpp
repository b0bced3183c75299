// Finished work files take the place of the results all or none: after a
// step fails every old result is back as it was and the work files are gone.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/analysis/result_files.h"
#include "platform/kernel/file_io.h"
#include "tests/analysis/analysis_fixture.h"

namespace analysis_test {
namespace {

namespace fs = std::filesystem;

class ResultFiles : public AnalysisTest {
protected:
    // three results named r0..r2 with their work files w0..w2
    std::vector<ResultFile> files() {
        std::vector<ResultFile> list;
        for (int i = 0; i < 3; ++i)
            list.push_back({dir_.path("w" + std::to_string(i)), dir_.path("r" + std::to_string(i))});
        return list;
    }
    void write_all(const std::string& prefix, const std::string& text) {
        for (int i = 0; i < 3; ++i) write_source(prefix + std::to_string(i), text + std::to_string(i));
    }
    std::set<std::string> names() {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(fs::path(dir_.path("r0")).parent_path()))
            found.insert(entry.path().filename().string());
        found.erase("errors.txt");
        return found;
    }
};

TEST_F(ResultFiles, NewResultsReplaceOldOnesAndNothingElseStays) {
    write_all("r", "old");
    write_all("w", "new");
    EXPECT_EQ(commit_result_files(files()), -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(read_bytes(dir_.path("r" + std::to_string(i))), "new" + std::to_string(i));
    EXPECT_EQ(names(), (std::set<std::string>{"r0", "r1", "r2"}));
}

TEST_F(ResultFiles, MissingResultsAreCreated) {
    write_source("r1", "old1");
    write_all("w", "new");
    EXPECT_EQ(commit_result_files(files()), -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(read_bytes(dir_.path("r" + std::to_string(i))), "new" + std::to_string(i));
    EXPECT_EQ(names(), (std::set<std::string>{"r0", "r1", "r2"}));
}

TEST_F(ResultFiles, AFolderInTheWayLeavesEveryOldResult) {
    write_all("r", "old");
    fs::remove(dir_.path("r1"));
    fs::create_directory(dir_.path("r1"));
    write_all("w", "new");
    EXPECT_EQ(commit_result_files(files()), 1);
    EXPECT_EQ(read_bytes(dir_.path("r0")), "old0");
    EXPECT_TRUE(fs::is_directory(dir_.path("r1")));
    EXPECT_EQ(read_bytes(dir_.path("r2")), "old2");
    EXPECT_EQ(names(), (std::set<std::string>{"r0", "r1", "r2"}));
}

TEST_F(ResultFiles, AStepFailingLateBringsTheEarlierOldResultsBack) {
    // the last work file is missing: the first two were already in place
    write_source("r0", "old0");
    write_source("r2", "old2");
    write_source("w0", "new0");
    write_source("w1", "new1");
    EXPECT_EQ(commit_result_files(files()), 2);
    EXPECT_EQ(read_bytes(dir_.path("r0")), "old0");
    EXPECT_FALSE(fs::exists(dir_.path("r1"))) << "a result that was not there before is not left";
    EXPECT_EQ(read_bytes(dir_.path("r2")), "old2");
    EXPECT_EQ(names(), (std::set<std::string>{"r0", "r2"}));
}

// Under a hold, results committed by two runs come back all old when a later
// step fails, and stay all new (with no old file left) when it does not.
TEST_F(ResultFiles, AHoldKeepsTheOldSetUntilItEnds) {
    for (const bool restore : {true, false}) {
        for (const std::string& name : names()) fs::remove(dir_.path(name));
        write_source("r0", "old0");
        write_source("r1", "old1");
        write_all("w", "new");
        {
            ResultHold hold;
            const std::vector<ResultFile> all = files();
            EXPECT_EQ(commit_result_files({all[0], all[2]}), -1);
            EXPECT_EQ(commit_result_files({all[1]}), -1);
            if (restore) hold.restore();
        }
        if (restore) {
            EXPECT_EQ(read_bytes(dir_.path("r0")), "old0");
            EXPECT_EQ(read_bytes(dir_.path("r1")), "old1");
            EXPECT_EQ(names(), (std::set<std::string>{"r0", "r1"})) << "r2 was not there before";
        } else {
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(read_bytes(dir_.path("r" + std::to_string(i))), "new" + std::to_string(i));
            EXPECT_EQ(names(), (std::set<std::string>{"r0", "r1", "r2"}));
        }
    }
}

// Whether another process could claim the name now.
bool another_process_claims(const std::string& name) {
    const pid_t child = ::fork();
    if (child == 0) _exit(crt_claim_file(name.c_str()) >= 0 ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The claimed file is written through an ordinary open of its name: the
// close of that descriptor leaves the claim held, and a second open for
// writing afresh starts the file over.
TEST_F(ResultFiles, AClaimedWorkFileWrittenAndClosedStaysClaimed) {
    const std::string work = dir_.path("w0");
    ASSERT_EQ(claim_work_file(work), WorkClaim::kClaimed);
    for (const char* text : {"first\n", "2nd\n"}) {
        const int fd = crt_open(work.c_str(), CRT_O_WRONLY | CRT_O_CREAT | CRT_O_TRUNC | CRT_O_BINARY);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(crt_write(fd, text, static_cast<unsigned>(std::string(text).size())),
                  static_cast<int>(std::string(text).size()));
        EXPECT_EQ(crt_close(fd), 0);
        EXPECT_EQ(read_bytes(work), text);
        EXPECT_FALSE(another_process_claims(work)) << "the claim went with the close";
    }
    EXPECT_EQ(commit_result_files({{work, dir_.path("r0")}}), -1);
    EXPECT_EQ(read_bytes(dir_.path("r0")), "2nd\n");
    EXPECT_TRUE(another_process_claims(work)) << "let go once in place";
}

}  // namespace
}  // namespace analysis_test
