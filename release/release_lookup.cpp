#include "release/release_lookup.h"

bool MatchesRowVersion(std::wstring_view versionText, std::wstring_view rowVersion) {
    std::size_t at = 0;
    bool componentStart = true;
    for (std::size_t i = 0; i < rowVersion.size(); ++i) {
        const wchar_t c = rowVersion[i];
        const bool leadingZero = componentStart && c == L'0' && i + 1 < rowVersion.size() &&
                                 rowVersion[i + 1] != L'.';
        if (leadingZero) continue;
        if (at == versionText.size() || versionText[at] != c) return false;
        ++at;
        componentStart = c == L'.';
    }
    return at == versionText.size();
}

std::wstring_view FindRelease(std::span<const ReleaseRow> table, std::wstring_view versionText,
                              std::wstring_view unknown) {
    for (const ReleaseRow& row : table)
        if (MatchesRowVersion(versionText, row.versionText)) return row.releaseText;
    return unknown;
}
