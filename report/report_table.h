#pragma once
// The report as a table, for a survey of many machines: a header line and a row of
// comma-separated values (RFC 4180) per machine, which Excel, PowerShell's Import-Csv and any
// script read.

#include "report/report_text.h"

#include <string>
#include <string_view>

// A moment in UTC, as Windows gives it (SYSTEMTIME without the day of the week).
struct UtcTime {
    int year, month, day, hour, minute, second;
};

// "Computer", the two verdict frames' titles, the eight file names and "Checked (UTC)", ending
// in CR LF.
std::wstring TableHeader();

// This machine's row, ending in CR LF: the computer's name, the two verdicts as the window shows
// them, the eight version texts (empty for a file that is not there) and the moment of the probe
// as "YYYY-MM-DD HH:MM:SS", which spreadsheets read as a date. A field that holds a comma, a
// double quote, a CR or an LF is put in double quotes, with each double quote in it doubled.
std::wstring TableRow(std::wstring_view computerName, const ReportResults& results, const UtcTime& checked);
