#include "app/DemoOptions.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <memory>
#include <string_view>

#include "platform/win32/WideText.h"

namespace vandir {
namespace {

constexpr std::u16string_view kSimulate = u"--simulate";
constexpr std::u16string_view kSimulateEquals = u"--simulate=";
constexpr std::u16string_view kUnplugged = u"--unplugged";
constexpr wchar_t kDefaultStateName[] = L"VandirII-Demo.vsim";

bool IsOption(std::u16string_view argument) {
    return argument.substr(0, 2) == u"--";
}

struct LocalFreeDeleter {
    void operator()(wchar_t** block) const { ::LocalFree(block); }
};

}  // namespace

DemoOptions ParseDemoOptions(const std::vector<std::u16string>& arguments) {
    DemoOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string_view argument = arguments[i];
        if (argument == kUnplugged) {
            options.unplugged = true;
        } else if (argument == kSimulate) {
            if (i + 1 < arguments.size() && !arguments[i + 1].empty() &&
                !IsOption(arguments[i + 1])) {
                options.statePath = arguments[++i];
            }
        } else if (argument.substr(0, kSimulateEquals.size()) == kSimulateEquals &&
                   argument.size() > kSimulateEquals.size()) {
            options.statePath = argument.substr(kSimulateEquals.size());
        }
    }
    return options;
}

std::vector<std::u16string> CommandLineArguments(const wchar_t* commandLine) {
    // CommandLineToArgvW reads an empty line as the program's own path.
    if (commandLine == nullptr || *commandLine == L'\0') {
        return {};
    }
    int count = 0;
    const std::unique_ptr<wchar_t*, LocalFreeDeleter> split(
        ::CommandLineToArgvW(commandLine, &count));
    if (!split) {
        return {};
    }
    std::vector<std::u16string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(FromWide(split.get()[i]));
    }
    return arguments;
}

std::u16string DefaultDemoStatePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    // Without a temporary folder the file goes to the current one.
    std::wstring path = length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : L"";
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return FromWide(path + kDefaultStateName);
}

}  // namespace vandir
