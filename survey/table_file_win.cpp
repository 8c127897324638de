#include "survey/table_file.h"

#include "report/report_probe.h"
#include "survey/named_files_win.h"
#include "ui/system_function.h"
#include "ui/utf8_text.h"
#include "ui/win_handles.h"

#include <windows.h>

namespace {

// NT lets a file be deleted while it is held, so that a file this run created and could not
// write goes before anyone else can open it; 98 and ME know no such sharing.
DWORD ShareDeleteOnNT() { return IsWindowsNT() ? FILE_SHARE_DELETE : 0; }

class OpenTableFile final : public TableFile {
public:
    OpenTableFile(UniqueFile& file, bool created) : file_(file), created_(created) {}

    bool Length(std::uint64_t& length) override {
        DWORD high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = GetFileSize(file_.get(), &high);
        if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
        length = (std::uint64_t{high} << 32) | low;
        return true;
    }

    bool Read(std::uint64_t offset, std::span<char> bytes) override {
        if (!MoveTo(offset)) return false;
        while (!bytes.empty()) {
            DWORD read = 0;
            if (!ReadFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read == 0)
                return false;
            bytes = bytes.subspan(read);
        }
        return true;
    }

    bool Append(std::string_view bytes) override {
        DWORD written = 0;
        return bytes.size() <= MAXDWORD && MoveTo(0, FILE_END) &&
               WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size();
    }

    bool Flush() override { return FlushFileBuffers(file_.get()); }

    bool CutBackTo(std::uint64_t length) override { return MoveTo(length) && SetEndOfFile(file_.get()); }

    // A close that fails leaves in doubt a row that the flush said was there.
    bool Close() override { return CloseHandle(file_.release()); }

    void RemoveIfCreated() override { remove_ = created_; }

    bool remove_ = false; // the file is to be taken away when it is let go

private:
    bool MoveTo(std::uint64_t offset, DWORD from = FILE_BEGIN) {
        LONG high = static_cast<LONG>(offset >> 32);
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(file_.get(), static_cast<LONG>(offset & 0xFFFFFFFFu), &high, from);
        return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    }

    UniqueFile& file_;
    bool created_;
};

// Where no row waits: beside a file that is itself a waiting row's.
struct NoWaitingFiles final : WaitingFiles {
    std::vector<std::wstring> Names() override { return {}; }
    bool Read(const std::wstring&, std::string&) override { return false; }
    void Remove(const std::wstring&) override {}
};

// One try at the table, opened as `disposition` says (OPEN_ALWAYS, or CREATE_NEW for a file of
// one's own): Busy (or HeldByReader) while another process has the file open. When the open
// fails, its error is the last.
TableOutcome TryAppend(const NamedFiles& files, WaitingFiles& waiting, const std::wstring& path, DWORD disposition,
                       std::string_view header, std::string_view row) {
    // Root may open a read-only file for writing (as under Wine), so the attribute is asked.
    const DWORD attributes = files.Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return TableOutcome::NotWritten;
    const bool nt = IsWindowsNT();
    UniqueFile file(files.Open(path, GENERIC_READ | GENERIC_WRITE, ShareDeleteOnNT(), disposition));
    const DWORD error = GetLastError();
    if (!file) {
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
            SetLastError(error);
            return TableOutcome::NotWritten;
        }
        // A writer like this program lets no one read the file; a program that can be joined in
        // reading it lets others read it, as a spreadsheet does.
        const UniqueFile reading(files.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | ShareDeleteOnNT(),
                                            OPEN_EXISTING));
        return reading ? TableOutcome::HeldByReader : TableOutcome::Busy;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return TableOutcome::NotWritten;
    OpenTableFile table(file, error != ERROR_ALREADY_EXISTS);
    const TableOutcome outcome = AppendRow(table, waiting, header, row);
    if (table.remove_ && nt) files.Delete(path);
    file.reset(); // unless AppendRow closed it
    if (table.remove_ && !nt) files.Delete(path);
    return outcome;
}

