#pragma once
// Owns a POSIX file descriptor.

#include <unistd.h>

#include <utility>

namespace vandir {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.fd_, -1));
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

    // Closes the descriptor; false when close reported an error.
    bool reset(int fd = -1) {
        bool ok = true;
        if (fd_ >= 0) {
            ok = ::close(fd_) == 0;
        }
        fd_ = fd;
        return ok;
    }

private:
    int fd_ = -1;
};

}  // namespace vandir
