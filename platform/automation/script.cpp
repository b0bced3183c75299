// Scripts: one step a line, parsed when loaded, run one step each time the
// program waits for input (or while a message box or popup menu waits for an
// answer); and the headless runner around a program's WinMain.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/automation/automation_internal.h"
#include "platform/user/codec.h"
#include "platform/kernel/disk_names.h"
#include "platform/gdi/drawing_log.h"
#include "platform/gdi/wingdi.h"
#include "platform/user/controls_internal.h"
#include "platform/user/user_internal.h"

namespace platform_automation {

namespace {

// --- Words ------------------------------------------------------------------------

bool tokenize(const std::string& line, std::vector<std::string>* tokens, std::string* error) {
    size_t i = 0, n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= n || line[i] == '#') break;
        std::string token;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != ' ' && line[i] != '\t' && line[i] != '\r'))) {
            char c = line[i];
            if (c == '"') quoted = !quoted;
            if (quoted && c == '\\' && i + 1 < n) {
                token += c;
                ++i;
                c = line[i];
            }
            token += c;
            ++i;
        }
        if (quoted) {
            *error = "a quotation mark is not closed";
            return false;
        }
        tokens->push_back(token);
    }
    return true;
}

bool is_quoted(const std::string& raw) {
    return raw.size() >= 2 && raw.front() == '"' && raw.back() == '"';
}

std::string unquote(const std::string& raw) {
    if (!is_quoted(raw)) return raw;
    std::string out;
    for (size_t i = 1; i + 1 < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\\' && i + 2 < raw.size()) {
            char e = raw[++i];
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                out += e;
            }
            continue;
        }
        out += c;
    }
    return out;
}

bool parse_int(const std::string& word, long* value) {
    if (word.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 0);
    if (!end || *end != '\0') return false;
    *value = v;
    return true;
}

// Splits at "/" outside quotation marks.
std::vector<std::string> split_path(const std::string& raw) {
    std::vector<std::string> parts;
    std::string part;
    bool quoted = false;
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '"') quoted = !quoted;
        if (quoted && c == '\\' && i + 1 < raw.size()) {
            part += c;
            part += raw[++i];
            continue;
        }
        if (c == '/' && !quoted) {
            parts.push_back(part);
            part.clear();
            continue;
        }
        part += c;
    }
    parts.push_back(part);
    return parts;
}

bool parse_window(const std::string& raw, automation::WindowSpec* wanted, std::string* error) {
    std::vector<std::string> parts = split_path(raw);
    const std::string& head = parts[0];
    automation::WindowSpec s;
    long id = 0;
    if (head == "main") {
        s.kind = automation::WindowSpec::Kind::main;
    } else if (head == "active") {
        s.kind = automation::WindowSpec::Kind::active;
    } else if (head == "focus") {
        s.kind = automation::WindowSpec::Kind::focus;
    } else if (is_quoted(head)) {
        s.kind = automation::WindowSpec::Kind::title;
        s.text = platform_user::utf8_to_cp932(unquote(head));
    } else if (head.rfind("class:", 0) == 0 && head.size() > 6) {
        s.kind = automation::WindowSpec::Kind::class_name;
        s.text = head.substr(6);
    } else if (parse_int(head, &id)) {
        s.kind = automation::WindowSpec::Kind::control;
        s.ids.push_back(static_cast<int>(id));
    } else {
        *error = "not a window: " + raw;
        return false;
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        if (!parse_int(parts[i], &id)) {
            *error = "not a control id: " + parts[i];
            return false;
        }
        s.ids.push_back(static_cast<int>(id));
    }
    *wanted = s;
    return true;
}

HWND window_arg(const std::string& raw) {
    automation::WindowSpec wanted;
    std::string error;
    if (!parse_window(raw, &wanted, &error)) return nullptr;
    return automation::find_window(wanted);
}

std::string resolve_path(const std::string& file) {
    const std::string& base = state().base_directory;
    if (file.empty() || file[0] == '/' || base.empty()) return file;
    return base + "/" + file;
}

// --- Checks shared by the expectations -----------------------------------------

void expect(bool ok, const std::string& failure) {
    if (ok) {
        log_event("ok");
    } else {
        fail(failure, false);
    }
}

const automation::MessageBoxRecord* box_in_view() {
    State& a = state();
    if (a.waiting == WaitKind::message_box && a.waiting_box >= 0) return &a.boxes[static_cast<size_t>(a.waiting_box)];
    return a.boxes.empty() ? nullptr : &a.boxes.back();
}

HWND need_window(const std::string& raw) {
    HWND w = window_arg(raw);
    if (!w) fail("no window " + raw, false);
    return w;
}

struct ScrollCode {
    const char* name;
    int code;
};

const ScrollCode scroll_codes[] = {
    {"line-up", SB_LINEUP},     {"line-left", SB_LINELEFT},   {"line-down", SB_LINEDOWN},
    {"line-right", SB_LINERIGHT}, {"page-up", SB_PAGEUP},     {"page-left", SB_PAGELEFT},
    {"page-down", SB_PAGEDOWN}, {"page-right", SB_PAGERIGHT}, {"thumb", SB_THUMBPOSITION},
    {"top", SB_TOP},            {"left", SB_LEFT},            {"bottom", SB_BOTTOM},
    {"right", SB_RIGHT},        {"end", SB_ENDSCROLL},
};

int scroll_code(const std::string& word) {
    for (const ScrollCode& c : scroll_codes) {
        if (word == c.name) return c.code;
    }
    return -1;
}

struct MenuStateWord {
    const char* name;
    UINT mask;
    UINT value;
};

const MenuStateWord menu_state_words[] = {
    {"enabled", MF_GRAYED | MF_DISABLED, 0}, {"grayed", MF_GRAYED, MF_GRAYED},
    {"greyed", MF_GRAYED, MF_GRAYED},        {"disabled", MF_DISABLED, MF_DISABLED},
    {"checked", MF_CHECKED, MF_CHECKED},     {"unchecked", MF_CHECKED, 0},
};

const MenuStateWord* menu_state_word(const std::string& word) {
    for (const MenuStateWord& w : menu_state_words) {
        if (word == w.name) return &w;
    }
    return nullptr;
}

// --- Steps --------------------------------------------------------------------------

using Check = bool (*)(const ScriptStep&, std::string*);
using Run = void (*)(const ScriptStep&);

