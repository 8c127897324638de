#pragma once
// What the program must leave as it found it: the registry's keys and values and the files of
// folders, taken before and after a run and compared.

#include "test_support.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The key at `path` below `root` and every key below it with its values, by path. `view`
// (KEY_WOW64_64KEY or KEY_WOW64_32KEY) picks a registry view under WOW64. Keys that Wine writes
// for every process are left out.
using RegistryTree = std::map<std::wstring, std::vector<RegistryValue>>;
RegistryTree RegistrySnapshot(HKEY root, const std::wstring& path = L"", REGSAM view = 0);

// Every file and folder below `folder` by path, with its size, time written and attributes.
struct FileEntry {
    ULONGLONG size;
    FILETIME written;
    DWORD attributes;
    bool operator==(const FileEntry& other) const {
        return size == other.size && CompareFileTime(&written, &other.written) == 0 && attributes == other.attributes;
    }
};
using FileListing = std::map<std::wstring, FileEntry>;
void AddFiles(const std::wstring& folder, FileListing& listing);

// Names every difference, so a failure says what was written.
template <typename Map>
std::string Differences(const Map& before, const Map& after) {
    std::wstring differences;
    for (const auto& [name, value] : before) {
        auto found = after.find(name);
        if (found == after.end()) differences += L"removed: " + name + L"\n";
        else if (!(found->second == value)) differences += L"changed: " + name + L"\n";
    }
    for (const auto& [name, value] : after)
        if (!before.count(name)) differences += L"added: " + name + L"\n";
    return std::string(differences.begin(), differences.end());
}
