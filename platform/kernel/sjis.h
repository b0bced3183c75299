// The byte classes of Shift-JIS (code page 932): the one lead-byte and
// trail-byte test that the platform, the analysis and the viewers all use.
#pragma once

inline constexpr bool is_sjis_lead_byte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline constexpr bool is_sjis_trail_byte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}
