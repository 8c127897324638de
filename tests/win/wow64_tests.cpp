// The shipped 32-bit program on 64-bit Windows, where it runs under WOW64: it reports the files
// that a native program sees, in the native system folder and under the Program Files folder of
// the 64-bit registry view, and never their 32-bit stand-ins. These tests run in a 64-bit prefix;
// the test program is a 32-bit one too, and reaches the native system folder as Sysnative. The
// last one calls the program's probes in-process.

#include "probe/probe_win.h"
#include "program_run.h"
#include "report/report_lines.h"
#include "report_reading.h"
#include "snapshots.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr wchar_t kCurrentVersion[] = L"Software\\Microsoft\\Windows\\CurrentVersion";

std::wstring WindowsFolder() {
    wchar_t path[MAX_PATH] = {};
    return std::wstring(path, GetWindowsDirectoryW(path, MAX_PATH));
}

// The report as the main window shows it, in the form Ctrl+C gives it.
std::string ReportShown(ProgramRun& run) {
    std::wstring shown = RemoteText(run.Window()) + L"\r\nCatalyst Version: " + run.Text(L"Label17") +
                         L"\r\nControl Panel Version: " + run.Text(L"Label18") + L"\r\n";
    for (const FileLine& line : kFileLines) {
        const std::wstring version = run.Text(line.valueLabel);
        shown += run.Text(line.captionLabel) + (version.empty() ? L"(none)" : version) + L"\r\n";
    }
    return std::string(shown.begin(), shown.end());
}

class Wow64Test : public ::testing::Test {
protected:
    void SetUp() override {
        BOOL underWow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &underWow64) && underWow64)
            << "these tests run in a 64-bit prefix";
        ASSERT_EQ(programFiles64_, L"C:\\Program Files");
        ASSERT_EQ(ProgramFilesFolder(KEY_WOW64_32KEY), L"C:\\Program Files (x86)");
    }
    void TearDown() override {
        placed_.clear();
        for (const std::wstring& folder : createdFolders_) RemoveTree(folder);
    }

    // Puts a fixture in place under its real name, for this test only: in a system folder, or in
    // the ATI control panel's folder under a Program Files folder.
    void Place(std::wstring_view fixture, const std::wstring& folder) {
        placed_.push_back(ScopedFile::FixtureIn(fixture, folder));
    }
    void PlaceUnder(const std::wstring& programFiles, std::wstring_view fixture) {
        const std::wstring vendor = programFiles + L"\\ATI Technologies";
        if (GetFileAttributesW(vendor.c_str()) == INVALID_FILE_ATTRIBUTES) createdFolders_.push_back(vendor);
        CreateFolders(vendor + L"\\ATI Control Panel");
        Place(fixture, vendor + L"\\ATI Control Panel");
    }

    // Runs the program and gives its report three ways: from its window, from the clipboard after
    // Ctrl+C, and from /report. Also checks that the run changed nothing in the key it reads
    // Program Files from, in both registry views, or in the folders it reads.
    std::vector<std::string> ReportsOfARun() {
        const auto listFiles = [&] {
            FileListing listing;
            for (const std::wstring& folder : {native_, wow64_, programFiles64_, ProgramFilesFolder(KEY_WOW64_32KEY)})
                AddFiles(folder, listing);
            return listing;
        };
        const RegistryTree native = RegistrySnapshot(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WOW64_64KEY);
        const RegistryTree wow64 = RegistrySnapshot(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WOW64_32KEY);
        const FileListing files = listFiles();
        EXPECT_GT(native.size(), 100u);
        EXPECT_GT(files.size(), 100u);

        std::vector<std::string> reports;
        {
            ProgramRun run(programFolder_.Path());
            EXPECT_TRUE(run.Window());
            if (!run.Window()) return {};
            reports.push_back(ReportShown(run));
            EmptyTheClipboard();
            const std::wstring copied = CopiedByKeys(run.Control(L"cmdClose"), {VK_CONTROL, 'C'});
            reports.emplace_back(copied.begin(), copied.end());
        }
        reports.push_back(ReportWritten(programFolder_.Path(), L"/report"));

        EXPECT_EQ(Differences(native, RegistrySnapshot(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WOW64_64KEY)), "");
        EXPECT_EQ(Differences(wow64, RegistrySnapshot(HKEY_LOCAL_MACHINE, kCurrentVersion, KEY_WOW64_32KEY)), "");
        EXPECT_EQ(Differences(files, listFiles()), "");
        return reports;
    }

    const std::wstring native_ = WindowsFolder() + L"\\Sysnative";
    const std::wstring wow64_ = WindowsFolder() + L"\\SysWOW64";
    const std::wstring programFiles64_ = ProgramFilesFolder(KEY_WOW64_64KEY);
    std::vector<ScopedFile> placed_;
    std::vector<std::wstring> createdFolders_;
    ScopedFolder programFolder_{L"C:\\quillon-tests\\program"};
};

