#pragma once
// Moving a caption-less window from any point of its surface: a button press
// there starts the system's move loop as if the caption were dragged.

#include <windows.h>

#include "platform/win32/framework/Wnd.h"

namespace vandir {

// SC_MOVE + HTCAPTION: the system command of a drag on the caption.
inline constexpr WPARAM kDragByCaption = SC_MOVE | HTCAPTION;

// Runs the system's move loop for the window; it returns when the button is
// released.
inline void StartCaptionDrag(const CWnd& window) {
    window.SendMessage(WM_SYSCOMMAND, kDragByCaption, 0);
}

}  // namespace vandir
