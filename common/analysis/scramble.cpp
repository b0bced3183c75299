#include "common/analysis/scramble.h"

#include <algorithm>
#include <array>

namespace {

struct ScrambleTables {
    std::array<unsigned char, 256> decode{};  // scrambled byte -> plain byte
    std::array<unsigned char, 256> encode{};  // plain byte -> scrambled byte
    bool decode_built = false;
    bool encode_built = false;
    int seed = 0;  // of the decoding table
};

ScrambleTables g_tables;

// Line ends and the old end-of-file mark keep their values so that a
// scrambled file still splits into the same lines.
bool is_kept_byte(unsigned char b) { return b == 10 || b == 13 || b == 26; }

void ensure_tables(bool need_encode) {
    if (!g_tables.decode_built || (need_encode && !g_tables.encode_built)) {
        build_scramble_table(0, kScrambleSeed);
    }
}

unsigned char key_byte(int line_number) {
    // & 255 is the mathematical mod 256 even for a negative number.
    return static_cast<unsigned char>(g_tables.decode[static_cast<unsigned>(line_number) & 255u] % 9 + 1);
}

}  // namespace

void build_scramble_table(int decode_only, int seed) {
    auto& d = g_tables.decode;
    d.fill(0);
    for (int b : {10, 13, 26}) d[b] = static_cast<unsigned char>(b);

    // The multiplier comes from the seed's low byte (complemented) and its
    // upper bits; arithmetic shift as on a signed 32-bit value.
    int m = (~seed & 255) | (seed >> 8);
    if (m <= 0) m = 13 - m;

    for (int v = 1; v < 256; ++v) {
        if (is_kept_byte(static_cast<unsigned char>(v))) continue;
        unsigned slot = (static_cast<unsigned>(m) * static_cast<unsigned>(v)) & 255u;
        while (d[slot] != 0) slot = (slot + 1) & 255u;
        d[slot] = static_cast<unsigned char>(v);
    }
    g_tables.decode_built = true;
    // An encoding table left from another seed would no longer invert the
    // decoding table.
    if (seed != g_tables.seed) g_tables.encode_built = false;
    g_tables.seed = seed;

    if (!decode_only) {
        for (int j = 0; j < 256; ++j) g_tables.encode[d[j]] = static_cast<unsigned char>(j);
        g_tables.encode_built = true;
    }
}

void reset_scramble_tables() { g_tables = ScrambleTables{}; }

void scramble_line(std::string_view plain, std::string& out, int line_number) {
    ensure_tables(true);
    out.resize(plain.size() + 1);
    out[0] = static_cast<char>(key_byte(line_number));
    // Every byte is mapped, the last one too: a text without a newline must
    // come back unchanged. With the fixed seed only the byte 0 encodes to 0.
    char* to = out.data() + 1;
    for (size_t i = 0; i < plain.size(); ++i) {
        auto b = static_cast<unsigned char>(plain[i]);
        to[i] = static_cast<char>(is_kept_byte(b) ? b : g_tables.encode[b]);
    }
}

void unscramble_line(std::string_view stored, std::string& out, int line_number) {
    (void)line_number;  // the key byte only marks the line; decoding does not depend on it
    ensure_tables(false);
    if (stored.empty() || static_cast<unsigned char>(stored[0]) >= 10) {
        out.assign(stored);  // a plain line
        return;
    }
    out.resize(stored.size() - 1);
    char* to = out.data();
    for (size_t i = 1; i < stored.size(); ++i) {
        auto b = static_cast<unsigned char>(stored[i]);
        *to++ = static_cast<char>(is_kept_byte(b) ? b : g_tables.decode[b]);
    }
}

size_t unscramble_prefix(std::string_view stored, char* out, size_t n) {
    ensure_tables(false);
    const bool plain = stored.empty() || static_cast<unsigned char>(stored[0]) >= 10;
    const std::string_view bytes = plain ? stored : stored.substr(1);
    const size_t count = std::min(n, bytes.size());
    for (size_t i = 0; i < count; ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = static_cast<char>(plain || is_kept_byte(b) ? b : g_tables.decode[b]);
    }
    return count;
}
