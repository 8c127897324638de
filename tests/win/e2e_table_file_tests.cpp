// /csv PATH: this machine's row added to a table file that many machines share, seen from the
// file and the exit code.

#include "program_run.h"
#include "report_reading.h"
#include "snapshots.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The arguments that append to the table at `path`.
std::wstring CsvTo(const std::wstring& path) { return L"/csv \"" + path + L"\""; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a new table, or a new waiting file, begins with.
const std::string kNewTable = std::string(kUtf8Mark) + kTableHeader;

// A file opened by this process with no sharing, as another writer holds the table, or letting
// others read it, as a spreadsheet does.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path, DWORD share = 0)
        : file_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Held()) CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    }

private:
    HANDLE file_;
};

class TableFileTest : public ::testing::Test {
protected:
    // Runs the program with `arguments` and gives its exit code; it must show no window.
    DWORD ExitCodeOf(const std::wstring& arguments) {
        ProgramRun run(programFolder_.Path(), arguments);
        EXPECT_TRUE(run.ExitsWithoutWindow(30000)) << arguments;
        return run.ExitCode();
    }
    std::wstring Table(std::wstring_view name) const { return tables_ / name; }

    // A new table held by another writer, and the program started to append to it meanwhile.
    struct HeldTableRun {
        HeldTableRun(const std::wstring& programFolder, const std::wstring& path, DWORD share = 0)
            : table(ScopedFile::WithBytes(path, kTableHeader)), held(table.Path(), share), start(GetTickCount64()),
              run(programFolder, CsvTo(table.Path())) {}
        ULONGLONG Elapsed() const { return GetTickCount64() - start; }
        ScopedFile table;
        HeldFile held;
        ULONGLONG start;
        ProgramRun run;
    };

    ScopedFolder programFolder_{L"C:\\quillon-tests\\program"};
    ScopedFolder tables_{L"C:\\quillon-tests\\site reports"};
};

class TableFileOnWindowsTest : public TableFileTest, public ::testing::WithParamInterface<ToldWindows> {
protected:
    void SetUp() override { ASSERT_TRUE(windows_.InEffect()) << "told " << ScopedWindowsVersion::Told(); }
    // Makes the share \\quillon-server\reports, which Wine keeps in the prefix, under dosdevices\unc.
    void MakeShare() {
        wchar_t prefix[MAX_PATH] = {};
        ASSERT_GT(GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH), 0u);
        std::wstring unc = L"Z:" + std::wstring(prefix) + L"/dosdevices/unc";
        std::replace(unc.begin(), unc.end(), L'/', L'\\');
        if (!Exists(unc)) madeUnc_.emplace(unc);
        server_.emplace(unc + L"\\quillon-server");
        share_.emplace(*server_ / L"reports");
    }
    void ExpectRowsWaitThenJoin(HeldTableRun& held, int count, ULONGLONG fromMs, ULONGLONG withinMs);
    ScopedWindowsVersion windows_{GetParam()};
    std::optional<ScopedFolder> madeUnc_, server_, share_;
};

TEST_P(TableFileOnWindowsTest, CreatesTheTableThenAppendsKeepingEveryEarlierByte) {
    const std::wstring path = Table(L"survey.csv");
    const std::string row = RowWithoutFiles() + "<now>\r\n";
    {
        // Nothing goes to standard output when the row goes to a file.
        const std::wstring output = programFolder_ / L"output.txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        ProgramRun run(programFolder_.Path(), CsvTo(path), file);
        CloseHandle(file);
        EXPECT_TRUE(run.ExitsWithoutWindow(30000));
        EXPECT_EQ(run.ExitCode(), 0u);
        EXPECT_EQ(ReadBytes(output), "");
    }
    const std::string first = ReadBytes(path);
    EXPECT_EQ(WithTimesChecked(first), kNewTable + row);

    EXPECT_EQ(ExitCodeOf(L"-CSV \"" + path + L"\""), 0u);
    const std::string second = ReadBytes(path);
    EXPECT_EQ(second.substr(0, first.size()), first) << "the earlier bytes stay as they were";
    EXPECT_EQ(WithTimesChecked(second), kNewTable + row + row);

    // A row cut short, or edited by hand without a line end, keeps its line.
    const std::string edited = second + "EDITED";
    ASSERT_TRUE(WriteBytes(path, edited));
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 0u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(path)), kNewTable + row + row + "EDITED\r\n" + row);
}

