#include "common/print/postscript.h"

#include <algorithm>

#include "common/print/print_state.h"
#include "common/text/message_table.h"
#include "platform/gdi/print_manager.h"
#include "platform/kernel/file_io.h"

namespace {

constexpr char kMinchoFont[] = "/Ryumin-Light-RKSJ-H";
constexpr char kGothicFont[] = "/GothicBBB-Medium-RKSJ-H";
constexpr int kLandscapeHeight = 564;  // points of the flipped y axis
constexpr int kPortraitHeight = 820;
constexpr int kLineStep = 8;  // points a new line moves down
constexpr int kStartPoints = 8;

PostScriptState& ps() { return print_state().postscript; }

int result() { return ps().fd < 0 || ps().write_failed ? -1 : 0; }

void out(std::string_view text) {
    PostScriptState& s = ps();
    if (s.fd < 0 || s.write_failed || text.empty()) return;
    if (crt_write(s.fd, text.data(), static_cast<unsigned>(text.size())) != static_cast<int>(text.size()))
        s.write_failed = true;
}

const char* job_font() {
    switch (print_state().job.kind) {
    case 4: return kMinchoFont;
    case 5: return kGothicFont;
    default: return nullptr;
    }
}

int x_points(long long x) { return static_cast<int>(x / 10); }

int y_points(long long y) {
    const long long height = ps().landscape ? kLandscapeHeight : kPortraitHeight;
    return static_cast<int>(ps().flip_factor * height - y / 10);
}

void moveto(long long x, long long y) { out(format_text("%lld %lld moveto\n", x, y)); }

void orientation_lines() {
    if (ps().landscape) {
        out("90 rotate\n");
        out("18 -576 translate\n");
    } else {
        out("18 14 translate\n");
    }
}

// findfont, size and setfont of the font in use; nothing without a font
// (the kinds that are no PostScript kinds).
void set_current_font() {
    const PostScriptState& s = ps();
    if (s.font_name == nullptr) return;
    out(format_text("%s findfont\n", s.font_name));
    out(format_text("%d scalefont\n", s.font_points));
    out("setfont\n");
}

int show_text(std::string_view text) {
    PostScriptState& s = ps();
    const size_t cr = std::min(text.find('\r'), text.size());
    const std::string_view shown = text.substr(0, cr);
    if (!shown.empty()) {
        std::string command = "<";
        command += ps_hex_text(shown);
        command += "> show\n";
        out(command);
        s.text_x += static_cast<int>(std::min<size_t>(shown.size(), 1u << 20)) * s.pitch;
    }
    for (size_t i = cr; i < text.size(); ++i) {
        if (text[i] != '\r') continue;
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            s.text_y -= kLineStep;
            s.text_x = 0;
            moveto(0, s.text_y - 1LL);
            ++i;
        } else {
            s.text_x = 0;
            moveto(0, shown.empty() ? s.text_y : s.text_y - 1LL);
        }
    }
    return result();
}

}  // namespace

// --- The stream ------------------------------------------------------------------------

int open_postscript_stream() {
    PostScriptState& s = ps();
    if (s.fd >= 0) return 0;
    s.write_failed = false;
    s.fd = create_print_file("ps", s.path);
    return s.fd >= 0 ? 0 : -1;
}

int close_postscript_stream() {
    PostScriptState& s = ps();
    if (s.fd < 0) return 0;
    const bool closed = crt_close(s.fd) == 0;
    s.fd = -1;
    if (closed && !s.write_failed && !print_state().job.failed) return 0;
    // a stream cut short, or of a job that failed, would print half a job
    crt_remove(s.path.c_str());
    return -1;
}

std::string postscript_stream_path() { return ps().path; }

// --- Operations --------------------------------------------------------------------------

int postscript_begin_job() {
    PostScriptState& s = ps();
    s.restart_pending = false;
    s.landscape = 1 - print_state().job.orientation != 0;
    s.flip_factor = 1;
    s.font_name = job_font();
    s.font_points = kStartPoints;
    out("%!\n");
    orientation_lines();
    if (s.font_name != nullptr) out(format_text("%s findfont\n", s.font_name));
    out("8 scalefont\n");
    out("setfont\n");
    ps_reset_pitch();
    ps_move_to_units(0, 0);
    ps_move_to(1, 1);
    return result();
}

// After a showpage the page is set up again, its font included, so that no
// font dictionary is left on the operand stack.
int ps_select_font() {
    ps().restart_pending = false;
    orientation_lines();
    set_current_font();
    ps_move_to_units(0, 0);
    ps_move_to(1, 1);
    return result();
}

int ps_resume_page() {
    if (ps().restart_pending) ps_select_font();
    return result();
}

int ps_move_to(int row, int column) {
    ps_resume_page();
    PostScriptState& s = ps();
    const long long y = (static_cast<long long>(row) + 1) * 80;
    const long long x = std::max(static_cast<long long>(column) - 1, 0LL) * 40;
    s.text_x = x_points(x);
    s.text_y = y_points(y);
    moveto(s.text_x - 1LL, s.text_y - 1LL);
    return result();
}

int ps_move_to_units(int y, int x) {
    ps_resume_page();
    moveto(x_points(x), y_points(y));
    return result();
}

