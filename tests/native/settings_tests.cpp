#include "settings/configured_font.h"
#include "settings/settings_path.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsPath, SitsBesideTheProgram) {
    EXPECT_EQ(SettingsPath(FolderOfPath(L"C:\\Tools\\Quillon\\Orvel-Quillon.exe"), L"Orvel-Quillon.ini"),
              L"C:\\Tools\\Quillon\\Orvel-Quillon.ini");
}

TEST(SettingsPath, DriveRootKeepsItsBackslashAndGivesTwoInARow) {
    EXPECT_EQ(FolderOfPath(L"D:\\Orvel-Quillon.exe"), L"D:\\");
    EXPECT_EQ(SettingsPath(FolderOfPath(L"D:\\Orvel-Quillon.exe"), L"Orvel-Quillon.ini"),
              L"D:\\\\Orvel-Quillon.ini");
}

TEST(SettingsPath, NetworkAndOddPaths) {
    EXPECT_EQ(FolderOfPath(L"\\\\server\\share\\q.exe"), L"\\\\server\\share");
    EXPECT_EQ(FolderOfPath(L"q.exe"), L"");
    EXPECT_EQ(FolderOfPath(L""), L"");
    EXPECT_EQ(SettingsPath(L"", L"a.ini"), L"\\a.ini");
}

TEST(ConfiguredFont, StartsWithTheLayoutFaceAndKeepsTheLastAcceptedName) {
    ConfiguredFont font;
    EXPECT_EQ(font.Name(), L"MS Sans Serif");
    EXPECT_TRUE(font.SetName(L"Tahoma"));
    EXPECT_EQ(font.Name(), L"Tahoma");
    EXPECT_TRUE(font.SetName(L"?"));
    EXPECT_EQ(font.Name(), L"?");
    EXPECT_TRUE(font.SetName(L""));
    EXPECT_EQ(font.Name(), L"");
}

TEST(ConfiguredFont, RefusesANameNoFontCanHoldAndKeepsThePrevious) {
    ConfiguredFont font;
    const std::wstring longest(31, L'x');
    EXPECT_TRUE(font.SetName(longest));
    EXPECT_EQ(font.Name(), longest);
    EXPECT_FALSE(font.SetName(std::wstring(32, L'y')));
    EXPECT_EQ(font.Name(), longest);
    EXPECT_FALSE(font.SetName(std::wstring(254, L'z')));
    EXPECT_FALSE(font.SetName(std::wstring(L"Ta\0homa", 7)));
    EXPECT_EQ(font.Name(), longest);
}

} // namespace
