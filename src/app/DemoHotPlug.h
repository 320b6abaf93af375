#pragma once
// Hot-plug for the demo program without a mouse: a watcher follows the
// simulated mouse's state file. Each look lets the sync take what the file
// says of the mouse (DemoStateSync), then follows its plugged state (vandirctl
// device plug | unplug --simulate STATE sets it): when the file's differs from
// the mouse's, the watcher plugs the mouse in or unplugs it and sends the
// window the notifications the system sends for a real mouse: a
// WM_DEVICECHANGE with DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and a
// device-interface record (HID class) whose name is the interface's path, one
// per interface of the mouse. Arrival is sent once the mouse is plugged in,
// removal once it is gone, as the system does.
//
// The watcher looks at the file whenever the system reports a change in its
// folder (so the program does not wake while nothing happens there), and
// once right after it starts; where the folder cannot be watched, it looks
// every kPollMilliseconds instead. A look that finds the sync busy (a request
// or a save under way, which may wait for the file's lock) is taken again
// kLookAgainMilliseconds later, so the window's thread never waits for it.
// The plugged state the demo started with is saved on a worker when the
// watcher starts. Both arrive at a message-only window of its
// own, so the thread that makes it must pump messages; the notifications are
// sent on that thread. A file that is missing, unreadable or damaged changes
// nothing.

#include <windows.h>

#include <memory>
#include <string_view>

#include "app/DemoStateSync.h"
#include "platform/win32/threads/SerialWorkers.h"

namespace vandir {

// Sends window a WM_DEVICECHANGE for one device interface of the HID class, as
// the system sends it; event is DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE.
// The record lives until the window has handled the message. Gives the
// window's answer.
LRESULT SendDeviceInterfaceChange(HWND window, WPARAM event, std::u16string_view path);

class DemoHotPlug {
public:
    static constexpr UINT kPollMilliseconds = 100;
    static constexpr UINT kLookAgainMilliseconds = 20;

    // sync must outlive the watcher. Starts watching.
    DemoHotPlug(DemoStateSync& sync, HWND window);
    ~DemoHotPlug();
    DemoHotPlug(const DemoHotPlug&) = delete;
    DemoHotPlug& operator=(const DemoHotPlug&) = delete;

    // One look at the file, as a change takes it (or a busy sync delays it):
    // true when the mouse was
    // plugged in or unplugged (and the window told). The file's memory is
    // taken before an arrival is told, so the window reads it. A poll that comes while
    // the window handles a notification (a modal loop in its handler) does
    // nothing then, and is taken again once the window has handled it.
    bool Poll();

    // True while the plugged state the demo started with is on its way to the
    // file (looks say nothing meanwhile).
    bool Starting() { return saver_.Busy(); }

    // True when changes come from the system's folder watch, false when the
    // watcher falls back to its timer.
    bool WatchesFolder() const;

private:
    class WatchWindow;

    DemoStateSync& sync_;
    HWND window_;
    bool polling_ = false;
    bool pollAgain_ = false;
    std::unique_ptr<WatchWindow> watchWindow_;
    // Last, so that it ends first: its work posts to the watch window.
    SerialWorkers saver_;
};

}  // namespace vandir
