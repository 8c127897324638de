// The program only reads: after a run with every window and command used, the registry and
// the folders it looks at are exactly as before.

#include "about/about_layout.h"
#include "app/main_layout.h"
#include "program_run.h"
#include "real_input.h"
#include "snapshots.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadOnly, ARunWithEveryCommandWritesNothing) {
    const ScopedFolder program(L"C:\\quillon-tests\\read-only-run");
    const ScopedFolder mail(L"C:\\quillon-tests\\mail");
    ASSERT_TRUE(WriteBytes(program / L"Orvel-Quillon.ini", "[FONT]\r\nName=Tahoma\r\n"));
    const ScopedFile driver = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", SystemFolder() + L"\\ati2dvag.dll");
    const std::wstring log = mail / L"mailto.log";
    const ScopedRegValue handler(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command", L"",
                                 L"\"" + TestFolder() + L"\\mail-recorder.exe\" \"" + log + L"\" \"%1\"");
    CopyFileW(BuiltProgram().c_str(), (program / L"Orvel-Quillon.exe").c_str(), FALSE);

    const auto listFiles = [&] {
        FileListing listing;
        for (const std::wstring& folder : {program.Path(), SystemFolder(), ProgramFilesFolder()})
            AddFiles(folder, listing);
        return listing;
    };
    const RegistryTree machineBefore = RegistrySnapshot(HKEY_LOCAL_MACHINE);
    const RegistryTree userBefore = RegistrySnapshot(HKEY_CURRENT_USER);
    const FileListing filesBefore = listFiles();
    ASSERT_GT(machineBefore.size(), 100u);
    ASSERT_GT(filesBefore.size(), 100u);

    {
        ProgramRun run(program.Path());
        ASSERT_TRUE(run.Window());
        EXPECT_EQ(run.Text(L"Label17"), L"Catalyst 3.10");
        PostCommand(run.Window(), main_layout::kMenuHelpAbout);
        HWND about = WaitForVisibleWindow(run.ProcessId(), kAboutClass, 10000);
        ASSERT_TRUE(about);
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(about, ControlId(about_layout::kControls, L"lblMail"))));
        for (int i = 0; i < 100 && ReadBytes(log).empty(); ++i) Sleep(100);
        EXPECT_FALSE(ReadBytes(log).empty()) << "the mail link was handed over";
        ASSERT_TRUE(ClickWithMouse(GetDlgItem(about, ControlId(about_layout::kControls, L"cmdOK"))));
        for (int i = 0; i < 100 && IsWindow(about); ++i) Sleep(50);
        ASSERT_FALSE(IsWindow(about)) << "OK closed the About window";
        ASSERT_TRUE(ClickWithMouse(run.Control(L"cmdClose")));
        ASSERT_TRUE(run.WaitForExit(5000));
    }

    EXPECT_EQ(Differences(machineBefore, RegistrySnapshot(HKEY_LOCAL_MACHINE)), "");
    EXPECT_EQ(Differences(userBefore, RegistrySnapshot(HKEY_CURRENT_USER)), "");
    EXPECT_EQ(Differences(filesBefore, listFiles()), "");
}

} // namespace
