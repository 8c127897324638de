#include "survey/table_append.h"
#include "ui/utf8_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace {

constexpr std::string_view kHeader = "Computer,Catalyst Version,Checked (UTC)\r\n";
constexpr std::string_view kRow = "PC-2,Catalyst 3.10,2026-12-08 09:00:01\r\n";

// A table file in memory, whose one write can be made to stop after some bytes, as on a full
// disk or a share that went away, and whose flush can be made to fail, as when the share goes
// away with the bytes in the client's cache.
class MemoryTable final : public TableFile {
public:
    explicit MemoryTable(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Length(std::uint64_t& length) override {
        length = bytes_.size();
        return true;
    }
    bool Read(std::uint64_t offset, std::span<char> bytes) override {
        read_ += bytes.size();
        if (offset + bytes.size() > bytes_.size()) return false;
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.size(), bytes.begin());
        return true;
    }
    bool Append(std::string_view bytes) override {
        ++writes_;
        bytes_ += bytes.substr(0, std::min(bytes.size(), writableBytes_));
        return bytes.size() <= writableBytes_;
    }
    bool Flush() override { return flushes_; }
    bool CutBackTo(std::uint64_t length) override {
        if (cutsBack_) bytes_.resize(length);
        return cutsBack_;
    }
    bool Close() override { return closes_; }
    void RemoveIfCreated() override { removed_ = created_; }
    std::string bytes_;
    std::size_t writableBytes_ = std::string::npos;
    int writes_ = 0;
    std::size_t read_ = 0;
    bool flushes_ = true, cutsBack_ = true, closes_ = true, created_ = false, removed_ = false;
};

// Files waiting beside the table, in memory; a held one cannot be read.
struct MemoryWaiting final : WaitingFiles {
    std::vector<std::wstring> Names() override {
        std::vector<std::wstring> names;
        for (const auto& file : files_) names.insert(names.begin(), file.first); // in no useful order
        return names;
    }
    bool Read(const std::wstring& name, std::string& bytes) override {
        if (held_.count(name)) return false;
        bytes = files_.at(name);
        return true;
    }
    void Remove(const std::wstring& name) override { files_.erase(removes_ ? name : L""); }
    std::map<std::wstring, std::string> files_;
    std::set<std::wstring> held_;
    bool removes_ = true;
};

// A waiting file's name after its prefix, left while the table was `tableLength` bytes long.
std::wstring WaitingName(int second, std::uint64_t tableLength = 0) {
    return WaitingFileName(L"", {2026, 12, 8, 9, second / 60, second % 60}, tableLength, L"PC-1", 7, 1).substr(9);
}
// A row whose first field holds a CR alone, quoted.
std::string RowOf(int i) { return "\"PC\r" + std::to_string(i) + "\",Catalyst 3.10,2026-12-08 09:00:00\r\n"; }

