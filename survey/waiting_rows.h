#pragma once
// Rows that wait beside a table while it is held, or while the file at its path is not this
// program's table: a run that cannot add its row leaves it in a file of its own beside the
// table, and the next run that writes to the table takes the row in. The rules, apart from
// Windows.

#include "report/report_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A run adds at most this many waiting rows, so that one logon never turns into a long job.
inline constexpr std::size_t kMostRowsTakenIn = 1000;
// A waiting file longer than this is not one of the program's.
inline constexpr std::size_t kMostWaitingFileLength = 16384;

// The files in which rows wait beside one table, each named by the part of its name after
// WaitingFilePrefix ("20261209-090001-1E240.PC-7.0000049C.csv"), whatever the case of the
// table's name in front of it.
class WaitingFiles {
public:
    virtual ~WaitingFiles() = default;
    // The names of the files whose names begin as WaitingFileName makes them, in any order.
    virtual std::vector<std::wstring> Names() = 0;
    // The file's bytes, if there are at most kMostWaitingFileLength; false when it cannot be read
    // now (another program holds it, or it has gone) or is longer.
    virtual bool Read(const std::wstring& name, std::string& bytes) = 0;
    virtual void Remove(const std::wstring& name) = 0;
};

// The name of the file in which a row waits beside the table named `tableName` (or the path of
// the file beside the table at that path), left at `left` while the table's length was listed
// as `tableLength`, by the run `run` (its process id) of the computer `computer`, on its
// `attempt`-th try (1 to 15) at a name no file has:
// "survey.csv.waiting.20261209-090001-1E240.PC-7.0000049C.csv" (the length in hexadecimal), then
// "...0000049C-2.csv". Names sort by the time the rows were left; two machines' names differ
// in the computer's name, two runs' of one machine (a terminal server runs many logons at once)
// in the process id; a character that no file name may hold becomes "_".
std::wstring WaitingFileName(std::wstring_view tableName, const UtcTime& left, std::uint64_t tableLength,
                             std::wstring_view computer, std::uint32_t run, std::uint32_t attempt);
// What the names of the files waiting beside `tableName` begin with: "survey.csv.waiting.".
std::wstring WaitingFilePrefix(std::wstring_view tableName);
// The table's length that the part of a waiting file's name after its prefix records; 0 for a
// name of the earlier form, which records none ("20261209-090001.PC-7.0000049C.csv").
std::uint64_t RecordedTableLength(std::wstring_view name);

// The row of a waiting file's `bytes` when they are exactly `header` (with or without the UTF-8
// byte-order mark before it) and one row of as many fields, ending in CR LF and holding no other
// line end (CR or LF) outside its quoted fields; else empty.
std::string_view WaitingRow(std::string_view bytes, std::string_view header);
