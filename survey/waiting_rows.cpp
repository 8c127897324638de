#include "survey/waiting_rows.h"

#include <algorithm>

std::wstring WaitingFilePrefix(std::wstring_view tableName) { return std::wstring(tableName) + L".waiting."; }

std::wstring WaitingFileName(std::wstring_view tableName, const UtcTime& left, std::wstring_view computer,
                             std::uint32_t run, std::uint32_t attempt) {
    constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
    std::wstring name = WaitingFilePrefix(tableName);
    const int parts[] = {left.year, left.month, left.day, left.hour, left.minute, left.second};
    for (int i = 0; i < 6; ++i) {
        if (i == 3) name += L'-';
        for (int divisor = i == 0 ? 1000 : 10; divisor > 0; divisor /= 10)
            name += static_cast<wchar_t>(L'0' + parts[i] / divisor % 10);
    }
    name += L'.';
    for (wchar_t c : computer)
        name += c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos ? L'_' : c;
    name += L'.';
    for (int shift = 28; shift >= 0; shift -= 4) name += kHexDigits[(run >> shift) & 15];
    if (attempt > 1) {
        name += L'-';
        name += kHexDigits[attempt & 15];
    }
    return name + L".csv";
}

bool IsWaitingFile(std::string_view bytes, std::string_view header) {
    if (!bytes.starts_with(header) || !bytes.ends_with("\r\n") || bytes.size() == header.size() + 2) return false;
    // The header holds no quotes; the row has as many commas outside its quoted fields, and no
    // line end outside them but its last.
    bool quoted = false;
    std::size_t commas = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == '"') quoted = !quoted;
        else if (bytes[i] == ',' && !quoted) ++commas;
        else if (bytes[i] == '\n' && !quoted && i >= header.size()) return false;
    }
    return !quoted && commas == 2 * static_cast<std::size_t>(std::count(header.begin(), header.end(), ','));
}
