// GRAVLET's dialogs: the refusals of the generation parameters, the batch
// list, the environment and the keyword file, and what an accepted one
// writes (the settings file's bytes, gx1000.kwd, the list file).
#include <filesystem>
#include <string>
#include <vector>

#include "common/viewer/shell_dialogs.h"
#include "gravlet/viewer/gravlet_dialogs.h"
#include "gravlet_fixture.h"
#include "resources/gravlet/gravlet_resources.h"

namespace {

using namespace gravlet_resources;

// 【 生成パラメタ設定 】, 【 環境設定 】, 【 一括生成設定 】
const char kParameterTitle[] = "\x81y \x90\xb6\x90\xac\x83p\x83\x89\x83\x81\x83^\x90\xdd\x92\xe8 \x81z";
const char kEnvironmentTitle[] = "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z";
const char kBatchCaption[] = "\x81y \x88\xea\x8a\x87\x90\xb6\x90\xac\x90\xdd\x92\xe8 \x81z";

enum : int { kSourceNameField = 8465, kListNameField = 8466, kInsertButton = 8502, kSaveButton = 8499 };

class DialogsTest : public GravletTest {
protected:
    void SetUp() override {
        GravletTest::SetUp();
        ASSERT_TRUE(start());
    }
    // Acts on the dialog while it waits, one after the other.
    void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(act);
    }
    // Fills a field at once; typing would reach the field only after the act.
    static void set(int id, const std::string& text) {
        SetWindowTextA(automation::find_window(automation::WindowSpec::control(id)), text.c_str());
    }
    // A press that brings up a refusal, answered.
    static void press_for_box(int button) {
        automation::answer_next_message_box(IDOK);
        automation::press_button(button);
    }
    static std::string shown(int id) {
        return automation::window_text(automation::find_window(automation::WindowSpec::control(id)));
    }
    std::string last_box_text() const {
        return automation::message_boxes().empty() ? "" : automation::message_boxes().back().text;
    }
    std::string bad_value(const std::string& typed) const { return format_text(message(0).c_str(), typed.c_str()); }
};

TEST_F(DialogsTest, GenerationParametersRefuseNumbersOutOfRange) {
    const std::string before = read_raw(program.path("gx1000s.prm"));
    steps({
        [] {
            EXPECT_FALSE(IsWindowEnabled(automation::find_window(automation::WindowSpec::control(kRunButton))))
                << "no source is loaded";
            set(kPadCharactersField, "0");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("0"));
            EXPECT_EQ(automation::message_boxes().back().caption, kParameterTitle);
            set(kPadCharactersField, "81");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("81"));
            set(kPadCharactersField, "80");
            set(kNestLevelField, "1");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("1"));
            set(kNestLevelField, "21");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("21"));
            automation::press_button(IDCANCEL);
        },
    });
    EXPECT_EQ(run_gravlet_dialog("CNVPRMDLG"), 0);
    EXPECT_EQ(automation::message_boxes().size(), 4u);
    EXPECT_EQ(read_raw(program.path("gx1000s.prm")), before) << "nothing stored";
}

