#pragma once
// Another process of this test program, started suspended: it exists, and
// runs as far as the system can tell, but never gets to run any code of its
// own. Ended (and waited for) when the object goes.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/UniqueHandle.h"

namespace vandir::test {

class SuspendedProcess {
public:
    SuspendedProcess() {
        wchar_t program[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(program) + L"\" --gtest_filter=None";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE,
                              CREATE_SUSPENDED, nullptr, nullptr, &startup, &started)) {
            ADD_FAILURE() << "could not start a process, error " << ::GetLastError();
            return;
        }
        process_.Reset(started.hProcess);
        thread_.Reset(started.hThread);
        id_ = started.dwProcessId;
    }
    ~SuspendedProcess() { End(); }
    SuspendedProcess(const SuspendedProcess&) = delete;
    SuspendedProcess& operator=(const SuspendedProcess&) = delete;

    DWORD Id() const { return id_; }

    // Ends the process and waits until it has ended; its handle stays open.
    void End() {
        if (process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT &&
            ::TerminateProcess(process_.Get(), 0)) {
            EXPECT_EQ(::WaitForSingleObject(process_.Get(), kPatienceMs), WAIT_OBJECT_0);
        }
    }

    // Ends the process and closes its handles.
    void EndAndClose() {
        End();
        thread_.Reset();
        process_.Reset();
    }

private:
    static constexpr DWORD kPatienceMs = 30000;

    UniqueKernelHandle process_;
    UniqueKernelHandle thread_;
    DWORD id_ = 0;
};

}  // namespace vandir::test
