#pragma once
// The program's report as a user takes it away: from the clipboard after keys pressed in its
// window, and from what a switch such as /report writes to its standard output.

#include <windows.h>

#include <initializer_list>
#include <string>

// The report of the sample Catalyst 3.10 installation, as Ctrl+C and /report give it.
inline constexpr char kSampleReport[] = "Orvel Quillon 3.10\r\n"
                                        "Catalyst Version: Catalyst 3.10\r\n"
                                        "Control Panel Version: For Catalyst 3.10\r\n"
                                        "ati2dvag.dll: 6.14.10.6404\r\n"
                                        "ati3d1ag.dll: 6.14.10.409\r\n"
                                        "ati3d2ag.dll: 6.14.10.409\r\n"
                                        "atioglxx.dll: 6.14.10.4227\r\n"
                                        "ati3duag.dll: 6.14.10.409\r\n"
                                        "atippaxx.dll: 6.14.10.5072\r\n"
                                        "atipdsxx.dll: 6.14.10.5072\r\n"
                                        "atipuixx.dll: 6.14.10.5072\r\n";

// The first line of every table /csv writes.
inline constexpr char kTableHeader[] = "Computer,Catalyst Version,Control Panel Version,ati2dvag.dll,ati3d1ag.dll,"
                                       "ati3d2ag.dll,atioglxx.dll,ati3duag.dll,atippaxx.dll,atipdsxx.dll,atipuixx.dll,"
                                       "Checked (UTC)\r\n";
// What a new table that /csv writes begins with: the UTF-8 byte-order mark.
inline constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
// The computer's name as the program writes it in a table: read wide, in UTF-8.
std::string Utf8ComputerName();
// This machine's row when none of the files is there, up to its time field.
std::string RowWithoutFiles();
// The table's lines with each row's time field, when it is a UTC time in the last two minutes
// in the form "YYYY-MM-DD HH:MM:SS", replaced by "<now>"; any other field is left as it is.
std::string WithTimesChecked(const std::string& table);

// The clipboard's text in a format (CF_UNICODETEXT or CF_TEXT), or a note in angle brackets.
std::wstring ClipboardText(UINT format = CF_UNICODETEXT);
void EmptyTheClipboard();

// Presses the keys in the program's window and gives the clipboard's text once the clipboard
// has changed; if it did not change within 10 seconds, which of the two went wrong.
std::wstring CopiedByKeys(HWND target, std::initializer_list<WORD> keys);

// What the program started from `programFolder` with `argument` wrote to a file as its standard
// output. It must end within 20 seconds with `exitCode`, and show no window on the way.
std::string ReportWritten(const std::wstring& programFolder, const wchar_t* argument, DWORD exitCode = 0);
