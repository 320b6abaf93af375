#pragma once
// Runs functions on the user-interface thread on behalf of other threads: the
// Apply worker collects the pages and shows the no-mouse notice this way.
// The application owns one object, made on the user-interface thread, whose
// message loop then serves it.
//
//   Call   runs a function there and waits for it (as SendMessageW does) and
//          gives its result; called on the user-interface thread itself, it
//          runs the function at once.
//   Post   queues a function to run when the thread's loop next pumps (as
//          PostMessageW does) and returns at once.
//
// Destroying the object drops queued functions without running them. Callers
// on other threads must be done (joined) before the object is destroyed.

#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <type_traits>
#include <utility>

#include "platform/win32/UniqueHandle.h"

namespace vandir {

class UiThread {
public:
    // Binds to the calling thread and makes the message-only window that
    // receives the requests.
    UiThread();
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    // True on the user-interface thread.
    bool IsCurrent() const { return ::GetCurrentThreadId() == threadId_; }

    // Runs function on the user-interface thread and waits for it. Gives its
    // result (std::optional, empty when it could not run), or for a function
    // without a result whether it ran. An exception it throws comes back to
    // the caller. The user-interface thread must be pumping messages or waiting
    // in WorkerThreads::Join, or the caller waits until it does.
    template <typename Function>
    auto Call(Function&& function) {
        using Result = std::invoke_result_t<Function&>;
        if constexpr (std::is_void_v<Result>) {
            return Run([&] { function(); });
        } else {
            std::optional<Result> result;
            Run([&] { result.emplace(function()); });
            return result;
        }
    }

    // Queues function to run on the user-interface thread; false (and it never
    // runs) when it cannot be queued. An exception it throws is reported.
    bool Post(std::function<void()> function);

    // On the user-interface thread: runs what is queued now, as its loop would
    // (after a wait for work that posts its result).
    void RunPending() { RunPosted(); }

private:
    // The procedure of the message-only window that receives the requests.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Runs function on the user-interface thread; false when it could not.
    bool Run(const std::function<void()>& function);
    // On the user-interface thread: runs the queued functions.
    void RunPosted();

    DWORD threadId_;
    UniqueWindow window_;
    std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace vandir
