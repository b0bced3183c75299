// Headers read once a run: a header that lies wholly inside its include
// guard is not opened again while the guard is defined, and each written
// name is looked up once.
#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace analysis_test {
namespace {

std::vector<std::string> g_entered;

void note_entered(const char* name) { g_entered.emplace_back(name); }

class IncludeGuards : public AnalysisTest {
protected:
    void SetUp() override {
        AnalysisTest::SetUp();
        g_entered.clear();
        g_analysis.hooks.on_file = note_entered;
    }

    // How often the header was opened (the hook also names a file resumed).
    int opened(const std::string& header) {
        int n = 0;
        std::string previous;
        for (const std::string& name : g_entered) {
            if (name == header && previous != header) ++n;
            previous = name;
        }
        return n;
    }

    // The units of the top-level source.
    std::vector<std::string> unit_texts(const std::string& main) {
        std::vector<std::string> texts;
        for (const SourceUnit& u : run_units(main)) texts.push_back(u.text);
        return texts;
    }

    // The lines with code, of every file.
    std::vector<std::string> code_lines(const std::string& main) {
        std::vector<std::string> codes;
        for (const SourceLine& l : run_lines(main))
            if (!l.code.empty()) codes.push_back(l.code);
        return codes;
    }

    std::string main_including_twice(const std::string& header_text) {
        header_ = write_source("g.h", header_text);
        return write_source("main.c", "#include \"g.h\"\nint a;\n#include \"g.h\"\nint b;\n");
    }

    std::string header_;
};

TEST_F(IncludeGuards, AWhollyGuardedHeaderIsOpenedOnce) {
    const std::string main = main_including_twice(
        "/* guarded */\n#ifndef G_H\n#define G_H 1\n\n#define TWICE(x) ((x) * 2)\nint g;\n#endif /* G_H */\n\n");
    const std::vector<std::string> units = unit_texts(main);
    EXPECT_EQ(last_code_, -1);
    EXPECT_EQ(opened(header_), 1);
    EXPECT_EQ(units, (std::vector<std::string>{"int a;", "int b;"}));
    EXPECT_FALSE(error_file_exists());
}

TEST_F(IncludeGuards, HeadersThatAreNotWhollyGuardedAreReadAgain) {
    const struct {
        const char* why;
        const char* text;
    } kCases[] = {
        {"text after the guard", "#ifndef G_H\n#define G_H\n#endif\nint after;\n"},
        {"text before the guard", "int before;\n#ifndef G_H\n#define G_H\n#endif\n"},
        {"an #else of the guard", "#ifndef G_H\n#define G_H\n#else\nint again;\n#endif\n"},
        {"an #elif of the guard", "#ifndef G_H\n#define G_H\n#elif 1\nint again;\n#endif\n"},
        {"another name defined", "#ifndef G_H\n#define OTHER_H\n#endif\n"},
        {"no #define first", "#ifndef G_H\nint g;\n#define G_H\n#endif\n"},
        {"#ifdef, not #ifndef", "#ifdef G_H\n#define G_H\n#endif\n"},
        {"a guard never closed", "#ifndef G_H\n#define G_H\n"},
    };
    for (const auto& c : kCases) {
        start(kNotarixAnalysis);
        g_entered.clear();
        g_analysis.hooks.on_file = note_entered;
        unit_texts(main_including_twice(c.text));
        EXPECT_EQ(opened(header_), 2) << c.why;
    }
}

TEST_F(IncludeGuards, AGuardUndefinedOrAMessageMetReadsTheHeaderAgain) {
    header_ = write_source("g.h", "#ifndef G_H\n#define G_H\nint g;\n#endif\n");
    const std::string undefined =
        write_source("undef.c", "#include \"g.h\"\n#undef G_H\n#include \"g.h\"\nint b;\n");
    EXPECT_EQ(code_lines(undefined), (std::vector<std::string>{"int g;", "int g;", "int b;"}));
    EXPECT_EQ(opened(header_), 2);

    // a header that met a message while it was read (a missing header) is
    // read again: only a header read without a message is known to read as nothing
    start(kNotarixAnalysis);
    g_entered.clear();
    g_analysis.hooks.on_file = note_entered;
    g_analysis.settings.include_mode_quoted = 2;
    unit_texts(main_including_twice("#ifndef G_H\n#define G_H\n#include \"none.h\"\n#endif\n"));
    EXPECT_EQ(opened(header_), 2);
    EXPECT_NE(error_bytes().find("W118"), std::string::npos);
}

TEST_F(IncludeGuards, GuardsAndLookUpsLastAsLongAsTheMacros) {
    header_ = write_source("g.h", "#ifndef G_H\n#define G_H\nint g;\n#endif\n");
    const std::string first = write_source("one.c", "#include \"g.h\"\n#include \"late.h\"\nint one;\n");
    const std::string second = write_source("two.c", "#include \"g.h\"\n#include \"late.h\"\nint two;\n");
    EXPECT_EQ(code_lines(first), (std::vector<std::string>{"int g;", "int one;"}));

    // the next source of the same run keeps the macros: the guard holds, and
    // a name not found stays not found
    write_source("late.h", "int late;\n");
    ASSERT_EQ(reset_scanner_state(kResetState | kResetKeepMacros), 1);
    EXPECT_EQ(code_lines(second), (std::vector<std::string>{"int two;"}));
    EXPECT_EQ(opened(header_), 1);

    // a new run looks again
    ASSERT_EQ(reset_scanner_state(kResetState), 1);
    EXPECT_EQ(code_lines(second), (std::vector<std::string>{"int g;", "int late;", "int two;"}));
    EXPECT_EQ(opened(header_), 2);
}

TEST_F(IncludeGuards, AMissingHeaderIsWarnedAtEachInclude) {
    g_analysis.settings.include_mode_quoted = 2;
    const std::string main = write_source("main.c", "#include \"none.h\"\nint a;\n#include \"none.h\"\n");
    unit_texts(main);
    const std::string errors = error_bytes();
    EXPECT_NE(errors.find("W118"), std::string::npos);
    EXPECT_NE(errors.find("W118"), errors.rfind("W118")) << errors;
}

}  // namespace
}  // namespace analysis_test
