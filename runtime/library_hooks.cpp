// What the standard library's headers call where they would throw. The program is compiled
// without exceptions, so each of these ends the program instead: a
// request for more memory than there is ends it as out of memory, every other failed check (an
// index out of range, a length past what a string or vector holds, a call through an empty
// std::function) as a fault of the program's own.

#include "runtime/program_end.h"

#include <bits/functexcept.h>

namespace std {

void __throw_bad_alloc() {
    EndProgram(kOutOfMemoryExitCode);
}
void __throw_bad_array_new_length() {
    EndProgram(kOutOfMemoryExitCode);
}
void __throw_length_error(const char*) {
    EndProgram(kLibraryCheckExitCode);
}
void __throw_logic_error(const char*) {
    EndProgram(kLibraryCheckExitCode);
}
void __throw_out_of_range(const char*) {
    EndProgram(kLibraryCheckExitCode);
}
void __throw_out_of_range_fmt(const char*, ...) {
    EndProgram(kLibraryCheckExitCode);
}
void __throw_bad_function_call() {
    EndProgram(kLibraryCheckExitCode);
}

} // namespace std

// A pure virtual function called during construction or destruction.
extern "C" void __cxa_pure_virtual() {
    EndProgram(kLibraryCheckExitCode);
}

// Functions registered to run at the program's end (the destructors of function-local statics)
// are not kept: the program leaves through ExitProcess, and all they would free is memory and
// handles that Windows takes back with the process.
extern "C" int atexit(void (*)()) {
    return 0;
}
