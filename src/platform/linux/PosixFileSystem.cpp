#include "platform/linux/PosixFileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

bool PosixFileSystem::Exists(const std::u16string& path) {
    struct stat status {};
    return ::stat(Utf8FromUtf16(path).c_str(), &status) == 0 ||
           (errno != ENOENT && errno != ENOTDIR);
}

FileSystem::FolderMade PosixFileSystem::MakeFolder(const std::u16string& path) {
    if (::mkdir(Utf8FromUtf16(path).c_str(), 0777) == 0) {
        return FolderMade::Made;
    }
    return errno == EEXIST ? FolderMade::Exists : FolderMade::Failed;
}

bool PosixFileSystem::RemoveFolder(const std::u16string& path) {
    return ::rmdir(Utf8FromUtf16(path).c_str()) == 0;
}

}  // namespace vandir
