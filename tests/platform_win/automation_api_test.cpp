// The automation interface in process: message boxes answered and
// unanswered (an error, never a wait), presses at the n-th peek of a loop
// that pumps messages, window descriptions, records of beeps, help and
// shell calls, and captures.
#include "platform/gdi/wingdi.h"
#include "tests/common/temp_dir.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class ApiTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
    }
};

TEST_F(ApiTest, MessageBoxesAnsweredInAdvance) {
    automation::answer_next_message_box(IDNO);
    automation::answer_next_message_box(IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?\nNow", "Doc", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Doc", MB_OKCANCEL), IDCANCEL);
    const auto& boxes = automation::message_boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Doc");
    EXPECT_EQ(boxes[0].text, "Save?\nNow");
    EXPECT_EQ(boxes[0].answer, IDNO);
    EXPECT_FALSE(automation::failed());
    EXPECT_NE(automation::log_text().find(
                  "  message box \"Doc\" \"Save?\\nNow\" MB_YESNOCANCEL|MB_ICONQUESTION|MB_DEFBUTTON2\n  answered IDNO\n"),
              std::string::npos)
        << automation::log_text();
    EXPECT_EQ(MessageBoxA(nullptr, "x", nullptr, MB_OK), 0) << "nobody answers";
    EXPECT_EQ(automation::message_boxes().back().caption, "Error");
}

TEST_F(ApiTest, AnUnansweredBoxEndsTheRunWithoutWaiting) {
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(MessageBoxA(frame, "\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48", "\x81\x79 T \x81\x7A",
                          MB_YESNO),
              0);
    ASSERT_EQ(automation::failures().size(), 1u);
    EXPECT_EQ(automation::failures()[0], "nobody answered the message box \"【 T 】\"");
    EXPECT_NE(automation::log_text().find("\"終了しますか？\""), std::string::npos) << "logged in UTF-8";
    PostMessageA(frame, WM_USER, 0, 0);
    MSG m;
    EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0)) << "the loop ends at once";
    EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
    automation::answer_next_message_box(IDYES);
    EXPECT_EQ(MessageBoxA(frame, "again", "T", MB_YESNO), 0) << "the run is over";
    EXPECT_EQ(automation::message_boxes().size(), 2u);
}

TEST_F(ApiTest, AnAnswerThatIsNotAButtonOfTheBoxFails) {
    automation::answer_next_message_box(IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "x", "c", MB_OK), 0);
    EXPECT_TRUE(automation::failed());
}

TEST_F(ApiTest, BeepsAreRecorded) {
    MessageBeep(0);
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(0xFFFFFFFF);
    EXPECT_EQ(automation::beeps(), (std::vector<UINT>{0, MB_ICONEXCLAMATION, 0xFFFFFFFF}));
    EXPECT_EQ(automation::log_text(), "  beep MB_OK\n  beep MB_ICONEXCLAMATION\n  beep simple\n");
}

// A long job as the programs run it: one PeekMessageA per unit of work, the
// message translated and dispatched, the abort flag read before each unit.
struct Job {
    bool abort = false;
    int units = 0;
    int peeks_seen_at_abort = -1;
};
Job job;

