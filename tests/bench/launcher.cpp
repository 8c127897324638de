// Times how long a program takes from CreateProcess until its main window is visible with the
// report filled in, against a baseline program that shows the same window without reading
// anything. scripts/bench runs it; it prints key=value lines.
//
//   quillon-bench --program PATH CLASS --baseline PATH CLASS [--runs N] [--warmup N]
//       Runs the two alternately, program first: N timed runs each (default 20) after
//       `warmup` untimed pairs (default 2). Prints both medians, the median of the per-pair
//       ratios and, for the last pair, each process's peak working set.
//   quillon-bench --once PATH CLASS
//       One untimed run (for tracing the program from outside).
//
// A window counts as ready once a visible top-level window of CLASS belongs to the process and
// the release labels and all eight version labels hold text. Exit code 0 when every run
// succeeded, 1 when one failed, 2 on a bad command line.

#include "app/main_layout.h"
#include "clock.h"
#include "remote_window.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

// The labels that must hold text: both release names and the eight file versions.
constexpr const wchar_t* kFilledLabels[] = {
    L"Label17", L"Label18", L"Label4",  L"Label5",  L"Label6",
    L"Label8",  L"Label10", L"Label12", L"Label14", L"Label16",
};

struct Target {
    std::wstring path;
    std::wstring windowClass;
};

struct RunResult {
    double readyMs;
    SIZE_T peakWorkingSet; // 0 unless asked for
};

// The visible top-level window of `className` that the process shows, or null. FindWindowEx
// picks the windows by class in one go, which keeps each look cheap: the launcher shares its
// CPU with the program it times.
HWND ShownWindow(DWORD processId, const wchar_t* className) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

bool LabelsFilled(HWND window) {
    for (const wchar_t* name : kFilledLabels) {
        HWND label = GetDlgItem(window, ControlId(main_layout::kControls, name));
        if (!label || RemoteText(label).empty()) return false;
    }
    return true;
}

void Fail(const Target& target, const char* what) {
    std::fprintf(stderr, "quillon-bench: %ls: %s\n", target.path.c_str(), what);
}

// Starts the program, waits until its window is ready, then closes it and waits for its exit.
std::optional<RunResult> RunOnce(const Target& target, bool readPeakWorkingSet) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + target.path + L"\"";

    const double start = NowMs();
    if (!CreateProcessW(target.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
        Fail(target, "CreateProcess failed");
        return std::nullopt;
    }
    CloseHandle(process.hThread);

    HWND window = nullptr;
    std::optional<RunResult> result;
    for (;;) {
        window = ShownWindow(process.dwProcessId, target.windowClass.c_str());
        if (window && LabelsFilled(window)) {
            result = RunResult{NowMs() - start, 0};
            break;
        }
        // Also the short sleep between two looks.
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
            Fail(target, "the program ended before its window was ready");
            break;
        }
        if (NowMs() - start > kReadyTimeoutMs) {
            Fail(target, "the window was not ready in time");
            break;
        }
    }

    if (result && readPeakWorkingSet) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters))
            result->peakWorkingSet = counters.PeakWorkingSetSize;
    }
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        Fail(target, "the program did not end after WM_CLOSE");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kExitTimeoutMs);
        result.reset();
    }
    CloseHandle(process.hProcess);
    return result;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintSeries(const char* key, const std::vector<double>& values) {
    std::printf("%s=", key);
    for (std::size_t i = 0; i < values.size(); ++i) std::printf(i ? ",%.2f" : "%.2f", values[i]);
    std::printf("\n");
}

int Compare(const Target& program, const Target& baseline, int runs, int warmup) {
    std::vector<double> programMs, baselineMs, ratios;
    RunResult lastProgram{}, lastBaseline{};
    for (int i = -warmup; i < runs; ++i) {
        const bool last = i == runs - 1;
        const std::optional<RunResult> p = RunOnce(program, last);
        const std::optional<RunResult> b = RunOnce(baseline, last);
        if (!p || !b) return 1;
        if (i < 0) continue;
        programMs.push_back(p->readyMs);
        baselineMs.push_back(b->readyMs);
        ratios.push_back(p->readyMs / b->readyMs);
        lastProgram = *p;
        lastBaseline = *b;
    }
    std::printf("runs=%d\nwarmup=%d\n", runs, warmup);
    std::printf("program_median_ms=%.2f\n", Median(programMs));
    std::printf("baseline_median_ms=%.2f\n", Median(baselineMs));
    std::printf("ratio_median=%.4f\n", Median(ratios));
    PrintSeries("program_ms", programMs);
    PrintSeries("baseline_ms", baselineMs);
    std::printf("program_peak_working_set=%lu\n", static_cast<unsigned long>(lastProgram.peakWorkingSet));
    std::printf("baseline_peak_working_set=%lu\n", static_cast<unsigned long>(lastBaseline.peakWorkingSet));
    return 0;
}

int Usage() {
    std::fputs("usage: quillon-bench --program PATH CLASS --baseline PATH CLASS [--runs N] [--warmup N]\n"
               "       quillon-bench --once PATH CLASS\n",
               stderr);
    return 2;
}

bool ParseCount(const wchar_t* text, int minimum, int& count) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (*end != L'\0' || value < minimum || value > 10000) return false;
    count = static_cast<int>(value);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Target program, baseline, once;
    int runs = 20, warmup = 2;
    for (int i = 1; i < argc; ++i) {
        const std::wstring option = argv[i];
        const bool hasTarget = i + 2 < argc;
        const bool hasCount = i + 1 < argc;
        if (option == L"--program" && hasTarget) {
            program = {argv[i + 1], argv[i + 2]};
            i += 2;
        } else if (option == L"--baseline" && hasTarget) {
            baseline = {argv[i + 1], argv[i + 2]};
            i += 2;
        } else if (option == L"--once" && hasTarget) {
            once = {argv[i + 1], argv[i + 2]};
            i += 2;
        } else if (option == L"--runs" && hasCount && ParseCount(argv[i + 1], 1, runs)) {
            ++i;
        } else if (option == L"--warmup" && hasCount && ParseCount(argv[i + 1], 0, warmup)) {
            ++i;
        } else {
            return Usage();
        }
    }
    if (!once.path.empty()) return RunOnce(once, false) ? 0 : 1;
    if (program.path.empty() || baseline.path.empty()) return Usage();
    return Compare(program, baseline, runs, warmup);
}
