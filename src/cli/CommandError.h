#pragma once
// A command's failure: the message for stderr and the exit code.

#include <stdexcept>
#include <string>

namespace vandir::cli {

inline constexpr int kExitFailure = 1;  // the work could not be done (a write failed)
inline constexpr int kExitUsage = 2;    // bad usage or bad input

class CommandError : public std::runtime_error {
public:
    CommandError(int exitCode, const std::string& message)
        : std::runtime_error(message), exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }

private:
    int exitCode_;
};

}  // namespace vandir::cli
