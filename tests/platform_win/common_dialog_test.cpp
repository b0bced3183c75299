// Common dialogs, the folder browser, help and shell execute: answered
// through the automation interface in advance or by script steps while the
// dialog waits; unanswered ones end the run with an error.
#include <cstring>

#include "platform/kernel/global_memory.h"
#include "platform/user/commdlg.h"
#include "platform/user/shellapi.h"
#include "tests/common/temp_dir.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class CommonDialogTest : public UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame();
    }
    OPENFILENAMEA open_record(const char* initial, DWORD flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST) {
        std::strcpy(name, initial);
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = frame;
        ofn.lpstrFilter = "C source(*.c)\0*.c\0All(*.*)\0*.*\0";
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = name;
        ofn.nMaxFile = sizeof name;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.Flags = flags;
        return ofn;
    }
    HWND frame = nullptr;
    char name[256] = {};
    char title[64] = {};
};

TEST_F(CommonDialogTest, FileDialogsAnsweredInAdvance) {
    struct Case {
        const char* label;
        bool save;
        const char* default_ext;
        std::vector<std::string> answer;  // empty: cancel
        BOOL expected;
        const char* file;
        const char* file_title;
        WORD offset;
    };
    const Case cases[] = {
        {"open", false, nullptr, {"/src/main.c"}, TRUE, "/src/main.c", "main.c", 5},
        {"open with backslashes", false, nullptr, {"dir\\sub\\x.cpp"}, TRUE, "dir\\sub\\x.cpp", "x.cpp", 8},
        {"save adds the default extension", true, "kwd", {"/tmp/words"}, TRUE, "/tmp/words.kwd", "words.kwd", 5},
        {"save keeps an extension", true, "kwd", {"/tmp/words.txt"}, TRUE, "/tmp/words.txt", "words.txt", 5},
        {"cancel", false, nullptr, {}, FALSE, "*.c", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        OPENFILENAMEA ofn = open_record("*.c");
        ofn.lpstrDefExt = c.default_ext;
        title[0] = '\0';
        if (c.answer.empty()) {
            automation::cancel_next_common_dialog();
        } else {
            automation::answer_next_file_dialog(c.answer[0]);
        }
        EXPECT_EQ(c.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn), c.expected);
        EXPECT_STREQ(name, c.file);
        EXPECT_STREQ(title, c.file_title);
        if (c.expected) {
            EXPECT_EQ(ofn.nFileOffset, c.offset);
        }
        EXPECT_EQ(CommDlgExtendedError(), 0u);
    }
    ASSERT_EQ(automation::common_dialogs().size(), 5u);
    EXPECT_EQ(automation::common_dialogs()[0].title, "C source(*.c)");
    EXPECT_EQ(automation::common_dialogs()[2].kind, automation::CommonDialogKind::save_file);
    EXPECT_FALSE(automation::common_dialogs()[4].ok);
    EXPECT_FALSE(automation::failed());
}

