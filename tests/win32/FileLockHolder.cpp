// A stand-in for another process that holds a file's lock:
//   file_lock_holder.exe PATH HELD_EVENT RELEASE_EVENT
// takes the lock on the file at PATH as the program does (FileLock), sets the
// event HELD_EVENT once it holds it, and keeps it until RELEASE_EVENT is set
// or it is killed. Exit code 0 after a release, 3 when the lock did not come.

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "base/Clock.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "storage/FileLock.h"

int main() {
    int count = 0;
    const std::unique_ptr<wchar_t*, decltype(&::LocalFree)> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count), &::LocalFree);
    if (!arguments || count != 4) {
        return 2;
    }
    const vandir::UniqueKernelHandle held(
        ::OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments.get()[2]));
    const vandir::UniqueKernelHandle release(::OpenEventW(SYNCHRONIZE, FALSE, arguments.get()[3]));
    if (!held || !release) {
        return 2;
    }
    vandir::Win32FileSystem files;
    vandir::SystemClock clock;
    const vandir::FileLock lock(files, vandir::FromWide(arguments.get()[1]), clock);
    if (!lock.Held()) {
        return 3;
    }
    ::SetEvent(held.Get());
    ::WaitForSingleObject(release.Get(), INFINITE);
    return 0;
}
