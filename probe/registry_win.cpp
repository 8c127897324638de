#include "probe/native_files_win.h"
#include "probe/probe_win.h"
#include "probe/registry_value.h"
#include "ui/ansi_text.h"
#include "ui/win_handles.h"

#include <algorithm>
#include <vector>

std::wstring QueryRegValue(HKEY key, const std::wstring& valueName) {
    const std::string name = ToAnsi(valueName);
    if (name.empty() != valueName.empty()) return {};
    DWORD type = 0;
    DWORD length = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &length) != ERROR_SUCCESS)
        return {};
    if (!IsReadableRegType(type)) return {};

    // The data is read into a buffer of its own size, so a value longer than expected can
    // never be written past the end of anything.
    std::vector<std::uint8_t> data(length, 0);
    DWORD secondType = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &secondType, data.data(), &length) !=
        ERROR_SUCCESS)
        return {};
    data.resize(std::min<std::size_t>(length, data.size()));
    return FromAnsi(RegValueText(type, data));
}

std::wstring GetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName, REGSAM view) {
    // A name the code page cannot carry must not become the empty name of another key or value.
    const std::string ansiSubKey = ToAnsi(subKey);
    if (ansiSubKey.empty() != subKey.empty()) return {};
    UniqueKey key;
    const LONG opened = view ? RegOpenKeyExA(root, ansiSubKey.c_str(), 0, KEY_READ | view, key.put())
                             : RegOpenKeyA(root, ansiSubKey.c_str(), key.put());
    if (opened != ERROR_SUCCESS) return {};
    return QueryRegValue(key.get(), valueName);
}

std::wstring ProDir() {
    // Under WOW64 the folder a native program sees, where a 64-bit ATI control panel installs.
    return GetRegValue(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir",
                       SeesNativeFolders() ? KEY_WOW64_64KEY : 0);
}
