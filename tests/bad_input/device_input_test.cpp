// Inputs that are not plain files: a device that never ends (/dev/zero), a
// FIFO that nobody writes, a folder. Every reader refuses them as files it
// cannot open, at once, and no run leaves work files behind.

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "bad_input_fixture.h"
#include "common/shell/document.h"
#include "notarix/formatter/nx1012.h"

namespace bad_input_test {
namespace {

class SpecialInput : public BadInputTest {
protected:
    // The three kinds of name that are no plain file, under `name`.
    std::vector<std::string> special_files(const std::string& name) {
        const std::string zero = dir_.path("zero-" + name), fifo = dir_.path("fifo-" + name),
                          folder = dir_.path("folder-" + name);
        std::filesystem::create_symlink("/dev/zero", zero);
        EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::filesystem::create_directory(folder);
        return {zero, fifo, folder};
    }

    // Nothing but the special files and the error files.
    void expect_no_work_files() {
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file()) continue;
            const std::string ext = name.size() > 4 ? name.substr(name.size() - 4) : name;
            EXPECT_TRUE(ext == ".err" || ext == ".nam") << name;
        }
    }
};

TEST_F(SpecialInput, SourceOfEachConverter) {
    for (const std::string& source : special_files("s.c")) {
        EXPECT_EQ(run_nx(source), 10) << source;
        EXPECT_EQ(run_gx(source), 10) << source;
    }
    expect_no_work_files();
}

TEST_F(SpecialInput, OrbalineListAndListedSource) {
    for (const std::string& list : special_files("l.nam")) {
        EXPECT_EQ(run_oq(list), 10) << list;
        EXPECT_NE(read_raw(error_file("oq1000.err")).find(" : E055 : "), std::string::npos);
    }
    special_files("src.c");
    const std::string list = write_file("m.nam", "zero-src.c\nfifo-src.c\nfolder-src.c\n");
    EXPECT_EQ(run_oq(list, {"-Fb1"}), 10);
    const std::string errors = read_raw(error_file("oq1000.err"));
    for (const char* name : {"zero-src.c", "fifo-src.c", "folder-src.c"})
        EXPECT_NE(errors.find(name), std::string::npos) << name;
    expect_no_work_files();
}

TEST_F(SpecialInput, KeywordFilesAreSkippedLikeMissingOnes) {
    const std::string source = write_file("k.c", kGoodSource);
    const std::string list = write_file("k.nam", "k.c\n");
    for (const char* kind : {"/dev/zero", "fifo"}) {
        for (const char* name : {"nx1000.kwd", "gx1000.kwd", "oq1000.kwd"}) {
            const std::string path = dir_.path(name);
            std::filesystem::remove(path);
            if (std::string(kind) == "fifo") ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            else std::filesystem::create_symlink(kind, path);
        }
        EXPECT_EQ(run_nx(source), 0) << kind;
        EXPECT_EQ(run_gx(source), 0) << kind;
        EXPECT_EQ(run_oq(list, {"-Fb1"}), 0) << kind;
    }
}

TEST_F(SpecialInput, GravletNameListsAreFilesThatCannotBeOpened) {
    const std::string source = write_file("n.c", kGoodSource);
    for (const std::string& names : special_files("names.txt")) {
        EXPECT_EQ(run_gx(source, {"-p1:" + names}), 10) << names;
        EXPECT_EQ(run_gx(source, {"-ti3:" + names}), 10) << names;
    }
}

TEST_F(SpecialInput, FormatterForm) {
    const std::string source = write_file("p.c", kGoodSource);
    ASSERT_EQ(run_nx(source), 0);
    write_file("p.lin", "previous");
    for (const std::string& form : special_files("f.fms")) {
        std::vector<std::string> args = {"nx1012", "-f" + form, source};
        EXPECT_EQ(run(run_spec_formatter, args), kFormatterIoError) << form;
        EXPECT_EQ(read_raw(dir_.path("p.lin")), "previous");
    }
}

TEST_F(SpecialInput, ViewerDocument) {
    for (const std::string& lin : special_files("d.lin")) {
        DocumentState state;
        state.file_name = lin;
        EXPECT_EQ(index_document(state, kNotarixDocument), kIndexCannotOpen) << lin;
        EXPECT_FALSE(state.file.is_open());
    }
}

}  // namespace
}  // namespace bad_input_test
