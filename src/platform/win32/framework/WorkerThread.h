#pragma once
// Starts work on a thread of its own that nobody waits for. An exception that
// escapes the work ends only that work.

#include <functional>
#include <system_error>
#include <thread>

namespace vandir {

// False when no thread could be started (the work then does not run).
inline bool StartWorkerThread(std::function<void()> work) {
    try {
        std::thread([work = std::move(work)]() noexcept {
            try {
                work();
            } catch (...) {
            }
        }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

}  // namespace vandir
