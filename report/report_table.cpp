#include "report/report_table.h"

#include <array>

namespace {

using Record = std::array<std::wstring_view, 3 + std::size(kFileLines)>;

void AddField(std::wstring& table, std::wstring_view field) {
    if (field.find_first_of(L",\"\r\n") == std::wstring_view::npos) {
        table += field;
        return;
    }
    table += L'"';
    for (wchar_t c : field) {
        if (c == L'"') table += L'"';
        table += c;
    }
    table += L'"';
}

void AddRecord(std::wstring& table, const Record& record) {
    for (std::size_t field = 0; field < record.size(); ++field) {
        if (field > 0) table += L',';
        AddField(table, record[field]);
    }
    table += L"\r\n";
}

} // namespace

std::wstring ReportTable(std::wstring_view computerName, const ReportResults& results) {
    Record header{L"Computer", kCatalystTitle, kPanelTitle};
    Record row{computerName, results.catalystVersion, results.panelVersion};
    for (std::size_t line = 0; line < std::size(kFileLines); ++line) {
        header[3 + line] = FileName(kFileLines[line]);
        row[3 + line] = results.fileVersions[line];
    }
    std::wstring table;
    AddRecord(table, header);
    AddRecord(table, row);
    return table;
}
