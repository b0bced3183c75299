// WIN.INI in the platform state directory, read and written with the
// profile calls of Windows.
#pragma once

#include "platform/types.h"

// WIN.INI as it is written when the state directory has none: the default
// printer is the print manager's PDF printer. Lines end in CR LF.
inline constexpr const char kDefaultWinIni[] =
    "[windows]\r\n"
    "device=PDF Printer,pdfdriver,LPT1:\r\n"
    "\r\n"
    "[devices]\r\n"
    "PDF Printer=pdfdriver,LPT1:\r\n";

// The value of `key` in `section` (both matched without regard to case), with
// the blanks around it removed, or `default_value` (null: "", its trailing
// blanks removed) when there is none. At most size - 1 bytes are copied, never
// half a double-byte character, and a zero follows; the result is the number
// of bytes copied. A null section lists the section names, a null key the
// keys of the section: each name ends in a zero and one more zero ends the
// list; the result counts all but that last zero (size - 2 when the list was
// cut). A missing WIN.INI is first written with kDefaultWinIni.
DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR default_value, LPSTR buffer, DWORD size);

// Sets `key` = `value` in `section`, adding the section or the key at its end
// when missing. A null value removes the key, a null key the whole section.
// FALSE when the section is null or the file cannot be written.
BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);
