// The About window of the running program: modal, keyboard, mouse and its mail links.

#include "about/about_layout.h"
#include "app/main_layout.h"
#include "program_run.h"
#include "real_input.h"
#include "test_support.h"
#include "window_probe.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

constexpr char kSettings[] = "[FONT]\r\nName=Default\r\n";

// The About window on every Windows version the program was made for, as Wine reports them.
class AboutTest : public ::testing::TestWithParam<ToldWindows> {
protected:
    void SetUp() override {
        ASSERT_TRUE(settingsWritten_);
        ASSERT_TRUE(windows_.InEffect()) << "told " << ScopedWindowsVersion::Told();
        ASSERT_TRUE(run_.Window());
    }

    // Opens About from the menu and waits for it.
    HWND OpenAbout() {
        PostCommand(run_.Window(), main_layout::kMenuHelpAbout);
        return WaitForVisibleWindow(run_.ProcessId(), kAboutClass, 10000);
    }
    static HWND AboutControl(HWND about, std::wstring_view name) {
        return GetDlgItem(about, ControlId(about_layout::kControls, name));
    }
    // True when the About window is gone within a few seconds.
    static bool Closes(HWND about) {
        for (int i = 0; i < 100 && IsWindow(about); ++i) Sleep(50);
        return !IsWindow(about);
    }

    ScopedFolder folder_{L"C:\\quillon-tests\\about"};
    std::wstring settings_ = folder_ / L"Orvel-Quillon.ini";
    bool settingsWritten_ = WriteBytes(settings_, kSettings); // before the program starts
    ScopedWindowsVersion windows_{GetParam()};
    ProgramRun run_{folder_.Path()};
};

TEST_P(AboutTest, IsModalOverTheMainWindow) {
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_EQ(GetWindow(about, GW_OWNER), run_.Window());
    EXPECT_FALSE(IsWindowEnabled(run_.Window()));
    EXPECT_EQ(GetWindowLongW(about, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME);
    EXPECT_EQ(RemoteText(AboutControl(about, L"lblVersion")), L"Orvel Quillon 3.10");
    EXPECT_EQ(RemoteText(AboutControl(about, L"lblMail")), about_layout::kPrimaryAddress);
    EXPECT_EQ(RemoteText(AboutControl(about, L"cmdOK")), L"OK");
    const HWND ok = AboutControl(about, L"cmdOK");
    EXPECT_TRUE(WaitUntil([&] { return CountScreenPixels(ok, GetSysColor(COLOR_BTNFACE), 1) == 0; }))
        << "OK's top edge is drawn whole, also where the copyright line's rectangle reaches into it";

    // A click on the main window's Close does nothing while About is open.
    ASSERT_TRUE(ClickWithMouse(run_.Control(L"cmdClose")));
    Sleep(300);
    EXPECT_FALSE(run_.WaitForExit(0));
    EXPECT_TRUE(IsWindow(about));

    ASSERT_TRUE(ClickWithMouse(AboutControl(about, L"cmdOK")));
    ASSERT_TRUE(Closes(about));
    EXPECT_TRUE(IsWindowEnabled(run_.Window()));
    EXPECT_FALSE(run_.WaitForExit(0));
    about = OpenAbout(); // closed as Alt+F4 or another program closes it, it gives the main window back
    ASSERT_TRUE(about && WaitUntil([&] { return GetForegroundWindow() == about; }));
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closes(about) && WaitUntil([&] {
                    return IsWindowEnabled(run_.Window()) && GetForegroundWindow() == run_.Window();
                }));
}

TEST_P(AboutTest, EscapeLeavesItOpenAndEnterOrSpaceOnOkCloseIt) {
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    HWND ok = AboutControl(about, L"cmdOK");
    ASSERT_TRUE(PressKeys(ok, {VK_ESCAPE}));
    Sleep(400);
    EXPECT_TRUE(IsWindowVisible(about));
    ASSERT_TRUE(PressKeys(ok, {VK_RETURN}));
    ASSERT_TRUE(Closes(about));

    about = OpenAbout(); // reopening makes a new window
    ASSERT_TRUE(about);
    ASSERT_TRUE(PressKeys(AboutControl(about, L"cmdOK"), {VK_SPACE}));
    ASSERT_TRUE(Closes(about));
    EXPECT_TRUE(IsWindowEnabled(run_.Window()));
}

TEST_P(AboutTest, MailLinksReachTheMailProgramAsWritten) {
    const std::wstring log = folder_ / L"mailto.log";
    const std::wstring recorder = TestFolder() + L"\\mail-recorder.exe";
    const ScopedRegValue handler(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", L"",
                                 L"\"" + recorder + L"\" \"" + log + L"\" \"%1\"");
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    const std::string primary = "mailto:support@quillon.example.com?subject=Scrubwell Support\n";
    const std::string secondary = "mailto:drivers@quillon.example.org?subject=Scrubwell Support\n";
    // Each mail program is a process of its own: one click at a time keeps the log in the
    // order of the clicks, and the clicks far enough apart not to make a double click.
    std::string expected;
    for (const auto& [label, link] : {std::pair{L"lblMail", primary}, std::pair{L"lblMail", primary},
                                      std::pair{L"lblMailS", secondary}}) {
        Sleep(700);
        ASSERT_TRUE(ClickWithMouse(AboutControl(about, label)));
        expected += link;
        // Starting a Wine process takes seconds when both CPUs are busy: wait up to 30.
        for (int i = 0; i < 300 && ReadBytes(log).size() < expected.size(); ++i) Sleep(100);
    }
    EXPECT_EQ(ReadBytes(log), expected);
    EXPECT_TRUE(IsWindowVisible(about)) << "the About window stays open";
    EXPECT_EQ(ReadBytes(settings_), kSettings) << "the settings file is never written";
}

INSTANTIATE_TEST_SUITE_P(Told, AboutTest, ::testing::ValuesIn(kToldWindows),
                         [](const auto& test) { return ToldWindowsTestName(test.param); });

} // namespace