bool check_window_at(const ScriptStep& s, size_t i, std::string* error) {
    automation::WindowSpec wanted;
    return parse_window(s.args[i], &wanted, error);
}

bool check_int_at(const ScriptStep& s, size_t i, std::string* error) {
    long v;
    if (parse_int(s.args[i], &v)) return true;
    *error = "not a number: " + s.args[i];
    return false;
}

bool check_quoted_at(const ScriptStep& s, size_t i, std::string* error) {
    if (is_quoted(s.args[i])) return true;
    *error = "a text in quotation marks is wanted: " + s.args[i];
    return false;
}

bool check_none(const ScriptStep&, std::string*) {
    return true;
}

// The words "in <window>" after the first word, which may be left out.
bool check_in_window(const ScriptStep& s, const char* form, std::string* error) {
    if (s.args.size() == 1) return true;
    if (s.args.size() != 3 || s.args[1] != "in") {
        *error = std::string("write: ") + form;
        return false;
    }
    return check_window_at(s, 2, error);
}

// The window named by "in <window>" (nullptr when left out); false when it
// is named and not there.
bool in_window(const ScriptStep& s, HWND* window) {
    *window = nullptr;
    return s.args.size() != 3 || (*window = need_window(s.args[2])) != nullptr;
}

// menu <id | "path"> [in <window>]
bool check_menu(const ScriptStep& s, std::string* error) {
    long id;
    if (!is_quoted(s.args[0]) && !parse_int(s.args[0], &id)) {
        *error = "a command id or a quoted menu path is wanted";
        return false;
    }
    return check_in_window(s, "menu <id or path> in <window>", error);
}

void run_menu(const ScriptStep& s) {
    HWND window = nullptr;
    if (!in_window(s, &window)) return;
    long id;
    if (parse_int(s.args[0], &id)) {
        deliver_menu_command(window, static_cast<UINT>(id));
    } else {
        deliver_menu_path(window, unquote(s.args[0]));
    }
}

bool check_key(const ScriptStep& s, std::string* error) {
    UINT vk;
    unsigned modifiers;
    if (parse_key(s.args[0], &vk, &modifiers)) return true;
    *error = "unknown key: " + s.args[0];
    return false;
}

void run_key(const ScriptStep& s) {
    UINT vk = 0;
    unsigned modifiers = 0;
    parse_key(s.args[0], &vk, &modifiers);
    post_key(vk, modifiers);
}

bool check_type(const ScriptStep& s, std::string* error) {
    return check_quoted_at(s, 0, error);
}

void run_type(const ScriptStep& s) {
    post_text(platform_user::utf8_to_cp932(unquote(s.args[0])));
}

bool check_click(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error) && check_int_at(s, 1, error) && check_int_at(s, 2, error);
}

void run_click_with(const ScriptStep& s, UINT down, UINT up, bool twice) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long x = 0, y = 0;
    parse_int(s.args[1], &x);
    parse_int(s.args[2], &y);
    post_click(w, static_cast<int>(x), static_cast<int>(y), down, up, twice);
}

void run_move(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long x = 0, y = 0;
    parse_int(s.args[1], &x);
    parse_int(s.args[2], &y);
    post_mouse_move(w, static_cast<int>(x), static_cast<int>(y));
}

void run_click(const ScriptStep& s) {
    run_click_with(s, WM_LBUTTONDOWN, WM_LBUTTONUP, false);
}

void run_mouse_down(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long x = 0, y = 0;
    parse_int(s.args[1], &x);
    parse_int(s.args[2], &y);
    post_mouse_down(w, static_cast<int>(x), static_cast<int>(y));
}

void run_mouse_up(const ScriptStep&) {
    post_mouse_up();
}

// wait <milliseconds>
bool check_wait(const ScriptStep& s, std::string* error) {
    long ms = 0;
    if (parse_int(s.args[0], &ms) && ms >= 0 && ms <= 600000) return true;
    *error = "not a time from 0 to 600000 milliseconds: " + s.args[0];
    return false;
}

void run_wait(const ScriptStep& s) {
    long ms = 0;
    parse_int(s.args[0], &ms);
    let_time_pass(static_cast<DWORD>(ms));
}

// wheel <window> x y <notches> [shift]
bool check_wheel(const ScriptStep& s, std::string* error) {
    if (!check_click(s, error) || !check_int_at(s, 3, error)) return false;
    if (s.args.size() == 5 && s.args[4] != "shift") {
        *error = "after the notches only shift may follow";
        return false;
    }
    return true;
}

void run_wheel(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long x = 0, y = 0, notches = 0;
    parse_int(s.args[1], &x);
    parse_int(s.args[2], &y);
    parse_int(s.args[3], &notches);
    post_wheel(w, static_cast<int>(x), static_cast<int>(y), static_cast<int>(notches),
               s.args.size() == 5 ? automation::shift : automation::no_modifiers);
}

void run_double_click(const ScriptStep& s) {
    run_click_with(s, WM_LBUTTONDOWN, WM_LBUTTONUP, true);
}

void run_right_click(const ScriptStep& s) {
    run_click_with(s, WM_RBUTTONDOWN, WM_RBUTTONUP, false);
}

bool check_window(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error);
}

void run_press(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (w) post_press(w, s.args[0]);
}

// scroll <window> <v|h> <code> [position]
bool check_scroll(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    if (s.args[1] != "v" && s.args[1] != "h") {
        *error = "the bar is v or h";
        return false;
    }
    if (scroll_code(s.args[2]) < 0) {
        *error = "unknown scroll code: " + s.args[2];
        return false;
    }
    return s.args.size() < 4 || check_int_at(s, 3, error);
}

void run_scroll(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long position = 0;
    if (s.args.size() == 4) parse_int(s.args[3], &position);
    UINT message = s.args[1] == "v" ? WM_VSCROLL : WM_HSCROLL;
    PostMessageA(w, message, MAKEWPARAM(static_cast<WORD>(scroll_code(s.args[2])), static_cast<WORD>(position)), 0);
}

bool check_button(const ScriptStep& s, std::string* error) {
    if (parse_button(s.args[0])) return true;
    *error = "unknown button: " + s.args[0];
    return false;
}