TEST_P(TableFileOnWindowsTest, AppendsOnAShare) {
    ASSERT_NO_FATAL_FAILURE(MakeShare());
    EXPECT_EQ(ExitCodeOf(L"/csv \\\\quillon-server\\reports\\survey.csv"), 0u);
    EXPECT_EQ(ExitCodeOf(L"/csv \\\\quillon-server\\reports\\survey.csv"), 0u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(*share_ / L"survey.csv")),
              kNewTable + RowWithoutFiles() + "<now>\r\n" + RowWithoutFiles() + "<now>\r\n");
}

TEST_P(TableFileOnWindowsTest, LeavesAnotherTableAsItIsAndEndsWithTwo) {
    const std::string others[] = {
        "Name,Value\r\nPC-1,1\r\n",
        // The table of the program's earlier versions, without the time of each row.
        "Computer,Catalyst Version,Control Panel Version,ati2dvag.dll,ati3d1ag.dll,ati3d2ag.dll,atioglxx.dll,"
        "ati3duag.dll,atippaxx.dll,atipdsxx.dll,atipuixx.dll\r\nPC-1,Catalyst 3.10,,,,,,,,,\r\n",
        std::string(kTableHeader, sizeof kTableHeader - 3) + "\n",
    };
    for (const std::string& other : others) {
        const ScopedFile table = ScopedFile::WithBytes(Table(L"other.csv"), other);
        EXPECT_EQ(ExitCodeOf(CsvTo(table.Path())), 2u) << other;
        EXPECT_EQ(ReadBytes(table.Path()), other);
    }
}

TEST_P(TableFileOnWindowsTest, RefusesAPlaceATableCannotBeAndCreatesNothing) {
    ASSERT_NO_FATAL_FAILURE(MakeShare());
    const std::string table = kTableHeader + std::string("PC-1,,,,,,,,,,,2026-12-08 09:00:00\r\n");
    const ScopedFile readOnly = ScopedFile::WithBytes(Table(L"read-only.csv"), table);
    ASSERT_TRUE(SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    const ScopedFolder longName(tables_ / std::wstring(100, L'f'));
    const std::wstring pipeName = L"\\\\.\\pipe\\quillon-table";
    HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    FileListing tablesBefore, programBefore;
    AddFiles(tables_.Path(), tablesBefore);
    AddFiles(share_->Path(), tablesBefore);
    AddFiles(programFolder_.Path(), programBefore);

    for (const std::wstring& place :
         {tables_.Path(), tables_.Path() + L"\\", Table(L"missing\\survey.csv"), readOnly.Path(), std::wstring(L"NUL"),
          std::wstring(L"CON"), std::wstring(L"COM1"), Table(L"nul.csv"), pipeName, std::wstring(),
          longName / std::wstring(180, L'x') + L".csv", Table(L"survey-09:00.csv"),
          std::wstring(L"\\\\quillon-server\\reports\\survey-09:00.csv")})
        EXPECT_EQ(ExitCodeOf(CsvTo(place)), 1u) << place;

    DWORD waiting = 0; // left at 0 when the pipe is empty and its client gone
    PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr);
    EXPECT_EQ(waiting, 0u) << "nothing went into the pipe";
    CloseHandle(pipe);
    FileListing tablesAfter, programAfter;
    AddFiles(tables_.Path(), tablesAfter);
    AddFiles(share_->Path(), tablesAfter);
    AddFiles(programFolder_.Path(), programAfter);
    programAfter.erase(programFolder_ / L"Orvel-Quillon.exe"); // each run copies the program there
    EXPECT_EQ(Differences(tablesBefore, tablesAfter), "");
    EXPECT_EQ(Differences(programBefore, programAfter), "");
    EXPECT_EQ(ReadBytes(readOnly.Path()), table);
    SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_P(TableFileOnWindowsTest, WaitsWhileAnotherWriterHoldsTheTable) {
    HeldTableRun held(programFolder_.Path(), Table(L"survey.csv"));
    ASSERT_TRUE(held.held.Held());
    EXPECT_FALSE(held.run.WaitForExit(3000)) << "it waits";
    held.held.Release();
    ASSERT_TRUE(held.run.ExitsWithoutWindow(30000));
    EXPECT_EQ(held.run.ExitCode(), 0u);
    EXPECT_GE(held.Elapsed(), 3000u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(held.table.Path())), kTableHeader + RowWithoutFiles() + "<now>\r\n");
}

