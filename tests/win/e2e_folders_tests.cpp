// The program run from awkward folders: read-only, a drive root (where the settings path holds
// two backslashes in a row) and a folder whose name has no place in the ANSI code page. In
// each it must start, report, and read the settings file beside it.

#include "program_run.h"
#include "test_support.h"
#include "window_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr char kLayoutFonts[] = "[FONT]\r\nName=Default\r\n";

// Runs the program from `folder` (with `settings` beside it, if any) and measures how much
// blue ink the first file name leaves on the screen: the font face shows in it.
int InkOfFirstFileName(const std::wstring& folder, const char* settings) {
    if (settings) WriteBytes(folder + L"\\Orvel-Quillon.ini", settings);
    ProgramRun run(folder);
    EXPECT_TRUE(run.Window()) << "starts from " << std::string(folder.begin(), folder.end());
    if (!run.Window()) return -1;
    EXPECT_EQ(run.Text(L"Label1"), L"ati2dvag.dll: ");
    EXPECT_EQ(run.Text(L"Label4"), L"6.14.10.6404");
    EXPECT_EQ(run.Text(L"Label17"), L"Catalyst 3.10");
    Sleep(500); // painted
    return CountScreenPixels(run.Control(L"Label1"), RGB(0, 0, 255));
}

bool FitsAnsiCodePage(const std::wstring& text) {
    BOOL lossy = FALSE;
    char ansi[MAX_PATH * 2];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy);
    return !lossy;
}

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ScopedFolder plain(L"C:\\quillon-tests\\plain");
        withoutSettings_ = InkOfFirstFileName(plain.Path(), nullptr);
        withLayoutFonts_ = InkOfFirstFileName(plain.Path(), kLayoutFonts);
        ASSERT_GT(withLayoutFonts_, 0);
        ASSERT_NE(withLayoutFonts_, withoutSettings_) << "the settings file must make a visible difference";
    }
    ScopedFile driver_ = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", SystemFolder() + L"\\ati2dvag.dll");
    int withoutSettings_ = 0;
    int withLayoutFonts_ = 0;
};

TEST_F(FoldersTest, ReadOnlyFolder) {
    const ScopedFolder folder(L"C:\\quillon-tests\\read-only");
    WriteBytes(folder / L"Orvel-Quillon.ini", kLayoutFonts);
    CopyFileW(BuiltProgram().c_str(), (folder / L"Orvel-Quillon.exe").c_str(), FALSE);
    for (const wchar_t* name : {L"Orvel-Quillon.ini", L"Orvel-Quillon.exe"})
        SetFileAttributesW((folder / name).c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(folder.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(InkOfFirstFileName(folder.Path(), nullptr), withLayoutFonts_);
}

TEST_F(FoldersTest, DriveRoot) {
    const ScopedFile settings = ScopedFile::WithBytes(L"C:\\Orvel-Quillon.ini", kLayoutFonts);
    const ScopedFile program = ScopedFile::WithBytes(L"C:\\Orvel-Quillon.exe", ""); // the run copies it here
    EXPECT_EQ(InkOfFirstFileName(L"C:", nullptr), withLayoutFonts_);
}

TEST_F(FoldersTest, FolderNameOutsideTheAnsiCodePage) {
    const std::wstring name = L"C:\\quillon-tests\\\x041F\x0440\x043E\x0433\x0440\x0430\x043C\x043C\x0430 \x6587\x4EF6";
    ASSERT_FALSE(FitsAnsiCodePage(name)) << "the test needs a name the ANSI code page cannot hold";
    const ScopedFolder folder(name);
    EXPECT_EQ(InkOfFirstFileName(folder.Path(), kLayoutFonts), withLayoutFonts_);
}

} // namespace
