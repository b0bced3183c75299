#include "common/print/lips.h"

#include <algorithm>
#include <initializer_list>

#include "common/analysis/text_utils.h"
#include "common/print/print_state.h"
#include "common/text/message_table.h"
#include "platform/gdi/port.h"
#include "platform/kernel/sjis_text.h"

namespace {


constexpr auto& kPrintOperation = "印刷"_sjis;

constexpr auto& kCannotOpenPort = "プリンタデバイスをオープンできません。"_sjis;
constexpr char kPortName[] = "LPT1";

// The font sets by number. Columns of the table are the 24-, 32- and
// 40-dot sizes, eight sets each: Mincho roman, katakana, kanji, ruled
// lines, Gothic roman, katakana, kanji, and the ruled lines again.
constexpr const char* kFontSets[24] = {
    "A1224M.ROMA", "A1224M.KATA", "K24M.J83", "A1224M.N_hKEI",  // 0-3
    "ALP15.ROMA",  "ALP15.KATA",  "K24G.J83", "A1224M.N_hKEI",  // 4-7
    "A1632M.ROMA", "A1632M.KATA", "K32M.J83", "A1632M.N_hKEI",  // 8-11
    "ALP1125.ROMA", "ALP1125.KATA", "K32G.J83", "A1632M.N_hKEI",  // 12-15
    "A2040M.ROMA", "A2040M.KATA", "K40M.J83", "A2040M.N_hKEI",  // 16-19
    "A2040G.ROMA", "A2040G.KATA", "K40G.J83", "A2040M.N_hKEI",  // 20-23
};

// The order in which all sets are designated: ruled lines first in each size.
constexpr int kDesignationOrder[24] = {3,  7,  0,  1,  2,  4,  5,  6,  11, 15, 8,  9,
                                       10, 12, 13, 14, 19, 23, 16, 17, 18, 20, 21, 22};

// The one-byte font names by size: ruled lines, then katakana and roman of
// Mincho and of Gothic (the 40-dot Gothic takes the Mincho pair).
struct OneByteFonts {
    int size;
    const char* ruled;
    const char* mincho_kana;
    const char* mincho_roman;
    const char* gothic_kana;
    const char* gothic_roman;
    const char* mincho_kanji;
    const char* gothic_kanji;
};
constexpr OneByteFonts kFontsBySize[] = {
    {24, "A1224M.N_hKEI", "A1224M.KATA", "A1224M.ROMA", "ALP15.KATA", "ALP15.ROMA", "K24M.J83", "K24G.J83"},
    {32, "A1632M.N_hKEI", "A1632M.KATA", "A1632M.ROMA", "ALP1125.KATA", "ALP1125.ROMA", "K32M.J83", "K32G.J83"},
    {40, "A2040M.N_hKEI", "A2040M.KATA", "A2040M.ROMA", "A2040M.KATA", "A2040M.ROMA", "K40M.J83", "K40M.J83"},
};

// Slot numbers by size: roman, katakana and ruled lines of Mincho and of
// Gothic, and the kanji set of each.
struct SlotsBySize {
    int size;
    int mincho[3];
    int gothic[3];
    int mincho_kanji, gothic_kanji;
};
constexpr SlotsBySize kSlotsBySize[] = {
    {24, {0, 1, 3}, {4, 5, 3}, 2, 6},
    {32, {8, 9, 11}, {12, 13, 11}, 10, 14},
    {40, {16, 17, 19}, {20, 21, 19}, 18, 22},
};

constexpr size_t kRunBytes = 516;
constexpr int kRuledLineHeight = 80, kRuledLineWidth = 47;
constexpr long long kVectorLimit = 65535;

// The assignments of slots 1-4 as the job start leaves them.
constexpr char kStartAssignments[] = "\033[0;1%v\033[1;2%v\033[2;3%v\033[2;4%v";
constexpr char kTwoByteMode[] = "\033%0";
constexpr char kOneByteMode[] = "\033%@";

int send_all(std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        if (const int r = lips_send(piece)) return r;
    }
    return 0;
}

const OneByteFonts* fonts_of_size(int size) {
    for (const OneByteFonts& f : kFontsBySize) {
        if (f.size == size) return &f;
    }
    return nullptr;
}

const SlotsBySize* slots_of_size(int size) {
    for (const SlotsBySize& s : kSlotsBySize) {
        if (s.size == size) return &s;
    }
    return nullptr;
}

