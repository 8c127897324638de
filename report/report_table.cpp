#include "report/report_table.h"

#include "runtime/decimal_text.h"

#include <array>
#include <utility>

namespace {

using Record = std::array<std::wstring, 4 + std::size(kFileLines)>;

void AddField(std::wstring& line, std::wstring_view field) {
    if (field.find_first_of(L",\"\r\n") == std::wstring_view::npos) {
        line += field;
        return;
    }
    line += L'"';
    for (wchar_t c : field) {
        if (c == L'"') line += L'"';
        line += c;
    }
    line += L'"';
}

std::wstring Line(const Record& record) {
    std::wstring line;
    for (std::size_t field = 0; field < record.size(); ++field) {
        if (field > 0) line += L',';
        AddField(line, record[field]);
    }
    return line + L"\r\n";
}

std::wstring TimeField(const UtcTime& t) {
    std::wstring text = DecimalText(t.year, 4);
    for (auto [separator, value] : {std::pair{L'-', t.month}, {L'-', t.day}, {L' ', t.hour}, {L':', t.minute},
                                    {L':', t.second}}) {
        text += separator;
        text += DecimalText(value, 2);
    }
    return text;
}

} // namespace

std::wstring TableHeader() {
    Record header{L"Computer", std::wstring(kCatalystTitle), std::wstring(kPanelTitle)};
    for (std::size_t line = 0; line < std::size(kFileLines); ++line)
        header[3 + line] = FileName(FileLines()[line]);
    header.back() = L"Checked (UTC)";
    return Line(header);
}

std::wstring TableRow(std::wstring_view computerName, const ReportResults& results, const UtcTime& checked) {
    Record row{std::wstring(computerName), results.catalystVersion, results.panelVersion};
    for (std::size_t line = 0; line < std::size(kFileLines); ++line) row[3 + line] = results.fileVersions[line];
    row.back() = TimeField(checked);
    return Line(row);
}
