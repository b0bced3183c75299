// What the printer device of the programs relies on: the 600-dot A4 and B4
// printers' capabilities, the anisotropic logical page, round boxes and clip
// regions on a printer, the abort procedure asked at each page, printer
// calls that fail, and a port that takes only part of a write.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/gdi/drawing_log.h"
#include "platform/gdi/port.h"
#include "platform/gdi/print_manager.h"
#include "platform/gdi/wingdi.h"
#include "platform/kernel/file_io.h"
#include "tests/platform/kernel_home_fixture.h"

namespace {
// When set, the next close of a PDF fails after closing it, as a disk that
// reports a lost write only at the close does.
std::atomic<bool> g_fail_next_pdf_close{false};
}  // namespace

extern "C" int close(int fd) {
    bool fail = false;
    if (g_fail_next_pdf_close.load()) {
        char link[32], target[4096];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t n = readlink(link, target, sizeof target);
        fail = n > 0 && std::string_view(target, static_cast<size_t>(n)).ends_with(".pdf") &&
               g_fail_next_pdf_close.exchange(false);
    }
    const long closed = syscall(SYS_close, fd);
    if (!fail) return static_cast<int>(closed);
    errno = EIO;
    return -1;
}

namespace {

class PrinterDeviceTest : public PlatformHomeTest {
protected:
    void SetUp() override {
        PlatformHomeTest::SetUp();
        clear_print_job_records();
        clear_drawing_log();
    }
    void TearDown() override {
        set_printer_port_write_limit(-1);
        PlatformHomeTest::TearDown();
    }

    static HDC printer(short paper, short orientation) {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
        mode.dmPaperSize = paper;
        mode.dmOrientation = orientation;
        return CreateDCA("pdfdriver", "PDF Printer", "LPT1:", &mode);
    }

};

// Like a real page printer, the sheet's edges cannot be printed: the
// printable area lies 100 dots (4.2 mm) inside them on every side.
TEST_F(PrinterDeviceTest, CapabilitiesOfA4AndB4) {
    const struct {
        short paper, orientation;
        int width, height;  // the sheet in dots
        int horzsize, vertsize;
    } cases[] = {
        {DMPAPER_A4, DMORIENT_PORTRAIT, 4961, 7016, 202, 289},
        {DMPAPER_A4, DMORIENT_LANDSCAPE, 7016, 4961, 289, 202},
        {DMPAPER_B4, DMORIENT_PORTRAIT, 6071, 8598, 249, 356},
        {DMPAPER_B4, DMORIENT_LANDSCAPE, 8598, 6071, 356, 249},
    };
    for (const auto& c : cases) {
        HDC dc = printer(c.paper, c.orientation);
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.width) << c.paper << ' ' << c.orientation;
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.height);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 100);
        EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 100);
        EXPECT_EQ(GetDeviceCaps(dc, HORZRES), c.width - 200);
        EXPECT_EQ(GetDeviceCaps(dc, VERTRES), c.height - 200);
        EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), c.horzsize);
        EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), c.vertsize);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 600);
        EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
        EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
        DeleteDC(dc);
    }
}

TEST_F(PrinterDeviceTest, AnisotropicPortraitPage) {
    HDC dc = printer(DMPAPER_A4, DMORIENT_PORTRAIT);
    EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC), MM_TEXT);
    ASSERT_TRUE(SetWindowExtEx(dc, 5680, 8080, nullptr));
    ASSERT_TRUE(SetViewportExtEx(dc, 4961, 7016, nullptr));
    POINT p[3] = {{0, 0}, {5680, 8080}, {40, 80}};
    ASSERT_TRUE(LPtoDP(dc, p, 3));
    EXPECT_EQ(p[0].x, 0);
    EXPECT_EQ(p[1].x, 4961);
    EXPECT_EQ(p[1].y, 7016);
    EXPECT_EQ(p[2].x, 35);  // 34.9
    EXPECT_EQ(p[2].y, 69);  // 69.47
    ASSERT_TRUE(DPtoLP(dc, p, 2));
    EXPECT_EQ(p[1].x, 5680);
    EXPECT_EQ(p[1].y, 8080);
    // A zero extent is refused and leaves the mapping as it was.
    EXPECT_FALSE(SetWindowExtEx(dc, 0, 8080, nullptr));
    SIZE extent{};
    GetWindowExtEx(dc, &extent);
    EXPECT_EQ(extent.cx, 5680);
    DeleteDC(dc);
}

