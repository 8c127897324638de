#pragma once
// Writing text for the command line that started the program.

#include <string>

// The bytes that a file, a pipe or a device gets for a text: in the ANSI code page, or in UTF-8
// after its byte-order mark, as a new survey table begins.
enum class OutputBytes { Ansi, Utf8WithMark };

// Writes `text` to the standard output handle the program was given, as `bytes` says for a
// file, a pipe or a device, or as text for a console (in the ANSI code page on 98 and ME, where
// a console reads nothing else); without one, to the console of the program that started it.
// True only when all of it was written: a text that the ANSI code page cannot carry whole is
// not written to a file, a pipe or a device in it at all.
bool WriteToStandardOutput(const std::wstring& text, OutputBytes bytes = OutputBytes::Ansi);
