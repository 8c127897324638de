#pragma once
// Functions that not every Windows the program runs on has, looked up when they are needed.

#include <windows.h>

// `name` from a system DLL the program has already loaded (kernel32.dll, user32.dll), or null
// where that Windows lacks it.
template <typename Function>
Function SystemFunction(const char* module, const char* name) {
    HMODULE loaded = GetModuleHandleA(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name))) : nullptr;
}

// True on Windows 2000 and every later Windows; false on Windows 98 and ME, where almost every
// wide-text function exists only as a stub that fails.
inline bool IsWindowsNT() { return (GetVersion() & 0x80000000u) == 0; }
