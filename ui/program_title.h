#pragma once
// The program's name and version, as both windows and the report show them.

#include "resources/version.h"

#include <string>

inline constexpr int kVersionMajor = QUILLON_VERSION_MAJOR;
inline constexpr int kVersionMinor = QUILLON_VERSION_MINOR;

// "Orvel Quillon 3.10": the numbers in plain decimal, no padding.
std::wstring ProgramTitle(int major = kVersionMajor, int minor = kVersionMinor);
