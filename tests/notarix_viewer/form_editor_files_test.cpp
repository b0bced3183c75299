// The form editor's files: saving and opening forms with their questions,
// closing, the code-set switch kept in the settings, and generating the
// layout files with its refusals, warnings and error window.

#include <filesystem>

#include "common/analysis/scramble.h"
#include "common/shell/window/error_window.h"
#include "common/text/text_helpers.h"
#include "notarix/viewer/settings_layout.h"
#include "platform/kernel/global_memory.h"
#include "tests/common/generated_files.h"
#include "tests/notarix_viewer/form_editor_fixture.h"

namespace {

class FormEditorFiles : public FormEditorTest {
protected:
    void draw_small_box() {
        command(33282);
        drag(0, 0, 0, 10);
        drag(2, 0, 2, 10);
        drag(0, 0, 2, 0);
        drag(0, 10, 2, 10);
        choose_text_tool(29185, "ab");
        click_cell(1, 2);
    }
    std::string save_as(const std::string& name) {
        const std::string path = dir.path(name);
        automation::answer_next_file_dialog(path);
        command(4098);
        return path;
    }
    static std::string crlf_lines(const std::vector<std::string>& lines, int total) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        for (int i = static_cast<int>(lines.size()); i < total; ++i) text += "\r\n";
        return text;
    }
    std::string lower(std::string text) {
        to_lower_ascii(text);
        return text;
    }
};

TEST_F(FormEditorFiles, SaveWritesEveryRowAndClearsModified) {
    draw_small_box();
    EXPECT_TRUE(form_editor().modified);
    const std::string path = save_as("box.frm");
    EXPECT_EQ(read_raw(path), crlf_lines({sjis("┏━━━━┓"), sjis("┃ab      ┃"), sjis("┗━━━━┛")}, 82));
    EXPECT_FALSE(form_editor().modified);
    EXPECT_EQ(text_of(editor()), lower(path) + " - " + sjis("関数仕様書ﾌｫｰﾑ編集"));
    EXPECT_EQ(automation::status_text(), format_text(message(725).c_str(), lower(path).c_str()));
}

TEST_F(FormEditorFiles, AFailedSaveKeepsTheFormModified) {
    draw_small_box();
    automation::answer_next_message_box(IDOK);
    save_as("no-such-folder/box.frm");
    EXPECT_TRUE(form_editor().modified);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 関数仕様書ﾌｫｰﾑ編集 】"));
}

TEST_F(FormEditorFiles, OpeningAsksAboutEditsAndAnOutdatedLayout) {
    draw_small_box();
    const std::string saved = save_as("box.frm");
    command(33281);
    drag(4, 0, 4, 6);
    // edits would be lost: No keeps them
    automation::answer_next_message_box(IDNO);
    command(4097);
    EXPECT_EQ(last_box_text(), message(419) + "\n" + message(418));
    EXPECT_EQ(rows(4, 4), sj({"────"}));
    // Yes; then the form's layout file is missing: No keeps the form too
    automation::answer_next_message_box(IDYES);
    automation::answer_next_message_box(IDNO);
    command(4097);
    EXPECT_EQ(last_box_text(), message(506) + "\n" + lower(dir.path("box.lis")) + "\n" + message(418));
    EXPECT_EQ(rows(4, 4), sj({"────"}));
    // Yes to both: the saved form comes back
    automation::answer_next_message_box(IDYES);
    automation::answer_next_message_box(IDYES);
    automation::answer_next_file_dialog(saved);
    command(4097);
    EXPECT_EQ(rows(0, 4), sj({"┏━━━━┓", "┃ab      ┃", "┗━━━━┛", "", ""}));
    EXPECT_FALSE(form_editor().modified);
    EXPECT_TRUE(undo_greyed());
}

