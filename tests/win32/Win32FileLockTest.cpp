// The state file's lock on Windows between real processes: a holder keeps it
// until it lets go, a holder that is killed frees it at once, and each lock of
// one process is a holder of its own.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/LockWaits.h"
#include "core/RecordingClock.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "storage/FileLock.h"
#include "win32/LockHolderProcess.h"
#include "win32/TempFolder.h"

namespace vandir {
namespace {

class Win32FileLockTest : public ::testing::Test {
protected:
    std::u16string State() const { return FromWide(state_); }

    test::TempFolder folder_;
    const std::wstring state_ = folder_ / L"\u00e9tat \u20ac.vsim";
    Win32FileSystem files_;
    testing::RecordingClock clock_;
};

TEST_F(Win32FileLockTest, AnotherProcessKeepsTheLockUntilItLetsGo) {
    test::LockHolderProcess holder(state_);
    ASSERT_TRUE(holder.Held());
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Busy);
    EXPECT_EQ(clock_.waits, testing::TheLongestLockWait())
        << "waited its longest, never took it over";
    ASSERT_TRUE(holder.Release());
    clock_.waits.clear();
    EXPECT_TRUE(FileLock(files_, State(), clock_).Held());
    EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(Win32FileLockTest, AKilledHoldersLockIsFreeAtOnce) {
    test::LockHolderProcess holder(state_);
    ASSERT_TRUE(holder.Held());
    holder.Kill();
    EXPECT_TRUE(FileLock(files_, State(), clock_).Held());
    EXPECT_TRUE(clock_.waits.empty()) << "no wait for a lock whose holder is gone";
}

TEST_F(Win32FileLockTest, EachLockOfOneProcessIsAHolderOfItsOwn) {
    auto first = std::make_unique<FileLock>(files_, State(), clock_);
    ASSERT_TRUE(first->Held());
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Busy);
    first.reset();
    clock_.waits.clear();
    EXPECT_TRUE(FileLock(files_, State(), clock_).Held());
    EXPECT_TRUE(clock_.waits.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(state_ + L".lck")) << "the lock file stays";
}

TEST_F(Win32FileLockTest, ALockFileThatCannotBeHadFailsWithoutWaiting) {
    std::filesystem::create_directory(state_ + L".lck");
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Failed);
    EXPECT_EQ(FileLock(files_, FromWide(folder_ / L"missing\\state.vsim"), clock_).Outcome(),
              FileSystem::LockTry::Failed);
    EXPECT_TRUE(clock_.waits.empty());
}

}  // namespace
}  // namespace vandir
