// The program started as a user starts it, its report read from its window.

#include "about/about_layout.h"
#include "app/main_layout.h"
#include "program_run.h"
#include "real_input.h"
#include "report_reading.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Placed {
    std::wstring_view fixture;
    std::wstring_view folder; // L"" for the system folder, else below Program Files
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override { programFiles_ = ProgramFilesFolder(); }

    // Puts fixtures in place under their real names, for this test only.
    void Place(std::initializer_list<Placed> files) {
        for (const Placed& file : files) {
            std::wstring folder = SystemFolder();
            if (!file.folder.empty()) {
                folder = programFiles_ + L"\\" + std::wstring(file.folder);
                CreateFolders(folder);
                createdFolders_.push_back(programFiles_ + L"\\" +
                                          std::wstring(file.folder.substr(0, file.folder.find(L'\\'))));
            }
            placed_.push_back(ScopedFile::FixtureIn(file.fixture, folder));
        }
    }
    // A complete Catalyst 3.10: the driver files in the system folder, the control-panel files
    // under Program Files.
    void PlaceSampleInstallation() {
        Place({{L"ati2dvag-6.14.10.6404", L""}, {L"ati3d1ag-6.14.10.409", L""}, {L"ati3d2ag-6.14.10.409", L""},
               {L"atioglxx-6.14.10.4227", L""}, {L"ati3duag-6.14.10.409", L""},
               {L"atippaxx-6.14.10.5072", L"ATI Technologies\\ATI Control Panel"},
               {L"atipdsxx-6.14.10.5072", L"ATI Technologies\\ATI Control Panel"},
               {L"atipuixx-6.14.10.5072", L"ATI Technologies\\ATI Control Panel"}});
    }
    void TearDown() override {
        placed_.clear();
        for (const std::wstring& folder : createdFolders_) RemoveTree(folder);
    }

    std::wstring programFiles_;
    std::vector<ScopedFile> placed_;
    std::vector<std::wstring> createdFolders_;
    ScopedFolder programFolder_{L"C:\\quillon-tests\\program"};
};

constexpr std::wstring_view kCaptionLabels[] = {L"Label1", L"Label2", L"Label3", L"Label7",
                                                L"Label9", L"Label11", L"Label13", L"Label15"};
constexpr std::wstring_view kValueLabels[] = {L"Label4", L"Label5", L"Label6", L"Label8",
                                              L"Label10", L"Label12", L"Label14", L"Label16"};
constexpr std::wstring_view kFileNames[] = {L"ati2dvag.dll", L"ati3d1ag.dll", L"ati3d2ag.dll",
                                            L"atioglxx.dll", L"ati3duag.dll", L"atippaxx.dll",
                                            L"atipdsxx.dll", L"atipuixx.dll"};

// The same program on the Windows versions it was made for, as Wine reports them to it.
class ReportOnWindowsTest : public ReportTest, public ::testing::WithParamInterface<ToldWindows> {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        ASSERT_TRUE(windows_.InEffect()) << "told " << ScopedWindowsVersion::Told();
    }
    ScopedWindowsVersion windows_{GetParam()};
};

TEST_P(ReportOnWindowsTest, ShowsTheSampleInstallationAndCtrlCCopiesIt) {
    PlaceSampleInstallation();
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    EXPECT_EQ(RemoteText(run.Window()), L"Orvel Quillon 3.10");
    const std::wstring_view versions[] = {L"6.14.10.6404", L"6.14.10.409",  L"6.14.10.409",  L"6.14.10.4227",
                                          L"6.14.10.409",  L"6.14.10.5072", L"6.14.10.5072", L"6.14.10.5072"};
    for (std::size_t line = 0; line < 8; ++line) {
        EXPECT_EQ(run.Text(kCaptionLabels[line]), std::wstring(kFileNames[line]) + L": ");
        EXPECT_EQ(run.Text(kValueLabels[line]), versions[line]) << line;
    }
    EXPECT_EQ(run.Text(L"Label17"), L"Catalyst 3.10");
    EXPECT_EQ(run.Text(L"Label18"), L"For Catalyst 3.10");

    EmptyTheClipboard();
    const std::wstring expected(std::begin(kSampleReport), std::end(kSampleReport) - 1);
    EXPECT_EQ(CopiedByKeys(run.Control(L"cmdClose"), {VK_CONTROL, 'C'}), expected);
    EXPECT_EQ(ClipboardText(CF_TEXT), expected) << "and as ANSI text";
}

