// Calls one of the program's own file probes a given number of times, so that what a single
// call costs in file-system work can be seen from outside (scripts/bench traces it):
//   quillon-probe-count version PATH COUNT   GetVersionText, prints the version text
//   quillon-probe-count exists PATH COUNT    DoesFileExist, prints "yes" or "no"
//   quillon-probe-count report COUNT         the whole report's file work (10 version reads and
//                                            12 existence tests on the sample installation)
// The answer is printed first, then the mean time of one call in milliseconds. A count of 0
// only starts and ends the program. Exit code 2 on a bad command line.

#include "clock.h"
#include "probe/probe_win.h"
#include "report/report_probe.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintMeanMs(double startMs, long count) {
    std::wprintf(L"%.3f\n", count ? (NowMs() - startMs) / static_cast<double>(count) : 0.0);
}

int Usage() {
    std::fputs("usage: quillon-probe-count version|exists PATH COUNT\n"
               "       quillon-probe-count report COUNT\n", stderr);
    return 2;
}

// Only the last answer is printed: every call asks the same question of the same file.
int RepeatVersion(const std::wstring& path, long count) {
    std::wstring text;
    const double start = NowMs();
    for (long i = 0; i < count; ++i) text = GetVersionText(path);
    std::wprintf(L"%ls\n", text.empty() ? L"(none)" : text.c_str());
    PrintMeanMs(start, count);
    return 0;
}

int RepeatExists(const std::wstring& path, long count) {
    bool found = false;
    const double start = NowMs();
    for (long i = 0; i < count; ++i) found = DoesFileExist(path);
    std::wprintf(L"%ls\n", found ? L"yes" : L"no");
    PrintMeanMs(start, count);
    return 0;
}

// The first call in a process pays what the program pays at start: VERSION.dll's first use,
// the first look into each folder.
int RepeatReport(long count) {
    ReportResults results;
    const double start = NowMs();
    for (long i = 0; i < count; ++i) results = ProbeReport();
    std::wprintf(L"%ls\n", results.catalystVersion.c_str());
    PrintMeanMs(start, count);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"report") {
        wchar_t* end = nullptr;
        const long count = std::wcstol(argv[2], &end, 10);
        return *end == L'\0' && count >= 0 ? RepeatReport(count) : Usage();
    }
    if (argc != 4) return Usage();
    const std::wstring kind = argv[1];
    wchar_t* end = nullptr;
    const long count = std::wcstol(argv[3], &end, 10);
    if (*end != L'\0' || count < 0) return Usage();
    if (kind == L"version") return RepeatVersion(argv[2], count);
    if (kind == L"exists") return RepeatExists(argv[2], count);
    return Usage();
}
