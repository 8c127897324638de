#pragma once
// Turning a file's fixed version record into the dotted text the report shows.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Bytes of the fixed file information record (VS_FIXEDFILEINFO) at the root of a version block.
inline constexpr std::size_t kFixedInfoLength = 52;

// "a.b.c.d": the product version's two high words, then the file version's two low words,
// each read as a signed 16-bit number and written in plain decimal.
std::wstring VersionTextFromRecord(std::span<const std::uint8_t, kFixedInfoLength> record);

// The version text of the record that the root query of a version block reported at `root`,
// `rootLength` bytes long. Empty unless the value is a whole record lying wholly inside both
// the buffer `block` and the length that the block declares in its first word.
std::wstring VersionTextFromRoot(std::span<const std::uint8_t> block, const void* root,
                                 std::size_t rootLength);
