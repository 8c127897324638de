#include "survey/waiting_rows.h"

#include "ui/utf8_text.h"

#include <algorithm>

namespace {
constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
constexpr std::size_t kTimeLength = 15; // "20261209-090001"
} // namespace

std::wstring WaitingFilePrefix(std::wstring_view tableName) { return std::wstring(tableName) + L".waiting."; }

std::wstring WaitingFileName(std::wstring_view tableName, const UtcTime& left, std::uint64_t tableLength,
                             std::wstring_view computer, std::uint32_t run, std::uint32_t attempt) {
    std::wstring name = WaitingFilePrefix(tableName);
    const int parts[] = {left.year, left.month, left.day, left.hour, left.minute, left.second};
    for (int i = 0; i < 6; ++i) {
        if (i == 3) name += L'-';
        for (int divisor = i == 0 ? 1000 : 10; divisor > 0; divisor /= 10)
            name += static_cast<wchar_t>(L'0' + parts[i] / divisor % 10);
    }
    name += L'-';
    int shift = 60;
    while (shift > 0 && (tableLength >> shift) == 0) shift -= 4;
    for (; shift >= 0; shift -= 4) name += kHexDigits[(tableLength >> shift) & 15];
    name += L'.';
    for (wchar_t c : computer)
        name += c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos ? L'_' : c;
    name += L'.';
    for (shift = 28; shift >= 0; shift -= 4) name += kHexDigits[(run >> shift) & 15];
    if (attempt > 1) {
        name += L'-';
        name += kHexDigits[attempt & 15];
    }
    return name + L".csv";
}

std::uint64_t RecordedTableLength(std::wstring_view name) {
    std::uint64_t length = 0;
    if (name.size() <= kTimeLength || name[kTimeLength] != L'-') return 0;
    for (std::size_t i = kTimeLength + 1; i < name.size(); ++i) {
        const wchar_t c = name[i];
        const unsigned digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'A' && c <= L'F' ? c - L'A' + 10 : 16;
        if (digit == 16) break;
        length = length << 4 | digit;
    }
    return length;
}

std::string_view WaitingRow(std::string_view bytes, std::string_view header) {
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    if (!bytes.starts_with(header) || !bytes.ends_with("\r\n") || bytes.size() == header.size() + 2) return {};
    // The row has as many commas outside its quoted fields as the header has, and no line end
    // outside them but its last.
    bool quoted = false;
    std::size_t commas = 0;
    bytes.remove_prefix(header.size());
    for (std::size_t i = 0; i + 2 < bytes.size(); ++i) {
        if (bytes[i] == '"') quoted = !quoted;
        else if (bytes[i] == ',' && !quoted) ++commas;
        else if ((bytes[i] == '\n' || bytes[i] == '\r') && !quoted) return {};
    }
    if (quoted || commas != static_cast<std::size_t>(std::count(header.begin(), header.end(), ','))) return {};
    return bytes;
}
