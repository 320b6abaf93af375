#include "platform/linux/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "i18n/Unicode.h"
#include "platform/linux/UniqueFd.h"

namespace vandir {
namespace {

// A profile is a few hundred bytes; anything far larger is not read into memory.
constexpr off_t kLargestReadableFile = 16 * 1024 * 1024;

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) {
        ::fsync(dir.get());
    }
}

}  // namespace

bool PosixFileSystem::ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) {
    contents.clear();
    // Non-blocking, so that a FIFO or device in place of a profile cannot hang the read.
    UniqueFd fd(::open(Utf8FromUtf16(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_size > kLargestReadableFile) {
        return false;
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(fd.get(), buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;  // the file shrank meanwhile: take what is there
        }
        done += static_cast<size_t>(n);
    }
    buffer.resize(done);
    contents = std::move(buffer);
    return true;
}

void PosixFileSystem::EnsureFoldersOf(const std::u16string& filePath) {
    const std::string path = Utf8FromUtf16(filePath);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return;
    }
    // Every prefix ending before a '/' is a folder level; the last part is the file.
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::stat(folder.c_str(), &info) != 0) {
            ::mkdir(folder.c_str(), 0777);
        }
    }
}

bool PosixFileSystem::ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes) {
    const std::string target = Utf8FromUtf16(path);
    // A fresh name beside the target, so that no other file is overwritten.
    std::string temporary = target + ".XXXXXX";
    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return false;
    }
    const bool written =
        ::fchmod(fd.get(), 0644) == 0 && WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.reset() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(target);
    return true;
}

}  // namespace vandir
