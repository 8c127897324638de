#include "report/report_lines.h"

std::span<const FileLine, std::size(kFileLines)> FileLines() {
    return kFileLines;
}

std::wstring_view CatalystTitle() { return kCatalystTitle; }
std::wstring_view PanelTitle() { return kPanelTitle; }
