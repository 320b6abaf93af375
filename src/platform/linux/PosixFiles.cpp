#include "platform/linux/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/PosixSaveTemporaries.h"
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

// The folder part of path, with its closing slash ("./" for a bare name).
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// The last part of path: the name of the file in its folder.
std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolderOf(const std::string& path) {
    UniqueFd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) {
        ::fsync(dir.get());
    }
}

// A file the tool creates gets what the umask leaves of rw-rw-rw-.
constexpr mode_t kNewFileMode = 0666;
constexpr int kMostLinksFollowed = 40;

// The umask can only be read by setting it: fine for the single thread
// that saves.
mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The path that symbolic links at path lead to (path itself when it is no
// link, or does not exist). 0, or an errno value such as ELOOP.
int FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return 0;
        }
        std::string link(static_cast<size_t>(info.st_size) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) {
            return errno;
        }
        link.resize(static_cast<size_t>(n));
        const bool relative = link.empty() || link.front() != '/';
        target = relative ? FolderOf(target) + link : link;
    }
    return ELOOP;
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
    std::string target;
    if (const int error = FollowLinks(path, target); error != 0) {
        return error;
    }
    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) {
        return errno;
    }
    if (replacing && !S_ISREG(old.st_mode)) {
        return kNotARegularFile;
    }
    // A fresh name beside the target, so that no other file is overwritten.
    const std::string folder = FolderOf(target);
    const std::string file = NameOf(target);
    std::string temporary;
    UniqueFd fd = CreateSaveTemporary(folder, file, temporary);
    if (!fd) {
        return errno;
    }
    int error = 0;
    if (replacing) {
        // The owner where the process may set it (ignored otherwise), then the
        // mode, which a change of owner may have cut.
        [[maybe_unused]] const bool ownerKept =
            (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) ||
            ::fchown(fd.get(), old.st_uid, old.st_gid) == 0;
        if (::fchmod(fd.get(), old.st_mode & 07777) != 0) {
            error = errno;
        }
    } else if (::fchmod(fd.get(), kNewFileMode & ~CurrentUmask()) != 0) {
        error = errno;
    }
    if (error == 0 && (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0)) {
        error = errno;
    }
    if (!fd.reset() && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolderOf(target);
    RemoveAbandonedSaveTemporaries(folder, file);
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
