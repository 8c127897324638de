#pragma once
// The main window as laid out: three frames, eighteen labels and the Close button.

#include "report/report_lines.h"
#include "resources/resource_ids.h"
#include "ui/layout.h"

namespace main_layout {

// The file lines: a caption label and a value label per row, 360 twips apart.
inline constexpr int kRowTop = 330;
inline constexpr int kRowPitch = 360;
inline constexpr int kRowHeight = 255;

constexpr ControlSpec CaptionLabel(std::wstring_view name, int row) {
    return {name, ControlKind::Label, L"Frame1", L"", 450, kRowTop + row * kRowPitch, 975,
            kRowHeight, kSansSerif, TextAlign::Left, TextColour::Blue};
}
constexpr ControlSpec ValueLabel(std::wstring_view name, int row) {
    return {name, ControlKind::Label, L"Frame1", L"", 1665, kRowTop + row * kRowPitch, 1680,
            kRowHeight, kSansSerif, TextAlign::Left, TextColour::Blue};
}

inline constexpr ControlSpec kControls[] = {
    {L"Frame2", ControlKind::Frame, L"", kCatalystTitle, 90, 60, 3510, 675},
    {L"Label17", ControlKind::Label, L"Frame2", L"", 90, 300, 3315, 255, kSansSerifBold,
     TextAlign::Center},
    {L"Frame3", ControlKind::Frame, L"", kPanelTitle, 90, 750, 3510, 675},
    {L"Label18", ControlKind::Label, L"Frame3", L"", 90, 300, 3315, 255, kSansSerifBold,
     TextAlign::Center},
    {L"Frame1", ControlKind::Frame, L"", L"File Version Info", 90, 1440, 3510, 3285},
    CaptionLabel(L"Label1", 0),  ValueLabel(L"Label4", 0),
    CaptionLabel(L"Label2", 1),  ValueLabel(L"Label5", 1),
    CaptionLabel(L"Label3", 2),  ValueLabel(L"Label6", 2),
    CaptionLabel(L"Label7", 3),  ValueLabel(L"Label8", 3),
    CaptionLabel(L"Label9", 4),  ValueLabel(L"Label10", 4),
    CaptionLabel(L"Label11", 5), ValueLabel(L"Label12", 5),
    CaptionLabel(L"Label13", 6), ValueLabel(L"Label14", 6),
    CaptionLabel(L"Label15", 7), ValueLabel(L"Label16", 7),
    {L"cmdClose", ControlKind::Button, L"", L"Close", 90, 4770, 3510, 330},
};
static_assert(ContainersAreFrames(kControls));

inline constexpr FormSpec kForm{L"Orvel Quillon", 3675, 5160, kSansSerif, kControls};

// Menu commands; control ids start at kFirstControlId, so these cannot collide with them.
inline constexpr int kMenuFileExit = 40001;
inline constexpr int kMenuHelpAbout = 40002;
// Ctrl+C and Ctrl+Insert, from the accelerator table in the resources.
inline constexpr int kCopyReport = QUILLON_COPY_REPORT;

inline constexpr int kClose = ControlId(kControls, L"cmdClose");

} // namespace main_layout
