// A stand-in program for the system-integration tests.
//  - With one argument (a value name), copied to paths of chosen length and
//    characters: writes the start-at-login value of that name, so the test can
//    check that the value holds exactly where this copy lives.
//  - Without arguments, started through the shell: sets the event named by the
//    VANDIR_PROBE_EVENT variable it inherits, to show it was started.

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32SystemIntegration.h"

namespace {

int SignalStarted() {
    wchar_t name[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"VANDIR_PROBE_EVENT", name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 3;
    }
    const vandir::UniqueKernelHandle event(::OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
    return event.Valid() && ::SetEvent(event.Get()) ? 0 : 4;
}

}  // namespace

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (!arguments) {
        return 2;
    }
    if (count == 1) {
        return SignalStarted();
    }
    if (count != 2) {
        return 2;
    }
    vandir::Win32SystemIntegration system;
    system.WriteAutostartEntry(vandir::FromWide(arguments.get()[1]));
    return 0;
}
