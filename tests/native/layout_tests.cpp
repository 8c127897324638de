#include "about/about_layout.h"
#include "app/main_layout.h"
#include "report/report_lines.h"
#include "ui/label_colour.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TwipsToPixels, RoundsLikeMulDiv) {
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);   // 0.47
    EXPECT_EQ(TwipsToPixels(8, 96), 1);   // 0.53
    EXPECT_EQ(TwipsToPixels(675, 144), 68); // 67.5 rounds away from zero
    EXPECT_EQ(TwipsToPixels(-675, 144), -68);
    EXPECT_EQ(TwipsToPixels(3675, 120), 306);
}

TEST(FontHeight, IsTheCharacterHeightAtTheDisplayDpi) {
    EXPECT_EQ(FontHeightPixels(kSansSerif, 96), -11);
    EXPECT_EQ(FontHeightPixels(kSansSerif, 120), -14);
    EXPECT_EQ(FontHeightPixels(kSansSerif, 144), -17);
    EXPECT_EQ(FontHeightPixels(about_layout::kCopyrightFont, 96), -9);
}

// The rectangle of a named control in the main window's client area, in pixels.
PixelRect MainRect(std::wstring_view name, int dpi) {
    const int id = ControlId(main_layout::kControls, name);
    EXPECT_GE(id, kFirstControlId) << std::wstring(name);
    return WindowPixelRect(main_layout::kControls, static_cast<std::size_t>(id - kFirstControlId), dpi, dpi);
}

TEST(MainLayout, LabelsSitInsideTheirFramesAt96Dpi) {
    const PixelRect frame1 = MainRect(L"Frame1", 96);
    EXPECT_EQ(frame1.left, 6);
    EXPECT_EQ(frame1.top, 96);
    const PixelRect label1 = MainRect(L"Label1", 96);
    EXPECT_EQ(label1.left, 6 + 30);
    EXPECT_EQ(label1.top, 96 + 22);
    EXPECT_EQ(label1.width, 65);
    EXPECT_EQ(label1.height, 17);
    const PixelRect label16 = MainRect(L"Label16", 96);
    EXPECT_EQ(label16.left, 6 + 111);
    EXPECT_EQ(label16.top, 96 + 190);
    EXPECT_EQ(label16.width, 112);
    const PixelRect verdict = MainRect(L"Label18", 96);
    EXPECT_EQ(verdict.left, 12);
    EXPECT_EQ(verdict.top, 50 + 20);
}

TEST(MainLayout, FileRowsFollowTheReportOrder) {
    for (std::size_t row = 0; row < std::size(kFileLines); ++row) {
        const PixelRect caption = MainRect(kFileLines[row].captionLabel, 96);
        const PixelRect value = MainRect(kFileLines[row].valueLabel, 96);
        EXPECT_EQ(caption.top, 96 + 22 + static_cast<int>(row) * 24) << row;
        EXPECT_EQ(value.top, caption.top);
        EXPECT_LT(caption.left + caption.width, value.left);
    }
}

TEST(MainLayout, EveryControlFitsTheClientAreaAtCommonDpis) {
    for (int dpi : {96, 120, 144, 192}) {
        const int width = TwipsToPixels(main_layout::kForm.clientWidth, dpi);
        const int height = TwipsToPixels(main_layout::kForm.clientHeight, dpi);
        for (std::size_t i = 0; i < std::size(main_layout::kControls); ++i) {
            const PixelRect rect = WindowPixelRect(main_layout::kControls, i, dpi, dpi);
            EXPECT_LE(rect.left + rect.width, width) << i << " at " << dpi;
            EXPECT_LE(rect.top + rect.height, height) << i << " at " << dpi;
        }
    }
}

TEST(Layouts, NamesAreUniqueAndFileLinesUseEveryFileLabel) {
    std::set<std::wstring_view> names;
    for (const ControlSpec& control : main_layout::kControls) EXPECT_TRUE(names.insert(control.name).second);
    EXPECT_EQ(names.size(), 22u);
    for (const FileLine& line : kFileLines) {
        EXPECT_TRUE(names.count(line.captionLabel)) << std::wstring(line.captionLabel);
        EXPECT_TRUE(names.count(line.valueLabel)) << std::wstring(line.valueLabel);
        EXPECT_EQ(line.captionText.size(), 14u);
        EXPECT_EQ(line.captionText.substr(12), L": ");
    }
}

