#include "report/report_lines.h"

std::span<const FileLine, std::size(kFileLines)> FileLines() {
    return kFileLines;
}
