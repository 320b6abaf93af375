#pragma once
// A parent window for the control tests that records, in order, what its
// controls tell it: their WM_SYSCOMMAND notifications and the WM_COMMAND
// messages (clicks, edit changes).

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <ostream>
#include <vector>

#include "platform/win32/framework/MessageMap.h"

namespace vandir {

// A WM_SYSCOMMAND (wParam, lParam) or a WM_COMMAND (control ID, code).
struct ParentEvent {
    UINT message;
    WPARAM first;
    LPARAM second;
    bool operator==(const ParentEvent&) const = default;
};

inline void PrintTo(const ParentEvent& e, std::ostream* out) {
    *out << (e.message == WM_SYSCOMMAND ? "sys(" : "cmd(") << e.first << ", " << e.second << ")";
}

inline ParentEvent Sys(WPARAM wParam, LPARAM lParam) {
    return {WM_SYSCOMMAND, wParam, lParam};
}
inline ParentEvent Clicked(int id) {
    return {WM_COMMAND, static_cast<WPARAM>(id), BN_CLICKED};
}

// A window of class Base (a dialog, a plain window) that records the
// notifications and commands it receives and then lets them go on to the
// default processing, as a window does with messages that are not its own.
template <class Base>
class RecordingParent : public WithMessageMap<RecordingParent<Base>, Base> {
public:
    static const ClassMessageMap<RecordingParent> messageMap;

    using WithMessageMap<RecordingParent<Base>, Base>::WithMessageMap;

    std::vector<ParentEvent> events;
    // Runs while the window handles each recorded message.
    std::function<void(const ParentEvent&)> onEvent;

    // The recorded notifications (WM_SYSCOMMAND), without the commands.
    std::vector<ParentEvent> SystemCommands() const {
        std::vector<ParentEvent> commands;
        for (const ParentEvent& e : events) {
            if (e.message == WM_SYSCOMMAND) {
                commands.push_back(e);
            }
        }
        return commands;
    }

private:
    static const MessageMapEntry messageEntries[2];

    void Record(const ParentEvent& e) {
        events.push_back(e);
        if (onEvent) {
            onEvent(e);
        }
    }
    // Both decline, so that the default processing follows.
    bool OnSysCommand(Message& m) {
        if ((m.wParam & 0xFFF0) < SC_SIZE) {  // not a real system command
            Record(Sys(m.wParam, m.lParam));
        }
        return false;
    }
    bool OnAnyCommand(Message& m) {
        Record({WM_COMMAND, LOWORD(m.wParam), HIWORD(m.wParam)});
        return false;
    }
};

template <class Base>
const MessageMapEntry RecordingParent<Base>::messageEntries[2] = {
    On<WM_SYSCOMMAND, &RecordingParent::OnSysCommand>(),
    OnCommand<&RecordingParent::OnAnyCommand>(kAnyId, kAnyCode),
};
template <class Base>
const ClassMessageMap<RecordingParent<Base>> RecordingParent<Base>::messageMap{messageEntries};

}  // namespace vandir
