#pragma once
// The one message-map mechanism of the program's windows: every window class
// has a static table of entries {message, control ID, notification code,
// handler}, chained to the table of the class it derives from. The window
// procedure searches the chain from the most derived class down; a handler may
// decline (only the raw form can) so that the search and finally the default
// processing go on.
//
// A class declares its map by deriving through WithMessageMap<Self, Base>,
// which chains Self's map to Base's. Base is the class it really derives
// from, so the chain cannot skip or name a wrong class:
//
//   class CKivButton : public WithMessageMap<CKivButton, CButton> {
//   public:
//       static const ClassMessageMap<CKivButton> messageMap;
//   private:
//       static const MessageMapEntry messageEntries[];
//       void OnMouseMove(POINT point, UINT keys);
//       bool OnEraseBackground(HDC dc);
//       void OnDrawItem(const DRAWITEMSTRUCT& item);
//   };
//
//   const MessageMapEntry CKivButton::messageEntries[] = {
//       On<WM_MOUSEMOVE, &CKivButton::OnMouseMove>(),
//       On<WM_ERASEBKGND, &CKivButton::OnEraseBackground>(),
//       OnReflected<WM_DRAWITEM, &CKivButton::OnDrawItem>(),
//   };
//   const ClassMessageMap<CKivButton> CKivButton::messageMap{messageEntries};
//
// A ClassMessageMap<Self> always chains to the map of the Base that
// WithMessageMap<Self, Base> names, and no map can be made another way, so
// "class X : public CButton whose map chains to CWnd::messageMap" does not
// compile (MessageMapChainCheck.cpp in the window tests shows the cases).
//
// Entries crack the message's parameters; the handler's form follows the
// message (On<WM_X, &Class::Handler>()):
//   WM_MOUSEMOVE, WM_[LRM]BUTTONDOWN/UP/DBLCLK   void (POINT point, UINT keys)
//   WM_TIMER                                     void (UINT_PTR id)
//   WM_ERASEBKGND                                bool (HDC dc)   true = erased
//   WM_PAINT                                     void ()
//   WM_DESTROY, WM_NCDESTROY                     void (); the handlers of every
//                                                class in the chain run, then
//                                                the default processing
//   WM_SETFOCUS, WM_KILLFOCUS                    void (HWND other)
//   WM_MOUSEACTIVATE                             int  (): MA_ACTIVATE, ...
//   any other message (WM_SYSCOMMAND, WM_DEVICECHANGE, the program's own)
//                                                void (WPARAM, LPARAM) or void ()
// and, reflected by the parent to the control it concerns
// (OnReflected<WM_X, &Class::Handler>()):
//   WM_DRAWITEM                                  void (const DRAWITEMSTRUCT&)
//   WM_CTLCOLOR*                                 HBRUSH (HDC dc)
//   WM_COMMAND                                   void (UINT code)
// Commands from controls: OnCommand<&Class::Handler>(id, code = BN_CLICKED)
// with void ().
// Messages known by name (RegisterWindowMessageW, such as "TaskbarCreated"):
// OnRegistered<kName, &Class::Handler>(), with the forms of "any other
// message"; kName is a static wide string.
//
// A handler that may decline, or that gives the message's result, returns a
// Reply instead: Handled(result) answers the message, Declined() lets the
// search and finally the default processing go on. Its parameters are the
// message's cracked ones: Reply (WPARAM, LPARAM) or Reply () for the messages
// of "any other message" above, Reply (HDC) for WM_ERASEBKGND, Reply () for
// WM_PAINT.
// Every message also takes the raw form
//   bool Handler(Message& m)    sets m.result; true = handled, false = declined
// for the rare message that needs the whole record.
// A typed handler that wants the default processing first calls CWnd::Default()
// at its start; the message's result is then the default's unless the
// handler's form returns the answer itself.

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

// True for a reflected message (all of them come from below WM_USER).
constexpr bool IsReflected(UINT message) {
    return message >= kReflectBase && message < kReflectBase + WM_USER;
}

