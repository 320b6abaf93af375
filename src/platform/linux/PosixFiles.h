#pragma once
// Whole-file reading and replacing on Linux, by the path's bytes as given
// (no conversion), reporting the system's reason for a failure as errno.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vandir {

// A profile is a few hundred bytes; anything far larger is not read into memory.
inline constexpr size_t kLargestReadableFile = 16 * 1024 * 1024;

// errno values for what is not a system error but still stops the read.
inline constexpr int kNotARegularFile = -1;
inline constexpr int kFileTooLarge = -2;

struct FileReadResult {
    int error = 0;  // 0 when read; an errno value, kNotARegularFile or kFileTooLarge
    std::vector<uint8_t> bytes;
};

// Reads the regular file at path, at most kLargestReadableFile bytes. Opens
// without blocking, so that a FIFO or device in its place cannot hang the read.
FileReadResult ReadRegularFile(const std::string& path);

// Creates every missing folder above the file at path, from the outermost
// level inwards. Failures are ignored; a later write reports them.
void EnsureFoldersOfFile(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it to the disk and
// renames it over path. A symbolic link at path is followed and its target
// replaced; a replaced file keeps its mode (and owner where the process may
// set it), a new one gets 0666 less the umask. Anything at path that is not
// a regular file is left alone (kNotARegularFile). Temporary files are named
// by SaveTemporaryName; a successful save removes those of saves of the same
// file that are over (RemoveAbandonedSaveTemporaries), never those of saves
// still running. 0 on success; otherwise an errno value, path keeps its old
// contents (or stays absent) and the temporary file is removed.
int ReplaceRegularFile(const std::string& path, std::span<const uint8_t> bytes);

// The reason for a failure in words (strerror, or what the two own codes mean).
std::string DescribeFileError(int error);

}  // namespace vandir
