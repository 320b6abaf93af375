#pragma once
// The simulated mouse's state file named by --simulate STATE, reached through
// the platform's files by the path exactly as given.

#include <memory>
#include <string>

#include "base/Clock.h"
#include "cli/CliPlatform.h"
#include "storage/SimulatedStateFile.h"

namespace vandir::cli {

class StateFileArgument {
public:
    explicit StateFileArgument(const std::string& path)
        : files_(MakeFileSystem()), file_(*files_, FileSystemPath(path), clock_) {}
    StateFileArgument(const StateFileArgument&) = delete;
    StateFileArgument& operator=(const StateFileArgument&) = delete;

    const SimulatedStateFile& File() const { return file_; }

private:
    SystemClock clock_;
    std::unique_ptr<FileSystem> files_;
    SimulatedStateFile file_;
};

}  // namespace vandir::cli
