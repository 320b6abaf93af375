#include "platform/win32/ModulePath.h"

#include <windows.h>

namespace vandir {
namespace {

// Longest path the system hands out (the long-path form), so growing ends.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
        // The path filled the whole buffer, so it may have been cut short.
        if (size >= kLongestPath) {
            return {};
        }
        path.resize(size * 2);
    }
}

std::wstring GetModuleFolder() {
    std::wstring path = ModulePath();
    const size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) {
        return {};
    }
    path.resize(cut);
    return path;
}

}  // namespace vandir
