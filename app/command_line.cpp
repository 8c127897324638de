#include "app/command_line.h"

namespace {

constexpr bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] - L'A' + L'a') : text[i];
        if (c != lowerCase[i]) return false;
    }
    return true;
}

} // namespace

StartMode StartModeOf(std::wstring_view arguments) {
    std::wstring_view argument = Trimmed(arguments);
    if (argument.size() >= 2 && argument.front() == L'"' && argument.back() == L'"')
        argument = argument.substr(1, argument.size() - 2);
    const auto isSwitch = [&](std::wstring_view name) {
        return !argument.empty() && (argument.front() == L'/' || argument.front() == L'-') &&
               EqualsIgnoringAsciiCase(argument.substr(1), name);
    };
    if (isSwitch(L"report")) return StartMode::Report;
    if (isSwitch(L"csv")) return StartMode::Table;
    if (argument == L"/?") return StartMode::Usage;
    return StartMode::Window;
}
