#include "storage/SimulatedStateFile.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "storage/FileLock.h"
#include "storage/SimulatedStateCodec.h"

namespace vandir {

SimulatedStateFile::SimulatedStateFile(FileSystem& files, std::u16string path, Clock& clock)
    : files_(files), path_(std::move(path)), clock_(clock) {}

SimulatedStateFile::Reading SimulatedStateFile::Read(State& state) const {
    std::vector<uint8_t> bytes;
    if (!files_.ReadWholeFile(path_, bytes)) {
        return files_.Exists(path_) ? Reading::NotAStateFile : Reading::Missing;
    }
    const std::optional<State> decoded = DecodeSimulatedState(bytes);
    if (!decoded) {
        return Reading::NotAStateFile;
    }
    state = *decoded;
    return Reading::Loaded;
}

SimulatedStateFile::Update SimulatedStateFile::Change(
    const State& ifMissing, const std::function<void(State&)>& change) const {
    const FileLock lock(files_, path_, clock_);
    if (lock.Outcome() == FileSystem::LockTry::Busy) {
        return Update::Locked;
    }
    if (!lock.Held()) {
        return Update::NotWritten;
    }
    State state = ifMissing;
    const Reading reading = Read(state);
    if (reading == Reading::NotAStateFile) {
        return Update::NotAStateFile;
    }
    const State before = state;
    change(state);
    if (reading == Reading::Loaded && state == before) {
        // Rewriting the same state would only wake whoever watches the file.
        return Update::Written;
    }
    return Replace(state) ? Update::Written : Update::NotWritten;
}

bool SimulatedStateFile::Replace(const State& state) const {
    const std::vector<uint8_t> bytes = EncodeSimulatedState(state);
    for (int attempt = 1;; ++attempt) {
        if (files_.ReplaceWholeFile(path_, bytes)) {
            return true;
        }
        if (attempt == kReplaceAttempts) {
            return false;
        }
        clock_.Sleep(FileLock::kLockWaitMilliseconds);
    }
}

}  // namespace vandir
