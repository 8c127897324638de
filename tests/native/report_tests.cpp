#include "app/command_line.h"
#include "report/report_table.h"
#include "report/report_text.h"
#include "runtime/command_tail.h"
#include "ui/utf8_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportText, ListsTheWindowsLinesWithNoneForAMissingVersion) {
    ReportResults full{L"Orvel Quillon 3.10", L"Catalyst 3.10", L"For Catalyst 3.10",
                       {L"6.14.10.6404", L"6.14.10.409", L"6.14.10.409", L"6.14.10.4227",
                        L"6.14.10.409", L"6.14.10.5072", L"6.14.10.5072", L"6.14.10.5072"}};
    EXPECT_EQ(ReportText(full), L"Orvel Quillon 3.10\r\n"
                                L"Catalyst Version: Catalyst 3.10\r\n"
                                L"Control Panel Version: For Catalyst 3.10\r\n"
                                L"ati2dvag.dll: 6.14.10.6404\r\n"
                                L"ati3d1ag.dll: 6.14.10.409\r\n"
                                L"ati3d2ag.dll: 6.14.10.409\r\n"
                                L"atioglxx.dll: 6.14.10.4227\r\n"
                                L"ati3duag.dll: 6.14.10.409\r\n"
                                L"atippaxx.dll: 6.14.10.5072\r\n"
                                L"atipdsxx.dll: 6.14.10.5072\r\n"
                                L"atipuixx.dll: 6.14.10.5072\r\n");

    ReportResults partial = full;
    partial.panelVersion = L"Unknown Version / Beta version";
    partial.fileVersions[1].clear();
    partial.fileVersions[5].clear();
    const std::wstring text = ReportText(partial);
    EXPECT_NE(text.find(L"\r\nControl Panel Version: Unknown Version / Beta version\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nati3d1ag.dll: (none)\r\nati3d2ag.dll: 6.14.10.409\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\r\natippaxx.dll: (none)\r\natipdsxx.dll: 6.14.10.5072\r\n"), std::wstring::npos);

    const ReportResults none{L"Orvel Quillon 3.10", L"Unknown Version / Beta Version",
                             L"Unknown Version / Beta version", {}};
    EXPECT_EQ(ReportText(none), L"Orvel Quillon 3.10\r\n"
                                L"Catalyst Version: Unknown Version / Beta Version\r\n"
                                L"Control Panel Version: Unknown Version / Beta version\r\n"
                                L"ati2dvag.dll: (none)\r\nati3d1ag.dll: (none)\r\nati3d2ag.dll: (none)\r\n"
                                L"atioglxx.dll: (none)\r\nati3duag.dll: (none)\r\natippaxx.dll: (none)\r\n"
                                L"atipdsxx.dll: (none)\r\natipuixx.dll: (none)\r\n");
}

const UtcTime kNoon{2026, 12, 8, 12, 0, 0};

TEST(ReportTable, IsTheHeaderAndOneRowOfTheWindowsResultsAndTheTime) {
    EXPECT_EQ(TableHeader(), L"Computer,Catalyst Version,Control Panel Version,ati2dvag.dll,ati3d1ag.dll,"
                             L"ati3d2ag.dll,atioglxx.dll,ati3duag.dll,atippaxx.dll,atipdsxx.dll,atipuixx.dll,"
                             L"Checked (UTC)\r\n");
    const ReportResults sample{L"Orvel Quillon 3.10", L"Catalyst 3.10", L"For Catalyst 3.10",
                               {L"6.14.10.6404", L"6.14.10.409", L"6.14.10.409", L"6.14.10.4227",
                                L"6.14.10.409", L"6.14.10.5072", L"6.14.10.5072", L"6.14.10.5072"}};
    EXPECT_EQ(TableRow(L"QUILLON-PC", sample, {2026, 12, 31, 23, 59, 59}),
              L"QUILLON-PC,Catalyst 3.10,For Catalyst 3.10,6.14.10.6404,6.14.10.409,6.14.10.409,"
              L"6.14.10.4227,6.14.10.409,6.14.10.5072,6.14.10.5072,6.14.10.5072,2026-12-31 23:59:59\r\n");

    ReportResults none{L"Orvel Quillon 3.10", L"Unknown Version / Beta Version", L"Unknown Version / Beta version",
                       {}};
    none.fileVersions[3] = L"6.14.10.4227";
    EXPECT_EQ(TableRow(L"", none, {2027, 1, 1, 0, 0, 0}),
              L",Unknown Version / Beta Version,Unknown Version / Beta version,,,,6.14.10.4227,,,,,"
              L"2027-01-01 00:00:00\r\n")
        << "an empty name and each missing file give an empty field; midnight and 1 January keep their zeros";
}

