// The error window and its second configuration, the summary window: a file
// listed line by line in file order (Shift-JIS bytes kept, long lines in
// pieces between characters), a missing or empty error file as an empty
// list, an unreadable summary file as message 7 with the old lines kept,
// titles by the batch flag, the close button, the layout on resize, and the
// placement of each kind saved on move and used on the next opening.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "common/text/message_table.h"
#include "common/shell/window/error_window.h"
#include "common/shell/window/shell_windows_setup.h"
#include "common/shell/window_placement.h"
#include "platform/automation/automation.h"
#include "platform/kernel/registry.h"
#include "platform/user/winuser.h"
#include "tests/common/platform_home.h"
#include "tests/common/temp_dir.h"

namespace {

// "生成エラー表示", "一括生成エラー表示", "関数ｻﾏﾘｰ", "関数ｻﾏﾘｰ表示"
const std::string kErrorTitle = "\x90\xb6\x90\xac\x83\x47\x83\x89\x81\x5b\x95\x5c\x8e\xa6";
const std::string kBatchTitle = "\x88\xea\x8a\x87" + kErrorTitle;
const std::string kSummaryTitle = "\x8a\xd6\x90\x94\xbb\xcf\xd8\xb0";
const std::string kSummaryCaption = kSummaryTitle + "\x95\x5c\x8e\xa6";
// "ソ" ends in the byte 0x5C.
const std::string kSo = "\x83\x5c";

class ErrorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        automation::reset();
        generation_error_window().reset();
        summary_window().reset();
        shell_windows_setup().reset();
        shell_windows_setup().pointer_entered = [this](HWND w) { entered = w; };
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "ListFrame";
        ASSERT_NE(RegisterClassA(&wc), 0);
        ASSERT_EQ(register_error_window_classes(nullptr), 1);
        ASSERT_EQ(register_summary_classes(nullptr), 1);
        frame = CreateWindowA("ListFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                              nullptr, nullptr, nullptr);
        ASSERT_NE(frame, nullptr);
        shell_windows_setup().frame = frame;
    }
    void TearDown() override {
        automation::reset();
        generation_error_window().reset();
        summary_window().reset();
        shell_windows_setup().reset();
        EXPECT_EQ(platform_open_registry_keys(), 0);
    }

    static std::vector<std::string> items(const ListWindow& w) { return automation::control_items(w.list()); }
    static RECT window_rect(HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r;
    }
    static RECT child_rect(HWND child) {
        RECT r{};
        GetWindowRect(child, &r);
        POINT p{r.left, r.top};
        ScreenToClient(GetParent(child), &p);
        return RECT{p.x, p.y, p.x + r.right - r.left, p.y + r.bottom - r.top};
    }

    ScopedPlatformHome home;
    TempDir files;
    HWND frame = nullptr;
    HWND entered = nullptr;
};

using Items = std::vector<std::string>;