// While a message box waits, it is the answer; otherwise it is kept for the next box.
void run_answer(const ScriptStep& s) {
    State& a = state();
    int button = parse_button(s.args[0]);
    if (a.waiting == WaitKind::message_box && !a.answered) {
        a.answered = true;
        a.answer = static_cast<UINT>(button);
    } else {
        a.pending_answers.push_back(button);
        log_event("kept for the next message box");
    }
}

void run_answer_next(const ScriptStep& s) {
    state().pending_answers.push_back(parse_button(s.args[0]));
}

bool check_popup(const ScriptStep& s, std::string* error) {
    if (s.args[0] == "none") return true;
    return check_int_at(s, 0, error);
}

void run_popup(const ScriptStep& s) {
    State& a = state();
    long id = 0;
    if (s.args[0] != "none") parse_int(s.args[0], &id);
    if (a.waiting == WaitKind::popup_menu && !a.answered) {
        a.answered = true;
        a.answer = static_cast<UINT>(id);
    } else {
        a.pending_popups.push_back(static_cast<UINT>(id));
        log_event("kept for the next popup menu");
    }
}

struct Verb;
const Verb* find_verb(const std::string& name);
bool check_step(const ScriptStep& step, std::string* error);
void run_step(const ScriptStep& step);

// The steps that may run at a peek: a press, and looking without waiting.
constexpr const char* peek_verbs[] = {
    "press",         "capture",        "drawing-log",   "log",           "expect-menu",
    "expect-cursor", "expect-enabled", "expect-disabled", "expect-visible", "expect-hidden",
    "expect-exists", "expect-gone",    "expect-text",   "expect-title",  "expect-status", "expect-texts-fit",
    "expect-ink",    "expect-pixel",
};

// The step after "at-peek <n>", as a step of its own.
ScriptStep peek_step(const ScriptStep& s) {
    ScriptStep inner;
    inner.line = s.line;
    inner.verb = s.args[1];
    inner.args.assign(s.args.begin() + 2, s.args.end());
    inner.source = inner.verb;
    for (const std::string& a : inner.args) inner.source += " " + a;
    return inner;
}

// at-peek <n> <step>
bool check_at_peek(const ScriptStep& s, std::string* error) {
    if (!check_int_at(s, 0, error)) return false;
    const ScriptStep inner = peek_step(s);
    if (std::find(std::begin(peek_verbs), std::end(peek_verbs), inner.verb) == std::end(peek_verbs)) {
        *error = "at a peek a step can press, capture, write a drawing log or check (expect-...): " + inner.verb;
        return false;
    }
    return check_step(inner, error);
}

void run_at_peek(const ScriptStep& s) {
    long n = 1;
    parse_int(s.args[0], &n);
    const ScriptStep inner = peek_step(s);
    if (inner.verb == "press") {
        automation::WindowSpec wanted;
        std::string error;
        parse_window(inner.args[0], &wanted, &error);
        automation::press_at_peek(n, wanted);
        return;
    }
    automation::at_peek(n, inner.source, [inner] { run_step(inner); });
}

// drawing-log <window> FILE, drawing-log print FILE
bool check_drawing_log(const ScriptStep& s, std::string* error) {
    if (s.args[0] != "print" && !check_window_at(s, 0, error)) return false;
    return check_quoted_at(s, 1, error);
}

void run_drawing_log(const ScriptStep& s) {
    std::vector<std::string> lines;
    if (s.args[0] == "print") {
        lines = automation::print_drawing_log();
        if (lines.empty()) return fail("no print job has started", false);
    } else {
        HWND w = need_window(s.args[0]);
        if (!w) return;
        lines = automation::drawing_log(w);
    }
    const std::string path = resolve_path(unquote(s.args[1]));
    if (!automation::write_lines(path, lines)) return fail("cannot write " + path, false);
    log_event("drawing log of " + s.args[0] + ": " + std::to_string(lines.size()) + " entries");
}

// drag <window> x1 y1 x2 y2
bool check_drag(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    for (size_t i = 1; i <= 4; ++i) {
        if (!check_int_at(s, i, error)) return false;
    }
    return true;
}

void run_drag(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long v[4] = {};
    for (size_t i = 0; i < 4; ++i) parse_int(s.args[i + 1], &v[i]);
    post_drag(w, POINT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1])},
              POINT{static_cast<LONG>(v[2]), static_cast<LONG>(v[3])});
}

// frame-click <window> <part>, frame-double-click ..., frame-drag <window> <part> dx dy
bool check_frame(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    if (!frame_part_code(s.args[1])) {
        *error = "not a part of a frame: " + s.args[1];
        return false;
    }
    return s.verb != "frame-drag" || (check_int_at(s, 2, error) && check_int_at(s, 3, error));
}

void run_frame(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long dx = 0, dy = 0;
    if (s.verb == "frame-drag") {
        parse_int(s.args[2], &dx);
        parse_int(s.args[3], &dy);
    }
    post_frame_act(w, frame_part_code(s.args[1]), s.verb == "frame-double-click" ? 2 : 1,
                   POINT{static_cast<LONG>(dx), static_cast<LONG>(dy)});
}

// command <id> [in <window>]
bool check_command(const ScriptStep& s, std::string* error) {
    return check_int_at(s, 0, error) && check_in_window(s, "command <id> in <window>", error);
}

void run_command(const ScriptStep& s) {
    HWND window = nullptr;
    if (!in_window(s, &window)) return;
    long id = 0;
    parse_int(s.args[0], &id);
    post_command(window, static_cast<UINT>(id));
}

bool check_close(const ScriptStep& s, std::string* error) {
    return s.args.empty() || check_window_at(s, 0, error);
}

void run_close(const ScriptStep& s) {
    HWND w = s.args.empty() ? automation::main_window() : need_window(s.args[0]);
    if (w) automation::close_window(w);
}

bool check_resize(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error) && check_int_at(s, 1, error) && check_int_at(s, 2, error);
}

void run_resize(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long width = 0, height = 0;
    parse_int(s.args[1], &width);
    parse_int(s.args[2], &height);
    RECT r;
    GetWindowRect(w, &r);
    POINT p{r.left, r.top};
    if ((GetWindowLongA(w, GWL_STYLE) & WS_CHILD) && GetParent(w)) ScreenToClient(GetParent(w), &p);
    MoveWindow(w, p.x, p.y, static_cast<int>(width), static_cast<int>(height), TRUE);
}

bool check_two_ints(const ScriptStep& s, std::string* error) {
    return check_int_at(s, 0, error) && check_int_at(s, 1, error);
}