TEST(AboutLayout, LinesAreOnePixelAtTheirEndPoints) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < std::size(about_layout::kControls); ++i) {
        if (about_layout::kControls[i].kind != ControlKind::Line) continue;
        ++lines;
        const PixelRect rect = WindowPixelRect(about_layout::kControls, i, 96, 96);
        EXPECT_EQ(rect.left, (120 + 240) / 15);
        EXPECT_EQ(rect.width, 2820 / 15);
        EXPECT_EQ(rect.height, 1);
        EXPECT_FALSE(HasFont(about_layout::kControls[i].kind));
    }
    EXPECT_EQ(lines, 2u);
}

TEST(LabelColour, BlueWhereItReadsAndTheSchemesOwnColoursElsewhere) {
    // Blue's contrast on the faces of the default schemes, and where it fails: WCAG's numbers.
    EXPECT_NEAR(ContrastRatio(kBlue, 0xC0C0C0), 4.72, 0.01); // 98 and ME
    EXPECT_NEAR(ContrastRatio(kBlue, 0xC8D0D4), 5.59, 0.01); // 2000
    EXPECT_NEAR(ContrastRatio(kBlue, 0xD8E9EC), 7.04, 0.01); // XP
    EXPECT_NEAR(ContrastRatio(kBlue, 0xFFFFFF), 8.59, 0.01);
    EXPECT_NEAR(ContrastRatio(kBlue, 0x000000), 2.44, 0.01);
    EXPECT_NEAR(ContrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kBlue, 0xBABABA), 4.43, 0.01);
    EXPECT_NEAR(ContrastRatio(kBlue, 0xBEBEBE), 4.62, 0.01);

    constexpr std::uint32_t kYellow = 0x00FFFF, kNavy = 0x800000, kLightGrey = 0xE0E0E0;
    struct Row {
        SchemeColours scheme;
        std::uint32_t plain, blue, link;
    };
    const Row rows[] = {
        // High contrast off: blue stays wherever it reads.
        {{0xC0C0C0, 0x000000, 0x800000, false}, 0x000000, kBlue, kBlue},
        {{0xD8E9EC, 0x000000, 0xCC6600, false}, 0x000000, kBlue, kBlue},
        {{0xFFFFFF, 0x000000, kLightGrey, false}, 0x000000, kBlue, kBlue},
        {{0xBEBEBE, 0x000000, kNavy, false}, 0x000000, kBlue, kBlue},
        // ... and where it does not, the scheme's text colour, and its link colour for links.
        {{0xBABABA, 0x000000, kNavy, false}, 0x000000, 0x000000, kNavy},
        {{0x000000, 0xFFFFFF, kYellow, false}, 0xFFFFFF, 0xFFFFFF, kYellow},
        // A link colour that does not read.
        {{0x000000, 0xFFFFFF, kNavy, false}, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
        // High contrast on: the scheme's colours even where blue would read.
        {{0xFFFFFF, 0x000000, kNavy, true}, 0x000000, 0x000000, kNavy},
        {{0xC0C0C0, 0x000000, kNavy, true}, 0x000000, 0x000000, kNavy},
        {{0x000000, 0xFFFFFF, kYellow, true}, 0xFFFFFF, 0xFFFFFF, kYellow},
        {{0xFFFFFF, 0x000000, kLightGrey, true}, 0x000000, 0x000000, 0x000000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << "face " << row.scheme.face << " link "
                                        << row.scheme.link << " high contrast "
                                        << row.scheme.highContrast);
        EXPECT_EQ(LabelTextColour(TextColour::Plain, row.scheme), row.plain);
        EXPECT_EQ(LabelTextColour(TextColour::Blue, row.scheme), row.blue);
        EXPECT_EQ(LabelTextColour(TextColour::Link, row.scheme), row.link);
    }
}

} // namespace
