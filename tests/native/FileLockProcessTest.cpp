// The state file's lock between real processes on Linux: a holder that is
// stopped keeps it, a holder that is killed frees it at once, and threads of
// one process exclude each other as processes do.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "core/LockWaits.h"
#include "core/RecordingClock.h"
#include "device/SimulatedMouse.h"
#include "platform/linux/PosixFileSystem.h"
#include "storage/FileLock.h"
#include "storage/SimulatedStateCodec.h"
#include "storage/SimulatedStateFile.h"

namespace vandir {
namespace {

namespace fs = std::filesystem;

// A child process that takes the lock on path and holds it until it is
// killed.
class Holder {
public:
    explicit Holder(const fs::path& path) {
        int ready[2];
        if (::pipe(ready) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            PosixFileSystem files;
            SystemClock clock;
            const FileLock lock(files, PosixFileSystem::PathFromBytes(path.string()), clock);
            const char held = lock.Held() ? 'y' : 'n';
            if (::write(ready[1], &held, 1) != 1) {
                ::_exit(2);
            }
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        char held = 0;
        held_ = pid_ > 0 && ::read(ready[0], &held, 1) == 1 && held == 'y';
        ::close(ready[0]);
    }
    ~Holder() { Kill(); }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    bool Held() const { return held_; }
    void Signal(int signal) const { ::kill(pid_, signal); }
    // Kills the holder and waits until it is gone.
    void Kill() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};

class FileLockProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "file-lock-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        state_ = root_ / "mouse.sim";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::u16string State() const { return PosixFileSystem::PathFromBytes(state_.string()); }

    fs::path root_;
    fs::path state_;
    PosixFileSystem files_;
    testing::RecordingClock clock_;
};

TEST_F(FileLockProcessTest, AStoppedHolderKeepsTheLockAndItsChangeIsNotOverwritten) {
    Holder holder(state_);
    ASSERT_TRUE(holder.Held());
    holder.Signal(SIGSTOP);

    const SimulatedStateFile file(files_, State(), clock_);
    const auto unplug = [](SimulatedMouse::StoredState& state) { state.pluggedIn = false; };
    EXPECT_EQ(file.Change(SimulatedMouse().GetStoredState(), unplug),
              SimulatedStateFile::Update::Locked);
    EXPECT_EQ(clock_.waits, testing::TheLongestLockWait()) << "waited its longest, then gave up";
    EXPECT_FALSE(fs::exists(state_)) << "nothing written without the lock";
    EXPECT_TRUE(fs::exists(state_.string() + ".lck"));

    // Let go again, it still holds it; once it is gone, the lock is free.
    holder.Signal(SIGCONT);
    clock_.waits.clear();
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Busy);
    holder.Kill();
    clock_.waits.clear();
    EXPECT_EQ(file.Change(SimulatedMouse().GetStoredState(), unplug),
              SimulatedStateFile::Update::Written);
    EXPECT_TRUE(clock_.waits.empty());
}

TEST_F(FileLockProcessTest, AKilledHoldersLockIsFreeAtOnce) {
    Holder holder(state_);
    ASSERT_TRUE(holder.Held());
    holder.Kill();
    const FileLock lock(files_, State(), clock_);
    EXPECT_TRUE(lock.Held());
    EXPECT_TRUE(clock_.waits.empty()) << "no wait for a lock whose holder is gone";
}

TEST_F(FileLockProcessTest, EachLockOfOneProcessIsAHolderOfItsOwn) {
    auto first = std::make_unique<FileLock>(files_, State(), clock_);
    ASSERT_TRUE(first->Held());
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Busy);
    EXPECT_EQ(clock_.waits, testing::TheLongestLockWait());
    first.reset();
    clock_.waits.clear();
    EXPECT_TRUE(FileLock(files_, State(), clock_).Held());
    EXPECT_TRUE(clock_.waits.empty());
}

// The lock file stays (removing it would let two holders lock two files);
// a lock file that cannot be made or opened fails at once.
TEST_F(FileLockProcessTest, ALockFileThatCannotBeHadFailsWithoutWaiting) {
    fs::create_directory(state_.string() + ".lck");
    EXPECT_EQ(FileLock(files_, State(), clock_).Outcome(), FileSystem::LockTry::Failed);
    const fs::path nowhere = root_ / "missing" / "mouse.sim";
    EXPECT_EQ(FileLock(files_, PosixFileSystem::PathFromBytes(nowhere.string()), clock_).Outcome(),
              FileSystem::LockTry::Failed);
    EXPECT_TRUE(clock_.waits.empty());
    EXPECT_FALSE(fs::exists(root_ / "missing"));
}

}  // namespace
}  // namespace vandir
