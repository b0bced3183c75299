// The argument vectors that the generation run and the batch run build from
// the settings go through the entry and give 0 on the fixtures.

#include <cstdio>
#include <string>
#include <vector>

#include "gx1002s_fixture.h"

namespace gx1002s_test {
namespace {

struct GenerationSettings {
    int macro_form = 1;        // 0..3
    int case_form = 0;
    int declaration_form = 0;
    int generation_form = 0;   // 0..4
    int pad_characters = 24;
    int nest_level = 21;
    int include_use = 1;       // 0..3
    std::string options;       // free text
    int special_comments = 0;  // 0..2
};

// The vector in the order the viewer fills it.
std::vector<std::string> viewer_vector(const std::string& source, const std::string& error_file,
                                       const GenerationSettings& g) {
    static const char* const kMacro[] = {"-d0", "-d3", "-d4", "-d2"};
    static const char* const kJoin[] = {"", "-g%d:%d", "-gc%d:%d", "-gl%d:%d", "-ga%d:%d"};
    char include[16];
    std::snprintf(include, sizeof include, "-i%d0", g.include_use);
    if (include[2] == '3') include[2] = include[3] = '2';
    char join[32] = "";
    if (g.generation_form > 0) std::snprintf(join, sizeof join, kJoin[g.generation_form], g.pad_characters, g.nest_level);
    std::vector<std::string> v = {"gx1002s", source, "-n", "-v0", "-ucfc", include, "-X8462", "-mf",
                                  "-ti" + std::to_string(g.declaration_form)};
    if (join[0] != '\0') v.push_back(join);
    v.push_back("-c" + std::to_string(g.pad_characters));
    v.push_back("-lm" + std::to_string(g.nest_level));
    v.push_back(g.macro_form >= 0 && g.macro_form <= 3 ? kMacro[g.macro_form] : "-d0");
    v.push_back("-C" + std::to_string(g.case_form));
    v.push_back("-e" + error_file);
    v.push_back(g.options);
    if (g.special_comments == 1) v.push_back("--");
    if (g.special_comments == 2) v.push_back("--2");
    return v;
}

class PadVectors : public PadGeneratorTest {
protected:
    int generate(const std::string& base, const GenerationSettings& g, const std::string& error_name) {
        std::string source = copy_fixture(base + ".c");
        return run(viewer_vector(source, dir_.path() + "\\" + error_name, g));
    }
};

TEST_F(PadVectors, GenerationRunVectorsOfEverySettingGiveZero) {
    const std::vector<std::string> sources = {"numbered", "switch", "jumps", "calls", "dopass"};
    std::vector<GenerationSettings> variants;
    for (int form = 0; form <= 4; ++form) {
        GenerationSettings g;
        g.generation_form = form;
        g.macro_form = form % 4;
        g.include_use = form % 4;
        g.case_form = form % 2;
        g.declaration_form = form % 3;
        g.special_comments = form % 3;
        variants.push_back(g);
    }
    variants.back().options = "-SPdw";
    for (const std::string& base : sources) {
        for (const GenerationSettings& g : variants) {
            EXPECT_EQ(generate(base, g, "gx1000.err"), kPadDone) << base << " form " << g.generation_form;
            EXPECT_TRUE(exists(dir_.path(base + ".pds")));
            EXPECT_TRUE(exists(dir_.path(base + ".flt")));
        }
    }
}

TEST_F(PadVectors, IncludeUseThreeBecomesTwoTwo) {
    GenerationSettings g;
    g.include_use = 3;
    std::vector<std::string> v = viewer_vector("x.c", "e", g);
    EXPECT_EQ(v[5], "-i22");
    EXPECT_EQ(generate("numbered", g, "gx1000.err"), kPadDone);
}

TEST_F(PadVectors, EmptyOptionsTextIsPassedAndSkipped) {
    GenerationSettings g;
    std::vector<std::string> v = viewer_vector("x.c", "e", g);
    EXPECT_EQ(v.back(), "");
    EXPECT_EQ(v.size(), 15u);
    EXPECT_EQ(generate("if", g, "gx1000.err"), kPadDone);
}

TEST_F(PadVectors, BatchRunVectorNamesItsOwnErrorFile) {
    GenerationSettings g;
    g.generation_form = 1;
    EXPECT_EQ(generate("elseif", g, "gx1000.erw"), kPadDone);
    EXPECT_EQ(generate("nesting", g, "gx1000.erw"), kPadDone);
    g.nest_level = 3;
    EXPECT_EQ(generate("nesting", g, "gx1000.erw"), kPadWarnings);
    EXPECT_TRUE(exists(dir_.path("gx1000.erw")));
    EXPECT_FALSE(exists(dir_.path("gx1000.err")));
}

TEST_F(PadVectors, ProgressGoesThroughTheHostWithCounters) {
    GenerationSettings g;
    ASSERT_EQ(generate("numbered", g, "gx1000.err"), kPadDone);
    ASSERT_FALSE(reports_.empty());
    // "-mf" without values: a 'C' counter of width 4 per line of the source
    EXPECT_EQ(reports_.front().item, "C   1");
}

// The counter's width stops at 60 columns and its step at every 100th line.
TEST_F(PadVectors, CounterWidthAndStepAreClamped) {
    std::string source = dir_.path("lines.c");
    write_raw(source, std::string(250, '\n') + "void f(void)\n{\n}\n");
    auto counters = [&](const std::string& option) {
        reports_.clear();
        EXPECT_EQ(run({"gx1002s", source, "-X8462", option}), kPadDone) << option;
        std::vector<std::string> out;
        for (const ProgressReport& r : reports_)
            if (r.item.find_first_not_of(' ') != std::string::npos &&
                r.item.find_first_not_of("C 0123456789") == std::string::npos)
                out.push_back(r.item);
        return out;
    };
    const std::vector<std::string> every_hundred = {"C   1", "C 101", "C 201"};
    EXPECT_EQ(counters("-mh1:0:5:100"), every_hundred);
    EXPECT_EQ(counters("-mh1:0:5:101"), every_hundred);
    const std::vector<std::string> sixty_wide = {"C" + std::string(58, ' ') + "1", "C" + std::string(56, ' ') + "101",
                                                 "C" + std::string(56, ' ') + "201"};
    EXPECT_EQ(counters("-mh1:0:60:100"), sixty_wide);
    EXPECT_EQ(counters("-mh1:0:61:100"), sixty_wide);
}

}  // namespace
}  // namespace gx1002s_test
