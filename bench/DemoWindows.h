#pragma once
// Finding the program's windows from outside and pressing its buttons as the
// user would (the parent hears BN_CLICKED), for the benchmark driver.

#include <windows.h>

namespace vandir::bench {

// The program's visible main window, or null.
HWND FindMainWindow(DWORD processId);

// A visible control of that ID anywhere below the window, or null.
HWND FindVisibleControl(HWND window, int id);

// Clicks a visible button; returns once the program has handled the click
// (false when the button is not there).
bool Click(HWND window, int id);

// Presses a visible button with the pointer's messages (BM_CLICK), so that a
// check box changes its own state as under the user's click.
bool Press(HWND window, int id);

}  // namespace vandir::bench
