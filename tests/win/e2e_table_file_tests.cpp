// /csv PATH: this machine's row added to a table file that many machines share, seen from the
// file and the exit code.

#include "program_run.h"
#include "report_reading.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The names in a folder, sorted.
std::vector<std::wstring> Listing(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file opened by this process with no sharing, as another writer holds the table.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
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

    ScopedFolder programFolder_{L"C:\\quillon-tests\\program"};
    ScopedFolder tables_{L"C:\\quillon-tests\\site reports"};
};

class TableFileOnWindowsTest : public TableFileTest, public ::testing::WithParamInterface<ToldWindows> {
protected:
    void SetUp() override { ASSERT_TRUE(windows_.InEffect()) << "told " << ScopedWindowsVersion::Told(); }
    ScopedWindowsVersion windows_{GetParam()};
};

TEST_P(TableFileOnWindowsTest, CreatesTheTableThenAppendsKeepingEveryEarlierByte) {
    const std::wstring path = Table(L"survey.csv");
    const std::string row = RowWithoutFiles() + "<now>\r\n";
    {
        // Nothing goes to standard output when the row goes to a file.
        const std::wstring output = programFolder_ / L"output.txt";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        ProgramRun run(programFolder_.Path(), L"/csv \"" + path + L"\"", file);
        CloseHandle(file);
        EXPECT_TRUE(run.ExitsWithoutWindow(30000));
        EXPECT_EQ(run.ExitCode(), 0u);
        EXPECT_EQ(ReadBytes(output), "");
    }
    const std::string first = ReadBytes(path);
    EXPECT_EQ(WithTimesChecked(first), kTableHeader + row);

    EXPECT_EQ(ExitCodeOf(L"-CSV \"" + path + L"\""), 0u);
    const std::string second = ReadBytes(path);
    EXPECT_EQ(second.substr(0, first.size()), first) << "the earlier bytes stay as they were";
    EXPECT_EQ(WithTimesChecked(second), kTableHeader + row + row);

    // A row cut short, or edited by hand without a line end, keeps its line.
    const std::string edited = second + "EDITED";
    ASSERT_TRUE(WriteBytes(path, edited));
    EXPECT_EQ(ExitCodeOf(L"/csv \"" + path + L"\""), 0u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(path)), kTableHeader + row + row + "EDITED\r\n" + row);
}

TEST_P(TableFileOnWindowsTest, AppendsOnAShare) {
    // Wine keeps \\server\share in the prefix, under dosdevices\unc.
    wchar_t prefix[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH), 0u);
    std::wstring unc = L"Z:" + std::wstring(prefix) + L"/dosdevices/unc";
    std::replace(unc.begin(), unc.end(), L'/', L'\\');
    std::optional<ScopedFolder> madeUnc;
    if (!Exists(unc)) madeUnc.emplace(unc);
    const ScopedFolder server(unc + L"\\quillon-server");
    const ScopedFolder folder(server / L"reports");
    EXPECT_EQ(ExitCodeOf(L"/csv \\\\quillon-server\\reports\\survey.csv"), 0u);
    EXPECT_EQ(ExitCodeOf(L"/csv \\\\quillon-server\\reports\\survey.csv"), 0u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(folder / L"survey.csv")),
              kTableHeader + RowWithoutFiles() + "<now>\r\n" + RowWithoutFiles() + "<now>\r\n");
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
        EXPECT_EQ(ExitCodeOf(L"/csv \"" + table.Path() + L"\""), 2u) << other;
        EXPECT_EQ(ReadBytes(table.Path()), other);
    }
}

TEST_P(TableFileOnWindowsTest, RefusesAPlaceATableCannotBeAndCreatesNothing) {
    const std::string table = kTableHeader + std::string("PC-1,,,,,,,,,,,2026-12-08 09:00:00\r\n");
    const ScopedFile readOnly = ScopedFile::WithBytes(Table(L"read-only.csv"), table);
    ASSERT_TRUE(SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    const ScopedFolder longName(tables_ / std::wstring(100, L'f'));
    const std::wstring pipeName = L"\\\\.\\pipe\\quillon-table";
    HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const auto tablesBefore = Listing(tables_.Path());
    auto programBefore = Listing(programFolder_.Path());
    programBefore.push_back(L"Orvel-Quillon.exe"); // each run copies the program there
    std::sort(programBefore.begin(), programBefore.end());

    for (const std::wstring& place :
         {L"\"" + tables_.Path() + L"\"", L"\"" + tables_.Path() + L"\\\"", L"\"" + Table(L"missing\\survey.csv") + L"\"",
          L"\"" + readOnly.Path() + L"\"", std::wstring(L"NUL"), std::wstring(L"CON"), std::wstring(L"COM1"),
          L"\"" + Table(L"nul.csv") + L"\"", pipeName, std::wstring(L"\"\""),
          L"\"" + (longName / std::wstring(180, L'x')) + L".csv\""})
        EXPECT_EQ(ExitCodeOf(L"/csv " + place), 1u) << place;

    DWORD waiting = 0; // left at 0 when the pipe is empty and its client gone
    PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr);
    EXPECT_EQ(waiting, 0u) << "nothing went into the pipe";
    CloseHandle(pipe);
    EXPECT_EQ(Listing(tables_.Path()), tablesBefore);
    EXPECT_EQ(Listing(programFolder_.Path()), programBefore);
    EXPECT_EQ(Listing(longName.Path()).size(), 2u) << "only . and ..";
    EXPECT_EQ(ReadBytes(readOnly.Path()), table);
    SetFileAttributesW(readOnly.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_P(TableFileOnWindowsTest, WaitsWhileAnotherWriterHoldsTheTable) {
    const ScopedFile table = ScopedFile::WithBytes(Table(L"survey.csv"), kTableHeader);
    HeldFile held(table.Path());
    ASSERT_TRUE(held.Held());
    const ULONGLONG start = GetTickCount64();
    ProgramRun run(programFolder_.Path(), L"/csv \"" + table.Path() + L"\"");
    EXPECT_FALSE(run.WaitForExit(3000)) << "it waits";
    held.Release();
    ASSERT_TRUE(run.ExitsWithoutWindow(30000));
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_GE(GetTickCount64() - start, 3000u);
    EXPECT_EQ(WithTimesChecked(ReadBytes(table.Path())), kTableHeader + RowWithoutFiles() + "<now>\r\n");
}

INSTANTIATE_TEST_SUITE_P(Told, TableFileOnWindowsTest, ::testing::Values(kToldWindows[0], kToldWindows[1]),
                         [](const auto& test) { return ToldWindowsTestName(test.param); });

TEST_F(TableFileTest, GivesUpOnATableHeldLongerThan15SecondsAndEndsWithThree) {
    const ScopedFile table = ScopedFile::WithBytes(Table(L"survey.csv"), kTableHeader);
    HeldFile held(table.Path());
    ASSERT_TRUE(held.Held());
    const ULONGLONG start = GetTickCount64();
    ProgramRun run(programFolder_.Path(), L"/csv \"" + table.Path() + L"\"");
    ASSERT_TRUE(run.ExitsWithoutWindow(30000));
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_EQ(run.ExitCode(), 3u);
    EXPECT_GE(took, 15000u);
    EXPECT_LT(took, 20000u);
    held.Release();
    EXPECT_EQ(ReadBytes(table.Path()), kTableHeader);
}

} // namespace