TEST_F(DialogsTest, AcceptedParametersAreWrittenAtOnce) {
    steps({[] {
        set(kPadCharactersField, "24");
        set(kNestLevelField, "2");
        set(kOptionsField, "-W1 -D X");
        automation::choose_item(automation::find_window(automation::WindowSpec::control(kFormCombo)), 3);
        automation::choose_item(automation::find_window(automation::WindowSpec::control(kIncludeCombo)), 3);
        automation::choose_item(automation::find_window(automation::WindowSpec::control(kSpecialCommentCombo)), 2);
        automation::press_button(IDOK);
    }});
    EXPECT_EQ(run_gravlet_dialog("CNVPRMDLG"), 1);
    const SettingsRecord disk = settings_on_disk();
    EXPECT_EQ(disk.word(gx_settings::kPadCharacters), 24);
    EXPECT_EQ(disk.word(gx_settings::kGenerationNestLevel), 2);
    EXPECT_EQ(disk.text(gx_settings::kGenerationOptions), "-W1 -D X");
    EXPECT_EQ(disk.word(gx_settings::kGenerationForm), 3);
    EXPECT_EQ(disk.word(gx_settings::kIncludeUse), 3);
    EXPECT_EQ(disk.word(gx_settings::kSpecialComments), 2);
    EXPECT_EQ(disk.text(gx_settings::kIncludeFolders), "");
    // an options text longer than its 31 bytes is refused, never spilled over
    steps({[] {
              set(kOptionsField, std::string(40, 'o'));
              press_for_box(IDOK);
          },
          [] { automation::press_button(IDCANCEL); }});
    EXPECT_EQ(run_gravlet_dialog("CNVPRMDLG"), 0);
    EXPECT_EQ(last_box_text(), bad_value(std::string(40, 'o')));
    EXPECT_EQ(settings_on_disk().text(gx_settings::kGenerationOptions), "-W1 -D X");
}

TEST_F(DialogsTest, EnvironmentRefusesWidthsOutOfRangeAndStoresTheRest) {
    steps({
        [] {
            EXPECT_EQ(shown(kLevelWidthField), "16");
            set(kLevelWidthField, "7");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("7"));
            EXPECT_EQ(automation::message_boxes().back().caption, kEnvironmentTitle);
            set(kLevelWidthField, "33");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("33"));
            set(kLevelWidthField, "8");
            set(kTabWidthField, "33");
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value("33"));
            set(kTabWidthField, "0");
            set(kEditorField, std::string(130, 'e'));
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), bad_value(std::string(130, 'e'))) << "the editor's field holds 127 bytes";
            set(kEditorField, "c:\\tools\\ed.exe");
            automation::set_checked(automation::find_window(automation::WindowSpec::control(kLineNumbersCheck)),
                                    false);
            automation::press_button(IDOK);
        },
    });
    dispatch_menu_command(frame(), kEnvironmentCommand);
    const SettingsRecord disk = settings_on_disk();
    EXPECT_EQ(disk.word(gx_settings::kScreenLevelWidth), 8);
    EXPECT_EQ(disk.word(gx_settings::kTabWidth), 0) << "a tab width of 0 is accepted";
    EXPECT_EQ(disk.text(gx_settings::kEditorPath), "c:\\tools\\ed.exe");
    EXPECT_EQ(disk.word(gx_settings::kLineNumbers), 0);
    EXPECT_FALSE(gravlet().line_numbers) << "the view takes the new values";
    EXPECT_EQ(gravlet_pad().level_width, 8);
}

TEST_F(DialogsTest, KeywordsAreReadInCapitalsAndTheStandardIsWritten) {
    write_raw(program.path("gx1000.kwd"), "  function =  Purpose \nno equals sign\nunknown=x\nname=\x93\xfc\x97\xcd a\n");
    steps({[] {
               EXPECT_EQ(shown(33058), "PURPOSE") << "key and value in capitals, blanks dropped";
               EXPECT_EQ(shown(33057), "\x93\xfc\x97\xcd A") << "double-byte text kept";
               EXPECT_EQ(shown(33059), "") << "a key not in the file keeps the field's text";
               automation::press_button(33074);  // 標準設定
               automation::press_button(IDOK);
           }});
    EXPECT_EQ(run_gravlet_dialog("KEYWORDDLG"), 1);
    std::string expected;
    for (const char* key : kKeywordKeys) expected += std::string(key) + "=" + key + "\r\n";
    EXPECT_EQ(read_raw(program.path("gx1000.kwd")), expected);

    // a keyword file that cannot be written keeps the dialog open
    crt_remove(program.path("gx1000.kwd").c_str());
    std::filesystem::create_directory(program.path("gx1000.kwd"));
    steps({[] { press_for_box(IDOK); },
           [this] {
               EXPECT_EQ(last_box_text(), message(100) + "\n" + lower(program.path()) + "\\gx1000.kwd");
               automation::press_button(IDCANCEL);
           }});
    EXPECT_EQ(run_gravlet_dialog("KEYWORDDLG"), 0);
}

