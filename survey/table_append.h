#pragma once
// Adding this machine's row to a table file that many machines share, as a logon script on each
// of them does at the same moment: the rules, apart from Windows. The file is held with no
// sharing from the first byte read to the last byte written, so two writers never interleave.

#include "survey/waiting_rows.h"

#include <cstdint>
#include <span>
#include <string_view>

// How adding the row ends; the numbers are the program's exit codes.
enum class TableOutcome : int {
    Written = 0,      // the row is in the table
    NotWritten = 1,   // a place a table cannot be, or a write that failed and was taken back
    NotThisTable = 2, // the file holds something other than this program's table; the row waits beside it
    Busy = 3,         // another writer held the file for the whole wait, and the row could not wait
    Waiting = 5,      // the table was held; the row waits beside it
    NotCutBack = 6,   // a write that failed and could not be taken back: the table may end in part of a row
    // Only between tries: the file is held by a program that reads it and lets others read it
    // too, as a spreadsheet that has it open does, rather than by a writer like this program.
    HeldByReader = 7,
};

// False for a path that cannot name a table file, before anything is opened: an empty one, one
// with a character no file name may hold, one with a colon anywhere but right after a drive
// letter ("survey-09:00.csv" names a hidden stream on NTFS), one in the device space
// ("\\.\pipe\x"), or one whose last part names a device as Windows reads it ("NUL", "con.csv",
// "COM1", "LPT3.txt": a reserved name before the first dot). A path too long for Windows is the
// caller's to refuse.
bool CanNameTableFile(std::wstring_view path);

// A table file, open for reading and writing and shared with no one.
class TableFile {
public:
    virtual ~TableFile() = default;
    // The length in bytes; false when it cannot be told.
    virtual bool Length(std::uint64_t& length) = 0;
    // Fills `bytes` from `offset` on; false unless every byte was read.
    virtual bool Read(std::uint64_t offset, std::span<char> bytes) = 0;
    // Writes `bytes` at the end in one write; false unless every byte was written.
    virtual bool Append(std::string_view bytes) = 0;
    // Sends what was written on to the disk or the share, past every cache on the way; false
    // when it may not have reached it.
    virtual bool Flush() = 0;
    // Cuts the file back to `length` bytes.
    virtual bool CutBackTo(std::uint64_t length) = 0;
    // Lets the file go; false when what was written may not be in it after all.
    virtual bool Close() = 0;
    // Takes the file away again, once it is let go, when this run created it.
    virtual void RemoveIfCreated() = 0;
};

// Adds `row` (a line ending in CR LF) to the table in `file`, and the rows waiting beside it:
// - an empty file gets the UTF-8 byte-order mark, `header` (the table's first line, CR LF
//   included) and then the rows; a file that holds the first part of these and nothing else (its
//   start was cut short) gets the rest of them, with no byte already there changed;
// - any other file must begin with exactly `header`, with or without the mark before it (an
//   earlier version wrote none, and none is added), or nothing is written (NotThisTable);
// - a file whose last byte is not LF gets CR LF before the rows, so no row is glued to another;
// - the waiting rows go before `row`, oldest first (by the names after their prefix, which begin
//   with the time the row was left), at most kMostRowsTakenIn of them; a file that is not one
//   header and one row (WaitingRow) is left alone. A row that is in the table already (its run
//   wrote it and ended before it removed its file) or twice among them goes in once, and does
//   not count: each row names its computer and the second of its probe, so one that is the same
//   is the same machine's same result. A row can have been taken in only after the point where
//   the table ended when it was left, the length its name records, so the table is read from
//   the least such length on, and only where at least one whole waiting file is found; else
//   only its start and its last byte are read.
// Whatever goes out goes in one write, and counts once it is flushed and the file closed; then
// the files of the rows taken in (or found in the table already) are removed. When the write or
// the flush fails, the file is cut back to the length it had, so the bytes that were there are
// all that is left (NotCutBack when that fails too); a file that this run created is taken away
// again, and the waiting files stay. So do they when the close fails (NotWritten).
TableOutcome AppendRow(TableFile& file, WaitingFiles& waiting, std::string_view header, std::string_view row);

// Waiting for a table that another writer holds: tries at random intervals that grow from tens
// to hundreds of milliseconds, so that writers that found it busy together do not come back
// together, and no try later than 15 seconds after the first.
inline constexpr std::uint32_t kBusyGiveUpMs = 15000;

// The wait after the `busyTries`-th try found the table busy, drawn with `random`.
std::uint32_t BusyWaitMs(std::uint32_t busyTries, std::uint32_t random);

// The next number of a small random sequence (xorshift); `state` must not be 0.
std::uint32_t NextRandom(std::uint32_t& state);

// Runs `tryOnce` (which gives a TableOutcome) until it finds the table other than Busy, waiting
// between tries through `sleepMs`; `elapsedMs` tells the milliseconds since the first try. A
// table found held by a reader on two tries running may stay so for hours: Busy at once.
template <typename Try, typename Elapsed, typename Sleep>
TableOutcome RetryWhileBusy(Try tryOnce, Elapsed elapsedMs, Sleep sleepMs, std::uint32_t seed) {
    std::uint32_t random = seed ? seed : 1;
    bool reader = false;
    for (std::uint32_t busyTries = 1;; ++busyTries) {
        const TableOutcome outcome = tryOnce();
        const std::uint32_t elapsed = elapsedMs();
        if (outcome == TableOutcome::HeldByReader && reader) return TableOutcome::Busy;
        reader = outcome == TableOutcome::HeldByReader;
        if (!reader && outcome != TableOutcome::Busy) return outcome;
        if (elapsed >= kBusyGiveUpMs) return TableOutcome::Busy;
        const std::uint32_t wait = BusyWaitMs(busyTries, NextRandom(random));
        sleepMs(wait < kBusyGiveUpMs - elapsed ? wait : kBusyGiveUpMs - elapsed);
    }
}