TEST(TableAppend, AddsTheRowOnlyToThisProgramsTableAndNeverGluesRows) {
    const std::string header(kHeader), row(kRow), marked = std::string(kUtf8Mark) + header;
    const std::string earlier = header + "PC-1,Catalyst 3.9,2026-12-08 09:00:00\r\n";
    const struct {
        const char* what;
        std::string before;
        TableOutcome outcome;
        std::string after;
    } cases[] = {
        {"an empty file", "", TableOutcome::Written, marked + row},
        {"a table with the mark", marked + "x\r\n", TableOutcome::Written, marked + "x\r\n" + row},
        {"a start cut short", marked.substr(0, 9), TableOutcome::Written, marked + row},
        {"zeros", std::string(4, '\0'), TableOutcome::NotThisTable, std::string(4, '\0')},
        {"a spreadsheet's save", "\xEF\xBB\xBF" "Computer;Catalyst", TableOutcome::NotThisTable,
         "\xEF\xBB\xBF" "Computer;Catalyst"},
        {"a header only", header, TableOutcome::Written, header + row},
        {"a table with rows", earlier, TableOutcome::Written, earlier + row},
        {"a last row without a line end", earlier + "PC-9,edited", TableOutcome::Written,
         earlier + "PC-9,edited\r\n" + row},
        {"a last line ended by LF alone", earlier + "PC-9\n", TableOutcome::Written, earlier + "PC-9\n" + row},
        {"another program's table", "Name,Value\r\nx,1\r\n", TableOutcome::NotThisTable, "Name,Value\r\nx,1\r\n"},
        {"the table without its time column", "Computer,Catalyst Version\r\nPC-1,Catalyst 3.9\r\n",
         TableOutcome::NotThisTable, "Computer,Catalyst Version\r\nPC-1,Catalyst 3.9\r\n"},
        {"a header without its CR LF", header.substr(0, header.size() - 2), TableOutcome::Written, header + row},
        {"a header ended by LF alone", header.substr(0, header.size() - 2) + "\n", TableOutcome::NotThisTable,
         header.substr(0, header.size() - 2) + "\n"},
        {"a header with a field more", header.substr(0, header.size() - 2) + ",x\r\n", TableOutcome::NotThisTable,
         header.substr(0, header.size() - 2) + ",x\r\n"},
    };
    for (const auto& c : cases) {
        MemoryTable table(c.before);
        MemoryWaiting bad; // files that are not whole waiting files make no run read the table
        bad.files_ = {{WaitingName(1), ""}, {WaitingName(2), header}};
        EXPECT_EQ(AppendRow(table, bad, kHeader, kRow), c.outcome) << c.what;
        EXPECT_EQ(table.bytes_, c.after) << c.what;
        EXPECT_LE(table.read_, marked.size() + 1) << c.what << ": the start and the last byte";
        EXPECT_EQ(bad.files_.size(), 2u) << c.what;
        EXPECT_EQ(table.writes_, c.outcome == TableOutcome::Written ? 1 : 0) << c.what << ": all in one write";
    }
}

TEST(TableAppend, AFailedWriteOrFlushIsCutBackAndANewFileTakenAway) {
    const std::string earlier = std::string(kHeader) + "PC-1,Catalyst 3.9,2026-12-08 09:00:00";
    for (const std::string& before : {std::string(), earlier}) {
        for (bool created : {false, true}) {
            if (created && !before.empty()) continue;
            // Bytes that stopped short, and all of them, with a flush that failed.
            for (std::size_t written : {std::size_t{0}, std::size_t{1}, kRow.size(), std::string::npos}) {
                MemoryTable table(before);
                table.writableBytes_ = written;
                table.flushes_ = written != std::string::npos;
                table.created_ = created;
                table.cutsBack_ = written != 1; // else the table is left in doubt
                MemoryWaiting waiting;
                waiting.files_[WaitingName(0)] = std::string(kHeader) + "PC-3,Catalyst 3.10,2026-12-08 09:00:00\r\n";
                EXPECT_EQ(AppendRow(table, waiting, kHeader, kRow),
                          table.cutsBack_ ? TableOutcome::NotWritten : TableOutcome::NotCutBack)
                    << before.size() << "+" << written;
                if (table.cutsBack_) EXPECT_EQ(table.bytes_, before) << written << " bytes had gone out";
                EXPECT_EQ(table.removed_, created) << "only a file this run created is taken away";
                EXPECT_EQ(waiting.files_.size(), 1u) << "the row still waits";
            }
        }
    }
    MemoryTable created("");
    created.created_ = true;
    MemoryWaiting none;
    EXPECT_EQ(AppendRow(created, none, kHeader, kRow), TableOutcome::Written);
    EXPECT_FALSE(created.removed_);
}