// The numbers RegisterWindowMessage gives out.
inline constexpr UINT kFirstRegisteredMessage = 0xC000;
inline constexpr UINT kLastRegisteredMessage = 0xFFFF;

// The message of an OnRegistered entry: any registered message number; the
// entry's handler takes only its own.
inline constexpr UINT kRegisteredMessages = 0xFFFFFFFE;

constexpr bool IsRegisteredMessage(UINT message) {
    return message >= kFirstRegisteredMessage && message <= kLastRegisteredMessage;
}

// What a typed handler that may decline gives back.
struct Reply {
    bool handled = false;
    LRESULT result = 0;
};
// The message is answered with result.
constexpr Reply Handled(LRESULT result = 0) {
    return {true, result};
}
// The message goes on: to the maps of the bases, then the default processing.
constexpr Reply Declined() {
    return {false, 0};
}

inline constexpr UINT kAnyId = 0xFFFFFFFF;
inline constexpr UINT kAnyCode = 0xFFFFFFFF;

using MessageHandler = bool (*)(CWnd& window, Message& m);

struct MessageMapEntry {
    UINT message;
    UINT id;    // WM_COMMAND: the control ID; kAnyId for any
    UINT code;  // WM_COMMAND: the notification code; kAnyCode for any
    MessageHandler handler;
};

// One link of a chain: a class's entries and the map of its base. Only
// ClassMessageMap makes one (and CWnd the root), so every chain follows the
// real inheritance.
class MessageMap {
public:
    const MessageMap* base() const { return base_; }
    std::span<const MessageMapEntry> entries() const { return entries_; }

private:
    friend class CWnd;
    template <class>
    friend class ClassMessageMap;
    constexpr MessageMap(const MessageMap* base, std::span<const MessageMapEntry> entries)
        : base_(base), entries_(entries) {}

    const MessageMap* base_;
    std::span<const MessageMapEntry> entries_;
};

template <class Self, class Base>
class WithMessageMap;

// The map of Class: its entries, then the map of the class it derives from
// (through WithMessageMap<Class, Base>). Class declares it as its public static
// member messageMap.
template <class Class>
class ClassMessageMap : public MessageMap {
public:
    explicit constexpr ClassMessageMap(std::span<const MessageMapEntry> entries)
        : MessageMap(BaseMap(), entries) {}

private:
    static constexpr const MessageMap* BaseMap() {
        using Base = typename Class::MessageMapBase;
        static_assert(std::is_base_of_v<WithMessageMap<Class, Base>, Class>,
                      "a class with a map derives through WithMessageMap<Class, Base>");
        return WithMessageMap<Class, Base>::BaseMessageMap();
    }
};

// The base through which a window class with its own map derives: Self's map
// chains to Base's map (Base's own, or the nearest one above it).
template <class Self, class Base>
class WithMessageMap : public Base {
public:
    using Base::Base;
    // The class Self derives from; the chain of Self's map continues there.
    using MessageMapBase = Base;

protected:
    const MessageMap* GetMessageMap() const override {
        static_assert(std::is_same_v<decltype(Self::messageMap), const ClassMessageMap<Self>>,
                      "declare the map as: static const ClassMessageMap<Self> messageMap;");
        return &Self::messageMap;
    }

private:
    friend class ClassMessageMap<Self>;
    static constexpr const MessageMap* BaseMessageMap() { return &Base::messageMap; }
};

namespace detail {

template <typename>
struct MemberOf;
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
};
template <typename C, typename R, typename... A>
struct MemberOf<R (C::*)(A...) noexcept> {
    using Class = C;
};

template <auto Handler>
using ClassOf = typename MemberOf<decltype(Handler)>::Class;

template <auto Handler, typename... Args>
inline constexpr bool kTakes = std::is_invocable_v<decltype(Handler), ClassOf<Handler>&, Args...>;

// Takes Args and gives a Result (not void, which is_invocable_r allows).
template <auto Handler, typename Result, typename... Args>
constexpr bool TakesAndGives() {
    using Method = decltype(Handler);
    if constexpr (std::is_invocable_r_v<Result, Method, ClassOf<Handler>&, Args...>) {
        return !std::is_void_v<std::invoke_result_t<Method, ClassOf<Handler>&, Args...>>;
    } else {
        return false;
    }
}

