#include "probe/native_files_win.h"
#include "probe/probe_win.h"
#include "probe/version_record.h"
#include "ui/ansi_text.h"
#include "ui/system_function.h"

#include <vector>

namespace {

// VERSION.dll's three functions, from the system folder's at the first read. Without all three,
// every file reads as one without version information.
struct VersionFunctions {
    decltype(&GetFileVersionInfoSizeA) infoSize = nullptr;
    decltype(&GetFileVersionInfoA) info = nullptr;
    decltype(&VerQueryValueA) queryValue = nullptr;
};

const VersionFunctions& Version() {
    static bool loaded = false;
    static VersionFunctions functions;
    if (!loaded) {
        loaded = true;
        const HMODULE dll = LoadSystemDll("version.dll");
        VersionFunctions found{FunctionOf<decltype(functions.infoSize)>(dll, "GetFileVersionInfoSizeA"),
                               FunctionOf<decltype(functions.info)>(dll, "GetFileVersionInfoA"),
                               FunctionOf<decltype(functions.queryValue)>(dll, "VerQueryValueA")};
        if (found.infoSize && found.info && found.queryValue) functions = found;
    }
    return functions;
}

// The ANSI form of VerQueryValue hands out a text value of a UTF-16 block as ANSI text, which it
// converts into the space after the block: up to as many bytes again as the block's first word
// claims (at most 65535), 4 bytes on, from up to 65535 UTF-16 characters of the value. Windows
// sizes the buffer from the file's resource, not from those claims, so a block that claims more
// than it holds (or a root value marked as text) would have the conversion read and write past
// the end. Zeros after the block, enough for any claim, keep both inside the buffer.
constexpr std::size_t kConversionSpace = 2 * 65536 + 8;

} // namespace

std::wstring GetVersionText(const std::wstring& path) {
    const VersionFunctions& version = Version(); // loaded before the file system turns native
    const std::string ansiPath = ToAnsi(path);
    if (ansiPath.empty() || !version.infoSize) return {};
    std::vector<std::uint8_t> block;
    {
        const NativeFileSystem native;
        DWORD ignored = 0;
        const DWORD size = version.infoSize(ansiPath.c_str(), &ignored);
        if (size < 1) return {};
        block.assign(static_cast<std::size_t>(size) + kConversionSpace, 0);
        if (!version.info(ansiPath.c_str(), 0, size, block.data())) return {};
    }

    void* root = nullptr;
    UINT rootLength = 0;
    if (!version.queryValue(block.data(), "\\", &root, &rootLength)) return {};
    return VersionTextFromRoot(block, root, rootLength);
}