TEST(TableAppend, TakesWaitingRowsInOldestFirstEachOnceAndAtMost1000) {
    const std::string header(kHeader), marked = std::string(kUtf8Mark) + header;
    const auto rowOf = RowOf;
    const std::string before = header + rowOf(0); // a run wrote the row of file 0 and ended there
    MemoryTable table(before + "PC-edited");
    MemoryWaiting waiting;
    // File 0 left beside a table since replaced, longer than this one; half of them with the mark.
    for (int i = 0; i < 1004; ++i)
        waiting.files_[WaitingName(10 + i, i ? 0 : 1u << 30)] = (i % 2 ? header : marked) + rowOf(i == 2 ? 1 : i);
    // Left alone, and not counted: files that are not exactly the header and one row, and a
    // file that another program holds.
    const std::map<std::wstring, std::string> foreign = {
        {WaitingName(1), header + rowOf(8000) + rowOf(8001)}, {WaitingName(2), "Name,Value\r\nx,1\r\n"},
        {WaitingName(3), header + "PC-9,Catalyst 3.10\r\n"}, {WaitingName(4), header + "PC-9,\"a,b,c\r\n"},
        {WaitingName(5), header + rowOf(9000)}, {WaitingName(6), marked + "PC-9\n,Catalyst 3.10,\r\n"},
        {WaitingName(7), header + "PC-9\r,Catalyst 3.10,\r\n"}, {WaitingName(8), header + "PC-9,Catalyst 3.10,\n"},
        {WaitingName(9), ""}};
    waiting.files_.insert(foreign.begin(), foreign.end());
    waiting.held_ = {WaitingName(5)};

    // A close that fails: the rows may be in the table, so their files stay.
    table.closes_ = false;
    const std::map<std::wstring, std::string> all = waiting.files_;
    EXPECT_EQ(AppendRow(table, waiting, kHeader, kRow), TableOutcome::NotWritten);
    std::string expected = before + "PC-edited\r\n" + rowOf(1); // file 2's row is file 1's: once
    for (int i = 3; i < 1002; ++i) expected += rowOf(i);
    EXPECT_EQ(table.bytes_, expected + std::string(kRow));
    EXPECT_EQ(table.writes_, 1);
    EXPECT_EQ(waiting.files_, all);

    // Then those rows are found there, and their files, which cannot go, do not count: newer rows join.
    table.closes_ = true;
    waiting.removes_ = false;
    EXPECT_EQ(AppendRow(table, waiting, kHeader, kRow), TableOutcome::Written);
    EXPECT_EQ(table.bytes_, expected + std::string(kRow) + rowOf(1002) + rowOf(1003) + std::string(kRow));
    EXPECT_EQ(waiting.files_, all);
}

// The bytes read by a run that adds `waiting` rows, each left as the table ended, the oldest `there` of them taken in.
std::size_t BytesReadTakingIn(int rows, int waiting, int there) {
    std::string table = std::string(kUtf8Mark) + std::string(kHeader), added;
    for (int i = 0; i < rows; ++i) table += RowOf(i);
    MemoryWaiting files;
    for (int i = 0; i < waiting; ++i) {
        files.files_[WaitingName(i, table.size())] = std::string(kHeader) + RowOf(-i);
        (i < there ? table : added) += RowOf(-i);
    }
    MemoryTable file(table);
    EXPECT_EQ(AppendRow(file, files, kHeader, kRow), TableOutcome::Written);
    EXPECT_TRUE(file.bytes_ == table + added + std::string(kRow)) << rows;
    EXPECT_TRUE(files.files_.empty());
    return file.read_;
}

TEST(TableAppend, ReadsOfTheTableOnlyWhatTheWaitingRowsNeed) {
    EXPECT_EQ(BytesReadTakingIn(50000, 1000, 400), BytesReadTakingIn(1, 1000, 400)) << "not more for more rows";
    EXPECT_EQ(BytesReadTakingIn(50000, 1000, 0), kUtf8Mark.size() + kHeader.size() + 1);
}

TEST(TableAppend, NamesWaitingFilesByTableTimeLengthComputerAndRun) {
    EXPECT_EQ(WaitingFileName(L"survey.csv", {2026, 12, 9, 9, 0, 1}, 0x1E240, L"PC/7", 0x49C, 2),
              L"survey.csv.waiting.20261209-090001-1E240.PC_7.0000049C-2.csv");
    EXPECT_EQ(WaitingFileName(L"s", {}, 0, L"PC", 1, 1), L"s.waiting.00000000-000000-0.PC.00000001.csv");
    EXPECT_EQ(RecordedTableLength(L"20261209-090001.1E240.0000049C.csv"), 0u) << "the earlier form";
}

