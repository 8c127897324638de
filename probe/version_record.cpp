#include "probe/version_record.h"

#include "runtime/decimal_text.h"

#include <algorithm>
#include <cstdint>

namespace {

// Offsets of the four words, in the order they are written: high and low word of
// dwProductVersionMS, then high and low word of dwFileVersionLS.
constexpr std::size_t kWordOffsets[] = {18, 16, 14, 12};

std::int16_t SignedWordAt(std::span<const std::uint8_t, kFixedInfoLength> record,
                          std::size_t offset) {
    const auto word = static_cast<std::uint16_t>(record[offset] | (record[offset + 1] << 8));
    return static_cast<std::int16_t>(word);
}

} // namespace

std::wstring VersionTextFromRecord(std::span<const std::uint8_t, kFixedInfoLength> record) {
    std::wstring text;
    for (std::size_t offset : kWordOffsets) {
        if (!text.empty()) text += L'.';
        text += DecimalText(SignedWordAt(record, offset));
    }
    return text;
}

std::wstring VersionTextFromRoot(std::span<const std::uint8_t> block, const void* root,
                                 std::size_t rootLength) {
    if (root == nullptr || rootLength < kFixedInfoLength || block.size() < 2) return {};
    // The block's first word is its own length: the record must lie inside that as well as
    // inside the buffer, or it would be made of bytes that belong to no version block.
    const std::size_t declared = static_cast<std::size_t>(block[0] | (block[1] << 8));
    const std::span<const std::uint8_t> own = block.first(std::min(declared, block.size()));
    // Compare addresses as integers: the version API may report a place outside the block.
    const auto begin = reinterpret_cast<std::uintptr_t>(own.data());
    const auto at = reinterpret_cast<std::uintptr_t>(root);
    if (at < begin || at - begin > own.size() || own.size() - (at - begin) < kFixedInfoLength)
        return {};
    return VersionTextFromRecord(own.subspan(at - begin).first<kFixedInfoLength>());
}
