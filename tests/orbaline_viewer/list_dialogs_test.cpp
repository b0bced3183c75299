// ORBALINE's list dialogs worked as a user would: NAMLSTDLG's refusals in
// order, its question on leaving a modified list, the list files it writes,
// the source chooser's names from the list's folder; IGNLSTDLG's function names; New going
// from NEW_NAMLSTDLG to a generated chart; KEYWORDDLG's two keys.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/shell/recent_files.h"
#include "common/text/text_helpers.h"
#include "orbaline/viewer/commands.h"
#include "platform/kernel/codec.h"
#include "platform/kernel/file_io.h"
#include "platform/user/commdlg.h"
#include "tests/orbaline_viewer/orbaline_fixture.h"

namespace {

// ＮＡＭファイル編集, ＩＧＮファイル編集, 【 新規作成 】, 【 ＮＡＭファイル入力 】
const std::string kNamCaption = "\x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW";
const std::string kIgnCaption = "\x82h\x82" "f\x82m\x83t\x83\x40\x83" "C\x83\x8b\x95\xd2\x8fW";
const std::string kNewCaption = "\x81y \x90V\x8bK\x8d\xec\x90\xac \x81z";
const std::string kNamInputCaption = "\x81y \x82m\x82\x60\x82l\x83t\x83\x40\x83" "C\x83\x8b\x93\xfc\x97\xcd \x81z";

enum : int {
    kSourceField = 8449,
    kSourceRows = 8705,
    kNamNameField = 8450,
    kChooseButton = 8966,
    kNamRead = 8961,
    kNamSave = 8962,
    kNamDelete = 8964,
    kNamInsert = 8965,
    kNamFinish = 8963,
    kFunctionField = 37121,
    kFunctionRows = 37377,
    kIgnNameField = 37122,
    kIgnSave = 37634,
    kIgnFinish = 37635,
    kIgnDelete = 37636,
    kIgnInsert = 37637,
};

class ListDialogs : public OrbalineTest {
protected:
    void SetUp() override {
        OrbalineTest::SetUp();
        ASSERT_TRUE(start());
    }
    static HWND control(int id) { return automation::find_window(automation::WindowSpec::control(id)); }
    static void type(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }
    static std::vector<std::string> rows(int id) { return automation::control_items(control(id)); }
    static void steps(std::vector<std::function<void()>> acts) {
        for (auto& act : acts) automation::when_idle(std::move(act));
    }
    // A button whose press shows a box, answered with `answer`.
    static void press_for_box(int id, int answer = IDOK) {
        automation::answer_next_message_box(answer);
        automation::press_button(id);
    }
    std::vector<automation::MessageBoxRecord> boxes_since(size_t before) const {
        const auto& boxes = automation::message_boxes();
        return {boxes.begin() + static_cast<long>(before), boxes.end()};
    }
    static std::string lower(std::string text) {
        to_lower_ascii(text);
        return text;
    }
};

TEST_F(ListDialogs, TheSourceListRefusesInOrderAndSavesItsRows) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    const std::string saved = dir.path("three.nam");
    const size_t before = automation::message_boxes().size();
    std::vector<std::string> opened_rows;
    std::string opened_name;
    steps({
        [&] {
            opened_rows = rows(kSourceRows);
            opened_name = automation::window_text(control(kNamNameField));
            press_for_box(kNamInsert);  // nothing typed
        },
        [] {
            type(kSourceField, "util.h");
            press_for_box(kNamInsert);
        },
        [] {
            type(kSourceField, "Alpha.C");
            press_for_box(kNamInsert);
        },
        [] { press_for_box(kNamDelete); },
        [] {
            type(kSourceField, "Gamma.CPP");
            automation::press_button(kNamInsert);
        },
        [] { press_for_box(kNamFinish, IDYES); },  // modified: Yes goes on editing
        [saved] {
            automation::answer_next_file_dialog(saved);
            automation::press_button(kNamSave);
        },
        [] { automation::press_button(kNamFinish); },
    });
    EXPECT_EQ(run_chart_command(frame(), kNamListCommand), 1);
    EXPECT_EQ(opened_rows, (std::vector<std::string>{"alpha.c", "beta.c"}));
    EXPECT_EQ(lower(opened_name), lower(dir.path("two.nam"))) << "the open chart's list";
    const std::vector<automation::MessageBoxRecord> boxes = boxes_since(before);
    ASSERT_EQ(boxes.size(), 5u);
    EXPECT_EQ(boxes[0].text, message(420));
    EXPECT_EQ(boxes[1].text, format_text(message(414).c_str(), "util.h"));
    EXPECT_EQ(boxes[2].text, format_text(message(415).c_str(), "alpha.c")) << "compared in lower case";
    EXPECT_EQ(boxes[3].text, message(428));
    EXPECT_EQ(boxes[4].text, message(421) + "\n" + message(413));
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[i].caption, kNamCaption);
        EXPECT_EQ(boxes[i].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(boxes[4].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(read_raw(saved), "alpha.c\r\nbeta.c\r\ngamma.cpp\r\n");
    EXPECT_EQ(lower(orbaline().new_list_name), lower(saved));
}

TEST_F(ListDialogs, LeavingAModifiedListWithNoClosesWithoutSaving) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    steps({
        [] {
            automation::choose_item(control(kSourceRows), 0);
            automation::press_button(kNamDelete);
        },
        [] { press_for_box(kNamFinish, IDNO); },
    });
    EXPECT_EQ(run_chart_command(frame(), kNamListCommand), 1);
    EXPECT_EQ(read_raw(dir.path("two.nam")), "alpha.c\r\nbeta.c\r\n");
}

