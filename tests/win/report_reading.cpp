#include "report_reading.h"

#include "program_run.h"
#include "real_input.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Opens the clipboard as soon as nobody holds it. The tests open it only to empty it before a
// key press and to read it once it has changed, never while the program may be trying to.
bool OpenTheClipboard() {
    return WaitUntil([] { return OpenClipboard(nullptr) != FALSE; });
}

long long SecondsOf(const FILETIME& time) {
    return static_cast<long long>((ULONGLONG{time.dwHighDateTime} << 32 | time.dwLowDateTime) / 10000000);
}

// Seconds since 1601 of a "YYYY-MM-DD HH:MM:SS" text, or -1 when it is not one.
long long SecondsOf(std::string_view text) {
    SYSTEMTIME time{};
    char dash1, dash2, blank, colon1, colon2;
    if (text.size() != 19 ||
        std::sscanf(std::string(text).c_str(), "%4hu%c%2hu%c%2hu%c%2hu%c%2hu%c%2hu", &time.wYear, &dash1, &time.wMonth,
                    &dash2, &time.wDay, &blank, &time.wHour, &colon1, &time.wMinute, &colon2, &time.wSecond) != 11 ||
        std::string{dash1, dash2, blank, colon1, colon2} != "-- ::")
        return -1;
    FILETIME file{};
    return SystemTimeToFileTime(&time, &file) ? SecondsOf(file) : -1;
}

} // namespace

std::string Utf8ComputerName() {
    wchar_t name[256] = {};
    DWORD count = 256;
    char utf8[1024] = {};
    if (!GetComputerNameW(name, &count)) return "<no name>";
    const int length = WideCharToMultiByte(CP_UTF8, 0, name, static_cast<int>(count), utf8, 1024, nullptr, nullptr);
    return std::string(utf8, static_cast<std::size_t>(length));
}

std::string RowWithoutFiles() {
    return Utf8ComputerName() + ",Unknown Version / Beta Version,Unknown Version / Beta version,,,,,,,,,";
}

std::string WithTimesChecked(const std::string& table) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const long long seconds = SecondsOf(now);
    std::string checked;
    for (std::size_t start = 0; start < table.size();) {
        std::size_t end = table.find("\r\n", start);
        end = end == std::string::npos ? table.size() : end + 2;
        std::string line = table.substr(start, end - start);
        const std::size_t comma = line.rfind(',');
        if (start > 0 && comma != std::string::npos && line.ends_with("\r\n")) {
            const long long age = seconds - SecondsOf(std::string_view(line).substr(comma + 1, line.size() - comma - 3));
            if (age >= 0 && age <= 120) line = line.substr(0, comma + 1) + "<now>\r\n";
        }
        checked += line;
        start = end;
    }
    return checked;
}

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

std::string ReportWritten(const std::wstring& programFolder, const wchar_t* argument, DWORD exitCode) {
    const std::wstring output = programFolder + L"\\report.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<no file for the output>";
    ProgramRun run(programFolder, argument, file);
    CloseHandle(file);
    EXPECT_TRUE(run.ExitsWithoutWindow(20000)) << argument;
    EXPECT_EQ(run.ExitCode(), exitCode) << argument;
    return ReadBytes(output);
}
