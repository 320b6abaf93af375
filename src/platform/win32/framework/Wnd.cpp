#include "platform/win32/framework/Wnd.h"

#include "platform/win32/ReportException.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace vandir {
namespace {

// Which object a window is bound to. Looked up for every message, so it
// lives in the process: a window property would cost a round trip to the
// window server per lookup under Wine. An entry goes at WM_NCDESTROY (or
// when the object unbinds), so a reused handle never finds an old object.
class HandleMap {
public:
    CWnd* Find(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        const auto found = objects_.find(hwnd);
        return found == objects_.end() ? nullptr : found->second;
    }
    void Add(HWND hwnd, CWnd* object) {
        const std::lock_guard lock(mutex_);
        objects_[hwnd] = object;
    }
    void Remove(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        objects_.erase(hwnd);
    }

    // A window whose object unbound while a later subclass still calls our
    // procedure: its messages go on to the procedure ours replaced.
    WNDPROC PassOnProcedure(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        const auto found = passOn_.find(hwnd);
        return found == passOn_.end() ? nullptr : found->second;
    }
    void AddPassOn(HWND hwnd, WNDPROC procedure) {
        const std::lock_guard lock(mutex_);
        passOn_[hwnd] = procedure;
    }
    void RemovePassOn(HWND hwnd) {
        const std::lock_guard lock(mutex_);
        passOn_.erase(hwnd);
    }

private:
    std::mutex mutex_;
    std::unordered_map<HWND, CWnd*> objects_;
    std::unordered_map<HWND, WNDPROC> passOn_;
};

HandleMap& Handles() {
    static HandleMap handles;
    return handles;
}

bool IsControlColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

}  // namespace

const MessageMap CWnd::messageMap{nullptr, {}};

CWnd::~CWnd() {
    if (hwnd_ == nullptr) {
        return;
    }
    // Unbound first: the derived parts of this object are gone already.
    const HWND hwnd = hwnd_;
    const bool owned = ownsWindow_;
    Unbind();
    if (owned) {
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd == nullptr ? nullptr : Handles().Find(hwnd);
}

void CWnd::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    Handles().Add(hwnd, this);
}

void CWnd::Unbind() {
    if (previousProc_ != nullptr) {
        const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
        if (current == &CWnd::StaticWindowProc) {
            ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        } else {
            // Subclassed again after us: putting our predecessor back would
            // cut the later procedure off. Ours stays in its chain and, with
            // no object, passes every message on.
            Handles().AddPassOn(hwnd_, previousProc_);
        }
    }
    Handles().Remove(hwnd_);
    previousProc_ = nullptr;
    hwnd_ = nullptr;
    ownsWindow_ = false;
}

const wchar_t* CWnd::RegisterWindowClass(const wchar_t* name, UINT style, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoExW(instance, name, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = style;
        wc.lpfnWndProc = &CWnd::StaticWindowProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        ::RegisterClassExW(&wc);
    }
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) {
    return TRUE;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                    const RECT& rect, HWND parent, UINT_PTR idOrMenu) {
    CREATESTRUCTW create{};
    create.dwExStyle = exStyle;
    create.lpszClass = className;
    create.lpszName = windowName;
    create.style = static_cast<LONG>(style);
    create.x = rect.left;
    create.y = rect.top;
    create.cx = rect.right - rect.left;
    create.cy = rect.bottom - rect.top;
    create.hwndParent = parent;
    create.hMenu = reinterpret_cast<HMENU>(idOrMenu);
    create.hInstance = ::GetModuleHandleW(nullptr);
    create.lpCreateParams = this;
    if (!PreCreateWindow(create)) {
        return false;
    }
    const HWND hwnd =
        ::CreateWindowExW(create.dwExStyle, create.lpszClass, create.lpszName,
                          static_cast<DWORD>(create.style), create.x, create.y, create.cx,
                          create.cy, create.hwndParent, create.hMenu, create.hInstance, this);
    return hwnd != nullptr && hwnd_ == hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    // A window whose chain still holds our procedure for an unbound object
    // is refused: binding it again would call our procedure twice per message.
    if (hwnd == nullptr || hwnd_ != nullptr || FromHandle(hwnd) != nullptr ||
        Handles().PassOnProcedure(hwnd) != nullptr) {
        return false;
    }
    Bind(hwnd);
    previousProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    PreSubclassWindow();
    return true;
}

