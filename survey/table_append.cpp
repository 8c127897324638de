#include "survey/table_append.h"

#include "ui/ascii_case.h"
#include "ui/utf8_text.h"

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

// True when `lines` holds `row` (with its CR LF) right after one of its LFs.
bool Holds(std::string_view lines, std::string_view row) {
    for (std::size_t at = 0; at < lines.size(); ++at)
        if (lines[at] == '\n' && lines.substr(at + 1, row.size()) == row) return true;
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
    // The table's start: the mark and the header, or the header alone (an earlier version's), or
    // in a file that holds nothing else, the first part of them, which is completed.
    std::string start(kUtf8Mark);
    start += header;
    std::string begun(static_cast<std::size_t>(std::min<std::uint64_t>(length, start.size())), '\0');
    if (!file.Read(0, begun)) return TableOutcome::NotWritten;
    const std::string_view whole = kUtf8Mark.starts_with(std::string_view(begun).substr(0, 3)) ? start : header;
    std::uint64_t rowsAt = whole.size(); // where the table's rows begin
    char last = begun.empty() ? '\n' : begun.back();
    if (length > begun.size() && !file.Read(length - 1, std::span(&last, 1))) return TableOutcome::NotWritten;
    // The table from `from` on, with the byte before it (an LF for an empty file), and what goes out.
    std::string lines(1, last);
    if (!begun.starts_with(whole)) {
        if (begun.size() != length || !whole.starts_with(begun)) return TableOutcome::NotThisTable;
        lines += whole.substr(begun.size());
        rowsAt = length;
    } else if (last != '\n') {
        lines += "\r\n";
    }

    // A waiting row that the table holds already (its run wrote it and ended before it removed
    // its file) was taken in after the point where the table ended when the row was left, which
    // its file's name records: the table is read from there, once, as far as is needed.
    std::uint64_t from = length;
    std::vector<std::wstring> names = waiting.Names(), taken;
    for (std::size_t added = 0; added < kMostRowsTakenIn;) {
        // The oldest name not yet looked at; one looked at is emptied.
        std::wstring* oldest = nullptr;
        for (std::wstring& name : names)
            if (!name.empty() && (!oldest || name < *oldest)) oldest = &name;
        if (!oldest) break;
        std::string bytes;
        const std::string_view waitingRow = waiting.Read(*oldest, bytes) ? WaitingRow(bytes, header) : "";
        if (!waitingRow.empty()) {
            std::uint64_t rowFrom = RecordedTableLength(*oldest);
            if (rowFrom < rowsAt || rowFrom > length) rowFrom = rowsAt; // none, or the table was replaced
            if (rowFrom < from) {
                if (length - rowFrom >= SIZE_MAX) return TableOutcome::NotWritten;
                std::string before(static_cast<std::size_t>(from - rowFrom), '\0');
                if (!file.Read(rowFrom - 1, before)) return TableOutcome::NotWritten;
                lines = std::move(before += lines);
                from = rowFrom;
            }
            // Once, also among the rows taken in now.
            if (!Holds(std::string_view(lines).substr(static_cast<std::size_t>(rowFrom - from)), waitingRow)) {
                lines += waitingRow;
                ++added;
            }
            taken.push_back(std::move(*oldest));
        }
        oldest->clear();
    }
    lines += row;
    if (!file.Append(std::string_view(lines).substr(static_cast<std::size_t>(length - from) + 1)) || !file.Flush()) {
        const bool cutBack = file.CutBackTo(length);
        if (length == 0) file.RemoveIfCreated();
        return cutBack ? TableOutcome::NotWritten : TableOutcome::NotCutBack;
    }
    if (!file.Close()) return TableOutcome::NotWritten;
    for (const std::wstring& name : taken) waiting.Remove(name);
    return TableOutcome::Written;
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
