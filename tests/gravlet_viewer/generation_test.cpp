// GRAVLET's generation runs: the argument vector from the settings, the
// status texts of a run (the generator replaced by a test entry), warnings
// with the question and the error window, cancel through the meter, and a
// batch with its log lines and outcome.
#include <string>
#include <vector>

#include "common/shell/window/error_window.h"
#include "common/shell/window/progress_meter.h"
#include "gravlet/pad/messages.h"
#include "gravlet_fixture.h"
#include "tests/common/rights.h"

namespace {

using V = std::vector<std::string>;

const char kResultPrefix[] = "\x90\xb6\x90\xac\x81\x46";                                  // 生成：
const char kGenerateCaption[] = "\x81\x79\x20\x90\xb6\x90\xac\x20\x81\x7a";               // 【 生成 】
const char kBatchCaption[] = "\x81\x79\x20\x88\xea\x8a\x87\x90\xb6\x90\xac\x20\x81\x7a";   // 【 一括生成 】
const char kGenerationWork[] = "\x90\xb6\x90\xac\x8f\x88\x97\x9d";                        // 生成処理
const char kIoError[] = "\x82h\x81^\x82n\x83G\x83\x89\x81[";                                // Ｉ／Ｏエラー
// Ｃソースファイルではありません。
const char kNotCSourceText[] =
    "\x82\x62\x83\x5c\x81\x5b\x83\x58\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xcd\x82\xa0\x82\xe8\x82\xdc\x82"
    "\xb9\x82\xf1\x81\x42";

// ファイルが書けません。
const char kCannotWriteText[] = "\x83t\x83@\x83\x43\x83\x8b\x82\xaa\x8f\x91\x82\xaf\x82\xdc\x82\xb9\x82\xf1\x81\x42";
// 関数の数が1000を超えています。 1001番目以降の関数はＰＡＤ図にありません。 表示できる最後の関数（%s）
const char kTooManyFunctions[] = "\x8a\xd6\x90\x94\x82\xcc\x90\x94\x82\xaa\x31\x30\x30\x30\x82\xf0\x92\xb4\x82\xa6\x82\xc4\x82\xa2\x82\xdc\x82\xb7\x81\x42";
const char kLeftOutOfPad[] = "\x31\x30\x30\x31\x94\xd4\x96\xda\x88\xc8\x8d\x7e\x82\xcc\x8a\xd6\x90\x94\x82\xcd\x82\x6f\x82\x60\x82\x63\x90\x7d\x82\xc9\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42";
const char kLastShownFormat[] = "\x95\x5c\x8e\xa6\x82\xc5\x82\xab\x82\xe9\x8d\xc5\x8c\xe3\x82\xcc\x8a\xd6\x90\x94\x81\x69%s\x81\x6a";
// ファイル読み込み
const char kReadFileCaption[] = "\x83t\x83@\x83\x43\x83\x8b\x93\xc7\x82\xdd\x8d\x9e\x82\xdd";

class GenerationTest : public GravletTest {
protected:
    // The generator replaced: each run returns the next status and records
    // its vector.
    void fake_generator(std::vector<int> statuses) {
        set_pad_generator_entry([this, statuses](int argc, char** argv) mutable {
            vectors.emplace_back(argv, argv + argc);
            const int status = statuses.empty() ? 0 : statuses.front();
            if (!statuses.empty()) statuses.erase(statuses.begin());
            return status;
        });
    }
    std::vector<V> vectors;
};

TEST_F(GenerationTest, TheVectorFollowsTheSettings) {
    reset_shell_settings(kGravletSettings);
    SettingsRecord& s = shell_settings();
    s.set_standard_values();
    document_state().program_directory = "c:\\krt";
    EXPECT_EQ(pad_generator_arguments("a.c", "gx1000.err"),
              (V{"gx1002s", "a.c", "-n", "-v0", "-ucfc", "-i00", "-X8462", "-mf", "-ti0", "-c80", "-lm20", "-d0", "-C0",
                 "-ec:\\krt\\gx1000.err", ""}))
        << "form 0 leaves the joining option out; an empty options text is still passed";

    s.set_word(gx_settings::kGenerationForm, 2);
    s.set_word(gx_settings::kPadCharacters, 24);
    s.set_word(gx_settings::kGenerationNestLevel, 10);
    s.set_word(gx_settings::kIncludeUse, 3);
    s.set_word(gx_settings::kDeclarationForm, 1);
    s.set_word(gx_settings::kMacroExpansion, 2);
    s.set_word(gx_settings::kCasePassForm, 1);
    s.set_word(gx_settings::kSpecialComments, 2);
    s.set_text(gx_settings::kGenerationOptions, "-W1 -PP0");
    EXPECT_EQ(pad_generator_arguments("b.c", "gx1000.erw"),
              (V{"gx1002s", "b.c", "-n", "-v0", "-ucfc", "-i22", "-X8462", "-mf", "-ti1", "-gc24:10", "-c24", "-lm10",
                 "-d4", "-C1", "-ec:\\krt\\gx1000.erw", "-W1 -PP0", "--2"}));
    const std::pair<int, const char*> forms[] = {{1, "-g24:10"}, {3, "-gl24:10"}, {4, "-ga24:10"}};
    for (const auto& [form, option] : forms) {
        s.set_word(gx_settings::kGenerationForm, form);
        EXPECT_EQ(pad_generator_arguments("b.c", "gx1000.err")[9], option) << form;
    }
    const std::pair<int, const char*> includes[] = {{0, "-i00"}, {1, "-i10"}, {2, "-i20"}};
    for (const auto& [use, option] : includes) {
        s.set_word(gx_settings::kIncludeUse, use);
        EXPECT_EQ(pad_generator_arguments("b.c", "gx1000.err")[5], option) << use;
    }
    s.set_word(gx_settings::kSpecialComments, 1);
    EXPECT_EQ(pad_generator_arguments("b.c", "gx1000.err").back(), "--");
    const std::pair<int, const char*> macros[] = {{0, "-d0"}, {1, "-d3"}, {3, "-d2"}};
    for (const auto& [form, option] : macros) {
        s.set_word(gx_settings::kMacroExpansion, form);
        EXPECT_EQ(pad_generator_arguments("b.c", "gx1000.err")[12], option) << form;
    }
}

TEST_F(GenerationTest, EachStatusHasItsText) {
    open_generated("sample.c");
    struct Case {
        int status;
        std::string text;
    };
    const Case cases[] = {
        {0, message(406)},
        {11, format_text(message(403).c_str(), 11)},
        {13, kResultPrefix + message(402)},
        {14, kResultPrefix + message(404)},
        {255, std::string(kResultPrefix) + kIoError},
        {-1, kResultPrefix + message(202)},
    };
    for (const Case& c : cases) {
        fake_generator({c.status});
        const size_t beeps = automation::beeps().size();
        ASSERT_TRUE(automation::choose_menu_command(kGenerateCommand));
        EXPECT_EQ(automation::status_text(), c.text) << c.status;
        EXPECT_EQ(automation::beeps().size(), beeps + 1) << "every run without a question beeps";
    }
    ASSERT_FALSE(vectors.empty());
    EXPECT_EQ(vectors.back()[1], lower(dir.path("sample.c")));
    EXPECT_FALSE(gravlet().has_error_file);
    EXPECT_TRUE(automation::message_boxes().empty());
    EXPECT_FALSE(document_state().busy);
}

TEST_F(GenerationTest, WarningsAskAndShowTheErrorFile) {
    open_generated("sample.c");
    write_raw(program.path("gx1000.err"), "sample.c    (  12) : W010 : warned\n");
    fake_generator({9, 10});
    automation::answer_next_message_box(IDCANCEL);
    ASSERT_TRUE(automation::choose_menu_command(kGenerateCommand));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].caption, kGenerateCaption);
    EXPECT_EQ(automation::message_boxes()[0].text, message(408) + "\n" + message(409));
    EXPECT_EQ(automation::status_text(), kResultPrefix + message(408));
    EXPECT_FALSE(generation_error_window().is_open());
    EXPECT_TRUE(gravlet().has_error_file);
    EXPECT_EQ(settings_on_disk().word(gx_settings::kLastGenerationStatus), 9);
    EXPECT_TRUE(document_state().loaded) << "warnings still show the PAD";

    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kGenerateCommand));
    EXPECT_EQ(automation::status_text(), kResultPrefix + message(400));
    ASSERT_TRUE(generation_error_window().is_open());
    EXPECT_EQ(automation::control_items(generation_error_window().list()),
              V{"sample.c    (  12) : W010 : warned"});
    EXPECT_EQ(settings_on_disk().word(gx_settings::kLastGenerationStatus), 10);
    // the errors command shows the file again
    generation_error_window().close();
    ASSERT_TRUE(automation::choose_menu_command(kShowGenerationErrorsCommand));
    EXPECT_TRUE(generation_error_window().is_open());
}