// Starts `count` runs at once on the table that `held` holds: each ends with 5 and leaves its row
// beside the table, from `fromMs` on and within `withinMs`. Once it is let go, one more run takes them all in, each
// waiting row once and oldest first, before its own, and leaves nothing beside the table.
void TableFileOnWindowsTest::ExpectRowsWaitThenJoin(HeldTableRun& held, int count, ULONGLONG fromMs,
                                                    ULONGLONG withinMs) {
    const std::wstring path = held.table.Path();
    std::vector<std::unique_ptr<ProgramRun>> runs;
    for (int i = 1; i < count; ++i) runs.push_back(std::make_unique<ProgramRun>(programFolder_.Path(), CsvTo(path)));
    EXPECT_TRUE(held.run.ExitsWithoutWindow(30000));
    EXPECT_EQ(held.run.ExitCode(), 5u);
    for (const auto& run : runs) {
        EXPECT_TRUE(run->ExitsWithoutWindow(30000));
        EXPECT_EQ(run->ExitCode(), 5u);
    }
    EXPECT_GE(held.Elapsed(), fromMs);
    EXPECT_LT(held.Elapsed(), withinMs);
    FileListing beside;
    AddFiles(tables_.Path(), beside);
    beside.erase(path);
    EXPECT_EQ(beside.size(), static_cast<std::size_t>(count));
    std::vector<std::string> rows; // oldest first, as the names sort
    for (const auto& [name, entry] : beside) {
        EXPECT_TRUE(name.starts_with(path + L".waiting.") && name.ends_with(L".csv")) << name;
        const std::string bytes = ReadBytes(name);
        EXPECT_EQ(WithTimesChecked(bytes), kNewTable + RowWithoutFiles() + "<now>\r\n");
        const std::string row = bytes.substr(kNewTable.size());
        if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row); // the same second
    }
    held.held.Release();
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 0u);
    const std::string after = ReadBytes(path);
    const std::string last = after.substr(after.rfind('\n', after.size() - 3) + 1);
    EXPECT_EQ(WithTimesChecked(kTableHeader + last), kTableHeader + RowWithoutFiles() + "<now>\r\n");
    std::string expected = kTableHeader;
    for (const std::string& row : rows) expected += row;
    EXPECT_EQ(after, expected + last);
    FileListing left;
    AddFiles(tables_.Path(), left);
    EXPECT_EQ(left.size(), 1u) << "only the table";
}

TEST_P(TableFileOnWindowsTest, LeavesTheRowBesideATableHeldLongerThan15SecondsAndEndsWithFive) {
    HeldTableRun held(programFolder_.Path(), Table(L"survey.csv"));
    ASSERT_TRUE(held.held.Held());
    ExpectRowsWaitThenJoin(held, 2, 15000, 25000);
}

TEST_P(TableFileOnWindowsTest, LeavesTheRowAtOnceBesideATableASpreadsheetHolds) {
    HeldTableRun held(programFolder_.Path(), Table(L"survey.csv"), FILE_SHARE_READ);
    ASSERT_TRUE(held.held.Held());
    ExpectRowsWaitThenJoin(held, 3, 0, 14000);
}

