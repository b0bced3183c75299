// A large generated source written to a scratch folder, for the benchmarks
// that run a whole converter over it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

struct Corpus {
    std::filesystem::path dir;
    std::string source;
    int lines = 0;
};

// `functions` functions, each written by `append`, after a short prologue.
inline Corpus write_corpus(const std::string& name, int functions, void (*append)(std::string&, int)) {
    Corpus c;
    c.dir = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(functions));
    std::filesystem::create_directories(c.dir);
    std::string text = "#include <stdio.h>\n\nstruct entry { int kind; long value; };\n\n";
    for (int i = 0; i < functions; ++i) append(text, i);
    for (char ch : text) c.lines += ch == '\n';
    c.source = (c.dir / "large.c").string();
    std::ofstream(c.source, std::ios::binary) << text;
    return c;
}
