// Fuzz target: any version block and any root place and length the version API might report.
// The text is empty or four signed 16-bit numbers that read back as the record's words.

#include "probe/version_record.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The four numbers of a version text, or an empty list when it is not one.
std::vector<long> Numbers(const std::wstring& text) {
    std::vector<long> numbers;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(L'.', at);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring part = text.substr(at, end - at);
        const std::size_t digits = part.size() - (part[0] == L'-' ? 1 : 0);
        Check(!part.empty() && digits >= 1 && digits <= 5);
        Check(part.find_first_not_of(L"-0123456789", 0) == std::wstring::npos);
        Check(digits == 1 || part[part.size() - digits] != L'0');
        numbers.push_back(std::wcstol(part.c_str(), nullptr, 10));
        at = end + 1;
    }
    return numbers;
}

long SignedWord(const std::uint8_t* record, std::size_t offset) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(record[offset] | record[offset + 1] << 8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // The first four bytes choose where the root query "points" and how long it says it is;
    // the rest is the block, in a buffer of exactly its size.
    const std::size_t offset = data[0] | (data[1] << 8);
    const std::size_t rootLength = data[2] | (data[3] << 8);
    const std::vector<std::uint8_t> block(data + 4, data + size);
    const std::uint8_t* root = block.data() == nullptr ? nullptr : block.data() + std::min(offset, block.size());
    const std::wstring text = VersionTextFromRoot(block, root, rootLength);
    if (text.empty()) return 0;

    const std::size_t at = static_cast<std::size_t>(root - block.data());
    const std::size_t declared = block.size() >= 2 ? (block[0] | (block[1] << 8)) : 0;
    Check(rootLength >= kFixedInfoLength && at + kFixedInfoLength <= std::min(block.size(), declared));
    const std::vector<long> numbers = Numbers(text);
    Check(numbers.size() == 4);
    const std::uint8_t* record = block.data() + at;
    Check(numbers[0] == SignedWord(record, 18) && numbers[1] == SignedWord(record, 16));
    Check(numbers[2] == SignedWord(record, 14) && numbers[3] == SignedWord(record, 12));
    return 0;
}
