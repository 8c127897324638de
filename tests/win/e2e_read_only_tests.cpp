// The program only reads: after a run with every window and command used, the registry and
// the folders it looks at are exactly as before.

#include "about/about_layout.h"
#include "app/main_layout.h"
#include "program_run.h"
#include "real_input.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using RegistryTree = std::map<std::wstring, std::vector<RegistryValue>>;

// Keys that Wine writes, not the program: the display driver fills in volatile keys for every
// process that starts.
bool WrittenByWine(const std::wstring& path) {
    for (const wchar_t* prefix : {L"System\\CurrentControlSet\\Control\\Video\\",
                                  L"Software\\Wine\\Temporary System Parameters"})
        if (path.rfind(prefix, 0) == 0) return true;
    return false;
}

void AddTree(HKEY root, const std::wstring& path, RegistryTree& tree) {
    if (WrittenByWine(path)) return;
    tree[path] = RegistryValues(root, path);
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::vector<std::wstring> children;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD count = 256;
        if (RegEnumKeyExW(key, index, name, &count, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        children.emplace_back(name, count);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children) AddTree(root, path.empty() ? child : path + L"\\" + child, tree);
}

RegistryTree Snapshot(HKEY root) {
    RegistryTree tree;
    AddTree(root, L"", tree);
    return tree;
}

struct FileEntry {
    ULONGLONG size;
    FILETIME written;
    DWORD attributes;
    bool operator==(const FileEntry& other) const {
        return size == other.size && CompareFileTime(&written, &other.written) == 0 && attributes == other.attributes;
    }
};
using FileListing = std::map<std::wstring, FileEntry>;

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

// Names every difference, so a failure says what was written.
template <typename Map>
std::wstring Differences(const Map& before, const Map& after) {
    std::wstring differences;
    for (const auto& [name, value] : before) {
        auto found = after.find(name);
        if (found == after.end()) differences += L"removed: " + name + L"\n";
        else if (!(found->second == value)) differences += L"changed: " + name + L"\n";
    }
    for (const auto& [name, value] : after)
        if (!before.count(name)) differences += L"added: " + name + L"\n";
    return differences;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(ReadOnly, ARunWithEveryCommandWritesNothing) {
    const ScopedFolder program(L"C:\\quillon-tests\\read-only-run");
    const ScopedFolder mail(L"C:\\quillon-tests\\mail");
    ASSERT_TRUE(WriteBytes(program / L"Orvel-Quillon.ini", "[FONT]\r\nName=Tahoma\r\n"));
    const ScopedFile driver = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", SystemFolder() + L"\\ati2dvag.dll");
    const std::wstring log = mail / L"mailto.log";
    const ScopedRegValue handler(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", L"",
                                 L"\"" + TestFolder() + L"\\mail-recorder.exe\" \"" + log + L"\" \"%1\"");
    CopyFileW(BuiltProgram().c_str(), (program / L"Orvel-Quillon.exe").c_str(), FALSE);

    wchar_t programFiles[MAX_PATH] = {};
    DWORD length = sizeof programFiles;
    RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir",
                 RRF_RT_REG_SZ, nullptr, programFiles, &length);
    const auto listFiles = [&] {
        FileListing listing;
        for (const std::wstring& folder : {program.Path(), SystemFolder(), std::wstring(programFiles)})
            AddFiles(folder, listing);
        return listing;
    };
    const RegistryTree machineBefore = Snapshot(HKEY_LOCAL_MACHINE);
    const RegistryTree userBefore = Snapshot(HKEY_CURRENT_USER);
    const FileListing filesBefore = listFiles();
    ASSERT_GT(machineBefore.size(), 100u);
    ASSERT_GT(filesBefore.size(), 100u);

    {
        ProgramRun run(program.Path());
        ASSERT_TRUE(run.Window());
        EXPECT_EQ(run.Text(L"Label17"), L"Catalyst 3.10");
        PostCommand(run.Window(), main_layout::kMenuHelpAbout);
        HWND about = WaitForVisibleWindow(run.ProcessId(), kAboutClass, 10000);
        ASSERT_TRUE(about);
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(about, ControlId(about_layout::kControls, L"lblMail"))));
        for (int i = 0; i < 100 && ReadBytes(log).empty(); ++i) Sleep(100);
        EXPECT_FALSE(ReadBytes(log).empty()) << "the mail link was handed over";
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(about, ControlId(about_layout::kControls, L"cmdOK"))));
        for (int i = 0; i < 100 && IsWindow(about); ++i) Sleep(50);
        ASSERT_FALSE(IsWindow(about)) << "OK closed the About window";
        ASSERT_TRUE(ClickWithMouse(run.Control(L"cmdClose")));
        ASSERT_TRUE(run.WaitForExit(5000));
    }

    EXPECT_EQ(Differences(machineBefore, Snapshot(HKEY_LOCAL_MACHINE)), L"");
    EXPECT_EQ(Differences(userBefore, Snapshot(HKEY_CURRENT_USER)), L"");
    EXPECT_EQ(Narrow(Differences(filesBefore, listFiles())), "");
}

} // namespace
