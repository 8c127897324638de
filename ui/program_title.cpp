#include "ui/program_title.h"

std::wstring ProgramTitle(int major, int minor) {
    return L"Orvel Quillon " + std::to_wstring(major) + L"." + std::to_wstring(minor);
}
