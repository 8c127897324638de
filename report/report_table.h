#pragma once
// The report as a table, for a survey of many machines: a header line and this machine's row of
// comma-separated values (RFC 4180), which Excel, PowerShell's Import-Csv and any script read.

#include "report/report_text.h"

#include <string>
#include <string_view>

// The header ("Computer", the two verdict frames' titles, the eight file names), then one row:
// the computer's name, the two verdicts as the window shows them, and the eight version texts,
// empty for a file that is not there. Fields are separated by commas; a field that holds a
// comma, a double quote, a CR or an LF is put in double quotes, with each double quote in it
// doubled. Both lines end in CR LF.
std::wstring ReportTable(std::wstring_view computerName, const ReportResults& results);
