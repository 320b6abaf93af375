#pragma once
// A lock on a file between processes: the system's lock on the lock file
// PATH.lck beside it (FileSystem::TryLockFile). The system ends that lock
// with its holder, killed or paused alike, so a lock is never taken over and
// nobody removes what another holds. A holder keeps it for one read, change
// and replace of the file, a few milliseconds; a waiter tries again every
// kLockWaitMilliseconds through the clock and gives up after
// kLongestWaitMilliseconds (a holder stopped in a debugger). Released when the
// object goes.
//
// Lock folders PATH.lock that older builds made are not looked at.

#include <cstdint>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "storage/FileSystem.h"

namespace vandir {

class FileLock {
public:
    static constexpr uint32_t kLockWaitMilliseconds = 5;
    static constexpr uint32_t kLongestWaitMilliseconds = 2000;
    static constexpr char16_t kLockFileSuffix[] = u".lck";

    // Waits for the lock on the file at path; Held tells whether it came.
    // files and clock serve only the constructor.
    FileLock(FileSystem& files, const std::u16string& path, Clock& clock);
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return outcome_ == FileSystem::LockTry::Held; }
    // Busy when another holder kept it through the whole wait, Failed when
    // the lock file cannot be made or opened (no folder, no right to write).
    FileSystem::LockTry Outcome() const { return outcome_; }

private:
    FileSystem::LockTry outcome_ = FileSystem::LockTry::Failed;
    std::unique_ptr<FileSystem::HeldLock> lock_;
};

}  // namespace vandir
