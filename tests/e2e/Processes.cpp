#include "e2e/Processes.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace vandir::e2e {

namespace {

// The child takes its extra environment and becomes the program.
[[noreturn]] void ExecInChild(const std::vector<std::string>& argv, const Environment& extra) {
    for (const auto& [name, value] : extra) {
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

int ExitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ReadBoth(int outFd, int errFd, std::string& out, std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char buffer[4096];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

}  // namespace

CommandResult Run(const std::vector<std::string>& argv, const Environment& extra) {
    CommandResult result;
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0) {
        return result;
    }
    if (pipe(errPipe) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        close(outPipe[1]);
        close(errPipe[1]);
        ExecInChild(argv, extra);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }
    ReadBoth(outPipe[0], errPipe[0], result.out, result.err);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = ExitCodeOf(status);
    return result;
}

Background::Background(const std::vector<std::string>& argv, const Environment& extra,
                       const std::filesystem::path& log) {
    const int logFd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    pid_ = fork();
    if (pid_ == 0) {
        if (logFd >= 0) {
            dup2(logFd, STDOUT_FILENO);
            dup2(logFd, STDERR_FILENO);
        }
        ExecInChild(argv, extra);
    }
    if (logFd >= 0) {
        close(logFd);
    }
}

Background::~Background() {
    if (Running()) {
        kill(pid_, SIGKILL);
        Reap();
    }
}

Background& Background::operator=(Background&& other) noexcept {
    if (this != &other) {
        if (Running()) {
            kill(pid_, SIGKILL);
            Reap();
        }
        pid_ = std::exchange(other.pid_, -1);
        exitCode_ = other.exitCode_;
    }
    return *this;
}

bool Background::Running() {
    if (pid_ <= 0) {
        return false;
    }
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
        exitCode_ = ExitCodeOf(status);
        pid_ = -1;
        return false;
    }
    return done == 0;
}

void Background::Reap() {
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_) {
        exitCode_ = ExitCodeOf(status);
    }
    pid_ = -1;
}

int Background::WaitFor(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return exitCode_;
}

}  // namespace vandir::e2e
