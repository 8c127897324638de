#include "report/waiting_rows.h"

#include "runtime/decimal_text.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kWaiting = L".waiting.";
constexpr std::wstring_view kExtension = L".csv";

// The record that begins `text`, without its line end, and how many bytes it takes with it;
// `fields` counts its fields.
std::string_view NextRecord(std::string_view text, std::size_t& taken, std::size_t& fields) {
    bool quoted = false;
    fields = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        else if (text[i] == ',' && !quoted) ++fields;
        else if (text[i] == '\n' && !quoted) {
            taken = i + 1;
            return text.substr(0, i > 0 && text[i - 1] == '\r' ? i - 1 : i);
        }
    }
    taken = text.size();
    return text;
}

} // namespace

std::wstring WaitingFilePrefix(std::wstring_view tableName) { return std::wstring(tableName) + std::wstring(kWaiting); }

std::wstring WaitingFileName(std::wstring_view tableName, const UtcTime& left, std::wstring_view computer,
                             std::uint32_t run, std::uint32_t attempt) {
    std::wstring name = WaitingFilePrefix(tableName) + DecimalText(left.year, 4) + DecimalText(left.month, 2) +
                        DecimalText(left.day, 2) + L'-' + DecimalText(left.hour, 2) + DecimalText(left.minute, 2) +
                        DecimalText(left.second, 2) + L'.';
    for (wchar_t c : computer)
        name += c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos ? L'_' : c;
    name += L'.';
    for (int shift = 28; shift >= 0; shift -= 4) name += L"0123456789ABCDEF"[(run >> shift) & 15];
    if (attempt > 1) name += L'-' + DecimalText(static_cast<int>(attempt));
    return name + std::wstring(kExtension);
}

bool IsWaitingFileName(std::wstring_view tableName, std::wstring_view name) {
    const std::wstring prefix = WaitingFilePrefix(tableName);
    return name.size() > prefix.size() + kExtension.size() && name.starts_with(prefix) && name.ends_with(kExtension);
}

std::string_view WaitingRow(std::string_view bytes, std::string_view header) {
    if (!bytes.starts_with(header) || !bytes.ends_with("\r\n")) return {};
    const std::string_view row = bytes.substr(header.size());
    std::size_t taken = 0, fields = 0, headerFields = 0;
    NextRecord(header, taken, headerFields);
    return !NextRecord(row, taken, fields).empty() && taken == row.size() && fields == headerFields
               ? row
               : std::string_view();
}

std::vector<std::string_view> TableRecords(std::string_view table) {
    std::vector<std::string_view> records;
    for (std::size_t taken = 0, fields = 0; !table.empty(); table.remove_prefix(taken))
        records.push_back(NextRecord(table, taken, fields));
    return records;
}
