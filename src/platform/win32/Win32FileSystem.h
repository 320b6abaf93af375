#pragma once
// The profile's file operations on Windows.

#include <windows.h>

#include <cstddef>

#include "storage/FileSystem.h"

namespace vandir {

class Win32FileSystem : public FileSystem {
public:
    // Larger files are refused by ReadWholeFile, so that a stray huge file in
    // the profile's place cannot exhaust memory.
    static constexpr std::size_t kMaxReadSize = 16 * 1024 * 1024;

    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override;

    // A path that exists is left alone. Otherwise every prefix of the path up to
    // a backslash that does not exist is created as a folder, left to right; the
    // part after the last backslash is the file name and is never created.
    void EnsureFoldersOf(const std::u16string& filePath) override;

    // Writes a temporary file of a fresh name beside path, flushes it and moves
    // it over path (replace, write-through); the temporary is removed on
    // failure, and the old file stays as it was. After a success the
    // temporaries of saves of path that are over go
    // (RemoveAbandonedSaveTemporaries); those of saves still running stay.
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override;

    bool Exists(const std::u16string& path) override;
    // Win32FileLock.cpp.
    LockAttempt TryLockFile(const std::u16string& path) override;
    bool RemoveFile(const std::u16string& path) override;

    // True when a file or folder of exactly that name exists (* and ? are
    // characters of the name, never wildcards).
    static bool PathExists(const std::wstring& path);
};

}  // namespace vandir
