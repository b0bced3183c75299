// Scrambled lines of the generated files (.lin, .fss, .lis, .fms, .pds, .trd).
// A stored line is a key byte (1..9) followed by the line's bytes passed
// through a fixed substitution table; LF, CR and 0x1A are stored as they are,
// so line structure survives. Readers also accept plain lines (first byte
// 10 or above) and hand them back unchanged.
#pragma once

#include <string>
#include <string_view>

constexpr int kScrambleSeed = 7316;

// Builds the decoding table and, unless decode_only is set, the encoding
// table. Not needed before use: the tables are built on first use with
// kScrambleSeed, and rebuilding with that seed gives the same tables.
void build_scramble_table(int decode_only, int seed);

// Forgets the tables so that the next use builds them again (tests).
void reset_scramble_tables();

// stored = key byte (1..9) + encoded bytes; out is replaced.
void scramble_line(std::string_view plain, std::string& out, int line_number);
void unscramble_line(std::string_view stored, std::string& out, int line_number);
// The first bytes of the plain line (at most n) into out; their count.
size_t unscramble_prefix(std::string_view stored, char* out, size_t n);
