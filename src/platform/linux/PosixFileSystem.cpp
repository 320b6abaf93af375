#include "platform/linux/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "i18n/Unicode.h"
#include "platform/linux/PosixFiles.h"
#include "platform/linux/UniqueFd.h"

namespace vandir {
namespace {

constexpr char16_t kEscapedByte = 0xDC00;
// What the umask leaves of rw-rw-rw-, so that every user can lock.
constexpr mode_t kLockFileMode = 0666;

// The lock lasts as long as its file stays open.
class HeldFileLock : public FileSystem::HeldLock {
public:
    explicit HeldFileLock(UniqueFd fd) : fd_(std::move(fd)) {}

private:
    UniqueFd fd_;
};

bool IsEscapedByte(char16_t unit) {
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the UTF-8 sequence that a lead byte starts; 0 for a byte that
// cannot start one.
size_t SequenceLength(uint8_t lead) {
    return lead < 0x80                    ? 1
           : lead >= 0xC2 && lead <= 0xDF ? 2
           : lead >= 0xE0 && lead <= 0xEF ? 3
           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                          : 0;
}

}  // namespace

std::u16string PosixFileSystem::PathFromBytes(const std::string& bytes) {
    std::u16string path;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = SequenceLength(static_cast<uint8_t>(bytes[i]));
        if (length != 0 && i + length <= bytes.size()) {
            const std::string sequence = bytes.substr(i, length);
            const std::u16string text = Utf16FromUtf8(sequence);
            // Only a sequence that comes back the same is text (no overlong
            // form, no surrogate, no stray continuation byte).
            if (Utf8FromUtf16(text) == sequence && !(text.size() == 1 && IsEscapedByte(text[0]))) {
                path += text;
                i += length;
                continue;
            }
        }
        path += static_cast<char16_t>(kEscapedByte + static_cast<uint8_t>(bytes[i]));
        ++i;
    }
    return path;
}

std::string PosixFileSystem::BytesFromPath(const std::u16string& path) {
    std::string bytes;
    size_t runStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const bool afterHigh = i > 0 && path[i - 1] >= 0xD800 && path[i - 1] <= 0xDBFF;
        if (IsEscapedByte(path[i]) && !afterHigh) {
            bytes += Utf8FromUtf16(std::u16string_view(path).substr(runStart, i - runStart));
            bytes += static_cast<char>(path[i] - kEscapedByte);
            runStart = i + 1;
        }
    }
    return bytes + Utf8FromUtf16(std::u16string_view(path).substr(runStart));
}

bool PosixFileSystem::ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) {
    FileReadResult result = ReadRegularFile(BytesFromPath(path));
    contents = std::move(result.bytes);
    return result.error == 0;
}

void PosixFileSystem::EnsureFoldersOf(const std::u16string& filePath) {
    EnsureFoldersOfFile(BytesFromPath(filePath));
}

bool PosixFileSystem::ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                                       std::u16string* reason) {
    const int error = ReplaceRegularFile(BytesFromPath(path), bytes);
    if (error != 0 && reason != nullptr) {
        *reason = Utf16FromUtf8(DescribeFileError(error));
    }
    return error == 0;
}

bool PosixFileSystem::Exists(const std::u16string& path) {
    struct stat status {};
    return ::stat(BytesFromPath(path).c_str(), &status) == 0 ||
           (errno != ENOENT && errno != ENOTDIR);
}

FileSystem::LockAttempt PosixFileSystem::TryLockFile(const std::u16string& path) {
    LockAttempt attempt;
    UniqueFd fd(::open(BytesFromPath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK,
                       kLockFileMode));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return attempt;
    }
    // An open-file-description lock on the first byte: each open file is its
    // own holder (threads exclude each other too), it ends when the file is
    // closed, and it is the lock Wine gives LockFileEx on that byte, so the
    // demo program under Wine and vandirctl exclude each other.
    struct flock range {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
    if (::fcntl(fd.get(), F_OFD_SETLK, &range) != 0) {
        attempt.outcome = errno == EAGAIN || errno == EACCES ? LockTry::Busy : LockTry::Failed;
        return attempt;
    }
    attempt.outcome = LockTry::Held;
    attempt.lock = std::make_unique<HeldFileLock>(std::move(fd));
    return attempt;
}

bool PosixFileSystem::RemoveFile(const std::u16string& path) {
    return ::unlink(BytesFromPath(path).c_str()) == 0 || errno == ENOENT || errno == ENOTDIR;
}

}  // namespace vandir
