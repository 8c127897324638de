#pragma once
// Naming a release from a file's version text.

#include "release/release_tables.h"

#include <span>
#include <string_view>

// True when `versionText` is the row's version text written the way version texts are built:
// each of the row's components without leading zeros ("4.13.01.9039" is matched by
// "4.13.1.9039"). Otherwise exact: whole text, no trimming, same number of components.
bool MatchesRowVersion(std::wstring_view versionText, std::wstring_view rowVersion);

// The release text of the first matching row, or `unknown` when none matches.
std::wstring_view FindRelease(std::span<const ReleaseRow> table, std::wstring_view versionText,
                              std::wstring_view unknown);