// Files that cannot be made or read are named: a results folder that takes
// no new file (the work file in the error file, E058), a program folder
// that takes none (the error file in the box), a PAD file that cannot be
// read or is a folder (message 100 with its name).
TEST_F(GenerationTest, FilesThatCannotBeMadeOrReadAreNamed) {
    ASSERT_TRUE(start());
    RightsBind rights;
    ASSERT_TRUE(rights.binds());
    const std::string sample = read_raw(copy_source("sample.c"));
    const auto last_box = [] { return automation::message_boxes().back(); };
    const auto open_new = [this](const std::string& source, int answers) {
        for (int i = 0; i < answers; ++i) automation::answer_next_message_box(IDOK);
        return open_through_menu(source);
    };

    // the results folder
    const std::string in_shut = dir.path("shut");
    std::filesystem::create_directory(in_shut);
    write_raw(in_shut + "/a.c", sample);
    {
        TakenRights shut(in_shut, TakenRights::kReadOnlyFolder);
        ASSERT_TRUE(open_new(in_shut + "/a.c", 2));  // the notice, then look at the errors
    }
    EXPECT_EQ(last_box().text, message(408) + "\n" + message(409));
    ASSERT_TRUE(generation_error_window().is_open());
    const V lines = automation::control_items(generation_error_window().list());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" : E058 : "), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(lower(in_shut + "/a.tmp")), std::string::npos) << lines[0];

    // the program folder, without an error file of an earlier run
    std::filesystem::remove(program.path("gx1000.err"));
    write_raw(dir.path("b.c"), sample);
    {
        TakenRights shut(program.path(), TakenRights::kReadOnlyFolder);
        ASSERT_TRUE(open_new(dir.path("b.c"), 2));  // the notice, then the box that names the file
    }
    EXPECT_EQ(last_box().caption, kGenerateCaption);
    EXPECT_EQ(last_box().text, std::string(kCannotWriteText) + "\n" + program_file_path("gx1000.err"));

    // PAD files that cannot be read
    write_raw(dir.path("c.c"), sample);
    ASSERT_TRUE(open_new(dir.path("c.c"), 1));
    ASSERT_TRUE(document_state().loaded);
    write_raw(dir.path("d.c"), sample);
    std::filesystem::create_directory(dir.path("d.pds"));
    for (const char* name : {"c", "d"}) {
        const std::string pad = dir.path(std::string(name) + ".pds");
        TakenRights unreadable(pad, TakenRights::kUnreadableFile);
        const size_t boxes = automation::message_boxes().size();
        ASSERT_TRUE(open_new(dir.path(std::string(name) + ".c"), 1));
        ASSERT_EQ(automation::message_boxes().size(), boxes + 1) << name;
        EXPECT_EQ(last_box().caption, kReadFileCaption) << name;
        EXPECT_EQ(last_box().text, message(100) + "\n" + format_text(message(101).c_str(), lower(pad).c_str()));
        EXPECT_FALSE(document_state().loaded) << name;
    }
}