TEST_F(Wow64Test, ReportsTheDriverInTheNativeFolders) {
    for (std::wstring_view driver : {L"ati2dvag-6.14.10.6404", L"ati3d1ag-6.14.10.409", L"ati3d2ag-6.14.10.409",
                                     L"atioglxx-6.14.10.4227", L"ati3duag-6.14.10.409"})
        Place(driver, native_);
    for (std::wstring_view panel : {L"atippaxx-6.14.10.5072", L"atipdsxx-6.14.10.5072", L"atipuixx-6.14.10.5072"})
        PlaceUnder(programFiles64_, panel);
    for (const std::string& report : ReportsOfARun()) EXPECT_EQ(report, kSampleReport);
}

TEST_F(Wow64Test, TheNativeFilesWinOverTheirStandInsInSysWow64) {
    Place(L"ati2dvag-6.14.10.6404", native_);
    Place(L"ati2dvag-6.14.10.6334", wow64_);
    Place(L"atippaxx-6.14.10.5072", native_);
    Place(L"atippaxx-6.14.10.5061", wow64_);
    Place(L"ati3d1ag-6.14.10.409", wow64_); // only a 32-bit companion: no file of the driver's
    for (const std::string& report : ReportsOfARun())
        EXPECT_EQ(report, "Orvel Quillon 3.10\r\n"
                          "Catalyst Version: Catalyst 3.10\r\n"
                          "Control Panel Version: For Catalyst 3.10\r\n"
                          "ati2dvag.dll: 6.14.10.6404\r\n"
                          "ati3d1ag.dll: (none)\r\n"
                          "ati3d2ag.dll: (none)\r\n"
                          "atioglxx.dll: (none)\r\n"
                          "ati3duag.dll: (none)\r\n"
                          "atippaxx.dll: 6.14.10.5072\r\n"
                          "atipdsxx.dll: (none)\r\n"
                          "atipuixx.dll: (none)\r\n");
}

TEST_F(Wow64Test, ProgramFilesComesFromThe64BitRegistryView) {
    const ScopedFolder custom(L"C:\\quillon-tests\\Native Program Files");
    const ScopedRegValue programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, L"ProgramFilesDir", custom.Path(),
                                      KEY_WOW64_64KEY);
    ASSERT_EQ(ProgramFilesFolder(KEY_WOW64_64KEY), custom.Path());
    ASSERT_EQ(ProgramFilesFolder(KEY_WOW64_32KEY), L"C:\\Program Files (x86)");
    PlaceUnder(custom.Path(), L"atipuixx-6.14.10.5072");
    PlaceUnder(custom.Path(), L"atippaxx-6.14.10.5072");
    // The 32-bit view's folder, and the 64-bit view's usual one, hold another release.
    PlaceUnder(L"C:\\Program Files (x86)", L"atippaxx-6.14.10.5061");
    PlaceUnder(programFiles64_, L"atippaxx-6.14.10.5061");
    for (const std::string& report : ReportsOfARun())
        EXPECT_EQ(report, "Orvel Quillon 3.10\r\n"
                          "Catalyst Version: Unknown Version / Beta Version\r\n"
                          "Control Panel Version: For Catalyst 3.10\r\n"
                          "ati2dvag.dll: (none)\r\n"
                          "ati3d1ag.dll: (none)\r\n"
                          "ati3d2ag.dll: (none)\r\n"
                          "atioglxx.dll: (none)\r\n"
                          "ati3duag.dll: (none)\r\n"
                          "atippaxx.dll: 6.14.10.5072\r\n"
                          "atipdsxx.dll: (none)\r\n"
                          "atipuixx.dll: 6.14.10.5072\r\n");
}

// The probes see the native system folder only while they open a file: afterwards, on every way
// out, the thread sees SysWOW64 again as the system folder, as the rest of the program needs.
TEST_F(Wow64Test, ProbesTurnTheRedirectionBackOn) {
    Place(L"ati2dvag-6.14.10.6404", native_);
    Place(L"ati3d1ag-6.14.10.409", wow64_);
    Place(L"no-version", native_);
    const std::wstring system = SystemFolder();
    const auto redirected = [&] {
        return GetFileAttributesW((system + L"\\ati3d1ag.dll").c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    ASSERT_TRUE(redirected());
    EXPECT_EQ(GetVersionText(system + L"\\ati2dvag.dll"), L"6.14.10.6404");
    EXPECT_TRUE(redirected()) << "after a version read";
    EXPECT_EQ(GetVersionText(system + L"\\no-version.dll"), L"");
    EXPECT_TRUE(redirected()) << "after a file without a version";
    EXPECT_EQ(GetVersionText(system + L"\\atioglxx.dll"), L"");
    EXPECT_TRUE(redirected()) << "after a missing file";
    EXPECT_TRUE(DoesFileExist(system + L"\\ati2dvag.dll"));
    EXPECT_TRUE(redirected()) << "after a file found";
    EXPECT_FALSE(DoesFileExist(system + L"\\ati3d1ag.dll"));
    EXPECT_TRUE(redirected()) << "after a file not found";
}

} // namespace
