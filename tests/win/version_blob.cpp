#include "version_blob.h"

namespace {

void PutWord(std::string& bytes, std::size_t at, std::uint16_t word) {
    bytes[at] = static_cast<char>(word & 0xFF);
    bytes[at + 1] = static_cast<char>(word >> 8);
}

} // namespace

std::string VersionBlob(std::uint16_t valueLength, std::size_t valueBytes,
                        const std::uint16_t (&product)[4], const std::uint16_t (&file)[4],
                        std::uint16_t declaredLength) {
    constexpr wchar_t kKey[] = L"VS_VERSION_INFO";
    constexpr std::size_t kValueAt = 40; // 6-byte header + 32-byte key, padded to 4 bytes
    std::string record(52, '\0');
    PutWord(record, 0, 0x04BD);
    PutWord(record, 2, 0xFEEF);
    PutWord(record, 6, 1); // structure version 1.0
    PutWord(record, 10, file[0]);
    PutWord(record, 8, file[1]);
    PutWord(record, 14, file[2]);
    PutWord(record, 12, file[3]);
    PutWord(record, 18, product[0]);
    PutWord(record, 16, product[1]);
    PutWord(record, 22, product[2]);
    PutWord(record, 20, product[3]);

    std::string blob(kValueAt, '\0');
    for (std::size_t i = 0; i < std::size(kKey); ++i) PutWord(blob, 6 + 2 * i, static_cast<std::uint16_t>(kKey[i]));
    blob += record.substr(0, std::min<std::size_t>(valueBytes, record.size()));
    blob.resize(kValueAt + valueBytes, '\0');
    PutWord(blob, 0, declaredLength ? declaredLength : static_cast<std::uint16_t>(blob.size()));
    PutWord(blob, 2, valueLength);
    PutWord(blob, 4, 0); // binary value
    return blob;
}

bool WriteVersionResource(const std::wstring& source, const std::wstring& target, const std::string& blob) {
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) return false;
    // A resource cannot be written empty (that deletes it): an empty block is no block.
    if (blob.empty()) return true;
    HANDLE update = BeginUpdateResourceW(target.c_str(), FALSE);
    if (!update) return false;
    const BOOL added = UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                       const_cast<char*>(blob.data()), static_cast<DWORD>(blob.size()));
    return EndUpdateResourceW(update, !added) && added;
}
