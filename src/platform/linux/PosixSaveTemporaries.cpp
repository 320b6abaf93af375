#include "platform/linux/PosixSaveTemporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>

#include "storage/SaveTemporaryName.h"

namespace vandir {
namespace {

// A name taken by another file, nearly always a dead process of the same id's:
// the next unique is tried, this many times.
constexpr int kCreateAttempts = 100;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

// False only when certainly no process runs under writer. A process of another
// user still answers (EPERM); an id no process can have here is not certain.
bool WriterMayRun(uint32_t writer) {
    if (writer > static_cast<uint32_t>(INT_MAX)) {
        return true;
    }
    return ::kill(static_cast<pid_t>(writer), 0) == 0 || errno != ESRCH;
}

bool LastWrittenBefore(const struct stat& info, std::chrono::system_clock::time_point limit) {
    const auto written = std::chrono::system_clock::from_time_t(info.st_mtim.tv_sec);
    return written <= limit;
}

}  // namespace

UniqueFd CreateSaveTemporary(const std::string& folder, const std::string& file,
                             std::string& path) {
    const auto self = static_cast<uint32_t>(::getpid());
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        path = folder + SaveTemporaryName(file, self, NextSaveTemporaryUnique());
        UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd) {
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    path.clear();  // leaves errno as it is
    return UniqueFd();
}

void RemoveAbandonedSaveTemporaries(const std::string& folder, const std::string& file) {
    const UniqueDir dir(::opendir(folder.c_str()));
    if (!dir) {
        return;
    }
    const int at = ::dirfd(dir.get());
    const auto oldest = std::chrono::system_clock::now() - kAbandonedSaveAge;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::optional<uint32_t> writer = SaveTemporaryWriter(entry->d_name, file);
        struct stat info {};
        if (!writer || ::fstatat(at, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode)) {
            continue;
        }
        if (LastWrittenBefore(info, oldest) || !WriterMayRun(*writer)) {
            ::unlinkat(at, entry->d_name, 0);
        }
    }
}

}  // namespace vandir