TEST_F(PrinterDeviceTest, RoundBoxAndClipOnAPage) {
    HDC dc = printer(DMPAPER_A4, DMORIENT_LANDSCAPE);
    DOCINFOA info{sizeof(DOCINFOA), "round", nullptr, nullptr, 0};
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 8080, 5680, nullptr);
    SetViewportExtEx(dc, 6816, 4761, nullptr);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    clear_drawing_log();
    ASSERT_TRUE(RoundRect(dc, 400, 390, 2000, 1190, 24, 24));
    const auto log = drawing_log_entries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].op, "RoundRect");
    EXPECT_EQ(log[0].page, 1);
    ASSERT_EQ(log[0].device.size(), 3u);
    EXPECT_EQ(log[0].device[0].x, 337);
    EXPECT_EQ(log[0].device[2].x, 20);  // the 24-unit corner ellipse in dots
    EXPECT_EQ(log[0].device[2].y, 20);

    // A region is in device units; the clip box answers in logical ones.
    HRGN clip = CreateRectRgn(0, 0, 1687, 4761);
    EXPECT_EQ(SelectClipRgn(dc, clip), SIMPLEREGION);
    DeleteObject(clip);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 2000);
    EXPECT_EQ(box.bottom, 5680);
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.right, 8080);
    EndPage(dc);
    EndDoc(dc);
    DeleteDC(dc);
}

// Answers from the abort procedure, in order; the calls it got.
int g_abort_calls = 0;
bool g_abort_answer = true;
BOOL abort_procedure(HDC, int) {
    ++g_abort_calls;
    return g_abort_answer ? TRUE : FALSE;
}

// An A4 printer with the abort procedure set before the document, as
// programs do, the procedure's counters reset and the document started.
HDC start_asked_document(short orientation, const DOCINFOA& info) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    mode.dmPaperSize = DMPAPER_A4;
    mode.dmOrientation = orientation;
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", &mode);
    EXPECT_GT(SetAbortProc(dc, abort_procedure), 0);
    g_abort_calls = 0;
    g_abort_answer = true;
    EXPECT_GT(StartDocA(dc, &info), 0);
    return dc;
}

TEST_F(PrinterDeviceTest, AbortProcedureIsAskedAtEachPage) {
    const DOCINFOA info{sizeof(DOCINFOA), "asked", nullptr, nullptr, 0};
    HDC dc = start_asked_document(DMORIENT_PORTRAIT, info);
    EXPECT_GT(StartPage(dc), 0);
    EXPECT_GT(EndPage(dc), 0);
    EXPECT_EQ(g_abort_calls, 2);  // at the page's start and at its end
    StartPage(dc);
    g_abort_answer = false;
    EXPECT_EQ(EndPage(dc), SP_APPABORT);
    EXPECT_EQ(g_abort_calls, 4);
    // The job is gone: nothing more can be done with it, and no file stays.
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    const auto jobs = print_job_records();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].aborted);
    EXPECT_FALSE(std::filesystem::exists(jobs[0].path));
    // The context itself goes on to the next job.
    g_abort_answer = true;
    ASSERT_GT(StartDocA(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_TRUE(std::filesystem::exists(last_print_job_path()));
    DeleteDC(dc);
}

TEST_F(PrinterDeviceTest, CancelWhilePageIsDrawnDropsTheJob) {
    const DOCINFOA info{sizeof(DOCINFOA), "long page", nullptr, nullptr, 0};
    HDC dc = start_asked_document(DMORIENT_LANDSCAPE, info);
    ASSERT_GT(StartPage(dc), 0);
    // A long page: the procedure is asked while it is drawn, not only at its end.
    for (int i = 0; i < 40; ++i) {
        Rectangle(dc, 10 * i, 10, 10 * i + 5, 20);
        TextOutA(dc, 10 * i, 40, "x", 1);
    }
    const int asked_while_drawing = g_abort_calls - 1;
    EXPECT_GE(asked_while_drawing, 5);
    // The user cancels half-way through a page: the job ends there.
    g_abort_answer = false;
    for (int i = 0; i < 10; ++i) LineTo(dc, i, i);
    const auto jobs = print_job_records();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].aborted);
    EXPECT_FALSE(std::filesystem::exists(jobs[0].path));
    const int calls = g_abort_calls;
    EXPECT_TRUE(Rectangle(dc, 0, 0, 10, 10));  // draws nowhere, asks nothing more
    EXPECT_EQ(g_abort_calls, calls);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    // Nothing was asked at the next page's start of a job that is gone,
    // and a cancel at a page's start drops the job too.
    g_abort_answer = true;
    ASSERT_GT(StartDocA(dc, &info), 0);
    g_abort_answer = false;
    EXPECT_EQ(StartPage(dc), SP_APPABORT);
    EXPECT_EQ(print_job_records().size(), 2u);
    EXPECT_TRUE(print_job_records()[1].aborted);
    DeleteDC(dc);
}