TEST(ReportTable, QuotesAFieldWithACommaAQuoteOrALineBreak) {
    ReportResults odd{L"Orvel Quillon 3.10", L"Catalyst \"3.10\"", L"For Catalyst 3.10\r\n", {}};
    odd.fileVersions[0] = L"6,14";
    odd.fileVersions[1] = L"\"";
    odd.fileVersions[2] = L"6.14\n";
    // A name from outside the code page is the formatter's like any other; how it is written out
    // is the writer's matter, as for /report.
    EXPECT_EQ(TableRow(L"PC, \x0141\x00F3" L"d\x017A", odd, kNoon),
              L"\"PC, \x0141\x00F3" L"d\x017A\",\"Catalyst \"\"3.10\"\"\",\"For Catalyst 3.10\r\n\",\"6,14\",\"\"\"\","
              L"\"6.14\n\",,,,,,2026-12-08 12:00:00\r\n");
}

TEST(ReportTable, GoesOutInUtf8WithEveryCharacterWhole) {
    // Letters of 1-3 bytes; each length's edges; a surrogate pair in 4 bytes; a lone surrogate.
    EXPECT_EQ(Utf8Text(L"\x0141\x00D3" L"D\x0179-PC,\x7A0E"), "\xC5\x81\xC3\x93" "D\xC5\xB9-PC,\xE7\xA8\x8E");
    EXPECT_EQ(Utf8Text(std::wstring{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD83D, 0xDDA5, 0xDDA5, L'a', 0xD83D}),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x9F\x96\xA5\xEF\xBF\xBD" "a\xEF\xBF\xBD");
}

TEST(CommandLine, OnlyTheReportOrTableSwitchAloneOrTheTableWithAPathLeavesOutTheWindow) {
    const auto modeOf = [](std::wstring_view arguments) { return StartCommandOf(arguments).mode; };
    for (const wchar_t* report : {L"/report", L"-report", L"/REPORT", L"-Report", L"  /report\t", L"\"/report\""})
        EXPECT_EQ(modeOf(report), StartMode::Report) << report;
    for (const wchar_t* table : {L"/csv", L"-csv", L"-CSV", L"/Csv", L" \"/csv\" "})
        EXPECT_EQ(modeOf(table), StartMode::Table) << table;
    EXPECT_EQ(modeOf(L"/?"), StartMode::Usage);
    for (const wchar_t* other : {L"", L"/report /report", L"/report x", L"report", L"/reports", L"/r",
                                 L"\"/report", L"/rep\x00F6rt", L"\x0130/report", L"/?/report", L"csv", L"/csv /report",
                                 L"--csv", L"/cs", L"/? x", L"/csv\"x\"", L"\"/csv x\""})
        EXPECT_EQ(modeOf(other), StartMode::Window) << other;
    EXPECT_EQ(modeOf(std::wstring(10000, L'x')), StartMode::Window);
    EXPECT_EQ(modeOf(L"/report" + std::wstring(10000, L' ') + L"x"), StartMode::Window);

    const std::pair<const wchar_t*, const wchar_t*> tableFiles[] = {
        {L"/csv survey.csv", L"survey.csv"},
        {L"-CSV  \\\\server\\reports\\survey.csv\t", L"\\\\server\\reports\\survey.csv"},
        {L"\"/csv\" \"C:\\My Reports\\site survey.csv\"", L"C:\\My Reports\\site survey.csv"},
        {L"/csv C:\\My Reports\\survey.csv", L"C:\\My Reports\\survey.csv"},
        {L"/csv \"\"", L""},
        {L"/csv \"unclosed", L"\"unclosed"},
    };
    for (auto [arguments, path] : tableFiles) {
        const StartCommand command = StartCommandOf(arguments);
        EXPECT_EQ(command.mode, StartMode::TableFile) << arguments;
        EXPECT_EQ(command.tablePath, path) << arguments;
    }

    // The arguments are what follows the program's name, quoted or not, and the blanks after it.
    const std::pair<const char*, std::string_view> commandLines[] = {
        {"\"C:\\Program Files\\Orvel-Quillon.exe\"  /csv \"a b.csv\"", "/csv \"a b.csv\""},
        {"Orvel-Quillon.exe\t/report ", "/report "}, {"\"x.exe\"/report", "/report"}, {"\"x.exe", ""},
        {"\xC9t\xE9\\Orvel-Quillon.exe /report", "/report"}, {"x.exe", ""}, {"", ""}};
    for (auto [line, tail] : commandLines) EXPECT_EQ(CommandTail(line), tail) << line;
    // The wide command line of Windows NT, by the same rule.
    EXPECT_EQ(std::wstring_view(CommandTail(L"\"C:\\\u0141\u00F3d\u017A\\x.exe\" /csv \u0141\u00F3d\u017A.csv")),
              L"/csv \u0141\u00F3d\u017A.csv");
}
} // namespace