TEST(TableAppend, RefusesPathsThatCannotNameATableFile) {
    for (const wchar_t* path : {L"survey.csv", L"C:\\reports\\survey.csv", L"\\\\server\\share\\survey.csv",
                                L"C:\\My Reports\\NULL.csv", L"COM10", L"console.csv",
                                L"C:\\con\\survey.csv", L"c:survey.csv"})
        EXPECT_TRUE(CanNameTableFile(path)) << path;
    for (const wchar_t* path : {L"", L"NUL", L"nul", L"CON", L"COM1", L"com9", L"LPT1", L"AUX", L"PRN",
                                L"C:\\reports\\nul.csv", L"C:\\reports\\Con .txt", L"COM1:", L"C:NUL", L"CONOUT$",
                                L"C:\\reports\\", L"C:\\reports/", L"a\"b.csv", L"a<b", L"a>b", L"a|b", L"*.csv",
                                L"\\\\?\\C:\\survey.csv", L"\\\\.\\pipe\\quillon", L"//./C:/survey.csv",
                                L"line\nbreak.csv", L"tab\t.csv", L"survey-09:00.csv", L"C:\\x\\a:b.csv",
                                L"\\\\server\\share\\a:b.csv", L"1:survey.csv"})
        EXPECT_FALSE(CanNameTableFile(path)) << path;
}

// The waits while the table stays busy: a clock that only the waits move.
struct BusyTable {
    std::uint32_t now = 0, freeFrom = UINT32_MAX;
    std::vector<std::uint32_t> tries, waits;
    TableOutcome Run(std::uint32_t seed) {
        return RetryWhileBusy(
            [&] {
                tries.push_back(now);
                return now >= freeFrom ? TableOutcome::Written : TableOutcome::Busy;
            },
            [&] { return now; },
            [&](std::uint32_t ms) {
                waits.push_back(ms);
                now += ms;
            },
            seed);
    }
};

TEST(TableAppend, WaitsForABusyTableAtVaryingIntervalsAndNoLongerThan15Seconds) {
    for (std::uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        BusyTable busy;
        EXPECT_EQ(busy.Run(seed), TableOutcome::Busy) << seed;
        EXPECT_EQ(busy.tries.back(), kBusyGiveUpMs) << "the last try at 15 s, not later";
        EXPECT_GE(busy.tries.size(), 30u) << "tries all through the 15 s";
        EXPECT_LE(*std::max_element(busy.waits.begin(), busy.waits.end()), 600u);
        EXPECT_LT(busy.waits[0], 40u) << "a table busy for a moment costs a moment";
        std::vector<std::uint32_t> distinct(busy.waits.begin(), busy.waits.end() - 1);
        std::sort(distinct.begin(), distinct.end());
        EXPECT_GT(std::unique(distinct.begin(), distinct.end()) - distinct.begin(), 20) << "waits vary";
    }
    // Two writers that found it busy together come back at different times.
    BusyTable first, second;
    first.Run(7);
    second.Run(8);
    EXPECT_NE(first.tries, second.tries);

    BusyTable heldFor3s;
    heldFor3s.freeFrom = 3000;
    EXPECT_EQ(heldFor3s.Run(42), TableOutcome::Written);
    EXPECT_LT(heldFor3s.tries.back(), 3000u + 600u) << "taken soon after it is free";

    // A table that a reader holds, found so twice running, is given up at once; a reader gone
    // after one look is not.
    for (bool stays : {true, false}) {
        int tries = 0;
        EXPECT_EQ(RetryWhileBusy(
                      [&] {
                          return ++tries > 1 && !stays ? TableOutcome::Written : TableOutcome::HeldByReader;
                      },
                      [] { return 0u; }, [](std::uint32_t) {}, 1),
                  stays ? TableOutcome::Busy : TableOutcome::Written);
        EXPECT_EQ(tries, 2);
    }

    BusyTable refused; // anything but Busy ends the waiting at once
    int calls = 0;
    EXPECT_EQ(RetryWhileBusy([&] { return ++calls, TableOutcome::NotWritten; }, [] { return 0u; },
                             [&](std::uint32_t) { ADD_FAILURE() << "waited for a refusal"; }, 1),
              TableOutcome::NotWritten);
    EXPECT_EQ(calls, 1);
}

} // namespace