TEST_F(PrinterDeviceTest, PrinterCallsThatFail) {
    HDC dc = printer(DMPAPER_A4, DMORIENT_PORTRAIT);
    DOCINFOA info{sizeof(DOCINFOA), "failing", nullptr, nullptr, 0};
    // A print directory that cannot be made fails the document's start.
    write_raw(home_file("print"), "a file");
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    std::filesystem::remove(home_file("print"));
    fail_next_print_call("StartDocA");
    EXPECT_EQ(StartDocA(dc, &info), SP_ERROR);
    ASSERT_GT(StartDocA(dc, &info), 0);  // only the next call fails
    fail_next_print_call("StartPage");
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    ASSERT_GT(StartPage(dc), 0);
    fail_next_print_call("EndPage");
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_GT(EndPage(dc), 0);
    fail_next_print_call("EndDoc");
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_GT(EndDoc(dc), 0);

    // A page the job's file cannot take fails at its end, and the job
    // leaves no file.
    crt_set_full_disk(".pdf");
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    unsigned seed = 1;
    for (int i = 0; i < 20000; ++i) {  // lines enough that the page's bytes reach the file
        seed = seed * 1103515245u + 12345u;
        LineTo(dc, static_cast<int>(seed >> 8) % 4000, static_cast<int>(seed >> 20) % 4000);
    }
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    crt_set_full_disk(nullptr);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_FALSE(std::filesystem::exists(print_job_records().back().path));

    // So does a job whose file fails to close.
    ASSERT_GT(StartDocA(dc, &info), 0);
    ASSERT_GT(StartPage(dc), 0);
    ASSERT_GT(EndPage(dc), 0);
    g_fail_next_pdf_close = true;
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_FALSE(g_fail_next_pdf_close) << "the job's file was closed";
    g_fail_next_pdf_close = false;
    EXPECT_TRUE(print_job_records().back().aborted);
    EXPECT_FALSE(std::filesystem::exists(print_job_records().back().path));
    DeleteDC(dc);
}

TEST_F(PrinterDeviceTest, PortThatTakesOnlyPartOfAWrite) {
    const int port = open_printer_port("LPT1");
    ASSERT_GT(port, 0);
    EXPECT_EQ(open_printer_port_count(), 1);
    set_printer_port_write_limit(5);
    EXPECT_EQ(write_printer_port(port, "ABC", 3), 3);
    EXPECT_EQ(write_printer_port(port, "DEFG", 4), 2);  // only two more bytes go
    EXPECT_EQ(write_printer_port(port, "H", 1), 0);
    set_printer_port_write_limit(-1);
    EXPECT_EQ(write_printer_port(port, "I", 1), 1);
    EXPECT_EQ(close_printer_port(port), 0);
    EXPECT_EQ(open_printer_port_count(), 0);
    EXPECT_EQ(read_raw(printer_port_path("LPT1")), "ABCDEI");
}

}  // namespace
