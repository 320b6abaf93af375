#pragma once
// How the window tests put a window where real input and the screen see it:
// shown above every other window and painted, and, where keys must reach it,
// brought to the foreground.

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "win32/ui/MessagePump.h"

namespace vandir {

// Whether showing a window on top also makes it the active, foreground one.
enum class Activation { Keep, Take };

// Shows a window above every other one, painted: without activating it
// unless asked to, and moved to `at` (screen, or parent client, coordinates)
// when given.
inline void ShowOnTop(HWND window, Activation activation = Activation::Keep,
                      std::optional<POINT> at = std::nullopt) {
    const bool activate = activation == Activation::Take;
    ::ShowWindow(window, activate ? SW_SHOW : SW_SHOWNA);
    const POINT to = at.value_or(POINT{});
    ::SetWindowPos(window, HWND_TOPMOST, to.x, to.y, 0, 0,
                   SWP_NOSIZE | (at ? 0 : SWP_NOMOVE) | (activate ? 0 : SWP_NOACTIVATE));
    if (activate) {
        ::SetForegroundWindow(window);
    }
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
