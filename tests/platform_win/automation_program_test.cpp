// A whole program driven by a script, end to end: a frame with a menu and an
// accelerator, message boxes answered by the script, and a long run whose
// cancel button is pressed at a given peek. The log must read as expected.
#include "tests/common/temp_dir.h"
#include "tests/platform_win/automation_tiny_program.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class ProgramTest : public tiny::ProgramFixture {};

TEST_F(ProgramTest, AScriptDrivesTheProgramToItsEnd) {
    TempDir dir;
    const char* script =
        "# open a file, answer yes\n"
        "menu \"File/Open...\"\n"
        "expect-caption \"Tiny\"\n"
        "answer IDYES\n"
        "expect-title \"Tiny - opened\"\n"
        "\n"
        "# run, and cancel the run at the third peek\n"
        "at-peek 3 press \"Meter\"/500\n"
        "key F5\n"
        "expect-message \"cancelled after 5 units\"\n"
        "answer OK\n"
        "expect-menu 200 enabled\n"
        "expect-beeps 1\n"
        "capture main frame.png\n"
        "menu 300\n";
    int code = run(script, dir.path());
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(automation::failed());
    const std::string expected =
        "program started\n"
        "line 2: menu \"File/Open...\"\n"
        "  command 100 \"&Open...\" chosen\n"
        "  message box \"Tiny\" \"Open a file?\" MB_YESNO|MB_ICONQUESTION\n"
        "line 3: expect-caption \"Tiny\"\n"
        "  ok\n"
        "line 4: answer IDYES\n"
        "  answered IDYES\n"
        "line 5: expect-title \"Tiny - opened\"\n"
        "  ok\n"
        "line 8: at-peek 3 press \"Meter\"/500\n"
        "line 9: key F5\n"
        "  pressed \"Meter\"/500 at a peek\n"
        "  beep MB_OK\n"
        "  message box \"Run\" \"cancelled after 5 units\" MB_OK|MB_ICONASTERISK\n"
        "line 10: expect-message \"cancelled after 5 units\"\n"
        "  ok\n"
        "line 11: answer OK\n"
        "  answered IDOK\n"
        "line 12: expect-menu 200 enabled\n"
        "  ok\n"
        "line 13: expect-beeps 1\n"
        "  ok\n"
        "line 14: capture main frame.png\n"
        "  captured main\n"
        "line 15: menu 300\n"
        "  command 300 \"E&xit\" chosen\n"
        "program ended with exit code 0\n";
    EXPECT_EQ(automation::log_text(), expected);
    std::string png = read_raw(dir.path("frame.png"));
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(static_cast<unsigned char>(png[19]), 144u) << "400 pixels wide";
}

TEST_F(ProgramTest, WhenTheScriptIsDoneTheProgramIsClosed) {
    int code = run("expect-title main \"Tiny\"\n");
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(automation::failed());
    EXPECT_NE(automation::log_text().find("script done: WM_CLOSE to the main window\nprogram ended with exit code 0"),
              std::string::npos)
        << automation::log_text();
}

TEST_F(ProgramTest, AMessageBoxLeftWaitingEndsTheRun) {
    int code = run("menu 400\n");
    EXPECT_EQ(code, 0) << "the loop ended as if WM_QUIT had come";
    ASSERT_TRUE(automation::failed());
    EXPECT_EQ(automation::failures().front(), "the script ended while the message box \"Tiny\" waits");
    EXPECT_EQ(automation::message_boxes().at(0).answer, 0);
}

TEST_F(ProgramTest, AStepThatNeedsTheLoopCannotRunWhileABoxWaits) {
    run("menu 400\nmenu 100\nanswer OK\n");
    ASSERT_TRUE(automation::failed());
    EXPECT_EQ(automation::failures().front(),
              "line 2 (menu 100) cannot run while the message box \"Tiny\" waits");
    EXPECT_EQ(automation::message_boxes().size(), 1u);
}

TEST_F(ProgramTest, AnAnswerThatIsNotOfferedFails) {
    run("menu 400\nanswer IDYES\n");
    ASSERT_TRUE(automation::failed());
    EXPECT_EQ(automation::failures().front(),
              "IDYES is not a button of the message box \"Tiny\" (MB_OK)");
}

TEST_F(ProgramTest, APressAtAPeekOnAMissingControlIsReported) {
    int code = run("at-peek 1 press \"Meter\"/999\nkey F5\nexpect-message \"done\"\nanswer OK\n");
    EXPECT_EQ(code, 0);
    ASSERT_EQ(automation::failures().size(), 1u);
    EXPECT_EQ(automation::failures()[0], "at the peek for \"Meter\"/999: no such window");
}

TEST_F(ProgramTest, FailedExpectationsAreReportedAndTheRunGoesOn) {
    run("expect-title \"Other\"\nexpect-menu 200 grayed\nmenu \"File/Nothing\"\nexpect-exists \"Meter\"\n");
    EXPECT_EQ(automation::failures(),
              (std::vector<std::string>{"the title is \"Tiny\"", "the item is enabled, unchecked",
                                        "\"Meter\" does not exist"}));
    EXPECT_NE(automation::log_text().find("menu \"File/Nothing\" refused: no item \"Nothing\""), std::string::npos);
    EXPECT_NE(automation::log_text().find("program ended with exit code 0"), std::string::npos);
}

}  // namespace
