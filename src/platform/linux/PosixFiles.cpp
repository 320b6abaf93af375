#include "platform/linux/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/UniqueFd.h"

namespace vandir {
namespace {

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            errno = EIO;
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

FileReadResult ReadRegularFile(const std::string& path) {
    FileReadResult result;
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0) {
        result.error = errno;
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = kNotARegularFile;
        return result;
    }
    if (static_cast<uint64_t>(info.st_size) > kLargestReadableFile) {
        result.error = kFileTooLarge;
        return result;
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(fd.get(), buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.error = errno;
            return result;
        }
        if (n == 0) {
            break;  // the file shrank meanwhile: take what is there
        }
        done += static_cast<size_t>(n);
    }
    buffer.resize(done);
    result.bytes = std::move(buffer);
    return result;
}

void EnsureFoldersOfFile(const std::string& path) {
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

int ReplaceRegularFile(const std::string& path, std::span<const uint8_t> bytes) {
    // A fresh name beside the target, so that no other file is overwritten.
    std::string temporary = path + ".XXXXXX";
    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return errno;
    }
    int error = 0;
    if (::fchmod(fd.get(), 0644) != 0 || !WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        error = errno;
    }
    if (!fd.reset() && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolderOf(path);
    return 0;
}

std::string DescribeFileError(int error) {
    switch (error) {
        case kNotARegularFile:
            return "not a regular file";
        case kFileTooLarge:
            return "larger than 16 MiB";
        default:
            return std::strerror(error);
    }
}

}  // namespace vandir
