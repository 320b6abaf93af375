#include "platform/win32/RestartRegistration.h"

#include <windows.h>

namespace vandir {

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        // A quoted path runs to the next quote, blanks and all.
        const size_t close = commandLine.find(L'"', 1);
        end = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring::npos) {
            end = commandLine.size();
        }
    }
    const size_t start = commandLine.find_first_not_of(L" \t", end);
    return start == std::wstring::npos ? std::wstring() : commandLine.substr(start);
}

bool RegisterForRestart() {
    const std::wstring arguments = ArgumentsOf(::GetCommandLineW());
    // Flags 0: restart after a crash, a hang, an update and a reboot.
    return SUCCEEDED(::RegisterApplicationRestart(arguments.c_str(), 0));
}

}  // namespace vandir
