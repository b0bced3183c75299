// The tester's later steps: looking at windows in the middle of a long run
// (at a peek), drawing logs of a window and of the last print job, a drag
// with the button held, a move of the pointer with none, and a command sent
// as an accelerator sends it.
#include "tests/common/temp_dir.h"
#include "tests/platform_win/automation_tiny_program.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class StepsTest : public tiny::ProgramFixture {};

TEST_F(StepsTest, AtAPeekTheRunningJobCanBeCapturedAndChecked) {
    TempDir dir;
    const char* script =
        "at-peek 2 capture \"Meter\" meter.png\n"
        "at-peek 2 expect-menu 200 grayed\n"
        "at-peek 3 expect-enabled \"Meter\"/500\n"
        "at-peek 3 expect-hidden \"Meter\"\n"
        "key F5\n"
        "expect-message \"done\"\n"
        "answer OK\n"
        "expect-menu 200 enabled\n";
    EXPECT_EQ(run(script, dir.path()), 0);
    EXPECT_EQ(automation::failures(), std::vector<std::string>{"\"Meter\" is visible"});
    const std::string log = automation::log_text();
    EXPECT_NE(log.find("line 5: key F5\n"
                       "  at a peek: capture \"Meter\" meter.png\n"
                       "  captured \"Meter\"\n"
                       "  at a peek: expect-menu 200 grayed\n"
                       "  ok\n"
                       "  at a peek: expect-enabled \"Meter\"/500\n"
                       "  ok\n"
                       "  at a peek: expect-hidden \"Meter\"\n"
                       "  FAILED: \"Meter\" is visible\n"),
              std::string::npos)
        << log;
    std::string png = read_raw(dir.path("meter.png"));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(StepsTest, PixelProbesTellABlankAreaFromADrawnOne) {
    // the tiny frame paints a grey band of 100 x 20 at its top left on white
    run("expect-ink main 0 0 200 40\n"
        "expect-ink main 200 100 50 50\n"
        "expect-ink main\n"
        "expect-pixel main 5 5 128 128 128\n"
        "expect-pixel main 150 5 128 128 128\n"
        "expect-pixel main 5000 5 0 0 0\n");
    EXPECT_EQ(automation::failures(),
              (std::vector<std::string>{"the area is blank (0 pixels drawn)", "the pixel is 255 255 255",
                                        "the point is off the window"}));
}

TEST_F(StepsTest, TheDrawingLogOfAWindowGoesToAFile) {
    TempDir dir;
    EXPECT_EQ(run("drawing-log main \"frame.log\"\n", dir.path()), 0);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
    const std::string text = read_raw(dir.path("frame.log"));
    EXPECT_NE(text.find(" FillRect L(0,0)(100,20) D(0,0)(100,20)"), std::string::npos) << text;
    EXPECT_EQ(text.find("printer#"), std::string::npos);
}

TEST_F(StepsTest, ThePrintLogHoldsTheLastJobWithItsPages) {
    TempDir dir;
    HDC dc = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    ASSERT_NE(dc, nullptr);
    const std::string output = dir.path("job.pdf");
    DOCINFOA info{sizeof(DOCINFOA), "two jobs", output.c_str(), nullptr, 0};
    for (int job = 0; job < 2; ++job) {
        StartDocA(dc, &info);
        for (int page = 0; page < 2; ++page) {
            StartPage(dc);
            Rectangle(dc, 10 + job, 10, 100, 100 + page);
            EndPage(dc);
        }
        EndDoc(dc);
    }
    DeleteDC(dc);
    std::vector<std::string> lines = automation::print_drawing_log();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].find("StartDocA"), lines[0].find(' ') + 1) << lines[0];
    EXPECT_NE(lines[2].find(" page 1 Rectangle L(11,10)(100,100)"), std::string::npos) << lines[2];
    EXPECT_NE(lines[5].find(" page 2 Rectangle L(11,10)(100,101)"), std::string::npos) << lines[5];
    EXPECT_NE(lines[7].find("EndDoc"), std::string::npos);
}

