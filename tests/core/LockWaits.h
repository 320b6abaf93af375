#pragma once
// The waits a FileLock asks of its clock when the lock stays busy throughout.

#include <cstdint>
#include <vector>

#include "storage/FileLock.h"

namespace vandir::testing {

inline std::vector<uint32_t> TheLongestLockWait() {
    return std::vector<uint32_t>(
        FileLock::kLongestWaitMilliseconds / FileLock::kLockWaitMilliseconds,
        FileLock::kLockWaitMilliseconds);
}

}  // namespace vandir::testing
