#pragma once
// The arguments on a command line, as WinMain is handed them: what follows the program's name.

#include <type_traits>

// Skips the program's name as Windows reads it: up to the closing double quote when it begins
// with one (a path with blanks), else up to the first blank; then the blanks after it. For the
// ANSI command line or the wide one; characters are compared unsigned, so no byte of a
// double-byte character is taken for a blank.
template <typename Char>
constexpr const Char* CommandTail(const Char* commandLine) {
    const auto at = [&] { return static_cast<std::make_unsigned_t<Char>>(*commandLine); };
    if (at() == '"') {
        do
            ++commandLine;
        while (at() != 0 && at() != '"');
        if (at() == '"') ++commandLine;
    } else {
        while (at() > ' ')
            ++commandLine;
    }
    while (at() != 0 && at() <= ' ')
        ++commandLine;
    return commandLine;
}
