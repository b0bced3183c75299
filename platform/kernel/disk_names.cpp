#include "platform/kernel/disk_names.h"

#include "platform/kernel/codec.h"
#include "platform/kernel/kernel_text.h"

namespace {

// "〓", the mark of a character that cannot be shown.
constexpr char kMarkLead = '\x81';
constexpr char kMarkTrail = '\xAC';
constexpr std::string_view kMarkUtf8 = "\xE3\x80\x93";

bool all_ascii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool holds_mark(std::string_view system) {
    for (size_t i = 0; i < system.size(); i += kernel_text::is_pair_at(system, i) ? 2 : 1)
        if (system[i] == kMarkLead && kernel_text::is_pair_at(system, i) && system[i + 1] == kMarkTrail) return true;
    return false;
}

// The Shift-JIS form of a UTF-8 text when it has one that converts back to
// the same bytes and holds no mark.
bool plain_form(std::string_view disk, std::string& system) {
    std::string back;
    return disk.find(kMarkUtf8) == std::string_view::npos && platform_codec::exact_utf8_to_cp932(disk, system) &&
           platform_codec::exact_cp932_to_utf8(system, back) && back == disk;
}

void escape(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += kMarkLead;
        out += kMarkTrail;
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
}

// The length of the UTF-8 sequence at i as its lead byte and continuation
// bytes make it (0 when they do not); the codec judges the rest.
size_t sequence_length(std::string_view s, size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const size_t n = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

std::string system_name_of(std::string_view disk) {
    if (all_ascii(disk)) return std::string(disk);
    std::string out;
    if (plain_form(disk, out)) return out;
    // character by character: what converts is kept, the rest escaped
    out.clear();
    std::string one;
    for (size_t i = 0; i < disk.size();) {
        const size_t n = sequence_length(disk, i);
        if (n == 0) {
            escape(out, disk.substr(i, 1));
            ++i;
            continue;
        }
        const std::string_view character = disk.substr(i, n);
        if (n == 1) {
            out += character;
        } else if (plain_form(character, one)) {
            out += one;
        } else {
            escape(out, character);
        }
        i += n;
    }
    return out;
}

bool to_disk_name(std::string& name) {
    if (all_ascii(name)) return true;
    std::string disk;
    if (holds_mark(name) || !platform_codec::exact_cp932_to_utf8(name, disk)) return false;
    name.swap(disk);
    return true;
}
