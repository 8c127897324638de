#pragma once
// The colour of a label's text on its face, chosen at every paint from the colour scheme in
// use, so that every label reads in every scheme: the defaults, a dark classic scheme and high
// contrast.

#include "ui/layout.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What a label's text depends on, as the system gives it at the moment of painting. Colours are
// COLORREFs (0x00BBGGRR).
struct SchemeColours {
    std::uint32_t face; // COLOR_BTNFACE
    std::uint32_t text; // COLOR_BTNTEXT, the text colour that goes with that face
    std::uint32_t link; // COLOR_HOTLIGHT
    bool highContrast;  // HCF_HIGHCONTRASTON
};

namespace label_colour_detail {

// x to the power 1/5, for x in (0, 1], by Newton's method: the compiler works out the table
// below, and the program needs no floating-point library at run time.
constexpr double FifthRoot(double x) {
    double root = 1.0;
    for (int step = 0; step < 40; ++step)
        root -= (root * root * root * root * root - x) / (5 * root * root * root * root);
    return root;
}

// Each 8-bit sRGB channel value as linear light, as WCAG 2 reckons it.
inline constexpr auto kLinear = [] {
    std::array<double, 256> table{};
    for (int value = 0; value < 256; ++value) {
        const double channel = value / 255.0;
        const double base = (channel + 0.055) / 1.055;
        // base^2.4 is base^2 times the fifth root of base^2.
        table[static_cast<std::size_t>(value)] =
            channel <= 0.04045 ? channel / 12.92 : base * base * FifthRoot(base * base);
    }
    return table;
}();

constexpr double Luminance(std::uint32_t colour) {
    return 0.2126 * kLinear[colour & 0xFF] + 0.7152 * kLinear[(colour >> 8) & 0xFF] +
           0.0722 * kLinear[(colour >> 16) & 0xFF];
}

} // namespace label_colour_detail

// The contrast ratio of two colours as WCAG 2 defines it: 1 (the same) to 21 (black on white).
constexpr double ContrastRatio(std::uint32_t a, std::uint32_t b) {
    const double la = label_colour_detail::Luminance(a) + 0.05;
    const double lb = label_colour_detail::Luminance(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

// The least contrast at which text reads, as WCAG asks of ordinary text.
inline constexpr double kReadableContrast = 4.5;

// The colour a label's text is drawn in. Blue, the layout's mark of the file lines and the mail
// links, is kept wherever it reads on the face and high contrast is off. Otherwise the scheme's
// own colours take over: its link colour for a link, where that reads, and else its text colour.
constexpr std::uint32_t LabelTextColour(TextColour wanted, const SchemeColours& scheme) {
    const auto reads = [&](std::uint32_t colour) {
        return ContrastRatio(colour, scheme.face) >= kReadableContrast;
    };
    if (wanted == TextColour::Plain) return scheme.text;
    if (!scheme.highContrast && reads(kBlue)) return kBlue;
    if (wanted == TextColour::Link && reads(scheme.link)) return scheme.link;
    return scheme.text;
}
