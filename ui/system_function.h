#pragma once
// Code of Windows' own that not every Windows has, or that the program loads itself: looked up
// when it is needed, and loaded only from the system folder.

#include <windows.h>

// `name` from a loaded module, or null where the module is null or lacks it.
template <typename Function>
Function FunctionOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// `name` from a system DLL the program has already loaded (kernel32.dll, user32.dll), or null
// where that Windows lacks it.
template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    return FunctionOf<Function>(GetModuleHandleA(module), name);
}

// True on Windows 2000 and every later Windows; false on Windows 98 and ME, where almost every
// wide-text function exists only as a stub that fails.
inline bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }

// A system DLL by file name ("version.dll"), loaded by full path from the system folder, with
// the DLLs it imports searched from there too; null if it cannot be loaded. A download folder,
// a USB stick or a share beside the program, or the current folder, may hold a file of the same
// name: that one is never loaded. The DLL stays loaded for the rest of the run.
HMODULE LoadSystemDll(const char* name) noexcept;

// Takes the program's own folder and the current folder out of the search for DLLs loaded by
// name where Windows can (Windows 8 and later, and Vista/7 with their update), and else the
// current folder (XP SP1 and later). Called first thing at start.
void RestrictDllSearch() noexcept;
