#include "settings/settings_path.h"

std::wstring FolderOfPath(std::wstring_view path) {
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    const bool driveRoot = slash == 2 && path[1] == L':';
    return std::wstring(path.substr(0, driveRoot ? slash + 1 : slash));
}

std::wstring SettingsPath(std::wstring_view folder, std::wstring_view fileName) {
    std::wstring path(folder);
    path += L'\\';
    path += fileName;
    return path;
}
