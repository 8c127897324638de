#include "probe/probe_win.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr wchar_t kTestKey[] = L"Software\\Orvel Quillon Tests\\Registry";

// A key of the test's own under HKEY_CURRENT_USER, removed with everything in it afterwards.
class GetRegValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void Set(const wchar_t* name, DWORD type, std::vector<BYTE> data) {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    void SetText(const wchar_t* name, DWORD type, std::wstring_view text) {
        ASSERT_EQ(RegSetValueExW(key_, name, 0, type, reinterpret_cast<const BYTE*>(text.data()),
                                 static_cast<DWORD>(text.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    static std::wstring Get(const wchar_t* name) { return GetRegValue(HKEY_CURRENT_USER, kTestKey, name); }

    HKEY key_{};
};

TEST_F(GetRegValueTest, TextValuesStopAtTheFirstNul) {
    SetText(L"plain", REG_SZ, std::wstring_view(L"C:\\Program Files\0", 17));
    SetText(L"middle", REG_SZ, std::wstring_view(L"C:\\One\0C:\\Two\0", 14));
    SetText(L"nul", REG_SZ, std::wstring_view(L"\0", 1));
    SetText(L"unterminated", REG_SZ, std::wstring_view(L"D:\\Apps", 7));
    Set(L"empty", REG_SZ, {});
    EXPECT_EQ(Get(L"plain"), L"C:\\Program Files");
    EXPECT_EQ(Get(L"middle"), L"C:\\One");
    EXPECT_EQ(Get(L"nul"), L"");
    EXPECT_EQ(Get(L"unterminated"), L"D:\\Apps");
    EXPECT_EQ(Get(L"empty"), L"");
}

TEST_F(GetRegValueTest, OtherTypesAreEmpty) {
    SetText(L"expand", REG_EXPAND_SZ, std::wstring_view(L"%ProgramFiles%\0", 15));
    Set(L"dword", REG_DWORD, {1, 0, 0, 0});
    Set(L"multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
    EXPECT_EQ(Get(L"expand"), L"");
    EXPECT_EQ(Get(L"dword"), L"");
    EXPECT_EQ(Get(L"multi"), L"");
}

TEST_F(GetRegValueTest, BinaryValuesAreTheirFirstTwoBytesAsASignedNumber) {
    Set(L"b0", REG_BINARY, {});
    Set(L"b1", REG_BINARY, {0x05});
    Set(L"b2", REG_BINARY, {0xFF, 0xFF});
    Set(L"b4", REG_BINARY, {0x01, 0x00, 0x01, 0x00});
    Set(L"b8", REG_BINARY, {0x02, 0x00, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
    std::vector<BYTE> large(1000, 0xEE);
    large[0] = 0x00;
    large[1] = 0x80;
    Set(L"b1000", REG_BINARY, large);
    EXPECT_EQ(Get(L"b0"), L"0");
    EXPECT_EQ(Get(L"b1"), L"5");
    EXPECT_EQ(Get(L"b2"), L"-1");
    EXPECT_EQ(Get(L"b4"), L"1");
    EXPECT_EQ(Get(L"b8"), L"2");
    EXPECT_EQ(Get(L"b1000"), L"-32768");
}

TEST_F(GetRegValueTest, MissingKeyOrValueIsEmpty) {
    EXPECT_EQ(Get(L"absent"), L"");
    EXPECT_EQ(GetRegValue(HKEY_CURRENT_USER, L"Software\\Orvel Quillon Tests\\Nowhere", L"x"), L"");
    EXPECT_EQ(GetRegValue(HKEY_CURRENT_USER, L"Software\\Orvel Quillon Tests\\Nowhere", L""), L"");
}

TEST_F(GetRegValueTest, ReadingChangesNothing) {
    SetText(L"plain", REG_SZ, std::wstring_view(L"C:\\P\0", 5));
    EXPECT_EQ(Get(L"plain"), L"C:\\P");
    DWORD values = 0;
    DWORD subKeys = 0;
    RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    EXPECT_EQ(values, 1u);
    EXPECT_EQ(subKeys, 0u);
    Get(L"absent");
    HKEY absent = nullptr;
    EXPECT_NE(RegOpenKeyExW(key_, L"absent", 0, KEY_READ, &absent), ERROR_SUCCESS);
}

TEST(ProDir, IsTheStoredProgramFilesFolder) {
    wchar_t stored[MAX_PATH] = {};
    DWORD length = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                           L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, stored, &length),
              ERROR_SUCCESS);
    EXPECT_EQ(ProDir(), stored);
    EXPECT_NE(ProDir().back(), L'\\');
}

TEST(ProDir, FollowsTheRegistryValueExactly) {
    const ScopedRegValue programFiles(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                     L"ProgramFilesDir", L"D:\\Apps\\");
    EXPECT_EQ(ProDir(), L"D:\\Apps\\");
}

class DoesFileExistTest : public ::testing::Test {
protected:
    ScopedFolder folder{L"C:\\quillon-tests\\exists"};
};

TEST_F(DoesFileExistTest, OrdinaryFilesExist) {
    const ScopedFile file = ScopedFile::WithBytes(folder / L"atippaxx.dll", "x");
    EXPECT_TRUE(DoesFileExist(file.Path()));
    SetFileAttributesW(file.Path().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(DoesFileExist(file.Path()));
}

TEST_F(DoesFileExistTest, HiddenSystemFilesAndFoldersDoNot) {
    const ScopedFile hidden = ScopedFile::WithBytes(folder / L"hidden.dll", "x");
    ASSERT_TRUE(SetFileAttributesW(hidden.Path().c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(GetFileAttributesW(hidden.Path().c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_FALSE(DoesFileExist(hidden.Path()));

    const ScopedFile system = ScopedFile::WithBytes(folder / L"system.dll", "x");
    ASSERT_TRUE(SetFileAttributesW(system.Path().c_str(), FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(DoesFileExist(system.Path()));

    const std::wstring named = folder / L"atipuixx.dll";
    ASSERT_TRUE(CreateDirectoryW(named.c_str(), nullptr));
    EXPECT_FALSE(DoesFileExist(named));
}

TEST_F(DoesFileExistTest, MissingEmptyAndUnreadyPathsDoNot) {
    EXPECT_FALSE(DoesFileExist(folder / L"missing.dll"));
    EXPECT_FALSE(DoesFileExist(L""));
    EXPECT_FALSE(DoesFileExist(L"Q:\\ATI Technology\\ATI Control Panel\\atippaxx.dll"));
    EXPECT_FALSE(DoesFileExist(L"\\\\nohost\\share\\atippaxx.dll"));
    EXPECT_FALSE(DoesFileExist(folder / L"missing\\deeper\\atippaxx.dll"));
    EXPECT_FALSE(DoesFileExist(L"C:\\bad<name>.dll"));
}

} // namespace
