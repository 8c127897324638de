// Orvel Quillon: names the installed ATI Catalyst release from the versions of its files.

#include "app/command_line.h"
#include "app/frm_version.h"
#include "app/report_probe.h"
#include "app/standard_output.h"
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int showCommand) {
    switch (StartModeOf(arguments ? arguments : L"")) {
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
