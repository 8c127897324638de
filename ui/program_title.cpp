#include "ui/program_title.h"

#include "runtime/decimal_text.h"

std::wstring ProgramTitle(int major, int minor) {
    return L"Orvel Quillon " + DecimalText(major) + L"." + DecimalText(minor);
}
