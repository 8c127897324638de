#pragma once
// How the program ends when it cannot go on: at once, before another byte is written anywhere.
// Every result the program writes (a report, a table row) is made whole before its one write,
// so a run that ends here has written all of it or none of it.

// Out of memory: the same code as a table row or report that was not written.
inline constexpr unsigned kOutOfMemoryExitCode = 1;
// A check of the standard library failed (an index out of range, a length past what a string
// or vector can hold): a fault of the program's own, which never reads or writes past a buffer.
inline constexpr unsigned kLibraryCheckExitCode = 4;

[[noreturn]] void EndProgram(unsigned exitCode) noexcept;
