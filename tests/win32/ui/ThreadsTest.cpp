// Work on joinable threads and calls into the user-interface thread: the
// Apply worker's two needs.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/ReportException.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/threads/UiThread.h"
#include "platform/win32/threads/WorkerThreads.h"
#include "win32/ui/MessagePump.h"

namespace vandir {
namespace {

// A manual-reset event that work waits on.
class Gate {
public:
    void Open() { ::SetEvent(event_.Get()); }
    bool WaitOpen() const { return ::WaitForSingleObject(event_.Get(), 10000) == WAIT_OBJECT_0; }

private:
    UniqueKernelHandle event_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST(WorkerThreadsTest, JoinWaitsForWorkThatCallsTheUserInterfaceThread) {
    UiThread ui;
    WorkerThreads workers;
    std::atomic<bool> done{false};
    std::atomic<DWORD> ranOn{0};
    ASSERT_TRUE(workers.Start([&] {
        // Cannot finish until the waiting thread answers the call.
        ranOn = ui.Call([] { return ::GetCurrentThreadId(); }).value_or(0);
        done = true;
    }));
    workers.Join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ranOn, ::GetCurrentThreadId()) << "the call ran on the user-interface thread";
    EXPECT_FALSE(workers.Busy());
}

TEST(WorkerThreadsTest, DestructionWaitsForRunningWork) {
    UiThread ui;
    std::atomic<int> steps{0};
    {
        WorkerThreads workers;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(workers.Start([&] {
                ui.Call([&] { ++steps; });
                ++steps;
            }));
        }
        EXPECT_TRUE(workers.Busy()) << "each waits for the user-interface thread";
    }
    EXPECT_EQ(steps, 6);
}

TEST(WorkerThreadsTest, WorkRunsElsewhereAndItsExceptionIsReported) {
    static std::vector<std::wstring> reports;
    reports.clear();
    const ExceptionReporter previous =
        SetExceptionReporter([](const std::wstring& report) { reports.push_back(report); });
    std::atomic<DWORD> ranOn{0};
    {
        WorkerThreads workers;
        ASSERT_TRUE(workers.Start([&] {
            ranOn = ::GetCurrentThreadId();
            throw std::runtime_error("apply failure");
        }));
    }
    SetExceptionReporter(previous);
    EXPECT_NE(ranOn, 0u);
    EXPECT_NE(ranOn, ::GetCurrentThreadId());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(L"worker thread"), std::wstring::npos);
    EXPECT_NE(reports[0].find(L"apply failure"), std::wstring::npos);
}

TEST(WorkerThreadsTest, JoinFromItsOwnWorkDoesNotWaitForItself) {
    WorkerThreads workers;
    Gate joined;
    ASSERT_TRUE(workers.Start([&] {
        workers.Join();
        joined.Open();
    }));
    EXPECT_TRUE(joined.WaitOpen());
    workers.Join();
}

TEST(UiThreadTest, CallOnTheUserInterfaceThreadRunsAtOnce) {
    UiThread ui;
    ASSERT_TRUE(ui.IsCurrent());
    // Nothing pumps messages here: the function can only run directly.
    const std::optional<std::string> answer = ui.Call([] { return std::string("direct"); });
    EXPECT_EQ(answer, "direct");
    bool ran = false;
    EXPECT_TRUE(ui.Call([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_THROW(ui.Call([]() -> int { throw std::runtime_error("x"); }), std::runtime_error);
}

TEST(UiThreadTest, AnExceptionOfACallComesBackToTheCallingThread) {
    UiThread ui;
    WorkerThreads workers;
    std::atomic<bool> caught{false};
    ASSERT_TRUE(workers.Start([&] {
        try {
            ui.Call([] { throw std::runtime_error("page refused"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
    }));
    workers.Join();
    EXPECT_TRUE(caught);
}

TEST(UiThreadTest, PostedFunctionsRunInOrderWhenTheLoopPumps) {
    UiThread ui;
    std::vector<int> ran;
    std::atomic<DWORD> ranOn{0};
    WorkerThreads workers;
    ASSERT_TRUE(workers.Start([&] {
        ASSERT_TRUE(ui.Post([&] { ran.push_back(1); }));
        ASSERT_TRUE(ui.Post([&] {
            ran.push_back(2);
            ranOn = ::GetCurrentThreadId();
        }));
    }));
    workers.Join();
    EXPECT_TRUE(ran.empty()) << "nothing runs before the loop pumps";
    EXPECT_TRUE(PumpUntil([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(ranOn, ::GetCurrentThreadId());
}

TEST(UiThreadTest, DestructionDropsQueuedFunctionsWithoutRunningThem) {
    const auto token = std::make_shared<int>(0);
    int ran = 0;
    {
        UiThread ui;
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(ui.Post([&ran, token] { ++ran; }));
        }
        EXPECT_EQ(token.use_count(), 4);
    }
    EXPECT_EQ(token.use_count(), 1) << "the queued functions are destroyed";
    // The wake-up message may still be queued: it must find nothing to run.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
    EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace vandir
