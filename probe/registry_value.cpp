#include "probe/registry_value.h"

#include "runtime/decimal_text.h"

#include <algorithm>

std::string RegValueText(std::uint32_t type, std::span<const std::uint8_t> data) {
    if (type == kRegTypeText) {
        const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
        return std::string(data.begin(), end);
    }
    if (type == kRegTypeBinary) {
        const unsigned low = data.size() > 0 ? data[0] : 0;
        const unsigned high = data.size() > 1 ? data[1] : 0;
        return DecimalText<char>(static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8)));
    }
    return {};
}
