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

// Writes the text that `make` gives to standard output, and shows no window at all: 0 when all
// of it was written, 1 otherwise.
template <typename Make>
int Print(Make make) noexcept {
    try {
        return WriteToStandardOutput(make()) ? 0 : 1;
    } catch (...) {
        return 1;
    }
}

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
    try {
        return static_cast<int>(AppendToTableFile(path, TableHeader(), ProbedTableRow()));
    } catch (...) {
        return static_cast<int>(TableOutcome::NotWritten);
    }
}

} // namespace

// The ANSI entry point, as Windows 98 and ME have no wide command line to hand over.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand) {
    RestrictDllSearch();
    StartCommand command;
    try {
        command = StartCommandOf(FromAnsi(arguments ? arguments : ""));
    } catch (...) {
        // Out of memory for the command line's text: not a switch the program knows.
    }
    switch (command.mode) {
    case StartMode::Report: // the report the window would show
        return Print([] { return ReportText(ProbeReport()); });
    case StartMode::Table: // the same results, as a header and a row of comma-separated values
        return Print([] { return TableHeader() + ProbedTableRow(); });
    case StartMode::TableFile: // the row, added to a table that many machines share
        return AppendToTable(command.tablePath);
    case StartMode::Usage:
        return Print([] { return std::wstring(kUsageLine.begin(), kUsageLine.end()); });
    case StartMode::Window:
        break;
    }
    FrmVersion frmVersion;
    if (!frmVersion.Load(instance)) return 1;
    frmVersion.Show(showCommand);
    RunUntilDestroyed(frmVersion.Handle(), frmVersion.Accelerators());
    return 0;
}
