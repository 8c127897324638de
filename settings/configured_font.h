#pragma once
// The program-wide font name the settings file chooses.

#include <string>
#include <string_view>

// Holds the last face name it accepted. A name a font cannot hold (longer than 31 characters)
// is refused, and the previous name stays.
class ConfiguredFont {
public:
    static constexpr std::wstring_view kInitialName = L"MS Sans Serif";
    static constexpr std::size_t kMaxNameLength = 31; // a LOGFONT face holds 31 and a NUL

    bool SetName(std::wstring_view name);
    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_{kInitialName};
};