TEST_F(CommonDialogTest, MultipleSelectionAndSmallBuffers) {
    OPENFILENAMEA ofn = open_record("", OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    automation::CommonDialogAnswer a;
    a.names = {"/src/a.c", "/src/b.c"};
    automation::answer_next_common_dialog(a);
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(std::string(name, 16), std::string("/src\0a.c\0b.c\0\0\0", 16).substr(0, 16));
    EXPECT_EQ(ofn.nFileOffset, 5);
    char tiny[4];
    ofn.lpstrFile = tiny;
    ofn.nMaxFile = sizeof tiny;
    automation::answer_next_file_dialog("/long/name.c");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
}

TEST_F(CommonDialogTest, AnswerForAnotherKindOfDialogFailsTheRun) {
    automation::answer_next_colour_dialog(RGB(1, 2, 3));
    OPENFILENAMEA ofn = open_record("*.c");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_TRUE(automation::failed());
    EXPECT_EQ(automation::failures()[0],
              "the next answer is for the colour dialog, but the open dialog \"C source(*.c)\" came");
}

TEST_F(CommonDialogTest, UnansweredDialogEndsTheRunWithAClearError) {
    OPENFILENAMEA ofn = open_record("*.c");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    ASSERT_TRUE(automation::failed());
    EXPECT_EQ(automation::failures()[0], "nobody answered the open dialog \"C source(*.c)\"");
    // Once the run has failed, no dialog asks any more.
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    EXPECT_FALSE(ChooseColorA(&cc));
    EXPECT_EQ(automation::failures().size(), 1u);
}

TEST_F(CommonDialogTest, ColourFontAndFolder) {
    COLORREF custom[16] = {};
    CHOOSECOLORA cc{sizeof(CHOOSECOLORA), frame, nullptr, RGB(9, 9, 9), custom, CC_RGBINIT, 0, nullptr, nullptr};
    automation::answer_next_colour_dialog(RGB(255, 0, 128));
    ASSERT_TRUE(ChooseColorA(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(255, 0, 128));
    automation::CommonDialogAnswer ok;  // OK on what the dialog shows
    automation::answer_next_common_dialog(ok);
    ASSERT_TRUE(ChooseColorA(&cc));
    EXPECT_EQ(cc.rgbResult, RGB(255, 0, 128));

    LOGFONTA lf{};
    lf.lfHeight = -12;
    std::strcpy(lf.lfFaceName, "IPAGothic");
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = frame;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    automation::answer_next_font_dialog("IPAMincho", 12, true);
    ASSERT_TRUE(ChooseFontA(&cf));
    EXPECT_STREQ(lf.lfFaceName, "IPAMincho");
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(cf.iPointSize, 120);
    EXPECT_TRUE(cf.nFontType & BOLD_FONTTYPE);
    automation::cancel_next_common_dialog();
    EXPECT_FALSE(ChooseFontA(&cf));
    EXPECT_STREQ(lf.lfFaceName, "IPAMincho") << "a cancel leaves the font";

    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = frame;
    bi.pszDisplayName = display;
    bi.lpszTitle = "Folder";
    automation::answer_next_folder_browser("/work/project/");
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    ASSERT_NE(list, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListA(list, path));
    EXPECT_STREQ(path, "/work/project/");
    EXPECT_STREQ(display, "project");
    IMalloc* allocator = nullptr;
    ASSERT_EQ(SHGetMalloc(&allocator), S_OK);
    allocator->Free(list);
    allocator->Release();
    automation::cancel_next_common_dialog();
    EXPECT_EQ(SHBrowseForFolderA(&bi), nullptr);
}

TEST_F(CommonDialogTest, PrinterDialogGivesTheWinIniPrinter) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = frame;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 1;
    automation::CommonDialogAnswer landscape;
    landscape.kind = automation::CommonDialogKind::printer;
    landscape.orientation = DMORIENT_LANDSCAPE;
    automation::answer_next_common_dialog(landscape);
    ASSERT_TRUE(PrintDlgA(&pd));
    ASSERT_NE(pd.hDC, nullptr);
    ASSERT_NE(pd.hDevMode, nullptr);
    ASSERT_NE(pd.hDevNames, nullptr);
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode));
    EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
    char device[CCHDEVICENAME + 1] = {};
    std::memcpy(device, mode->dmDeviceName, CCHDEVICENAME);
    GlobalUnlock(pd.hDevMode);
    auto* names = static_cast<const char*>(GlobalLock(pd.hDevNames));
    const auto* header = reinterpret_cast<const DEVNAMES*>(names);
    EXPECT_STREQ(names + header->wDeviceOffset, device);
    EXPECT_STREQ(device, "PDF Printer");
    GlobalUnlock(pd.hDevNames);
    EXPECT_GT(GetDeviceCaps(pd.hDC, HORZRES), GetDeviceCaps(pd.hDC, VERTRES)) << "landscape";
    DeleteDC(pd.hDC);
    pd.hDC = nullptr;
    // The set-up form answered cancel keeps the blocks as they were.
    pd.Flags |= PD_PRINTSETUP;
    automation::answer_next_printer_dialog(false);
    EXPECT_FALSE(PrintDlgA(&pd));
    EXPECT_EQ(pd.hDC, nullptr);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    // PD_RETURNDEFAULT asks nobody.
    PRINTDLGA quiet{};
    quiet.lStructSize = sizeof quiet;
    quiet.Flags = PD_RETURNDEFAULT;
    EXPECT_TRUE(PrintDlgA(&quiet));
    GlobalFree(quiet.hDevMode);
    GlobalFree(quiet.hDevNames);
    EXPECT_FALSE(automation::failed());
}