std::string_view page_format(int orientation) {
    switch (orientation) {
    case 0: return "\033[15p";
    case 1: return "\033[14p";
    default: return "\033[25p";
    }
}

// The four character sets (G0 roman, G1, SO and SI) at one pitch each pair.
int send_pitches(int height, int full, int half) {
    const std::string p_full = lips_pitch(height, full), p_half = lips_pitch(height, half);
    return send_all({"\033o", p_full, "\033n", p_full, "\016", p_half, "\017", p_half});
}

int ruled_line_mode(bool on) {
    const std::string pitch = lips_pitch(kRuledLineHeight, kRuledLineWidth);
    return send_all({on ? "\033[3;2%v" : "\033[1;2%v", "\016", pitch, "\017"});
}

// The bytes of a text line collected between mode sequences.
class Run {
public:
    int add(std::string_view bytes) {
        if (run_.size() + bytes.size() > kRunBytes) {
            if (const int r = flush()) return r;
        }
        run_.append(bytes);
        return 0;
    }
    int flush() {
        if (run_.empty()) return 0;
        const int r = lips_send(run_);
        run_.clear();
        return r;
    }

private:
    std::string run_;
};

}  // namespace

// --- Port ------------------------------------------------------------------------------

int port_open(const char* name, int /*mode*/, int /*share*/) { return open_printer_port(name); }

int port_write(int handle, const void* data, int length) { return write_printer_port(handle, data, length); }

int port_close(int handle) { return close_printer_port(handle); }

// --- Encodings -------------------------------------------------------------------------

std::string lips_vector_number(long long n) {
    long long v = std::min(n < 0 ? -n : n, kVectorLimit);
    const int sign = n >= 0 ? 0x10 : 0;
    std::string out;
    const bool large = v >= 16;
    if (v >= 1024) {
        out += static_cast<char>((v >> 10) + 0x40);
        v &= 0x3FF;
    }
    if (large) {
        out += static_cast<char>(((v >> 4) & 0x3F) + 0x40);
        v &= 0xF;
    }
    out += static_cast<char>((v & 0xF) + sign + 0x20);
    return out;
}

std::string lips_pitch(int height, int width) { return format_text("\033[%02d;%02d G", height, width); }

const char* lips_font_name(int set) { return set >= 0 && set < 24 ? kFontSets[set] : nullptr; }

void jis_to_sjis(unsigned char row, unsigned char cell, unsigned char& lead, unsigned char& trail) {
    const int r = row & 0x7F, c = cell & 0x7F;
    int l = ((r - 0x21) >> 1) + 0x81;
    if (l > 0x9F) l += 0x40;
    int t;
    if (r & 1) {
        t = c + 0x1F;
        if (c >= 0x60) ++t;
    } else {
        t = c + 0x7E;
    }
    lead = static_cast<unsigned char>(l);
    trail = static_cast<unsigned char>(t);
}

