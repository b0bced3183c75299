// Printer ports. A raw byte stream for a port (the LIPS printer language on
// "LPT1") goes to a file of that name in the platform state directory,
// PLATFORM_HOME/LPT1; every opening appends, as a printer receives job after
// job. Names are matched without regard to case and may end in ":".
#pragma once

#include <string>

// Opens the port: a handle > 0, or -1 for an unknown port name or a file
// that cannot be opened. Accepted names: LPT1-LPT3, COM1-COM4, PRN.
int open_printer_port(const char* name);
// Writes the bytes; returns the number written (length on success, fewer
// when the port stalls, -1 for a bad handle or a write error).
int write_printer_port(int handle, const void* data, int length);
// Closes the port: 0, or -1 for a bad handle or a failed close.
int close_printer_port(int handle);
// The file behind a port name ("" for an unknown name).
std::string printer_port_path(const char* name);

// Test hook: the ports take only `bytes` more bytes in all, then every write
// comes back short (a printer that stopped taking data); a negative value
// lifts the limit.
void set_printer_port_write_limit(long bytes);
// Ports open now.
int open_printer_port_count();