TEST_F(StepsTest, ADragHoldsTheButtonAndFollowsTheProgramsPointer) {
    ASSERT_NE(register_recording_class("Recorder"), 0);
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    automation::run_until_idle();
    spy().clear();
    ASSERT_TRUE(automation::drag(frame, 10, 20, 50, 20));
    auto downs = spy().all_of(WM_LBUTTONDOWN);
    auto moves = spy().all_of(WM_MOUSEMOVE);
    auto ups = spy().all_of(WM_LBUTTONUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].lparam, MAKELPARAM(10, 20));
    EXPECT_EQ(ups[0].lparam, MAKELPARAM(50, 20));
    ASSERT_GE(moves.size(), 3u) << "a move to the start and steps on the way";
    for (size_t i = 1; i < moves.size(); ++i) {
        EXPECT_EQ(moves[i].wparam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON)) << "held while moving";
    }
    EXPECT_EQ(moves.back().lparam, MAKELPARAM(50, 20));

    // the program puts the pointer back to the start at the first move
    bool warped = false;
    spy().handlers[WM_MOUSEMOVE] = [&](HWND, UINT, WPARAM wparam, LPARAM) -> LRESULT {
        if ((wparam & MK_LBUTTON) && !warped) {
            warped = true;
            SetCursorPos(10, 20);
        }
        return 0;
    };
    spy().clear();
    automation::drag(frame, 10, 20, 50, 20);
    ASSERT_EQ(spy().all_of(WM_LBUTTONUP).size(), 1u);
    EXPECT_EQ(spy().all_of(WM_LBUTTONUP)[0].lparam, MAKELPARAM(42, 20)) << "the first step of 8 was taken back";
}

TEST_F(StepsTest, ACommandReachesTheMainWindowWithoutAMenu) {
    ASSERT_NE(register_recording_class("Recorder"), 0);
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    spy().clear();
    ASSERT_TRUE(automation::send_command(24590));
    auto commands = spy().all_of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].window, frame);
    EXPECT_EQ(commands[0].wparam, MAKEWPARAM(24590, 1)) << "as an accelerator sends it";
    EXPECT_TRUE(spy().all_of(WM_INITMENU).empty());

    automation::reset();
    TempDir dir;
    EXPECT_EQ(run("command 400\nexpect-message \"Tiny 1.0\"\nanswer OK\n", dir.path()), 0);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
    EXPECT_NE(automation::log_text().find("line 1: command 400\n  command 400 sent\n"), std::string::npos);
}

TEST_F(StepsTest, AMoveSetsTheCursorOfTheWindowUnderThePointer) {
    ASSERT_NE(register_recording_class("Recorder"), 0);
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300);
    HWND child = make_child(frame, 7, 100, 100, 50, 40);
    automation::run_until_idle();
    spy().clear();
    spy().handlers[WM_SETCURSOR] = [child](HWND window, UINT, WPARAM, LPARAM) -> LRESULT {
        SetCursor(LoadCursorA(nullptr, window == child ? IDC_CROSS : IDC_ARROW));
        return TRUE;
    };
    ASSERT_TRUE(automation::move_mouse(frame, 120, 110));
    EXPECT_EQ(spy().of(child, {WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN}),
              (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE})) << "the cursor question comes first, no button";
    const auto moves = spy().all_of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lparam, MAKELPARAM(20, 10)) << "in the child's own coordinates";
    EXPECT_EQ(moves[0].wparam & MK_LBUTTON, 0u);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_CROSS));
    ASSERT_TRUE(automation::move_mouse(frame, 10, 10));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_FALSE(automation::move_mouse(nullptr, 1, 1));

    automation::reset();
    TempDir dir;
    EXPECT_EQ(run("move main 5 5\n", dir.path()), 0);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
    EXPECT_NE(automation::log_text().find("line 1: move main 5 5\n"), std::string::npos);
}

}  // namespace
