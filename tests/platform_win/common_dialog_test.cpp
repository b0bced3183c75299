// Common dialogs, the folder browser, help and shell execute: answered
// through the automation interface in advance or by script steps while the
// dialog waits; unanswered ones end the run with an error. Shell execute
// starts what it names when asked to.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/kernel/codec.h"
#include "platform/kernel/file_io.h"
#include "platform/kernel/global_memory.h"
#include "platform/kernel/profile.h"
#include "platform/user/commdlg.h"
#include "platform/user/shellapi.h"
#include "platform/user/user_internal.h"
#include "tests/common/temp_dir.h"
#include "tests/platform_win/user_test_fixture.h"

namespace {

class CommonDialogTest : public UserTest {
protected:
    // A file chosen changes the current directory: each test starts where
    // the one before did.
    void SetUp() override {
        UserTest::SetUp();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame();
        kept_directory = get_current_directory();
    }
    void TearDown() override {
        SetCurrentDirectoryA(kept_directory.c_str());
        UserTest::TearDown();
    }
    std::string kept_directory;
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
    // the name and its NUL must fit: exactly nMaxFile bytes do not
    const struct {
        const char* name;
        BOOL fits;
    } cases[] = {{"/a.", TRUE}, {"/a.c", FALSE}, {"/long/name.c", FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char tiny[4] = {'x', 'x', 'x', 'x'};
        ofn.lpstrFile = tiny;
        ofn.nMaxFile = sizeof tiny;
        automation::answer_next_file_dialog(c.name);
        EXPECT_EQ(GetOpenFileNameA(&ofn), c.fits);
        EXPECT_EQ(CommDlgExtendedError(), c.fits ? 0u : static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
        if (c.fits) {
            EXPECT_STREQ(tiny, c.name);
        }
    }
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
    automation::answer_next_message_box(IDOK);  // the help file is not there
    EXPECT_TRUE(WinHelpA(frame, "nx1000s.hlp", HELP_FINDER, 0));
    HINSTANCE r = ShellExecuteA(frame, "open", "editor.exe", "main.c", "/tmp", SW_SHOW);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
    ASSERT_EQ(automation::help_calls().size(), 1u);
    EXPECT_EQ(automation::help_calls()[0].command, static_cast<UINT>(HELP_FINDER));
    ASSERT_EQ(automation::shell_calls().size(), 1u);
    EXPECT_EQ(automation::shell_calls()[0].parameters, "main.c");
}

// What a started program wrote, once it has written it.
std::string wait_for_file(const std::string& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path + ".done"); ++i) ::usleep(10000);
    return read_raw(path);
}

// Started for real: the names go to the disk's UTF-8, a bare name is found
// beside the folder given or along PATH (an empty element of it is the
// current folder), the program runs in that folder with the source as one
// argument, named whole wherever it was named from, and nothing of it is
// left to reap.
TEST_F(CommonDialogTest, ShellStartsTheProgramItNames) {
    TempDir dir;
    const std::string folder = dir.path("道具");  // the folder as the disk names it
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(dir.path("bin"));
    std::filesystem::create_directories(dir.path("資料"));
    const std::string script = "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$PWD\" \"$#\" \"$*\" > \"$OUT\"\n: > \"$OUT.done\"\n";
    for (const std::string& at : {folder + "/書く.sh", dir.path("bin/onpath"), dir.path("here")}) {
        write_raw(at, script);
        std::filesystem::permissions(at, std::filesystem::perms::owner_all);
    }
    write_raw(folder + "/plain.txt", "not a program\n");
    write_raw(folder + "/noshebang", "echo no\n");
    std::filesystem::permissions(folder + "/noshebang", std::filesystem::perms::owner_all);
    write_raw(dir.path("資料/売上 1.c"), "int x;\n");
    const std::string sjis_folder = platform_codec::utf8_to_cp932(folder);
    const std::string source = platform_codec::utf8_to_cp932(dir.path("資料/売上 1.c"));
    const std::string old_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir.path("bin") + "::" + old_path).c_str(), 1);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    automation::set_shell_result(automation::kShellStartsPrograms);
    struct Case {
        const char* label;
        const char* verb;
        std::string file, parameters, directory;
        intptr_t result;      // 42: started
        std::string written;  // what the script wrote: folder|count|arguments
    };
    const Case cases[] = {
        {"beside its folder, a Japanese name", "open", platform_codec::utf8_to_cp932("書く.sh"), source, sjis_folder, 42,
         folder + "|1|" + dir.path("資料/売上 1.c")},
        {"a source named from the current folder", "open", platform_codec::utf8_to_cp932("書く.sh"),
         platform_codec::utf8_to_cp932("資料/売上 1.c"), sjis_folder, 42, folder + "|1|" + dir.path("資料/売上 1.c")},
        {"a path with backslashes", nullptr, sjis_folder + "\\" + platform_codec::utf8_to_cp932("書く.sh"),
         "a \"b c\"", "", 42, "|2|a b c"},
        {"along PATH", "open", "onpath", "", sjis_folder, 42, folder + "|0|"},
        {"in the current folder, for the empty element of PATH", "open", "here", "", "", 42, "|0|"},
        {"no such program", "open", "missing-editor.exe", source, "", 2, ""},
        {"no such folder", "open", "onpath", "", sjis_folder + "\\nowhere", 3, ""},
        {"not a program", "open", "plain.txt", "", sjis_folder, 31, ""},
        {"a program the system cannot run", "open", "noshebang", "", sjis_folder, 11, ""},
        {"another verb", "print", "onpath", "", "", 31, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string out = dir.path("out.txt");
        std::filesystem::remove(out);
        std::filesystem::remove(out + ".done");
        setenv("OUT", out.c_str(), 1);
        HINSTANCE r = ShellExecuteA(frame, c.verb, c.file.c_str(), c.parameters.c_str(), c.directory.c_str(), SW_SHOW);
        EXPECT_EQ(reinterpret_cast<intptr_t>(r), c.result);
        // a program that did not start writes nothing to wait for
        if (c.result > 32 && reinterpret_cast<intptr_t>(r) > 32) {
            std::string written = wait_for_file(out);
            if (c.directory.empty() && written.find('|') != std::string::npos)
                written = written.substr(written.find('|'));
            EXPECT_EQ(written, c.written + "\n");
        }
        int status = 0;
        EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1) << "a child is left to reap";
    }
    setenv("PATH", old_path.c_str(), 1);
    unsetenv("OUT");
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

