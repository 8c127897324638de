#pragma once
// A window described as data: its controls, where they go in twips, and how their text looks.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

inline constexpr int kTwipsPerInch = 1440;

enum class ControlKind : std::uint8_t { Frame, Label, Button, Line };
enum class TextAlign : std::uint8_t { Left, Center };

struct FontSpec {
    std::wstring_view face;
    int hundredthsOfPoint; // 825 for 8.25 pt
    int weight;            // 400 regular, 700 bold
};

inline constexpr FontSpec kSansSerif{L"MS Sans Serif", 825, 400};
inline constexpr FontSpec kSansSerifBold{L"MS Sans Serif", 825, 700};

inline constexpr std::uint32_t kBlue = 0xFF0000; // COLORREF of pure blue, RGB(0, 0, 255)

// How a label's text is coloured: in the text colour of its face, or blue (the file lines), or
// blue as a link (the mail addresses). Blue gives way where it would not read (label_colour.h).
enum class TextColour : std::uint8_t { Plain, Blue, Link };

struct ControlSpec {
    std::wstring_view name;
    ControlKind kind;
    std::wstring_view container; // a frame's name, or empty for the window itself
    std::wstring_view text;
    int left, top, width, height; // twips, from the container's top-left corner
    FontSpec font{kSansSerif};    // unused by lines
    TextAlign align{TextAlign::Left};
    TextColour colour{TextColour::Plain};
    bool clickable{false}; // labels that report clicks
};

struct FormSpec {
    std::wstring_view caption;
    int clientWidth, clientHeight; // twips
    FontSpec font;
    std::span<const ControlSpec> controls;
};

// Controls are numbered from here in table order; a control's number is its command id.
inline constexpr int kFirstControlId = 100;

constexpr int ControlId(std::span<const ControlSpec> controls, std::wstring_view name) {
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name) return kFirstControlId + static_cast<int>(i);
    return -1;
}

constexpr bool HasFont(ControlKind kind) { return kind != ControlKind::Line; }

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel (halves away from zero)
// as MulDiv does. Whole inches scale exactly and only the rest is rounded, so 32-bit arithmetic
// does it: a 64-bit division would need a helper routine on x86.
constexpr int TwipsToPixels(int twips, int dpi) {
    const auto magnitude = [](int value) {
        return value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    };
    const unsigned length = magnitude(twips), scale = magnitude(dpi);
    const unsigned pixels = length / kTwipsPerInch * scale +
                            (length % kTwipsPerInch * scale + kTwipsPerInch / 2) / kTwipsPerInch;
    return (twips < 0) != (dpi < 0) ? -static_cast<int>(pixels) : static_cast<int>(pixels);
}

// A font's LOGFONT height at `dpi`: negative, so it is the character height.
constexpr int FontHeightPixels(const FontSpec& font, int dpi) {
    return -TwipsToPixels(font.hundredthsOfPoint * kTwipsPerInch / 7200, dpi);
}

struct TwipsRect {
    int left, top, width, height;
};

// A control's place in twips from the window's client area, through its container.
constexpr TwipsRect WindowTwipsRect(std::span<const ControlSpec> controls, std::size_t index) {
    const ControlSpec& control = controls[index];
    TwipsRect rect{control.left, control.top, control.width, control.height};
    if (!control.container.empty()) {
        const int container = ControlId(controls, control.container) - kFirstControlId;
        if (container >= 0) {
            rect.left += controls[static_cast<std::size_t>(container)].left;
            rect.top += controls[static_cast<std::size_t>(container)].top;
        }
    }
    return rect;
}

struct PixelRect {
    int left, top, width, height;
};

constexpr PixelRect WindowPixelRect(std::span<const ControlSpec> controls, std::size_t index,
                                    int dpiX, int dpiY) {
    const TwipsRect twips = WindowTwipsRect(controls, index);
    // A line is one pixel thick whatever the scale.
    const int height = controls[index].kind == ControlKind::Line ? 1 : TwipsToPixels(twips.height, dpiY);
    return {TwipsToPixels(twips.left, dpiX), TwipsToPixels(twips.top, dpiY),
            TwipsToPixels(twips.width, dpiX), height};
}

// Every container names a frame that comes earlier in the table.
constexpr bool ContainersAreFrames(std::span<const ControlSpec> controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].container.empty()) continue;
        const int container = ControlId(controls, controls[i].container) - kFirstControlId;
        if (container < 0 || static_cast<std::size_t>(container) >= i ||
            controls[static_cast<std::size_t>(container)].kind != ControlKind::Frame)
            return false;
    }
    return true;
}
