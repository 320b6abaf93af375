#pragma once
// Records the WM_SYSCOMMANDs that the test thread's windows receive, while it
// lives (a WH_CALLWNDPROC hook on the thread). One at a time.

#include <windows.h>

#include <vector>

namespace vandir {

class SystemCommandRecorder {
public:
    SystemCommandRecorder() {
        commands().clear();
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, &Record, nullptr, ::GetCurrentThreadId());
    }
    ~SystemCommandRecorder() {
        if (hook_ != nullptr) {
            ::UnhookWindowsHookEx(hook_);
        }
    }
    SystemCommandRecorder(const SystemCommandRecorder&) = delete;
    SystemCommandRecorder& operator=(const SystemCommandRecorder&) = delete;

    bool hooked() const { return hook_ != nullptr; }
    // The wParams of the system commands sent so far, in order.
    const std::vector<WPARAM>& received() const { return commands(); }

    // A press at point in window, with its release already queued so that
    // the system's move loop, if the press starts one, ends at once.
    static void PressAndRelease(HWND window, POINT point) {
        ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }

private:
    static std::vector<WPARAM>& commands() {
        static std::vector<WPARAM> recorded;
        return recorded;
    }
    static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && message->message == WM_SYSCOMMAND) {
            commands().push_back(message->wParam);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_ = nullptr;
};

}  // namespace vandir
