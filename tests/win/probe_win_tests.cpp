#include "probe/probe_win.h"
#include "report/standard_output.h"
#include "test_support.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"
#include "version_blob.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t k6404[4] = {6, 14, 10, 6404};

class GetVersionTextTest : public ::testing::Test {
protected:
    ScopedFolder folder{L"C:\\quillon-tests\\version"};
};

TEST_F(GetVersionTextTest, ReadsTheVersionsOfBuiltDlls) {
    EXPECT_EQ(GetVersionText(FixturePath(L"ati2dvag-6.14.10.6404.dll")), L"6.14.10.6404");
    EXPECT_EQ(GetVersionText(FixturePath(L"ati2dvag-4.13.1.9039.dll")), L"4.13.1.9039");
    EXPECT_EQ(GetVersionText(FixturePath(L"version-0.0.0.0.dll")), L"0.0.0.0");
    EXPECT_EQ(GetVersionText(FixturePath(L"version-65535.32768.0.0-0.0.32767.65535.dll")),
              L"-1.-32768.32767.-1");
}

TEST_F(GetVersionTextTest, TakesTheFirstTwoNumbersFromTheProductVersion) {
    EXPECT_EQ(GetVersionText(FixturePath(L"version-6.14.99.99-1.2.10.6404.dll")), L"6.14.10.6404");
}

TEST_F(GetVersionTextTest, MissingOrUnversionedFilesGiveEmptyText) {
    EXPECT_EQ(GetVersionText(L""), L"");
    EXPECT_EQ(GetVersionText(folder / L"missing.dll"), L"");
    EXPECT_EQ(GetVersionText(folder.Path()), L"");
    EXPECT_EQ(GetVersionText(FixturePath(L"no-version.dll")), L"");
    const ScopedFile text = ScopedFile::WithBytes(folder / L"notes.dll", "not a program\r\n");
    EXPECT_EQ(GetVersionText(text.Path()), L"");
    const ScopedFile empty = ScopedFile::WithBytes(folder / L"empty.dll", "");
    EXPECT_EQ(GetVersionText(empty.Path()), L"");
}

TEST_F(GetVersionTextTest, AFileLockedByAnotherHandleGivesEmptyText) {
    const ScopedFile dll = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", folder / L"ati2dvag.dll");
    ASSERT_EQ(GetVersionText(dll.Path()), L"6.14.10.6404");
    HANDLE lock = CreateFileW(dll.Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetVersionText(dll.Path()), L"");
    CloseHandle(lock);
    EXPECT_EQ(GetVersionText(dll.Path()), L"6.14.10.6404");
}

TEST_F(GetVersionTextTest, HandMadeBlockWithAWholeRecordIsRead) {
    // Shows that the hand-made blocks below differ from a good one only in what they break.
    const std::wstring dll = folder / L"good.dll";
    ASSERT_TRUE(WriteVersionResource(FixturePath(L"no-version.dll"), dll, VersionBlob(52, 52, k6404, k6404)));
    EXPECT_EQ(GetVersionText(dll), L"6.14.10.6404");
}

TEST_F(GetVersionTextTest, ARootValueShorterThanARecordGivesEmptyText) {
    for (std::uint16_t length : {0, 1, 40, 51}) {
        const std::wstring dll = folder / (L"short" + std::to_wstring(length) + L".dll");
        ASSERT_TRUE(WriteVersionResource(FixturePath(L"no-version.dll"), dll,
                                         VersionBlob(length, length, k6404, k6404)));
        EXPECT_EQ(GetVersionText(dll), L"") << length;
    }
}

TEST_F(GetVersionTextTest, ABlockEndingInsideTheRecordGivesEmptyText) {
    // The value claims 52 bytes, but the block stops after 20 of them.
    const std::wstring dll = folder / L"cut.dll";
    ASSERT_TRUE(WriteVersionResource(FixturePath(L"no-version.dll"), dll, VersionBlob(52, 20, k6404, k6404)));
    EXPECT_EQ(GetVersionText(dll), L"");
    // And a block that says it is shorter than the record it holds.
    const std::wstring lying = folder / L"lying.dll";
    ASSERT_TRUE(WriteVersionResource(FixturePath(L"no-version.dll"), lying,
                                     VersionBlob(52, 52, k6404, k6404, 60)));
    EXPECT_EQ(GetVersionText(lying), L"");
}

TEST(SysDir, IsWhatWindowsReportsWithNothingAround) {
    const std::wstring folder = SysDir();
    EXPECT_EQ(folder, SystemFolder());
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_NE(folder.back(), L' ');
    EXPECT_EQ(folder.find(L'\0'), std::wstring::npos);
    EXPECT_EQ(SysDir(), folder);
}

// A path goes to Windows in the ANSI code page exactly as it is or not at all: a character the
// code page lacks must not turn into a look-alike that names another file ("a" for U+0101).
TEST(AnsiText, ATextTheCodePageCannotCarryFindsNothingAndIsNotWritten) {
    const ScopedFolder plain(L"C:\\quillon-tests\\atest");
    const ScopedFile driver = ScopedFile::CopyOf(L"ati2dvag-6.14.10.6404.dll", plain / L"ati2dvag.dll");
    ASSERT_EQ(GetVersionText(plain / L"ati2dvag.dll"), L"6.14.10.6404");
    ASSERT_TRUE(DoesFileExist(plain / L"ati2dvag.dll"));

    const std::wstring lookAlike = L"C:\\quillon-tests\\\x0101test\\ati2dvag.dll";
    EXPECT_EQ(GetVersionText(lookAlike), L"");
    EXPECT_FALSE(DoesFileExist(lookAlike));
    EXPECT_EQ(ToAnsi(L"\xD800"), "") << "half a character";
    EXPECT_EQ(FromAnsi(ToAnsi(L"C:\\quillon-tests")), L"C:\\quillon-tests");

    // Into a file as standard output such a text is not written at all, and the write fails.
    const std::wstring output = plain / L"output.txt";
    HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const HANDLE standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, file);
    const bool lookAlikeWritten = WriteToStandardOutput(L"PC-\x0101\r\n");
    const bool plainWritten = WriteToStandardOutput(L"PC-1\r\n");
    SetStdHandle(STD_OUTPUT_HANDLE, standardOutput);
    CloseHandle(file);
    EXPECT_FALSE(lookAlikeWritten);
    EXPECT_TRUE(plainWritten);
    EXPECT_EQ(ReadBytes(output), "PC-1\r\n");
}

// The DLLs the program loads itself (the shell, VERSION, the common controls) come from the
// system folder; a name that is not there, or a path too long for the ANSI form, loads nothing.
TEST(SystemDll, FromTheSystemFolderOrNothing) {
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(LoadSystemDll("shell32.dll"), loaded, MAX_PATH);
    EXPECT_EQ(_wcsicmp(loaded, (SystemFolder() + L"\\shell32.dll").c_str()), 0) << loaded;
    EXPECT_EQ(LoadSystemDll("quillon-nowhere.dll"), nullptr);
    EXPECT_EQ(LoadSystemDll(std::string(MAX_PATH, 'a').c_str()), nullptr);
}

} // namespace
