#include "report/standard_output.h"

#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/utf8_text.h"
#include "ui/win_handles.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace {

// Windows 2000 has no AttachConsole, and Windows 98 and ME only a WriteConsoleW that fails, so
// both are looked up when needed; where either is missing there is no console to write to.
using AttachConsoleFunction = BOOL(WINAPI*)(DWORD);
constexpr DWORD kParentProcess = static_cast<DWORD>(-1); // ATTACH_PARENT_PROCESS, from Windows XP on
using WriteConsoleWFunction = BOOL(WINAPI*)(HANDLE, const VOID*, DWORD, LPDWORD, LPVOID);

bool WriteAll(HANDLE output, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, INT_MAX));
        DWORD written = 0;
        if (!WriteFile(output, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

bool WriteConsole(HANDLE console, const std::wstring& text) {
    const auto writeConsole = SystemFunction<WriteConsoleWFunction>("kernel32.dll", "WriteConsoleW");
    if (!writeConsole || text.size() > INT_MAX) return false;
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (!writeConsole(console, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool WriteToStandardOutput(const std::wstring& text, OutputBytes form) {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE) {
        DWORD mode = 0;
        // Windows 98 and ME write a console the way they write a file, in the ANSI code page.
        const bool console = GetConsoleMode(output, &mode);
        if (console && IsWindowsNT()) return WriteConsole(output, text);
        // A text the code page cannot carry whole is not written at all, and that is a failure;
        // UTF-8 carries every text. A file's bytes count once they are flushed to its disk or
        // share; a pipe or a device has nothing to flush. (The mark is passed as its bytes, so
        // that the program keeps no copy of its view.)
        const bool utf8 = form == OutputBytes::Utf8WithMark && !console;
        const std::string bytes = utf8 ? Utf8Text(text) : ToAnsi(text);
        return (utf8 ? WriteAll(output, {kUtf8Mark.data(), kUtf8Mark.size()}) : bytes.empty() == text.empty()) &&
               WriteAll(output, bytes) &&
               (GetFileType(output) != FILE_TYPE_DISK || FlushFileBuffers(output));
    }
    const auto attachConsole = SystemFunction<AttachConsoleFunction>("kernel32.dll", "AttachConsole");
    if (!attachConsole || !attachConsole(kParentProcess)) return false;
    const UniqueFile console(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
    return console && WriteConsole(console.get(), text);
}
