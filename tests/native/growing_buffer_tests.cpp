#include "probe/growing_buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Answers like GetSystemDirectory: the count written, or the capacity needed with the NUL.
struct FakeFolder {
    std::wstring folder;
    int calls = 0;
    std::size_t operator()(wchar_t* buffer, std::size_t capacity) {
        ++calls;
        if (folder.size() + 1 > capacity) return folder.size() + 1;
        std::memcpy(buffer, folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
        return folder.size();
    }
};

TEST(ReadWithGrowingBuffer, ReturnsExactlyTheTextWritten) {
    FakeFolder fake{L"C:\\WINDOWS\\system32"};
    EXPECT_EQ(ReadWithGrowingBuffer(255, std::ref(fake)), L"C:\\WINDOWS\\system32");
    EXPECT_EQ(fake.calls, 1);
}

TEST(ReadWithGrowingBuffer, ReadsALongerTextWithTheSizeAskedFor) {
    for (std::size_t length : {254u, 255u, 256u, 600u}) {
        FakeFolder fake{std::wstring(length, L'd')};
        EXPECT_EQ(ReadWithGrowingBuffer(255, std::ref(fake)), fake.folder) << length;
    }
}

TEST(ReadWithGrowingBuffer, FailureOrAGrowingNeedIsEmpty) {
    EXPECT_EQ(ReadWithGrowingBuffer(255, [](wchar_t*, std::size_t) { return std::size_t{0}; }), L"");
    EXPECT_EQ(ReadWithGrowingBuffer(255, [](wchar_t*, std::size_t capacity) { return capacity + 1; }), L"");
}

} // namespace