TEST_P(TableFileOnWindowsTest, WritesTheComputersOwnNameWholeInUtf8) {
    // The name where Windows keeps it, put back after. NT gives it wide, so a name outside the
    // code page (1252) is whole; 98 and ME give it in the code page, and the program converts it.
    const bool nt = !*GetParam().name;
    const std::wstring key = L"System\\CurrentControlSet\\Control\\ComputerName\\", name = L"ComputerName";
    const std::wstring computer = nt ? L"\u0141\u00d3D\u0179-PC" : L"M\u00dcLLER-PC";
    const ScopedRegValue active(HKEY_LOCAL_MACHINE, key + L"ActiveComputerName", name, computer);
    const ScopedRegValue set(HKEY_LOCAL_MACHINE, key + name, name, computer);
    ASSERT_EQ(Utf8ComputerName(), nt ? "\xC5\x81\xC3\x93" "D\xC5\xB9-PC" : "M\xC3\x9CLLER-PC") << "not Wine's source";
    const std::string row = RowWithoutFiles() + "<now>\r\n";
    const std::wstring path = Table(L"survey.csv");
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 0u);
    const std::string table = WithTimesChecked(ReadBytes(path));
    EXPECT_EQ(table.substr(table.find("\r\n") + 2), row) << "the row, whatever begins the table";
    EXPECT_EQ(WithTimesChecked(ReportWritten(programFolder_.Path(), L"/csv")), kUtf8Mark + (kTableHeader + row));
    // A name that cannot be read writes no row, to the table or to standard output.
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, (key + L"ActiveComputerName").c_str(), name.c_str());
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 1u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(path)), table);
    EXPECT_EQ(ReportWritten(programFolder_.Path(), L"/csv", 1), "");
}

TEST_P(TableFileOnWindowsTest, KeepsTheRowsBesideATableSavedWithSemicolonsUntilItIsSetAside) {
    const std::wstring path = Table(L"survey.csv");
    const std::string saved = "Computer;Catalyst Version\r\nPC-1;Catalyst 3.9\r\n";
    ASSERT_TRUE(WriteBytes(path, saved));
    // Each run in a second of its own, one under another case of the table's name.
    for (const wchar_t* name : {L"survey.csv", L"SURVEY.CSV"}) {
        EXPECT_EQ(ExitCodeOf(CsvTo(Table(name))), 2u);
        Sleep(1000);
    }
    EXPECT_EQ(ReadBytes(path), saved);
    ASSERT_TRUE(MoveFileW(path.c_str(), Table(L"survey-saved.csv").c_str()));
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 0u);
    const std::string table = ReadBytes(path), row = RowWithoutFiles() + "<now>\r\n";
    EXPECT_EQ(WithTimesChecked(table), kNewTable + row + row + row);
    const std::size_t a = kNewTable.size(), b = table.find('\n', a) + 1, c = table.find('\n', b) + 1;
    EXPECT_TRUE(table.substr(a, b - a) < table.substr(b, c - b) && table.substr(b, c - b) < table.substr(c))
        << "each once, oldest first: the rows differ in their time alone";
    FileListing left;
    AddFiles(tables_.Path(), left);
    EXPECT_EQ(left.size(), 2u) << "the table and the file set aside";
}

INSTANTIATE_TEST_SUITE_P(Told, TableFileOnWindowsTest, ::testing::Values(kToldWindows[0], kToldWindows[1]),
                         [](const auto& test) { return ToldWindowsTestName(test.param); });

TEST_F(TableFileTest, WritesATableNamedOutsideTheCodePageUnderExactlyThatName) {
    // Windows would give the program "Lodz.csv" for this name in the Western code page.
    const std::wstring path = Table(L"\u0141\u00f3d\u017a.csv");
    EXPECT_EQ(ExitCodeOf(CsvTo(path)), 0u);
    FileListing written;
    AddFiles(tables_.Path(), written);
    EXPECT_EQ(written.size(), 1u) << "no file of another name";
    EXPECT_EQ(WithTimesChecked(ReadBytes(path)), kNewTable + RowWithoutFiles() + "<now>\r\n");
}

TEST_F(TableFileTest, EndsWithThreeWhenTheRowCannotWaitBesideTheHeldTableEither) {
    // A path that leaves no room for the longer name of a waiting file.
    const ScopedFolder folder(tables_ / std::wstring(100, L'f'));
    HeldTableRun held(programFolder_.Path(), folder / (std::wstring(95, L't') + L".csv"), FILE_SHARE_READ);
    ASSERT_TRUE(held.held.Held());
    ASSERT_TRUE(held.run.ExitsWithoutWindow(30000));
    EXPECT_EQ(held.run.ExitCode(), 3u);
    FileListing beside;
    AddFiles(folder.Path(), beside);
    EXPECT_EQ(beside.size(), 1u) << "only the table";
}

} // namespace
