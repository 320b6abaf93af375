#pragma once
// The one message-map mechanism of the program's windows: every window class
// has a static table of entries {message, control ID, notification code,
// handler}, chained to its base class's table. The window procedure searches
// the chain from the most derived class down; a handler may decline (return
// false) so that the search and finally the default processing go on.
//
// Handlers are member functions of one of these typed forms:
//   bool OnSomething(Message& m)   any message; sets m.result; true = handled
//   void OnSomething()             a command (WM_COMMAND) or a plain message
// and entries are written with the builders below, for example:
//   OnMessage<&CMyDialog::OnEraseBackground>(WM_ERASEBKGND)
//   OnCommand<&CMyDialog::OnApply>(1042)                     (BN_CLICKED)
//   OnReflected<&CKivButton::OnDrawItem>(WM_DRAWITEM)        (to the control)

#include <windows.h>

#include <span>
#include <type_traits>

namespace vandir {

class CWnd;

struct Message {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

// Messages a parent reflects to the control they concern (WM_DRAWITEM,
// WM_CTLCOLOR*, WM_COMMAND, WM_NOTIFY) arrive at the control as this base
// plus the original message number.
inline constexpr UINT kReflectBase = WM_APP + 0x3000;

inline constexpr UINT kAnyId = 0xFFFFFFFF;
inline constexpr UINT kAnyCode = 0xFFFFFFFF;

using MessageHandler = bool (*)(CWnd& window, Message& m);

struct MessageMapEntry {
    UINT message;
    UINT id;    // WM_COMMAND: the control ID; kAnyId for any
    UINT code;  // WM_COMMAND: the notification code; kAnyCode for any
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    std::span<const MessageMapEntry> entries;
};

namespace detail {

template <typename>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};

template <auto Handler>
constexpr MessageHandler Adapt() {
    using Class = typename MemberOf<decltype(Handler)>::Class;
    if constexpr (std::is_invocable_r_v<bool, decltype(Handler), Class&, Message&>) {
        return [](CWnd& window, Message& m) { return (static_cast<Class&>(window).*Handler)(m); };
    } else {
        return [](CWnd& window, Message&) {
            (static_cast<Class&>(window).*Handler)();
            return true;
        };
    }
}

}  // namespace detail

template <auto Handler>
constexpr MessageMapEntry OnMessage(UINT message) {
    return {message, kAnyId, kAnyCode, detail::Adapt<Handler>()};
}

template <auto Handler>
constexpr MessageMapEntry OnCommand(UINT id, UINT code = BN_CLICKED) {
    return {WM_COMMAND, id, code, detail::Adapt<Handler>()};
}

template <auto Handler>
constexpr MessageMapEntry OnReflected(UINT message) {
    return {kReflectBase + message, kAnyId, kAnyCode, detail::Adapt<Handler>()};
}

}  // namespace vandir
