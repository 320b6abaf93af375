#include "cli/CliPlatform.h"

#ifdef _WIN32
#include <windows.h>
// <windows.h> first: the shell header depends on it.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "cli/CommandError.h"
#include "i18n/Unicode.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HidBackend.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include "cli/BuildConfig.h"
#include "platform/linux/HidrawBackend.h"
#include "platform/linux/PosixFileSystem.h"
#include "platform/linux/PosixFiles.h"
#endif

#include <cerrno>
#include <cstdio>

namespace vandir::cli {

#ifdef _WIN32

namespace {

// Paths are UTF-8 text, handed to the wide file functions.
class Win32CommandLineFiles : public CommandLineFiles {
public:
    FileContents Read(const std::string& path) override {
        FileContents contents;
        const std::u16string wide = Utf16FromUtf8(path);
        if (files_.ReadWholeFile(wide, contents.bytes)) {
            contents.status = FileContents::Status::Read;
            return contents;
        }
        const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(wide.c_str()));
        const DWORD error = GetLastError();
        const bool missing = attributes == INVALID_FILE_ATTRIBUTES &&
                             (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
        contents.status = missing ? FileContents::Status::Missing : FileContents::Status::Failed;
        contents.reason = missing ? "no such file" : "cannot be opened or read";
        return contents;
    }

    std::string Replace(const std::string& path, std::span<const uint8_t> bytes) override {
        const std::u16string wide = Utf16FromUtf8(path);
        files_.EnsureFoldersOf(wide);
        return files_.ReplaceWholeFile(wide, bytes) ? "" : "cannot be written";
    }

private:
    Win32FileSystem files_;
};

}  // namespace

std::unique_ptr<CommandLineFiles> MakeCommandLineFiles() {
    return std::make_unique<Win32CommandLineFiles>();
}

std::unique_ptr<FileSystem> MakeFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

std::u16string FileSystemPath(const std::string& path) {
    return Utf16FromUtf8(path);
}

std::unique_ptr<HidBackend> MakeHidBackend() {
    return std::make_unique<Win32HidBackend>();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return {argv, argv + argc};
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const std::wstring_view arg(wide[i]);
        const std::u16string_view text(reinterpret_cast<const char16_t*>(arg.data()), arg.size());
        arguments.push_back(Utf8FromUtf16(text));
        // An unpaired surrogate would come back as U+FFFD and could name
        // another file: such an argument is refused instead.
        if (Utf16FromUtf8(arguments.back()) != text) {
            LocalFree(wide);
            throw CommandError(kExitUsage,
                               "argument " + std::to_string(i) + " is not valid Unicode text");
        }
    }
    LocalFree(wide);
    return arguments;
}

void PrepareStandardStreams() {
    // Text is written as UTF-8 bytes with "\n" line ends, as on Linux.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
}

#else

namespace {

// Paths go to the system byte for byte.
class PosixCommandLineFiles : public CommandLineFiles {
public:
    FileContents Read(const std::string& path) override {
        FileReadResult result = ReadRegularFile(path);
        FileContents contents;
        if (result.error == 0) {
            contents.status = FileContents::Status::Read;
            contents.bytes = std::move(result.bytes);
        } else {
            contents.status = result.error == ENOENT ? FileContents::Status::Missing
                                                     : FileContents::Status::Failed;
            contents.reason = DescribeFileError(result.error);
        }
        return contents;
    }

    std::string Replace(const std::string& path, std::span<const uint8_t> bytes) override {
        EnsureFoldersOfFile(path);
        const int error = ReplaceRegularFile(path, bytes);
        return error == 0 ? "" : DescribeFileError(error);
    }
};

}  // namespace

std::unique_ptr<CommandLineFiles> MakeCommandLineFiles() {
    return std::make_unique<PosixCommandLineFiles>();
}

std::unique_ptr<FileSystem> MakeFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

std::u16string FileSystemPath(const std::string& path) {
    return PosixFileSystem::PathFromBytes(path);
}

std::unique_ptr<HidBackend> MakeHidBackend() {
    return std::make_unique<HidrawBackend>("/sys/class/hidraw", "/dev", kUdevRuleFile);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void PrepareStandardStreams() {
    // A closed standard stream is opened on /dev/null the wrong way round, so
    // that using it fails (as it would have) and no file the tool opens later
    // takes its number and receives its output.
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int unusable = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
            if (unusable >= 0 && unusable != fd) {
                ::dup2(unusable, fd);
                ::close(unusable);
            }
        }
    }
}

#endif

}  // namespace vandir::cli
