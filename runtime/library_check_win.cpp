// The end of a failed bounds check of the standard library. Every program and test program that
// holds the program's own code gets this object, so that its checks end the same way.

#include "runtime/library_checks.h"
#include "runtime/program_end.h"

#include <windows.h>

void LibraryCheckFailed() noexcept {
    ExitProcess(kLibraryCheckExitCode);
}
