#pragma once
// The simulated mouse's state file named by --simulate STATE, reached through
// the platform's files by the path exactly as given.

#include <functional>
#include <memory>
#include <string>

#include "base/Clock.h"
#include "cli/CliPlatform.h"
#include "cli/CommandError.h"
#include "storage/SimulatedStateFile.h"

namespace vandir::cli {

class StateFileArgument {
public:
    explicit StateFileArgument(const std::string& path)
        : path_(path), files_(MakeFileSystem()), file_(*files_, FileSystemPath(path), clock_) {}
    StateFileArgument(const StateFileArgument&) = delete;
    StateFileArgument& operator=(const StateFileArgument&) = delete;

    const SimulatedStateFile& File() const { return file_; }

    // Applies change to the state the file holds (ifMissing when there is
    // none) as SimulatedStateFile::Change does; throws the command's failure
    // when the file was not written.
    void Change(const SimulatedStateFile::State& ifMissing,
                const std::function<void(SimulatedStateFile::State&)>& change) const {
        switch (file_.Change(ifMissing, change)) {
            case SimulatedStateFile::Update::Written:
                return;
            case SimulatedStateFile::Update::NotAStateFile:
                throw CommandError(kExitUsage, path_ + ": not a simulated mouse's state file");
            case SimulatedStateFile::Update::Locked:
                throw CommandError(kExitFailure,
                                   path_ + ": in use by another process that kept it locked");
            case SimulatedStateFile::Update::NotWritten:
                break;
        }
        throw CommandError(kExitFailure, path_ + ": cannot be written");
    }

private:
    std::string path_;
    SystemClock clock_;
    std::unique_ptr<FileSystem> files_;
    SimulatedStateFile file_;
};

}  // namespace vandir::cli
