#include "skin/InputHooks.h"

#include <atomic>

#include "platform/win32/ReportException.h"

namespace vandir {

namespace {

// The object whose hooks are installed; null while no hook is installed.
std::atomic<InputHooks*> activeHooks{nullptr};

constexpr WPARAM kMouseMove = 0x0200;   // WM_MOUSEMOVE
constexpr WPARAM kMouseWheel = 0x020A;  // WM_MOUSEWHEEL
constexpr DWORD kKeyUpFlag = 0x80;      // LLKHF_UP

}  // namespace

InputHooks::~InputHooks() {
    RemoveKeyboardHook();
    RemoveMouseHook();
}

bool InputHooks::InstallKeyboardHook(HWND target) noexcept {
    return Direct(keyboardHook_, keyboardTarget_, WH_KEYBOARD_LL, &KeyboardProc, target);
}

void InputHooks::RemoveKeyboardHook() noexcept {
    Remove(keyboardHook_, keyboardTarget_);
}

bool InputHooks::ShowMouseHookTarget(HWND list) noexcept {
    return Direct(mouseHook_, mouseTarget_, WH_MOUSE_LL, &MouseProc, list);
}

void InputHooks::RemoveMouseHook() noexcept {
    Remove(mouseHook_, mouseTarget_);
}

bool InputHooks::Claim() noexcept {
    InputHooks* expected = nullptr;
    return activeHooks.compare_exchange_strong(expected, this) || expected == this;
}

void InputHooks::ReleaseClaimIfIdle() noexcept {
    if (keyboardHook_.Valid() || mouseHook_.Valid()) {
        return;
    }
    InputHooks* expected = this;
    activeHooks.compare_exchange_strong(expected, nullptr);
}

bool InputHooks::Direct(UniqueHook& hook, HWND& target, int type, HOOKPROC procedure,
                        HWND newTarget) noexcept {
    if (newTarget == nullptr || !Claim()) {
        return false;
    }
    if (!hook.Valid()) {
        // The target is in place before the first event can arrive.
        const HWND previous = target;
        target = newTarget;
        hook.Reset(::SetWindowsHookExW(type, procedure, ::GetModuleHandleW(nullptr), 0));
        if (!hook.Valid()) {
            const DWORD error = ::GetLastError();
            target = previous;
            ReleaseClaimIfIdle();
            ::SetLastError(error);
            return false;
        }
        return true;
    }
    target = newTarget;
    return true;
}

void InputHooks::Remove(UniqueHook& hook, HWND& target) noexcept {
    hook.Reset();
    target = nullptr;
    ReleaseClaimIfIdle();
}

LRESULT CALLBACK InputHooks::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HHOOK self = nullptr;
    try {
        InputHooks* hooks = activeHooks.load(std::memory_order_acquire);
        if (hooks != nullptr) {
            self = hooks->keyboardHook_.Get();
            if (code >= 0 && lParam != 0 && hooks->keyboardTarget_ != nullptr) {
                const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
                ::PostMessageW(hooks->keyboardTarget_, kHookMessage, event->vkCode,
                               event->flags & kKeyUpFlag);
            }
        }
    } catch (...) {
        // The key goes on regardless.
        ReportCaughtException(L"keyboard hook");
    }
    return ::CallNextHookEx(self, code, wParam, lParam);
}

LRESULT CALLBACK InputHooks::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HHOOK self = nullptr;
    try {
        InputHooks* hooks = activeHooks.load(std::memory_order_acquire);
        if (hooks != nullptr) {
            self = hooks->mouseHook_.Get();
            if (code >= 0 && wParam != kMouseMove && wParam != kMouseWheel &&
                hooks->mouseTarget_ != nullptr) {
                ::PostMessageW(hooks->mouseTarget_, kHookMessage, wParam, lParam);
            }
        }
    } catch (...) {
        // The event goes on regardless.
        ReportCaughtException(L"mouse hook");
    }
    return ::CallNextHookEx(self, code, wParam, lParam);
}

}  // namespace vandir