TEST_F(FormEditorFiles, NoMemoryOnOpenClosesTheEditor) {
    write_raw(dir.path("a.frm"), "abc\r\n");
    automation::answer_next_file_dialog(dir.path("a.frm"));
    automation::answer_next_message_box(IDOK);
    platform_fail_next_allocations(1);
    command(4097);
    platform_fail_next_allocations(0);
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(last_box_text(), message(402));
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 関数仕様書ﾌｫｰﾑ編集 】"));
    EXPECT_FALSE(form_editor().open());
    EXPECT_EQ(shell().owned.form_editor, nullptr);
    EXPECT_FALSE(form_grids().allocated());
    // the command opens a fresh editor again
    ASSERT_TRUE(automation::choose_menu_command(8193));
    EXPECT_TRUE(form_editor().open());
}

TEST_F(FormEditorFiles, OpeningTheEditorWithoutMemoryIsRefused) {
    command(4099);
    ASSERT_FALSE(form_editor().open());
    automation::answer_next_message_box(IDOK);
    platform_fail_next_allocations(1);
    ASSERT_TRUE(automation::choose_menu_command(8193));
    platform_fail_next_allocations(0);
    EXPECT_FALSE(form_editor().open());
    EXPECT_EQ(last_box_text(), message(402));
}

TEST_F(FormEditorFiles, ClosingAModifiedFormAsks) {
    draw_small_box();
    automation::answer_next_message_box(IDNO);
    automation::close_window(editor());
    automation::run_until_idle();
    EXPECT_TRUE(form_editor().open());
    EXPECT_EQ(last_box_text(),
              message(419) + "\n" + format_text(message(108).c_str(), sjis("関数仕様書フォーム編集").c_str()));
    // the menu's end names the editor's caption
    automation::answer_next_message_box(IDNO);
    command(4099);
    EXPECT_EQ(last_box_text(),
              message(419) + "\n" + format_text(message(108).c_str(), sjis("【 関数仕様書ﾌｫｰﾑ編集 】").c_str()));
    EXPECT_TRUE(form_editor().open());
    automation::answer_next_message_box(IDYES);
    command(4099);
    EXPECT_FALSE(form_editor().open());
    EXPECT_FALSE(form_grids().allocated());
}

TEST_F(FormEditorFiles, ClosingTheFrameAsksTheEditorFirst) {
    draw_small_box();
    automation::answer_next_message_box(IDNO);
    automation::close_window(frame());
    automation::run_until_idle();
    EXPECT_TRUE(IsWindow(frame()));
    EXPECT_TRUE(form_editor().open());
    automation::answer_next_message_box(IDYES);
    automation::close_window(frame());
    automation::run_until_idle();
    EXPECT_FALSE(form_editor().open());
    EXPECT_TRUE(automation::quit_received());
}

TEST_F(FormEditorFiles, CodeSetSwitchRebuildsTheRowsAndIsKept) {
    draw_small_box();
    save_as("box.frm");
    command(26114);
    EXPECT_TRUE(checked(26114));
    EXPECT_FALSE(checked(26113));
    // ┏ ━ ┓ as the PC98 codes 0x86B1, 0x86A3, 0x86B5
    EXPECT_EQ(rows(0, 0)[0], "\x86\xB1\x86\xA3\x86\xA3\x86\xA3\x86\xA3\x86\xB5");
    EXPECT_FALSE(form_editor().modified) << "neither modified nor saved";
    EXPECT_EQ(shell_settings().word(nx_settings::kFormCodeSet), 1);
    const std::string settings = read_raw(program.path("nx1000s.prm"));
    ASSERT_GT(settings.size(), 1741u);
    EXPECT_EQ(static_cast<unsigned char>(settings[1740]) | static_cast<unsigned char>(settings[1741]) << 8, 1);
    // saving now writes the PC98 characters
    const std::string path = save_as("box98.frm");
    EXPECT_EQ(read_raw(path).substr(0, 12), "\x86\xB1\x86\xA3\x86\xA3\x86\xA3\x86\xA3\x86\xB5");
    // back to DOS/V, the same drawing
    command(26113);
    EXPECT_EQ(rows(0, 0), sj({"┏━━━━┓"}));
}

