// Fuzz target: any registry value type and data. Text values are a NUL-free prefix of the
// data; binary values are the first two bytes as a signed number; other types are empty.

#include "probe/registry_value.h"

#include <cstdlib>
#include <string>

namespace {
void Check(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint32_t type = data[0] % 8; // all the common types, 1 and 3 among them
    const std::span<const std::uint8_t> value(data + 1, size - 1);
    const std::string text = RegValueText(type, value);
    if (type == kRegTypeText) {
        Check(text.size() <= value.size());
        Check(text.find('\0') == std::string::npos);
        Check(std::string(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(text.size())) == text);
        Check(text.size() == value.size() || value[text.size()] == 0);
    } else if (type == kRegTypeBinary) {
        const long number = std::strtol(text.c_str(), nullptr, 10);
        Check(std::to_string(number) == text);
        const unsigned low = value.size() > 0 ? value[0] : 0;
        const unsigned high = value.size() > 1 ? value[1] : 0;
        Check(number == static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8)));
    } else {
        Check(text.empty());
    }
    return 0;
}
