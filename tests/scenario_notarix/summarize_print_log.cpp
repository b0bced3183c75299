// Reads a drawing log written by a script's "drawing-log print" step and
// writes what a reviewer checks of a printed job: every text with its page,
// logical point and font (a text the printer drew character by character
// joined again), and every line and box with its points and pen. The device
// points and the contexts' numbers are left out, so the summary is the same
// from run to run.
// summarize_print_log LOG OUT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A printed character is at most two cells of 80 units wide: a text further
// away on the same line is another text.
constexpr int kMaxCharacterStep = 160;

struct Entry {
    std::string page;   // "page N" or ""
    std::string op;
    std::string logical;  // "L(x,y)..." as written
    int x = 0, y = 0;     // the first logical point
    std::string params;
    std::string text;
};

// "printer#4 page 2 TextOutA L(10,20) D(1,2) font=... colour=... [text]"
bool parse(const std::string& line, Entry& e) {
    std::string rest = line;
    std::string text;
    const size_t open = rest.find(" [");
    if (open != std::string::npos && !rest.empty() && rest.back() == ']') {
        text = rest.substr(open + 2, rest.size() - open - 3);
        rest.resize(open);
    }
    std::istringstream in(rest);
    std::string context, word;
    if (!(in >> context)) return false;
    if (!(in >> word)) return false;
    if (word == "page") {
        std::string n;
        in >> n;
        e.page = "page " + n;
        if (!(in >> word)) return false;
    }
    e.op = word;
    e.text = text;
    while (in >> word) {
        if (word.rfind("L(", 0) == 0) {
            e.logical = word;
            std::sscanf(word.c_str(), "L(%d,%d)", &e.x, &e.y);
        } else if (word.rfind("D(", 0) == 0) {
            continue;
        } else {
            e.params += (e.params.empty() ? "" : " ") + word;
        }
    }
    return true;
}

// The parameter of that name ("font", "pen"), or "".
std::string param(const std::string& params, const std::string& name) {
    std::istringstream in(params);
    std::string word;
    while (in >> word) {
        if (word.rfind(name + "=", 0) == 0) return word;
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: summarize_print_log LOG OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> out;
    Entry text_run;
    bool in_run = false;
    int last_x = 0;
    const auto end_run = [&] {
        if (in_run) {
            out.push_back(text_run.page + " text " + text_run.logical + " " + param(text_run.params, "font") + " [" +
                          text_run.text + "]");
        }
        in_run = false;
    };
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Entry e;
        if (!parse(line, e)) continue;
        if (e.op == "TextOutA") {
            // the next character of a pitched text: same page and line, at most
            // a double-byte character's pitch further right
            if (in_run && e.page == text_run.page && e.y == text_run.y && e.x > last_x &&
                e.x - last_x <= kMaxCharacterStep) {
                text_run.text += e.text;
            } else {
                end_run();
                text_run = e;
                in_run = true;
            }
            last_x = e.x;
            continue;
        }
        end_run();
        if (e.op == "LineTo" || e.op == "Rectangle" || e.op == "RoundRect" || e.op == "MoveToEx") {
            const std::string pen = param(e.params, "pen");
            out.push_back(e.page + " " + e.op + " " + e.logical + (pen.empty() ? "" : " " + pen));
        }
    }
    end_run();
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    for (const std::string& l : out) file << l << '\n';
    return file ? 0 : 1;
}
