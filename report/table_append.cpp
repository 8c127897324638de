#include "report/table_append.h"

#include "ui/ascii_case.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The devices Windows finds under a file name in any folder.
bool IsDeviceName(std::wstring_view name) {
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
    for (std::wstring_view device : {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$", L"clock$"})
        if (EqualsIgnoringAsciiCase(name, device)) return true;
    return name.size() == 4 && name[3] >= L'1' && name[3] <= L'9' &&
           (EqualsIgnoringAsciiCase(name.substr(0, 3), L"com") || EqualsIgnoringAsciiCase(name.substr(0, 3), L"lpt"));
}

// Adds to `bytes` the rows waiting beside the table (of `length` bytes) that go into it before
// `row`, and gives the names of the files they were taken from.
std::vector<std::wstring> TakeInWaitingRows(TableFile& file, std::uint64_t length, WaitingFiles& waiting,
                                           std::string_view header, std::string_view row, std::string& bytes) {
    std::vector<std::wstring> names = waiting.Names(), taken;
    std::sort(names.begin(), names.end()); // oldest first
    std::vector<std::string> rows;
    for (const std::wstring& name : names) {
        if (taken.size() == kMostRowsTakenIn) break;
        std::string content;
        const std::string_view waitingRow = waiting.Read(name, content) ? WaitingRow(content, header) : "";
        if (waitingRow.empty()) continue;
        taken.push_back(name);
        rows.emplace_back(waitingRow.substr(0, waitingRow.size() - 2));
    }
    if (taken.empty()) return taken;
    // The rows already there: the whole table is read, as any run may have written them.
    std::string table(length <= SIZE_MAX ? static_cast<std::size_t>(length) : 0, '\0');
    if (table.size() != length || !file.Read(0, table)) return {};
    std::vector<std::string_view> there = TableRecords(table);
    there.emplace_back(row.substr(0, row.size() - 2));
    std::sort(there.begin(), there.end());
    for (const std::string& waitingRow : rows) {
        const auto place = std::lower_bound(there.begin(), there.end(), std::string_view(waitingRow));
        if (place != there.end() && *place == waitingRow) continue;
        there.insert(place, waitingRow);
        bytes += waitingRow;
        bytes += "\r\n";
    }
    return taken;
}

} // namespace

bool CanNameTableFile(std::wstring_view path) {
    const auto isSeparator = [&](std::size_t i) { return i < path.size() && (path[i] == L'\\' || path[i] == L'/'); };
    const bool deviceSpace = isSeparator(0) && isSeparator(1) && path.substr(2, 1) == L"." && isSeparator(3);
    if (path.empty() || isSeparator(path.size() - 1) || deviceSpace) return false;
    for (wchar_t c : path)
        if (c < L' ' || std::wstring_view(L"\"<>|*?").find(c) != std::wstring_view::npos) return false;
    // A colon names a drive ("C:\...", "c:survey.csv") and nothing else: after a name it names a
    // stream of that file on NTFS ("survey-09:00.csv" is the stream "00.csv" of "survey-09").
    const wchar_t drive = path.size() >= 2 && path[1] == L':' ? static_cast<wchar_t>(path[0] | 0x20) : L'\0';
    if (path.find(L':', drive >= L'a' && drive <= L'z' ? 2 : 0) != std::wstring_view::npos) return false;
    std::wstring_view name = path.substr(path.find_last_of(L"\\/") + 1);
    if (name.size() >= 2 && name[1] == L':') name.remove_prefix(2); // a drive's current folder: "C:NUL"
    return !IsDeviceName(name);
}

TableOutcome AppendRow(TableFile& file, WaitingFiles& waiting, std::string_view header, std::string_view row) {
    std::uint64_t length = 0;
    if (!file.Length(length)) return TableOutcome::NotWritten;
    std::string bytes;
    if (length == 0) {
        bytes = header;
    } else {
        if (length < header.size()) return TableOutcome::NotThisTable;
        std::string start(header.size(), '\0');
        if (!file.Read(0, start)) return TableOutcome::NotWritten;
        if (start != header) return TableOutcome::NotThisTable;
        char last = '\0';
        if (!file.Read(length - 1, std::span(&last, 1))) return TableOutcome::NotWritten;
        if (last != '\n') bytes = "\r\n";
    }
    const std::vector<std::wstring> taken = TakeInWaitingRows(file, length, waiting, header, row, bytes);
    bytes += row;
    if (file.Append(bytes) && file.Flush()) {
        for (const std::wstring& name : taken) waiting.Remove(name);
        return TableOutcome::Written;
    }
    file.CutBackTo(length);
    if (length == 0) file.RemoveIfCreated();
    return TableOutcome::NotWritten;
}

std::uint32_t BusyWaitMs(std::uint32_t busyTries, std::uint32_t random) {
    // 25 ms after the first busy try, doubling to 400 ms, each drawn between half and one and a
    // half times that.
    const std::uint32_t typical = 25u << std::min<std::uint32_t>(busyTries - 1, 4);
    return typical / 2 + random % typical;
}

std::uint32_t NextRandom(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}