TEST_P(ReportOnWindowsTest, WithoutAnyFileShowsNamesEmptyValuesAndDefaultVerdicts) {
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    for (std::size_t line = 0; line < 8; ++line) {
        EXPECT_EQ(run.Text(kCaptionLabels[line]), std::wstring(kFileNames[line]) + L": ");
        EXPECT_EQ(run.Text(kValueLabels[line]), L"") << line;
    }
    EXPECT_EQ(run.Text(L"Label17"), L"Unknown Version / Beta Version");
    EXPECT_EQ(run.Text(L"Label18"), L"Unknown Version / Beta version");
    EXPECT_EQ(WithTimesChecked(ReportWritten(programFolder_.Path(), L"/csv")),
              kUtf8Mark + (kTableHeader + RowWithoutFiles()) + "<now>\r\n");
}

TEST_P(ReportOnWindowsTest, ReportAndTableSwitchesWriteTheReportAndShowNoWindow) {
    PlaceSampleInstallation();
    for (const wchar_t* argument : {L"/report", L"-Report"})
        EXPECT_EQ(ReportWritten(programFolder_.Path(), argument), kSampleReport) << argument;
    // The bytes a new table begins with, the byte-order mark first.
    const std::string table = kUtf8Mark + (kTableHeader + Utf8ComputerName()) +
                              ",Catalyst 3.10,For Catalyst 3.10,6.14.10.6404,6.14.10.409,6.14.10.409,6.14.10.4227,"
                              "6.14.10.409,6.14.10.5072,6.14.10.5072,6.14.10.5072,<now>\r\n";
    for (const wchar_t* argument : {L"/csv", L"-CSV", L"\"/csv\""})
        EXPECT_EQ(WithTimesChecked(ReportWritten(programFolder_.Path(), argument)), table) << argument;
    EXPECT_EQ(ReportWritten(programFolder_.Path(), L"/?"), "Usage: Orvel-Quillon.exe [/report | /csv [PATH]]\r\n");
}

// DLLs under the names of system DLLs the program uses, put where a download folder, a USB stick
// or a share that others can write to would hold them. Wine prefers its own DLLs, so the program
// is told to prefer a DLL found by search for these names, as Windows does for every DLL that is
// not a KnownDLL.
class PlantedDlls {
public:
    explicit PlantedDlls(const std::wstring& folder) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides_, nullptr);
        for (const wchar_t* name : kNames) {
            constexpr wchar_t kNativeFirst[] = L"native,builtin";
            RegSetValueExW(overrides_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(kNativeFirst), sizeof kNativeFirst);
            planted_.push_back(ScopedFile::CopyOf(L"planted.dll", folder + L"\\" + name + L".dll"));
        }
    }
    ~PlantedDlls() {
        RegCloseKey(overrides_);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Orvel-Quillon.exe");
    }
    PlantedDlls(const PlantedDlls&) = delete;
    PlantedDlls& operator=(const PlantedDlls&) = delete;

    // The planted DLLs that were loaded, one path a line.
    std::string Loaded() const { return ReadBytes(log_.Path()); }

private:
    static constexpr const wchar_t* kNames[] = {L"version", L"comctl32", L"uxtheme", L"dwmapi", L"shell32"};
    static constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Orvel-Quillon.exe\\DllOverrides";
    HKEY overrides_{};
    ScopedFile log_ = ScopedFile::WithBytes(L"C:\\quillon-tests\\planted.log", "");
    std::vector<ScopedFile> planted_;
};

