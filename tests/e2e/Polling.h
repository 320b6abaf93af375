#pragma once
// Waiting for something observable: a window, a pixel change, a file's bytes.

#include <chrono>
#include <thread>

namespace vandir::e2e {

// Wine under load is slow: every wait allows this long before it fails.
inline constexpr int kPatienceMs = 30000;

// Polls the condition until it holds or the timeout passes; true when it held.
template <class Condition>
bool WaitUntil(Condition condition, int timeoutMs = kPatienceMs, int periodMs = 50) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
    }
    return true;
}

}  // namespace vandir::e2e
