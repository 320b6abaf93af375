#pragma once
// The simulated mouse's state file named by --simulate STATE, reached through
// the platform's files. The path is UTF-8 text; one that is not is refused, as
// it could not be told apart from another file's name.

#include <memory>
#include <string>

#include "base/Clock.h"
#include "cli/CliPlatform.h"
#include "cli/CommandError.h"
#include "i18n/Unicode.h"
#include "storage/SimulatedStateFile.h"

namespace vandir::cli {

class StateFileArgument {
public:
    explicit StateFileArgument(const std::string& path)
        : files_(MakeFileSystem()), file_(*files_, Utf16FromUtf8(path), clock_) {
        if (Utf8FromUtf16(file_.Path()) != path) {
            throw CommandError(kExitUsage, "--simulate STATE must be UTF-8 text");
        }
    }
    StateFileArgument(const StateFileArgument&) = delete;
    StateFileArgument& operator=(const StateFileArgument&) = delete;

    const SimulatedStateFile& File() const { return file_; }

private:
    SystemClock clock_;
    std::unique_ptr<FileSystem> files_;
    SimulatedStateFile file_;
};

}  // namespace vandir::cli
