#!/usr/bin/env python3
"""Writes platform/kernel/sjis_table.h: every character of code page 932 that
takes two bytes, from its Unicode code point to its bytes, as the system's
iconv converts it (the codec the platform uses at run time), sorted by code
point for the compile-time look-up of sjis_text.h. A few characters that
other converters give another code point (the wave dash among them) are
listed under both. Run from the repository's top folder."""
import subprocess

ALSO = {0x301C: 0x8160, 0x2016: 0x8161, 0x2212: 0x817C, 0x00A2: 0x8191,
        0x00A3: 0x8192, 0x00AC: 0x81CA, 0x2014: 0x815C}


def main():
    leads = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
    trails = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))
    chars = set()
    for lead in leads:
        for trail in trails:
            try:
                chars.add(bytes([lead, trail]).decode('cp932'))
            except UnicodeDecodeError:
                pass
    ordered = sorted(chars)
    encoded = subprocess.run(['iconv', '-f', 'UTF-8', '-t', 'CP932'],
                             input='\n'.join(ordered).encode() + b'\n',
                             capture_output=True, check=True).stdout.split(b'\n')
    table = {ord(c): int.from_bytes(b, 'big') for c, b in zip(ordered, encoded) if len(b) == 2}
    for code, sjis in ALSO.items():
        table.setdefault(code, sjis)
    rows = sorted(table.items())
    with open('platform/kernel/sjis_table.h', 'w') as out:
        out.write('// Made by tools/sjis_table.py: the two-byte characters of code page 932,\n'
                  '// Unicode code point to Shift-JIS bytes, sorted by code point.\n'
                  '#pragma once\n\n#include <cstdint>\n\n'
                  'struct SjisTableRow {\n    uint32_t code_point;\n    uint16_t bytes;\n};\n\n'
                  f'inline constexpr SjisTableRow kSjisTable[{len(rows)}] = {{\n')
        for i in range(0, len(rows), 6):
            out.write('   ' + ''.join(f' {{0x{c:04X}, 0x{b:04X}}},' for c, b in rows[i:i + 6]) + '\n')
        out.write('};\n')


if __name__ == '__main__':
    main()
