#include "probe/locator.h"
#include "probe/native_files_win.h"
#include "probe/probe_win.h"
#include "ui/ansi_text.h"
#include "ui/win_handles.h"

namespace {

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

} // namespace

bool DoesFileExist(const std::wstring& path) {
    const std::string ansiPath = ToAnsi(path);
    if (ansiPath.empty()) return false;
    // A drive that is not ready must answer false, not ask the user to insert a disk.
    const QuietErrorMode quiet;
    const NativeFileSystem native;
    bool found = false;
    WIN32_FIND_DATAA entry;
    UniqueFind find(FindFirstFileA(ansiPath.c_str(), &entry));
    if (find) {
        do {
            found = (entry.dwFileAttributes & kNotOrdinary) == 0;
        } while (!found && FindNextFileA(find.get(), &entry));
    }
    return found;
}

std::wstring LocateControlPanelFile(const ControlPanelFile& file) {
    return LocateFile(file, {SysDir, ProDir, DoesFileExist});
}

std::wstring LocateAtippaxx() { return LocateControlPanelFile(kAtippaxx); }
std::wstring LocateAtipdsxx() { return LocateControlPanelFile(kAtipdsxx); }
std::wstring LocateAtipuixx() { return LocateControlPanelFile(kAtipuixx); }
