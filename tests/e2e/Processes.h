#pragma once
// Running the tools the end-to-end tests need: a command whose output is
// wanted, and a program left running in the background.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vandir::e2e {

using Environment = std::vector<std::pair<std::string, std::string>>;

struct CommandResult {
    int exitCode = -1;  // -1 when the command could not be run or was killed
    std::string out;
    std::string err;
};

// Runs argv[0] (a path) with the extra environment and waits for it.
CommandResult Run(const std::vector<std::string>& argv, const Environment& extra = {});

// A program started in the background, its output appended to a log file.
class Background {
public:
    Background() = default;
    Background(const std::vector<std::string>& argv, const Environment& extra,
               const std::filesystem::path& log);
    ~Background();
    Background(Background&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}
    Background& operator=(Background&& other) noexcept;

    bool Running();
    // Waits up to the timeout for the program to end; its exit code, or -1.
    int WaitFor(int timeoutMs);

private:
    void Reap();
    pid_t pid_ = -1;
    int exitCode_ = -1;
};

}  // namespace vandir::e2e