template <auto Handler, typename Result, typename... Args>
inline constexpr bool kTakesAndGives = TakesAndGives<Handler, Result, Args...>();

constexpr bool IsMouseMessage(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return true;
        default:
            return false;
    }
}

constexpr bool IsControlColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The client point of a mouse message (signed: left of or above the window
// is negative while the mouse is captured).
inline POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// True when Handler has the raw form bool (Message&).
template <auto Handler>
constexpr bool kIsRaw = kTakesAndGives<Handler, bool, Message&>;

// True when Handler takes Args and gives a Reply.
template <auto Handler, typename... Args>
constexpr bool GivesReply() {
    using Method = decltype(Handler);
    if constexpr (std::is_invocable_v<Method, ClassOf<Handler>&, Args...>) {
        return std::is_same_v<std::invoke_result_t<Method, ClassOf<Handler>&, Args...>, Reply>;
    } else {
        return false;
    }
}
template <auto Handler, typename... Args>
inline constexpr bool kGivesReply = GivesReply<Handler, Args...>();

// Messages whose typed handlers take (WPARAM, LPARAM) or ().
constexpr bool IsPlainMessage(UINT message) {
    return !IsMouseMessage(message) && message != WM_TIMER && message != WM_ERASEBKGND &&
           message != WM_SETFOCUS && message != WM_KILLFOCUS && message != WM_MOUSEACTIVATE &&
           message != WM_DESTROY && message != WM_NCDESTROY && message != WM_PAINT &&
           !IsReflected(message);
}

inline bool Answer(const Reply& reply, Message& m) {
    if (reply.handled) {
        m.result = reply.result;
    }
    return reply.handled;
}

template <UINT Msg, auto Handler>
bool CallCracked(CWnd& window, Message& m) {
    auto& self = static_cast<ClassOf<Handler>&>(window);
    if constexpr (kIsRaw<Handler>) {
        return (self.*Handler)(m);
    } else if constexpr (Msg == WM_ERASEBKGND && kGivesReply<Handler, HDC>) {
        return Answer((self.*Handler)(reinterpret_cast<HDC>(m.wParam)), m);
    } else if constexpr (Msg == WM_PAINT && kGivesReply<Handler>) {
        return Answer((self.*Handler)(), m);
    } else if constexpr (IsPlainMessage(Msg) && kGivesReply<Handler, WPARAM, LPARAM>) {
        return Answer((self.*Handler)(m.wParam, m.lParam), m);
    } else if constexpr (IsPlainMessage(Msg) && kGivesReply<Handler>) {
        return Answer((self.*Handler)(), m);
    } else if constexpr (IsMouseMessage(Msg)) {
        static_assert(kTakes<Handler, POINT, UINT>, "mouse handler: void (POINT point, UINT keys)");
        (self.*Handler)(PointOf(m.lParam), static_cast<UINT>(m.wParam));
    } else if constexpr (Msg == WM_TIMER) {
        static_assert(kTakes<Handler, UINT_PTR>, "WM_TIMER handler: void (UINT_PTR id)");
        (self.*Handler)(static_cast<UINT_PTR>(m.wParam));
    } else if constexpr (Msg == WM_ERASEBKGND) {
        static_assert(kTakesAndGives<Handler, bool, HDC>, "WM_ERASEBKGND handler: bool (HDC dc)");
        m.result = (self.*Handler)(reinterpret_cast<HDC>(m.wParam)) ? TRUE : FALSE;
    } else if constexpr (Msg == WM_SETFOCUS || Msg == WM_KILLFOCUS) {
        static_assert(kTakes<Handler, HWND>, "focus handler: void (HWND other)");
        (self.*Handler)(reinterpret_cast<HWND>(m.wParam));
    } else if constexpr (Msg == WM_MOUSEACTIVATE) {
        static_assert(kTakesAndGives<Handler, int>, "WM_MOUSEACTIVATE handler: int ()");
        m.result = (self.*Handler)();
    } else if constexpr (Msg == WM_DESTROY || Msg == WM_NCDESTROY) {
        static_assert(kTakes<Handler>, "handler: void ()");
        (self.*Handler)();
        return false;  // every class's handler and the default processing see it too
    } else if constexpr (Msg == WM_PAINT) {
        static_assert(kTakes<Handler>, "WM_PAINT handler: void ()");
        (self.*Handler)();
    } else if constexpr (Msg == kReflectBase + WM_DRAWITEM) {
        static_assert(kTakes<Handler, const DRAWITEMSTRUCT&>,
                      "reflected WM_DRAWITEM handler: void (const DRAWITEMSTRUCT&)");
        (self.*Handler)(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
        m.result = TRUE;
    } else if constexpr (IsReflected(Msg) && IsControlColourMessage(Msg - kReflectBase)) {
        static_assert(kTakesAndGives<Handler, HBRUSH, HDC>,
                      "reflected WM_CTLCOLOR* handler: HBRUSH (HDC dc)");
        m.result = reinterpret_cast<LRESULT>((self.*Handler)(reinterpret_cast<HDC>(m.wParam)));
    } else if constexpr (Msg == kReflectBase + WM_COMMAND) {
        static_assert(kTakes<Handler, UINT>, "reflected WM_COMMAND handler: void (UINT code)");
        (self.*Handler)(static_cast<UINT>(HIWORD(m.wParam)));
    } else if constexpr (kTakes<Handler, WPARAM, LPARAM>) {
        (self.*Handler)(m.wParam, m.lParam);
    } else {
        static_assert(kTakes<Handler>,
                      "handler: void (WPARAM, LPARAM), void () or bool (Message&)");
        (self.*Handler)();
    }
    return true;
}

// A command handler: void () or the raw form.
template <auto Handler>
constexpr MessageHandler Adapt() {
    if constexpr (kIsRaw<Handler>) {
        return [](CWnd& window, Message& m) {
            return (static_cast<ClassOf<Handler>&>(window).*Handler)(m);
        };
    } else {
        static_assert(kTakes<Handler>, "handler: void () or bool (Message&)");
        return [](CWnd& window, Message&) {
            (static_cast<ClassOf<Handler>&>(window).*Handler)();
            return true;
        };
    }
}

// An OnRegistered entry: declines every message but the one registered
// under Name (registered on first use; the number holds for the session).
template <const wchar_t* Name, auto Handler>
bool CallRegistered(CWnd& window, Message& m) {
    static const UINT registered = ::RegisterWindowMessageW(Name);
    if (registered == 0 || m.message != registered) {
        return false;
    }
    return CallCracked<WM_APP, Handler>(window, m);
}

}  // namespace detail

// The handler of the message registered under Name (RegisterWindowMessageW).
template <const wchar_t* Name, auto Handler>
constexpr MessageMapEntry OnRegistered() {
    return {kRegisteredMessages, kAnyId, kAnyCode, &detail::CallRegistered<Name, Handler>};
}

// The handler of message Msg, its parameters cracked as the table above says.
template <UINT Msg, auto Handler>
constexpr MessageMapEntry On() {
    static_assert(!IsReflected(Msg), "reflected messages: OnReflected");
    return {Msg, kAnyId, kAnyCode, &detail::CallCracked<Msg, Handler>};
}

// The handler of message Msg reflected by the parent to this control.
template <UINT Msg, auto Handler>
constexpr MessageMapEntry OnReflected() {
    static_assert(Msg < WM_USER, "only system messages are reflected");
    return {kReflectBase + Msg, kAnyId, kAnyCode,
            &detail::CallCracked<kReflectBase + Msg, Handler>};
}

// A control's command (WM_COMMAND with its ID and notification code).
template <auto Handler>
constexpr MessageMapEntry OnCommand(UINT id, UINT code = BN_CLICKED) {
    return {WM_COMMAND, id, code, detail::Adapt<Handler>()};
}

}  // namespace vandir
