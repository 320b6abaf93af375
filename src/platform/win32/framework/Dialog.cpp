#include "platform/win32/framework/Dialog.h"

#include "platform/win32/ReportException.h"

namespace vandir {

const MessageMapEntry CDialogEx::messageEntries[] = {
    // Clicks only: Enter, Esc and the close box arrive as clicks too (code 0,
    // no control), while a double click or a focus change of a button with
    // ID 1 or 2 must not end the dialog again.
    OnCommand<&CDialogEx::HandleOk>(IDOK, BN_CLICKED),
    OnCommand<&CDialogEx::HandleCancel>(IDCANCEL, BN_CLICKED),
};
const ClassMessageMap<CDialogEx> CDialogEx::messageMap{messageEntries};

INT_PTR CALLBACK CDialogEx::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        // Everything else reaches the dialog through its subclassed procedure;
        // here the system's dialog processing does the rest.
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CDialogEx*>(lParam);
    if (dialog == nullptr || !dialog->AdoptWindow(hwnd)) {
        return TRUE;
    }
    try {
        dialog->DoDataExchange();
        return dialog->OnInitDialog();
    } catch (...) {
        ReportCaughtException(L"dialog set-up");
        return TRUE;
    }
}

bool CDialogEx::CreateFromTemplate(HWND owner) {
    const HWND hwnd =
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                             &CDialogEx::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr && GetSafeHwnd() == hwnd;
}

bool CDialogEx::Create(CWnd* parent) {
    if (parent != nullptr) {
        parent_ = parent;
    }
    modal_ = false;
    return CreateFromTemplate(parent_ != nullptr ? parent_->GetSafeHwnd() : nullptr);
}

bool CDialogEx::PreTranslateChain(MSG& msg, HWND top) {
    for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = ::GetAncestor(hwnd, GA_PARENT)) {
        CWnd* window = CWnd::FromHandle(hwnd);
        if (window != nullptr && window->PreTranslateMessage(&msg)) {
            return true;
        }
        if (hwnd == top) {
            break;
        }
    }
    return false;
}

INT_PTR CDialogEx::DoModal() {
    const HWND owner = parent_ != nullptr ? parent_->GetSafeHwnd() : nullptr;
    modal_ = true;
    modalDone_ = false;
    modalResult_ = IDCANCEL;
    if (!CreateFromTemplate(owner)) {
        modal_ = false;
        return -1;
    }
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
    }
    if (!modalDone_ && !IsWindowVisible()) {
        ShowWindow(SW_SHOW);
    }
    const HWND self = GetSafeHwnd();
    MSG msg{};
    bool idle = true;
    LPARAM idleCount = 0;
    while (!modalDone_ && ::IsWindow(self)) {
        // While no message waits, the dialog may do work it keeps for idle
        // time, one piece per call, for as long as it asks for more.
        while (idle && !modalDone_ && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idle = ::SendMessageW(self, kKickIdleMessage, MSGF_DIALOGBOX, idleCount++) != 0;
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends this loop and is left for the enclosing one.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (!PreTranslateChain(msg, self) && !::IsDialogMessageW(self, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        // Painting and timers leave the idle state as it was; anything else
        // may have brought new work.
        if (msg.message != WM_PAINT && msg.message != WM_TIMER) {
            idle = true;
            idleCount = 0;
        }
    }
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
    modal_ = false;
    return modalResult_;
}

void CDialogEx::EndDialog(int result) {
    if (modal_) {
        modalResult_ = result;
        modalDone_ = true;
        ::PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0);  // wakes the loop
    } else {
        // As the system ends a modeless dialog: hidden, kept for the next show.
        ShowWindow(SW_HIDE);
    }
}

}  // namespace vandir
