#pragma once
// The report's results, probed on Windows the way the main window's load step probes them.

#include "report/report_table.h"
#include "report/report_text.h"

// The release named by the display driver's version, or the table's default text.
std::wstring CatalystVersion();
// The release named by atippaxx.dll's version, wherever it was found, or the default text.
std::wstring PanelVersion();
// One file line's version text: its file in the system folder, or where it was located.
std::wstring FileLineVersion(const FileLine& line);

// Everything the main window shows, probed in the load step's order, without a window.
ReportResults ProbeReport();

// The time now, in UTC, to the second.
UtcTime UtcNow();

// The computer's name as Windows reports it (its NetBIOS name, at most 15 characters), every
// character as it is, or empty when it cannot be read.
std::wstring ComputerName();
