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

namespace {

constexpr bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The characters from `first` to `last` without the blanks around them.
std::wstring_view Trimmed(const wchar_t* first, const wchar_t* last) {
    while (first != last && IsBlank(*first)) ++first;
    while (first != last && IsBlank(last[-1])) --last;
    return {first, static_cast<std::size_t>(last - first)};
}

// The C0 and C1 controls and the two Unicode separators: what an editor or a reader of the
// table may take for the end of a line.
constexpr bool MayEndALine(wchar_t c) {
    return c < L' ' || (c >= L'\x7F' && c <= L'\x9F') || c == L'\x2028' || c == L'\x2029';
}

// The value of the first line whose key names the version and whose value is not empty, or
// `unknown`.
std::wstring_view SettingsValue(std::span<wchar_t> lines, std::wstring_view versionText, std::wstring_view unknown) {
    wchar_t* next = lines.data();
    wchar_t* const end = next + lines.size();
    while (next != end) {
        const wchar_t* const start = next;
        wchar_t* equals = nullptr;
        for (; next != end && *next != L'\0'; ++next) {
            if (!equals && *next == L'=') equals = next;
            if (equals && MayEndALine(*next)) *next = L' ';
        }
        const wchar_t* const lineEnd = next;
        if (next != end) ++next;
        if (!equals || !MatchesRowVersion(versionText, Trimmed(start, equals))) continue;
        std::wstring_view value = Trimmed(equals + 1, lineEnd);
        if (value.size() >= 2 && value.starts_with(L'"') && value.ends_with(L'"'))
            value = {value.data() + 1, value.size() - 2};
        if (!value.empty()) return value;
    }
    return unknown;
}

} // namespace

std::wstring_view NameRelease(std::span<const ReleaseRow> table, std::wstring_view versionText,
                              std::wstring_view unknown, std::wstring_view section, ReadSettingsSection readSection) {
    const std::wstring_view builtIn = FindRelease(table, versionText, {});
    if (!builtIn.empty()) return builtIn;
    if (versionText.empty()) return unknown;
    return SettingsValue(readSection(section), versionText, unknown);
}
