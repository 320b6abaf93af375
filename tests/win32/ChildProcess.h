#pragma once
// Another process of this test program, started with the given arguments and
// its output going nowhere; ended (and waited for) when the object goes.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/UniqueHandle.h"

namespace vandir::test {

class ChildProcess {
public:
    // flags as CreateProcessW takes them: CREATE_SUSPENDED for a process that
    // runs (exists) without doing anything.
    explicit ChildProcess(const std::wstring& arguments, DWORD flags = 0) {
        wchar_t program[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, program, MAX_PATH);
        std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + arguments;
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        const UniqueFileHandle nowhere(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE,
                                                     &inherit, OPEN_EXISTING, 0, nullptr));
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = nowhere.Get();
        startup.hStdError = nowhere.Get();
        PROCESS_INFORMATION started{};
        if (!::CreateProcessW(program, commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
                              nullptr, &startup, &started)) {
            ADD_FAILURE() << "could not start a process, error " << ::GetLastError();
            return;
        }
        process_.Reset(started.hProcess);
        thread_.Reset(started.hThread);
        id_ = started.dwProcessId;
    }
    ~ChildProcess() { End(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return id_; }

    // Its exit code once it ended by itself within patienceMs; nothing otherwise.
    std::optional<DWORD> ExitCode(DWORD patienceMs) {
        DWORD code = 0;
        if (!process_ || ::WaitForSingleObject(process_.Get(), patienceMs) != WAIT_OBJECT_0 ||
            !::GetExitCodeProcess(process_.Get(), &code)) {
            return std::nullopt;
        }
        return code;
    }

    // Ends the process (if it still runs) and waits until it has ended.
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
