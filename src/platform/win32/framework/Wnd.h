#pragma once
// CWnd: a window object bound to an HWND. Windows the program creates are
// bound while they are created; template controls and dialogs are bound by
// subclassing (their window procedure is replaced and the old one becomes the
// default processing). The object is found back from the HWND through a
// window property. No exception crosses the window procedure.
//
// Ownership, the one rule for created, template and subclassed windows:
// - An object owns the window it made: one it created (CreateEx), a dialog it
//   made from its template (Create, DoModal), a control it made and then
//   subclassed (the tool tip's Create, AdoptWindow). A window it only
//   subclassed (a template's control, SubclassWindow) belongs to its parent.
// - A window normally ends while its object lives: by DestroyWindow, at the end
//   of a modal loop, or with its parent or owner. The object is bound until
//   WM_NCDESTROY, so the WM_DESTROY handlers of every class in its map chain
//   run; then it is unbound and PostNcDestroy follows.
// - An object that dies first is unbound from its window before anything else
//   happens: the parts of a derived class are already gone, so no handler may
//   be reached. It then destroys the window it owns; a window it only
//   subclassed gets its own procedure back and stays with its parent.
//   (A class whose WM_DESTROY handler must run even then calls
//   DestroyWindow() at the start of its own destructor.)
// - UnsubclassWindow unbinds and hands the window over to the caller. Our
//   procedure is taken out of the window only while it is the window's
//   procedure; under a later subclass it stays and passes messages on.
//
// Example: a page object that is a member of the main window's object is
// bound to a template dialog it made; when the main window closes, the page's
// window goes with it and the page hears WM_DESTROY; were the page object
// destroyed first, its window would go at that moment, unheard.

#include <windows.h>

#include <string>

#include "platform/win32/framework/MessageMap.h"

namespace vandir {

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

    // The object bound to a window, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Creates a window of a class registered by RegisterWindowClass (or any
    // class whose procedure is CWnd::StaticWindowProc) and binds this object.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style,
                  const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    // Registers a plain window class served by CWnd objects; returns its name.
    static const wchar_t* RegisterWindowClass(const wchar_t* name, UINT style = 0,
                                              HBRUSH background = nullptr);

    // Binds this object to an existing window by replacing its procedure; the
    // window stays its parent's (see the rule above).
    bool SubclassWindow(HWND hwnd);
    // Binds this object to the child of parent with the given control ID.
    bool SubclassDlgItem(UINT id, const CWnd& parent);
    // Undoes SubclassWindow, AdoptWindow or CreateEx: unbinds and returns the
    // window, which the caller then owns.
    HWND UnsubclassWindow();

    BOOL DestroyWindow();

    // Window operations the program uses.
    BOOL ShowWindow(int command) const { return ::ShowWindow(hwnd_, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(hwnd_); }
    BOOL EnableWindow(BOOL enable) const { return ::EnableWindow(hwnd_, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(hwnd_); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
        ::MoveWindow(hwnd_, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE) const {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    // Without a window these do nothing and answer 0: the system reads a null
    // window as the whole screen (InvalidateRect, RedrawWindow, UpdateWindow)
    // or as the calling thread (SetTimer, KillTimer, PostMessageW).
    void Invalidate(BOOL erase = TRUE) const {
        if (hwnd_ != nullptr) {
            ::InvalidateRect(hwnd_, nullptr, erase);
        }
    }
    BOOL RedrawWindow(UINT flags) const {
        return hwnd_ != nullptr && ::RedrawWindow(hwnd_, nullptr, nullptr, flags);
    }
    void UpdateWindow() const {
        if (hwnd_ != nullptr) {
            ::UpdateWindow(hwnd_);
        }
    }
    HWND GetParent() const { return ::GetParent(hwnd_); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(hwnd_); }
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(hwnd_, text.c_str()); }
    std::wstring GetWindowText() const;
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const {
        return hwnd_ != nullptr ? ::SetTimer(hwnd_, id, milliseconds, nullptr) : 0;
    }
    BOOL KillTimer(UINT_PTR id) const { return hwnd_ != nullptr && ::KillTimer(hwnd_, id); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return hwnd_ != nullptr && ::PostMessageW(hwnd_, message, wParam, lParam);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_STYLE)); }
    void ModifyStyle(DWORD remove, DWORD add) const;

    // Called for every message of the thread's loop whose window is this one
    // or one of its children, before it is dispatched; true swallows it.
    virtual BOOL PreTranslateMessage(MSG* message);

    // Runs the message through the maps; unhandled messages get the default
    // processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing: the replaced procedure of a subclassed window,
    // DefWindowProcW for a created one.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message a handler of this window is
    // handling now; its result becomes that message's result. 0, doing
    // nothing, outside a handler and for a reflected message (which has no
    // default processing of its own).
    LRESULT Default();

    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }
    static const MessageMap messageMap;

    // Before a created window is made; may change the creation parameters.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& create);
    // After the window is gone and this object was unbound.
    virtual void PostNcDestroy() {}
    // Right after SubclassWindow bound this object (controls add styles here).
    virtual void PreSubclassWindow() {}
    // SubclassWindow for a window this object made itself: the object owns it.
    bool AdoptWindow(HWND hwnd);

    // Searches the map chain; true when a handler took the message.
    bool DispatchToMaps(Message& m);

private:
    void Bind(HWND hwnd);
    void Unbind();
    // Gives WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* to the control
    // they concern; true when the control handled a message that only it may
    // answer (drawing, colours).
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // default processing; DefWindowProcW when null
    bool ownsWindow_ = false;         // made by this object (see the rule above)
    // The message the maps are handling now (null when none, or a reflected
    // one); messages nest, so each dispatch saves and restores it.
    Message* current_ = nullptr;
};

}  // namespace vandir