TEST_F(CommonDialogTest, HelpAndShellAreRecordedNotRun) {
    EXPECT_TRUE(WinHelpA(frame, "nx1000s.hlp", HELP_FINDER, 0));
    HINSTANCE r = ShellExecuteA(frame, "open", "editor.exe", "main.c", "/tmp", SW_SHOW);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
    ASSERT_EQ(automation::help_calls().size(), 1u);
    EXPECT_EQ(automation::help_calls()[0].command, static_cast<UINT>(HELP_FINDER));
    ASSERT_EQ(automation::shell_calls().size(), 1u);
    EXPECT_EQ(automation::shell_calls()[0].parameters, "main.c");
}

// A hooked open dialog is a real dialog: a script fills its name, presses
// the program's own button, then answers.
std::vector<std::string> added;

UINT_PTR add_hook(HWND hook, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wparam) == 752) {
        char text[512] = {};
        GetDlgItemTextA(GetParent(hook), edt1, text, sizeof text);
        added.push_back(text);
        return TRUE;
    }
    return FALSE;
}

const DialogItemTemplate strip_items[] = {
    {"BUTTON", "Add", 752, 4, 2, 40, 14, BS_PUSHBUTTON | WS_TABSTOP},
};
const DialogTemplate strip_dialogs[] = {
    {"#750", WS_CHILD | DS_CONTROL, 0, 0, 0, 200, 20, "", 0, nullptr, nullptr, nullptr, strip_items},
};
const ResourceTable strip_resources{"hook test", {}, {}, {}, {}, {}, {}, strip_dialogs};

int hooked_program(HINSTANCE, HINSTANCE, LPSTR, int) {
    register_program_resources(&strip_resources);
    HWND frame = CreateWindowA("Recorder", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
    char buffer[4000] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = frame;
    ofn.lpstrFilter = "C(*.c)\0*.c\0";
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT;
    ofn.lpfnHook = add_hook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(750);
    BOOL ok = GetOpenFileNameA(&ofn);
    DestroyWindow(frame);
    return ok ? static_cast<int>(std::strlen(buffer)) : -1;
}

TEST_F(CommonDialogTest, HookedFileDialogRunsTheProgramsPart) {
    added.clear();
    std::string error;
    ASSERT_TRUE(automation::load_script("set-text 1152 \"\\\"a.c\\\" \\\"b.c\\\"\"\n"
                                        "press-button \"Add\"\n"
                                        "answer-file \"/src/last.c\"\n",
                                        "", &error))
        << error;
    int code = automation::run_program(hooked_program);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
    EXPECT_EQ(added, std::vector<std::string>{"\"a.c\" \"b.c\""});
    EXPECT_EQ(code, 11);
    ASSERT_EQ(automation::common_dialogs().size(), 1u);
    EXPECT_EQ(automation::common_dialogs()[0].result, "/src/last.c");
}

TEST_F(CommonDialogTest, ScriptAnswersWhileTheDialogWaits) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(automation::load_script("answer-file \"in/x.c\"\n", dir.path(), &error)) << error;
    // The step runs when the dialog asks, so nothing is kept beforehand.
    int (*program)(HINSTANCE, HINSTANCE, LPSTR, int) = [](HINSTANCE, HINSTANCE, LPSTR, int) -> int {
        char buffer[256] = "*.c";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = sizeof buffer;
        return GetOpenFileNameA(&ofn) ? static_cast<int>(std::strlen(buffer)) : -1;
    };
    int code = automation::run_program(program);
    EXPECT_EQ(code, static_cast<int>(dir.path("in/x.c").size())) << "a relative name is the script directory's";
    EXPECT_NE(automation::log_text().find("  chose \"" + dir.path("in/x.c") + "\""), std::string::npos)
        << automation::log_text();
}

}  // namespace
