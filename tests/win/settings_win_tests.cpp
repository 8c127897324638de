#include "settings/ini.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

// A settings file of the test's own beside the test program, where ReadINI looks.
class ReadIniTest : public ::testing::Test {
protected:
    static constexpr wchar_t kName[] = L"quillon-readini-test.ini";
    void TearDown() override { DeleteFileW(Path().c_str()); }
    static std::wstring Path() { return TestFolder() + L"\\" + kName; }
    static void Write(std::string_view text) { ASSERT_TRUE(WriteBytes(Path(), text)); }
    static std::wstring Name() { return ReadINI(kName, L"FONT", L"Name", L"?"); }
};

TEST_F(ReadIniTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Name(), L"?");
    Write("[OTHER]\r\nName=Default\r\n");
    EXPECT_EQ(Name(), L"?");
    Write("[FONT]\r\nFace=Tahoma\r\n");
    EXPECT_EQ(Name(), L"?");
    EXPECT_NE(GetFileAttributesW(Path().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ReadIniTest, ReadsTheValueAsWritten) {
    Write("[OTHER]\r\nName=Arial\r\n[FONT]\r\nName=Tahoma\r\n");
    EXPECT_EQ(Name(), L"Tahoma");
    for (const char* value : {"Default", "default", "DEFAULT"}) {
        Write(std::string("[FONT]\r\nName=") + value + "\r\n");
        const std::string read(value);
        EXPECT_EQ(Name(), std::wstring(read.begin(), read.end()));
    }
    Write("[FONT]\r\nName=\r\n");
    EXPECT_EQ(Name(), L"");
}

TEST_F(ReadIniTest, LongValuesComeBackCutTo254Characters) {
    const std::string value(300, 'w');
    Write("[FONT]\r\nName=" + value + "\r\n");
    EXPECT_EQ(Name(), std::wstring(254, L'w'));
    const std::string exact(254, 'e');
    Write("[FONT]\r\nName=" + exact + "\r\n");
    EXPECT_EQ(Name(), std::wstring(254, L'e'));
}

TEST_F(ReadIniTest, ReadingNeitherCreatesNorChangesTheFile) {
    EXPECT_EQ(Name(), L"?");
    EXPECT_EQ(GetFileAttributesW(Path().c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string text = "[FONT]\r\nName=Tahoma\r\n";
    Write(text);
    Name();
    ReadINI(kName, L"NEW", L"Key", L"x");
    EXPECT_EQ(ReadBytes(Path()), text);
}

TEST(ReadProfileValue, ADoubledBackslashPathIsReadAsOne) {
    const ScopedFolder folder(L"C:\\quillon-tests\\ini");
    const ScopedFile file = ScopedFile::WithBytes(folder / L"Orvel-Quillon.ini", "[FONT]\r\nName=Courier New\r\n");
    EXPECT_EQ(ReadProfileValue(L"C:\\quillon-tests\\ini\\\\Orvel-Quillon.ini", L"FONT", L"Name", L"?"),
              L"Courier New");
}

TEST(ProgramFolderPath, IsBesideTheRunningProgram) {
    EXPECT_EQ(ProgramFolderPath(L"Orvel-Quillon.ini"), TestFolder() + L"\\Orvel-Quillon.ini");
}

} // namespace
