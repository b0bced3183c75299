// Whole runs over small multi-source fixtures, compared with the expected
// tree (stored unscrambled), cross-reference list, function list and error
// file beside them in tests/data/oq1011s.

#include <algorithm>
#include <string>
#include <vector>

#include "oq1011s_fixture.h"

namespace oq1011s_test {
namespace {

struct GoldenCase {
    const char* name;                  // expected files: <name>.trd, <name>.flt, <name>.err
    const char* list;                  // list fixture, copied as <name>.nam
    std::vector<std::string> sources;
    std::vector<std::string> options;  // after the viewer's own
    const char* ignore;                // fixture copied and passed with -Fi, or ""
    int status;
};

const std::vector<std::string> kBasic = {"main.c", "util.c", "io.c"};
const std::vector<std::string> kMembers = {"app.cpp", "shapes.cpp"};
// listed out of the order of their names, with a name defined in two of them
const std::vector<std::string> kShared = {"zeta.c", "mid.c", "alpha.c"};

std::vector<GoldenCase> golden_cases() {
    return {
        {"basic", "basic.nam", kBasic, {}, "", 0},
        {"members", "members.nam", kMembers, {}, "", 0},
        {"basic-plain", "basic.nam", kBasic, {"!-l"}, "", 0},
        {"basic-ignore", "basic.nam", kBasic, {}, "basic.ign", 0},
        {"basic-depth", "basic.nam", kBasic, {"-d2"}, "", 9},
        {"basic-boxes", "basic.nam", kBasic, {"-u2"}, "", 9},
        {"basic-recursion", "basic.nam", kBasic, {"-R1"}, "", 0},
        {"basic-xref", "basic.nam", kBasic, {"-s"}, "", 0},
        {"unseen", "unseen.nam", {"../nx1011s/unseen.c"}, {}, "", 0},
        {"library", "library.nam", {"../nx1011s/library.cpp"}, {}, "", 0},
        {"kernel", "kernel.nam", {"../nx1011s/kernel.c"}, {}, "", 0},
        {"shared", "shared.nam", kShared, {}, "", 0},
        {"shared-xref", "shared.nam", kShared, {"-s"}, "", 0},
    };
}

class Oq1011sGolden : public TreeGeneratorTest, public ::testing::WithParamInterface<GoldenCase> {};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

TEST_P(Oq1011sGolden, MatchesExpectedFiles) {
    const GoldenCase& c = GetParam();
    copy_fixtures(c.sources);
    std::string list = dir_.path(std::string(c.name) + ".nam");
    write_raw(list, read_raw(fixture_path(c.list)));
    std::string ignore;
    if (*c.ignore != '\0') ignore = copy_fixtures({c.ignore});
    std::vector<std::string> args;
    if (!c.options.empty() && c.options[0] == "-s") {
        // the cross reference takes no level character, depth or comment length
        args = {"oq1011s", "-s", "-v0", "-Fe" + dir_.path() + "\\oq1000.err", "-X8439", "-mf", "[" + list + "]"};
    } else {
        for (const std::string& option : tree_vector(list, c.options, ignore))
            if (std::find(c.options.begin(), c.options.end(), "!" + option) == c.options.end() &&
                option.compare(0, 1, "!") != 0)
                args.push_back(option);
    }
    EXPECT_EQ(run(args), c.status);

    std::string expected_trd = read_raw(fixture_path(std::string(c.name) + ".trd"));
    EXPECT_EQ(joined(unscrambled_lines(with_extension(list, ".trd"))), expected_trd);
    std::string expected_flt = read_raw(fixture_path(std::string(c.name) + ".flt"));
    EXPECT_EQ(joined(text_lines(read_raw(with_extension(list, ".flt")))), expected_flt);
    std::string err = fixture_path(std::string(c.name) + ".err");
    if (exists(err)) {
        EXPECT_EQ(joined(text_lines(error_text())), read_raw(err));
    } else {
        EXPECT_FALSE(exists(error_file())) << error_text();
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Oq1011sGolden, ::testing::ValuesIn(golden_cases()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace oq1011s_test
