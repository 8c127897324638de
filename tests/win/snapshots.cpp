#include "snapshots.h"

namespace {

// Keys that Wine writes, not the program: the display driver fills in volatile keys for every
// process that starts.
bool WrittenByWine(const std::wstring& path) {
    for (const wchar_t* prefix : {L"System\\CurrentControlSet\\Control\\Video\\",
                                  L"Software\\Wine\\Temporary System Parameters"})
        if (path.rfind(prefix, 0) == 0) return true;
    return false;
}

void AddTree(HKEY root, REGSAM view, const std::wstring& path, RegistryTree& tree) {
    if (WrittenByWine(path)) return;
    tree[path] = RegistryValues(root, path, view);
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
    std::vector<std::wstring> children;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD count = 256;
        if (RegEnumKeyExW(key, index, name, &count, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, count);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children) AddTree(root, view, path.empty() ? child : path + L"\\" + child, tree);
}

} // namespace

RegistryTree RegistrySnapshot(HKEY root, const std::wstring& path, REGSAM view) {
    RegistryTree tree;
    AddTree(root, view, path, tree);
    return tree;
}

void AddFiles(const std::wstring& folder, FileListing& listing) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        const ULONGLONG size = (static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        listing[path] = {size, entry.ftLastWriteTime, entry.dwFileAttributes};
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AddFiles(path, listing);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}
