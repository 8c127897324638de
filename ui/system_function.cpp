#include "ui/system_function.h"

#include "ui/win_handles.h"

#include <cstring>

HMODULE LoadSystemDll(const char* name) noexcept {
    // The ANSI form takes no path longer than MAX_PATH, so a longer one is not even tried.
    char path[MAX_PATH];
    const std::size_t folderCount = GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t nameCount = std::strlen(name);
    if (folderCount == 0 || folderCount + 1 + nameCount >= MAX_PATH) return nullptr;
    path[folderCount] = '\\';
    std::memcpy(path + folderCount + 1, name, nameCount + 1);
    const QuietErrorMode quiet;
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearch() noexcept {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using SetDllDirectoryAFunction = BOOL(WINAPI*)(LPCSTR);
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    const auto setDefault =
        SystemFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
    if (setDefault && setDefault(kSearchSystem32)) return;
    if (const auto setDirectory = SystemFunction<SetDllDirectoryAFunction>("kernel32.dll", "SetDllDirectoryA"))
        setDirectory("");
}
