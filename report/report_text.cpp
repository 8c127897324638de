#include "report/report_text.h"

namespace {

void AddLine(std::wstring& text, std::wstring_view line) {
    text += line;
    text += L"\r\n";
}

} // namespace

std::wstring ReportText(const ReportResults& results) {
    std::wstring text;
    AddLine(text, results.caption);
    AddLine(text, std::wstring(CatalystTitle()) + L": " + results.catalystVersion);
    AddLine(text, std::wstring(PanelTitle()) + L": " + results.panelVersion);
    for (std::size_t line = 0; line < std::size(kFileLines); ++line) {
        const std::wstring& version = results.fileVersions[line];
        AddLine(text, std::wstring(FileLines()[line].captionText) + (version.empty() ? L"(none)" : version));
    }
    return text;
}
