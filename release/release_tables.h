#pragma once
// The releases the program can name, by the version text of one probed file.

#include <string_view>

struct ReleaseRow {
    std::wstring_view versionText;
    std::wstring_view releaseText;
};

// Display driver ati2dvag.dll, in search order.
inline constexpr ReleaseRow kDriverReleases[] = {
    {L"4.13.01.9039", L"Catalyst 2.1"},  {L"5.13.01.6094", L"Catalyst 2.1"},
    {L"6.13.10.6094", L"Catalyst 2.1"},  {L"4.13.01.9050", L"Catalyst 2.2"},
    {L"5.13.01.6118", L"Catalyst 2.2"},  {L"6.13.10.6118", L"Catalyst 2.2"},
    {L"4.13.01.9062", L"Catalyst 2.3"},  {L"5.13.01.6166", L"Catalyst 2.3"},
    {L"6.13.10.6166", L"Catalyst 2.3"},  {L"4.13.01.9069", L"Catalyst 2.4"},
    {L"6.13.10.6200", L"Catalyst 2.4"},  {L"4.13.01.9072", L"Catalyst 2.5"},
    {L"6.13.10.6218", L"Catalyst 2.5"},  {L"4.14.01.9076", L"Catalyst 3.0"},
    {L"6.14.01.6255", L"Catalyst 3.0"},  {L"4.14.01.9082", L"Catalyst 3.1"},
    {L"6.14.01.6292", L"Catalyst 3.1"},  {L"4.14.01.9088", L"Catalyst 3.2"},
    {L"6.14.01.6307", L"Catalyst 3.2"},  {L"6.14.10.6334", L"Catalyst 3.3 (Dell)"},
    {L"4.14.01.9099", L"Catalyst 3.4"},  {L"6.14.10.6343", L"Catalyst 3.4"},
    {L"4.14.01.9109", L"Catalyst 3.5"},  {L"6.14.10.6360", L"Catalyst 3.5"},
    {L"4.14.01.9113", L"Catalyst 3.6"},  {L"6.14.10.6368", L"Catalyst 3.6"},
    {L"4.14.01.9118", L"Catalyst 3.7"},  {L"6.14.10.6378", L"Catalyst 3.7"},
    {L"4.14.01.9122", L"Catalyst 3.8"},  {L"6.14.10.6387", L"Catalyst 3.8"},
    {L"4.14.01.9125", L"Catalyst 3.9"},  {L"6.14.10.6396", L"Catalyst 3.9"},
    {L"4.14.01.9129", L"Catalyst 3.10"}, {L"6.14.10.6404", L"Catalyst 3.10"},
};
inline constexpr std::wstring_view kDriverUnknown = L"Unknown Version / Beta Version";

// Control panel atippaxx.dll, in search order.
inline constexpr ReleaseRow kPanelReleases[] = {
    {L"6.13.10.3017", L"For Catalyst 2.2"},        {L"6.13.10.3027", L"For Catalyst 2.3"},
    {L"6.13.10.3041", L"For Catalyst 2.4"},        {L"6.14.10.4000", L"For Catalyst 2.5"},
    {L"6.14.10.4012", L"For Catalyst 3.0"},        {L"6.14.10.4019", L"For Catalyst 3.1"},
    {L"6.14.10.4029", L"For Catalyst 3.2"},        {L"6.14.10.4039", L"For Catalyst 3.3 (Dell)"},
    {L"6.14.10.5006", L"For Catalyst 3.4"},        {L"6.14.10.5014", L"For Catalyst 3.5"},
    {L"6.14.10.5021", L"For Catalyst 3.6"},        {L"6.14.10.5029", L"For Catalyst 3.7"},
    {L"6.14.10.5046", L"For Catalyst 3.8"},        {L"6.14.10.5061", L"For Catalyst 3.9"},
    {L"6.14.10.5072", L"For Catalyst 3.10"},
};
// Differs from the driver table's text in the case of one letter; each table keeps its own.
inline constexpr std::wstring_view kPanelUnknown = L"Unknown Version / Beta version";