void run_screen(const ScriptStep& s) {
    long width = 0, height = 0;
    parse_int(s.args[0], &width);
    parse_int(s.args[1], &height);
    automation::set_screen_size(static_cast<int>(width), static_cast<int>(height));
}

bool check_text(const ScriptStep& s, std::string* error) {
    return check_quoted_at(s, 0, error);
}

void run_expect_message(const ScriptStep& s) {
    const automation::MessageBoxRecord* box = box_in_view();
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    if (!box) return fail("no message box was shown", false);
    expect(box->text == want, "the message box says " + quote_sjis(box->text));
}

void run_expect_message_contains(const ScriptStep& s) {
    const automation::MessageBoxRecord* box = box_in_view();
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    if (!box) return fail("no message box was shown", false);
    expect(box->text.find(want) != std::string::npos, "the message box says " + quote_sjis(box->text));
}

void run_expect_caption(const ScriptStep& s) {
    const automation::MessageBoxRecord* box = box_in_view();
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    if (!box) return fail("no message box was shown", false);
    expect(box->caption == want, "the message box is captioned " + quote_sjis(box->caption));
}

bool check_count(const ScriptStep& s, std::string* error) {
    return check_int_at(s, 0, error);
}

void run_expect_message_count(const ScriptStep& s) {
    long n = 0;
    parse_int(s.args[0], &n);
    size_t got = state().boxes.size();
    expect(static_cast<long>(got) == n, std::to_string(got) + " message boxes were shown");
}

void run_expect_beeps(const ScriptStep& s) {
    long n = 0;
    parse_int(s.args[0], &n);
    size_t got = state().beeps.size();
    expect(static_cast<long>(got) == n, std::to_string(got) + " beeps were heard");
}

// expect-title [<window>] "text"
bool check_expect_title(const ScriptStep& s, std::string* error) {
    if (s.args.size() == 2 && !check_window_at(s, 0, error)) return false;
    return check_quoted_at(s, s.args.size() - 1, error);
}

void run_expect_title(const ScriptStep& s) {
    HWND w = s.args.size() == 2 ? need_window(s.args[0]) : automation::main_window();
    if (!w) {
        if (s.args.size() == 1) fail("there is no main window", false);
        return;
    }
    std::string want = platform_user::utf8_to_cp932(unquote(s.args.back()));
    std::string got = automation::window_text(w);
    expect(got == want, "the title is " + quote_sjis(got));
}

bool check_expect_text(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error) && check_quoted_at(s, 1, error);
}

void run_expect_text(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[1]));
    std::string got = automation::window_text(w);
    expect(got == want, "the text is " + quote_sjis(got));
}

// expect-scroll <window> v|h <position>
bool check_expect_scroll(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    if (s.args[1] != "v" && s.args[1] != "h") {
        *error = "the bar is v or h";
        return false;
    }
    return check_int_at(s, 2, error);
}

void run_expect_scroll(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long want = 0;
    parse_int(s.args[2], &want);
    const int got = GetScrollPos(w, s.args[1] == "v" ? SB_VERT : SB_HORZ);
    expect(got == want, "the position is " + std::to_string(got));
}

// expect-menu <id> <state>... [in <window>]
bool check_expect_menu(const ScriptStep& s, std::string* error) {
    if (!check_int_at(s, 0, error)) return false;
    size_t end = s.args.size();
    if (end >= 3 && s.args[end - 2] == "in") {
        if (!check_window_at(s, end - 1, error)) return false;
        end -= 2;
    }
    if (end < 2) {
        *error = "a menu state is wanted (enabled, grayed, disabled, checked, unchecked)";
        return false;
    }
    for (size_t i = 1; i < end; ++i) {
        if (!menu_state_word(s.args[i])) {
            *error = "unknown menu state: " + s.args[i];
            return false;
        }
    }
    return true;
}

void run_expect_menu(const ScriptStep& s) {
    long id = 0;
    parse_int(s.args[0], &id);
    size_t end = s.args.size();
    HWND w = nullptr;
    if (end >= 3 && s.args[end - 2] == "in") {
        if (!(w = need_window(s.args[end - 1]))) return;
        end -= 2;
    }
    UINT st = automation::menu_item_state(static_cast<UINT>(id), w);
    if (st == static_cast<UINT>(-1)) return fail("no menu item " + std::to_string(id), false);
    bool ok = true;
    for (size_t i = 1; i < end; ++i) {
        const MenuStateWord* word = menu_state_word(s.args[i]);
        if ((st & word->mask) != word->value) ok = false;
    }
    std::string seen = (st & MF_GRAYED) ? "grayed" : ((st & MF_DISABLED) ? "disabled" : "enabled");
    seen += (st & MF_CHECKED) ? ", checked" : ", unchecked";
    expect(ok, "the item is " + seen);
}

void run_expect_window_state(const ScriptStep& s) {
    const std::string& verb = s.verb;
    HWND w = window_arg(s.args[0]);
    if (verb == "expect-gone") return expect(!w, s.args[0] + " exists");
    if (verb == "expect-exists") return expect(w != nullptr, s.args[0] + " does not exist");
    if (!w) return fail("no window " + s.args[0], false);
    if (verb == "expect-enabled") return expect(IsWindowEnabled(w), s.args[0] + " is disabled");
    if (verb == "expect-disabled") return expect(!IsWindowEnabled(w), s.args[0] + " is enabled");
    if (verb == "expect-visible") return expect(IsWindowVisible(w), s.args[0] + " is hidden");
    if (verb == "expect-hidden") return expect(!IsWindowVisible(w), s.args[0] + " is visible");
    if (verb == "expect-focus") return expect(GetFocus() == w, "the focus is elsewhere");
    if (verb == "expect-active") return expect(GetActiveWindow() == w, "another window is active");
}

bool check_word(const ScriptStep&, std::string*) {
    return true;
}

void run_expect_texts_fit(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    std::vector<std::string> clipped = automation::clipped_texts(w);
    std::string seen;
    for (const std::string& c : clipped) seen += (seen.empty() ? "" : "; ") + c;
    expect(clipped.empty(), "cut: " + seen);
}

// expect-ink <window> [x y w h]
bool check_expect_ink(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    if (s.args.size() != 1 && s.args.size() != 5) {
        *error = "write: expect-ink <window> [x y width height]";
        return false;
    }
    for (size_t i = 1; i < s.args.size(); ++i) {
        if (!check_int_at(s, i, error)) return false;
    }
    return true;
}