// The files in which rows wait beside the table at a path: in the table's folder, named after it.
class FilesBesideTable final : public WaitingFiles {
public:
    FilesBesideTable(const NamedFiles& files, const std::wstring& path)
        : files_(files), path_(path), prefix_(WaitingFilePrefix(path)),
          nameAt_(path.find_last_of(L"\\/:") + 1) {}

    // The listing matches the table's name in any case; what follows it is the same.
    std::vector<std::wstring> Names() override {
        std::vector<std::wstring> names = files_.Names(prefix_ + L"*.csv");
        for (std::wstring& name : names) name.erase(0, prefix_.size() - nameAt_);
        return names;
    }

    bool Read(const std::wstring& name, std::string& bytes) override {
        const UniqueFile file(files_.Open(prefix_ + name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
        DWORD high = 0, read = 0;
        const DWORD length = file ? GetFileSize(file.get(), &high) : INVALID_FILE_SIZE;
        if (length == INVALID_FILE_SIZE || high != 0 || length > kMostWaitingFileLength) return false;
        bytes.assign(length, '\0');
        return ReadFile(file.get(), bytes.data(), length, &read, nullptr) && read == length;
    }

    void Remove(const std::wstring& name) override { files_.Delete(prefix_ + name); }

    // Leaves `header` and `row` in a new file of its own, by the rules of a table, which no
    // other run can open until it is whole; false when the folder refuses it. Its name records
    // the table's length as the folder lists it, which the table, held, cannot tell.
    bool Leave(std::wstring_view computer, std::string_view header, std::string_view row) const {
        const UtcTime left = UtcNow();
        std::uint64_t length = 0;
        files_.Names(path_, &length);
        NoWaitingFiles none;
        for (std::uint32_t attempt = 1; attempt <= 15; ++attempt) {
            const std::wstring path = WaitingFileName(path_, left, length, computer, GetCurrentProcessId(), attempt);
            if (TryAppend(files_, none, path, CREATE_NEW, header, row) == TableOutcome::Written) return true;
            if (GetLastError() != ERROR_FILE_EXISTS) break; // else a name taken: the next one
        }
        return false;
    }

private:
    const NamedFiles& files_;
    const std::wstring& path_;
    const std::wstring prefix_; // the path of every waiting file but what follows WaitingFilePrefix
    const std::size_t nameAt_;  // where the table's name begins in its path
};

} // namespace

TableOutcome AppendToTableFile(const std::wstring& path, std::wstring_view computer, const std::wstring& header,
                               const std::wstring& row) {
    // The path reaches its file by exactly its name, or nothing is opened; the header and the
    // row reach the file in UTF-8, which carries every name whole, whatever the code page.
    const NamedFiles files;
    if (!CanNameTableFile(path) || !files.CanReach(path)) return TableOutcome::NotWritten;
    const std::string headerBytes = Utf8Text(header), rowBytes = Utf8Text(row);
    const QuietErrorMode quiet; // a share or a drive that is not there fails; it asks nobody
    FilesBesideTable waiting(files, path);
    const DWORD start = GetTickCount();
    const TableOutcome outcome =
        RetryWhileBusy([&] { return TryAppend(files, waiting, path, OPEN_ALWAYS, headerBytes, rowBytes); },
                       [&] { return static_cast<std::uint32_t>(GetTickCount() - start); },
                       [](std::uint32_t ms) { Sleep(ms); }, start ^ (GetCurrentProcessId() * 2654435761u));
    // A table held, or a file that is not this program's table: the row waits beside it.
    if (outcome != TableOutcome::Busy && outcome != TableOutcome::NotThisTable) return outcome;
    if (!waiting.Leave(computer, headerBytes, rowBytes)) return TableOutcome::Busy;
    return outcome == TableOutcome::Busy ? TableOutcome::Waiting : outcome;
}
