// The running program's window seen from outside at two display settings, and the
// resources of the built file.

#include "about/about_layout.h"
#include "app/main_layout.h"
#include "program_run.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectLaidOutAt(HWND window, const FormSpec& layout, int dpi) {
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, TwipsToPixels(layout.clientWidth, dpi)) << dpi;
    EXPECT_EQ(client.bottom, TwipsToPixels(layout.clientHeight, dpi)) << dpi;
    const std::vector<RemoteControl> controls = RemoteControls(window);
    ASSERT_EQ(controls.size(), layout.controls.size());
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        const PixelRect want = WindowPixelRect(layout.controls, i, dpi, dpi);
        const RECT& got = controls[i].rect;
        const std::wstring name(layout.controls[i].name);
        EXPECT_EQ(controls[i].id, kFirstControlId + static_cast<int>(i)) << name;
        EXPECT_NEAR(got.left, want.left, 1) << name << " at " << dpi;
        EXPECT_NEAR(got.top, want.top, 1) << name << " at " << dpi;
        EXPECT_NEAR(got.right - got.left, want.width, 1) << name << " at " << dpi;
        EXPECT_NEAR(got.bottom - got.top, want.height, 1) << name << " at " << dpi;
    }
}

class LayoutTest : public ::testing::TestWithParam<int> {
protected:
    ScopedFolder folder_{L"C:\\quillon-tests\\layout"};
};

TEST_P(LayoutTest, BothWindowsScaleWithTheDisplayDpi) {
    const int dpi = GetParam();
    const ScopedRegValue logPixels(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels",
                                   static_cast<DWORD>(dpi));
    ProgramRun run(folder_.Path());
    ASSERT_TRUE(run.Window());
    ExpectLaidOutAt(run.Window(), main_layout::kForm, dpi);
    const LONG style = GetWindowLongW(run.Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);

    PostCommand(run.Window(), main_layout::kMenuHelpAbout);
    HWND about = WaitForVisibleWindow(run.ProcessId(), kAboutClass, 10000);
    ASSERT_TRUE(about);
    ExpectLaidOutAt(about, about_layout::kForm, dpi);
}

INSTANTIATE_TEST_SUITE_P(Dpi, LayoutTest, ::testing::Values(96, 144));

struct VersionResource {
    std::string bytes;
    std::wstring String(const wchar_t* name) const {
        void* value = nullptr;
        UINT count = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(bytes.data(), path.c_str(), &value, &count) || !value) return L"<missing>";
        return std::wstring(static_cast<const wchar_t*>(value), count ? count - 1 : 0);
    }
};

VersionResource ReadVersionResource(const std::wstring& path) {
    DWORD ignored = 0;
    VersionResource resource;
    resource.bytes.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(resource.bytes.size()), resource.bytes.data());
    return resource;
}

TEST(Resources, VersionIsThreeTenWithItsStrings) {
    const VersionResource version = ReadVersionResource(BuiltProgram());
    ASSERT_FALSE(version.bytes.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version.bytes.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(10, 3));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(10, 3));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(version.String(L"ProductName"), L"Quillon Info");
    EXPECT_EQ(version.String(L"FileVersion"), L"3.10");
    EXPECT_EQ(version.String(L"ProductVersion"), L"3.10");
    EXPECT_EQ(version.String(L"InternalName"), L"Orvel-Quillon");
    EXPECT_EQ(version.String(L"OriginalFilename"), L"Orvel-Quillon.exe");
    EXPECT_EQ(version.String(L"LegalCopyright"), about_layout::kCopyright);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(version.bytes.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
}

struct Module {
    HMODULE handle;
    explicit Module(const std::wstring& path)
        : handle(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~Module() { FreeLibrary(handle); }
    std::string Resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(handle, name, type);
        if (!found) return {};
        const void* data = LockResource(LoadResource(handle, found));
        return std::string(static_cast<const char*>(data), SizeofResource(handle, found));
    }
};

// The processorArchitecture of the file's own processor: X86 for the shipped program, amd64 for
// the 64-bit build, which with X86 makes no window wherever the x86 common controls are found.
std::string ManifestArchitectureOf(const std::wstring& file) {
    DWORD type = 0;
    if (!GetBinaryTypeW(file.c_str(), &type)) return {};
    if (type == SCS_32BIT_BINARY) return "X86";
    if (type == SCS_64BIT_BINARY) return "amd64";
    return {};
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(Resources, ManifestAsksForCommonControlsSixAndDpiAwareness) {
    const Module program(BuiltProgram());
    ASSERT_TRUE(program.handle);
    const std::string architecture = ManifestArchitectureOf(BuiltProgram());
    ASSERT_FALSE(architecture.empty());
    const std::string manifest = program.Resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    const std::string own = "processorArchitecture=\"" + architecture + "\"";
    for (const std::string& part :
         {"version=\"1.0.0.0\" " + own, std::string("type=\"win32\""),
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" " + own +
              " publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
          std::string("urn:schemas-microsoft-com:asm.v3"), std::string(">true</dpiAware>"),
          std::string("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>")})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    // Vista, 7, 8, 8.1 and 10/11, so that no compatibility layer is put over the program.
    for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_EQ(Count(manifest, std::string("<supportedOS Id=\"") + os + "\"/>"), 1u) << os;
    EXPECT_EQ(Count(manifest, "processorArchitecture="), Count(manifest, own)) << "only " << own;
    EXPECT_EQ(manifest.find("<dependentAssembly>"), manifest.rfind("<dependentAssembly>")) << "one dependency";
}

TEST(Resources, IconGroupHoldsFourSixteenColourImages) {
    const Module program(BuiltProgram());
    const std::string group = program.Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(1));
    ASSERT_EQ(group.size(), 6u + 4 * 14);
    const auto word = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(group[at]) |
                                     static_cast<unsigned char>(group[at + 1]) << 8);
    };
    EXPECT_EQ(word(2), 1u);
    EXPECT_EQ(word(4), 4u);
    const unsigned sizes[] = {32, 24, 20, 16};
    for (unsigned i = 0; i < 4; ++i) {
        const std::size_t entry = 6 + 14 * i;
        EXPECT_EQ(static_cast<unsigned char>(group[entry]), sizes[i]);
        EXPECT_EQ(static_cast<unsigned char>(group[entry + 2]), 16u) << "colours";
        EXPECT_EQ(word(entry + 6), 4u) << "bits per pixel";
        EXPECT_EQ(word(entry + 12), 30001u + i) << "icon id";
        EXPECT_FALSE(program.Resource(RT_ICON, MAKEINTRESOURCEW(30001 + i)).empty());
    }
    HICON icon = static_cast<HICON>(LoadImageW(program.handle, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    EXPECT_TRUE(icon);
    DestroyIcon(icon);
}

} // namespace
