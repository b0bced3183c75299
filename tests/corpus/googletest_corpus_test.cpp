// Real C++ code: GoogleTest 1.12.1's sources through the three converters,
// with includes not read, each run's status and error lines, and the number
// of functions each lists.
//
// The numbers are those of ctags on the same view of each source:
// conditionals evaluated with nothing predefined and the macros the source
// defines substituted (the source without its #include lines through
// "cpp -undef -nostdinc -P -x c++"), counting every named function
// definition (ctags -x --c++-kinds=f; lambdas, which have no name, aside).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/corpus/corpus_fixture.h"

namespace corpus_test {
namespace {

const std::string kCorpus = std::string(TEST_DATA_DIR) + "/corpus/googletest-1.12.1";

// The head of an error-file line: file, line, kind and number.
using Heads = std::vector<std::string>;

struct Expected {
    const char* file;
    int functions;
    int nx_status;
    Heads nx_lines;
    int gx_status;
    Heads gx_lines;
};

// With nothing predefined the death tests and the amalgamation (which only
// includes the other sources) hold no function, which both converters warn
// of at the source's last line. The help text of gtest.cc is
// a statement longer than the buffers: cut, with a warning.
const Expected kExpected[] = {
    {"gtest-all.cc", 0, 9, {"gtest-all.cc(  49) : W010"}, 9, {"gtest-all.cc(  49) : W010"}},
    {"gtest-assertion-result.cc", 6, 0, {}, 0, {}},
    {"gtest-death-test.cc", 0, 9, {"gtest-death-test.cc(1620) : W010"}, 9, {"gtest-death-test.cc(1620) : W010"}},
    {"gtest-filepath.cc", 18, 0, {}, 0, {}},
    {"gtest-matchers.cc", 4, 0, {}, 0, {}},
    {"gtest-port.cc", 13, 0, {}, 0, {}},
    {"gtest-printers.cc", 39, 0, {}, 0, {}},
    {"gtest-test-part.cc", 8, 0, {}, 0, {}},
    {"gtest-typed-test.cc", 3, 0, {}, 0, {}},
    {"gtest.cc", 390, 9, {"gtest.cc    (6456) : W106", "gtest.cc    (6481) : W106", "gtest.cc    (6518) : W106"},
     9, {"gtest.cc    (6494) : W106"}},
    {"gtest_main.cc", 1, 0, {}, 0, {}},
};

Heads heads_of(const std::string& path) {
    Heads heads;
    if (!std::filesystem::exists(path)) return heads;
    for (const std::string& line : crlf_text_lines(read_raw(path))) heads.push_back(line.substr(0, line.find(" : ") + 7));
    return heads;
}

class GoogleTestCorpus : public ConverterRuns {
protected:
    void SetUp() override {
        ConverterRuns::SetUp();
        for (const Expected& e : kExpected) write_raw(dir_.path(e.file), read_raw(kCorpus + "/" + e.file));
    }
};

TEST_F(GoogleTestCorpus, NotarixFindsEveryFunction) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.file);
        const std::string source = dir_.path(e.file);
        std::filesystem::remove(dir_.path("nx1000.err"));
        EXPECT_EQ(notarix(source, "-i00"), e.nx_status);
        EXPECT_EQ(heads_of(dir_.path("nx1000.err")), e.nx_lines);
        EXPECT_EQ(listed_functions(with_extension(source, ".flt")).size(), static_cast<size_t>(e.functions));
    }
}

TEST_F(GoogleTestCorpus, GravletFindsEveryFunction) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.file);
        const std::string source = dir_.path(e.file);
        std::filesystem::remove(dir_.path("gx1000.err"));
        EXPECT_EQ(gravlet(source, "-d3", "-i00"), e.gx_status);
        EXPECT_EQ(heads_of(dir_.path("gx1000.err")), e.gx_lines);
        // a file without functions writes no list
        if (e.functions > 0) {
            EXPECT_EQ(listed_functions(with_extension(source, ".flt")).size(), static_cast<size_t>(e.functions));
        }
    }
}

TEST_F(GoogleTestCorpus, OrbalineTreeOfTheWholeList) {
    std::string names;
    for (const Expected& e : kExpected) names += std::string(e.file) + "\n";
    const std::string list = dir_.path("googletest.nam");
    write_raw(list, names);
    EXPECT_EQ(orbaline(list, "-i00"), 9);
    EXPECT_EQ(heads_of(dir_.path("oq1000.err")), (Heads{"gtest.cc    (6494) : W106"}));
    const Names listed = listed_functions(with_extension(list, ".flt"), true);
    for (const Expected& e : kExpected) {
        const std::string file = std::string(e.file) + " ";
        EXPECT_EQ(std::count_if(listed.begin(), listed.end(), [&](const std::string& n) { return n.rfind(file, 0) == 0; }),
                  e.functions)
            << e.file;
    }
}

}  // namespace
}  // namespace corpus_test