void run_expect_ink(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    RECT area{};
    GetClientRect(w, &area);
    if (s.args.size() == 5) {
        long v[4] = {};
        for (size_t i = 0; i < 4; ++i) parse_int(s.args[i + 1], &v[i]);
        area = RECT{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[0] + v[2]),
                    static_cast<LONG>(v[1] + v[3])};
    }
    // at least one pixel in 200, and a few: a label, a line of text, an edge
    const long size = static_cast<long>(area.right - area.left) * (area.bottom - area.top);
    const int ink = automation::ink_pixels(w, area);
    expect(ink >= 4 && ink * 200L >= size, "the area is blank (" + std::to_string(ink) + " pixels drawn)");
}

bool check_colour(const ScriptStep& s, std::string* error);

// expect-pixel <window> x y r g b
bool check_expect_pixel(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error) || !check_int_at(s, 1, error) || !check_int_at(s, 2, error)) return false;
    ScriptStep colour = s;
    colour.args.assign(s.args.begin() + 3, s.args.end());
    return check_colour(colour, error);
}

void run_expect_pixel(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long v[5] = {};
    for (size_t i = 0; i < 5; ++i) parse_int(s.args[i + 1], &v[i]);
    const COLORREF got = automation::pixel_at(w, static_cast<int>(v[0]), static_cast<int>(v[1]));
    const COLORREF want = RGB(static_cast<BYTE>(v[2]), static_cast<BYTE>(v[3]), static_cast<BYTE>(v[4]));
    char seen[48];
    std::snprintf(seen, sizeof seen, "the pixel is %d %d %d", GetRValue(got), GetGValue(got), GetBValue(got));
    expect(got == want, got == CLR_INVALID ? "the point is off the window" : seen);
}

void run_expect_cursor(const ScriptStep& s) {
    std::string got = automation::cursor_name();
    std::string want = unquote(s.args[0]);
    expect(platform_user::upper_ascii(got.c_str()) == platform_user::upper_ascii(want.c_str()),
           "the cursor is " + (got.empty() ? std::string("none") : got));
}

bool ends_with(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void run_expect_help(const ScriptStep& s) {
    const auto& calls = state().help_calls;
    if (calls.empty()) return fail("no help was called", false);
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    bool ok = ends_with(calls.back().file, want);
    if (s.args.size() == 2) {
        long command = 0;
        parse_int(s.args[1], &command);
        ok = ok && calls.back().command == static_cast<UINT>(command);
    }
    expect(ok, "help was called for " + quote_sjis(calls.back().file) + " command " +
                   std::to_string(calls.back().command));
}

bool check_expect_help(const ScriptStep& s, std::string* error) {
    return check_quoted_at(s, 0, error) && (s.args.size() < 2 || check_int_at(s, 1, error));
}

void run_expect_shell(const ScriptStep& s) {
    const auto& calls = state().shell_calls;
    if (calls.empty()) return fail("no program was started", false);
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    expect(ends_with(calls.back().file, want), "the shell started " + quote_sjis(calls.back().file));
}

bool check_capture(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error);
}

void run_capture(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (w) capture_window(w, resolve_path(unquote(s.args[1])));
}

// The message box that waits (or else the last one) as a person sees it:
// shown as a window for the picture and taken away again.
void run_capture_message_box(const ScriptStep& s) {
    const automation::MessageBoxRecord* box = box_in_view();
    if (!box) return fail("no message box was shown", false);
    const HWND active = GetActiveWindow(), focus = GetFocus();
    HWND window = platform_user::show_message_box_window(box->text.c_str(), box->caption.c_str(), box->type);
    if (!window) return fail("the message box cannot be shown", false);
    capture_window(window, resolve_path(unquote(s.args[0])));
    DestroyWindow(window);
    if (IsWindow(focus)) {
        SetFocus(focus);
    } else if (IsWindow(active)) {
        SetActiveWindow(active);
    }
}

void run_log(const ScriptStep& s) {
    log_event(unquote(s.args[0]));
}

void run_nothing(const ScriptStep&) {}

// --- Controls and dialogs -------------------------------------------------------------

bool check_window_text(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error) && check_quoted_at(s, 1, error);
}

void run_type_into(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (w) act_type_into(w, platform_user::utf8_to_cp932(unquote(s.args[1])), s.verb == "set-text");
}

// choose <window> <index | "text">
bool check_window_item(const ScriptStep& s, std::string* error) {
    if (!check_window_at(s, 0, error)) return false;
    long v;
    if (is_quoted(s.args[1]) || parse_int(s.args[1], &v)) return true;
    *error = "an item number or a quoted item text is wanted: " + s.args[1];
    return false;
}

int item_arg(HWND w, const std::string& raw) {
    long v = -1;
    if (parse_int(raw, &v)) return static_cast<int>(v);
    return find_item(w, platform_user::utf8_to_cp932(unquote(raw)));
}

void run_choose(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    int index = item_arg(w, s.args[1]);
    if (index < 0) {
        log_event("choose refused: no item " + s.args[1]);
        return;
    }
    act_choose_item(w, index, s.verb == "choose-double");
}

void run_check(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (w) act_set_checked(w, s.verb == "check");
}

bool check_button_arg(const ScriptStep& s, std::string* error) {
    long v;
    if (is_quoted(s.args[0]) || parse_int(s.args[0], &v)) return true;
    *error = "a button id or a quoted button text is wanted: " + s.args[0];
    return false;
}

void run_press_button(const ScriptStep& s) {
    HWND root = GetActiveWindow();
    if (!root) root = automation::main_window();
    long id = 0;
    HWND button = nullptr;
    if (parse_int(s.args[0], &id)) {
        button = root ? GetDlgItem(root, static_cast<int>(id)) : nullptr;
    } else if (root) {
        button = find_button(root, platform_user::utf8_to_cp932(unquote(s.args[0])));
    }
    if (!button) {
        log_event("press-button " + s.args[0] + " refused: the active window has no such button");
        return;
    }
    post_press(button, s.args[0]);
}

// expect-status ["text" | part "text"]
bool check_expect_status(const ScriptStep& s, std::string* error) {
    if (s.args.size() == 2 && !check_int_at(s, 0, error)) return false;
    return check_quoted_at(s, s.args.size() - 1, error);
}

