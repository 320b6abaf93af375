#include "platform/linux/PosixFileSystem.h"

#include "i18n/Unicode.h"
#include "platform/linux/PosixFiles.h"

namespace vandir {

bool PosixFileSystem::ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) {
    FileReadResult result = ReadRegularFile(Utf8FromUtf16(path));
    contents = std::move(result.bytes);
    return result.error == 0;
}

void PosixFileSystem::EnsureFoldersOf(const std::u16string& filePath) {
    EnsureFoldersOfFile(Utf8FromUtf16(filePath));
}

bool PosixFileSystem::ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                                       std::u16string* reason) {
    const int error = ReplaceRegularFile(Utf8FromUtf16(path), bytes);
    if (error != 0 && reason != nullptr) {
        *reason = Utf16FromUtf8(DescribeFileError(error));
    }
    return error == 0;
}

}  // namespace vandir
