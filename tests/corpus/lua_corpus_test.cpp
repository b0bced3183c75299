// Real C code: Lua 5.4.4's sources through the three converters with the
// generation runs' vectors (quoted includes read, system includes not), each
// run's status and error lines, every function list, ORBALINE's tree of the
// whole list, and the complete results of two files.
//
// UPDATE_GOLDEN=1 rewrites the expected files from this run's output, for
// review with git diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/analysis/scramble.h"
#include "notarix/formatter/nx1012.h"
#include "platform/kernel/file_io.h"
#include "tests/corpus/corpus_fixture.h"

namespace {

const std::string kCorpus = std::string(TEST_DATA_DIR) + "/corpus/lua-5.4.4";
const std::string kGolden = std::string(TEST_DATA_DIR) + "/corpus/golden";

// The head of an error-file line: file, line, kind and number.
using Heads = std::vector<std::string>;

// luaconf.h stops on its "#error" when <limits.h> is not read.
const std::string kNoLongLong = "luaconf.h   ( 558) : W138";

struct Expected {
    const char* file;
    int nx_status;
    Heads nx_lines;
    int gx_status;
    Heads gx_lines;
};

// In lgc.c, "if" in the bodies of macros that are not substituted at the
// standard macro level (-d3) leaves statements that cannot be split.
const Expected kExpected[] = {
    {"lapi.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lauxlib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lbaselib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lcode.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lcorolib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lctype.c", 9, {kNoLongLong, "lctype.c    (  64) : W010"}, 9, {kNoLongLong, "lctype.c    (  64) : W010"}},
    {"ldblib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ldebug.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ldo.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ldump.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lfunc.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lgc.c", 9, {kNoLongLong, "lgc.c       ( 450) : E107", "lgc.c       ( 528) : E107"},
     10, {kNoLongLong, "lgc.c       ( 450) : E107"}},
    {"linit.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"liolib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"llex.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lmathlib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lmem.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"loadlib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lobject.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lopcodes.c", 9, {kNoLongLong, "lopcodes.c  ( 104) : W010"}, 9, {kNoLongLong, "lopcodes.c  ( 104) : W010"}},
    {"loslib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lparser.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lstate.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lstring.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lstrlib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ltable.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ltablib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"ltm.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lua.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"luac.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lundump.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lutf8lib.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lvm.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
    {"lzio.c", 9, {kNoLongLong}, 9, {kNoLongLong}},
};

void expect_golden(const std::string& actual, const std::string& name) {
    const std::string path = kGolden + "/" + name;
    const char* update = std::getenv("UPDATE_GOLDEN");
    if (update != nullptr && *update == '1') {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        write_raw(path, actual);
    }
    EXPECT_EQ(actual, read_raw(path)) << name;
}

// A text file's lines with LF ends, as the goldens keep them.
std::string lf_text(const std::string& crlf) {
    std::string out;
    for (const std::string& line : crlf_text_lines(crlf)) out += line + "\n";
    return out;
}

std::string plain_file(const std::string& path) {
    std::string out;
    for (const std::string& line : scrambled_file_lines(path)) out += line + "\n";
    return out;
}

Heads heads_of(const std::string& error_text) {
    Heads heads;
    for (const std::string& line : crlf_text_lines(error_text)) heads.push_back(line.substr(0, 25));
    return heads;
}

class LuaCorpus : public corpus_test::ConverterRuns {
protected:
    void SetUp() override {
        ConverterRuns::SetUp();
        for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".c" || entry.path().extension() == ".h")
                write_raw(dir_.path(name), read_raw(entry.path().string()));
        }
    }

    // A result file with the scratch folder written as @DIR@.
    std::string without_folder(std::string text) const {
        for (size_t at; (at = text.find(dir_.path())) != std::string::npos;)
            text.replace(at, dir_.path().size(), "@DIR@");
        return text;
    }
};

TEST_F(LuaCorpus, NotarixOverEverySource) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.file);
        const std::string source = dir_.path(e.file);
        EXPECT_EQ(notarix(source), e.nx_status);
        EXPECT_EQ(heads_of(read_raw(dir_.path("nx1000.err"))), e.nx_lines);
        expect_golden(lf_text(read_raw(with_extension(source, ".flt"))),
                      "nx1011s/" + with_extension(e.file, ".flt"));
    }
}

TEST_F(LuaCorpus, GravletOverEverySource) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.file);
        const std::string source = dir_.path(e.file);
        EXPECT_EQ(gravlet(source), e.gx_status);
        EXPECT_EQ(heads_of(read_raw(dir_.path("gx1000.err"))), e.gx_lines);
        // a file without functions writes no list
        if (e.gx_status == 9 && e.gx_lines.size() == 1)
            expect_golden(lf_text(read_raw(with_extension(source, ".flt"))),
                          "gx1002s/" + with_extension(e.file, ".flt"));
    }
}

// The macro level that substitutes every macro takes lgc.c.
TEST_F(LuaCorpus, GravletTakesLgcWhenEveryMacroIsSubstituted) {
    for (const char* level : {"-d0", "-d2", "-d4"}) {
        EXPECT_EQ(gravlet(dir_.path("lgc.c"), level), 9) << level;
        EXPECT_EQ(heads_of(read_raw(dir_.path("gx1000.err"))), Heads{kNoLongLong}) << level;
    }
}

TEST_F(LuaCorpus, OrbalineTreeOfTheWholeList) {
    std::string names;
    for (const Expected& e : kExpected) names += std::string(e.file) + "\n";
    const std::string list = dir_.path("lua.nam");
    write_raw(list, names);
    EXPECT_EQ(orbaline(list), 9);
    expect_golden(lf_text(read_raw(dir_.path("oq1000.err"))), "oq1011s/oq1000.err");
    expect_golden(plain_file(with_extension(list, ".trd")), "oq1011s/lua.trd");
    expect_golden(lf_text(read_raw(with_extension(list, ".flt"))), "oq1011s/lua.flt");
}

// Two whole documents: lzio.c, small and plain, and lstring.c, whose
// functions carry comment blocks and commented statements.
TEST_F(LuaCorpus, WholeResultsOfTwoSources) {
    for (const char* base : {"lzio", "lstring"}) {
        SCOPED_TRACE(base);
        const std::string source = dir_.path(std::string(base) + ".c");
        ASSERT_EQ(notarix(source), 9);
        EXPECT_EQ(call_converter(run_spec_formatter, {"nx1012", "-s2", "-c" + dir_.path("nx1000.css"),
                                            error_option("nx1000.err"), "-f", "-X8417", source}),
                  0);
        expect_golden(without_folder(plain_file(with_extension(source, ".fss"))), std::string("nx1011s/") + base + ".fss");
        expect_golden(without_folder(lf_text(read_raw(with_extension(source, ".fsm")))),
                      std::string("nx1011s/") + base + ".fsm");
        expect_golden(without_folder(plain_file(with_extension(source, ".lin"))), std::string("nx1012/") + base + ".lin");
        ASSERT_EQ(gravlet(source), 9);
        expect_golden(plain_file(with_extension(source, ".pds")), std::string("gx1002s/") + base + ".pds");
    }
}

}  // namespace
