#pragma once
// The demo's simulated mouse and its state file kept in step both ways,
// without either side losing the other's change:
// - a configuration write that the mouse stores is the demo's change: after
//   it the memory (and firmware version) goes to the file whenever it differs
//   from the file's. A save that failed is tried again after the next
//   request, at the next look and when the demo ends.
// - a look at the file (the watcher's, after the file changed) takes the
//   file's memory and firmware version into the mouse, unless a write of the
//   demo's has not reached the file yet, and its busy polls and failing
//   transfers (vandirctl device busy | fail | ok --simulate STATE).
// The plugged state is the watcher's to follow (DemoHotPlug), as the window
// has to hear of it.
//
// Requests and looks take one lock, so a look cannot come between a write and
// its save. Requests may come from any thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "app/DemoStateFile.h"
#include "device/HidBackend.h"
#include "device/SimulatedMouse.h"

namespace vandir {

class DemoStateSync {
public:
    // With saves false (a file that is not a simulated mouse's) nothing is
    // ever written to the file.
    DemoStateSync(std::shared_ptr<SimulatedMouse> mouse, DemoStateFile file, bool saves);
    DemoStateSync(const DemoStateSync&) = delete;
    DemoStateSync& operator=(const DemoStateSync&) = delete;

    SimulatedMouse& Mouse() const { return *mouse_; }
    const DemoStateFile& File() const { return file_; }

    // One request through device, a handle of the mouse, then the save.
    bool SetFeature(HidDevice& device, const uint8_t* report, size_t length);
    // Saves a write that has not reached the file yet, if any.
    void SaveWrite() noexcept;
    // Reads the file and takes what it says, as above; what the file holds,
    // empty when it cannot tell (nothing is taken then).
    std::optional<SimulatedMouse::StoredState> Look();

private:
    // Called with the lock held.
    void SaveUnsavedWrite() noexcept;

    const std::shared_ptr<SimulatedMouse> mouse_;
    const DemoStateFile file_;
    const bool saves_;
    std::mutex mutex_;
    bool unsaved_ = false;  // a write of the demo's is not in the file yet
};

}  // namespace vandir