std::string LinesNotEndingWith(const std::string& text, std::string_view ending) {
    std::string kept;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string_view line(text.data() + start, end + 1 - start);
        if (!line.ends_with(ending)) kept += line;
    }
    return kept;
}

// Every part of the program that loads something: the window, Ctrl+C, About with a mail-link
// click, and /report. Each gives the usual report.
void UseEveryPart(const std::wstring& programFolder) {
    const std::wstring expected(std::begin(kSampleReport), std::end(kSampleReport) - 1);
    const std::wstring mailLog = programFolder + L"\\mailto.log";
    const ScopedRegValue mailHandler(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", L"",
                                     L"\"" + TestFolder() + L"\\mail-recorder.exe\" \"" + mailLog + L"\" \"%1\"");
    {
        ProgramRun run(programFolder);
        ASSERT_TRUE(run.Window());
        EXPECT_EQ(CopiedByKeys(run.Control(L"cmdClose"), {VK_CONTROL, 'C'}), expected);
        PostCommand(run.Window(), main_layout::kMenuHelpAbout);
        HWND about = WaitForVisibleWindow(run.ProcessId(), kAboutClass, 10000);
        ASSERT_TRUE(about);
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(about, about_layout::kMail)));
        for (int i = 0; i < 300 && ReadBytes(mailLog).empty(); ++i) Sleep(100);
        EXPECT_EQ(ReadBytes(mailLog), "mailto:support@quillon.example.com?subject=Scrubwell Support\n");
    }
    EXPECT_EQ(ReportWritten(programFolder, L"/report"), kSampleReport);
}

TEST_P(ReportOnWindowsTest, LoadsNoDllPlantedBesideIt) {
    PlaceSampleInstallation();
    const PlantedDlls planted(programFolder_.Path());
    UseEveryPart(programFolder_.Path());
    // Wine's own user32 imports version.dll, so Wine loads that one before the program starts;
    // the report above shows that the program read nothing through it.
    EXPECT_EQ(LinesNotEndingWith(planted.Loaded(), "\\version.dll\r\n"), "");
}

TEST_P(ReportOnWindowsTest, LoadsNoDllPlantedInItsCurrentFolder) {
    PlaceSampleInstallation();
    const ScopedFolder current(L"C:\\quillon-tests\\current");
    const PlantedDlls planted(current.Path());
    // The program is started from here, as from a command prompt in that folder.
    struct InCurrentFolder {
        explicit InCurrentFolder(const std::wstring& folder)
            : before(GetCurrentDirectoryW(MAX_PATH, previous) ? previous : L""),
              entered(SetCurrentDirectoryW(folder.c_str())) {}
        ~InCurrentFolder() { SetCurrentDirectoryW(before.c_str()); }
        wchar_t previous[MAX_PATH] = {};
        std::wstring before;
        bool entered;
    };
    {
        const InCurrentFolder there(current.Path());
        ASSERT_TRUE(there.entered);
        UseEveryPart(programFolder_.Path());
    }
    EXPECT_EQ(planted.Loaded(), "");
}

// Releases named by a settings file beside the program: read with the wide functions on NT, the ANSI ones on 98.
TEST_P(ReportOnWindowsTest, SettingsFileNamesAVersionNoBuiltInRowNamesAndNoOtherOne) {
    Place({{L"atippaxx-6.14.10.5074", L"ATI Technologies\\ATI Control Panel"}});
    const ScopedFile settings = ScopedFile::WithBytes(programFolder_ / L"Orvel-Quillon.ini",
                                                      "[Catalyst Version]\r\n6.14.10.6404=Catalyst 9.9\r\n"
                                                      "4.14.01.9240=Catalyst\t4.1\r\n[Control Panel Version]\r\n"
                                                      "6.14.10.5074=For 4.1, \"final\"\r\n");
    for (auto [fixture, release] :
         {std::pair{L"ati2dvag-4.14.1.9240", "Catalyst 4.1"}, std::pair{L"ati2dvag-6.14.10.6404", "Catalyst 3.10"}}) {
        const ScopedFile driver = ScopedFile::FixtureIn(fixture, SystemFolder());
        {
            ProgramRun run(programFolder_.Path());
            ASSERT_TRUE(run.Window());
            EXPECT_EQ(run.Text(L"Label17"), std::wstring(release, release + std::strlen(release)));
            EXPECT_EQ(run.Text(L"Label18"), L"For 4.1, \"final\"");
        }
        const std::string verdicts = "Catalyst Version: " + std::string(release) + "\r\nControl Panel Version: For 4";
        EXPECT_NE(ReportWritten(programFolder_.Path(), L"/report").find(verdicts), std::string::npos) << release;
    }
}