TEST_F(ErrorWindowTest, ListsTheErrorFileLineByLineInFileOrder) {
    const std::string path = files.path("nx1000.err");
    write_raw(path, "z.c(12) : " + kSo + "\r\n\r\na.c(3) : last");
    ASSERT_EQ(open_generation_error_window(frame, path, false), 0);
    const ListWindow& w = generation_error_window();
    ASSERT_TRUE(w.is_open());
    EXPECT_EQ(items(w), (Items{"z.c(12) : " + kSo, "", "a.c(3) : last"}));
    EXPECT_EQ(automation::window_text(w.window()), kErrorTitle);
    EXPECT_EQ(GetWindow(w.window(), GW_OWNER), frame);
    EXPECT_EQ(w.file_name(), path);
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(ErrorWindowTest, LinesEndedByLineFeedAloneAndAFinalLineEnd) {
    const std::string path = files.path("e.err");
    write_raw(path, "one\ntwo\n");
    ASSERT_EQ(open_generation_error_window(frame, path, false), 0);
    EXPECT_EQ(items(generation_error_window()), (Items{"one", "two"}));
}

TEST_F(ErrorWindowTest, MissingOrEmptyErrorFileGivesAnEmptyList) {
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    EXPECT_TRUE(generation_error_window().is_open());
    EXPECT_TRUE(items(generation_error_window()).empty());

    const std::string path = files.path("full.err");
    write_raw(path, "old line\r\n");
    ASSERT_EQ(load_error_list(path, false), 0);
    EXPECT_EQ(items(generation_error_window()).size(), 1u);
    write_raw(path, "");
    ASSERT_EQ(load_error_list(path, false), 0);
    EXPECT_TRUE(items(generation_error_window()).empty());
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_TRUE(automation::beeps().empty());
}

TEST_F(ErrorWindowTest, LongLinesBecomeSeveralItemsCutBetweenCharacters) {
    EXPECT_EQ(list_items_of(std::string(600, 'x')),
              (Items{std::string(255, 'x'), std::string(255, 'x'), std::string(90, 'x')}));
    EXPECT_EQ(list_items_of(std::string(255, 'x') + "\r\n"), Items{std::string(255, 'x')});
    // "ab" then double-byte characters: the 255th byte would be a lead byte.
    std::string line = "ab";
    for (int i = 0; i < 200; ++i) line += kSo;
    const Items pieces = list_items_of(line);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 254u);
    EXPECT_EQ(pieces[0] + pieces[1], line);
    EXPECT_EQ(pieces[1].size(), line.size() - 254);
}

TEST_F(ErrorWindowTest, BatchTitleAndReloadOfTheOpenWindow) {
    const std::string path = files.path("nx1000.erl");
    write_raw(path, "first\r\n");
    ASSERT_EQ(open_generation_error_window(frame, path, true), 0);
    HWND window = generation_error_window().window();
    EXPECT_EQ(automation::window_text(window), kBatchTitle);
    write_raw(path, "second\r\nthird\r\n");
    ASSERT_EQ(open_generation_error_window(frame, path, false), 0);
    EXPECT_EQ(generation_error_window().window(), window);  // the same window, reloaded
    EXPECT_EQ(automation::window_text(window), kErrorTitle);
    EXPECT_EQ(items(generation_error_window()), (Items{"second", "third"}));
}

TEST_F(ErrorWindowTest, CloseButtonAndCloseFunctionDestroyTheWindow) {
    write_raw(files.path("a.err"), "x\r\n");
    ASSERT_EQ(open_generation_error_window(frame, files.path("a.err"), false), 0);
    ListWindow& w = generation_error_window();
    ASSERT_EQ(GetDlgItem(w.window(), kListBarId), w.bar());
    ASSERT_EQ(GetDlgItem(w.bar(), kListCloseButtonId), w.button());
    EXPECT_EQ(GetDlgItem(w.window(), kListBoxId), w.list());
    HWND window = w.window();
    ASSERT_TRUE(automation::press(w.button()));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(w.is_open());

    ASSERT_EQ(open_generation_error_window(frame, files.path("a.err"), false), 0);
    window = w.window();
    close_generation_error_window();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(w.is_open());
    close_generation_error_window();  // nothing open: nothing happens
}

