#pragma once
// The program's two low-level input hooks. Each forwards what it sees to one
// target window by posting message 1192 (kHookMessage):
//   keyboard hook: wParam = virtual-key code, lParam = 0x80 on release, 0 on press
//                  (also for every auto-repeated press of a held key);
//   mouse hook:    wParam = the mouse message (0x0201 left button down, ...),
//                  lParam = address of the hook's event record, meaningless by
//                  the time the message is read (receivers ignore it).
//                  Mouse moves and wheel turns are not forwarded.
// Neither hook swallows input: every event goes on to the next hook and to the
// window it was meant for.

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace vandir {

// Posted to the hook targets; handled in the receivers' message maps (the
// pop-up list, the key capture dialog, the pop-up dialog).
constexpr UINT kHookMessage = 1192;  // 0x4A8

// The hook state: for each hook its handle and its target window. The
// application owns one object; tests create their own.
//
// Hook procedures carry no user data, so they find their object through one
// process-wide pointer that is set while any hook of that object is installed.
// Hence only one InputHooks object may have hooks installed at a time: while
// one has, the install calls of every other object refuse (return false) and
// change nothing.
//
// User-interface thread only: a low-level hook runs on the thread that
// installed it, which must keep pumping messages, and the targets are read
// there without locking.
class InputHooks {
public:
    InputHooks() noexcept = default;
    // Removes any installed hook.
    ~InputHooks();

    // The process-wide pointer refers to this object: neither copied nor moved.
    InputHooks(const InputHooks&) = delete;
    InputHooks& operator=(const InputHooks&) = delete;

    // Installs the low-level keyboard hook (WH_KEYBOARD_LL, all threads of the
    // desktop, the program's module) and directs it at target. When this
    // object's keyboard hook is already installed, only the target changes.
    // Returns false, leaving the hook and its target as they were, for a null
    // target, while another InputHooks object has hooks installed, or when the
    // system refuses the hook (GetLastError tells why).
    bool InstallKeyboardHook(HWND target) noexcept;
    // Removes the keyboard hook, if installed, and forgets its target.
    void RemoveKeyboardHook() noexcept;
    bool KeyboardHookInstalled() const noexcept { return keyboardHook_.Valid(); }
    // The window receiving the keyboard hook's messages; null when not installed.
    HWND KeyboardTarget() const noexcept { return keyboardTarget_; }

    // Directs the low-level mouse hook (WH_MOUSE_LL, all threads, the program's
    // module) at list, the pop-up list shown last: installs the hook when none
    // is installed, otherwise only changes the target. Fails as
    // InstallKeyboardHook does, leaving the hook and its target as they were.
    bool ShowMouseHookTarget(HWND list) noexcept;
    // Removes the mouse hook, if installed, and forgets its target.
    void RemoveMouseHook() noexcept;
    bool MouseHookInstalled() const noexcept { return mouseHook_.Valid(); }
    // The window receiving the mouse hook's messages; null when not installed.
    HWND MouseTarget() const noexcept { return mouseTarget_; }

private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

    // Claims the process-wide pointer for this object (true when it already
    // holds it); false when another object holds it.
    bool Claim() noexcept;
    // Gives the pointer up when this object has no hook left.
    void ReleaseClaimIfIdle() noexcept;
    // Installs a hook of the given type with procedure, or changes the target
    // of the one installed.
    bool Direct(UniqueHook& hook, HWND& target, int type, HOOKPROC procedure,
                HWND newTarget) noexcept;
    void Remove(UniqueHook& hook, HWND& target) noexcept;

    UniqueHook keyboardHook_;
    HWND keyboardTarget_ = nullptr;
    UniqueHook mouseHook_;
    HWND mouseTarget_ = nullptr;
};

}  // namespace vandir
