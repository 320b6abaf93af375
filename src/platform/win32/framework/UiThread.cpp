#include "platform/win32/framework/UiThread.h"

#include "platform/win32/ReportException.h"
#include "platform/win32/framework/Wnd.h"

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

}  // namespace

// The message-only window whose procedure runs the requests.
class UiThread::Window : public WithMessageMap<UiThread::Window, CWnd> {
public:
    static const ClassMessageMap<Window> messageMap;

    explicit Window(UiThread& owner) : owner_(owner) {
        CreateEx(0, RegisterWindowClass(L"VandirUiThread"), L"", 0, RECT{}, HWND_MESSAGE, 0);
    }

private:
    static const MessageMapEntry messageEntries[];

    void OnRun(WPARAM, LPARAM lParam) {
        auto& request = *reinterpret_cast<Request*>(lParam);
        try {
            (*request.function)();
        } catch (...) {
            request.error = std::current_exception();
        }
        request.ran = true;
    }
    void OnPosted(WPARAM, LPARAM) { owner_.RunPosted(); }

    UiThread& owner_;
};

const MessageMapEntry UiThread::Window::messageEntries[] = {
    On<kRunMessage, &UiThread::Window::OnRun>(),
    On<kPostedMessage, &UiThread::Window::OnPosted>(),
};
const ClassMessageMap<UiThread::Window> UiThread::Window::messageMap{messageEntries};

UiThread::UiThread()
    : threadId_(::GetCurrentThreadId()), window_(std::make_unique<Window>(*this)) {}

UiThread::~UiThread() {
    // The window goes first, so no queued wake-up reaches the queue below.
    window_.reset();
    const std::lock_guard lock(mutex_);
    posted_.clear();
}

bool UiThread::Run(const std::function<void()>& function) {
    if (IsCurrent()) {
        function();
        return true;
    }
    Request request{&function, false, nullptr};
    ::SendMessageW(window_->GetSafeHwnd(), kRunMessage, 0, reinterpret_cast<LPARAM>(&request));
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
    if (wake && !::PostMessageW(window_->GetSafeHwnd(), kPostedMessage, 0, 0)) {
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
