#pragma once
// Another process holding a file's lock (file_lock_holder.exe, which lives
// beside the test programs) for as long as the test wants it held.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/ModulePath.h"
#include "platform/win32/UniqueHandle.h"

namespace vandir::test {

class LockHolderProcess {
public:
    // Starts the holder on the file at path and waits until it holds the lock
    // (Held tells).
    explicit LockHolderProcess(const std::wstring& path) {
        const std::wstring tag = std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(::GetTickCount64()) + L"-" +
                                 std::to_wstring(reinterpret_cast<uintptr_t>(this));
        const std::wstring heldName = L"vandir-lock-held-" + tag;
        const std::wstring releaseName = L"vandir-lock-release-" + tag;
        heldEvent_ = UniqueKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, heldName.c_str()));
        releaseEvent_ = UniqueKernelHandle(::CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
        std::wstring commandLine = L"\"" + GetModuleFolder() + L"\\file_lock_holder.exe\" \"" +
                                   path + L"\" " + heldName + L" " + releaseName;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!heldEvent_ || !releaseEvent_ ||
            !::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &started)) {
            return;
        }
        ::CloseHandle(started.hThread);
        process_ = UniqueKernelHandle(started.hProcess);
        const HANDLE waits[] = {heldEvent_.Get(), process_.Get()};
        held_ = ::WaitForMultipleObjects(2, waits, FALSE, kStartMilliseconds) == WAIT_OBJECT_0;
    }
    ~LockHolderProcess() { Kill(); }
    LockHolderProcess(const LockHolderProcess&) = delete;
    LockHolderProcess& operator=(const LockHolderProcess&) = delete;

    bool Held() const { return held_; }

    // Lets the holder release the lock and end; true when it ended so.
    bool Release() {
        ::SetEvent(releaseEvent_.Get());
        DWORD code = 1;
        const bool ended =
            process_ &&
            ::WaitForSingleObject(process_.Get(), kStartMilliseconds) == WAIT_OBJECT_0 &&
            ::GetExitCodeProcess(process_.Get(), &code) && code == 0;
        process_.Reset();
        return ended;
    }

    // Ends the holder as a crash or the task manager would.
    void Kill() {
        if (process_) {
            ::TerminateProcess(process_.Get(), 9);
            ::WaitForSingleObject(process_.Get(), kStartMilliseconds);
            process_.Reset();
        }
    }

private:
    static constexpr DWORD kStartMilliseconds = 10000;

    UniqueKernelHandle heldEvent_;
    UniqueKernelHandle releaseEvent_;
    UniqueKernelHandle process_;
    bool held_ = false;
};

}  // namespace vandir::test
