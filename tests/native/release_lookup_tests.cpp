#include "release/release_lookup.h"
#include "report/report_table.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::string_literals;

namespace {

std::wstring_view Driver(std::wstring_view text) { return FindRelease(kDriverReleases, text, kDriverUnknown); }
std::wstring_view Panel(std::wstring_view text) { return FindRelease(kPanelReleases, text, kPanelUnknown); }

// A version text as the file reader writes it: no leading zeros in any component.
std::wstring AsReadFromFile(std::wstring_view rowVersion) {
    std::wstring text;
    bool start = true;
    for (std::size_t i = 0; i < rowVersion.size(); ++i) {
        const wchar_t c = rowVersion[i];
        if (start && c == L'0' && i + 1 < rowVersion.size() && rowVersion[i + 1] != L'.') continue;
        text += c;
        start = c == L'.';
    }
    return text;
}

TEST(DriverTable, HasItsThirtyFourDistinctRows) {
    EXPECT_EQ(std::size(kDriverReleases), 34u);
    std::set<std::wstring_view> versions;
    for (const ReleaseRow& row : kDriverReleases) {
        EXPECT_TRUE(versions.insert(row.versionText).second) << std::wstring(row.versionText);
        EXPECT_EQ(row.versionText.size(), 12u);
    }
}

TEST(DriverTable, EveryRowNamesItsReleaseFromTheFileVersion) {
    for (const ReleaseRow& row : kDriverReleases)
        EXPECT_EQ(Driver(AsReadFromFile(row.versionText)), row.releaseText) << std::wstring(row.versionText);
}

TEST(DriverTable, KnownReleases) {
    EXPECT_EQ(Driver(L"6.13.10.6094"), L"Catalyst 2.1");
    EXPECT_EQ(Driver(L"6.14.10.6334"), L"Catalyst 3.3 (Dell)");
    EXPECT_EQ(Driver(L"6.14.10.6404"), L"Catalyst 3.10");
    EXPECT_EQ(Driver(L"6.14.10.6292"), L"Unknown Version / Beta Version"); // 3.1 is 6.14.01.6292
    EXPECT_EQ(Driver(L"6.14.1.6292"), L"Catalyst 3.1");
}

TEST(DriverTable, RowsWrittenWithZeroOneMatchAThirdComponentOfOne) {
    EXPECT_EQ(Driver(L"4.13.1.9039"), L"Catalyst 2.1");
    EXPECT_EQ(Driver(L"6.14.1.6255"), L"Catalyst 3.0");
    EXPECT_EQ(Driver(L"5.13.1.6166"), L"Catalyst 2.3");
}

TEST(DriverTable, AnythingElseIsUnknown) {
    for (std::wstring_view text :
         {L"6.14.10.6405", L"", L" 6.14.10.6404", L"6.14.10.6404 ", L"6.14.10", L"6.14.10.6404.0",
          L"6.14.010.6404", L"4.13.001.9039x", L"06.14.10.6404", L"0.0.0.0"})
        EXPECT_EQ(Driver(text), L"Unknown Version / Beta Version") << std::wstring(text);
}

TEST(PanelTable, HasItsFifteenDistinctRows) {
    EXPECT_EQ(std::size(kPanelReleases), 15u);
    std::set<std::wstring_view> versions;
    for (const ReleaseRow& row : kPanelReleases) {
        EXPECT_TRUE(versions.insert(row.versionText).second) << std::wstring(row.versionText);
        EXPECT_EQ(row.releaseText.substr(0, 4), L"For ");
        EXPECT_EQ(Panel(row.versionText), row.releaseText);
    }
}

TEST(PanelTable, KnownReleasesAndItsOwnDefault) {
    EXPECT_EQ(Panel(L"6.13.10.3017"), L"For Catalyst 2.2");
    EXPECT_EQ(Panel(L"6.14.10.4039"), L"For Catalyst 3.3 (Dell)");
    EXPECT_EQ(Panel(L"6.14.10.5072"), L"For Catalyst 3.10");
    EXPECT_EQ(Panel(L"6.14.10.5073"), L"Unknown Version / Beta version");
    EXPECT_EQ(Panel(L""), L"Unknown Version / Beta version");
}

TEST(PanelTable, SharesNoVersionWithTheDriverTable) {
    for (const ReleaseRow& row : kDriverReleases)
        EXPECT_EQ(Panel(AsReadFromFile(row.versionText)), L"Unknown Version / Beta version");
}

// A settings section of the test's own, as the profile functions give one, and its reads.
std::wstring ownLines;
int ownReads = 0;

std::wstring Taught(const std::wstring& lines, std::wstring_view version) {
    ownLines = lines;
    const auto read = [](std::wstring_view section) {
        ++ownReads;
        EXPECT_EQ(section, L"Catalyst Version");
        return std::span<wchar_t>(ownLines);
    };
    return std::wstring(NameRelease(kDriverReleases, version, kDriverUnknown, L"Catalyst Version", read));
}

TEST(SettingsRelease, BuiltInRowThenSettingsRowThenDefaultReadingOnlyWhenNoRowMatches) {
    const std::wstring lines = L"6.14.10.6404=Not 3.10\0006.14.10.6414=Catalyst 4.1\0"s;
    ownReads = 0;
    EXPECT_EQ(Taught(lines, L"6.14.10.6404"), L"Catalyst 3.10");
    EXPECT_EQ(Taught(lines, L""), L"Unknown Version / Beta Version");
    EXPECT_EQ(ownReads, 0);
    EXPECT_EQ(Taught(lines, L"6.14.10.6414"), L"Catalyst 4.1");
    EXPECT_EQ(ownReads, 1);
}

TEST(SettingsRelease, KeysMatchAsRowsDoAnEmptyValueIsNoRowAndNoNameBreaksALine) {
    const std::wstring lines = L" 4.14.01.9240 = Catalyst 4.1 \0006.14.10.6414=\0006.14.10.6414=\"\"\0"
                               L"6.14.10.6414=4.1, \"Beta\"\r\n\tx\x85\x2028y"s; // the last line without its NUL
    EXPECT_EQ(Taught(lines, L"4.14.1.9240"), L"Catalyst 4.1");
    EXPECT_EQ(Taught(lines, L"4.14.01.9240"), L"Unknown Version / Beta Version");
    const ReportResults results{L"Orvel Quillon 3.10", Taught(lines, L"6.14.10.6414"), L"For Catalyst 3.10", {}};
    EXPECT_EQ(TableRow(L"PC", results, {2026, 12, 8, 12, 0, 0}),
              L"PC,\"4.1, \"\"Beta\"\"   x  y\",For Catalyst 3.10,,,,,,,,,2026-12-08 12:00:00\r\n");
}

} // namespace
