#include "report/table_append.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        bytes_.resize(length);
        return true;
    }
    void RemoveIfCreated() override { removed_ = created_; }
    std::string bytes_;
    std::size_t writableBytes_ = std::string::npos;
    int writes_ = 0;
    bool flushes_ = true, created_ = false, removed_ = false;
};

TEST(TableAppend, AddsTheRowOnlyToThisProgramsTableAndNeverGluesRows) {
    const std::string header(kHeader), row(kRow);
    const std::string earlier = header + "PC-1,Catalyst 3.9,2026-12-08 09:00:00\r\n";
    const struct {
        const char* what;
        std::string before;
        TableOutcome outcome;
        std::string after;
    } cases[] = {
        {"an empty file", "", TableOutcome::Written, header + row},
        {"a header only", header, TableOutcome::Written, header + row},
        {"a table with rows", earlier, TableOutcome::Written, earlier + row},
        {"a last row without a line end", earlier + "PC-9,edited", TableOutcome::Written,
         earlier + "PC-9,edited\r\n" + row},
        {"a last line ended by LF alone", earlier + "PC-9\n", TableOutcome::Written, earlier + "PC-9\n" + row},
        {"another program's table", "Name,Value\r\nx,1\r\n", TableOutcome::NotThisTable, "Name,Value\r\nx,1\r\n"},
        {"the table without its time column", "Computer,Catalyst Version\r\nPC-1,Catalyst 3.9\r\n",
         TableOutcome::NotThisTable, "Computer,Catalyst Version\r\nPC-1,Catalyst 3.9\r\n"},
        {"a header without its CR LF", header.substr(0, header.size() - 2), TableOutcome::NotThisTable,
         header.substr(0, header.size() - 2)},
        {"a header ended by LF alone", header.substr(0, header.size() - 2) + "\n", TableOutcome::NotThisTable,
         header.substr(0, header.size() - 2) + "\n"},
        {"a header with a field more", header.substr(0, header.size() - 2) + ",x\r\n", TableOutcome::NotThisTable,
         header.substr(0, header.size() - 2) + ",x\r\n"},
    };
    for (const auto& c : cases) {
        MemoryTable table(c.before);
        EXPECT_EQ(AppendRow(table, kHeader, kRow), c.outcome) << c.what;
        EXPECT_EQ(table.bytes_, c.after) << c.what;
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
                EXPECT_EQ(AppendRow(table, kHeader, kRow), TableOutcome::NotWritten) << before.size() << "+" << written;
                EXPECT_EQ(table.bytes_, before) << written << " bytes had gone out";
                EXPECT_EQ(table.removed_, created) << "only a file this run created is taken away";
            }
        }
    }
    MemoryTable created("");
    created.created_ = true;
    EXPECT_EQ(AppendRow(created, kHeader, kRow), TableOutcome::Written);
    EXPECT_FALSE(created.removed_);
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

    BusyTable refused; // anything but Busy ends the waiting at once
    int calls = 0;
    EXPECT_EQ(RetryWhileBusy([&] { return ++calls, TableOutcome::NotWritten; }, [] { return 0u; },
                             [&](std::uint32_t) { ADD_FAILURE() << "waited for a refusal"; }, 1),
              TableOutcome::NotWritten);
    EXPECT_EQ(calls, 1);
}

} // namespace
