// The generation dialogs worked as a user would: the parameters and what an
// accepted dialog writes to the settings file, the keyword and common-
// information files byte for byte, the batch list's checks and the source
// chooser, Enter and Esc, and failed saves.
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/text/text_helpers.h"
#include "notarix/viewer/generation_dialogs.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"
#include "tests/notarix_viewer/notarix_fixture.h"

namespace {

// "【 生成パラメタ設定 】", "【生成キーワード設定】", "【 一括生成設定 】"
const std::string kParameterTitle = "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const std::string kKeywordCaption = "\x81y\x90\xb6\x90\xac\x83L\x81[\x83\x8f\x81[\x83h\x90\xdd\x92\xe8\x81z";
const std::string kBatchCaption = "\x81y \x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8 \x81z";

int failing_write(int, const void*, unsigned) { return -1; }
int failing_close(int fd) {
    crt_close(fd);
    return -1;
}
const SettingsWriterCalls kFailingWrite = {failing_write, crt_close, crt_rename};
const SettingsWriterCalls kFailingClose = {crt_write, failing_close, crt_rename};

void then(std::function<void()> act) { automation::when_idle(std::move(act)); }

HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
std::string control_text(int id) { return automation::window_text(control(id)); }
void set_text(int id, const std::string& text) { automation::set_control_text(control(id), text); }

class GenerationDialogsTest : public NotarixTest {
protected:
    void SetUp() override {
        NotarixTest::SetUp();
        ASSERT_TRUE(start());
        install_generation_dialogs();
    }
    void TearDown() override {
        set_settings_writer_calls(nullptr);
        set_generation_file_calls(nullptr);
        NotarixTest::TearDown();
    }
    std::string settings_bytes() { return read_raw(program.path("nx1000s.prm")); }
    static int word_at(const std::string& bytes, const SettingsField& field) {
        return static_cast<uint8_t>(bytes[field.offset]) | static_cast<uint8_t>(bytes[field.offset + 1u]) << 8;
    }
    static std::string text_at(const std::string& bytes, const SettingsField& field) {
        return std::string(bytes.c_str() + field.offset);
    }
    const automation::MessageBoxRecord& last_box() const { return automation::message_boxes().back(); }
};

// --- CNVPRMDLG ----------------------------------------------------------------------------

TEST_F(GenerationDialogsTest, ParametersShowTheStoredValuesAndAnAcceptedDialogWritesThemAtOnce) {
    SettingsRecord& s = shell_settings();
    s.set_word(nx_settings::kIncludeUse, 1);
    s.set_text(nx_settings::kLayoutFile, "old.lis");
    automation::when_idle([] {
        EXPECT_EQ(automation::selected_item(control(4353)), 2);  // the shipped value
        EXPECT_EQ(automation::selected_item(control(4354)), 1);
        EXPECT_EQ(automation::control_items(control(4353)).size(), 5u);
        EXPECT_EQ(automation::control_items(control(4354)).size(), 4u);
        EXPECT_EQ(automation::control_items(control(4355)).size(), 4u);
        EXPECT_EQ(automation::control_items(control(4356)).size(), 2u);
        EXPECT_EQ(control_text(4357), "nx1000.css");
        EXPECT_EQ(control_text(4358), "old.lis");
        // no source has been read: no run from here
        EXPECT_FALSE(IsWindowEnabled(control(6)));
        automation::choose_item(control(4353), 4);
    });
    then([] { automation::choose_item(control(4354), 3); });
    then([] { automation::choose_item(control(4355), 2); });
    then([] { automation::choose_item(control(4356), 1); });
    then([] { set_text(4357, "my.css"); });
    then([] { set_text(4358, "form.lis"); });
    then([] { set_text(4359, "-x1"); });
    then([] { automation::press_button(IDOK); });
    EXPECT_EQ(run_notarix_dialog("CNVPRMDLG"), 1);
    const std::string bytes = settings_bytes();
    ASSERT_EQ(bytes.size(), static_cast<size_t>(kNotarixSettingsSize));
    EXPECT_EQ(word_at(bytes, nx_settings::kSourceInfoForm), 4);
    EXPECT_EQ(word_at(bytes, nx_settings::kIncludeUse), 3);
    EXPECT_EQ(word_at(bytes, nx_settings::kMacroExpansion), 2);
    EXPECT_EQ(word_at(bytes, nx_settings::kDeclarationForm), 1);
    EXPECT_EQ(text_at(bytes, nx_settings::kCommonInfoFile), "my.css");
    EXPECT_EQ(text_at(bytes, nx_settings::kLayoutFile), "form.lis");
    EXPECT_EQ(text_at(bytes, nx_settings::kGenerationOptions), "-x1");
    EXPECT_TRUE(automation::message_boxes().empty());
}

TEST_F(GenerationDialogsTest, ParametersEnterAcceptsEscapeStoresNothing) {
    const std::string before = settings_bytes();
    then([] { set_text(4359, "-changed"); });
    then([] { automation::press_key("Esc"); });
    EXPECT_EQ(run_notarix_dialog("CNVPRMDLG"), 0);
    EXPECT_EQ(shell_settings().text(nx_settings::kGenerationOptions), "");
    EXPECT_EQ(settings_bytes(), before);

    then([] { set_text(4359, "-entered"); });
    then([] { automation::press_key("Enter"); });
    EXPECT_EQ(run_notarix_dialog("cnvprmdlg"), 1);  // names match in any case
    EXPECT_EQ(text_at(settings_bytes(), nx_settings::kGenerationOptions), "-entered");
}

TEST_F(GenerationDialogsTest, ParametersCutLongNamesWholeAndKeepAnUnselectedChoice) {
    automation::when_idle([] {
        // 62 letters and a double-byte character: 64 bytes for a 64-byte field
        SetWindowTextA(control(4357), (std::string(62, 'a') + "\x82\xa0").c_str());
        SendMessageA(control(4353), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        automation::press_button(IDOK);
    });
    EXPECT_EQ(run_notarix_dialog("CNVPRMDLG"), 1);
    const std::string bytes = settings_bytes();
    EXPECT_EQ(text_at(bytes, nx_settings::kCommonInfoFile), std::string(62, 'a'));
    EXPECT_EQ(word_at(bytes, nx_settings::kSourceInfoForm), 2);
}

TEST_F(GenerationDialogsTest, ParametersFailedWriteShowsMessageSixAndKeepsTheValues) {
    const std::string before = settings_bytes();
    set_settings_writer_calls(&kFailingWrite);
    automation::answer_next_message_box(IDOK);
    then([] { set_text(4359, "-kept"); });
    then([] { automation::press_button(IDOK); });
    const size_t beeps = automation::beeps().size();
    EXPECT_EQ(run_notarix_dialog("CNVPRMDLG"), 1);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(last_box().text, message(6));
    EXPECT_EQ(last_box().caption, kParameterTitle);
    EXPECT_EQ(last_box().type & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(automation::beeps().size(), beeps + 1);
    EXPECT_EQ(settings_bytes(), before);
    EXPECT_EQ(shell_settings().text(nx_settings::kGenerationOptions), "-kept");
}

// --- KEYWORDDLG -------------------------------------------------------------------------

TEST_F(GenerationDialogsTest, KeywordFileLinesFillOnlyTheirOwnKeys) {
    write_raw(program.path("nx1000.kwd"),
              "NAME=Name\r\n  function  =  What it does  \n"
              "no separator here\nUNKNOWN=x\nCALL=first\ncall=second\n");
    automation::when_idle([] {
        EXPECT_EQ(control_text(33057), "Name");
        EXPECT_EQ(control_text(33058), "What it does");
        EXPECT_EQ(control_text(33071), "second");  // a later line wins
        EXPECT_EQ(control_text(33059), "");         // keys not in the file stay empty
        automation::press_button(IDCANCEL);
    });
    EXPECT_EQ(run_notarix_dialog("KEYWORDDLG"), 0);
}

TEST_F(GenerationDialogsTest, KeywordStandardSettingThenRegisterWritesEachKeyOnBothSides) {
    crt_remove(program.path("nx1000.kwd").c_str());
    automation::when_idle([] {
        EXPECT_EQ(control_text(33063), "INPUT(EXT)");  // no file: the standard setting
        set_text(33057, "x");
    });
    then([] { automation::press_button(33074); });
    then([] { automation::press_button(IDOK); });
    EXPECT_EQ(run_notarix_dialog("KEYWORDDLG"), 1);
    EXPECT_EQ(read_raw(program.path("nx1000.kwd")),
              "NAME=NAME\r\nFUNCTION=FUNCTION\r\nPROCESS=PROCESS\r\nINPUT=INPUT\r\nOUTPUT=OUTPUT\r\n"
              "UPDATE=UPDATE\r\nINPUT(EXT)=INPUT(EXT)\r\nOUTPUT(EXT)=OUTPUT(EXT)\r\nUPDATE(EXT)=UPDATE(EXT)\r\n"
              "RETURN=RETURN\r\nREMARKS=REMARKS\r\nFILE=FILE\r\nPROGRAMMED=PROGRAMMED\r\nDATE(ORG)=DATE(ORG)\r\n"
              "CALL=CALL\r\n");
}

TEST_F(GenerationDialogsTest, KeywordEmptyValuesAndSaveAs) {
    automation::answer_next_file_dialog(dir.path("copy.kwd"));
    automation::when_idle([] {
        for (int id = 33057; id <= 33071; ++id) SetWindowTextA(control(id), "");
        set_text(33057, "\x96\xbc\x8f\xcc");  // 名称
    });
    then([] { automation::press_button(33075); });
    automation::when_idle([] { automation::press_key("Esc"); });
    EXPECT_EQ(run_notarix_dialog("KEYWORDDLG"), 0);
    EXPECT_EQ(read_raw(dir.path("copy.kwd")),
              "NAME=\x96\xbc\x8f\xcc\r\nFUNCTION=\r\nPROCESS=\r\nINPUT=\r\nOUTPUT=\r\nUPDATE=\r\nINPUT(EXT)=\r\n"
              "OUTPUT(EXT)=\r\nUPDATE(EXT)=\r\nRETURN=\r\nREMARKS=\r\nFILE=\r\nPROGRAMMED=\r\nDATE(ORG)=\r\nCALL=\r\n");
}

// The keyword file dialog's one type lists the keyword files only.
TEST_F(GenerationDialogsTest, KeywordFileDialogListsTheKeywordFiles) {
    write_raw(dir.path("words.kwd"), "NAME=x\n");
    write_raw(dir.path("notes.txt"), "x");
    std::vector<std::string> types, files;
    then([] { automation::press_button(33073); });
    then([this] {
        set_text(1152, dir.path());  // into the folder
        automation::press_button(IDOK);
    });
    then([&] {
        types = automation::control_items(control(1136));
        files = automation::control_items(control(1120));
        automation::press_button(IDCANCEL);
    });
    then([] { automation::press_button(IDCANCEL); });
    EXPECT_EQ(run_notarix_dialog("KEYWORDDLG"), 0);
    EXPECT_EQ(types, std::vector<std::string>{"\xB7\xB0\xDC\xB0\xC4\xDE\xCC\xA7\xB2\xD9(*.kwd)"});  // ｷｰﾜｰﾄﾞﾌｧｲﾙ
    EXPECT_EQ(files, std::vector<std::string>{"words.kwd"});
}

TEST_F(GenerationDialogsTest, KeywordFailedRegisterKeepsTheDialogAndTheOldFile) {
    write_raw(program.path("nx1000.kwd"), "NAME=old\n");
    set_generation_file_calls(&kFailingClose);
    automation::answer_next_message_box(IDOK);
    automation::when_idle([] {
        set_text(33057, "new");
    });
    then([] { automation::press_button(IDOK); });
    automation::when_idle([] {
        EXPECT_NE(control(33057), nullptr);  // still open
        automation::press_button(IDCANCEL);
    });
    EXPECT_EQ(run_notarix_dialog("KEYWORDDLG"), 0);
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(last_box().caption, kKeywordCaption);
    EXPECT_EQ(last_box().text, message(100) + "\n" + document_state().program_directory + "\\nx1000.kwd");
    EXPECT_EQ(read_raw(program.path("nx1000.kwd")), "NAME=old\n");
}

// --- COMPRMDLG --------------------------------------------------------------------------

TEST_F(GenerationDialogsTest, CommonInformationReadAndWritten) {
    crt_remove(program.path("nx1000.css").c_str());
    automation::when_idle([] {
        EXPECT_EQ(control_text(33313), "NOTARIX");
        EXPECT_EQ(control_text(33314), "MS-C");
        set_text(33313, "\x94\xcc\x94\x84");  // 販売
    });
    then([] { set_text(33314, "C++"); });
    then([] { automation::press_key("Enter"); });
    EXPECT_EQ(run_notarix_dialog("COMPRMDLG"), 1);
    EXPECT_EQ(read_raw(program.path("nx1000.css")), "SYS:\x94\xcc\x94\x84\r\nLGT:C++\r\n");

    write_raw(program.path("nx1000.css"), " sys : Accounts \nOTHER:x\nLGT:MS-C 7\n");
    automation::when_idle([] {
        EXPECT_EQ(control_text(33313), "Accounts");
        EXPECT_EQ(control_text(33314), "MS-C 7");
        automation::press_key("Esc");
    });
    EXPECT_EQ(run_notarix_dialog("COMPRMDLG"), 0);
}

// --- CNVLSTDLG --------------------------------------------------------------------------

class BatchListTest : public GenerationDialogsTest {
protected:
    void SetUp() override {
        GenerationDialogsTest::SetUp();
        char cwd[1024] = {};
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        saved_cwd = cwd;
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(saved_cwd.c_str()), 0);
        GenerationDialogsTest::TearDown();
    }
    // Queued: the name into the source field, then 挿入.
    static void insert(const std::string& name) {
        then([name] { set_text(8465, name); });
        then([] { automation::press_button(8502); });
    }
    static std::vector<std::string> entries() { return automation::control_items(control(8481)); }
    std::string saved_cwd;
};

TEST_F(BatchListTest, InsertRefusesDuplicatesAndHeadersAndSecondClickDeselects) {
    for (int i = 0; i < 3; ++i) automation::answer_next_message_box(IDOK);
    then([] { EXPECT_EQ(control_text(8466), "*.nam"); });
    insert("Main.C");
    insert("util.cpp");
    then([] {
        EXPECT_EQ(entries(), (std::vector<std::string>{"main.c", "util.cpp"}));
        EXPECT_EQ(control_text(8465), "");
    });
    insert("MAIN.c");  // 415
    insert("defs.h");  // 414
    then([] { automation::choose_item(control(8481), 0); });
    insert("first.c");  // before the selected entry
    then([] { automation::choose_item(control(8481), 1); });
    then([] { automation::choose_item(control(8481), 1); });  // again: nothing selected
    then([] { EXPECT_EQ(automation::selected_item(control(8481)), -1); });
    insert("last.c");
    then([] {
        EXPECT_EQ(entries(), (std::vector<std::string>{"first.c", "main.c", "util.cpp", "last.c"}));
        automation::press_button(IDOK);  // unsaved: 512 and 519
    });
    then([] { automation::press_button(IDCANCEL); });
    EXPECT_EQ(run_notarix_dialog("CNVLSTDLG"), 0);
    const auto& boxes = automation::message_boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, format_text(message(415).c_str(), "main.c"));
    EXPECT_EQ(boxes[1].text, format_text(message(414).c_str(), "defs.h"));
    EXPECT_EQ(boxes[2].text, message(512) + "\n" + message(519));
    for (const auto& box : boxes) EXPECT_EQ(box.caption, kBatchCaption);
    EXPECT_EQ(shell().batch_list_name, "");  // cancel restores it
}

TEST_F(BatchListTest, EnterInTheListNameFieldSavesAndTheRunEndsWithOne) {
    const std::string list = dir.path("jobs.nam");
    automation::answer_next_file_dialog(list);
    insert("a.c");
    insert("b.cpp");
    then([] { automation::type_into(control(8466), ""); });  // the focus to the name field
    then([] { automation::press_key("Enter"); });
    then([] { automation::press_button(IDOK); });
    EXPECT_EQ(run_notarix_dialog("CNVLSTDLG"), 1);
    EXPECT_EQ(read_raw(list), "a.c\r\nb.cpp\r\n");
    std::string chosen = list;  // the file dialog gives names in lower case
    to_lower_ascii(chosen);
    EXPECT_EQ(shell().batch_list_name, chosen);
    EXPECT_TRUE(automation::message_boxes().empty());

    // opening again reads the list back
    then([] { EXPECT_EQ(entries(), (std::vector<std::string>{"a.c", "b.cpp"})); });
    then([] { automation::press_key("Esc"); });
    EXPECT_EQ(run_notarix_dialog("CNVLSTDLG"), 0);
}

TEST_F(BatchListTest, EmptyListAndFailedSaveAreReported) {
    set_generation_file_calls(&kFailingWrite);
    automation::answer_next_message_box(IDOK);
    automation::answer_next_message_box(IDOK);
    automation::answer_next_file_dialog(dir.path("bad.nam"));
    then([] { automation::press_button(8499); });  // nothing to save: 510
    insert("a.c");
    then([] { automation::press_button(8499); });  // the write fails: 100
    then([] { automation::press_button(IDCANCEL); });
    EXPECT_EQ(run_notarix_dialog("CNVLSTDLG"), 0);
    const auto& boxes = automation::message_boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, message(510));
    EXPECT_EQ(boxes[1].text.substr(0, message(100).size() + 1), message(100) + "\n");
    EXPECT_FALSE(crt_exists(dir.path("bad.nam").c_str()));
}

// ... and neither the pattern the field shows after a folder change nor a
// file that is not there.
TEST_F(BatchListTest, TheSourceChooserAddsBareNamesAndFullPathsFromElsewhere) {
    TempDir other;
    const std::string elsewhere = other.path("far.c");
    then([] { automation::press_button(8497); });
    then([] { automation::set_control_text(control(edt1), "\"One.c\" \"two.CPP\""); });
    then([] { automation::press(control(752)); });
    then([] { automation::set_control_text(control(edt1), "notes.txt"); });
    then([] { automation::press(control(752)); });
    then([] { EXPECT_EQ(automation::status_text(), format_text(message(414).c_str(), "notes.txt")); });
    then([elsewhere] { automation::set_control_text(control(edt1), elsewhere); });
    then([] { automation::press(control(752)); });
    then([] {
        automation::answer_next_message_box(IDOK);
        automation::set_control_text(control(edt1), "*.c;*.cpp");
    });
    then([] { automation::press(control(752)); });
    then([] {
        automation::answer_next_message_box(IDOK);
        automation::set_control_text(control(edt1), "none.c");
    });
    then([] { automation::press_button(IDOK); });
    then([] {
        const auto& boxes = automation::message_boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, message(511));
        EXPECT_EQ(boxes[1].text.substr(0, 7), "none.c\n") << "the open dialog's own: the file is not there";
        automation::press_button(IDCANCEL);
    });
    then([] {
        std::vector<std::string> e = entries();
        ASSERT_EQ(e.size(), 3u);
        EXPECT_EQ(e[0], "one.c");
        EXPECT_EQ(e[1], "two.cpp");
        EXPECT_EQ(e[2].substr(e[2].size() - 5), "far.c");
        EXPECT_NE(e[2].find('/'), std::string::npos);
    });
    then([] { automation::press_button(IDCANCEL); });
    EXPECT_EQ(run_notarix_dialog("CNVLSTDLG"), 0);
}

// --- The dispatcher -------------------------------------------------------------------

TEST_F(GenerationDialogsTest, TheDispatcherReachesTheseDialogsAndOthersGoOn) {
    std::vector<std::string> others;
    command_state().entry.run_dialog = [&others](const char* name) {
        others.push_back(name);
        return 0;
    };
    install_generation_dialogs();
    automation::when_idle([] { automation::press_key("Esc"); });
    EXPECT_TRUE(automation::choose_menu_command(20482));
    EXPECT_EQ(command_state().entry.run_dialog("ENVDLG"), 0);
    EXPECT_EQ(others, (std::vector<std::string>{"ENVDLG"}));
    EXPECT_EQ(run_notarix_dialog("ENVDLG"), -1);
}

}  // namespace
