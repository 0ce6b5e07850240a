// The version resource Windows shows in the DLL's properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string versionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return "";
    }
    return std::string(value);
}

TEST(WindowsDll, CarriesAVersionResource) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA("VantorHUD.dll", &ignored);
    ASSERT_GT(size, 0u) << GetLastError();
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA("VantorHUD.dll", 0, size, info.data()));

    EXPECT_EQ(versionString(info, "ProductName"), "Vantor HUD");
    EXPECT_EQ(versionString(info, "FileVersion"), VANTOR_VERSION);
    EXPECT_EQ(versionString(info, "OriginalFilename"), "VantorHUD.dll");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), VANTOR_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

}  // namespace
