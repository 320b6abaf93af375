#pragma once
// The simulated mouse's state file (SimulatedStateCodec gives its bytes), as
// vandirctl --simulate STATE and the demo program share it.
//
// Several processes change it, each only its part (plug and unplug the
// plugged state, busy, fail and ok theirs, a configuration write the memory),
// so each change is one step that no other update interleaves with: under the
// file's lock (FileLock) it reads the file, edits the state and replaces the
// file (FileSystem::ReplaceWholeFile), so that none loses another's change and
// a reader sees the old file or the new one. The lock ends with its holder,
// so a killed writer never holds up the next. Readers take no lock; as a
// replacement of a file that a reader has open fails on Windows, it is tried
// again, up to kReplaceAttempts times, FileLock::kLockWaitMilliseconds apart.

#include <functional>
#include <string>

#include "base/Clock.h"
#include "device/SimulatedMouse.h"
#include "storage/FileSystem.h"

namespace vandir {

class SimulatedStateFile {
public:
    using State = SimulatedMouse::StoredState;

    static constexpr int kReplaceAttempts = 20;

    // files and clock (the waits for the lock) must outlive this object.
    SimulatedStateFile(FileSystem& files, std::u16string path, Clock& clock);

    const std::u16string& Path() const { return path_; }

    enum class Reading {
        Loaded,         // state holds what the file says
        Missing,        // nothing is at the path; state is left as it is
        NotAStateFile,  // it cannot be read or is not exactly a state file; state is left
    };
    Reading Read(State& state) const;

    enum class Update {
        Written,        // the file holds the changed state
        NotAStateFile,  // the file cannot be read or is not a state file; left alone
        Locked,         // another process kept the file's lock; left alone
        NotWritten,     // the lock file cannot be made, or writing failed
    };
    // Under the lock: reads the file (ifMissing when there is none), lets
    // change edit the state and writes it back, unless the file holds that
    // state already (also in an older format). An exception from change
    // leaves the file alone and releases the lock.
    Update Change(const State& ifMissing, const std::function<void(State&)>& change) const;

private:
    bool Replace(const State& state) const;

    FileSystem& files_;
    std::u16string path_;
    Clock& clock_;
};

}  // namespace vandir
