#pragma once
// The controls of one window, made from its layout table at the display's DPI, each kept
// with its name and font so the window's text and fonts can be changed by name later.

#include "ui/layout.h"
#include "ui/win_handles.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

struct FormControl {
    const ControlSpec* layout;
    HWND hwnd;
    std::size_t font; // index into the form's fonts; unused for controls without a font
};

class Form {
public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the controls of `layout` in `window`, whose client area must already have the
    // form's size. Call once, from WM_CREATE. Returns false if a control could not be made.
    bool Create(HWND window, const FormSpec& layout);
    // Forgets the controls and frees every font; call from WM_DESTROY.
    void Destroy();

    HWND Window() const { return window_; }
    int DpiX() const { return dpiX_; }
    int DpiY() const { return dpiY_; }
    const std::vector<FormControl>& Controls() const { return controls_; }
    HWND Control(std::wstring_view name) const;
    void SetText(std::wstring_view name, const std::wstring& text) const;

    // Gives every control its font; call once the window's faces are settled (after the load
    // step), before it is shown. Until then the controls have no font of their own, and only
    // the fonts in use are ever made: each distinct one once.
    void ShowFonts();
    // The window's own font (what its WM_GETFONT answers).
    HFONT WindowFont();
    // Give the window's own font, or one control's font, another face; size, weight and style
    // stay. A face longer than a font can hold is cut to fit; one that the ANSI code page cannot
    // carry whole leaves the font as it is.
    void SetWindowFace(std::wstring_view face);
    void SetControlFace(const FormControl& control, std::wstring_view face);

    // WM_CTLCOLORSTATIC: text in the colour the layout asks for, where it reads on the face in
    // the scheme in use (label_colour.h), and lines in the window-text colour.
    HBRUSH ColorStatic(HDC dc, HWND control) const;

private:
    struct Font {
        LOGFONTA logFont;
        UniqueFont font; // made when first used
    };
    std::size_t FontFor(const LOGFONTA& logFont);
    HFONT Made(std::size_t font);
    void SendFont(const FormControl& control, bool redraw);
    std::size_t FaceVariant(std::size_t font, std::wstring_view face);
    const FormControl* Find(HWND hwnd) const;

    HWND window_{};
    int dpiX_{96};
    int dpiY_{96};
    std::vector<FormControl> controls_;
    std::vector<Font> fonts_; // each distinct font once, freed with the form
    std::size_t windowFont_{0};
    bool fontsShown_{false};
};

// The client size of a form at the display's DPI, and the outer window size for `style`.
SIZE FormWindowSize(const FormSpec& layout, DWORD style, DWORD exStyle, bool hasMenu);
// The display's dots per inch, horizontally and vertically.
POINT ScreenDpi();