void run_expect_status(const ScriptStep& s) {
    long part = 0;
    if (s.args.size() == 2) parse_int(s.args[0], &part);
    std::string want = platform_user::utf8_to_cp932(unquote(s.args.back()));
    HWND main = automation::main_window();
    if (!main || !platform_user::find_status_bar(main)) return fail("the main window has no status bar", false);
    std::string got = automation::status_text(static_cast<int>(part));
    expect(got == want, "the status bar says " + quote_sjis(got));
}

void run_expect_checked(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    bool checked = SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
    bool want = s.verb == "expect-checked";
    expect(checked == want, s.args[0] + (checked ? " is checked" : " is unchecked"));
}

void run_expect_selected(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    int selected = automation::selected_item(w);
    std::vector<std::string> items = automation::control_items(w);
    std::string seen = selected < 0 ? std::string("nothing is selected")
                                    : "item " + std::to_string(selected) +
                                          (static_cast<size_t>(selected) < items.size()
                                               ? " " + quote_sjis(items[static_cast<size_t>(selected)])
                                               : std::string()) +
                                          " is selected";
    long want = 0;
    if (parse_int(s.args[1], &want)) return expect(selected == want, seen);
    std::string text = platform_user::utf8_to_cp932(unquote(s.args[1]));
    expect(selected >= 0 && static_cast<size_t>(selected) < items.size() && items[static_cast<size_t>(selected)] == text,
           seen);
}

bool check_window_count(const ScriptStep& s, std::string* error) {
    return check_window_at(s, 0, error) && check_int_at(s, 1, error);
}

void run_expect_items(const ScriptStep& s) {
    HWND w = need_window(s.args[0]);
    if (!w) return;
    long want = 0;
    parse_int(s.args[1], &want);
    size_t got = automation::control_items(w).size();
    expect(got == static_cast<size_t>(want), "it has " + std::to_string(got) + " items");
}

// --- Common dialogs -----------------------------------------------------------------------

bool check_quoted_all(const ScriptStep& s, std::string* error) {
    for (size_t i = 0; i < s.args.size(); ++i) {
        if (!check_quoted_at(s, i, error)) return false;
    }
    return true;
}

void run_answer_file(const ScriptStep& s) {
    automation::CommonDialogAnswer a;
    for (const std::string& raw : s.args) {
        std::string name = unquote(raw);
        // More than one name is a multiple selection of one directory: those stay bare.
        if (s.args.size() == 1) name = resolve_path(name);
        // a name as the disk holds it, handed over as the kernel lists it
        a.names.push_back(system_name_of(name));
    }
    give_common_answer(a);
}

bool check_colour(const ScriptStep& s, std::string* error) {
    for (size_t i = 0; i < 3; ++i) {
        long v = -1;
        if (!parse_int(s.args[i], &v) || v < 0 || v > 255) {
            *error = "a colour is three numbers 0-255: " + s.args[i];
            return false;
        }
    }
    return true;
}

void run_answer_colour(const ScriptStep& s) {
    long r = 0, g = 0, b = 0;
    parse_int(s.args[0], &r);
    parse_int(s.args[1], &g);
    parse_int(s.args[2], &b);
    automation::CommonDialogAnswer a;
    a.kind = automation::CommonDialogKind::colour;
    a.has_colour = true;
    a.colour = RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b));
    give_common_answer(a);
}

// answer-font "face" size [bold] [italic]
bool check_font(const ScriptStep& s, std::string* error) {
    if (!check_quoted_at(s, 0, error) || !check_int_at(s, 1, error)) return false;
    for (size_t i = 2; i < s.args.size(); ++i) {
        if (s.args[i] != "bold" && s.args[i] != "italic") {
            *error = "a font style is bold or italic: " + s.args[i];
            return false;
        }
    }
    return true;
}

void run_answer_font(const ScriptStep& s) {
    automation::CommonDialogAnswer a;
    a.kind = automation::CommonDialogKind::font;
    a.face = platform_user::utf8_to_cp932(unquote(s.args[0]));
    long size = 0;
    parse_int(s.args[1], &size);
    a.point_size = static_cast<int>(size);
    for (size_t i = 2; i < s.args.size(); ++i) {
        if (s.args[i] == "bold") a.bold = true;
        if (s.args[i] == "italic") a.italic = true;
    }
    give_common_answer(a);
}

// answer-printer OK|cancel [portrait|landscape]
bool check_printer(const ScriptStep& s, std::string* error) {
    int button = parse_button(s.args[0]);
    if (button != IDOK && button != IDCANCEL) {
        *error = "the printer dialog is answered OK or cancel";
        return false;
    }
    if (s.args.size() == 2 && s.args[1] != "portrait" && s.args[1] != "landscape") {
        *error = "the orientation is portrait or landscape";
        return false;
    }
    return true;
}

void run_answer_printer(const ScriptStep& s) {
    automation::CommonDialogAnswer a;
    a.kind = automation::CommonDialogKind::printer;
    a.ok = parse_button(s.args[0]) == IDOK;
    if (s.args.size() == 2) a.orientation = s.args[1] == "landscape" ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    give_common_answer(a);
}

void run_answer_folder(const ScriptStep& s) {
    automation::CommonDialogAnswer a;
    a.kind = automation::CommonDialogKind::folder;
    a.names.push_back(system_name_of(resolve_path(unquote(s.args[0]))));
    give_common_answer(a);
}

void run_answer_plain(const ScriptStep& s) {
    automation::CommonDialogAnswer a;
    a.ok = s.verb == "answer-ok";
    give_common_answer(a);
}

void run_expect_chosen(const ScriptStep& s) {
    const auto& records = state().common_dialogs;
    if (records.empty()) return fail("no common dialog was shown", false);
    const automation::CommonDialogRecord& last = records.back();
    std::string want = platform_user::utf8_to_cp932(unquote(s.args[0]));
    expect(last.ok && last.result == want,
           last.ok ? "the " + std::string(automation::common_dialog_kind_name(last.kind)) + " chose " +
                         quote_sjis(last.result)
                   : "the " + std::string(automation::common_dialog_kind_name(last.kind)) + " was cancelled");
}

struct Verb {
    const char* name;
    size_t min_args;
    size_t max_args;
    bool while_waiting;  // may answer or look at a waiting message box or popup
    Check check;
    Run run;
};

