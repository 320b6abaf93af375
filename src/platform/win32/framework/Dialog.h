#pragma once
// CDialogEx: a dialog made from a template of the program's resources, either
// modeless (Create) or modal through the program's own loop (DoModal), which
// gives every message to the PreTranslateMessage chain of its window and
// parents before IsDialogMessageW, as the windows' tool-tip relays and key
// handling need. The dialog window is subclassed like any other CWnd, so its
// message maps come first and the system's dialog processing is the default.

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
    bool IsModal() const { return modal_; }

    UINT templateId() const { return templateId_; }

    // Gives msg to the PreTranslateMessage of its window and of every parent
    // up to top; true when one of them took it.
    static bool PreTranslateChain(MSG& msg, HWND top);

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

    UINT templateId_;
    CWnd* parent_;
    bool modal_ = false;
    bool modalDone_ = false;
    INT_PTR modalResult_ = IDCANCEL;
};

}  // namespace vandir
