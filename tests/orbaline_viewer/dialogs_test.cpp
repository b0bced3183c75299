// ORBALINE's dialogs worked as a user would: ENVDLG's range checks in
// order and the bytes it writes, FLTDLG's rows and the node its choice
// selects, and the chart search that stays open and finds on.
#include <functional>
#include <string>
#include <vector>

#include "orbaline/chart/chart_messages.h"
#include "orbaline/viewer/commands.h"
#include "orbaline/viewer/generation.h"
#include "resources/orbaline/orbaline_resources.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

using namespace orbaline_resources;

// "【 環境設定 】"
const std::string kEnvTitle = "\x81y \x8a\xc2\x8b\xab\x90\xdd\x92\xe8 \x81z";

class Dialogs : public OrbalineTest {
protected:
    void SetUp() override {
        OrbalineTest::SetUp();
        ASSERT_TRUE(start());
    }

    int file_word(const SettingsField& field) const {
        const std::string bytes = read_raw(program.path("oq1000s.prm"));
        return static_cast<uint8_t>(bytes.at(field.offset)) | static_cast<uint8_t>(bytes.at(field.offset + 1)) << 8;
    }
    static HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
    static void type(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }
    // The acts of one dialog run, one at each wait of its loop.
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    std::vector<std::string> box_texts_since(size_t before) const {
        std::vector<std::string> texts;
        const auto& boxes = automation::message_boxes();
        for (size_t i = before; i < boxes.size(); ++i) texts.push_back(boxes[i].text);
        return texts;
    }
};

TEST_F(Dialogs, EnvironmentChecksItsNumbersInOrderAndWritesTheSettings) {
    const size_t before = automation::message_boxes().size();
    const std::string bad = message_with_text(0, "40");
    steps({
        [] {
            type(kBoxWidthField, "40");
            type(kBoxLinesField, "0");
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            type(kBoxWidthField, "12");
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            type(kBoxLinesField, "5");
            type(kTabWidthField, "33");
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            type(kTabWidthField, "8");
            automation::set_checked(control(kRowNumbersCheck), false);
            automation::set_checked(control(kConfirmEditsCheck), false);
            automation::press_button(IDOK);
        },
    });
    EXPECT_EQ(run_chart_command(frame(), kEnvironmentCommand), 1);
    const std::vector<std::string> texts = box_texts_since(before);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], bad);  // the width first, though the lines are wrong too
    EXPECT_EQ(texts[1], message_with_text(0, "0"));
    EXPECT_EQ(texts[2], message_with_text(0, "33"));
    EXPECT_EQ(automation::message_boxes()[before].caption, kEnvTitle);
    EXPECT_EQ(file_word(oq_settings::kBoxWidth), 12);
    EXPECT_EQ(file_word(oq_settings::kBoxLines), 5);
    EXPECT_EQ(file_word(oq_settings::kTabWidth), 8);
    EXPECT_EQ(file_word(oq_settings::kRowNumbers), 0);
    EXPECT_EQ(file_word(oq_settings::kConfirmEdits), 0);
    EXPECT_EQ(chart().box_lines, 5);
}

TEST_F(Dialogs, ALongEditorPathIsRefusedWithItsOwnMessage) {
    const std::string path(300, 'a');
    const size_t before = automation::message_boxes().size();
    steps({
        [path] {
            type(kEditorField, path);
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] { automation::press_button(IDCANCEL); },
    });
    EXPECT_EQ(run_chart_command(frame(), kEnvironmentCommand), 0);
    const std::vector<std::string> texts = box_texts_since(before);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], message_with_text(207, path));
    EXPECT_TRUE(shell_settings().text(oq_settings::kEditorPath).empty());
}

TEST_F(Dialogs, FunctionListShowsFourColumnsAndSelectsTheChosenNode) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    std::vector<std::string> first_row;
    int rows = 0;
    steps({
        [&] {
            HWND list = control(12545);
            rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
            for (int column = 0; column < 4; ++column) {
                char text[128] = {};
                LVITEMA item{};
                item.iSubItem = column;
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
                first_row.push_back(text);
            }
            // nothing selected: message 617 and the dialog stays
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            automation::choose_item(control(12545), 3);
            automation::press_button(IDOK);
        },
        [] { automation::press_button(IDCANCEL); },
    });
    run_chart_command(frame(), kFunctionListCommand);
    EXPECT_EQ(rows, 4);
    ASSERT_EQ(first_row.size(), 4u);
    EXPECT_EQ(first_row[0], "   1 main");
    EXPECT_EQ(first_row[1], "alpha.c");
    EXPECT_EQ(first_row[2], "4");
    EXPECT_TRUE(automation::message_boxes().size() >= 1);
    // row 4 of the list is "helper" of beta.c: its first node
    std::string name;
    get_node_name(chart(), chart().selected_column, chart().selected_row, name);
    EXPECT_EQ(name, "helper");
    EXPECT_EQ(orbaline().function_list_row, 3);
}

