#pragma once
// Naming a release from a file's version text: by a built-in row, or else by the settings file
// beside the program, whose section named after the verdict's frame holds a line for each
// release that came after the program: the version text as the key, the name to show as the value.

#include "release/release_tables.h"

#include <span>
#include <string>
#include <string_view>

// True when `versionText` is the row's version text written the way version texts are built:
// each of the row's components without leading zeros ("4.13.01.9039" is matched by
// "4.13.1.9039"). Otherwise exact: whole text, no trimming, same number of components.
bool MatchesRowVersion(std::wstring_view versionText, std::wstring_view rowVersion);

// The release text of the first matching row, or `unknown` when none matches.
std::wstring_view FindRelease(std::span<const ReleaseRow> table, std::wstring_view versionText,
                              std::wstring_view unknown);

// The whole of a section of the settings file as the profile functions give it: each line
// "key=value" followed by a NUL; empty when the file or the section is missing. The lines lie
// in the reader's own buffer, which holds them until its next read.
using ReadSettingsSection = std::span<wchar_t> (*)(std::wstring_view section);

// The release of the table's first row that matches. Else, for a version text that is not empty,
// the value of the first line of the section `section` (read once, and only then) whose key,
// blanks around it dropped, matches the version text as MatchesRowVersion matches a row's, and
// whose value is not empty once blanks around it and one pair of enclosing double quotes are
// dropped, as the profile functions read a value; in it every control character (and each other
// one that may end a line) is made a blank, so that the name breaks no line of the report and no
// row of the table. Else `unknown`. A name from the settings file lies in the reader's buffer.
std::wstring_view NameRelease(std::span<const ReleaseRow> table, std::wstring_view versionText,
                              std::wstring_view unknown, std::wstring_view section, ReadSettingsSection readSection);
