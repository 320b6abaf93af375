#include "platform/win32/threads/UiThread.h"

#include "platform/win32/ReportException.h"

namespace vandir {
namespace {

constexpr UINT kRunMessage = WM_APP + 1;     // lParam: the Request to run
constexpr UINT kPostedMessage = WM_APP + 2;  // run the queued functions

// A synchronous request, on the caller's stack while it waits.
struct Request {
    const std::function<void()>* function;
    bool ran = false;
    std::exception_ptr error;
};

constexpr wchar_t kWindowClass[] = L"VandirUiThread";

// Registers the class of the message-only window once per process.
const wchar_t* WindowClass(WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoExW(instance, kWindowClass, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.lpszClassName = kWindowClass;
        ::RegisterClassExW(&wc);
    }
    return kWindowClass;
}

}  // namespace

LRESULT CALLBACK UiThread::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunMessage) {
        auto& request = *reinterpret_cast<Request*>(lParam);
        try {
            (*request.function)();
        } catch (...) {
            request.error = std::current_exception();
        }
        request.ran = true;
        return 0;
    }
    if (message == kPostedMessage) {
        // The wake-up carries its UiThread; it dies with the window, so it
        // never reaches a UiThread that is gone.
        reinterpret_cast<UiThread*>(lParam)->RunPosted();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

UiThread::UiThread()
    : threadId_(::GetCurrentThreadId()),
      window_(::CreateWindowExW(0, WindowClass(&UiThread::WindowProc), L"", 0, 0, 0, 0, 0,
                                HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr), nullptr)) {}

UiThread::~UiThread() {
    // The window goes first, so no queued wake-up reaches the queue below.
    window_.Reset();
    const std::lock_guard lock(mutex_);
    posted_.clear();
}

bool UiThread::Run(const std::function<void()>& function) {
    if (IsCurrent()) {
        function();
        return true;
    }
    Request request{&function, false, nullptr};
    ::SendMessageW(window_.Get(), kRunMessage, 0, reinterpret_cast<LPARAM>(&request));
    if (request.error) {
        std::rethrow_exception(request.error);
    }
    return request.ran;
}

bool UiThread::Post(std::function<void()> function) {
    if (!function) {
        return false;
    }
    const std::lock_guard lock(mutex_);
    const bool wake = posted_.empty();
    posted_.push_back(std::move(function));
    // One wake-up serves everything queued until it is handled.
    if (wake && !::PostMessageW(window_.Get(), kPostedMessage, 0, reinterpret_cast<LPARAM>(this))) {
        posted_.pop_back();
        return false;
    }
    return true;
}

void UiThread::RunPosted() {
    std::deque<std::function<void()>> batch;
    {
        const std::lock_guard lock(mutex_);
        batch.swap(posted_);
    }
    for (const auto& function : batch) {
        try {
            function();
        } catch (...) {
            ReportCaughtException(L"function posted to the user-interface thread");
        }
    }
}

}  // namespace vandir
