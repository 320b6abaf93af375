#pragma once
// What the window tests do to the dialogs they open: show one above
// everything, bring it to the foreground so that real input reaches it, and
// end a modal run that nothing else ended (a script posts kGiveUpMessage last;
// the dialog's PreTranslateMessage passes it to EndsOnGiveUp).

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/framework/Dialog.h"
#include "win32/ui/MessagePump.h"

namespace vandir {

// Posted last by a script: ends a modal run with kGaveUp.
inline constexpr UINT kGiveUpMessage = WM_APP + 99;
inline constexpr int kGaveUp = -77;

// For a test dialog's PreTranslateMessage: ends the dialog on kGiveUpMessage
// and tells that the message is taken.
inline bool EndsOnGiveUp(CDialogEx& dialog, const MSG& message) {
    if (message.message != kGiveUpMessage) {
        return false;
    }
    dialog.EndDialog(kGaveUp);
    return true;
}

// Shows a window above everything without activating it, painted.
inline void ShowOnTop(HWND window) {
    ::ShowWindow(window, SW_SHOWNA);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Asks once for the window to be the foreground one; whether it is.
inline bool BringToForeground(HWND window) {
    ::SetForegroundWindow(window);
    return ::GetForegroundWindow() == window;
}

// Brings the window to the foreground, so that real keys reach it, pumping
// messages until it is there.
inline ::testing::AssertionResult ToForeground(HWND window) {
    if (!PumpUntil([&] { return BringToForeground(window); })) {
        return ::testing::AssertionFailure() << "the window did not come to the foreground";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace vandir