// The script language; docs/automation.md describes each step.
const Verb verbs[] = {
    {"menu", 1, 3, false, check_menu, run_menu},
    {"key", 1, 1, false, check_key, run_key},
    {"type", 1, 1, false, check_type, run_type},
    {"click", 3, 3, false, check_click, run_click},
    {"move", 3, 3, false, check_click, run_move},
    {"mouse-down", 3, 3, false, check_click, run_mouse_down},
    {"mouse-up", 0, 0, false, check_none, run_mouse_up},
    {"wait", 1, 1, false, check_wait, run_wait},
    {"wheel", 4, 5, false, check_wheel, run_wheel},
    {"double-click", 3, 3, false, check_click, run_double_click},
    {"right-click", 3, 3, false, check_click, run_right_click},
    {"press", 1, 1, false, check_window, run_press},
    {"scroll", 3, 4, false, check_scroll, run_scroll},
    {"close", 0, 1, false, check_close, run_close},
    {"resize", 3, 3, false, check_resize, run_resize},
    {"screen", 2, 2, false, check_two_ints, run_screen},
    {"answer", 1, 1, true, check_button, run_answer},
    {"answer-next-message", 1, 1, true, check_button, run_answer_next},
    {"popup", 1, 1, true, check_popup, run_popup},
    {"at-peek", 3, 10, true, check_at_peek, run_at_peek},
    {"drawing-log", 2, 2, true, check_drawing_log, run_drawing_log},
    {"drag", 5, 5, false, check_drag, run_drag},
    {"frame-click", 2, 2, false, check_frame, run_frame},
    {"frame-double-click", 2, 2, false, check_frame, run_frame},
    {"frame-drag", 4, 4, false, check_frame, run_frame},
    {"command", 1, 3, false, check_command, run_command},
    {"expect-message", 1, 1, true, check_text, run_expect_message},
    {"expect-message-contains", 1, 1, true, check_text, run_expect_message_contains},
    {"expect-caption", 1, 1, true, check_text, run_expect_caption},
    {"expect-message-count", 1, 1, true, check_count, run_expect_message_count},
    {"expect-beeps", 1, 1, true, check_count, run_expect_beeps},
    {"expect-title", 1, 2, true, check_expect_title, run_expect_title},
    {"expect-text", 2, 2, true, check_expect_text, run_expect_text},
    {"expect-menu", 2, 8, true, check_expect_menu, run_expect_menu},
    {"expect-scroll", 3, 3, true, check_expect_scroll, run_expect_scroll},
    {"expect-enabled", 1, 1, true, check_window, run_expect_window_state},
    {"expect-disabled", 1, 1, true, check_window, run_expect_window_state},
    {"expect-visible", 1, 1, true, check_window, run_expect_window_state},
    {"expect-hidden", 1, 1, true, check_window, run_expect_window_state},
    {"expect-exists", 1, 1, true, check_window, run_expect_window_state},
    {"expect-gone", 1, 1, true, check_window, run_expect_window_state},
    {"expect-focus", 1, 1, true, check_window, run_expect_window_state},
    {"expect-active", 1, 1, true, check_window, run_expect_window_state},
    {"expect-cursor", 1, 1, true, check_word, run_expect_cursor},
    {"expect-texts-fit", 1, 1, true, check_window, run_expect_texts_fit},
    {"expect-ink", 1, 5, true, check_expect_ink, run_expect_ink},
    {"expect-pixel", 6, 6, true, check_expect_pixel, run_expect_pixel},
    {"expect-help", 1, 2, true, check_expect_help, run_expect_help},
    {"expect-shell", 1, 1, true, check_text, run_expect_shell},
    {"capture", 2, 2, true, check_capture, run_capture},
    {"capture-message-box", 1, 1, true, check_word, run_capture_message_box},
    {"log", 1, 1, true, check_text, run_log},
    {"wait-idle", 0, 0, true, check_none, run_nothing},
    {"type-into", 2, 2, false, check_window_text, run_type_into},
    {"set-text", 2, 2, false, check_window_text, run_type_into},
    {"choose", 2, 2, false, check_window_item, run_choose},
    {"choose-double", 2, 2, false, check_window_item, run_choose},
    {"check", 1, 1, false, check_window, run_check},
    {"uncheck", 1, 1, false, check_window, run_check},
    {"press-button", 1, 1, false, check_button_arg, run_press_button},
    {"expect-status", 1, 2, true, check_expect_status, run_expect_status},
    {"expect-checked", 1, 1, true, check_window, run_expect_checked},
    {"expect-unchecked", 1, 1, true, check_window, run_expect_checked},
    {"expect-selected", 2, 2, true, check_window_item, run_expect_selected},
    {"expect-items", 2, 2, true, check_window_count, run_expect_items},
    {"answer-file", 1, 64, true, check_quoted_all, run_answer_file},
    {"answer-colour", 3, 3, true, check_colour, run_answer_colour},
    {"answer-color", 3, 3, true, check_colour, run_answer_colour},
    {"answer-font", 2, 4, true, check_font, run_answer_font},
    {"answer-printer", 1, 2, true, check_printer, run_answer_printer},
    {"answer-folder", 1, 1, true, check_quoted_all, run_answer_folder},
    {"answer-ok", 0, 0, true, check_none, run_answer_plain},
    {"answer-cancel", 0, 0, true, check_none, run_answer_plain},
    {"expect-chosen", 1, 1, true, check_text, run_expect_chosen},
};

const Verb* find_verb(const std::string& name) {
    for (const Verb& v : verbs) {
        if (name == v.name) return &v;
    }
    return nullptr;
}

bool check_step(const ScriptStep& step, std::string* error) {
    const Verb* v = find_verb(step.verb);
    if (!v) {
        *error = "unknown step " + step.verb;
        return false;
    }
    if (step.args.size() < v->min_args || step.args.size() > v->max_args) {
        *error = "wrong number of words for " + step.verb;
        return false;
    }
    return v->check(step, error);
}

void run_step(const ScriptStep& step) {
    if (const Verb* v = find_verb(step.verb)) v->run(step);
}

}  // namespace

bool step_allowed_while_waiting(const ScriptStep& step) {
    const Verb* v = find_verb(step.verb);
    return v && v->while_waiting;
}