TEST_F(Dialogs, TheSearchStaysOpenAndFindsTheNextNode) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    std::vector<int> found;
    steps({
        [] {
            type(kSearchField, "helper");
            automation::press_button(IDOK);
        },
        [&found] {
            found.push_back(chart().selected_row);
            automation::press_button(IDOK);
        },
        [&found] {
            found.push_back(chart().selected_row);
            automation::press_button(IDCANCEL);
        },
    });
    run_chart_command(frame(), kChartSearchCommand);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], 3);
    EXPECT_EQ(found[1], 6);
    EXPECT_EQ(chart().search_text, "helper");
}

TEST_F(Dialogs, GenerationParametersCheckTheirRangesAndStoreEverything) {
    const size_t before = automation::message_boxes().size();
    steps({
        [] {
            type(kBlockCharactersField, "81");
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            type(kBlockCharactersField, "30");
            type(kNestLevelField, "1");
            automation::answer_next_message_box(IDOK);
            automation::press_button(IDOK);
        },
        [] {
            type(kNestLevelField, "64");
            type(kOptionsField, "-DWIN32");
            type(kIgnoreField, "skip.ign");
            automation::choose_item(control(kIncludeCombo), 3);
            automation::choose_item(control(kMacroCombo), 2);
            automation::set_checked(control(kReusedCheck), false);
            automation::set_checked(control(kPointerCheck), true);
            automation::press_button(IDOK);
        },
    });
    EXPECT_EQ(run_chart_command(frame(), kParametersCommand), 0);
    const std::vector<std::string> texts = box_texts_since(before);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], message_with_text(0, "81"));
    EXPECT_EQ(texts[1], message_with_text(0, "1"));
    EXPECT_EQ(file_word(oq_settings::kBlockCharacters), 30);
    EXPECT_EQ(file_word(oq_settings::kNestLevel), 64);
    EXPECT_EQ(file_word(oq_settings::kIncludeUse), 3);
    EXPECT_EQ(file_word(oq_settings::kMacroExpansion), 2);
    EXPECT_EQ(file_word(oq_settings::kShowReusedFunctions), 0);
    EXPECT_EQ(file_word(oq_settings::kPointerCalls), 1);
    EXPECT_EQ(shell_settings().text(oq_settings::kGenerationOptions), "-DWIN32");
    EXPECT_EQ(shell_settings().text(oq_settings::kIgnoreFile), "skip.ign");
}

TEST_F(Dialogs, RunNowFromTheParametersGenerates) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    int calls = 0;
    set_tree_generator_entry([&calls](int, char**) { return ++calls, 0; });
    steps({[] { automation::press_button(kRunButton); }});
    run_chart_command(frame(), kParametersCommand);
    set_tree_generator_entry(nullptr);
    EXPECT_EQ(calls, 1);
}

TEST_F(Dialogs, TheCommentDialogReplacesTheNodesComment) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    automation::click(view(), 110, row_y(1));
    automation::run_until_idle();
    ASSERT_EQ(chart().selected_row, 2);
    std::string shown_name, shown_comment;
    steps({[&] {
        shown_name = automation::window_text(control(kCommentNameText));
        shown_comment = automation::window_text(control(kCommentField));
        type(kCommentField, "prints it");
        automation::answer_next_message_box(IDYES);
        automation::press_button(IDOK);
    }});
    run_chart_command(frame(), kFirstEditCommand + 3);  // 指定関数置換
    EXPECT_EQ(shown_name.rfind("report", 0), 0u);
    EXPECT_TRUE(shown_comment.empty());
    EXPECT_NE(orbaline_commands().replacement_text.find(";prints it"), std::string::npos);
    EXPECT_TRUE(chart().modified);
    EXPECT_NE(std::string(chart().table.text(2, 1)).find("prints it"), std::string::npos);
}

}  // namespace
