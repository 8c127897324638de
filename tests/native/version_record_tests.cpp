#include "probe/version_record.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Record = std::array<std::uint8_t, kFixedInfoLength>;

void PutWord(Record& record, std::size_t offset, std::uint16_t word) {
    record[offset] = static_cast<std::uint8_t>(word & 0xFF);
    record[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

// A VS_FIXEDFILEINFO with the given product and file versions (a.b.c.d each).
Record MakeRecord(std::array<std::uint16_t, 4> product, std::array<std::uint16_t, 4> file) {
    Record record{};
    PutWord(record, 0, 0x04BD); // signature FEEF04BD
    PutWord(record, 2, 0xFEEF);
    PutWord(record, 10, file[0]);    // dwFileVersionMS high
    PutWord(record, 8, file[1]);     // dwFileVersionMS low
    PutWord(record, 14, file[2]);    // dwFileVersionLS high
    PutWord(record, 12, file[3]);    // dwFileVersionLS low
    PutWord(record, 18, product[0]); // dwProductVersionMS high
    PutWord(record, 16, product[1]);
    PutWord(record, 22, product[2]);
    PutWord(record, 20, product[3]);
    return record;
}

std::wstring TextOf(const Record& record) { return VersionTextFromRecord(record); }

TEST(VersionTextFromRecord, WritesEachWordInPlainDecimal) {
    EXPECT_EQ(TextOf(MakeRecord({6, 14, 10, 6404}, {6, 14, 10, 6404})), L"6.14.10.6404");
    EXPECT_EQ(TextOf(MakeRecord({4, 13, 1, 9039}, {4, 13, 1, 9039})), L"4.13.1.9039");
    EXPECT_EQ(TextOf(MakeRecord({0, 0, 0, 0}, {0, 0, 0, 0})), L"0.0.0.0");
}

TEST(VersionTextFromRecord, ReadsWordsAsSignedNumbers) {
    EXPECT_EQ(TextOf(MakeRecord({65535, 32768, 0, 0}, {0, 0, 32767, 65535})),
              L"-1.-32768.32767.-1");
}

TEST(VersionTextFromRecord, TakesProductVersionFirstAndFileVersionLast) {
    // Product 6.14.x.y and file a.b.10.6404: the text mixes the two.
    EXPECT_EQ(TextOf(MakeRecord({6, 14, 99, 99}, {1, 2, 10, 6404})), L"6.14.10.6404");
}

TEST(VersionTextFromRecord, NeverHasBlanksOrPadding) {
    const std::wstring text = TextOf(MakeRecord({1, 2, 3, 4}, {5, 6, 7, 8}));
    EXPECT_EQ(text, L"1.2.7.8");
    EXPECT_EQ(text.find(L' '), std::wstring::npos);
}

class RootRecord : public ::testing::Test {
protected:
    // A block of `size` bytes that declares its own length as `declared` (default: all of
    // it), with a record at `at`.
    std::vector<std::uint8_t> Block(std::size_t at, std::size_t size, std::size_t declared = 0) {
        std::vector<std::uint8_t> block(size, 0xCC);
        declared = declared ? declared : size;
        block[0] = static_cast<std::uint8_t>(declared & 0xFF);
        block[1] = static_cast<std::uint8_t>(declared >> 8);
        const Record record = MakeRecord({6, 14, 10, 6404}, {6, 14, 10, 6404});
        for (std::size_t i = 0; i < record.size() && at + i < size; ++i) block[at + i] = record[i];
        return block;
    }
};

TEST_F(RootRecord, ReadsAWholeRecordInsideTheBlock) {
    auto block = Block(40, 200);
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 40, 52), L"6.14.10.6404");
    // A record ending exactly at the end of the block is whole.
    auto tight = Block(148, 200);
    EXPECT_EQ(VersionTextFromRoot(tight, tight.data() + 148, 52), L"6.14.10.6404");
}

TEST_F(RootRecord, RefusesAShortRootValue) {
    auto block = Block(40, 200);
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 40, 51), L"");
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 40, 0), L"");
}

TEST_F(RootRecord, RefusesARecordReachingPastTheBlock) {
    // Run under AddressSanitizer: reading even one byte past the block would be reported.
    auto block = Block(149, 200);
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 149, 52), L"");
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 200, 52), L"");
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 4000, 52), L"");
    std::vector<std::uint8_t> small(51, 0);
    EXPECT_EQ(VersionTextFromRoot(small, small.data(), 52), L"");
}

TEST_F(RootRecord, RefusesARecordReachingPastTheBlocksOwnLength) {
    // The buffer is larger than the block, as the version API makes it; the rest is zeros.
    auto block = Block(40, 300, 60);
    EXPECT_EQ(VersionTextFromRoot(block, block.data() + 40, 52), L"");
    auto whole = Block(40, 300, 92);
    EXPECT_EQ(VersionTextFromRoot(whole, whole.data() + 40, 52), L"6.14.10.6404");
}

TEST_F(RootRecord, RefusesAPlaceBeforeTheBlockOrNone) {
    auto block = Block(40, 200);
    std::vector<std::uint8_t> tail(block.begin() + 100, block.end());
    tail[0] = 100;
    tail[1] = 0;
    EXPECT_EQ(VersionTextFromRoot(tail, block.data() + 40, 52), L"");
    EXPECT_EQ(VersionTextFromRoot(block, nullptr, 52), L"");
    EXPECT_EQ(VersionTextFromRoot({}, block.data(), 52), L"");
}

} // namespace