TEST_F(DialogsTest, TheBatchListRefusesAndSavesItsList) {
    write_raw(dir.path("one.c"), "int one;\n");
    const std::string list = dir.path("sources.nam");
    automation::answer_next_file_dialog(list);
    steps({
        [] {
            press_for_box(kInsertButton);  // nothing typed
        },
        [this] {
            EXPECT_EQ(last_box_text(), message(510));
            EXPECT_EQ(automation::message_boxes().back().caption, kBatchCaption);
            set(kSourceNameField, "util.h");
            press_for_box(kInsertButton);
        },
        [this] {
            EXPECT_EQ(last_box_text(), format_text(message(414).c_str(), "util.h"));
            set(kSourceNameField, "One.C");
            automation::press_button(kInsertButton);
        },
        [] {
            EXPECT_EQ(shown(kSourceNameField), "") << "cleared once inserted";
            set(kSourceNameField, "ONE.c");
            press_for_box(kInsertButton);
        },
        [this] {
            EXPECT_EQ(last_box_text(), format_text(message(415).c_str(), "one.c")) << "the same name in any case";
            press_for_box(IDOK);
        },
        [this] {
            EXPECT_EQ(last_box_text(), message(512) + "\n" + message(519)) << "an unsaved list";
            automation::press_button(kSaveButton);
            automation::press_button(IDOK);
        },
    });
    EXPECT_EQ(run_gravlet_dialog("CNVLSTDLG"), 1);
    EXPECT_EQ(read_raw(list), "one.c\r\n");
    EXPECT_EQ(shell().batch_list_name, lower(list));
}

TEST_F(DialogsTest, TheBatchListDeletesReadsAndSavesFromItsNameField) {
    write_raw(dir.path("first.nam"), "a.c\nb.c   \n");
    write_raw(dir.path("other.nam"), "c.c\n");
    shell().batch_list_name = dir.path("first.nam");
    const std::string saved = dir.path("saved.nam");
    steps({
        [] {
            EXPECT_EQ(automation::control_items(automation::find_window(automation::WindowSpec::control(8481))),
                      (std::vector<std::string>{"a.c", "b.c"}))
                << "trailing blanks dropped";
            press_for_box(8501);  // nothing selected
        },
        [this] {
            EXPECT_EQ(last_box_text(), message(511));
            // another list read: the dialog shows it, cancel keeps the first name
            automation::answer_next_file_dialog(dir.path("other.nam"));
            automation::press_button(8498);
        },
        [this, saved] {
            EXPECT_EQ(shown(kListNameField), lower(dir.path("other.nam")));
            // Enter while the list name has the focus saves instead of inserting
            SetFocus(automation::find_window(automation::WindowSpec::control(kListNameField)));
            set(kSourceNameField, "d.c");
            automation::answer_next_file_dialog(saved);
            automation::press_key(VK_RETURN);
        },
        [] {
            EXPECT_EQ(shown(kSourceNameField), "d.c") << "nothing was inserted";
            automation::press_button(IDCANCEL);
        },
    });
    EXPECT_EQ(run_gravlet_dialog("CNVLSTDLG"), 0);
    EXPECT_EQ(read_raw(saved), "c.c\r\n");
    EXPECT_EQ(shell().batch_list_name, dir.path("first.nam")) << "cancel restores the name it opened with";
}

TEST_F(DialogsTest, TheEditorDialogStoresItsField) {
    steps({[] {
        set(kEditorField, "notepad.exe");
        automation::press_button(IDOK);
    }});
    dispatch_menu_command(frame(), kEditorDialogCommand);
    EXPECT_EQ(settings_on_disk().text(gx_settings::kEditorPath), "notepad.exe");
}

}  // namespace
