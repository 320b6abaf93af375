#include "storage/FileLock.h"

#include <utility>

namespace vandir {

FileLock::FileLock(FileSystem& files, const std::u16string& path, Clock& clock) {
    const std::u16string lockFile = path + kLockFileSuffix;
    for (uint32_t waited = 0;; waited += kLockWaitMilliseconds) {
        FileSystem::LockAttempt attempt = files.TryLockFile(lockFile);
        outcome_ = attempt.outcome;
        if (outcome_ != FileSystem::LockTry::Busy) {
            lock_ = std::move(attempt.lock);
            return;
        }
        if (waited >= kLongestWaitMilliseconds) {
            return;
        }
        clock.Sleep(kLockWaitMilliseconds);
    }
}

}  // namespace vandir
