// Printer contexts and the print manager: documents become PDF files in the
// state directory, a page per StartPage/EndPage, the paper of the device mode;
// and the LPT1 port as a file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/pdf_pages.h"
#include "tests/common/platform_home.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/port.h"
#include "platform/gdi/print_manager.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override { clear_print_job_records(); }
    // a folder of its own: the tests of this file run in parallel processes
    ScopedPlatformHome scratch;
    std::filesystem::path home{scratch.path()};
};

TEST_F(PrintTest, TwoPageJobGivesATwoPagePdf) {
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 4961);  // A4 portrait at 600 dots an inch
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 7016);
    DOCINFOA info{sizeof(DOCINFOA), "NXW32_print[test.lin]", nullptr, nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    clear_drawing_log();
    ASSERT_GT(StartPage(dc), 0);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 100, 100, 2000, 1000);
    TextOutA(dc, 200, 200, "\x8a\xd6\x90\x94 ABC", 8);  // "関数 ABC"
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(StartPage(dc), 0);
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 4000, 4000);
    ASSERT_GT(EndPage(dc), 0);
    ASSERT_GT(EndDoc(dc), 0);

    const std::string path = last_print_job_path();
    EXPECT_EQ(path, (home / "print" / "job-0001.pdf").string());
    const PdfPages pages = pdf_pages(read_file(path));
    EXPECT_EQ(pages.count, 2);
    ASSERT_FALSE(pages.boxes.empty());
    for (const auto& [w, h] : pages.boxes) {
        EXPECT_NEAR(w, 595.3, 0.5);
        EXPECT_NEAR(h, 841.9, 0.5);
    }
    const auto records = print_job_records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].pages, 2);
    EXPECT_EQ(records[0].document_name, "NXW32_print[test.lin]");
    EXPECT_FALSE(records[0].aborted);

    // The log numbers the pages.
    int on_page_two = 0;
    for (const auto& e : drawing_log_entries()) {
        if (e.op == "LineTo") on_page_two += e.page == 2 ? 1 : 0;
        if (e.op == "Rectangle") {
            EXPECT_EQ(e.page, 1);
        }
    }
    EXPECT_EQ(on_page_two, 1);
    DeleteDC(dc);
}

TEST_F(PrintTest, B4LandscapeAndNumbering) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    mode.dmPaperSize = DMPAPER_B4;
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", &mode);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 356);  // 364 mm less the unprintable edges
    EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), 249);
    // A job number left by an earlier run is not reused.
    std::filesystem::create_directories(home / "print");
    std::ofstream(home / "print" / "job-0007.pdf") << "old";
    DOCINFOA info{sizeof(DOCINFOA), "b4", nullptr, nullptr, 0};
    StartDocA(dc, &info);
    StartPage(dc);
    EndPage(dc);
    EndDoc(dc);
    EXPECT_EQ(last_print_job_path(), (home / "print" / "job-0008.pdf").string());
    const PdfPages pages = pdf_pages(read_file(last_print_job_path()));
    EXPECT_EQ(pages.count, 1);
    ASSERT_FALSE(pages.boxes.empty());
    EXPECT_NEAR(pages.boxes[0].first, 1031.8, 0.5);
    EXPECT_NEAR(pages.boxes[0].second, 728.5, 0.5);
    DeleteDC(dc);
}

TEST_F(PrintTest, AbortedJobsLeaveNoFile) {
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    DOCINFOA info{sizeof(DOCINFOA), "aborted", nullptr, nullptr, 0};
    StartDocA(dc, &info);
    StartPage(dc);
    AbortDoc(dc);
    auto records = print_job_records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(records[0].aborted);
    EXPECT_FALSE(std::filesystem::exists(records[0].path));
    EXPECT_EQ(last_print_job_path(), "");

    // Deleting the context in the middle of a job aborts it too.
    StartDocA(dc, &info);
    StartPage(dc);
    DeleteDC(dc);
    records = print_job_records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[1].aborted);
}

