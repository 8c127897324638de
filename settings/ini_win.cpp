#include "settings/ini.h"
#include "settings/settings_path.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kValueBufferCount = 256;
constexpr DWORD kValueDeclaredCount = 255; // so a value comes back with at most 254 characters

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD count = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (count == 0) return {};
        if (count < path.size()) {
            path.resize(count);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

} // namespace

std::wstring ProgramFolderPath(const std::wstring& fileName) {
    return SettingsPath(FolderOfPath(ModuleFileName()), fileName);
}

std::wstring ReadProfileValue(const std::wstring& path, const std::wstring& section,
                              const std::wstring& key, const std::wstring& defaultValue) {
    wchar_t value[kValueBufferCount] = {};
    const DWORD count = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                 value, kValueDeclaredCount, path.c_str());
    return std::wstring(value, std::min<DWORD>(count, kValueDeclaredCount - 1));
}

std::wstring ReadINI(const std::wstring& fileName, const std::wstring& section,
                     const std::wstring& key, const std::wstring& defaultValue) {
    return ReadProfileValue(ProgramFolderPath(fileName), section, key, defaultValue);
}
