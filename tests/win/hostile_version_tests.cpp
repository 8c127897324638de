// Thousands of broken version resources, each written into a real DLL and read by the
// program's version reader: it must never crash, and must answer either nothing or a version
// text made from bytes of the block itself.

#include "probe/probe_win.h"
#include "probe/version_record.h"
#include "test_support.h"
#include "version_blob.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>

namespace {

constexpr unsigned kSeed = 20261207;
constexpr int kBlobs = 2000;

// The version resource of a windres-made DLL, as its bytes.
std::string BuiltVersionResource() {
    HMODULE dll = LoadLibraryExW(FixturePath(L"ati2dvag-6.14.10.6404.dll").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    std::string bytes;
    if (HRSRC found = FindResourceW(dll, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION))
        bytes.assign(static_cast<const char*>(LockResource(LoadResource(dll, found))), SizeofResource(dll, found));
    FreeLibrary(dll);
    return bytes;
}

void PutWord(std::string& bytes, std::size_t at, unsigned word) {
    if (at + 1 >= bytes.size()) return;
    bytes[at] = static_cast<char>(word & 0xFF);
    bytes[at + 1] = static_cast<char>((word >> 8) & 0xFF);
}

// One broken block, of one of several kinds, from a good one.
std::string Mutate(const std::string& good, std::mt19937& random) {
    std::string blob = good;
    const auto pick = [&](unsigned limit) { return static_cast<unsigned>(random() % limit); };
    switch (pick(8)) {
    case 0: // cut short anywhere
        blob.resize(pick(static_cast<unsigned>(good.size())));
        break;
    case 1: // the root value's length, 0 to 60
        PutWord(blob, 2, pick(61));
        break;
    case 2: // the block's length pointing past its end, or short of it
        PutWord(blob, 0, static_cast<unsigned>(good.size()) + 1 + pick(400));
        if (pick(2)) PutWord(blob, 0, pick(92));
        break;
    case 3: // a huge declared size
        PutWord(blob, 0, 0xFFFF);
        PutWord(blob, 2, 0xFFFF);
        break;
    case 4: // random bytes here and there
        for (unsigned n = 1 + pick(16); n > 0; --n) blob[pick(static_cast<unsigned>(blob.size()))] = static_cast<char>(random());
        break;
    case 5: // nothing but random bytes
        blob.resize(pick(300));
        for (char& c : blob) c = static_cast<char>(random());
        break;
    case 6: // a zero-size block
        blob.clear();
        break;
    default: // the key's text broken, so the value lies elsewhere
        PutWord(blob, 6 + 2 * pick(16), random());
        PutWord(blob, 2, pick(61));
        break;
    }
    return blob;
}

// Empty, or four signed 16-bit numbers in plain decimal joined by ".".
bool WellFormed(const std::wstring& text) {
    if (text.empty()) return true;
    int numbers = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find(L'.', at);
        if (end == std::wstring::npos) end = text.size();
        std::wstring number = text.substr(at, end - at);
        const bool negative = !number.empty() && number[0] == L'-';
        const std::wstring digits = number.substr(negative ? 1 : 0);
        if (digits.empty() || digits.size() > 5 || (digits.size() > 1 && digits[0] == L'0')) return false;
        if (digits.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
        const long value = std::stol(number);
        if (value < -32768 || value > 32767 || (negative && value == 0)) return false;
        ++numbers;
        at = end + 1;
    }
    return numbers == 4;
}

// True when some 52 bytes of the block read as `text`: the answer came from the block. A block
// that claims to be longer than the resource is handed over with zeros after the resource's
// end, so those count as the block's too.
bool MadeFromTheBlock(const std::wstring& text, const std::string& blob) {
    const std::string handedOver = blob + std::string(kFixedInfoLength, '\0');
    for (std::size_t at = 0; at + kFixedInfoLength <= handedOver.size(); ++at) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(handedOver.data() + at);
        if (VersionTextFromRecord(std::span<const std::uint8_t, kFixedInfoLength>(bytes, kFixedInfoLength)) == text)
            return true;
    }
    return false;
}

TEST(HostileVersionResources, AreReadAsNothingOrAsTheirOwnBytes) {
    const ScopedFolder folder(L"C:\\quillon-tests\\hostile");
    const std::string built = BuiltVersionResource();
    ASSERT_GT(built.size(), 92u);
    constexpr std::uint16_t k1234[4] = {1, 2, 3, 4};
    const std::string handMade = VersionBlob(52, 52, k1234, k1234);
    const std::wstring dll = folder / L"hostile.dll";

    std::mt19937 random(kSeed);
    int empty = 0, versions = 0, unwritable = 0;
    for (int i = 0; i < kBlobs; ++i) {
        const std::string blob = Mutate(i % 2 ? built : handMade, random);
        if (!WriteVersionResource(FixturePath(L"no-version.dll"), dll, blob)) {
            ++unwritable;
            continue;
        }
        const std::wstring text = GetVersionText(dll);
        ASSERT_TRUE(WellFormed(text)) << "blob " << i;
        if (text.empty()) {
            ++empty;
        } else {
            ++versions;
            ASSERT_TRUE(MadeFromTheBlock(text, blob)) << "blob " << i;
        }
    }
    std::printf("%d hostile version resources (seed %u): %d read as empty, %d as a version, %d not writable\n",
                kBlobs, kSeed, empty, versions, unwritable);
    EXPECT_EQ(unwritable, 0);
    EXPECT_GT(empty, kBlobs / 4);
    EXPECT_GT(versions, 50) << "some mutations leave a readable record";
}

} // namespace
