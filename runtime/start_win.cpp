// Where Windows starts the program: what the C runtime's start-up did for it, and no more.

#include "runtime/command_tail.h"
#include "runtime/program_end.h"

#include <windows.h>

// The static constructors, which the linker gathers between this list's two ends: the first
// entry is -1, the last is null. They run last to first, as GCC lays them out.
extern "C" void (*__CTOR_LIST__[])();

namespace {

void RunStaticConstructors() {
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (std::size_t at = count; at >= 1; --at)
        __CTOR_LIST__[at]();
}

int StartShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

} // namespace

void EndProgram(unsigned exitCode) noexcept {
    ExitProcess(exitCode);
}

// The entry point the linker gives a windowed program. Windows calls it with a stack aligned to
// 4 bytes only, so it aligns its own; WinMain's result is the exit code.
extern "C" [[noreturn]] __attribute__((force_align_arg_pointer)) void WinMainCRTStartup() {
    RunStaticConstructors();
    const char* commandLine = GetCommandLineA();
    EndProgram(static_cast<unsigned>(WinMain(
        GetModuleHandleA(nullptr), nullptr,
        const_cast<char*>(CommandTail(commandLine ? commandLine : "")), StartShowCommand())));
}
