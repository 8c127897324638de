#pragma once
// Files reached by exactly the names the program was given. On Windows NT the wide file
// functions, looked up at run time, reach a name that the ANSI code page cannot carry; Windows
// 98 and ME have only the ANSI ones (as has an NT that lacks one of the wide ones), and there
// such a name reaches no file at all, rather than one whose name was approximated.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class NamedFiles {
public:
    NamedFiles();

    // False for a path that this Windows cannot reach by that very name, or that is too long.
    bool CanReach(const std::wstring& path) const;
    // What GetFileAttributes, CreateFile and DeleteFile give; each fails for a path that
    // CanReach refuses.
    DWORD Attributes(const std::wstring& path) const;
    HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition) const;
    bool Delete(const std::wstring& path) const;
    // The names of the files that `pattern` matches ("C:\reports\survey.csv.waiting.*"),
    // without their folder: as many as Windows lists, in its order. `firstLength`, when given,
    // gets the length that the listing gives the first, without opening it (0 for none): for a
    // file that another program holds open, it may be short of its length now.
    std::vector<std::wstring> Names(const std::wstring& pattern, std::uint64_t* firstLength = nullptr) const;

private:
    decltype(&CreateFileW) createFile_ = nullptr;
    decltype(&GetFileAttributesW) attributes_ = nullptr;
    decltype(&DeleteFileW) deleteFile_ = nullptr;
    decltype(&FindFirstFileW) findFirst_ = nullptr;
    decltype(&FindNextFileW) findNext_ = nullptr;
};
