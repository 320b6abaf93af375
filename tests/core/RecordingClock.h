#pragma once
// A clock that records the waits asked of it and lets time pass instantly.

#include <cstdint>
#include <vector>

#include "base/Clock.h"

namespace vandir::testing {

class RecordingClock : public Clock {
public:
    std::vector<uint32_t> waits;
    uint64_t now = 0;

    void Sleep(uint32_t milliseconds) override {
        waits.push_back(milliseconds);
        now += milliseconds;
    }
    uint64_t NowMilliseconds() override { return now; }
};

}  // namespace vandir::testing