// Programs printing at the same moment into one state folder: every job has
// a file of its own, whole, with its pages; so has every PostScript stream.
TEST_F(PrintTest, JobsStartedAtOnceByManyProcessesEachKeepTheirFile) {
    constexpr int kProcesses = 8, kJobs = 12;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child != 0) {
            children.push_back(child);
            continue;
        }
        HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
        for (int j = 0; j < kJobs; ++j) {
            DOCINFOA info{sizeof(DOCINFOA), "at once", nullptr, nullptr, 0};
            if (StartDocA(dc, &info) <= 0) ::_exit(1);
            for (int page = 0; page < 1 + (p + j) % 3; ++page) {
                StartPage(dc);
                Rectangle(dc, 100, 100, 2000, 1000);
                if (EndPage(dc) <= 0) ::_exit(2);
            }
            if (EndDoc(dc) <= 0) ::_exit(3);
            std::string ps;
            const int fd = create_print_file("ps", ps);
            const std::string mark = "%!" + std::to_string(p * kJobs + j);
            if (fd < 0 || crt_write(fd, mark.data(), static_cast<unsigned>(mark.size())) != static_cast<int>(mark.size()) ||
                crt_close(fd) != 0)
                ::_exit(4);
        }
        DeleteDC(dc);
        ::_exit(0);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    }
    std::map<int, int> jobs_of_pages, expected;
    std::set<std::string> marks;
    for (int p = 0; p < kProcesses; ++p)
        for (int j = 0; j < kJobs; ++j) ++expected[1 + (p + j) % 3];
    for (const auto& entry : std::filesystem::directory_iterator(home / "print")) {
        const std::string bytes = read_file(entry.path().string());
        if (entry.path().extension() == ".ps") {
            marks.insert(bytes);
            continue;
        }
        EXPECT_EQ(entry.path().extension(), ".pdf");
        EXPECT_NE(bytes.rfind("%%EOF"), std::string::npos) << entry.path() << " is not whole";
        ++jobs_of_pages[pdf_pages(bytes).count];
    }
    EXPECT_EQ(jobs_of_pages, expected);
    EXPECT_EQ(marks.size(), static_cast<size_t>(kProcesses * kJobs)) << "each stream holds its own job";
}

TEST_F(PrintTest, CallsOutOfOrderFail) {
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    // Drawing outside a page goes nowhere, but does no harm.
    EXPECT_TRUE(Rectangle(dc, 0, 0, 10, 10));
    DOCINFOA info{sizeof(DOCINFOA), "x", nullptr, nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EndDoc(dc);
    DeleteDC(dc);

    HDC ic = CreateICA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    EXPECT_EQ(StartDocA(ic, &info), SP_ERROR);
    DeleteDC(ic);
    EXPECT_EQ(CreateDCA("pdfdriver", "", "LPT1:", nullptr), nullptr);
}

TEST_F(PrintTest, PrinterPortIsAFileThatGrows) {
    const std::string path = printer_port_path("lpt1:");
    EXPECT_EQ(path, (home / "LPT1").string());
    int port = open_printer_port("LPT1");
    ASSERT_GT(port, 0);
    EXPECT_EQ(write_printer_port(port, "\033c", 2), 2);
    EXPECT_EQ(close_printer_port(port), 0);
    port = open_printer_port("LPT1");
    EXPECT_EQ(write_printer_port(port, "AB", 2), 2);
    EXPECT_EQ(close_printer_port(port), 0);
    EXPECT_EQ(read_file(path), "\033cAB");

    EXPECT_EQ(open_printer_port("LPT9"), -1);
    EXPECT_EQ(open_printer_port(nullptr), -1);
    EXPECT_EQ(write_printer_port(port, "x", 1), -1);  // closed
    EXPECT_EQ(close_printer_port(port), -1);
}

}  // namespace
