#include "settings/configured_font.h"

bool ConfiguredFont::SetName(std::wstring_view name) {
    if (name.size() > kMaxNameLength || name.find(L'\0') != std::wstring_view::npos) return false;
    name_ = name;
    return true;
}