TEST_F(ErrorWindowTest, MinimiseIsRemovedFromTheSystemMenu) {
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    HMENU system = GetSystemMenu(generation_error_window().window(), FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(GetMenuState(system, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(ErrorWindowTest, BarAndListFollowTheClientArea) {
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    const ListWindow& w = generation_error_window();
    ASSERT_TRUE(automation::resize_window(w.window(), 500, 300));
    RECT client{};
    GetClientRect(w.window(), &client);
    const RECT bar = child_rect(w.bar());
    const RECT list = child_rect(w.list());
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_EQ(bar.bottom, kListBarHeight);
    EXPECT_EQ(list.top, kListBarHeight);
    EXPECT_EQ(list.right, client.right);
    EXPECT_EQ(list.bottom, client.bottom);
    const RECT button = child_rect(w.button());
    EXPECT_EQ(button.left, 2);
    EXPECT_EQ(button.top, 2);
    EXPECT_EQ(button.right - button.left, 88);
    EXPECT_EQ(button.bottom - button.top, 17);
}

TEST_F(ErrorWindowTest, PlacementDefaultsSavedOnMoveAndRestored) {
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    RECT r = window_rect(generation_error_window().window());
    EXPECT_EQ(r.left, kListDefaultX);
    EXPECT_EQ(r.top, kListDefaultY);
    EXPECT_EQ(r.right - r.left, kListDefaultWidth);
    EXPECT_EQ(r.bottom - r.top, kListDefaultHeight);

    MoveWindow(generation_error_window().window(), 30, 40, 600, 350, TRUE);
    WindowPlacement saved{};
    ASSERT_EQ(load_window_placement(shell_windows_setup().placement, kErrorWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{30, 40, 600, 350}));
    // The summary's kind is untouched.
    WindowPlacement summary{};
    EXPECT_EQ(load_window_placement(shell_windows_setup().placement, kSummaryWindow, summary), -1);

    close_generation_error_window();
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    r = window_rect(generation_error_window().window());
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 350);
}

TEST_F(ErrorWindowTest, PointerMovementRecordsTheWindow) {
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    SendMessageA(generation_error_window().bar(), WM_MOUSEMOVE, 0, 0);
    EXPECT_EQ(entered, generation_error_window().window());
}

TEST_F(ErrorWindowTest, SummaryIsASecondConfigurationOfTheSameWindow) {
    const std::string fsm = files.path("doc.fsm");
    write_raw(fsm, "main\r\nsub\r\n");
    ASSERT_EQ(open_summary_window(frame, fsm), 0);
    const ListWindow& s = summary_window();
    ASSERT_TRUE(s.is_open());
    char name[32] = {};
    GetClassNameA(s.window(), name, sizeof name);
    EXPECT_STREQ(name, "SUMMARY");
    GetClassNameA(s.bar(), name, sizeof name);
    EXPECT_STREQ(name, "SMRYCTRL");
    EXPECT_EQ(automation::window_text(s.bar()), "SMRYORCTRL");
    EXPECT_EQ(automation::window_text(s.window()), kSummaryTitle);
    EXPECT_EQ(items(s), (Items{"main", "sub"}));

    // Both open at once, each on its own globals.
    ASSERT_EQ(open_generation_error_window(frame, files.path("none.err"), false), 0);
    EXPECT_NE(generation_error_window().window(), s.window());
    MoveWindow(s.window(), 10, 20, 400, 300, TRUE);
    WindowPlacement saved{};
    ASSERT_EQ(load_window_placement(shell_windows_setup().placement, kSummaryWindow, saved), 0);
    EXPECT_EQ(saved, (WindowPlacement{10, 20, 400, 300}));
    WindowPlacement error{};
    EXPECT_EQ(load_window_placement(shell_windows_setup().placement, kErrorWindow, error), -1);

    close_summary_window();
    EXPECT_FALSE(s.is_open());
    EXPECT_TRUE(generation_error_window().is_open());
}

TEST_F(ErrorWindowTest, UnreadableSummaryFileShowsMessageSevenAndKeepsTheList) {
    const std::string fsm = files.path("doc.fsm");
    write_raw(fsm, "kept\r\n");
    ASSERT_EQ(open_summary_window(frame, fsm), 0);
    const std::string missing = files.path("gone.fsm");
    automation::answer_next_message_box(IDOK);
    EXPECT_EQ(load_summary_list(missing), -1);
    EXPECT_EQ(items(summary_window()), Items{"kept"});
    EXPECT_EQ(summary_window().file_name(), fsm);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    const automation::MessageBoxRecord& box = automation::message_boxes()[0];
    EXPECT_EQ(box.caption, kSummaryCaption);
    EXPECT_EQ(box.text, format_text(lookup_message(7), missing.c_str()));
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(automation::beeps().size(), 1u);
    EXPECT_EQ(automation::window_text(summary_window().window()), kSummaryTitle);
}

}  // namespace
