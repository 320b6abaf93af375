#include "cli/CliPlatform.h"

#ifdef _WIN32
#include <windows.h>
// <windows.h> first: the shell header depends on it.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include "i18n/Unicode.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HidBackend.h"
#else
#include "platform/linux/HidrawBackend.h"
#include "platform/linux/PosixFileSystem.h"
#endif

#include <cstdio>

namespace vandir::cli {

#ifdef _WIN32

std::unique_ptr<FileSystem> MakeFileSystem() {
    return std::make_unique<Win32FileSystem>();
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
        arguments.push_back(Utf8FromUtf16(
            std::u16string_view(reinterpret_cast<const char16_t*>(arg.data()), arg.size())));
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

std::unique_ptr<FileSystem> MakeFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

std::unique_ptr<HidBackend> MakeHidBackend() {
    return std::make_unique<HidrawBackend>();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return {argv, argv + argc};
}

void PrepareStandardStreams() {}

#endif

}  // namespace vandir::cli
