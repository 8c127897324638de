#include "ui/form.h"

#include "ui/ansi_text.h"
#include "ui/label_colour.h"

#include <cstring>

namespace {

struct ControlClass {
    const char* className;
    DWORD style;
};

ControlClass ClassOf(const ControlSpec& layout) {
    switch (layout.kind) {
    case ControlKind::Frame:
        return {"BUTTON", BS_GROUPBOX};
    case ControlKind::Button:
        return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::Line:
        return {"STATIC", SS_LEFT};
    case ControlKind::Label:
        break;
    }
    // Labels never wrap a left-aligned text onto a second line; what does not fit is cut.
    DWORD style = SS_NOPREFIX | (layout.align == TextAlign::Center ? SS_CENTER : SS_LEFTNOWORDWRAP);
    if (layout.clickable) style |= SS_NOTIFY;
    return {"STATIC", style};
}

// A face name never fills more than a LOGFONT holds, and always ends in a NUL. It is cut to the
// 31 characters a face can have; if what is left cannot be carried whole in the ANSI code page
// within the 31 bytes a face holds, the font keeps the face it has, and the answer is false.
bool SetFace(LOGFONTA& logFont, std::wstring_view face) {
    const std::wstring_view cut = face.substr(0, LF_FACESIZE - 1);
    const std::string ansi = ToAnsi(cut);
    if (ansi.empty() != cut.empty() || ansi.size() > LF_FACESIZE - 1) return false;
    std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
    std::memcpy(logFont.lfFaceName, ansi.data(), ansi.size());
    return true;
}

LOGFONTA LogFontOf(const FontSpec& font, int dpiY) {
    LOGFONTA logFont{};
    logFont.lfHeight = FontHeightPixels(font, dpiY);
    logFont.lfWeight = font.weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    SetFace(logFont, font.face);
    return logFont;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The colours of the scheme in use and whether high contrast is on, asked afresh at each paint.
SchemeColours CurrentScheme() {
    HIGHCONTRASTA highContrast{};
    highContrast.cbSize = sizeof highContrast;
    const bool on =
        SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
        (highContrast.dwFlags & HCF_HIGHCONTRASTON);
    return {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_HOTLIGHT),
            on};
}

} // namespace

POINT ScreenDpi() {
    POINT dpi{96, 96};
    if (HDC screen = GetDC(nullptr)) {
        dpi = {GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

SIZE FormWindowSize(const FormSpec& layout, DWORD style, DWORD exStyle, bool hasMenu) {
    const POINT dpi = ScreenDpi();
    RECT rect{0, 0, TwipsToPixels(layout.clientWidth, dpi.x), TwipsToPixels(layout.clientHeight, dpi.y)};
    AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool Form::Create(HWND window, const FormSpec& layout) {
    window_ = window;
    const POINT dpi = ScreenDpi();
    dpiX_ = dpi.x;
    dpiY_ = dpi.y;
    fonts_.clear();
    windowFont_ = FontFor(LogFontOf(layout.font, dpiY_));

    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    controls_.clear();
    controls_.reserve(layout.controls.size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const ControlSpec& control = layout.controls[i];
        const ControlClass cls = ClassOf(control);
        const PixelRect rect = WindowPixelRect(layout.controls, i, dpiX_, dpiY_);
        const std::string text = ToAnsi(control.text);
        HWND hwnd = CreateWindowExA(0, cls.className, text.c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cls.style, rect.left,
                                    rect.top, rect.width, rect.height, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                    instance, nullptr);
        if (!hwnd) return false;
        const std::size_t font = HasFont(control.kind) ? FontFor(LogFontOf(control.font, dpiY_)) : 0;
        controls_.push_back({&control, hwnd, font});
    }
    // Frames go beneath everything, so that the labels inside them are never painted over, and
    // push buttons above everything, as on a form whose labels have no window of their own: a
    // label paints its whole rectangle, which may reach into a button (About's copyright line
    // into OK's top edge).
    for (const FormControl& control : controls_) {
        const ControlKind kind = control.layout->kind;
        if (kind == ControlKind::Frame || kind == ControlKind::Button)
            SetWindowPos(control.hwnd, kind == ControlKind::Frame ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

void Form::Destroy() {
    controls_.clear();
    fonts_.clear();
    fontsShown_ = false;
    window_ = nullptr;
}

void Form::ShowFonts() {
    for (const FormControl& control : controls_)
        if (HasFont(control.layout->kind)) SendFont(control, false);
    fontsShown_ = true;
}

HFONT Form::WindowFont() { return fonts_.empty() ? nullptr : Made(windowFont_); }

HWND Form::Control(std::wstring_view name) const {
    for (const FormControl& control : controls_)
        if (control.layout->name == name) return control.hwnd;
    return nullptr;
}

void Form::SetText(std::wstring_view name, const std::wstring& text) const {
    if (HWND hwnd = Control(name)) SetWindowTextA(hwnd, ToAnsi(text).c_str());
}

std::size_t Form::FontFor(const LOGFONTA& logFont) {
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (SameFont(fonts_[i].logFont, logFont)) return i;
    fonts_.push_back({logFont, UniqueFont()});
    return fonts_.size() - 1;
}

HFONT Form::Made(std::size_t font) {
    Font& entry = fonts_[font];
    if (!entry.font) entry.font.reset(CreateFontIndirectA(&entry.logFont));
    return entry.font.get();
}

void Form::SendFont(const FormControl& control, bool redraw) {
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Made(control.font)), redraw);
}

std::size_t Form::FaceVariant(std::size_t font, std::wstring_view face) {
    LOGFONTA logFont = fonts_[font].logFont;
    return SetFace(logFont, face) ? FontFor(logFont) : font;
}

void Form::SetWindowFace(std::wstring_view face) {
    if (fonts_.empty()) return;
    windowFont_ = FaceVariant(windowFont_, face);
}

void Form::SetControlFace(const FormControl& control, std::wstring_view face) {
    if (!HasFont(control.layout->kind)) return;
    FormControl& own = controls_[static_cast<std::size_t>(&control - controls_.data())];
    own.font = FaceVariant(own.font, face);
    // Before the fonts are shown the control simply gets its font then, with the others.
    if (fontsShown_) SendFont(own, IsWindowVisible(window_) != FALSE);
}

const FormControl* Form::Find(HWND hwnd) const {
    for (const FormControl& control : controls_)
        if (control.hwnd == hwnd) return &control;
    return nullptr;
}

HBRUSH Form::ColorStatic(HDC dc, HWND hwnd) const {
    const FormControl* control = Find(hwnd);
    if (control && control->layout->kind == ControlKind::Line) return GetSysColorBrush(COLOR_WINDOWTEXT);
    const TextColour colour = control ? control->layout->colour : TextColour::Plain;
    SetTextColor(dc, LabelTextColour(colour, CurrentScheme()));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
