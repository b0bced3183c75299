// The script language and the headless runner: bad scripts are refused with
// the line named, PLATFORM_SCRIPT is run and its log written beside it, and
// the exit code tells a failed run from the program's own result.
#include <stdlib.h>

#include "platform/gdi/drawing_log.h"
#include "tests/common/temp_dir.h"
#include "tests/platform_win/automation_tiny_program.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class ScriptTest : public UserTest {
protected:
    void TearDown() override {
        unsetenv("PLATFORM_SCRIPT");
        UserTest::TearDown();
    }
};

TEST_F(ScriptTest, BadScriptsAreRefusedWithTheLine) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"fly away\n", "line 1: unknown step fly"},
        {"\n# note\nmenu\n", "line 3: wrong number of words for menu"},
        {"menu open\n", "line 1: a command id or a quoted menu path is wanted"},
        {"menu 1 on main\n", "line 1: write: menu <id or path> in <window>"},
        {"key ctrl+Banana\n", "line 1: unknown key: ctrl+Banana"},
        {"type abc\n", "line 1: a text in quotation marks is wanted: abc"},
        {"click main 1\n", "line 1: wrong number of words for click"},
        {"click nowhere 1 2\n", "line 1: not a window: nowhere"},
        {"press \"Meter\"/x\n", "line 1: not a control id: x"},
        {"answer MAYBE\n", "line 1: unknown button: MAYBE"},
        {"expect-title \"unclosed\n", "line 1: a quotation mark is not closed"},
        {"expect-menu 5 shiny\n", "line 1: unknown menu state: shiny"},
        {"scroll main d line-down\n", "line 1: the bar is v or h"},
        {"at-peek 3 click main 1 2\n",
         "line 1: at a peek a step can press, capture, write a drawing log or check (expect-...): click"},
        {"at-peek 3 expect-menu 5 shiny\n", "line 1: unknown menu state: shiny"},
        {"at-peek 3 capture main\n", "line 1: wrong number of words for capture"},
        {"drag main 1 2 3\n", "line 1: wrong number of words for drag"},
        {"drag main 1 2 3 x\n", "line 1: not a number: x"},
        {"drawing-log nowhere \"a.txt\"\n", "line 1: not a window: nowhere"},
        {"drawing-log print a.txt\n", "line 1: a text in quotation marks is wanted: a.txt"},
        {"command open\n", "line 1: not a number: open"},
        {"command 5 at main\n", "line 1: write: command <id> in <window>"},
        {"expect-ink main 1 2\n", "line 1: write: expect-ink <window> [x y width height]"},
        {"expect-pixel main 1 2 300 0 0\n", "line 1: a colour is three numbers 0-255: 300"},
        {"expect-texts-fit\n", "line 1: wrong number of words for expect-texts-fit"},
        {"wait -5\n", "line 1: not a time from 0 to 600000 milliseconds: -5"},
        {"wheel main 1 2 -1 ctrl\n", "line 1: after the notches only shift may follow"},
        {"mouse-down main 1\n", "line 1: wrong number of words for mouse-down"},
        {"expect-scroll main up 3\n", "line 1: the bar is v or h"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(automation::load_script(c.script, "", &error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}

TEST_F(ScriptTest, GoodScriptsLoad) {
    const char* script =
        "\xEF\xBB\xBF# a byte order mark and comments are fine\r\n"
        "menu 20484 in main\r\n"
        "menu \"ファイル(&F)/開く(&O)...\"\n"
        "key shift+Tab   # trailing comment\n"
        "key alt+F4\n"
        "type \"a \\\"quoted\\\" word\\n\"\n"
        "click \"【 生成 】\"/500 10 -2\n"
        "double-click 3000 1 1\n"
        "press class:NXWMETER/500\n"
        "scroll 3000 v thumb 12\n"
        "answer no\n"
        "popup none\n"
        "expect-menu 16393 checked enabled in main\n"
        "expect-cursor IDC_WAIT\n"
        "at-peek 2 capture main \"busy.png\"\n"
        "at-peek 2 expect-menu 200 grayed in main\n"
        "at-peek 4 expect-disabled 500\n"
        "at-peek 4 expect-cursor IDC_WAIT\n"
        "drawing-log main \"frame.log\"\n"
        "drawing-log print \"print.log\"\n"
        "drag main 10 10 50 60\n"
        "command 24590\n"
        "command 24590 in \"Preview\"\n"
        "expect-texts-fit active\n"
        "expect-active main\n"
        "expect-ink class:SRCVIEW 0 22 42 400\n"
        "at-peek 1 expect-ink \"Meter\"\n"
        "expect-pixel class:SRCVIEW/6005 460 10 192 192 192\n"
        "wait-idle\n"
        "mouse-down 3000 870 10\n"
        "wait 450\n"
        "mouse-up\n"
        "wheel 3000 100 100 -2 shift\n"
        "expect-scroll 3000 h 12\n"
        "close\n";
    std::string error;
    EXPECT_TRUE(automation::load_script(script, "", &error)) << error;
}

TEST_F(ScriptTest, TheRunnerWritesTheLogBesideTheScript) {
    TempDir dir;
    write_raw(dir.path("run.txt"), "menu 400\nexpect-message \"Tiny 1.0\"\nanswer OK\n");
    setenv("PLATFORM_SCRIPT", dir.path("run.txt").c_str(), 1);
    EXPECT_EQ(automation::run_main(tiny::win_main), 0);
    std::string log = read_raw(dir.path("run.txt.log"));
    EXPECT_EQ(log,
              "program started\n"
              "line 1: menu 400\n"
              "  command 400 \"&About\" chosen\n"
              "  message box \"Tiny\" \"Tiny 1.0\" MB_OK\n"
              "line 2: expect-message \"Tiny 1.0\"\n"
              "  ok\n"
              "line 3: answer OK\n"
              "  answered IDOK\n"
              "script done: WM_CLOSE to the main window\n"
              "program ended with exit code 0\n");
}

// A program keeps no drawing log, as when a person works it, unless its
// script reads one: then it is kept from the start. Tests keep it always.
TEST_F(ScriptTest, TheDrawingLogIsKeptOnlyWhenTheScriptReadsIt) {
    struct Case {
        const char* script;  // nullptr: no script at all
        bool kept;
    };
    const Case cases[] = {
        {nullptr, false},
        {"menu 400\nanswer OK\n", false},
        {"menu 400\nanswer OK\ndrawing-log main \"frame.log\"\n", true},
    };
    TempDir dir;
    for (const Case& c : cases) {
        automation::reset();
        EXPECT_TRUE(drawing_log_enabled());
        clear_drawing_log();
        if (c.script != nullptr) {
            write_raw(dir.path("run.txt"), c.script);
            setenv("PLATFORM_SCRIPT", dir.path("run.txt").c_str(), 1);
        } else {
            unsetenv("PLATFORM_SCRIPT");
        }
        EXPECT_EQ(automation::run_main(tiny::win_main), 0) << automation::log_text();
        EXPECT_EQ(drawing_log_size() > 0, c.kept) << (c.script ? c.script : "no script");
    }
    EXPECT_NE(read_raw(dir.path("frame.log")).find("FillRect"), std::string::npos);

    // a step at a peek reads the log too
    set_drawing_log_enabled(false);
    std::string error;
    ASSERT_TRUE(automation::load_script("at-peek 2 drawing-log main \"busy.log\"\n", "", &error)) << error;
    EXPECT_TRUE(drawing_log_enabled());
}

TEST_F(ScriptTest, AFailedRunExitsWithTwo) {
    TempDir dir;
    write_raw(dir.path("bad.txt"), "expect-title \"Wrong\"\n");
    setenv("PLATFORM_SCRIPT", dir.path("bad.txt").c_str(), 1);
    EXPECT_EQ(automation::run_main(tiny::win_main), 2);
    EXPECT_NE(read_raw(dir.path("bad.txt.log")).find("FAILED: the title is \"Tiny\""), std::string::npos);

    automation::reset();
    write_raw(dir.path("broken.txt"), "jump\n");
    setenv("PLATFORM_SCRIPT", dir.path("broken.txt").c_str(), 1);
    EXPECT_EQ(automation::run_main(tiny::win_main), 2);
    EXPECT_EQ(read_raw(dir.path("broken.txt.log")), "script error: line 1: unknown step jump\n");

    setenv("PLATFORM_SCRIPT", dir.path("missing.txt").c_str(), 1);
    EXPECT_EQ(automation::run_main(tiny::win_main), 2);
}

TEST_F(ScriptTest, WithoutAScriptTheProgramIsClosedAtOnce) {
    unsetenv("PLATFORM_SCRIPT");
    EXPECT_EQ(automation::run_main(tiny::win_main), 0);
    EXPECT_EQ(automation::log_text(),
              "program started\nscript done: WM_CLOSE to the main window\nprogram ended with exit code 0\n");
}

TEST_F(ScriptTest, StepsLeftWhenTheProgramEndsAreReported) {
    std::string error;
    ASSERT_TRUE(automation::load_script("menu 300\nexpect-title \"Tiny\"\n", "", &error));
    automation::run_program(tiny::win_main);
    ASSERT_EQ(automation::failures().size(), 1u);
    EXPECT_EQ(automation::failures()[0], "the program ended before line 2 (expect-title \"Tiny\")");
}

TEST_F(ScriptTest, AnswersMayBeGivenBeforeTheQuestion) {
    std::string error;
    ASSERT_TRUE(automation::load_script("answer-next-message YES\nmenu 100\nexpect-title \"Tiny - opened\"\n", "",
                                        &error));
    automation::run_program(tiny::win_main);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

TEST_F(ScriptTest, TypingAndClickingReachTheFocusAndThePoint) {
    // The frame of the tiny program has the focus; keys go there.
    std::string error;
    ASSERT_TRUE(automation::load_script("type \"ab\"\nclick main 5 6\nexpect-focus main\n", "", &error));
    automation::run_program(tiny::win_main);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

}  // namespace
