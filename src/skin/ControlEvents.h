#pragma once
// Typed events from the skinned controls' notifications. The controls report
// to their window as WM_SYSCOMMAND with fixed parameter pairs
// (ControlNotifications.h); a pair means different things for different
// controls (an edit box 1124 reporting (1124, 102) has changed its text, it is
// not "the pointer entered control 102"), so the decoder asks the window's
// layout table what each ID is. Windows handle these events, never the raw
// parameters.

#include <cstdint>
#include <optional>

#include "skin/layout/SkinLayout.h"

namespace vandir {

struct ControlEvent {
    enum class Kind {
        Clicked,        // a button, check box or combo button was clicked (BN_CLICKED)
        MouseEntered,   // the pointer entered the control
        MouseLeft,      // the pointer left the control
        MouseOver,      // a push button's second notice, right after MouseEntered
        Chose,          // a combo button's list entry was chosen; value: the entry's value
        Moved,          // a slider's position changed; value: the position
        TextChanged,    // an edit box's text changed
        DoubleClicked,  // a static was double-clicked
        ListClosing,    // a pop-up list is about to hide (value 1) or has hidden (value 0)
    };

    Kind kind;
    int id = 0;  // the control; 0 for ListClosing
    int value = 0;

    friend bool operator==(const ControlEvent&, const ControlEvent&) = default;
};

// The event a WM_SYSCOMMAND with these parameters carries in a window with
// this layout; nothing for a system command that is no control notification
// (it then goes on to the default processing).
std::optional<ControlEvent> DecodeNotification(std::uintptr_t wParam, std::intptr_t lParam,
                                               const layout::WindowLayout& window);

// The event of a WM_COMMAND: a BN_CLICKED from a clickable control of the
// table; nothing for anything else.
std::optional<ControlEvent> DecodeCommand(std::uintptr_t wParam, std::intptr_t lParam,
                                          const layout::WindowLayout& window);

}  // namespace vandir
