#pragma once
// What the program is asked to do by its command line.

#include <string>
#include <string_view>

enum class StartMode {
    Window,    // the main window, as for any command line the program does not know
    Report,    // the report on standard output, and no window
    Table,     // the report as a header and one row of comma-separated values, and no window
    TableFile, // this machine's row appended to a table file, and no window
    Usage,     // one line saying how to ask for the report
};

struct StartCommand {
    StartMode mode = StartMode::Window;
    std::wstring tablePath; // for TableFile: the table's path as given, without its quotes
};

// `arguments` is the command line after the program's name. "/report" or "-report", in any
// case and optionally in quotes, as the only argument asks for the report; "/csv" or "-csv",
// the same way, for the table, and followed by a path (quoted if it has to be, "" for an empty
// one) for the table file; "/?" for the usage. A path that begins with "/" is another switch.
StartCommand StartCommandOf(std::wstring_view arguments);

// The line "/?" prints, ending in CR LF: the ways to start the program.
inline constexpr std::string_view kUsageLine = "Usage: Orvel-Quillon.exe [/report | /csv [PATH]]\r\n";
