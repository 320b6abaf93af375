#pragma once
// The simulated mouse's state file as the demo program shares it with
// vandirctl, which may change it at any moment (device plug | unplug | write
// --simulate STATE).
//
// How neither side loses the other's change: every write is an update of one
// part of the file under the file's lock (SimulatedStateFile::Change).
// The demo writes the memory after its configuration writes and the plugged
// state only once, at start; vandirctl write writes only the memory, plug and
// unplug only the plugged state. So an unplug that vandirctl wrote and the
// demo has not noticed yet is still in the file after the demo's next save,
// and the watcher then acts on it.
//
// Reads take no lock: a writer whose replacement of the file meets such a read
// tries again.

#include <optional>
#include <string>

#include "base/Clock.h"
#include "device/SimulatedMouse.h"
#include "storage/FileSystem.h"
#include "storage/SimulatedStateFile.h"

namespace vandir {

class DemoStateFile {
public:
    // clock serves the waits for the lock; files and clock must outlive this
    // object.
    DemoStateFile(FileSystem& files, std::u16string path, Clock& clock);

    const std::u16string& Path() const { return file_.Path(); }

    // The state the file holds; empty when there is no file, it cannot be read
    // or it is not a state file.
    std::optional<SimulatedMouse::StoredState> Read() const;
    // Takes the state the file holds into mouse; true then and when there is
    // no file (mouse is left as it is), false when it is not a state file.
    bool LoadInto(SimulatedMouse& mouse) const;

    // The memory and firmware version of state into the file, the plugged
    // state as the file has it (state's own when there is no file yet).
    SimulatedStateFile::Update SaveMemory(const SimulatedMouse::StoredState& state) const;
    // The plugged state of state into the file, the rest as the file has it
    // (state's own when there is no file yet); with unlessChangedFrom, only
    // while the file's plugged state is still that one.
    SimulatedStateFile::Update SavePluggedState(
        const SimulatedMouse::StoredState& state,
        std::optional<bool> unlessChangedFrom = std::nullopt) const;

private:
    SimulatedStateFile file_;
};

}  // namespace vandir
