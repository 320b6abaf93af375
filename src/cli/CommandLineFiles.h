#pragma once
// Files named on the command line, reached by the path exactly as given, with
// the system's reason when something fails.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vandir::cli {

// The largest file or standard input the tool reads, as every reader of
// profiles accepts; nothing larger is written either.
inline constexpr size_t kLargestInput = 16 * 1024 * 1024;

struct FileContents {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Failed;
    std::vector<uint8_t> bytes;  // when Read
    std::string reason;          // when Missing or Failed: the system's words
};

class CommandLineFiles {
public:
    virtual ~CommandLineFiles() = default;

    // The whole regular file at path (at most 16 MiB). Missing only when
    // nothing exists at path; any other failure is Failed with its reason.
    virtual FileContents Read(const std::string& path) = 0;

    // Replaces the file at path (creating it and its missing folders) with
    // bytes in one step. Empty on success, else the reason; path then keeps
    // what it held.
    virtual std::string Replace(const std::string& path, std::span<const uint8_t> bytes) = 0;
};

}  // namespace vandir::cli