// --- The dialogs worked by hand: a test's acts run while each waits ------------------

namespace {

std::string platform_user_sjis(const char* utf8) {
    return platform_codec::utf8_to_cp932(utf8);
}

std::string last_part(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

void then(std::function<void()> act) {
    automation::when_idle(std::move(act));
}

HWND control(int id) {
    return GetDlgItem(GetActiveWindow(), id);
}

std::function<void()> pick(int id, const std::string& text, bool twice = false) {
    return [id, text, twice] { EXPECT_TRUE(automation::choose_item_text(control(id), text, twice)) << text; };
}

// A click with Ctrl held, which adds to the selection of a list of several;
// the key is let go at the next step, after the dialog took the click.
std::function<void()> pick_too(int id, const std::string& text) {
    return [id, text] {
        platform_user::state().key_down[VK_CONTROL] = 1;
        EXPECT_TRUE(automation::choose_item_text(control(id), text)) << text;
    };
}

std::function<void()> type_name(int id, const std::string& text) {
    return [id, text] { EXPECT_TRUE(automation::set_control_text(control(id), text)); };
}

std::function<void()> press(int id) {
    return [id] { EXPECT_TRUE(automation::press_button(id)); };
}

// Keys typed into the field with the focus, "\n" the Enter key.
std::function<void()> typing(const std::string& text) {
    return [text] { EXPECT_TRUE(automation::type_text(text)); };
}

// A click in the middle of a cell of a grid of colours eight across.
std::function<void()> click_cell(int id, int rows, int index) {
    return [=] {
        RECT r = client_of(control(id));
        automation::click(control(id), r.right * (2 * (index % 8) + 1) / 16, r.bottom * (2 * (index / 8) + 1) / (2 * rows));
    };
}

class HandWorkedDialogTest : public CommonDialogTest {
protected:
    void SetUp() override {
        CommonDialogTest::SetUp();
        for (const char* f : {"a.c", "b.cpp", "makefile", "notes.txt", ".hidden.c", "caf\xc3\xa9.c"})
            write_raw(dir.path(f), "x");
        std::filesystem::create_directories(dir.path("src"));
        for (const char* f : {"x.c", "z.c", "y.h"}) write_raw(dir.path(std::string("src/") + f), "x");
    }
    OPENFILENAMEA record_in(const char* folder, DWORD flags) {
        OPENFILENAMEA ofn = open_record("", flags);
        ofn.lpstrFilter = "C(*.c)\0*.c\0C++(*.cpp)\0*.cpp\0All(*.*)\0*.*\0";
        initial_dir = dir.path(folder);
        ofn.lpstrInitialDir = initial_dir.c_str();
        return ofn;
    }
    TempDir dir;
    std::string initial_dir;
};

TEST_F(HandWorkedDialogTest, FileDialogChoosesFromItsLists) {
    struct Case {
        const char* label;
        bool save;
        DWORD flags;
        const char* folder;
        std::vector<std::function<void()>> acts;
        int box_answer;      // for a question the dialog asks
        const char* chosen;  // under the temporary directory; nullptr: cancelled
        DWORD filter_index;
    };
    const DWORD open = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    const Case cases[] = {
        {"into a folder by a double click, a file by another", false, open, "", {pick(lst2, "src", true), pick(lst1, "x.c", true)}, 0, "src/x.c", 1},
        {"a typed name is the folder's shown", false, open, "src", {type_name(edt1, "z.c"), press(IDOK)}, 0, "src/z.c", 1},
        {"\"..\" goes up", false, open, "src", {pick(lst2, "..", true), pick(lst1, "a.c"), press(IDOK)}, 0, "a.c", 1},
        {"a typed folder is shown, not chosen", false, open, "", {type_name(edt1, "src"), press(IDOK), pick(lst1, "z.c", true)}, 0, "src/z.c", 1},
        {"a name typed after a typed folder replaces the pattern", false, open, "", {typing("src\n"), typing("z.c\n")}, 0, "src/z.c", 1},
        {"so does a name typed after a typed pattern", false, open, "", {typing("*.h\n"), typing("a.c\n")}, 0, "a.c", 1},
        {"the type chosen is kept", false, open, "", {pick(cmb1, "C++(*.cpp)"), pick(lst1, "b.cpp", true)}, 0, "b.cpp", 2},
        {"a missing name with FILEMUSTEXIST", false, open | OFN_FILEMUSTEXIST, "", {type_name(edt1, "none.c"), press(IDOK), press(IDCANCEL)}, IDOK, nullptr, 1},
        {"an escaped name never opens another file", false, open | OFN_FILEMUSTEXIST, "", {pick(lst1, "caf\x81\xac""C3\x81\xac""A9.c", true), press(IDCANCEL)}, IDOK, nullptr, 1},
        {"save adds the extension; No to overwriting", true, open | OFN_OVERWRITEPROMPT, "", {type_name(edt1, "a"), press(IDOK), type_name(edt1, "new"), press(IDOK)}, IDNO, "new.c", 1},
        {"cancel", false, open, "", {pick(cmb1, "All(*.*)"), press(IDCANCEL)}, 0, nullptr, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        OPENFILENAMEA ofn = record_in(c.folder, c.flags);
        ofn.lpstrDefExt = "c";
        std::strcpy(name, "before");
        if (c.box_answer) automation::answer_next_message_box(c.box_answer);
        for (const auto& act : c.acts) then(act);
        EXPECT_EQ(c.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn), c.chosen ? TRUE : FALSE);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        const std::string want = c.chosen ? dir.path(c.chosen) : "before";
        EXPECT_EQ(std::string(name), want);
        EXPECT_EQ(ofn.nFilterIndex, c.filter_index);
        if (c.chosen) {
            EXPECT_EQ(size_t{ofn.nFileOffset}, want.rfind('/') + 1);
            EXPECT_EQ(size_t{ofn.nFileExtension}, want.rfind('.') + 1);
        }
        if (c.box_answer) {
            EXPECT_FALSE(automation::message_boxes().empty());
        }
        automation::reset();
        ASSERT_NE(register_recording_class("Recorder"), 0);
        frame = make_frame();
    }
}

// OK leaves the current directory in the chosen file's folder, unless the
// program asks not; a dialog without an initial folder opens there.
TEST_F(HandWorkedDialogTest, OkChangesTheCurrentDirectoryUnlessAskedNot) {
    struct Case {
        const char* label;
        DWORD flags;
        const char* initial;  // nullptr: none
        const char* current;  // the current directory before
        std::vector<std::function<void()>> acts;
        std::vector<std::string> first_files;  // what the file list shows first
        const char* after;    // the current directory after
    };
    const DWORD open = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    const std::vector<std::string> top_files{"a.c", "caf\x81\xac""C3\x81\xac""A9.c"};
    const std::vector<std::string> src_files{"x.c", "z.c"};
    const Case cases[] = {
        {"into the folder of the file chosen", open, "", "", {pick(lst2, "src", true), pick(lst1, "x.c", true)}, top_files, "src"},
        {"not with NOCHANGEDIR", open | OFN_NOCHANGEDIR, "", "", {pick(lst2, "src", true), pick(lst1, "x.c", true)}, top_files, ""},
        {"not on Cancel", open, "", "", {pick(lst2, "src", true), press(IDCANCEL)}, top_files, ""},
        {"no initial folder: the current one", open, nullptr, "src", {pick(lst2, "..", true), pick(lst1, "a.c", true)}, src_files, ""},
        {"the initial folder before the current one", open, "", "src", {pick(lst1, "a.c", true)}, top_files, ""},
    };
    const auto folder = [this](const char* relative) {
        std::string path = dir.path(relative);
        if (path.back() == '/') path.pop_back();
        return path;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(SetCurrentDirectoryA(folder(c.current).c_str()));
        OPENFILENAMEA ofn = record_in(c.initial ? c.initial : "", c.flags);
        if (!c.initial) ofn.lpstrInitialDir = nullptr;
        std::vector<std::string> first;
        then([&first] { first = automation::control_items(control(lst1)); });
        for (const auto& act : c.acts) then(act);
        GetOpenFileNameA(&ofn);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        EXPECT_EQ(first, c.first_files);
        EXPECT_EQ(get_current_directory(), folder(c.after));
    }
    automation::answer_next_file_dialog(dir.path("src/y.h"));
    OPENFILENAMEA ofn = open_record("*.c");
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(get_current_directory(), folder("src")) << "a script's answer as a hand's";
}

TEST_F(HandWorkedDialogTest, FileListsFollowTheTypeAndTheFolder) {
    struct Case {
        const char* type;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"C(*.c)", {"a.c", "caf\x81\xac""C3\x81\xac""A9.c"}},
        {"C++(*.cpp)", {"b.cpp"}},
        {"All(*.*)", {"a.c", "b.cpp", "caf\x81\xac""C3\x81\xac""A9.c", "makefile", "notes.txt"}},
    };
    OPENFILENAMEA ofn = record_in("", OFN_HIDEREADONLY);
    std::vector<std::vector<std::string>> seen;
    for (const Case& c : cases) {
        then(pick(cmb1, c.type));
        then([&] { seen.push_back(automation::control_items(control(lst1))); });
    }
    then([&] { seen.push_back(automation::control_items(control(lst2))); });
    then(press(IDCANCEL));
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    ASSERT_EQ(seen.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(seen[i], cases[i].files) << cases[i].type;
    EXPECT_EQ(seen.back(), (std::vector<std::string>{"..", "src"})) << "hidden names are not shown";
}

// The names picked in one folder are not another's: after a folder change
// the name field shows the pattern again.
TEST_F(HandWorkedDialogTest, AFolderChangeShowsThePatternAgain) {
    const struct {
        const char* label;
        const char* folder;
        std::vector<std::function<void()>> acts;
        const char* field;
    } cases[] = {
        {"into a folder by a double click", "", {pick(lst1, "a.c"), pick(lst2, "src", true)}, "*.c"},
        {"up by \"..\", several picked", "src", {pick(lst1, "x.c"), pick_too(lst1, "z.c"), pick(lst2, "..", true)}, "*.c"},
        {"by the keys: the folder list, Enter", "",
         {pick(lst1, "a.c"), [] { SetFocus(control(lst2)); }, pick(lst2, "src"), typing("\n")}, "*.c"},
        {"the type's pattern", "", {pick(cmb1, "C++(*.cpp)"), pick(lst1, "b.cpp"), pick(lst2, "src", true)}, "*.cpp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        OPENFILENAMEA ofn = record_in(c.folder, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_EXPLORER);
        std::string field;
        for (const auto& act : c.acts) then(act);
        then([&field] {
            platform_user::state().key_down[VK_CONTROL] = 0;
            field = automation::window_text(control(edt1));
        });
        then(press(IDCANCEL));
        EXPECT_FALSE(GetOpenFileNameA(&ofn));
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        EXPECT_EQ(field, c.field);
    }
}

// The batch chooser's hook: its default button takes Enter, and it reads
// the names picked and the folder shown.
std::string hook_spec, hook_folder;

UINT_PTR reading_hook(HWND hook, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wparam) == 752) {
        char text[512] = {};
        SendMessageA(GetParent(hook), CDM_GETSPEC, sizeof text, reinterpret_cast<LPARAM>(text));
        hook_spec = text;
        SendMessageA(GetParent(hook), CDM_GETFOLDERPATH, sizeof text, reinterpret_cast<LPARAM>(text));
        hook_folder = text;
        return TRUE;
    }
    return FALSE;
}

const DialogItemTemplate default_strip_items[] = {
    {"BUTTON", "Add", 752, 226, 4, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
};
const DialogTemplate default_strip_dialogs[] = {
    {"#750", WS_CHILD | DS_CONTROL, 0, 0, 0, 284, 22, "", 0, nullptr, nullptr, nullptr, default_strip_items},
};
const ResourceTable default_strip_resources{"hook test", {}, {}, {}, {}, {}, {}, default_strip_dialogs};

TEST_F(HandWorkedDialogTest, BatchChooserHookReadsThePicksAndTheFolder) {
    register_program_resources(&default_strip_resources);
    OPENFILENAMEA ofn = record_in("", OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ALLOWMULTISELECT);
    ofn.lpfnHook = reading_hook;
    ofn.lpTemplateName = MAKEINTRESOURCEA(750);
    hook_spec.clear();
    then(pick(lst2, "src", true));
    then(pick(lst1, "x.c"));
    then(pick_too(lst1, "z.c"));
    then([] {
        platform_user::state().key_down[VK_CONTROL] = 0;
        automation::press_key("Enter");
    });
    then([this] {
        EXPECT_EQ(hook_spec, "\"x.c\" \"z.c\"");
        EXPECT_EQ(hook_folder, dir.path("src"));
    });
    then(press(IDOK));
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(std::string(name, std::strlen(name) + 9), dir.path("src") + std::string("\0x.c\0z.c", 9));
    EXPECT_EQ(size_t{ofn.nFileOffset}, dir.path("src").size() + 1);
}

TEST_F(HandWorkedDialogTest, ColourDialogTakesWhatIsPicked) {
    // Ids of the dialog's parts.
    const int basic = 720, custom = 721, define = 719, add = 712, red = 706, green = 707, blue = 708, hue = 703,
              sat = 704, lum = 705;
    struct Case {
        const char* label;
        DWORD flags;
        std::vector<std::function<void()>> acts;
        BOOL expected;
        COLORREF colour;
        COLORREF first_custom;
    };
    const Case cases[] = {
        {"a basic colour", 0, {click_cell(basic, 6, 8), press(IDOK)}, TRUE, RGB(255, 0, 0), RGB(1, 1, 1)},
        {"the initial colour stays picked", CC_RGBINIT, {press(IDOK)}, TRUE, RGB(9, 9, 9), RGB(1, 1, 1)},
        {"red, green and blue typed, and kept as a colour of one's own", 0,
         {press(define), type_name(red, "10"), type_name(green, "20"), type_name(blue, "30"), press(add), press(IDOK)},
         TRUE, RGB(10, 20, 30), RGB(10, 20, 30)},
        {"hue, saturation and luminance typed", CC_FULLOPEN,
         {type_name(hue, "80"), type_name(sat, "240"), type_name(lum, "120"), press(IDOK)}, TRUE, RGB(0, 255, 0),
         RGB(1, 1, 1)},
        {"a colour of one's own", 0, {click_cell(custom, 2, 0), press(IDOK)}, TRUE, RGB(1, 1, 1), RGB(1, 1, 1)},
        {"cancel changes nothing", CC_FULLOPEN, {type_name(red, "200"), press(add), press(IDCANCEL)}, FALSE,
         RGB(9, 9, 9), RGB(1, 1, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        COLORREF colours[16] = {RGB(1, 1, 1)};
        CHOOSECOLORA cc{sizeof(CHOOSECOLORA), frame, nullptr, RGB(9, 9, 9), colours, c.flags, 0, nullptr, nullptr};
        for (const auto& act : c.acts) then(act);
        EXPECT_EQ(ChooseColorA(&cc), c.expected);
        EXPECT_EQ(cc.rgbResult, c.colour);
        EXPECT_EQ(colours[0], c.first_custom);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
    }
}

TEST_F(HandWorkedDialogTest, FontDialogGivesTheLogFont) {
    const int face = 0x0460, style = 0x0461, size = 0x0462, size_field = 0x0482;
    HDC printer = CreateDCA("pdfdriver", "PDF Printer", "LPT1:", nullptr);
    struct Case {
        const char* label;
        DWORD flags;
        HDC dc;
        std::vector<std::function<void()>> acts;
        int box_answer;
        BOOL expected;
        const char* face;
        LONG height;
        LONG weight;
        INT points;  // tenths
        WORD type;
    };
    const std::string bold = platform_user_sjis("太字");
    const Case cases[] = {
        {"IPA Gothic, bold, 12", CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT, nullptr,
         {pick(face, "IPAGothic"), pick(style, bold), pick(size, "12"), press(IDOK)}, 0, TRUE, "IPAGothic", -16,
         FW_BOLD, 120, SCREEN_FONTTYPE | BOLD_FONTTYPE},
        {"a face of the programs, on the printer", CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT, printer,
         {pick(face, platform_user_sjis("ＭＳ 明朝")), type_name(size_field, "10"), press(IDOK)}, 0, TRUE,
         "\x82\x6c\x82\x72 \x96\xbe\x92\xa9", -83, FW_NORMAL, 100, PRINTER_FONTTYPE | REGULAR_FONTTYPE},
        {"the program's largest size is taken", CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE, nullptr,
         {type_name(size_field, "12"), press(IDOK)}, 0, TRUE, "IPAMincho", -16, FW_NORMAL, 120,
         SCREEN_FONTTYPE | REGULAR_FONTTYPE},
        {"a size past the program's limit is refused", CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE, nullptr,
         {type_name(size_field, "14"), press(IDOK), press(IDCANCEL)}, IDOK, FALSE, "IPAMincho", -12, FW_NORMAL, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        LOGFONTA lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        std::strcpy(lf.lfFaceName, "IPAMincho");
        CHOOSEFONTA cf{};
        cf.lStructSize = sizeof cf;
        cf.hwndOwner = frame;
        cf.hDC = c.dc;
        cf.lpLogFont = &lf;
        cf.Flags = c.flags;
        cf.nSizeMin = 8;
        cf.nSizeMax = 12;
        if (c.box_answer) automation::answer_next_message_box(c.box_answer);
        for (const auto& act : c.acts) then(act);
        EXPECT_EQ(ChooseFontA(&cf), c.expected);
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(lf.lfWeight, c.weight);
        EXPECT_EQ(cf.iPointSize, c.points);
        EXPECT_EQ(cf.nFontType, c.type);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
    }
    DeleteDC(printer);
}

TEST_F(HandWorkedDialogTest, FontDialogOffersTheIpaFacesAndThePrograms) {
    LOGFONTA lf{};
    std::strcpy(lf.lfFaceName, "IPAMincho");
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE;
    cf.nSizeMin = 9;
    cf.nSizeMax = 14;
    std::vector<std::string> faces, sizes;
    then([&] {
        faces = automation::control_items(control(0x0460));
        sizes = automation::control_items(control(0x0462));
    });
    then(press(IDCANCEL));
    EXPECT_FALSE(ChooseFontA(&cf));
    for (const std::string& f : {std::string("IPAGothic"), std::string("IPAMincho"), platform_user_sjis("ＭＳ 明朝"),
                                 platform_user_sjis("標準ゴシック")}) {
        EXPECT_NE(std::find(faces.begin(), faces.end(), f), faces.end()) << f;
    }
    EXPECT_EQ(sizes, (std::vector<std::string>{"9", "10", "11", "12", "14"}));
}

TEST_F(HandWorkedDialogTest, PrinterDialogsGiveDevModeAndDevNames) {
    ASSERT_TRUE(WriteProfileStringA("devices", "Office LIPS", "lips4,LPT2:"));
    const int printers = 0x0470, paper = 0x0471, landscape = 0x0421, some_pages = 0x0423, from = 0x0480, to = 0x0481,
              copies = 0x0482;
    struct Case {
        const char* label;
        DWORD flags;
        std::vector<std::function<void()>> acts;
        BOOL expected;
        short orientation;
        short paper;
        const char* device;
        WORD from;
        WORD to;
        WORD copies;
    };
    const Case cases[] = {
        {"landscape", PD_PRINTSETUP, {[=] { automation::set_checked(control(landscape), true); }, press(IDOK)}, TRUE,
         DMORIENT_LANDSCAPE, DMPAPER_A4, "PDF Printer", 0, 0, 1},
        {"B4 on another printer", PD_PRINTSETUP, {pick(paper, "B4 (JIS) (257 x 364 mm)"), pick(printers, "Office LIPS"), press(IDOK)},
         TRUE, DMORIENT_PORTRAIT, DMPAPER_B4, "Office LIPS", 0, 0, 1},
        {"pages and copies", 0,
         {[=] { automation::set_checked(control(some_pages), true); }, type_name(from, "2"), type_name(to, "3"),
          type_name(copies, "2"), press(IDOK)},
         TRUE, DMORIENT_PORTRAIT, DMPAPER_A4, "PDF Printer", 2, 3, 2},
        {"a single page", 0,
         {[=] { automation::set_checked(control(some_pages), true); }, type_name(from, "9"), type_name(to, "9"),
          press(IDOK)},
         TRUE, DMORIENT_PORTRAIT, DMPAPER_A4, "PDF Printer", 9, 9, 1},
        {"cancel", PD_PRINTSETUP, {[=] { automation::set_checked(control(landscape), true); }, press(IDCANCEL)}, FALSE,
         0, 0, nullptr, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        PRINTDLGA pd{};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = frame;
        pd.Flags = c.flags | PD_RETURNDC;
        pd.nMinPage = 1;
        pd.nMaxPage = 9;
        pd.nCopies = 1;
        std::string where;
        then([&] { where = automation::window_text(control(0x0442)); });
        for (const auto& act : c.acts) then(act);
        ASSERT_EQ(PrintDlgA(&pd), c.expected);
        EXPECT_NE(where.find("/print/"), std::string::npos) << "where the pages go: " << where;
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        if (!c.expected) {
            EXPECT_EQ(pd.hDevMode, nullptr);
            EXPECT_EQ(pd.hDC, nullptr);
            continue;
        }
        auto* mode = static_cast<DEVMODEA*>(GlobalLock(pd.hDevMode));
        EXPECT_EQ(mode->dmOrientation, c.orientation);
        EXPECT_EQ(mode->dmPaperSize, c.paper);
        GlobalUnlock(pd.hDevMode);
        auto* names = static_cast<const char*>(GlobalLock(pd.hDevNames));
        EXPECT_STREQ(names + reinterpret_cast<const DEVNAMES*>(names)->wDeviceOffset, c.device);
        GlobalUnlock(pd.hDevNames);
        EXPECT_EQ(pd.nFromPage, c.from);
        EXPECT_EQ(pd.nToPage, c.to);
        EXPECT_EQ(pd.nCopies, c.copies);
        EXPECT_EQ(GetDeviceCaps(pd.hDC, HORZRES) > GetDeviceCaps(pd.hDC, VERTRES), c.orientation == DMORIENT_LANDSCAPE);
        DeleteDC(pd.hDC);
        GlobalFree(pd.hDevMode);
        GlobalFree(pd.hDevNames);
    }
    WriteProfileStringA("devices", "Office LIPS", nullptr);
}

TEST_F(HandWorkedDialogTest, FolderBrowserGivesTheFolderPicked) {
    const int tree = 0x3741;
    char here[4096] = {};
    ASSERT_GT(GetCurrentDirectoryA(sizeof here, here), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = frame;
    bi.pszDisplayName = display;
    bi.lpszTitle = "Where?";
    std::string picked;
    then([&] { picked = automation::control_items(control(tree)).at(static_cast<size_t>(automation::selected_item(control(tree)))); });
    then(pick(tree, last_part(dir.path()), true));
    then(pick(tree, "src"));
    then(press(IDOK));
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    then(press(IDCANCEL));
    EXPECT_EQ(SHBrowseForFolderA(&bi), nullptr);
    SetCurrentDirectoryA(here);
    EXPECT_EQ(picked, last_part(dir.path())) << "it opens on the current folder";
    ASSERT_NE(list, nullptr);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListA(list, path));
    EXPECT_EQ(std::string(path), dir.path("src"));
    EXPECT_STREQ(display, "src");
    CoTaskMemFree(list);
    EXPECT_FALSE(automation::failed()) << automation::log_text();
}

TEST_F(HandWorkedDialogTest, HelpWithoutItsFileSaysSo) {
    write_raw(dir.path("there.hlp"), "x");
    SetWindowTextA(frame, "NOTARIX");
    struct Case {
        std::string file;
        UINT command;
        const char* text;  // of the box, "" for none
    };
    const Case cases[] = {
        {dir.path("gone.hlp"), HELP_FINDER, "\x83g\x83s\x83""b\x83N\x82\xcc\x8c\x9f\x8d\xf5"},  // トピックの検索
        {"WINHELP.HLP", HELP_CONTENTS, "\x96\xda\x8e\x9f"},                                   // 目次
        {dir.path("there.hlp"), HELP_FINDER, ""},
        {dir.path("gone.hlp"), HELP_QUIT, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        size_t boxes = automation::message_boxes().size();
        if (*c.text) automation::answer_next_message_box(IDOK);
        EXPECT_TRUE(WinHelpA(frame, c.file.c_str(), c.command, 0));
        ASSERT_EQ(automation::message_boxes().size(), boxes + (*c.text ? 1 : 0));
        if (!*c.text) continue;
        const automation::MessageBoxRecord& box = automation::message_boxes().back();
        EXPECT_EQ(box.caption, "NOTARIX");
        EXPECT_NE(box.text.find(c.file), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.text), std::string::npos) << box.text;
    }
    EXPECT_EQ(automation::help_calls().size(), 4u);
}

}  // namespace
