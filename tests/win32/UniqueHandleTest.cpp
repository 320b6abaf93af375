#include "platform/win32/UniqueHandle.h"

#include <gtest/gtest.h>

#include <fstream>
#include <utility>

#include "TempFolder.h"

namespace vandir {
namespace {

// Opens the file with no sharing: succeeds only while nobody else has it open.
UniqueFileHandle OpenExclusive(const std::wstring& path) {
    return UniqueFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
}

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(std::filesystem::path(file_)) << "x"; }

    test::TempFolder folder_;
    std::wstring file_ = folder_ / L"held.bin";
};

TEST_F(UniqueHandleTest, ClosesItsHandleOnceWhenDestroyed) {
    {
        const UniqueFileHandle first = OpenExclusive(file_);
        ASSERT_TRUE(first.Valid());
        EXPECT_FALSE(OpenExclusive(file_).Valid()) << "the file is still held";
    }
    EXPECT_TRUE(OpenExclusive(file_).Valid()) << "the owner closed the file";
}

TEST_F(UniqueHandleTest, MovingTransfersOwnership) {
    UniqueFileHandle source = OpenExclusive(file_);
    ASSERT_TRUE(source.Valid());
    const HANDLE raw = source.Get();

    UniqueFileHandle moved(std::move(source));
    EXPECT_FALSE(source.Valid());
    EXPECT_EQ(source.Get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(moved.Get(), raw);

    UniqueFileHandle assigned;
    assigned = std::move(moved);
    EXPECT_FALSE(moved.Valid());
    EXPECT_EQ(assigned.Get(), raw);

    assigned.Reset();
    EXPECT_FALSE(assigned.Valid());
    EXPECT_TRUE(OpenExclusive(file_).Valid()) << "Reset closed the file";
}

TEST_F(UniqueHandleTest, ReleaseGivesUpOwnershipWithoutClosing) {
    HANDLE raw = INVALID_HANDLE_VALUE;
    {
        UniqueFileHandle owner = OpenExclusive(file_);
        ASSERT_TRUE(owner.Valid());
        raw = owner.Release();
        EXPECT_FALSE(owner.Valid());
    }
    EXPECT_FALSE(OpenExclusive(file_).Valid()) << "the released handle is still open";
    EXPECT_TRUE(::CloseHandle(raw));
}

TEST(UniqueRegistryKeyTest, PutReceivesAnOpenedKey) {
    UniqueRegistryKey key;
    EXPECT_FALSE(key.Valid());
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Put()),
              ERROR_SUCCESS);
    ASSERT_TRUE(key.Valid());
    DWORD subkeys = 0;
    EXPECT_EQ(::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST_F(UniqueHandleTest, FindHandleOwnsASearch) {
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(::FindFirstFileW((folder_ / L"*.bin").c_str(), &found));
    ASSERT_TRUE(search.Valid());
    EXPECT_STREQ(found.cFileName, L"held.bin");
    EXPECT_FALSE(UniqueFindHandle(::FindFirstFileW((folder_ / L"*.none").c_str(), &found)).Valid());
}

}  // namespace
}  // namespace vandir
