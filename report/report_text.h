#pragma once
// The report as one text, for the clipboard and for /report: what the main window shows.

#include "report/report_lines.h"

#include <array>
#include <iterator>
#include <string>

// What the load step wrote into the main window.
struct ReportResults {
    std::wstring caption;
    std::wstring catalystVersion; // Label17
    std::wstring panelVersion;    // Label18
    std::array<std::wstring, std::size(kFileLines)> fileVersions; // the value labels, top to bottom
};

// The caption; each verdict after its frame's title and ": "; then each file line's caption
// text and version, "(none)" where the window shows no version. Every line ends in CR LF.
std::wstring ReportText(const ReportResults& results);
