#pragma once
// Where the settings owner's mouse work runs: one piece at a time, in the
// order it was queued, off the owner's thread (the serial workers on Windows,
// a deterministic scheduler in the tests). Results come back to the owner's
// thread through PostBack.

#include <functional>

namespace vandir {

// What a piece of mouse work is, for the schedulers that tell them apart.
enum class MouseJob { Reading, Apply, Close };

class MouseWork {
public:
    virtual ~MouseWork() = default;
    // Queues work behind everything queued before. False, with work not run,
    // when it cannot be queued (the owner then runs it at once).
    virtual bool Queue(MouseJob kind, std::function<void()> work) = 0;
    // Runs function on the owner's thread later; dropped once the owner's
    // window is gone.
    virtual void PostBack(std::function<void()> function) = 0;
};

}  // namespace vandir