int ps_end_vector_mode() {
    ps_resume_page();
    const PostScriptState& s = ps();
    const long long x = s.text_x >= 1 ? s.text_x - 1LL : s.text_x;
    moveto(x, s.landscape ? s.text_y - 1LL : s.text_y);
    return result();
}

// The one-byte sets (char kind 1) keep the face in use; scalefont always
// finds its font on the stack.
int ps_set_font_size(int char_kind, int size, int face) {
    ps_resume_page();
    PostScriptState& s = ps();
    if (char_kind != 1) s.font_name = face == 1 ? kMinchoFont : kGothicFont;
    if (s.font_name == nullptr) s.font_name = job_font();
    s.font_points = size / 3;
    set_current_font();
    return result();
}

int ps_reset_pitch() {
    ps_resume_page();
    ps().pitch = print_state().job.orientation != 0 ? 6 : 5;
    return result();
}

int ps_set_corner_radius(int radius) {
    ps_resume_page();
    ps().round_next_box = true;
    ps().radius = radius;
    return result();
}

int ps_set_dash(int type) {
    ps_resume_page();
    switch (type) {
    case 1: out("[2 2] 0 setdash\n"); break;
    case 2: out("[4 2] 0 setdash\n"); break;
    case 3: out("[4 4 1 4] 0 setdash\n"); break;
    case 4: out("[4 4 1 2 1 4] 0 setdash\n"); break;
    default: out("[] 0 setdash\n"); break;
    }
    return result();
}

int ps_set_line_width(int width) {
    ps_resume_page();
    ps().line_width = width >= 3 ? 0.5 : 0.0;
    return result();
}

int ps_draw_box(int x1, int y1, int x2, int y2) {
    ps_resume_page();
    PostScriptState& s = ps();
    out("newpath\n");
    out(format_text("%f setlinewidth\n", s.line_width));
    const int X1 = x_points(x1), Y1 = y_points(y1), X2 = x_points(x2), Y2 = y_points(y2);
    if (s.round_next_box) {
        const int r = s.radius / 10;
        moveto(x_points(static_cast<long long>(x1) + s.radius), Y1);
        const int corners[4][4] = {{X2, Y1, X2, Y2}, {X2, Y2, X1, Y2}, {X1, Y2, X1, Y1}, {X1, Y1, X2, Y1}};
        for (const auto& c : corners) {
            out(format_text("%d %d %d %d %d arcto\n", c[0], c[1], c[2], c[3], r));
            out("4 {pop} repeat\n");
        }
        out("closepath\n");
        s.round_next_box = false;
    } else {
        moveto(X1, Y1);
        const int points[4][2] = {{X2, Y1}, {X2, Y2}, {X1, Y2}, {X1, Y1}};
        for (const auto& p : points) out(format_text("%d %d lineto\n", p[0], p[1]));
    }
    out("stroke\n");
    return result();
}

int ps_draw_line(int x1, int y1, int x2, int y2) {
    ps_resume_page();
    out("newpath\n");
    out(format_text("%f setlinewidth\n", ps().line_width));
    moveto(x_points(x1), y_points(y1));
    out(format_text("%d %d lineto\n", x_points(x2), y_points(y2)));
    out("stroke\n");
    return result();
}

int ps_set_enlarged(int on) {
    ps_resume_page();
    out(on == 1 ? format_text("%f %f scale\n", 2.0, 1.0) : format_text("%f %f scale\n", 0.5, 1.0));
    return result();
}

int ps_set_scale(double sx, double sy) {
    ps_resume_page();
    out(format_text("%f %f scale\n", sx, sy));
    ps().flip_factor = sx == 0.5 ? 2 : 1;
    return result();
}

// A character size changes the font, never the page's coordinates: the
// face in use is made anew at the percentages of its size.
int ps_set_char_scale(int height_percent, int width_percent) {
    ps_resume_page();
    const PostScriptState& s = ps();
    if (s.font_name == nullptr) return result();
    out(format_text("%s findfont\n", s.font_name));
    out(format_text("[%f 0 0 %f 0 0] makefont\n", s.font_points * width_percent / 100.0,
                    s.font_points * height_percent / 100.0));
    out("setfont\n");
    return result();
}

int ps_write_text(std::string_view text) {
    ps_resume_page();
    if (text.size() == 1 && text[0] == '\x0c') return ps_show_page();
    return show_text(text);
}

int ps_write_line(std::string_view text) { return ps_write_text(text); }

int ps_show_page() {
    ps_resume_page();
    out("showpage\n");
    ps().restart_pending = true;
    return result();
}

int ps_write(std::string_view text) { return ps_write_bytes(text, static_cast<int>(text.size())); }

int ps_write_bytes(std::string_view text, int length) {
    ps_resume_page();
    text = text.substr(0, static_cast<size_t>(std::clamp(length, 0, static_cast<int>(text.size()))));
    if (text.size() == 1 && text[0] == '\x0c') return ps_show_page();
    out(text);
    return result();
}

// The fonts take Shift-JIS, so every byte goes as it is.
std::string ps_hex_text(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(text.size() * 3);
    for (const char c : text) {
        if (!hex.empty()) hex += ' ';
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    return hex;
}
