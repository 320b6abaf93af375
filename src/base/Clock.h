#pragma once
// Time for the device link and the controls: every wait and every tick count
// goes through a clock, so that tests can record the waits that were asked for
// instead of sleeping through them.

#include <chrono>
#include <cstdint>
#include <thread>

namespace vandir {

class Clock {
public:
    virtual ~Clock() = default;
    // Blocks the calling thread for the given milliseconds.
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual uint64_t NowMilliseconds() = 0;
};

class SystemClock : public Clock {
public:
    void Sleep(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    uint64_t NowMilliseconds() override {
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }
};

}  // namespace vandir