TEST_F(ListDialogs, EnterInTheNameFieldSavesAndADoubleClickCopiesARow) {
    ASSERT_TRUE(open_list(dir.path("two.nam")));
    const std::string saved = dir.path("copy.nam");
    std::string copied;
    steps({
        [] { automation::choose_item(control(kSourceRows), 1, true); },
        [&copied] {
            copied = automation::window_text(control(kSourceField));
            automation::type_into(control(kNamNameField), "");
        },
        [saved] {
            automation::answer_next_file_dialog(saved);
            automation::press_key("Enter");
        },
        [] { automation::press_button(kNamFinish); },
    });
    EXPECT_EQ(run_chart_command(frame(), kNamListCommand), 1);
    EXPECT_EQ(copied, "beta.c");
    EXPECT_EQ(read_raw(saved), "alpha.c\r\nbeta.c\r\n");
}

// A chosen source is listed in lower case by its path from the list's
// folder when it lies below a named list, else by its full path, so that
// the generator finds what was chosen.
TEST_F(ListDialogs, TheSourceChooserListsNamesFromTheListsFolder) {
    TempDir other;
    const std::string papers = platform_codec::utf8_to_cp932("資料");
    const std::string sales = platform_codec::utf8_to_cp932("売上.c");
    std::filesystem::create_directories(dir.path("資料"));
    write_raw(dir.path("資料/売上.c"), "int a;\r\n");
    write_raw(dir.path("Near.c"), "int b;\r\n");
    write_raw(other.path("Far.C"), "int c;\r\n");
    const std::string list = dir.path("chart.nam");
    const std::string in_papers = dir.path("") + papers + "/" + sales;
    struct Case {
        const char* label;
        std::string list_name;  // "" leaves the opening name, "*.nam"
        std::string chosen;
        std::string listed;
    };
    const Case cases[] = {
        {"below the list's folder", list, in_papers, papers + "/" + sales},
        {"in the list's folder", list, dir.path("Near.c"), "near.c"},
        {"elsewhere", list, other.path("Far.C"), lower(other.path("Far.C"))},
        {"before the list has a name", "", in_papers, lower(in_papers)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> listed;
        std::string status;
        steps({
            [&c] {
                if (!c.list_name.empty()) type(kNamNameField, c.list_name);
                automation::press_button(kChooseButton);
            },
            [&c] { automation::set_control_text(control(edt1), c.chosen); },
            [] { automation::press(control(752)); },
            [] { automation::set_control_text(control(edt1), "notes.txt"); },
            [] { automation::press(control(752)); },
            [&status] {
                status = automation::status_text();
                automation::press_button(IDCANCEL);
            },
            [&listed] {
                listed = rows(kSourceRows);
                press_for_box(kNamFinish, IDNO);  // not saved
            },
        });
        EXPECT_EQ(run_chart_command(frame(), kNamListCommand), 1);
        EXPECT_FALSE(automation::failed()) << automation::log_text();
        EXPECT_EQ(listed, std::vector<std::string>{c.listed});
        // the refusal names the file, from the folder the chooser shows
        const std::string refusal = message(414);
        EXPECT_EQ(status.substr(0, refusal.find("%s")), refusal.substr(0, refusal.find("%s"))) << status;
        EXPECT_NE(status.find("notes.txt"), std::string::npos) << status;
    }
}

TEST_F(ListDialogs, TheIgnoreListKeepsNamesAsTypedAndTwice) {
    const std::string saved = dir.path("skip.ign");
    const size_t before = automation::message_boxes().size();
    std::string opened_name;
    steps({
        [&opened_name] {
            opened_name = automation::window_text(control(kIgnNameField));
            press_for_box(kIgnInsert);
        },
        [] { press_for_box(kIgnDelete); },
        [] { press_for_box(kIgnSave); },  // no rows
        [] {
            type(kFunctionField, "Trace");
            automation::press_button(kIgnInsert);
        },
        [] {
            type(kFunctionField, "Trace");
            automation::press_button(kIgnInsert);
        },
        [] { press_for_box(kIgnFinish, IDYES); },
        [saved] {
            automation::answer_next_file_dialog(saved);
            automation::press_button(kIgnSave);
        },
        [] { automation::press_button(kIgnFinish); },
    });
    EXPECT_EQ(run_chart_command(frame(), kIgnoreListCommand), 0) << "終了 closes with 0";
    EXPECT_EQ(opened_name, "*.ign");
    const std::vector<automation::MessageBoxRecord> boxes = boxes_since(before);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, message(425));
    EXPECT_EQ(boxes[1].text, message(617));
    EXPECT_EQ(boxes[2].text, message(425));
    EXPECT_EQ(boxes[3].text, message(426) + "\n" + message(413));
    EXPECT_EQ(boxes[0].caption, kIgnCaption);
    EXPECT_EQ(read_raw(saved), "Trace\r\nTrace\r\n");
}

