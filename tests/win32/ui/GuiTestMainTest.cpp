// The window tests' entry point fails a test during which a caught exception
// was reported: the test program is run again for one such test alone, which
// must fail.

#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/framework/Wnd.h"
#include "platform/win32/threads/WorkerThreads.h"

namespace vandir {
namespace {

// A window whose handler throws; its window procedure catches and reports.
class ThrowingWindow : public WithMessageMap<ThrowingWindow, CWnd> {
public:
    static const ClassMessageMap<ThrowingWindow> messageMap;
    static constexpr UINT kThrow = WM_APP + 7;

private:
    static const MessageMapEntry messageEntries[];
    void OnThrow() { throw std::runtime_error("thrown by a handler"); }
};
const MessageMapEntry ThrowingWindow::messageEntries[] = {
    On<ThrowingWindow::kThrow, &ThrowingWindow::OnThrow>(),
};
const ClassMessageMap<ThrowingWindow> ThrowingWindow::messageMap{messageEntries};

// Run only by the tests below, in a program of their own.
TEST(ReportedExceptions, DISABLED_FromAWindowProcedure) {
    ThrowingWindow window;
    ASSERT_TRUE(window.CreateEx(0, CWnd::RegisterWindowClass(L"VandirThrowingWindow"), L"",
                                WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    window.SendMessage(ThrowingWindow::kThrow);
    window.DestroyWindow();
}

TEST(ReportedExceptions, DISABLED_FromAWorkerThread) {
    WorkerThreads workers;
    ASSERT_TRUE(workers.Start([] { throw std::runtime_error("thrown by a worker"); }));
    workers.Join();
}

// Runs this test program with one test alone; its exit code.
DWORD RunAlone(const std::wstring& test) {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" --gtest_filter=" + test +
                               L" --gtest_also_run_disabled_tests";
    // Its report would read like this run's own: it goes nowhere.
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    UniqueKernelHandle nowhere(::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit,
                                             OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nowhere.Get();
    startup.hStdError = nowhere.Get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "could not start the test program, error " << ::GetLastError();
        return 0;
    }
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle child(process.hProcess);
    ::WaitForSingleObject(child.Get(), 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(child.Get(), &code);
    return code;
}

TEST(ReportedExceptions, FailTheTestDuringWhichTheyWereReported) {
    EXPECT_NE(RunAlone(L"ReportedExceptions.DISABLED_FromAWindowProcedure"), 0u);
    EXPECT_NE(RunAlone(L"ReportedExceptions.DISABLED_FromAWorkerThread"), 0u);
    // The same program passes a test without such a report.
    EXPECT_EQ(RunAlone(L"ReportedExceptions.DISABLED_None"), 0u);
}

TEST(ReportedExceptions, DISABLED_None) {
    ThrowingWindow window;
    ASSERT_TRUE(window.CreateEx(0, CWnd::RegisterWindowClass(L"VandirThrowingWindow"), L"",
                                WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    window.DestroyWindow();
}

}  // namespace
}  // namespace vandir
