// The option elements the three converter drivers share: the counter of
// "-m", "-mh" and "-mf" with each program's grammar, "-i" and "-D".
#include <string>
#include <vector>

#include "common/analysis/converter_kit.h"
#include "tests/analysis/analysis_fixture.h"

namespace analysis_test {
namespace {

struct CounterCase {
    const char* rest;   // the text after "-m"
    bool notarix, gravlet, orbaline;
    CounterOption expected;  // when accepted
};

// {mode, first, second, width, step}
const CounterCase kCounterCases[] = {
    {"", true, true, true, {1, -1, -1, 5, 1}},
    {"h", true, true, true, {2, -1, -1, 5, 1}},
    {"f", true, true, true, {3, -1, -1, 5, 1}},
    {"f10:20", true, true, true, {3, 10, 20, 5, 1}},
    {"h1:2:3", true, true, true, {2, 1, 2, 3, 1}},
    {"200:300:99:500", true, true, true, {1, 99, 199, 60, 100}},
    {"1:2:0:0", true, true, true, {1, 1, 2, 1, 1}},
    {"5", false, false, true, {1, 5, -1, 5, 1}},
    {"f7", false, false, true, {3, 7, -1, 5, 1}},
    {"1:2:", true, false, false, {1, 1, 2, 5, 1}},
    {"1:2::7", true, false, false, {1, 1, 2, 5, 7}},
    {"5:", false, false, false, {}},
    {":5", false, false, false, {}},
    {"1:2:3:", false, false, false, {}},
    {"1:2:3:4:5", false, false, false, {}},
    {"1:2:3:4x", false, false, false, {}},
    {"1;2", false, false, false, {}},
    {"x", false, false, false, {}},
    {"hf1:2", false, false, false, {}},
};

void expect_counter(const CounterOption& got, const CounterOption& want, const std::string& where) {
    EXPECT_EQ(got.mode, want.mode) << where;
    EXPECT_EQ(got.first, want.first) << where;
    EXPECT_EQ(got.second, want.second) << where;
    EXPECT_EQ(got.width, want.width) << where;
    EXPECT_EQ(got.step, want.step) << where;
}

TEST(CounterOption, GrammarAndClampsOfEachProgram) {
    const struct {
        const char* name;
        const ConverterProfile* profile;
        bool CounterCase::*accepted;
    } kPrograms[] = {
        {"NOTARIX", &kNotarixConverter, &CounterCase::notarix},
        {"GRAVLET", &kGravletConverter, &CounterCase::gravlet},
        {"ORBALINE", &kOrbalineConverter, &CounterCase::orbaline},
    };
    for (const auto& program : kPrograms) {
        for (const CounterCase& c : kCounterCases) {
            const std::string where = std::string(program.name) + " -m" + c.rest;
            CounterOption counter;
            counter.step = 42;  // an earlier element's values never survive
            const bool accepted = parse_counter_option(c.rest, program.profile->counter, counter);
            EXPECT_EQ(accepted, c.*program.accepted) << where;
            if (accepted) expect_counter(counter, c.expected, where);
        }
    }
}

TEST(CounterOption, TextOfEachMode) {
    CounterOption counter;
    counter.mode = 1;
    EXPECT_EQ(counter_text(counter, 'C', 42), "   42");
    counter.mode = 2;
    EXPECT_EQ(counter_text(counter, 'H', 42), "H  42");
    counter.mode = 3;
    counter.width = 1;
    EXPECT_EQ(counter_text(counter, 'C', 7), "C7");
    counter.width = 3;
    EXPECT_EQ(counter_text(counter, 'O', 123456), "O123456");
    counter.width = 60;
    EXPECT_EQ(counter_text(counter, 'C', 1).size(), 60u);
}

TEST(CounterOption, DueEveryStepthLineOrWhenForced) {
    CounterOption counter;
    counter.mode = 1;
    counter.step = 3;
    std::vector<int> due;
    for (int line = 1; line <= 8; ++line)
        if (counter_due(counter, line, 0)) due.push_back(line);
    EXPECT_EQ(due, (std::vector<int>{1, 4, 7}));
    EXPECT_TRUE(counter_due(counter, 2, 1));
}

TEST(IncludeOption, DigitsWithinTheirRanges) {
    const struct {
        const char* rest;
        bool notarix, gravlet;
        AnalysisOptions expected;
    } kCases[] = {
        {"", true, false, {1, 0, 1}},
        {"0", true, true, {0, 0, 1}},
        {"12", true, true, {1, 2, 1}},
        {"220", true, true, {2, 2, 0}},
        {"3", false, false, {}},
        {"13", false, false, {}},
        {"112", false, false, {}},
        {"1210", false, false, {}},
        {"1a", false, false, {}},
    };
    for (const auto& c : kCases) {
        for (const ConverterProfile* profile : {&kNotarixConverter, &kGravletConverter, &kOrbalineConverter}) {
            const bool want = profile == &kGravletConverter ? c.gravlet : c.notarix;
            AnalysisOptions options;
            EXPECT_EQ(parse_include_option(c.rest, *profile, options), want) << "-i" << c.rest;
            const AnalysisOptions& after = want ? c.expected : AnalysisOptions{};
            EXPECT_EQ(options.include_quoted, after.include_quoted) << "-i" << c.rest;
            EXPECT_EQ(options.include_angle, after.include_angle) << "-i" << c.rest;
            EXPECT_EQ(options.asm_handling, after.asm_handling) << "-i" << c.rest;
        }
    }
}

TEST(AnalysisOptionsTest, ReachTheAnalysisSettings) {
    reset_analysis_state(kNotarixAnalysis);
    AnalysisOptions options{.include_quoted = 2, .include_angle = 1, .asm_handling = 0,
                            .macro_level = 4, .conditional_mode = 0, .verbosity = -3};
    CounterOption counter;
    apply_analysis_options(options, counter);
    const AnalysisSettings& a = g_analysis.settings;
    EXPECT_EQ(a.include_mode_quoted, 2);
    EXPECT_EQ(a.include_mode_angle, 1);
    EXPECT_EQ(a.asm_setting, 0);
    EXPECT_EQ(a.control_macro_mode, 4);
    EXPECT_EQ(a.conditional_mode, 0);
    EXPECT_EQ(a.verbosity, -3);
    EXPECT_EQ(a.progress_flag, 0);
    counter.mode = 3;
    apply_analysis_options(options, counter);
    EXPECT_EQ(a.progress_flag, 1);
    reset_analysis_state(kNotarixAnalysis);
}

class MacroOption : public AnalysisTest {
protected:
    static std::string body_of(const char* name) {
        const MacroNode* macro = find_macro(name);
        return macro != nullptr ? macro->body : "<none>";
    }
};

TEST_F(MacroOption, TextsOfTheVectorsDefineElements) {
    std::vector<std::string> args = {"nx1011s", "-DX", "-D", "-D=1", "-e-D", "src.c", "-DA=B"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::vector<std::string_view> texts = macro_option_texts(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(texts, (std::vector<std::string_view>{"X", "=1", "A=B"}));
    EXPECT_TRUE(macro_option_texts(0, nullptr).empty());
}

TEST_F(MacroOption, FormsOfADefinition) {
    clear_macro_table();
    EXPECT_EQ(define_macro_options({"X", "Y=1", "=2", "Z=", "A=B=C", ""}), 1);
    EXPECT_EQ(body_of("X"), "");
    EXPECT_EQ(body_of("Y"), "1");
    EXPECT_EQ(body_of("Z"), "");
    EXPECT_EQ(body_of("A"), "B=C");
    EXPECT_EQ(macro_count(), 4);
}

TEST_F(MacroOption, AFailureDoesNotStopTheOthers) {
    clear_macro_table();
    // the redefinition's warning cannot reach an error file in a missing folder
    g_analysis.error_file = dir_.path("missing/errors.txt");
    EXPECT_EQ(define_macro_options({"X=1", "X=2", "Y"}), -100);
    EXPECT_EQ(body_of("X"), "2");
    EXPECT_EQ(body_of("Y"), "");
}

TEST(TopLevelCommas, BracketsAndLiteralsKeepTheirCommas) {
    const struct {
        const char* text;
        std::vector<std::string_view> parts;
    } kCases[] = {
        {"int a, b", {"int a", " b"}},
        {"int f(int, int), g[2][3], h = {1, 2}", {"int f(int, int)", " g[2][3]", " h = {1, 2}"}},
        {"char *s = \",\", c = ','", {"char *s = \",\"", " c = ','"}},
        {"", {""}},
        {",", {"", ""}},
    };
    for (const auto& c : kCases) EXPECT_EQ(split_at_top_level_commas(c.text), c.parts) << c.text;
}

}  // namespace
}  // namespace analysis_test
