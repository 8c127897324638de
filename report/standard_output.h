#pragma once
// Writing text for the command line that started the program.

#include <string>

// Writes `text` to the standard output handle the program was given, as ANSI bytes for a file,
// a pipe or a device, or as text for a console; without one, to the console of the program
// that started it. True only when all of it was written: a text that the ANSI code page cannot
// carry whole is not written to a file, a pipe or a device at all.
bool WriteToStandardOutput(const std::wstring& text);