bool run_next_step() {
    State& a = state();
    if (a.aborted || a.next_step >= a.steps.size()) return false;
    const ScriptStep& step = a.steps[a.next_step++];
    log_line("line " + std::to_string(step.line) + ": " + step.source);
    run_step(step);
    return true;
}

// --- Keys ----------------------------------------------------------------------------

bool parse_key(const std::string& key_text, UINT* vk, unsigned* modifiers) {
    struct KeyName {
        const char* name;
        UINT vk;
    };
    static const KeyName names[] = {
        {"ENTER", VK_RETURN},  {"RETURN", VK_RETURN}, {"TAB", VK_TAB},         {"ESC", VK_ESCAPE},
        {"ESCAPE", VK_ESCAPE}, {"SPACE", VK_SPACE},   {"BACKSPACE", VK_BACK},  {"BACK", VK_BACK},
        {"DELETE", VK_DELETE}, {"DEL", VK_DELETE},    {"INSERT", VK_INSERT},   {"INS", VK_INSERT},
        {"HOME", VK_HOME},     {"END", VK_END},       {"PAGEUP", VK_PRIOR},    {"PGUP", VK_PRIOR},
        {"PRIOR", VK_PRIOR},   {"PAGEDOWN", VK_NEXT}, {"PGDN", VK_NEXT},       {"NEXT", VK_NEXT},
        {"UP", VK_UP},         {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},       {"RIGHT", VK_RIGHT},
        {"PAUSE", VK_PAUSE},   {"ALT", VK_MENU},      {";", VK_OEM_1},       {"=", VK_OEM_PLUS},      {",", VK_OEM_COMMA},
        {"-", VK_OEM_MINUS},   {".", VK_OEM_PERIOD},  {"/", VK_OEM_2},         {"`", VK_OEM_3},
        {"[", VK_OEM_4},       {"\\", VK_OEM_5},      {"]", VK_OEM_6},         {"'", VK_OEM_7},
    };
    *modifiers = 0;
    std::string rest = key_text;
    for (;;) {
        size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) break;
        std::string word = platform_user::upper_ascii(rest.substr(0, plus).c_str());
        if (word == "CTRL" || word == "CONTROL") *modifiers |= automation::control;
        else if (word == "SHIFT") *modifiers |= automation::shift;
        else if (word == "ALT") *modifiers |= automation::alt;
        else return false;
        rest = rest.substr(plus + 1);
    }
    std::string key = platform_user::upper_ascii(rest.c_str());
    if (key.size() == 1 && ((key[0] >= 'A' && key[0] <= 'Z') || (key[0] >= '0' && key[0] <= '9'))) {
        *vk = static_cast<UINT>(key[0]);
        return true;
    }
    if (key.size() >= 2 && key[0] == 'F') {
        long n = 0;
        if (parse_int(key.substr(1), &n) && n >= 1 && n <= 24) {
            *vk = VK_F1 + static_cast<UINT>(n - 1);
            return true;
        }
    }
    if (key.rfind("VK:", 0) == 0) {
        long n = 0;
        if (parse_int(key.substr(3), &n) && n > 0 && n < 256) {
            *vk = static_cast<UINT>(n);
            return true;
        }
        return false;
    }
    for (const KeyName& k : names) {
        if (key == k.name) {
            *vk = k.vk;
            return true;
        }
    }
    return false;
}

}  // namespace platform_automation

namespace automation {

using namespace platform_automation;

bool load_script(const std::string& text, const std::string& base_directory, std::string* error) {
    State& a = state();
    std::vector<ScriptStep> steps;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte order mark
        ScriptStep step;
        std::vector<std::string> tokens;
        std::string why;
        if (!tokenize(line, &tokens, &why)) {
            if (error) *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        if (tokens.empty()) continue;
        step.line = number;
        size_t first = line.find_first_not_of(" \t");
        step.source = line.substr(first == std::string::npos ? 0 : first);
        step.verb = tokens[0];
        step.args.assign(tokens.begin() + 1, tokens.end());
        if (!check_step(step, &why)) {
            if (error) *error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        steps.push_back(std::move(step));
    }
    // a script that reads a drawing log has it recorded from its start
    const auto reads_drawing_log = [](const ScriptStep& s) {
        return s.verb == "drawing-log" || (s.verb == "at-peek" && s.args.size() > 1 && s.args[1] == "drawing-log");
    };
    if (std::any_of(steps.begin(), steps.end(), reads_drawing_log)) set_drawing_log_enabled(true);
    a.steps = std::move(steps);
    a.next_step = 0;
    a.base_directory = base_directory;
    a.close_sent = false;
    return true;
}

int run_program(ProgramEntry entry) {
    State& a = state();
    static char command_line[] = "";
    a.program_running = true;
    a.close_sent = false;
    log_line("program started");
    int code = entry(reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)), nullptr, command_line,
                     SW_SHOWNORMAL);
    a.program_running = false;
    if (!a.aborted && a.next_step < a.steps.size()) {
        const ScriptStep& step = a.steps[a.next_step];
        fail("the program ended before line " + std::to_string(step.line) + " (" + step.source + ")", false);
    }
    log_line("program ended with exit code " + std::to_string(code));
    return code;
}

int run_main(ProgramEntry entry) {
    const char* script = std::getenv("PLATFORM_SCRIPT");
    std::string log_path;
    // a program keeps no drawing log unless its script asks for one
    set_drawing_log_enabled(false);
    // and its shell calls start what they name, as for a person
    set_shell_result(kShellStartsPrograms);
    if (script && *script) {
        std::ifstream in(script, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "automation: cannot read the script %s\n", script);
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::string path = script;
        size_t slash = path.find_last_of('/');
        std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
        log_path = path + ".log";
        std::string error;
        if (!load_script(text.str(), directory, &error)) {
            std::ofstream log(log_path, std::ios::binary);
            log << "script error: " << error << "\n";
            std::fprintf(stderr, "automation: %s: %s\n", script, error.c_str());
            return 2;
        }
    }
    int code = run_program(entry);
    if (!log_path.empty()) {
        std::ofstream log(log_path, std::ios::binary);
        log << log_text();
        if (!log) std::fprintf(stderr, "automation: cannot write %s\n", log_path.c_str());
    }
    for (const std::string& f : failures()) std::fprintf(stderr, "automation: %s\n", f.c_str());
    return failed() ? 2 : code;
}

}  // namespace automation
