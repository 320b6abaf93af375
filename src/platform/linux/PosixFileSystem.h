#pragma once
// File operations on Linux; UTF-16 paths are converted to UTF-8.

#include "storage/FileSystem.h"

namespace vandir {

class PosixFileSystem : public FileSystem {
public:
    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override;
    void EnsureFoldersOf(const std::u16string& filePath) override;
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override;
    bool Exists(const std::u16string& path) override;
    FolderMade MakeFolder(const std::u16string& path) override;
    bool RemoveFolder(const std::u16string& path) override;
};

}  // namespace vandir
