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
#include <span>

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
        ListClosing,    // a pop-up list is about to hide (value 1) or has hidden (value 0);
                        // any other value means nothing and is taken all the same
        MenuChose,      // an entry of the window's own list was chosen; id: the list's
                        // command ID, value: the entry's value
    };

    Kind kind;
    int id = 0;  // the control; 0 for ListClosing, the list's command ID for MenuChose
    int value = 0;

    friend bool operator==(const ControlEvent&, const ControlEvent&) = default;
};

// The event a WM_SYSCOMMAND with these parameters carries in a window with
// this layout and these lists of its own (their command IDs, which come first:
// a list's ID is any number, a control's too); nothing for a system command
// that is no control notification (it then goes on to the default processing).
std::optional<ControlEvent> DecodeNotification(std::uintptr_t wParam, std::intptr_t lParam,
                                               const layout::WindowLayout& window,
                                               std::span<const unsigned> menus = {});

// The event of a WM_COMMAND: a BN_CLICKED from a clickable control of the
// table; nothing for anything else.
std::optional<ControlEvent> DecodeCommand(std::uintptr_t wParam, std::intptr_t lParam,
                                          const layout::WindowLayout& window);

}  // namespace vandir
