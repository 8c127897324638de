#include "probe/probe_win.h"
#include "probe/version_record.h"

#include <vector>

std::wstring GetVersionText(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size < 1) return {};

    // One spare zero byte past what the block is said to need.
    std::vector<std::uint8_t> block(static_cast<std::size_t>(size) + 1, 0);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};

    void* root = nullptr;
    UINT rootLength = 0;
    if (!VerQueryValueW(block.data(), L"\\", &root, &rootLength)) return {};
    return VersionTextFromRoot(block, root, rootLength);
}
