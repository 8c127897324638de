// Orvel Quillon: names the installed ATI Catalyst release from the versions of its files.

#include "app/command_line.h"
#include "app/frm_version.h"
#include "app/report_probe.h"
#include "app/standard_output.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/window.h"

#include <windows.h>

namespace {

// /report: the report the window would show, on standard output, and no window at all.
int PrintReport() noexcept {
    try {
        return WriteToStandardOutput(ReportText(ProbeReport())) ? 0 : 1;
    } catch (...) {
        return 1;
    }
}

int PrintUsage() noexcept {
    try {
        return WriteToStandardOutput(std::wstring(kUsageLine.begin(), kUsageLine.end())) ? 0 : 1;
    } catch (...) {
        return 1;
    }
}

} // namespace

// The ANSI entry point, as Windows 98 and ME have no wide command line to hand over.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand) {
    RestrictDllSearch();
    StartMode mode = StartMode::Window;
    try {
        mode = StartModeOf(FromAnsi(arguments ? arguments : ""));
    } catch (...) {
        // Out of memory for the command line's text: not a switch the program knows.
    }
    switch (mode) {
    case StartMode::Report:
        return PrintReport();
    case StartMode::Usage:
        return PrintUsage();
    case StartMode::Window:
        break;
    }
    FrmVersion frmVersion;
    if (!frmVersion.Load(instance)) return 1;
    frmVersion.Show(showCommand);
    RunUntilDestroyed(frmVersion.Handle(), frmVersion.Accelerators());
    return 0;
}
