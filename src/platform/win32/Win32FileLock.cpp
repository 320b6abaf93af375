// Win32FileSystem::TryLockFile: the system's lock on the first byte of a lock
// file, which ends when its handle closes, also when the process is killed.

#include <windows.h>

#include <memory>
#include <utility>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"

namespace vandir {
namespace {

class HeldFileLock : public FileSystem::HeldLock {
public:
    explicit HeldFileLock(UniqueFileHandle file) : file_(std::move(file)) {}
    ~HeldFileLock() override {
        // Unlocked before the handle closes, as the system may free the lock
        // of a closed handle only later.
        OVERLAPPED start{};
        ::UnlockFileEx(file_.Get(), 0, 1, 0, &start);
    }
    HeldFileLock(const HeldFileLock&) = delete;
    HeldFileLock& operator=(const HeldFileLock&) = delete;

private:
    UniqueFileHandle file_;
};

}  // namespace

FileSystem::LockAttempt Win32FileSystem::TryLockFile(const std::u16string& path) {
    LockAttempt attempt;
    UniqueFileHandle file(::CreateFileW(AsWide(path), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        // Opened by somebody who shares nothing: taken for the moment.
        attempt.outcome =
            ::GetLastError() == ERROR_SHARING_VIOLATION ? LockTry::Busy : LockTry::Failed;
        return attempt;
    }
    OVERLAPPED start{};
    if (!::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &start)) {
        attempt.outcome =
            ::GetLastError() == ERROR_LOCK_VIOLATION ? LockTry::Busy : LockTry::Failed;
        return attempt;
    }
    attempt.outcome = LockTry::Held;
    attempt.lock = std::make_unique<HeldFileLock>(std::move(file));
    return attempt;
}

}  // namespace vandir