// The PAD file shows 1,000 functions: a source with more is told after its
// generation (a warning and the status) which is the last one shown.
TEST_F(GenerationTest, FunctionsPastTheThousandthAreTold) {
    ASSERT_TRUE(start());
    for (const int count : {1000, 1001}) {
        std::string text;
        for (int i = 1; i <= count; ++i) text += "int f" + std::to_string(i) + "(void)\n{\n    return 0;\n}\n";
        const std::string source = dir.path("many" + std::to_string(count) + ".c");
        write_raw(source, text);
        const size_t shown = automation::message_boxes().size();
        automation::answer_next_message_box(IDOK);                     // the open flow's notice
        if (count > 1000) automation::answer_next_message_box(IDOK);  // the warning
        ASSERT_TRUE(open_through_menu(source));
        EXPECT_EQ(document_state().page_count, 1000) << count;
        const auto& boxes = automation::message_boxes();
        if (count == 1000) {
            EXPECT_EQ(boxes.size(), shown + 1) << "only the open flow's notice";
            EXPECT_EQ(automation::status_text(), message(406));
            continue;
        }
        ASSERT_EQ(boxes.size(), shown + 2);
        EXPECT_EQ(boxes.back().caption, kGenerateCaption);
        EXPECT_EQ(boxes.back().text, std::string(kTooManyFunctions) + "\n" + kLeftOutOfPad + "\n" +
                                         format_text(kLastShownFormat, "f1000"));
        EXPECT_EQ(automation::status_text(), std::string(kLeftOutOfPad) + format_text(kLastShownFormat, "f1000"));
    }
}

TEST_F(GenerationTest, CancelThroughTheMeterStopsTheRun) {
    // a source long enough for many progress reports
    std::string text;
    for (int i = 0; i < 400; ++i) {
        text += "/* FUNCTION : part " + std::to_string(i) + " */\nint part" + std::to_string(i) +
                "(int x)\n{\n    if (x > 0) {    /* positive */\n        return x;\n    }\n    return -x;\n}\n";
    }
    write_raw(dir.path("long.c"), text);
    ASSERT_TRUE(start());
    automation::WindowSpec cancel;
    cancel.kind = automation::WindowSpec::Kind::class_name;
    cancel.text = "GXWMETER";
    cancel.ids = {kMeterCancelId};
    automation::press_at_peek(20, cancel);
    automation::answer_next_message_box(IDOK);  // the notice: no PAD yet
    ASSERT_TRUE(open_through_menu(dir.path("long.c")));
    EXPECT_EQ(automation::status_text(), format_text(message(802).c_str(), kGenerationWork));
    EXPECT_FALSE(progress_meter().open);
    EXPECT_FALSE(document_state().abort);
    EXPECT_FALSE(document_state().busy);
    EXPECT_EQ(automation::message_boxes().size(), 1u) << "no question after a cancel";
}

