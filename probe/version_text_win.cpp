#include "probe/probe_win.h"
#include "probe/version_record.h"
#include "ui/ansi_text.h"

#include <vector>

namespace {

// The ANSI form of VerQueryValue hands out a text value of a UTF-16 block as ANSI text, which it
// converts into the space after the block: up to as many bytes again as the block's first word
// claims (at most 65535), 4 bytes on, from up to 65535 UTF-16 characters of the value. Windows
// sizes the buffer from the file's resource, not from those claims, so a block that claims more
// than it holds (or a root value marked as text) would have the conversion read and write past
// the end. Zeros after the block, enough for any claim, keep both inside the buffer.
constexpr std::size_t kConversionSpace = 2 * 65536 + 8;

} // namespace

std::wstring GetVersionText(const std::wstring& path) {
    const std::string ansiPath = ToAnsi(path);
    if (ansiPath.empty()) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ansiPath.c_str(), &ignored);
    if (size < 1) return {};

    std::vector<std::uint8_t> block(static_cast<std::size_t>(size) + kConversionSpace, 0);
    if (!GetFileVersionInfoA(ansiPath.c_str(), 0, size, block.data())) return {};

    void* root = nullptr;
    UINT rootLength = 0;
    if (!VerQueryValueA(block.data(), "\\", &root, &rootLength)) return {};
    return VersionTextFromRoot(block, root, rootLength);
}
