// Orvel Quillon: names the installed ATI Catalyst release from the versions of its files.

#include "app/command_line.h"
#include "app/frm_version.h"
#include "report/report_probe.h"
#include "report/report_table.h"
#include "report/standard_output.h"
#include "runtime/command_tail.h"
#include "survey/table_file.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/window.h"

#include <windows.h>

namespace {

// Writes `text` to standard output, as `bytes` says, and shows no window at all: 0 when all of
// it was written, 1 otherwise.
int Print(const std::wstring& text, OutputBytes bytes = OutputBytes::Ansi) noexcept {
    return WriteToStandardOutput(text, bytes) ? 0 : 1;
}

// This machine's row of the table, probed now: after the header on standard output, as a new
// table begins, or added to the table file at `path`. The exit code says how it went. The name
// is what tells a site's rows apart: without it nothing is written, and the table is as it was.
int WriteTableRow(const std::wstring* path) noexcept {
    const std::wstring computer = ComputerName();
    if (computer.empty()) return static_cast<int>(TableOutcome::NotWritten);
    std::wstring row = TableRow(computer, ProbeReport(), UtcNow());
    return path ? static_cast<int>(AppendToTableFile(*path, computer, TableHeader(), row))
                : Print(TableHeader() + std::move(row), OutputBytes::Utf8WithMark);
}

// What follows the program's name on its command line, exactly as it was given. On Windows NT
// that is the wide command line: its ANSI copy has each character the code page lacks replaced
// by a look-alike (a Polish L with stroke by a plain L), and a path there names another file.
// Windows 98 and ME have the ANSI one alone.
std::wstring CommandArguments(const char* ansiArguments) {
    using GetCommandLineWFunction = LPWSTR(WINAPI*)();
    const auto getCommandLineW = SystemFunction<GetCommandLineWFunction>("kernel32.dll", "GetCommandLineW");
    if (const wchar_t* wide = IsWindowsNT() && getCommandLineW ? getCommandLineW() : nullptr) return CommandTail(wide);
    return FromAnsi(ansiArguments ? ansiArguments : "");
}

} // namespace

// The ANSI entry point, which every Windows calls; on NT the arguments are read wide instead.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int showCommand) {
    RestrictDllSearch();
    const StartCommand command = StartCommandOf(CommandArguments(arguments));
    switch (command.mode) {
    case StartMode::Report: // the report the window would show
        return Print(ReportText(ProbeReport()));
    case StartMode::Table: // the same results, as a header and a row of comma-separated values
        return WriteTableRow(nullptr);
    case StartMode::TableFile: // the row, added to a table that many machines share
        return WriteTableRow(&command.tablePath);
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
