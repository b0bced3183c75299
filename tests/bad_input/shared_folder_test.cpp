// Two copies of a program working in one folder: generations of one source
// started at the same moment never cut or swap each other's files (every
// result is whole, the lone run's or the old one, and a run that is refused
// says so with E058 naming its work file), and nothing is written through a
// link standing at a work name.

#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "bad_input_fixture.h"
#include "common/shell/document.h"
#include "common/shell/settings_file.h"
#include "common/viewer/shell_dialogs.h"
#include "notarix/viewer/generation_run.h"
#include "notarix/viewer/settings_layout.h"

namespace bad_input_test {
namespace {

namespace fs = std::filesystem;

// Long enough that two runs started together overlap.
std::string many_functions(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        text += "/* FUNCTION : does " + n + " */\nint f" + n + "(int a)\n{\n    if (a > " + n + ")\n        g(a);\n"
                "    return a + " + n + ";\n}\n";
    }
    return text;
}

// A program's generation of one source as its viewer runs it, with the
// error file in the copy's own program folder.
struct Program {
    const char* name;
    std::vector<const char*> results;  // extensions
    std::vector<const char*> works;    // extensions of the work files a refusal names
    const char* error_file;
    int (*generate)(const std::string& dir, const std::string& program);
};

int generate_notarix(const std::string& dir, const std::string& program) {
    reset_shell_settings(kNotarixSettings);
    shell_settings().set_standard_values();
    document_state().program_directory = program;
    return convert_notarix_source(dir + "/s.c", kSingleRunErrorFile, nullptr);
}

int call(int (*entry)(int, char**), std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    return entry(static_cast<int>(argv.size()), argv.data());
}

int generate_gravlet(const std::string& dir, const std::string& program) {
    return call(run_pad_generator,
                {"gx1002s", dir + "/s.c", "-ucfc", "-v0", "-i10", "-X8462", "-e" + program + "\\gx1000.err"});
}

int generate_orbaline(const std::string& dir, const std::string& program) {
    return call(run_call_tree_generator,
                {"oq1011s", "-x", "-v0", "-Fe" + program + "\\oq1000.err", "-X8439", "-i10", "[" + dir + "/s.nam]"});
}

const Program kPrograms[] = {
    {"NOTARIX", {".fss", ".fsm", ".flt", ".lin"}, {".$ts", ".$tm", ".$tt", ".lnt"}, "nx1000.err", generate_notarix},
    {"GRAVLET", {".pds", ".flt"}, {".tmp", ".tmf"}, "gx1000.err", generate_gravlet},
    {"ORBALINE", {".trd", ".flt"}, {".$tr", ".tmf"}, "oq1000.err", generate_orbaline},
};

// What a copy's run came to, as its exit code tells.
enum RunEnd : int { kDone = 0, kRefusedAndTold = 1, kOther = 2 };

class SharedFolder : public BadInputTest {
protected:
    std::string copy_folder(int copy) const { return dir_.path("copy" + std::to_string(copy)); }

    // The copy's error file holds an E058 line naming one of the work files.
    bool told_refusal(const Program& p, int copy) const {
        const std::string errors = read_raw(copy_folder(copy) + "/" + p.error_file);
        for (const char* work : p.works)
            if (errors.find(" : E058 : ") != std::string::npos && errors.find(std::string("s") + work) != std::string::npos)
                return true;
        return false;
    }

    std::map<std::string, std::string> results(const Program& p) const {
        std::map<std::string, std::string> files;
        for (const char* ext : p.results) files[ext] = read_raw(dir_.path(std::string("s") + ext));
        return files;
    }

    // Two copies started together on the source; how each ended.
    std::vector<int> race(const Program& p) {
        int gun[2];
        EXPECT_EQ(::pipe(gun), 0);
        std::vector<pid_t> copies;
        for (int copy = 0; copy < 2; ++copy) {
            const pid_t child = ::fork();
            if (child == 0) {
                ::close(gun[1]);
                char byte;
                (void)::read(gun[0], &byte, 1);  // the end of the pipe lets both go at once
                const int status = p.generate(dir_.path(), copy_folder(copy));
                ::_exit(status == 0 ? kDone : status == 255 && told_refusal(p, copy) ? kRefusedAndTold : kOther);
            }
            copies.push_back(child);
        }
        ::close(gun[0]);
        ::close(gun[1]);
        std::vector<int> ends;
        for (const pid_t child : copies) {
            int status = 0;
            EXPECT_EQ(::waitpid(child, &status, 0), child);
            ends.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : kOther);
        }
        return ends;
    }
};

