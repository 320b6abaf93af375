#pragma once
// A lock on a file between processes: the folder PATH.lock, which only one
// process at a time can make. A folder that stays longer than a writer ever
// holds it was left by a process that died: after kStaleLockMilliseconds of
// waiting, in slices of kLockWaitMilliseconds through the clock, it is taken
// over once. Released when the object goes.

#include <cstdint>
#include <string>

#include "base/Clock.h"
#include "storage/FileSystem.h"

namespace vandir {

class FileLock {
public:
    static constexpr uint32_t kLockWaitMilliseconds = 5;
    static constexpr uint32_t kStaleLockMilliseconds = 2000;

    // Waits for the lock on the file at path; Held tells whether it came.
    // files and clock must outlive this object.
    FileLock(FileSystem& files, const std::u16string& path, Clock& clock);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the folder cannot be made at all (no such folder above, no
    // right to write) or a taken-over lock was taken again meanwhile.
    bool Held() const { return held_; }

private:
    FileSystem& files_;
    std::u16string folder_;
    bool held_ = false;
};

}  // namespace vandir