TEST_F(ListDialogs, NewMakesAListAndGeneratesItsChart) {
    const std::string list = dir.path("fresh.nam");
    std::string opened_name;
    std::string status;
    steps({
        [&] {
            opened_name = automation::window_text(control(kNamNameField));
            status = automation::status_text();
            type(kSourceField, "alpha.c");
            automation::press_button(kNamInsert);
        },
        [] {
            type(kSourceField, "beta.c");
            automation::press_button(kNamInsert);
        },
        [list] {
            automation::answer_next_file_dialog(list);
            automation::press_button(kNamSave);
        },
        [] { automation::press_button(kNamFinish); },  // 生成実行
    });
    run_chart_command(frame(), kNewCommand);
    automation::run_until_idle();
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_EQ(opened_name, "*.nam") << "no chart is named while the dialog runs";
    EXPECT_EQ(status, message(429));
    EXPECT_EQ(read_raw(list), "alpha.c\r\nbeta.c\r\n");
    EXPECT_TRUE(chart().loaded);
    EXPECT_EQ(lower(chart().chart_path), lower(dir.path("fresh.trd")));
    EXPECT_GT(chart().row_count(), 0);
    EXPECT_EQ(lower(recent_file(shell_settings(), 0)), lower(list));
}

TEST_F(ListDialogs, NewWithoutAListAsksAgainAndRefusesOtherNames) {
    // closed without a name: message 429 asks; OK opens the dialog again
    const size_t before = automation::message_boxes().size();
    const std::string other = dir.path("list.txt");
    write_raw(other, "alpha.c\r\n");
    steps({
        [] {
            automation::answer_next_message_box(IDOK);
            automation::press_button(kNamFinish);
        },
        [other] {
            type(kSourceField, "alpha.c");
            automation::press_button(kNamInsert);
            automation::answer_next_file_dialog(other);
            automation::press_button(kNamSave);
        },
        [] {
            automation::answer_next_message_box(IDOK);
            automation::press_button(kNamFinish);
        },
    });
    EXPECT_EQ(run_chart_command(frame(), kNewCommand), -1);
    const std::vector<automation::MessageBoxRecord> boxes = boxes_since(before);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, kNewCaption);
    EXPECT_EQ(boxes[0].text, message(429));
    EXPECT_EQ(boxes[1].caption, kNamInputCaption);
    EXPECT_EQ(boxes[1].text, format_text(message(8).c_str(), lower(other).c_str()));
    EXPECT_FALSE(chart().loaded);

    // 取消 ends New at once
    steps({[] { automation::press_button(IDCANCEL); }});
    EXPECT_EQ(run_chart_command(frame(), kNewCommand), -1);
    EXPECT_EQ(automation::message_boxes().size(), before + 2);
}

TEST_F(ListDialogs, KeywordsEditTheGeneratorsTwoKeys) {
    std::vector<std::string> shown;
    steps({[&shown] {
        shown = {automation::window_text(control(33057)), automation::window_text(control(33058))};
        type(33057, "\x96\xbc\x8f\xcc");  // 名称
        type(33058, "\x8b@\x94\x5c");     // 機能
        automation::press_button(IDOK);
    }});
    EXPECT_EQ(run_chart_command(frame(), kKeywordsCommand), 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"NAME", "FUNCTION"})) << "no file: the standard setting";
    EXPECT_EQ(read_raw(program.path("oq1000.kwd")), "NAME=\x96\xbc\x8f\xcc\r\nFUNCTION=\x8b@\x94\x5c\r\n");

    // read back at the next opening, whatever else the file holds
    write_raw(program.path("oq1000.kwd"), "INPUT=in\r\nfunction = Role\r\n");
    steps({[&shown] {
        shown = {automation::window_text(control(33057)), automation::window_text(control(33058))};
        automation::press_button(IDCANCEL);
    }});
    EXPECT_EQ(run_chart_command(frame(), kKeywordsCommand), 0);
    EXPECT_EQ(shown, (std::vector<std::string>{"", "Role"})) << "a key the file lacks keeps the field as it was";
}

}  // namespace
