// A source, list or support file named like one of the run's own work or
// result files: the run is refused with 11 before anything is written, and
// the input stays as it was.

#include <functional>
#include <string>
#include <vector>

#include "bad_input_fixture.h"

namespace bad_input_test {
namespace {

class NameClash : public BadInputTest {
protected:
    // Runs the converter on an input of that name; the directory afterwards
    // holds the input unchanged and at most a new error file.
    void expect_refused(const std::string& name, const std::string& bytes, const char* error_name,
                        const std::function<int(const std::string&)>& run) {
        const std::string input = write_file(name, bytes);
        auto before = snapshot();
        EXPECT_EQ(run(input), 11) << name;
        auto after = snapshot();
        after.erase(error_name);
        before.erase(error_name);
        EXPECT_EQ(after, before) << name;
        const std::string errors = read_raw(error_file(error_name));
        EXPECT_NE(errors.find(" : E058 : "), std::string::npos) << name;
        EXPECT_NE(errors.find(name), std::string::npos) << name;
        std::filesystem::remove(input);
    }
};

TEST_F(NameClash, NotarixSourceNamedLikeItsOwnFiles) {
    for (const char* name : {"e.fss", "f.fsm", "g.flt", "h.$ts", "i.$tm", "j.$tt"})
        expect_refused(name, kGoodSource, "nx1000.err", [&](const std::string& s) { return run_nx(s); });
}

TEST_F(NameClash, GravletSourceNamedLikeItsOwnFiles) {
    for (const char* name : {"a.tmp", "b.pds", "c.tmf", "d.flt", "e.tmd"})
        expect_refused(name, kGoodSource, "gx1000.err", [&](const std::string& s) { return run_gx(s); });
}

TEST_F(NameClash, NamesDifferingOnlyInCaseAreTheSameFile) {
    expect_refused("B.PDS", kGoodSource, "gx1000.err", [&](const std::string& s) { return run_gx(s); });
    expect_refused("E.FSS", kGoodSource, "nx1000.err", [&](const std::string& s) { return run_nx(s); });
}

TEST_F(NameClash, OrbalineListNamedLikeItsOwnFiles) {
    write_file("f.c", kGoodSource);
    for (const char* name : {"l.trd", "l.flt", "l.$tr", "l.tmf"})
        expect_refused(name, "f.c\n", "oq1000.err", [&](const std::string& l) { return run_oq(l, {"-Fb1"}); });
}

TEST_F(NameClash, OrbalineListedSourceNamedLikeAResult) {
    // the list "p.nam" names its own result "p.trd" as a source
    write_file("p.trd", kGoodSource);
    const std::string source_bytes = kGoodSource;
    const std::string list = write_file("p.nam", "p.trd\n");
    auto before = snapshot();
    EXPECT_EQ(run_oq(list, {"-Fb1"}), 11);
    auto after = snapshot();
    after.erase("oq1000.err");
    EXPECT_EQ(after, before);
}

TEST_F(NameClash, RepairKeepsASourceNamedLikeTheBackup) {
    write_file("q.bak", kGoodSource);
    const std::string list = write_file("q.nam", "q.bak\n");
    auto before = snapshot();
    EXPECT_EQ(run_oq(list, {"-Fb1"}, "-n"), 11);
    auto after = snapshot();
    after.erase("oq1000.err");
    EXPECT_EQ(after, before);
}

TEST_F(NameClash, ErrorFileNamedLikeAnInput) {
    const std::string source = write_file("s.c", kGoodSource);
    const std::string list = write_file("s.nam", "s.c\n");
    auto before = snapshot();
    EXPECT_EQ(run_nx(source, {"-e" + source}), 11);
    EXPECT_EQ(run_gx(source, {"-e" + source}), 11);
    EXPECT_EQ(run_oq(list, {"-Fb1", "-Fe" + list}), 11);
    EXPECT_EQ(run_oq(list, {"-Fb1", "-Fe" + source}), 11);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(NameClash, GravletNameListNamedLikeAResult) {
    const std::string source = write_file("t.c", kGoodSource);
    write_file("t.pds", "old pds");
    auto before = snapshot();
    EXPECT_EQ(run_gx(source, {"-p1:" + dir_.path("t.pds")}), 11);
    auto after = snapshot();
    after.erase("gx1000.err");
    EXPECT_EQ(after, before);
}

// Neither name is a file yet: the names alone decide, whatever the folder's
// spelling, and whatever the case of a name that an entry leading nowhere
// (a link to nothing) already takes.
TEST_F(NameClash, MissingNameListNamedLikeAMissingResult) {
    const std::string source = write_file("v.c", kGoodSource);
    std::filesystem::create_directory(dir_.path("sub"));
    std::filesystem::create_symlink(dir_.path("nowhere"), dir_.path("v.pds"));
    for (const std::string& list : {dir_.path("v.pds"), dir_.path("sub/../v.pds"), dir_.path("sub/../V.PDS")}) {
        auto before = snapshot();
        EXPECT_EQ(run_gx(source, {"-p1:" + list}), 11) << list;
        auto after = snapshot();
        after.erase("gx1000.err");
        before.erase("gx1000.err");
        EXPECT_EQ(after, before) << list;
    }
}

TEST_F(NameClash, ClearNamesStillRun) {
    const std::string source = write_file("u.c", kGoodSource);
    EXPECT_EQ(run_nx(source), 0);
    EXPECT_EQ(run_gx(source), 0);
    EXPECT_EQ(run_oq(write_file("u.nam", "u.c\n"), {"-Fb1"}), 0);
    EXPECT_TRUE(exists(dir_.path("u.fss")));
    EXPECT_TRUE(exists(dir_.path("u.pds")));
    EXPECT_TRUE(exists(dir_.path("u.trd")));
}

}  // namespace
}  // namespace bad_input_test