TEST_F(FormEditorFiles, GenerationIsRefusedForModifiedAndUnnamedForms) {
    automation::answer_next_message_box(IDOK);
    command(25089);
    EXPECT_EQ(last_box_text(), message(416));
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 仕様書レイアウトファイル生成 】"));
    draw_small_box();
    save_as("box.frm");
    command(33281);
    drag(4, 0, 4, 6);
    command(37408);  // undone, yet still modified
    automation::answer_next_message_box(IDOK);
    command(25089);
    EXPECT_EQ(last_box_text(), message(412));
    EXPECT_FALSE(file_exists(dir.path("box.lis")));
}

TEST_F(FormEditorFiles, GenerationMakesTheLayoutFilesAndNamesThem) {
    draw_small_box();
    command(37378);
    drag(1, 4, 1, 8);
    save_as("box.frm");
    automation::answer_next_message_box(IDOK);
    command(25090);
    EXPECT_EQ(last_box_text(), message(505));
    automation::answer_next_message_box(IDOK);
    command(25089);
    const std::string lis = lower(dir.path("box.lis"));
    // the program names the files in lower case; the platform finds them
    EXPECT_TRUE(file_exists(dir.path("box.lis")));
    EXPECT_TRUE(file_exists(dir.path("box.fms")));
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().caption, sjis("【 仕様書レイアウトファイル生成 】"));
    EXPECT_EQ(last_box_text(), format_text(message(728).c_str(), lis.c_str()) + "\n" +
                                   format_text(message(729).c_str(), lis.c_str()));
    EXPECT_EQ(automation::status_text(), message(411));
    EXPECT_FALSE(document_state().busy);
    EXPECT_TRUE(IsWindowEnabled(editor()));
    // the field file places the function name where it was dragged
    const std::vector<std::string> fms = scrambled_file_lines(dir.path("box.fms"));
    ASSERT_EQ(fms.size(), 1u);
    EXPECT_EQ(fms[0], "$NM(2,5:1,5)");
    // the layout is current now: closing asks nothing
    const size_t boxes = automation::message_boxes().size();
    command(4099);
    EXPECT_FALSE(form_editor().open());
    EXPECT_EQ(automation::message_boxes().size(), boxes);
}

TEST_F(FormEditorFiles, AnOverlongFormWarnsAndOffersItsErrors) {
    std::string text;
    for (int i = 0; i < 83; ++i) text += "row\r\n";
    write_raw(dir.path("long.frm"), text);
    automation::answer_next_file_dialog(dir.path("long.frm"));
    automation::answer_next_message_box(IDOK);  // the form is cut on reading
    command(4097);
    automation::answer_next_message_box(IDOK);
    command(25089);
    EXPECT_EQ(automation::status_text(), message(408));
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(last_box_text(), message(408) + "\n" + message(409));
    EXPECT_TRUE(generation_error_window().is_open());
    EXPECT_EQ(generation_error_window().file_name(), document_state().program_directory + "\\nx1000.erf");
    EXPECT_TRUE(file_exists(dir.path("long.lis")));
    // shown again on request, reloaded in place
    command(25090);
    EXPECT_TRUE(generation_error_window().is_open());
}

// A result that cannot be put in place says why in the error file: the
// editor offers it, and the error command shows it again.
TEST_F(FormEditorFiles, AWriteFailureOffersItsErrors) {
    draw_small_box();
    save_as("box.frm");
    std::filesystem::create_directory(dir.path("box.fms"));
    automation::answer_next_message_box(IDCANCEL);
    command(25089);
    EXPECT_EQ(last_box_text(), message(408) + "\n" + message(407));
    EXPECT_EQ(automation::status_text(), message(400));
    EXPECT_FALSE(generation_error_window().is_open());
    command(25090);
    EXPECT_TRUE(generation_error_window().is_open());
    ASSERT_EQ(automation::control_items(generation_error_window().list()).size(), 1u);
}

}  // namespace
