#pragma once
// The native command-line tool as the end-to-end tests use it: building
// expected profiles, and reading the simulated mouse's memory.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "e2e/Processes.h"

namespace vandir::e2e {

using Bytes = std::vector<std::uint8_t>;

class Vandirctl {
public:
    explicit Vandirctl(std::filesystem::path tool) : tool_(std::move(tool)) {}

    CommandResult Call(const std::vector<std::string>& arguments) const;

    // A profile with the program's start-up record and the given field
    // assignments ("reportRate=4", "buttons.1.kind=2", ...); false on failure.
    bool MakeProfile(const std::filesystem::path& file,
                     const std::vector<std::string>& assignments) const;
    // The 128-byte image that Apply sends for the profile.
    std::optional<Bytes> ImageOf(const std::filesystem::path& profile) const;
    // The simulated mouse's configuration memory.
    std::optional<Bytes> MouseMemory(const std::filesystem::path& state) const;
    bool Plug(const std::filesystem::path& state) const;
    bool Unplug(const std::filesystem::path& state) const;
    // "device COMMAND... --simulate STATE" (busy N, fail CODE, ok); true when it exited 0.
    bool Simulate(const std::filesystem::path& state, std::vector<std::string> command) const;

private:
    std::filesystem::path tool_;
};

std::optional<Bytes> ReadFileBytes(const std::filesystem::path& file);
// Bytes as rows of 16 hexadecimal pairs, for failure messages.
std::string Hex(const Bytes& bytes);

}  // namespace vandir::e2e