bool CWnd::AdoptWindow(HWND hwnd) {
    if (!SubclassWindow(hwnd)) {
        return false;
    }
    ownsWindow_ = true;
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, const CWnd& parent) {
    return SubclassWindow(::GetDlgItem(parent.GetSafeHwnd(), static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    const HWND hwnd = hwnd_;
    if (hwnd != nullptr) {
        Unbind();
    }
    return hwnd;
}

BOOL CWnd::DestroyWindow() {
    return hwnd_ != nullptr && ::DestroyWindow(hwnd_);
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(hwnd_, &rect);
    return rect;
}

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(hwnd_);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd_, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) const {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed != style) {  // setting a style is a round trip to the window server
        ::SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(changed));
    }
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

namespace {

// Makes a message the one a window's handlers are handling, for the time of
// its dispatch.
class CurrentMessage {
public:
    CurrentMessage(Message*& slot, Message* m) : slot_(slot), saved_(slot) { slot = m; }
    ~CurrentMessage() { slot_ = saved_; }
    CurrentMessage(const CurrentMessage&) = delete;
    CurrentMessage& operator=(const CurrentMessage&) = delete;

private:
    Message*& slot_;
    Message* saved_;
};

}  // namespace

bool CWnd::DispatchToMaps(Message& m) {
    const CurrentMessage current(current_, IsReflected(m.message) ? nullptr : &m);
    const UINT id = LOWORD(m.wParam);
    const UINT code = HIWORD(m.wParam);
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base()) {
        for (const MessageMapEntry& entry : map->entries()) {
            if (entry.message != m.message &&
                !(entry.message == kRegisteredMessages && IsRegisteredMessage(m.message))) {
                continue;
            }
            if (m.message == WM_COMMAND && ((entry.id != kAnyId && entry.id != id) ||
                                            (entry.code != kAnyCode && entry.code != code))) {
                continue;
            }
            if (entry.handler(*this, m)) {
                return true;
            }
        }
    }
    return false;
}

bool CWnd::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND control = nullptr;
    bool exclusive = false;  // only the control answers these
    if (message == WM_COMMAND && lParam != 0) {
        control = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_NOTIFY && lParam != 0) {
        control = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        exclusive = true;
    } else if (message == WM_DRAWITEM && lParam != 0) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        control = item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
        exclusive = true;
    } else if (IsControlColourMessage(message)) {
        control = reinterpret_cast<HWND>(lParam);
        exclusive = true;
    }
    CWnd* object = FromHandle(control);
    if (object == nullptr || object == this) {
        return false;
    }
    Message reflected{kReflectBase + message, wParam, lParam, 0};
    const bool handled = object->DispatchToMaps(reflected);
    result = reflected.result;
    // A command goes on to the parent's own handlers in any case.
    return handled && exclusive;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToControl(message, wParam, lParam, result)) {
        return result;
    }
    Message m{message, wParam, lParam, 0};
    if (DispatchToMaps(m)) {
        return m.result;
    }
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (current_ == nullptr) {
        return 0;
    }
    current_->result = Default(current_->message, current_->wParam, current_->lParam);
    return current_->result;
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previousProc_ != nullptr) {
        return ::CallWindowProcW(previousProc_, hwnd_, message, wParam, lParam);
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* window = FromHandle(hwnd);
    if (window == nullptr && message == WM_NCCREATE) {
        window = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (window != nullptr) {
            window->Bind(hwnd);
            window->ownsWindow_ = true;
        }
    }
    if (window == nullptr) {
        if (const WNDPROC passOn = Handles().PassOnProcedure(hwnd); passOn != nullptr) {
            const LRESULT passed = ::CallWindowProcW(passOn, hwnd, message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                Handles().RemovePassOn(hwnd);
            }
            return passed;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = window->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system; the message counts as handled.
        ReportCaughtException(L"window procedure");
        result = 0;
    }
    if (message == WM_NCDESTROY && window->hwnd_ == hwnd) {
        window->Unbind();
        // The window is gone: nothing may pass on to a reused handle.
        Handles().RemovePassOn(hwnd);
        window->PostNcDestroy();
    }
    return result;
}

}  // namespace vandir
