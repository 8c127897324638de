#pragma once
// How a registry value's type and data become the text the program works with.

#include <cstdint>
#include <span>
#include <string>

inline constexpr std::uint32_t kRegTypeText = 1;   // REG_SZ
inline constexpr std::uint32_t kRegTypeBinary = 3; // REG_BINARY

// True for the types whose data becomes text; any other type reads as the empty text.
constexpr bool IsReadableRegType(std::uint32_t type) {
    return type == kRegTypeText || type == kRegTypeBinary;
}

// The text of a value, in the code page its bytes came in:
// - text values: everything before the first NUL, or all of the data when it holds none;
// - binary values: the first two bytes, least significant first, as a signed 16-bit decimal
//   number (missing bytes count as zero, bytes after the second are ignored);
// - any other type: the empty text.
std::string RegValueText(std::uint32_t type, std::span<const std::uint8_t> data);
