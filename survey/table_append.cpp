#include "survey/table_append.h"

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

// True when `table` holds `row` (with its CR LF) as a line of its own after the first.
bool Holds(std::string_view table, std::string_view row) {
    for (std::size_t at = 0; at < table.size(); ++at) {
        const std::size_t next = at + 1, count = std::min(row.size(), table.size() - next);
        if (table[at] == '\n' && std::string_view(table.data() + next, count) == row) return true;
    }
    return false;
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
    std::vector<std::wstring> names = waiting.Names();
    // The table's header, and the whole table where rows wait, so as to tell which of them it
    // holds already: their run wrote them and ended before it removed their files.
    std::string table;
    char last = '\n';
    if (length > 0) {
        if (length < header.size()) return TableOutcome::NotThisTable;
        table.append(header.size(), '\0');
        if (!file.Read(0, table)) return TableOutcome::NotWritten;
        if (table != header) return TableOutcome::NotThisTable;
        if (names.empty()) {
            if (!file.Read(length - 1, std::span(&last, 1))) return TableOutcome::NotWritten;
        } else {
            if (length > SIZE_MAX) return TableOutcome::NotWritten;
            table.append(static_cast<std::size_t>(length) - header.size(), '\0');
            if (!file.Read(header.size(), std::span(table).subspan(header.size()))) return TableOutcome::NotWritten;
            last = table.back();
        }
    }
    const std::size_t from = table.size(); // what goes out is all that follows
    if (length == 0) table = header;
    if (last != '\n') table += "\r\n";
    std::vector<std::wstring> taken;
    while (taken.size() < kMostRowsTakenIn) {
        // The oldest name not yet looked at; one looked at is emptied.
        std::wstring* oldest = nullptr;
        for (std::wstring& name : names)
            if (!name.empty() && (!oldest || name < *oldest)) oldest = &name;
        if (!oldest) break;
        std::string bytes;
        if (waiting.Read(*oldest, bytes) && IsWaitingFile(bytes, header)) {
            taken.push_back(std::move(*oldest));
            std::string_view waitingRow = bytes;
            waitingRow.remove_prefix(header.size());
            if (!Holds(table, waitingRow)) table += waitingRow;
        }
        oldest->clear();
    }
    table += row;
    std::string_view out = table;
    out.remove_prefix(from);
    if (file.Append(out) && file.Flush()) {
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
