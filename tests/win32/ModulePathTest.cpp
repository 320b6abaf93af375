#include "platform/win32/ModulePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <vector>

namespace vandir {
namespace {

// The test program's own path, asked with a buffer far larger than any path.
std::wstring PathFromALargeBuffer() {
    std::vector<wchar_t> buffer(40000, L'\0');
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

TEST(ModulePathTest, IsTheRunningProgramAndItsFolder) {
    const std::wstring path = ModulePath();
    EXPECT_EQ(path, PathFromALargeBuffer());
    EXPECT_TRUE(path.ends_with(L"\\win32_tests.exe")) << std::filesystem::path(path).string();

    const std::wstring folder = GetModuleFolder();
    EXPECT_EQ(folder + L"\\win32_tests.exe", path);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

}  // namespace
}  // namespace vandir
