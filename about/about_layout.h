#pragma once
// The About window as laid out: one frame holding the version, two mail links, the copyright
// line and OK, with a line below the version and one below the addresses.

#include "resources/version.h"
#include "ui/layout.h"

#include <string_view>

namespace about_layout {

inline constexpr std::wstring_view kPrimaryAddress = L"support@quillon.example.com";
inline constexpr std::wstring_view kSecondaryAddress = L"drivers@quillon.example.org";

// What each address label hands to the shell when clicked.
inline constexpr std::wstring_view kPrimaryMailLink =
    L"mailto:support@quillon.example.com?subject=Scrubwell Support";
inline constexpr std::wstring_view kSecondaryMailLink =
    L"mailto:drivers@quillon.example.org?subject=Scrubwell Support";

inline constexpr std::wstring_view kCopyright = L"" QUILLON_COPYRIGHT;

inline constexpr FontSpec kCopyrightFont{L"Microsoft Sans Serif", 675, 400};

inline constexpr ControlSpec kControls[] = {
    {L"fraAbout", ControlKind::Frame, L"", L"", 120, 30, 3315, 2475},
    {L"lblVersion", ControlKind::Label, L"fraAbout", L"", 240, 360, 2805, 255, kSansSerifBold,
     TextAlign::Center},
    {L"Line1", ControlKind::Line, L"fraAbout", L"", 240, 720, 2820, 0},
    {L"lblMail", ControlKind::Label, L"fraAbout", kPrimaryAddress, 240, 1230, 2805, 255,
     kSansSerif, TextAlign::Center, TextColour::Link, true},
    {L"lblMailS", ControlKind::Label, L"fraAbout", kSecondaryAddress, 240, 1500, 2805, 255,
     kSansSerif, TextAlign::Center, TextColour::Link, true},
    {L"Line1", ControlKind::Line, L"fraAbout", L"", 240, 1800, 2820, 0},
    {L"lblCopyright", ControlKind::Label, L"fraAbout", kCopyright, 240, 1860, 2805, 255,
     kCopyrightFont, TextAlign::Center},
    {L"cmdOK", ControlKind::Button, L"fraAbout", L"OK", 2610, 2070, 615, 345},
};
static_assert(ContainersAreFrames(kControls));

inline constexpr FormSpec kForm{L"", 3555, 2610, kSansSerif, kControls};

inline constexpr int kOk = ControlId(kControls, L"cmdOK");
inline constexpr int kMail = ControlId(kControls, L"lblMail");
inline constexpr int kMailS = ControlId(kControls, L"lblMailS");

} // namespace about_layout
