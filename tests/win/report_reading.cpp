#include "report_reading.h"

#include "program_run.h"
#include "real_input.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// Opens the clipboard as soon as nobody holds it. The tests open it only to empty it before a
// key press and to read it once it has changed, never while the program may be trying to.
bool OpenTheClipboard() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; });
}

} // namespace

std::wstring ClipboardText(UINT format) {
    if (!OpenTheClipboard()) return L"<clipboard locked>";
    std::wstring text = L"<no text>";
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* locked = GlobalLock(data)) {
            text = format == CF_UNICODETEXT ? std::wstring(static_cast<const wchar_t*>(locked))
                                            : [&] { const std::string ansi(static_cast<const char*>(locked));
                                                    return std::wstring(ansi.begin(), ansi.end()); }();
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (OpenTheClipboard()) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::wstring CopiedByKeys(HWND target, std::initializer_list<WORD> keys) {
    KeyWitness witness(target);
    const DWORD before = GetClipboardSequenceNumber();
    if (!PressKeys(target, keys)) return L"<the keys could not be pressed>";
    if (WaitUntil([&] { return GetClipboardSequenceNumber() != before; })) return ClipboardText();
    const int taken = witness.Taken();
    return taken > 0    ? L"<the program took the key, and the clipboard did not change>"
           : taken == 0 ? L"<the key never reached the program>"
                        : L"<the clipboard did not change, and the key hook could not be set>";
}

std::string ReportWritten(const std::wstring& programFolder, const wchar_t* argument) {
    const std::wstring output = programFolder + L"\\report.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<no file for the output>";
    ProgramRun run(programFolder, argument, file);
    CloseHandle(file);
    EXPECT_TRUE(run.ExitsWithoutWindow(20000)) << argument;
    EXPECT_EQ(run.ExitCode(), 0u) << argument;
    return ReadBytes(output);
}
