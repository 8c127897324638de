#include "settings/configured_font.h"
#include "settings/font_override.h"
#include "settings/ini.h"
#include "ui/form.h"

namespace {
constexpr wchar_t kKeepLayoutFonts[] = L"Default";
}

ConfiguredFont& ProgramFont() {
    static ConfiguredFont font;
    return font;
}

void ApplyFont(Form& form) noexcept {
    const std::wstring name = ReadINI(kSettingsFileName, L"FONT", L"Name", L"?");
    if (name == kKeepLayoutFonts) return;
    ConfiguredFont& font = ProgramFont();
    font.SetName(name);
    form.SetWindowFace(font.Name());
    for (const FormControl& control : form.Controls())
        if (HasFont(control.layout->kind)) form.SetControlFace(control, font.Name());
}
