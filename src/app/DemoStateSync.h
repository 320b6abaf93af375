#pragma once
// The demo's simulated mouse and its state file kept in step both ways,
// without either side losing the other's change:
// - a configuration write that the mouse stores reaches the file (its memory
//   and firmware version) before the request returns, or the request fails
//   as a mouse's failed write does and the mouse keeps its old memory: the
//   next start reads what the mouse really holds.
// - a look at the file (the watcher's, after the file changed) takes the
//   file's memory and firmware version into the mouse, and its busy polls and
//   failing transfers (vandirctl device busy | fail | ok --simulate STATE).
// - the plugged state the demo started with goes to the file once, when the
//   watcher starts (so a second start that ends at once changes nothing).
// The plugged state is the watcher's to follow (DemoHotPlug), as the window
// has to hear of it.
//
// Requests and the plugged state's save run on worker threads and take the
// sync's lock, which they may hold while they wait for the file's lock. A look
// runs on the window's thread and never waits: while the lock is taken it
// says Busy and the watcher looks again later.

#include <atomic>
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
    // ever written to the file. pluggedInFile: the plugged state the file held
    // when the demo read it (none when there was no file); a change of it
    // made since then, before the watcher started, wins over the demo's.
    DemoStateSync(std::shared_ptr<SimulatedMouse> mouse, DemoStateFile file, bool saves,
                  std::optional<bool> pluggedInFile = std::nullopt);
    DemoStateSync(const DemoStateSync&) = delete;
    DemoStateSync& operator=(const DemoStateSync&) = delete;

    SimulatedMouse& Mouse() const { return *mouse_; }
    const DemoStateFile& File() const { return file_; }

    // One request through device, a handle of the mouse, and for a stored
    // configuration write its save. NotSaved: the mouse took the write but the
    // file could not be written, and the mouse's memory went back.
    enum class Request { Sent, Failed, NotSaved };
    Request SetFeature(HidDevice& device, const uint8_t* report, size_t length);

    // Whether the plugged state has yet to reach the file; SavePluggedState
    // writes it (once; nothing when saves is false).
    bool PluggedStateUnsaved() const;
    void SavePluggedState();

    // Reads the file and takes what it says, as above. Busy: a request or a
    // save is under way, or the plugged state has not reached the file yet;
    // nothing was read or taken and the look is to be taken again. Otherwise
    // what the file holds, empty when it cannot tell (nothing is taken then).
    struct Sight {
        bool busy = false;
        std::optional<SimulatedMouse::StoredState> stored;
    };
    Sight Look();

private:
    const std::shared_ptr<SimulatedMouse> mouse_;
    const DemoStateFile file_;
    const bool saves_;
    std::mutex mutex_;
    std::atomic<bool> pluggedStateUnsaved_;
    const std::optional<bool> pluggedInFile_;
};

}  // namespace vandir
