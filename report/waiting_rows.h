#pragma once
// Rows that wait beside a table while it is held: a run that cannot have the table within its
// wait leaves its row in a file of its own beside it, and the next run that writes to the table
// takes the row in. The rules, apart from Windows.

#include "report/report_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A run takes in at most this many waiting rows, so that one logon never turns into a long job.
inline constexpr std::size_t kMostRowsTakenIn = 1000;
// A waiting file longer than this is not one of the program's.
inline constexpr std::size_t kMostWaitingFileLength = 16384;

// The files in which rows wait beside one table.
class WaitingFiles {
public:
    virtual ~WaitingFiles() = default;
    // The names of the waiting files (as WaitingFileName makes them), in any order.
    virtual std::vector<std::wstring> Names() = 0;
    // The file's bytes, if there are at most kMostWaitingFileLength; false when it cannot be read
    // now (another program holds it, or it has gone) or is longer.
    virtual bool Read(const std::wstring& name, std::string& bytes) = 0;
    virtual void Remove(const std::wstring& name) = 0;
};

// The name of the file in which a row waits beside the table named `tableName`, left at `left`
// by the run `run` of the computer `computer`, on its `attempt`-th try at a name no file has:
// "survey.csv.waiting.20261209-090001.PC-7.0000049C.csv". Names sort by the time the rows were
// left, and no two machines' or runs' names are the same; a character that no file name may
// hold becomes "_".
std::wstring WaitingFileName(std::wstring_view tableName, const UtcTime& left, std::wstring_view computer,
                             std::uint32_t run, std::uint32_t attempt);
// What the names of the files waiting beside `tableName` begin with: "survey.csv.waiting.".
std::wstring WaitingFilePrefix(std::wstring_view tableName);
// True for a name that WaitingFileName can make for `tableName`.
bool IsWaitingFileName(std::wstring_view tableName, std::wstring_view name);

// The row (with its CR LF) of a waiting file's `bytes`, when they are exactly `header` and one
// row of as many fields, ending in CR LF; else empty.
std::string_view WaitingRow(std::string_view bytes, std::string_view header);

// The table's rows, each without its line end: lines, except where a line end is inside a
// quoted field.
std::vector<std::string_view> TableRecords(std::string_view table);
