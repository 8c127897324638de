#include "probe/registry_value.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Text(std::vector<std::uint8_t> data) { return RegValueText(kRegTypeText, data); }
std::string Binary(std::vector<std::uint8_t> data) { return RegValueText(kRegTypeBinary, data); }

TEST(RegValueText, TextStopsAtTheFirstNul) {
    EXPECT_EQ(Text({'C', ':', '\\', 'P', 0}), "C:\\P");
    EXPECT_EQ(Text({'a', 'b', 0, 'c', 'd', 0}), "ab");
    EXPECT_EQ(Text({0}), "");
    EXPECT_EQ(Text({0, 'x', 0}), "");
}

TEST(RegValueText, TextWithoutNulIsAllOfTheData) {
    EXPECT_EQ(Text({'a', 'b', 'c'}), "abc");
    EXPECT_EQ(Text({}), "");
}

TEST(RegValueText, TextKeepsBackslashesAndVariablesAsStored) {
    EXPECT_EQ(Text({'%', 'P', '%', '\\', 0}), "%P%\\");
}

TEST(RegValueText, BinaryIsTheFirstTwoBytesAsASignedNumber) {
    EXPECT_EQ(Binary({0xFF, 0xFF}), "-1");
    EXPECT_EQ(Binary({0x01, 0x00, 0x01, 0x00}), "1");
    EXPECT_EQ(Binary({0x05}), "5");
    EXPECT_EQ(Binary({}), "0");
    EXPECT_EQ(Binary({0x00, 0x80}), "-32768");
    EXPECT_EQ(Binary({0xFF, 0x7F}), "32767");
    EXPECT_EQ(Binary({0x34, 0x12, 0xFF, 0xFF}), "4660");
}

TEST(RegValueText, BinaryLongerThanFourBytesUsesItsFirstTwo) {
    EXPECT_EQ(Binary({0x02, 0x00, 0x09, 0x09, 0x09, 0x09, 0x09, 0x09}), "2");
    std::vector<std::uint8_t> large(1000, 0xAB);
    large[0] = 0x10;
    large[1] = 0x00;
    EXPECT_EQ(Binary(large), "16");
}

TEST(RegValueText, OtherTypesReadAsEmpty) {
    const std::vector<std::uint8_t> data{'C', ':', 0};
    for (std::uint32_t type : {0u, 2u, 4u, 5u, 7u, 11u}) EXPECT_EQ(RegValueText(type, data), "") << type;
    EXPECT_FALSE(IsReadableRegType(2));
    EXPECT_FALSE(IsReadableRegType(4));
}

} // namespace
