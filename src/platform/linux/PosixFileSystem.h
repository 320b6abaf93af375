#pragma once
// File operations on Linux; UTF-16 paths are converted to UTF-8. A file name
// need not be UTF-8 on Linux: PathFromBytes keeps each byte that is not part
// of UTF-8 text as a lone surrogate U+DC80..U+DCFF, which turns back into that
// byte, so that such a name reaches exactly its file.

#include "storage/FileSystem.h"

namespace vandir {

class PosixFileSystem : public FileSystem {
public:
    static std::u16string PathFromBytes(const std::string& bytes);
    static std::string BytesFromPath(const std::u16string& path);

    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override;
    void EnsureFoldersOf(const std::u16string& filePath) override;
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* reason = nullptr) override;
    bool Exists(const std::u16string& path) override;
    LockAttempt TryLockFile(const std::u16string& path) override;
    bool RemoveFile(const std::u16string& path) override;
};

}  // namespace vandir