TEST_F(GenerationTest, ABatchLogsWhatItSkippedAndTheOutcome) {
    open_generated("sample.c");
    copy_source("kinds.c");
    write_raw(dir.path("first.c"), "int first(void)\n{\n    return 1;\n}\n");
    write_raw(dir.path("util.h"), "int util(void);\n");
    write_raw(dir.path("list.nam"), "first.c\n\nmissing.c\nutil.h\nsample.c\nkinds.c\n");
    shell().batch_list_name = dir.path("list.nam");
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kRunBatchCommand));

    EXPECT_TRUE(crt_exists(dir.path("first.pds").c_str()));
    EXPECT_TRUE(crt_exists(dir.path("kinds.pds").c_str()));
    const std::string log = read_raw(program.path("gx1000.erl"));
    EXPECT_NE(log.find(format_text("%-14s : %s", "missing.c", message(106).c_str())), std::string::npos) << log;
    EXPECT_NE(log.find(format_text("%-14s : %s", "util.h", kNotCSourceText)), std::string::npos) << log;
    EXPECT_NE(log.find(message(518)), std::string::npos) << "the current source is never generated";
    EXPECT_FALSE(crt_exists(program.path("gx1000.erw").c_str())) << "the per-source file is removed";
    EXPECT_EQ(automation::status_text(), message(400)) << "skipped sources make errors";
    ASSERT_FALSE(automation::message_boxes().empty());
    EXPECT_EQ(automation::message_boxes().back().caption, kBatchCaption);
    EXPECT_TRUE(generation_error_window().is_open());
    EXPECT_TRUE(gravlet().has_batch_error_file);
}

TEST_F(GenerationTest, AFailedSourceInABatchIsNeverReportedAsSuccess) {
    open_generated("sample.c");
    write_raw(dir.path("a.c"), "int a;\n");
    write_raw(dir.path("b.c"), "int b;\n");
    // one line far longer than a read buffer stays one entry
    const std::string long_name = std::string(300, 'n') + ".c";
    write_raw(dir.path("list.nam"), "a.c\n" + long_name + "\nb.c\n");
    shell().batch_list_name = dir.path("list.nam");
    for (int failure : {11, 13, 14, 255, -1}) {
        fake_generator({0, failure});
        automation::answer_next_message_box(IDCANCEL);
        ASSERT_TRUE(automation::choose_menu_command(kRunBatchCommand));
        EXPECT_NE(automation::status_text(), message(406)) << failure;
        ASSERT_FALSE(automation::message_boxes().empty()) << failure;
        EXPECT_EQ(automation::message_boxes().back().text, message(408) + "\n" + message(409)) << failure;
        EXPECT_TRUE(gravlet().has_batch_error_file) << failure;
        const std::string log = read_raw(program.path("gx1000.erl"));
        EXPECT_NE(log.find(format_text("%-14s : ", "b.c")), std::string::npos) << failure << log;
        EXPECT_NE(log.find(long_name.substr(0, 200)), std::string::npos) << "the long line is one missing name";
    }
    EXPECT_EQ(vectors.size(), 10u) << "a.c and b.c each time, the long name never";
}

TEST_F(GenerationTest, ABatchThatSucceededHasNoErrorsToShow) {
    open_generated("sample.c");
    write_raw(dir.path("first.c"), "int first(void)\n{\n    return 1;\n}\n");
    write_raw(dir.path("list.nam"), "first.c\n");
    shell().batch_list_name = dir.path("list.nam");
    ASSERT_TRUE(automation::choose_menu_command(kRunBatchCommand));
    EXPECT_EQ(automation::status_text(), message(406));
    EXPECT_FALSE(gravlet().has_batch_error_file);
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kShowBatchErrorsCommand));
    ASSERT_EQ(automation::message_boxes().size(), 1u);
    EXPECT_EQ(automation::message_boxes()[0].text, message(505));

    shell().batch_list_name = "*.nam";
    automation::answer_next_message_box(IDOK);
    ASSERT_TRUE(automation::choose_menu_command(kRunBatchCommand));
    EXPECT_EQ(automation::message_boxes().back().text, message(510)) << "a wildcard name is refused";
}

}  // namespace
