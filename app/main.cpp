// Orvel Quillon: names the installed ATI Catalyst release from the versions of its files.

#include "app/command_line.h"
#include "app/frm_version.h"
#include "report/report_probe.h"
#include "report/report_table.h"
#include "report/standard_output.h"
#include "report/table_file.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/window.h"

#include <windows.h>

namespace {

// Writes `text` to standard output, and shows no window at all: 0 when all of it was written,
// 1 otherwise.
int Print(const std::wstring& text) noexcept { return WriteToStandardOutput(text) ? 0 : 1; }

// This machine's row of the table, probed now.
std::wstring ProbedTableRow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    const UtcTime checked{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    return TableRow(ComputerName(), ProbeReport(), checked);
}

// Appends this machine's row to the table file, and shows no window at all; the exit code
// says how it went.
int AppendToTable(const std::wstring& path) noexcept {
    return static_cast<int>(AppendToTableFile(path, TableHeader(), ProbedTableRow()));
}

} // namespace

// The ANSI entry point, as Windows 98 and ME have no wide command line to hand over.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand) {
    RestrictDllSearch();
    const StartCommand command = StartCommandOf(FromAnsi(arguments ? arguments : ""));
    switch (command.mode) {
    case StartMode::Report: // the report the window would show
        return Print(ReportText(ProbeReport()));
    case StartMode::Table: // the same results, as a header and a row of comma-separated values
        return Print(TableHeader() + ProbedTableRow());
    case StartMode::TableFile: // the row, added to a table that many machines share
        return AppendToTable(command.tablePath);
    case StartMode::Usage:
        return Print(std::wstring(kUsageLine.begin(), kUsageLine.end()));
    case StartMode::Window:
        break;
    }
    FrmVersion frmVersion;
    if (!frmVersion.Load(instance)) return 1;
    frmVersion.Show(showCommand);
    RunUntilDestroyed(frmVersion.Handle(), frmVersion.Accelerators());
    return 0;
}
