#include "app/DemoStateFile.h"

#include <utility>

namespace vandir {

DemoStateFile::DemoStateFile(FileSystem& files, std::u16string path, Clock& clock)
    : file_(files, std::move(path), clock) {}

std::optional<SimulatedMouse::StoredState> DemoStateFile::Read() const {
    SimulatedMouse::StoredState state;
    if (file_.Read(state) != SimulatedStateFile::Reading::Loaded) {
        return std::nullopt;
    }
    return state;
}

bool DemoStateFile::LoadInto(SimulatedMouse& mouse) const {
    SimulatedMouse::StoredState state;
    switch (file_.Read(state)) {
        case SimulatedStateFile::Reading::Loaded:
            mouse.RestoreStoredState(state);
            return true;
        case SimulatedStateFile::Reading::Missing:
            return true;
        case SimulatedStateFile::Reading::NotAStateFile:
            break;
    }
    return false;
}

SimulatedStateFile::Update DemoStateFile::SaveMemory(
    const SimulatedMouse::StoredState& state) const {
    return file_.Change(state, [&state](SimulatedMouse::StoredState& stored) {
        stored.memory = state.memory;
        stored.firmwareVersion = state.firmwareVersion;
    });
}

SimulatedStateFile::Update DemoStateFile::SavePluggedState(
    const SimulatedMouse::StoredState& state, std::optional<bool> unlessChangedFrom) const {
    return file_.Change(state, [&](SimulatedMouse::StoredState& stored) {
        if (!unlessChangedFrom || stored.pluggedIn == *unlessChangedFrom) {
            stored.pluggedIn = state.pluggedIn;
        }
    });
}

}  // namespace vandir
