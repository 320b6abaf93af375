#include "platform/win32/framework/Dialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/ReportException.h"

namespace vandir {
namespace {

// The modal runs of the user-interface thread, outermost first.
std::vector<CDialogEx*>& ModalRuns() {
    static std::vector<CDialogEx*> runs;
    return runs;
}

// The top-level window a dialog owned by owner belongs to: a page's pop-up
// belongs to the page's top-level window, as the system's modal dialogs do.
HWND TopLevelOf(HWND owner) {
    return owner != nullptr ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

}  // namespace

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

HWND CDialogEx::DialogAround(HWND window, HWND top) {
    for (HWND hwnd = window; hwnd != nullptr; hwnd = ::GetAncestor(hwnd, GA_PARENT)) {
        if (dynamic_cast<CDialogEx*>(CWnd::FromHandle(hwnd)) != nullptr) {
            return hwnd;
        }
        if (hwnd == top) {
            break;
        }
    }
    return top;
}

void CDialogEx::ProcessModalMessage(MSG& msg, HWND top) {
    if (PreTranslateChain(msg, top)) {
        return;
    }
    // The dialog manager of the dialog the message is for, not only the
    // modal one: a top-level window of its own (the no-device screen) or a
    // child dialog that is not a control of its parent has its own Enter,
    // Esc and Tab. A child dialog with DS_CONTROL is a control of its
    // parent, and the system hands its keys to the parent's dialog manager.
    const HWND dialog = DialogAround(msg.hwnd, top);
    if (dialog == nullptr || !::IsDialogMessageW(dialog, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void CDialogEx::EnableOwnerAgain() {
    if (const HWND owner = std::exchange(disabledOwner_, nullptr)) {
        ::EnableWindow(owner, TRUE);
    }
}

void CDialogEx::Abort() {
    modalResult_ = IDCANCEL;
    modalDone_ = true;
    // Enabled before the dialog goes, so that the system has a window of this
    // program to activate.
    EnableOwnerAgain();
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

void CDialogEx::EndModalDialogsOf(HWND owner) {
    if (owner == nullptr) {
        return;
    }
    // Innermost first; a copy, as each end may change the list.
    std::vector<CDialogEx*> runs = ModalRuns();
    std::reverse(runs.begin(), runs.end());
    for (CDialogEx* dialog : runs) {
        const auto& live = ModalRuns();
        if (std::find(live.begin(), live.end(), dialog) == live.end() || dialog->modalDone_) {
            continue;
        }
        const HWND self = dialog->GetSafeHwnd();
        if (self != nullptr && self != owner && ::GetAncestor(self, GA_ROOTOWNER) == owner) {
            dialog->Abort();
        }
    }
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
    // The whole top-level window, not only the page that opened the dialog:
    // otherwise a click on the window would raise it over the dialog and use
    // it meanwhile.
    const HWND topOwner = TopLevelOf(owner);
    if (topOwner != nullptr && topOwner != GetSafeHwnd() && ::IsWindowEnabled(topOwner)) {
        disabledOwner_ = topOwner;
        ::EnableWindow(topOwner, FALSE);
    }
    ModalRuns().push_back(this);
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
        ProcessModalMessage(msg, self);
        // Painting and timers leave the idle state as it was; anything else
        // may have brought new work.
        if (msg.message != WM_PAINT && msg.message != WM_TIMER) {
            idle = true;
            idleCount = 0;
        }
    }
    std::erase(ModalRuns(), this);
    if (disabledOwner_ != nullptr) {
        const HWND enabled = disabledOwner_;
        EnableOwnerAgain();
        if (::IsWindowVisible(enabled)) {
            ::SetActiveWindow(enabled);
        }
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