INSTANTIATE_TEST_SUITE_P(Told, ReportOnWindowsTest, ::testing::ValuesIn(kToldWindows),
                         [](const auto& test) { return ToldWindowsTestName(test.param); });

TEST_F(ReportTest, NamesTheDriverRelease) {
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        {L"ati2dvag-6.14.10.6404", L"Catalyst 3.10"},
        {L"ati2dvag-6.14.10.6334", L"Catalyst 3.3 (Dell)"},
        {L"ati2dvag-4.13.1.9039", L"Catalyst 2.1"},
        {L"ati2dvag-6.14.10.6405", L"Unknown Version / Beta Version"},
        {L"no-version", L"Unknown Version / Beta Version"},
    };
    for (auto [fixture, release] : cases) {
        const ScopedFile driver = ScopedFile::CopyOf(std::wstring(fixture) + L".dll", SystemFolder() + L"\\ati2dvag.dll");
        ProgramRun run(programFolder_.Path());
        ASSERT_TRUE(run.Window());
        EXPECT_EQ(run.Text(L"Label17"), release) << std::wstring(fixture);
        if (fixture == L"ati2dvag-4.13.1.9039") {
            EXPECT_EQ(run.Text(L"Label4"), L"4.13.1.9039");
        }
    }
}

TEST_F(ReportTest, CloseAndExitEndTheProgram) {
    for (int way = 0; way < 4; ++way) {
        ProgramRun run(programFolder_.Path());
        ASSERT_TRUE(run.Window());
        if (way == 0) {
            ASSERT_TRUE(ClickWithMouse(run.Control(L"cmdClose")));
        } else if (way == 1) {
            PostCommand(run.Window(), main_layout::kMenuFileExit);
        } else if (way == 3) { // sent, as a tool that closes programs politely may do
            SendMessageTimeoutW(run.Window(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        } else {
            PostMessageW(run.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        ASSERT_TRUE(run.WaitForExit(5000)) << way;
        EXPECT_EQ(run.ExitCode(), 0u) << way;
    }
}

TEST_F(ReportTest, ControlPanelFilesInTheSystemFolder) {
    Place({{L"atippaxx-6.14.10.5072", L""}, {L"atipdsxx-6.14.10.5072", L""}, {L"atipuixx-6.14.10.5072", L""}});
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    EXPECT_EQ(run.Text(L"Label12"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label14"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label16"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label18"), L"For Catalyst 3.10");
}

TEST_F(ReportTest, ControlPanelFilesOnlyUnderAtiTechnologies) {
    Place({{L"atippaxx-6.14.10.5061", L"ATI Technologies\\ATI Control Panel"},
           {L"atipuixx-6.14.10.5072", L"ATI Technologies\\ATI Control Panel"}});
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    EXPECT_EQ(run.Text(L"Label12"), L"6.14.10.5061");
    EXPECT_EQ(run.Text(L"Label14"), L"");
    EXPECT_EQ(run.Text(L"Label16"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label18"), L"For Catalyst 3.9");
}

TEST_F(ReportTest, SystemFolderWinsOverProgramFiles) {
    Place({{L"atippaxx-6.14.10.5072", L""},
           {L"atippaxx-6.14.10.5061", L"ATI Technology\\ATI Control Panel"},
           {L"atipdsxx-6.14.10.5072", L"ATI Technology\\ATI Control Panel"}});
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    EXPECT_EQ(run.Text(L"Label12"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label14"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label18"), L"For Catalyst 3.10");
}

TEST_F(ReportTest, OnlyAtippaxxNamesTheControlPanelRelease) {
    Place({{L"atipdsxx-6.14.10.5072", L""}, {L"atipuixx-6.14.10.5072", L""}});
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    EXPECT_EQ(run.Text(L"Label12"), L"");
    EXPECT_EQ(run.Text(L"Label14"), L"6.14.10.5072");
    EXPECT_EQ(run.Text(L"Label18"), L"Unknown Version / Beta version");
}

TEST_F(ReportTest, ProgramFilesFolderComesFromTheRegistry) {
    const ScopedFolder elsewhere(L"C:\\quillon-tests\\Other Program Files");
    CreateFolders(elsewhere / L"ATI Technologies\\ATI Control Panel");
    const ScopedFile panel = ScopedFile::CopyOf(
        L"atippaxx-6.14.10.5072.dll", elsewhere / L"ATI Technologies\\ATI Control Panel\\atippaxx.dll");
    constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion";
    const ScopedRegValue programFiles(HKEY_LOCAL_MACHINE, kKey, L"ProgramFilesDir", elsewhere.Path());
    const auto before = RegistryValues(HKEY_LOCAL_MACHINE, kKey);
    ASSERT_FALSE(before.empty());
    {
        ProgramRun run(programFolder_.Path());
        ASSERT_TRUE(run.Window());
        EXPECT_EQ(run.Text(L"Label12"), L"6.14.10.5072");
        EXPECT_EQ(run.Text(L"Label18"), L"For Catalyst 3.10");
    }
    EXPECT_EQ(RegistryValues(HKEY_LOCAL_MACHINE, kKey), before);
}

TEST_F(ReportTest, CtrlCAndCtrlInsertCopyTheReportAndChangeNothingElse) {
    PlaceSampleInstallation();
    ProgramRun run(programFolder_.Path());
    ASSERT_TRUE(run.Window());
    const std::wstring expected(std::begin(kSampleReport), std::end(kSampleReport) - 1);
    HWND close = run.Control(L"cmdClose");
    for (WORD key : {WORD{'C'}, WORD{VK_INSERT}}) {
        EmptyTheClipboard();
        EXPECT_EQ(CopiedByKeys(close, {VK_CONTROL, key}), expected) << key;
        EXPECT_EQ(ClipboardText(CF_TEXT), expected) << "and as ANSI text";
    }
    // Pressed quickly many times, it takes every press and puts the same text there each time.
    KeyWitness witness(close);
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(PressKeys(close, {VK_CONTROL, 'C'}));
    WaitUntil([&] { return witness.Taken() >= 10; });
    EXPECT_EQ(witness.Taken(), 10);
    EmptyTheClipboard();
    EXPECT_EQ(CopiedByKeys(close, {VK_CONTROL, 'C'}), expected);

    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(run.Window(), nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, close) << "the focus stays on Close";
    EXPECT_EQ(run.Text(L"Label4"), L"6.14.10.6404");
    EXPECT_FALSE(run.WaitForExit(0));
}

TEST_F(ReportTest, ReportOrTableIntoAClosedPipeEndsWithOne) {
    for (const wchar_t* argument : {L"/report", L"/csv"}) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE read = nullptr, write = nullptr;
        ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
        CloseHandle(read); // the reader has gone before the report is written
        ProgramRun run(programFolder_.Path(), argument, write);
        CloseHandle(write);
        EXPECT_TRUE(run.ExitsWithoutWindow(20000)) << argument;
        EXPECT_EQ(run.ExitCode(), 1u) << argument;
    }
}

} // namespace