TEST_F(ApiTest, AButtonIsPressedAtTheNthPeek) {
    struct Case {
        long n;
        int units;
    };
    // The press is a move, a button-down and a button-up: the button acts on
    // the up, two peeks after the one it was armed for.
    const Case cases[] = {{1, 3}, {4, 6}, {30, 32}};
    for (const Case& c : cases) {
        automation::reset();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        spy().clear();
        HWND meter = make_frame("Meter", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 340, 200);
        HWND button = make_child(meter, 500, 130, 130, 80, 24);
        automation::run_until_idle();
        job = Job{};
        spy().handlers[WM_LBUTTONUP] = [](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
            if (GetDlgCtrlID(w) == 500) job.abort = true;
            return 0;
        };
        automation::press_at_peek(c.n, automation::WindowSpec::titled("Meter").child(500));
        for (int unit = 0; unit < 100 && !job.abort; ++unit) {
            MSG m;
            if (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            ++job.units;
        }
        EXPECT_TRUE(job.abort) << c.n;
        EXPECT_EQ(job.units, c.units) << c.n;
        EXPECT_EQ(spy().of(button, {WM_LBUTTONDOWN, WM_LBUTTONUP}),
                  (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    }
}

TEST_F(ApiTest, PressingRefusesHiddenAndDisabledWindows) {
    HWND frame = make_frame("f", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND hidden = make_child(frame, 1, 0, 0, 10, 10, WS_CHILD);
    HWND disabled = make_child(frame, 2, 20, 0, 10, 10, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    spy().clear();
    EXPECT_FALSE(automation::press(hidden));
    EXPECT_FALSE(automation::press_control(frame, 2));
    EXPECT_FALSE(automation::press_control(frame, 3));
    EXPECT_TRUE(spy().all_of(WM_LBUTTONDOWN).empty());
    std::string log = automation::log_text();
    EXPECT_NE(log.find("refused: the window is hidden"), std::string::npos) << log;
    EXPECT_NE(log.find("refused: the window is disabled"), std::string::npos) << log;
    EXPECT_NE(log.find("press 3 refused: there is no such control"), std::string::npos) << log;
    (void)disabled;
}

TEST_F(ApiTest, WindowDescriptionsFindWindows) {
    HWND main = make_frame("\x83\x81\x83\x43\x83\x93", WS_OVERLAPPEDWINDOW | WS_VISIBLE);  // メイン
    HWND bar = make_child(main, 1000, 0, 0, 100, 20);
    HWND box = make_child(bar, 100, 0, 0, 50, 20);
    HWND meter = make_frame("Meter", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 100, 100);
    HWND cancel = make_child(meter, 500, 0, 0, 10, 10);
    using automation::WindowSpec;
    EXPECT_EQ(automation::find_window(WindowSpec::main_window()), main);
    EXPECT_EQ(automation::find_window(WindowSpec::titled("\x83\x81\x83\x43\x83\x93").child(100)), box)
        << "ids are found at any depth";
    EXPECT_EQ(automation::find_window(WindowSpec::control(500)), cancel) << "in the active window";
    EXPECT_EQ(automation::find_window(WindowSpec::control(1000)), bar) << "else in the main window";
    EXPECT_EQ(automation::find_window(WindowSpec::titled("Nothing")), nullptr);
    EXPECT_EQ(automation::find_window(WindowSpec::control(77)), nullptr);
    EXPECT_EQ(WindowSpec::titled("\x83\x81\x83\x43\x83\x93").child(1000).child(100).describe(), "\"メイン\"/1000/100");
    EXPECT_EQ(WindowSpec::control(500).describe(), "500");
    DestroyWindow(meter);
    EXPECT_EQ(automation::find_window(WindowSpec::control(500)), nullptr);
}

TEST_F(ApiTest, HelpAndShellCallsAreRecorded) {
    automation::record_help_call("/prog/nx1000s.hlp", 0x000B, 0);
    automation::set_shell_result(2);
    EXPECT_EQ(automation::record_shell_call(nullptr, "open", "notepad.exe", "a.c", "/usr/bin", SW_SHOW), 2);
    ASSERT_EQ(automation::help_calls().size(), 1u);
    EXPECT_EQ(automation::help_calls()[0].command, 0x000Bu);
    ASSERT_EQ(automation::shell_calls().size(), 1u);
    EXPECT_EQ(automation::shell_calls()[0].parameters, "a.c");
    EXPECT_EQ(automation::shell_calls()[0].directory, "/usr/bin");
}

TEST_F(ApiTest, CapturesPaintFirstAndCutOutChildren) {
    TempDir dir;
    HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
    HWND child = make_child(frame, 1, 10, 10, 64, 32);
    bool painted = false;
    spy().handlers[WM_PAINT] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        if (w == child) {
            painted = true;
            RECT r{0, 0, 64, 32};
            FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        EndPaint(w, &ps);
        return 0;
    };
    ASSERT_TRUE(automation::capture_png(child, dir.path("child.png")));
    EXPECT_TRUE(painted) << "pending paints are done first";
    std::string png = read_raw(dir.path("child.png"));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(png[19]), 64u);
    EXPECT_EQ(static_cast<unsigned char>(png[23]), 32u);
    ASSERT_TRUE(automation::capture_png(frame, dir.path("frame.png")));
    EXPECT_EQ(static_cast<unsigned char>(read_raw(dir.path("frame.png"))[19]), 44u) << "300 = 256 + 44";
    EXPECT_FALSE(automation::capture_png(frame, dir.path("no/such/dir/x.png")));
    EXPECT_FALSE(automation::drawing_log(child).empty());
}

TEST_F(ApiTest, WindowsThatPaintIntoNothingShowTheirPixelsWhenLookedAt) {
    struct Case {
        bool kept;
        bool capture_first;  // else the first look is a pixel question
    };
    const Case cases[] = {{true, false}, {false, false}, {false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kept " << c.kept << ", capture " << c.capture_first);
        automation::reset();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        automation::set_window_pixels(c.kept);
        TempDir dir;
        HWND frame = make_frame("f", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
        HWND child = make_child(frame, 1, 10, 10, 64, 32);
        int paints = 0;
        spy().handlers[WM_PAINT] = [&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            if (w == child) {
                ++paints;
                RECT r{0, 0, 64, 32};
                FillRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            }
            EndPaint(w, &ps);
            return 0;
        };
        automation::run_until_idle();
        EXPECT_EQ(paints, 1) << "the program paints whether or not its pixels are kept";
        EXPECT_FALSE(automation::drawing_log(child).empty());
        if (c.capture_first) {
            ASSERT_TRUE(automation::capture_png(child, dir.path("child.png")));
            EXPECT_EQ(static_cast<unsigned char>(read_raw(dir.path("child.png"))[19]), 64u);
        }
        EXPECT_EQ(automation::pixel_at(child, 5, 5), RGB(0, 0, 0));
        EXPECT_EQ(automation::pixel_at(frame, 150, 100), RGB(255, 255, 255)) << "the frame's client is painted too";
        EXPECT_EQ(paints, c.kept ? 1 : 2) << "painted whole once more when its pixels were first wanted";
    }
    automation::set_window_pixels(true);
}

}  // namespace
