// The sources the benchmarks run over, each input written once into a folder
// of its own under the temporary directory: a large generated source, a
// source of headed comments, and a set of small sources that include a shared
// guarded header. A folder holds its sources and "sources.nam", the list of
// them, which ORBALINE reads as it is and a child process reads back.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

struct Corpus {
    std::string name;
    std::string dir;
    std::string list;                  // sources.nam
    std::vector<std::string> sources;  // full paths, in list order
    long lines = 0;                    // of the sources, headers left out
};

inline long count_lines(const std::string& text) {
    long lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string corpus_dir(const std::string& name) { return (fs::temp_directory_path() / ("cbench-" + name)).string(); }

// The folder's sources as the list names them, with their line count unless
// a process that measures its memory asks for none.
inline Corpus load_corpus_at(const std::string& dir, bool with_lines = true) {
    Corpus c;
    c.name = fs::path(dir).filename().string();
    c.dir = dir;
    c.list = c.dir + "/sources.nam";
    std::ifstream list(c.list);
    for (std::string line; std::getline(list, line);) {
        if (line.empty()) continue;
        c.sources.push_back(c.dir + "/" + line);
        if (with_lines) c.lines += count_lines(read_file(c.sources.back()));
    }
    return c;
}

inline Corpus load_corpus(const std::string& name, bool with_lines = true) {
    Corpus c = load_corpus_at(corpus_dir(name), with_lines);
    c.name = name;
    return c;
}

// Writes the files into a fresh folder and lists the sources (the names
// without a folder) in sources.nam.
struct CorpusFile {
    std::string name;
    std::string text;
    bool source = true;
};
inline Corpus write_corpus_at(const std::string& dir, const std::vector<CorpusFile>& files) {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    fs::create_directories(dir);
    std::ofstream list(dir + "/sources.nam", std::ios::binary);
    for (const CorpusFile& f : files) {
        std::ofstream(dir + "/" + f.name, std::ios::binary) << f.text;
        if (f.source) list << f.name << "\n";
    }
    list.close();
    return load_corpus_at(dir);
}

inline Corpus write_corpus(const std::string& name, const std::vector<CorpusFile>& files) {
    Corpus c = write_corpus_at(corpus_dir(name), files);
    c.name = name;
    return c;
}

// One function of the large generated source: loops, branches, a switch,
// conditionals, macros and comments of both kinds; the number keeps names apart.
inline void append_plain_function(std::string& out, int n) {
    const std::string id = std::to_string(n);
    out += "/*\n * process_" + id + ": walks the table and sums the entries\n */\n";
    out += "static int process_" + id + "(const struct entry* table, int count, int flags)\n{\n";
    out += "    int total = 0;              /* running sum */\n";
    out += "    int i, j;\n";
    out += "    char name[32] = \"item\";     // default name\n";
    out += "    for (i = 0; i < count; i++) {\n";
    out += "        if (table[i].kind == KIND_A && (flags & FLAG_SKIP) == 0) {\n";
    out += "            total += table[i].value * " + std::to_string(n % 7 + 1) + ";\n";
    out += "        } else if (table[i].kind == KIND_B)\n";
    out += "            total -= table[i].value;\n";
    out += "        else {\n";
    out += "            switch (table[i].mode) {\n";
    out += "            case 0:\n";
    out += "                total++;\n";
    out += "                break;\n";
    out += "            case 1: {\n";
    out += "                int k = table[i].value >> 2;\n";
    out += "                total += CLAMP(k, 0, 255);\n";
    out += "                break;\n";
    out += "            }\n";
    out += "            default:\n";
    out += "                total += name[i % 32] == 'x' ? 1 : 0;\n";
    out += "            }\n";
    out += "        }\n";
    out += "    }\n";
    out += "#if DEBUG_LEVEL > 1\n";
    out += "    trace(\"process_" + id + "\", total);\n";
    out += "#else\n";
    out += "    j = 0;\n";
    out += "#endif\n";
    out += "    while (total > LIMIT)\n";
    out += "        total /= 2;\n";
    out += "    do {\n";
    out += "        j++;\n";
    out += "    } while (j < 3);\n";
    out += "    return total;\n";
    out += "}\n\n";
}

// A source of plain functions of at least `target_lines` lines.
inline std::string large_source_text(long target_lines) {
    std::string text;
    text.reserve(static_cast<size_t>(target_lines) * 40);
    text += "/* generated for the throughput benchmarks */\n";
    text += "#include <stdio.h>\n";
    text += "#define DEBUG_LEVEL 0\n";
    text += "#define LIMIT 100000\n";
    text += "#define KIND_A 1\n#define KIND_B 2\n#define FLAG_SKIP 4\n";
    text += "#define CLAMP(v, lo, hi) ((v) < (lo) ? (lo) : (v) > (hi) ? (hi) : (v))\n\n";
    text += "struct entry {\n    int kind;   /* what it is */\n    int mode;\n    int value;\n};\n\n";
    int n = 0;
    long lines = count_lines(text);
    while (lines < target_lines) {
        std::string function;
        append_plain_function(function, n++);
        if (n % 50 == 0) function += "#ifdef UNUSED_FEATURE\nstatic int unused_" + std::to_string(n) + ";\n#endif\n";
        if (n % 20 == 0) function += "int global_" + std::to_string(n) + "[16], *pointer_" + std::to_string(n) + ";\n";
        lines += count_lines(function);
        text += function;
    }
    return text;
}

// One function under a headed comment as NOTARIX and GRAVLET read them.
inline void append_headed_function(std::string& out, int n) {
    const std::string id = std::to_string(n);
    out += "/*\n";
    out += " * NAME: update_" + id + "\n";
    out += " * FUNCTION: updates the entries of the table\n";
    out += " *           and keeps the running totals\n";
    out += " * INPUT: table - the entries\n";
    out += " *        count - how many\n";
    out += " * OUTPUT: totals - the sums per kind\n";
    out += " * RETURN: the number of entries updated\n";
    out += " * REMARKS: the table is not sorted\n";
    out += " */\n";
    out += "int update_" + id + "(struct entry *table, int count, long *totals)\n{\n";
    out += "    int i, n = 0;               /* entries updated */\n";
    out += "    for (i = 0; i < count; i++) {\n";
    out += "        if (table[i].kind < 0)  /* unused */\n";
    out += "            continue;\n";
    out += "        totals[table[i].kind] += table[i].value;\n";
    out += "        n++;\n";
    out += "    }\n";
    out += "    return n;\n";
    out += "}\n\n";
}

inline std::string headed_source_text(int functions) {
    std::string text = "#include <stdio.h>\n\nstruct entry { int kind; long value; };\n\n";
    for (int i = 0; i < functions; ++i) append_headed_function(text, i);
    return text;
}

// One small source: the shared header, and a few functions that call each
// other and the functions of the next source.
inline std::string small_source_text(int s, int count) {
    std::string text = "/* small source " + std::to_string(s) + " */\n";
    text += "#include <stdio.h>\n#include \"common.h\"\n#include \"common.h\"\n\n";
    const std::string next = std::to_string((s + 1) % count);
    for (int f = 0; f < 4; ++f) {
        const std::string id = std::to_string(s) + "_" + std::to_string(f);
        text += "/*\n * NAME     : fn_" + id + "\n * FUNCTION : function " + std::to_string(f) + " of source " +
                std::to_string(s) + "\n */\n";
        text += "int fn_" + id + "(struct item *items, int value)\n{\n";
        text += "    int i, sum = 0;                 /* running sum */\n";
        text += "    for (i = 0; i < value && i < MAX_ITEMS; i++) {\n";
        text += "        if (IS_USED(items[i]))      /* used? */\n";
        text += "            sum += fn_" + next + "_" + std::to_string(f) + "(items, i);\n";
        text += "        else\n";
        text += "            helper_call(\"literal (not a call)\", i);\n";
        text += "    }\n";
        text += "    switch (value) {\n    case 1:\n        printf(\"%d\\n\", sum);\n        break;\n";
        text += "    default:\n        break;\n    }\n    return sum;\n}\n\n";
    }
    return text;
}

inline std::string small_header_text() {
    return "/* the header every small source includes */\n"
           "#ifndef COMMON_H\n#define COMMON_H\n\n"
           "#define MAX_ITEMS 64\n#define IS_USED(item) ((item).flags & 1)\n\n"
           "struct item {\n    int flags;\n    long value;\n};\n\n"
           "int helper_call(const char *text, int at);\n\n"
           "#endif /* COMMON_H */\n";
}

// The set of small sources: each includes the shared guarded header.
inline std::vector<CorpusFile> small_corpus_files(int count) {
    std::vector<CorpusFile> files = {{"common.h", small_header_text(), false}};
    for (int s = 0; s < count; ++s)
        files.push_back({"small" + std::to_string(s) + ".c", small_source_text(s, count)});
    return files;
}

// Lua's sources with their headers, the sources listed in name order: real
// code, where a batch reads the same headers again and again.
inline std::vector<CorpusFile> lua_corpus_files(const std::string& lua_dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(lua_dir)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".c" || ext == ".h") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::vector<CorpusFile> files;
    for (const std::string& name : names) files.push_back({name, read_file(lua_dir + "/" + name), name.back() == 'c'});
    return files;
}

}  // namespace bench