std::string euc_to_sjis_text(std::string_view euc) {
    std::string out;
    for (size_t i = 0; i < euc.size(); ++i) {
        const auto b = static_cast<unsigned char>(euc[i]);
        if (b >= 0xA1 && b <= 0xFE && i + 1 < euc.size()) {
            unsigned char lead, trail;
            jis_to_sjis(b, static_cast<unsigned char>(euc[i + 1]), lead, trail);
            out += static_cast<char>(lead);
            out += static_cast<char>(trail);
            ++i;
        } else if (b == 0x8E) {
            if (i + 1 < euc.size()) out += euc[++i];
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

// --- Sending ---------------------------------------------------------------------------

int lips_write_raw(const void* data, int length) {
    PrintJobState& job = print_state().job;
    if (length > 0 && port_write(job.port, data, length) != length) {
        job.failed = true;
        return -1;
    }
    pump_one_message();
    return print_abort_flag() ? -1 : 0;
}

int lips_send(std::string_view bytes) { return lips_write_raw(bytes.data(), static_cast<int>(bytes.size())); }

int lips_begin_job() {
    PrintJobState& job = print_state().job;
    if (job.port == 0) {
        job.port = port_open(kPortName, 0, 0);
        if (job.port <= 0) {
            job.port = 0;
            notify_print_failure(make_box_caption(kPrintOperation), kCannotOpenPort);
            return -1;
        }
    }
    const bool overlay = job.overlay == 3;
    if (const int r = send_all({overlay ? "\033<" : "\033c", page_format(job.orientation), "\033[?2h", "\033[?1l"}))
        return r;
    for (const int set : {2, 3, 1, 0}) {
        if (const int r = lips_send_designation(set, kFontSets[set])) return r;
    }
    if (const int r = send_all({kStartAssignments})) return r;
    if (const int r = send_pitches(80, 80, 40)) return r;
    if (const int r = send_all({kTwoByteMode, "\033[2&z"})) return r;
    if (overlay) {
        if (const int r = lips_send_mode_sequence(3)) return r;
    }
    if (const int r = lips_begin_vector_mode()) return r;
    return lips_end_vector_mode();
}

int lips_reset_printer() {
    const int orientation = print_state().job.orientation;
    if (const int r = send_all({"\033c", page_format(orientation), "\033[?2h"})) return r;
    // the 24-dot sets in landscape, the 32-dot sets otherwise
    const int base = orientation == 0 ? 0 : 8;
    const int gothic = orientation == 0 ? 4 : 12;
    const int sets[6][2] = {{base + 1, 5}, {base, 4}, {base + 2, 2}, {base + 3, 3}, {gothic + 1, 1}, {gothic, 0}};
    for (const auto& [font, set] : sets) {
        if (const int r = lips_send_designation(set, kFontSets[font])) return r;
    }
    if (const int r = send_all({kStartAssignments})) return r;
    if (const int r = lips_reset_char_pitch()) return r;
    return lips_send(kTwoByteMode);
}

int lips_end_job() {
    PrintJobState& job = print_state().job;
    if (job.port == 0) return 0;
    const int reset = job.kind == 0 ? lips_send("\033c") : 0;
    const int closed = port_close(job.port);
    job.port = 0;
    return reset != 0 ? reset : closed;
}

int lips_send_mode_sequence(int type) {
    switch (type) {
    case 1: return lips_send("\033[1;0;1&s");
    case 2: return lips_send("\033[0;0;1&s");
    case 3: return lips_send("\033[1;0&w");
    case 4: return lips_send("\033[0;0&w");
    default: return 0;
    }
}

int lips_begin_vector_mode() {
    return send_all({"\033[&}", "#\036", "!0!1\036", "$\036", "E10\036", "F1!\036", "}G0\036"});
}

int lips_end_vector_mode() { return lips_send("}p\036"); }

int lips_select_font_slots(int char_kind, int dot_size, int face) {
    const SlotsBySize* slots = slots_of_size(dot_size);
    if (slots == nullptr) return 0;
    PrintJobState& job = print_state().job;
    const bool mincho = face == 1;
    if (char_kind == 1) {
        const int* s = mincho ? slots->mincho : slots->gothic;
        job.roman_slot = s[0];
        job.kana_slot = s[1];
        job.ruled_slot = s[2];
    } else {
        job.kanji_slot = mincho ? slots->mincho_kanji : slots->gothic_kanji;
    }
    return lips_send_assignments(job.roman_slot, job.kana_slot, job.kanji_slot, job.kanji_slot);
}

int lips_designate_fonts(int char_kind, int dot_size, int face) {
    const OneByteFonts* fonts = fonts_of_size(dot_size);
    if (fonts == nullptr) return 0;
    const bool mincho = face == 1;
    if (char_kind != 1) return lips_send_designation(2, mincho ? fonts->mincho_kanji : fonts->gothic_kanji);
    if (const int r = lips_send_designation(3, fonts->ruled)) return r;
    if (const int r = lips_send_designation(1, mincho ? fonts->mincho_kana : fonts->gothic_kana)) return r;
    return lips_send_designation(0, mincho ? fonts->mincho_roman : fonts->gothic_roman);
}

int lips_designate_all_fonts() {
    for (const int set : kDesignationOrder) {
        if (const int r = lips_send_designation(set, kFontSets[set])) return r;
    }
    return 0;
}

int lips_send_designation(int set, std::string_view name) {
    return send_all({"\033Pz", name, "\033\\", format_text("\033[%d D", set)});
}

int lips_send_assignment(int slot, int set) { return lips_send(format_text("\033[%d;%d%%v", set, slot + 1)); }

int lips_send_assignments(int s1, int s2, int s3, int s4) {
    return send_all({format_text("\033[%d;1%%v", s1), format_text("\033[%d;2%%v", s2),
                     format_text("\033[%d;3%%v", s3), format_text("\033[%d;4%%v", s4)});
}

int lips_set_char_size(int height_percent, int width_percent) {
    const std::string size = format_text("\033[%d;%d B", height_percent, width_percent);
    return send_all({"\033o", size, "\033n", size, "\016", size, "\017", size});
}

int lips_set_char_pitch(int cell_height, int half_width, int full_width) {
    return send_pitches(cell_height, full_width, half_width);
}

int lips_set_unit_mode() { return lips_send("\033[11h"); }

int lips_reset_unit_mode() { return lips_send("\033[11l"); }

int lips_move_to(int row, int column) { return lips_send(format_text("\033[%d;%df", row, column)); }

int lips_set_corner_radius(int radius) { return send_all({"}J", lips_vector_number(radius), "\036"}); }

int lips_set_line_type(int type) {
    const char code = static_cast<char>(type <= 4 ? (type | 0x30) : ((type - 4) | 0x20));
    return send_all({"E1", std::string_view(&code, 1), "\036"});
}

int lips_set_line_width(int width) {
    const int code = width >= 7 ? 4 : width >= 5 ? 3 : width >= 3 ? 2 : 1;
    const char weight = static_cast<char>(code | 0x20);
    return send_all({"F1", std::string_view(&weight, 1), "\036"});
}

int lips_send_vector_g(int n) {
    const char code = static_cast<char>(n | 0x30);
    return send_all({"}G", std::string_view(&code, 1), "\036"});
}

int lips_draw_round_box(int x1, int y1, int x2, int y2) {
    return send_all({"}:", lips_vector_number(x1), lips_vector_number(x2), lips_vector_number(y1),
                     lips_vector_number(y2), "\036"});
}

// A polyline from the corner (x1, y1) round the box by relative steps.
int lips_draw_box(int x1, int y1, int x2, int y2) {
    const long long w = static_cast<long long>(x2) - x1, h = static_cast<long long>(y2) - y1;
    const std::string zero = lips_vector_number(0);
    return send_all({"1", lips_vector_number(x1), lips_vector_number(y1), lips_vector_number(w), zero, zero,
                     lips_vector_number(h), lips_vector_number(-w), zero, zero, lips_vector_number(-h), "\036"});
}

int lips_draw_line(int x1, int y1, int x2, int y2) {
    return send_all({"1", lips_vector_number(x1), lips_vector_number(y1),
                     lips_vector_number(static_cast<long long>(x2) - x1),
                     lips_vector_number(static_cast<long long>(y2) - y1), "\036"});
}

int lips_encode_vector_number(long long n) { return lips_send(lips_vector_number(n)); }

int lips_set_enlarged_text(int on) {
    const std::string_view size = on == 1 ? "\033[100;200 B" : "\033[ B";
    return send_all({"\033o", size, "\033n", size, "\016", size, "\017", size});
}

int lips_reset_char_pitch() {
    if (const int r = send_all({"\033[0;1%v", "\033[1;2%v"})) return r;
    if (print_state().job.orientation != 0) return send_pitches(96, 120, 60);
    return send_pitches(80, 100, 50);
}

int lips_text_line(std::string_view text) {
    Run run;
    bool ruled = false, one_byte = false;
    // A mode sequence goes out after the bytes collected before it.
    auto mode = [&](std::string_view sequence) {
        if (const int r = run.flush()) return r;
        return lips_send(sequence);
    };
    auto ruled_mode = [&](bool on) {
        if (const int r = run.flush()) return r;
        ruled = on;
        return ruled_line_mode(on);
    };
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(text[i]);
        int r = 0;
        if (is_lead_byte(b) && i + 1 < n) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (b == 0x86 && trail >= 0x40 && trail <= 0x9E) {
                // a half-width PC98 ruled-line piece: one byte of set 3
                const int k = trail <= 0x7E ? trail - 0x1F : trail - 0x20;
                if (!ruled) r = ruled_mode(true);
                if (r == 0 && !one_byte) {
                    r = mode(kOneByteMode);
                    one_byte = true;
                }
                const char piece = static_cast<char>(k + 0x80);
                if (r == 0) r = run.add(std::string_view(&piece, 1));
            } else {
                if (one_byte) {
                    r = mode(kTwoByteMode);
                    one_byte = false;
                }
                if (r == 0) r = run.add(text.substr(i, 2));
            }
            i += 2;
        } else {
            // a lead byte without its trail goes as the single byte it is
            if (b >= 0x80 && ruled) r = ruled_mode(false);
            if (r == 0) r = run.add(text.substr(i, 1));
            ++i;
        }
        if (r != 0) return r;
    }
    if (const int r = run.flush()) return r;
    if (one_byte) {
        if (const int r = lips_send(kTwoByteMode)) return r;
    }
    if (ruled) return ruled_line_mode(false);
    return 0;
}