TEST_F(SharedFolder, TwoCopiesGeneratingOneSourceNeverCutOrSwapTheResults) {
    write_file("s.c", many_functions(150));
    write_file("s.nam", "s.c\n");
    for (int copy = 0; copy < 2; ++copy) fs::create_directory(copy_folder(copy));
    for (const Program& p : kPrograms) {
        ASSERT_EQ(p.generate(dir_.path(), copy_folder(0)), 0) << p.name;
        const auto lone = results(p);
        std::map<std::string, std::string> old;
        for (const char* ext : p.results) old[ext] = std::string("old ") + ext;
        for (int round = 0; round < 12; ++round) {
            for (const auto& [ext, bytes] : old) write_file(std::string("s") + ext, bytes);
            const std::vector<int> ends = race(p);
            const auto now = results(p);
            for (const char* ext : p.results)
                EXPECT_TRUE(now.at(ext) == lone.at(ext) || now.at(ext) == old.at(ext))
                    << p.name << " round " << round << ": " << ext << " is neither the lone run's nor the old one";
            for (int copy = 0; copy < 2; ++copy)
                EXPECT_NE(ends[static_cast<size_t>(copy)], kOther) << p.name << " round " << round << " copy " << copy;
            // a run that says it is done left its whole set
            if (ends[0] == kDone || ends[1] == kDone) {
                EXPECT_TRUE(now == lone) << p.name << " round " << round << ": a finished run's results are not its own";
            }
        }
        std::set<std::string> left;
        for (const auto& [name, bytes] : snapshot()) left.insert(name);
        std::set<std::string> wanted = {"s.c", "s.nam"};
        for (const char* ext : p.results) wanted.insert(std::string("s") + ext);
        for (const Program& earlier : kPrograms) {
            if (&earlier == &p) break;
            for (const char* ext : earlier.results) wanted.insert(std::string("s") + ext);
        }
        EXPECT_EQ(left, wanted) << p.name << ": no work file stays";
    }
}

// A link at a name where a program makes a file: at a work name the run is
// refused and says so (E058 naming it, or the caller's failure), at a result
// or an error file the new file takes the link's place. Either way the file
// the link leads to, outside the folder, keeps its bytes.
TEST_F(SharedFolder, NothingIsWrittenThroughALink) {
    // a macro defined twice: a warning for every error file
    write_file("s.c", std::string("#define A 1\n#define A 2\n") + kGoodSource);
    write_file("s.nam", "s.c\n");
    const std::string program = copy_folder(0);
    fs::create_directory(program);
    enum Kind { kWork, kReplaced };
    struct Row {
        std::string what;
        std::string link;
        std::function<int()> act;
        int status;  // of a run that takes the link's place; a refused one is not 0 or 9
        Kind kind;
        const char* error_file;  // where the refusal is told, or nullptr
    };
    std::vector<Row> rows;
    for (const Program& p : kPrograms) {
        const auto generate = [&p, this, program] { return p.generate(dir_.path(), program); };
        for (const char* ext : p.results)
            rows.push_back({std::string(p.name) + " " + ext, dir_.path(std::string("s") + ext), generate, 9, kReplaced, nullptr});
        rows.push_back({std::string(p.name) + " error file", program + "/" + p.error_file, generate, 9, kReplaced, nullptr});
    }
    const auto generate_nx = [this, program] { return kPrograms[0].generate(dir_.path(), program); };
    const auto generate_gx = [this, program] { return kPrograms[1].generate(dir_.path(), program); };
    const auto generate_oq = [this, program] { return kPrograms[2].generate(dir_.path(), program); };
    for (const char* ext : {".$ts", ".$tm", ".$tt"})
        rows.push_back({std::string("NOTARIX ") + ext, dir_.path(std::string("s") + ext), generate_nx, 0, kWork, "nx1000.err"});
    rows.push_back({"NOTARIX .lnt", dir_.path("s.lnt"), generate_nx, 0, kWork, nullptr});
    for (const char* ext : {".tmp", ".tmf"})
        rows.push_back({std::string("GRAVLET ") + ext, dir_.path(std::string("s") + ext), generate_gx, 0, kWork, "gx1000.err"});
    for (const char* ext : {".$tr", ".tmf"})
        rows.push_back({std::string("ORBALINE ") + ext, dir_.path(std::string("s") + ext), generate_oq, 0, kWork, "oq1000.err"});
    // the settings are written through a temporary of the process's own, a
    // control file through one beside it
    SettingsRecord record(kNotarixSettings);
    record.set_standard_values();
    rows.push_back({"settings temporary", program + "/nx1000s.$pr." + std::to_string(::getpid()),
                    [&] { return write_settings_file(record, program); }, 0, kWork, nullptr});
    rows.push_back({"control file temporary", dir_.path("s.kwd.$$$"),
                    [this] { return write_control_file(dir_.path("s.kwd"), "NAME=N\n"); }, 0, kWork, nullptr});

    TempDir outside;
    const std::string target = outside.path("target");
    for (const Row& row : rows) {
        write_raw(target, "outside");
        fs::remove(row.link);
        fs::create_symlink(target, row.link);
        host_.boxes.clear();
        const int status = row.act();
        EXPECT_EQ(read_raw(target), "outside") << row.what;
        if (row.kind == kReplaced) {
            EXPECT_EQ(status, row.status) << row.what;
            EXPECT_FALSE(fs::is_symlink(row.link)) << row.what << ": the file takes the link's place";
            continue;
        }
        EXPECT_TRUE(status != 0 && status != 9) << row.what << ": refused";
        EXPECT_TRUE(fs::is_symlink(row.link)) << row.what << ": what stands there is not the run's";
        if (row.error_file != nullptr) {
            const std::string errors = read_raw(program + "/" + row.error_file);
            EXPECT_TRUE(errors.find(" : E058 : ") != std::string::npos && errors.find(row.link) != std::string::npos)
                << row.what << ": the refusal names the link";
        }
        fs::remove(row.link);
    }
}

}  // namespace
}  // namespace bad_input_test
