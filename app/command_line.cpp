#include "app/command_line.h"

#include "ui/ascii_case.h"

#include <utility>

namespace {

constexpr bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The text inside a pair of double quotes around it, or the text itself.
std::wstring_view Unquoted(std::wstring_view text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') return text.substr(1, text.size() - 2);
    return text;
}

// The first argument, in quotes or up to the first blank, and what follows it.
std::pair<std::wstring_view, std::wstring_view> FirstArgument(std::wstring_view arguments) {
    std::size_t end = arguments.find_first_of(L" \t", arguments.starts_with(L'"') ? arguments.find(L'"', 1) : 0);
    if (end == std::wstring_view::npos) end = arguments.size();
    return {arguments.substr(0, end), Trimmed(arguments.substr(end))};
}

} // namespace

StartCommand StartCommandOf(std::wstring_view arguments) {
    const auto [first, rest] = FirstArgument(Trimmed(arguments));
    const std::wstring_view argument = Unquoted(first);
    const auto isSwitch = [&](std::wstring_view name) {
        return !argument.empty() && (argument.front() == L'/' || argument.front() == L'-') &&
               EqualsIgnoringAsciiCase(argument.substr(1), name);
    };
    if (isSwitch(L"report") && rest.empty()) return {StartMode::Report, {}};
    if (isSwitch(L"csv") && rest.empty()) return {StartMode::Table, {}};
    if (isSwitch(L"csv") && !rest.starts_with(L'/')) return {StartMode::TableFile, std::wstring(Unquoted(rest))};
    if (argument == L"/?" && rest.empty()) return {StartMode::Usage, {}};
    return {};
}
