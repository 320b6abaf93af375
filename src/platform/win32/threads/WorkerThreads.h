#pragma once
// Work on threads of their own that the owner waits for: the Apply and Reset
// sequences, the support page's launch. Destroying the owner (or Join) waits
// until every piece of work it started has finished, so the program never ends
// in the middle of one. An exception that escapes a piece of work ends only
// that work, and is reported.
//
// Header only: the platform layer (the support page) and the program use it.

#include <windows.h>
// After windows.h, which it builds on.
#include <process.h>

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/win32/ReportException.h"
#include "platform/win32/UniqueHandle.h"

namespace vandir {

class WorkerThreads {
public:
    WorkerThreads() = default;
    // Waits for the work still running (Join).
    ~WorkerThreads() { Join(); }
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Runs work on a new thread. False, with work not run, when no thread
    // could be started. Any thread may start work.
    bool Start(std::function<void()> work) {
        auto owned = std::make_unique<std::function<void()>>(std::move(work));
        const std::lock_guard lock(mutex_);
        ForgetFinished();
        UniqueKernelHandle thread(
            reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &Run, owned.get(), 0, nullptr)));
        if (!thread) {
            return false;
        }
        owned.release();  // the thread owns it now
        threads_.push_back(std::move(thread));
        return true;
    }

    // True while work started here is still running.
    bool Busy() {
        const std::lock_guard lock(mutex_);
        ForgetFinished();
        return !threads_.empty();
    }

    // Waits until all work started here (also work started meanwhile) has
    // finished. While it waits, the calling thread still answers messages that
    // other threads send it, so work that calls the user-interface thread
    // synchronously (UiThread::Call) finishes instead of deadlocking the wait.
    // Called from one of its own pieces of work, it does not wait for that one.
    void Join() {
        for (;;) {
            std::vector<UniqueKernelHandle> waiting;
            {
                const std::lock_guard lock(mutex_);
                for (auto& thread : threads_) {
                    if (::GetThreadId(thread.Get()) != ::GetCurrentThreadId()) {
                        waiting.push_back(std::move(thread));
                    }
                }
                std::erase_if(threads_, [](const UniqueKernelHandle& h) { return !h.Valid(); });
            }
            if (waiting.empty()) {
                return;
            }
            for (const UniqueKernelHandle& thread : waiting) {
                WaitAnsweringSentMessages(thread.Get());
            }
        }
    }

private:
    static unsigned __stdcall Run(void* parameter) noexcept {
        const std::unique_ptr<std::function<void()>> work(
            static_cast<std::function<void()>*>(parameter));
        try {
            (*work)();
        } catch (...) {
            ReportCaughtException(L"worker thread");
        }
        return 0;
    }

    static void WaitAnsweringSentMessages(HANDLE thread) {
        for (;;) {
            const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_SENDMESSAGE,
                                                              MWMO_INPUTAVAILABLE);
            if (woken != WAIT_OBJECT_0 + 1) {
                return;  // the thread ended (or the wait itself failed)
            }
            // Delivers the messages sent to this thread; posted ones stay queued.
            MSG msg;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }

    // Closes the handles of threads that have ended. Called with the lock held.
    void ForgetFinished() {
        std::erase_if(threads_, [](const UniqueKernelHandle& thread) {
            return ::WaitForSingleObject(thread.Get(), 0) == WAIT_OBJECT_0;
        });
    }

    std::mutex mutex_;
    std::vector<UniqueKernelHandle> threads_;
};

}  // namespace vandir
