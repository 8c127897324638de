#include "report/table_file.h"

#include "report/named_files_win.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "ui/win_handles.h"

#include <windows.h>

namespace {

class OpenTableFile final : public TableFile {
public:
    OpenTableFile(HANDLE file, bool created) : file_(file), created_(created) {}

    bool Length(std::uint64_t& length) override {
        DWORD high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = GetFileSize(file_, &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
        length = (std::uint64_t{high} << 32) | low;
        return true;
    }

    bool Read(std::uint64_t offset, std::span<char> bytes) override {
        if (!MoveTo(offset)) return false;
        while (!bytes.empty()) {
            DWORD read = 0;
            if (!ReadFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read == 0)
                return false;
            bytes = bytes.subspan(read);
        }
        return true;
    }

    bool Append(std::string_view bytes) override {
        DWORD written = 0;
        return bytes.size() <= MAXDWORD && MoveTo(0, FILE_END) &&
               WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size();
    }

    bool Flush() override { return FlushFileBuffers(file_); }

    bool CutBackTo(std::uint64_t length) override { return MoveTo(length) && SetEndOfFile(file_); }

    void RemoveIfCreated() override { remove_ = created_; }

    bool remove_ = false; // the file is to be taken away when it is let go

private:
    bool MoveTo(std::uint64_t offset, DWORD from = FILE_BEGIN) {
        LONG high = static_cast<LONG>(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(file_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, from);
        return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    }

    HANDLE file_;
    bool created_;
};

// One try at the table: Busy while another process has the file open.
TableOutcome TryAppend(const NamedFiles& files, const std::wstring& path, std::string_view header,
                       std::string_view row) {
    // Root may open a read-only file for writing (as under Wine), so the attribute is asked.
    const DWORD attributes = files.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return TableOutcome::NotWritten;
    // NT lets the file be deleted while it is held, so that a file this run created and could not
    // write goes before anyone else can open it; 98 and ME know no such sharing.
    const bool nt = IsWindowsNT();
    UniqueFile file(files.Open(path, GENERIC_READ | GENERIC_WRITE, nt ? FILE_SHARE_DELETE : 0, OPEN_ALWAYS));
    const DWORD error = GetLastError();
    if (!file)
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? TableOutcome::Busy
                                                                                 : TableOutcome::NotWritten;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return TableOutcome::NotWritten;
    OpenTableFile table(file.get(), error != ERROR_ALREADY_EXISTS);
    const TableOutcome outcome = AppendRow(table, header, row);
    if (table.remove_ && nt) files.Delete(path);
    // A close that fails leaves in doubt a row that the flush said was there; the run says it
    // was not written rather than that it was.
    const bool closed = CloseHandle(file.release());
    if (table.remove_ && !nt) files.Delete(path);
    return outcome == TableOutcome::Written && !closed ? TableOutcome::NotWritten : outcome;
}

} // namespace

TableOutcome AppendToTableFile(const std::wstring& path, const std::wstring& header, const std::wstring& row) {
    // The path reaches its file by exactly its name, or nothing is opened; the header and the
    // row reach the file whole in the ANSI code page, or nothing is written.
    const NamedFiles files;
    if (!CanNameTableFile(path) || !files.CanReach(path)) return TableOutcome::NotWritten;
    const std::string ansiHeader = ToAnsi(header), ansiRow = ToAnsi(row);
    if (ansiHeader.empty() || ansiRow.empty()) return TableOutcome::NotWritten;
    const QuietErrorMode quiet; // a share or a drive that is not there fails; it asks nobody
    const DWORD start = GetTickCount();
    return RetryWhileBusy([&] { return TryAppend(files, path, ansiHeader, ansiRow); },
                          [&] { return static_cast<std::uint32_t>(GetTickCount() - start); },
                          [](std::uint32_t ms) { Sleep(ms); }, start ^ (GetCurrentProcessId() * 2654435761u));
}
