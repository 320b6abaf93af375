#pragma once
// Message pumping for the window tests: they wait for what input and timers
// cause by dispatching the thread's messages, never by sleeping a fixed time.

#include <windows.h>

#include <algorithm>
#include <functional>

namespace vandir {

inline constexpr DWORD kPumpTimeoutMs = 5000;

// Dispatches messages until done() holds or the timeout passes, waiting in
// short slices for new messages in between. Returns done()'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPumpTimeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(10, deadline - now));
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
    }
}

// Dispatches messages until one that hit() accepts has been dispatched and the
// queue is empty again, or the timeout passes.
inline bool PumpUntilDispatched(const std::function<bool(const MSG&)>& hit,
                                DWORD timeoutMs = 3000) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    bool seen = false;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            seen = seen || hit(msg);
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (seen) {
            return true;
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace vandir
