#pragma once
// CDialogEx: a dialog made from a template of the program's resources, either
// modeless (Create) or modal through the program's own loop (DoModal), which
// gives every message to the PreTranslateMessage chain of its window and
// parents before IsDialogMessageW, as the windows' tool-tip relays and key
// handling need. The dialog window is subclassed like any other CWnd, so its
// message maps come first and the system's dialog processing is the default.
//
// Messages go to the dialog manager of the innermost dialog around their
// window, so Enter and Esc reach every dialog of the thread, whichever loop
// runs: a top-level window of its own (the no-device screen) or a child
// dialog that is not a control of its parent (no DS_CONTROL) as much as the
// modal one.
//
// A modal dialog disables its top-level owner, as the system's modal dialogs
// do, so nothing behind it can be used or raised over it while it runs.

#include <windows.h>

#include "platform/win32/framework/Wnd.h"

namespace vandir {

class CDialogEx : public WithMessageMap<CDialogEx, CWnd> {
public:
    static const ClassMessageMap<CDialogEx> messageMap;

    // Sent by the modal loop to its dialog while no message waits: wParam
    // MSGF_DIALOGBOX, lParam how many were sent since the last message. A
    // nonzero result asks for another while the queue stays empty; zero waits
    // for the next message. Unhandled, the dialog answers zero.
    static constexpr UINT kKickIdleMessage = 0x036A;

    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr)
        : templateId_(templateId), parent_(parent) {}

    // Creates the dialog modeless; false when the template cannot be made.
    bool Create(CWnd* parent = nullptr);
    // Runs the dialog modally until EndDialog; the owner is disabled meanwhile,
    // and the dialog hears kKickIdleMessage when the queue is empty.
    // -1 when the dialog could not be created. A quit request ends the loop
    // (with IDCANCEL) and is passed on to the enclosing loop.
    INT_PTR DoModal();
    // Ends a modal dialog with the result; hides a modeless one (which stays
    // alive to be shown again).
    void EndDialog(int result);

    // Ends, innermost first, every modal dialog of this thread that belongs
    // to the top-level window owner (its own modal run excepted), each with
    // IDCANCEL: its window is destroyed at once, so its hooks and timers go
    // before this returns, and its owner is enabled again. Their DoModal calls
    // return as their loops unwind. Used when what they were opened for has
    // gone (the mouse was pulled out).
    static void EndModalDialogsOf(HWND owner);

    UINT templateId() const { return templateId_; }

    // Gives msg to the PreTranslateMessage of its window and of every parent
    // up to top; true when one of them took it.
    static bool PreTranslateChain(MSG& msg, HWND top);
    // What the modal loop of the dialog top does with each message it takes
    // from the queue: the pre-translation chain, the dialog manager of the
    // innermost dialog around the message's window, then translation and
    // dispatch. Tests pump with it.
    static void ProcessModalMessage(MSG& msg, HWND top);
    // The innermost dialog (a CDialogEx) around window, up to top; top when
    // there is none.
    static HWND DialogAround(HWND window, HWND top);

protected:
    // Binds the template's controls to their objects (SubclassDlgItem).
    virtual void DoDataExchange() {}
    // After the controls are bound; TRUE gives the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    CWnd* parentWindow() const { return parent_; }

private:
    static const MessageMapEntry messageEntries[];
    void HandleOk() { OnOK(); }
    void HandleCancel() { OnCancel(); }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateFromTemplate(HWND owner);
    // Enables the owner this modal run disabled, once.
    void EnableOwnerAgain();
    // Ends this modal run now with IDCANCEL and destroys its window.
    void Abort();

    UINT templateId_;
    CWnd* parent_;
    bool modal_ = false;
    bool modalDone_ = false;
    INT_PTR modalResult_ = IDCANCEL;
    // The top-level window this modal run disabled; null when none.
    HWND disabledOwner_ = nullptr;
};

}  // namespace vandir
