#pragma once
// The mouse of the demo program: a SimulatedMouse whose memory and plugged
// state live in a state file shared with vandirctl (DemoStateFile), so that
// the demo can be tried, and driven, without the mouse:
//
//   DemoMouse demo(::GetCommandLineW(), clock);
//   Transport transport(demo.Backend(), clock);
//   ...
//   demo.WatchFor(mainWindow);   // vandirctl device plug | unplug | write reach it
//
// At start the memory comes from the state file (factory memory when there is
// none) and the mouse is plugged in, or unplugged with --unplugged; the
// watcher's start writes that plugged state to the file, so vandirctl and the
// watcher see the same mouse (a second start, which ends before it watches,
// writes nothing). From then on the mouse and the file are kept in step both
// ways (DemoStateSync): a configuration write goes to the file, and the
// watcher takes what the file says when it changes.
//
// A state file that exists but is not a simulated mouse's is left alone: the
// demo runs with a factory mouse, saves nothing and cannot follow the file
// (StateFileLoaded tells).
//
// Made, watched and destroyed on the user-interface thread; the backend may be
// used from any thread.

#include <windows.h>

#include <memory>
#include <string>

#include "app/DemoHotPlug.h"
#include "app/DemoOptions.h"
#include "app/DemoStateSync.h"
#include "base/Clock.h"
#include "device/HidBackend.h"
#include "device/SimulatedMouse.h"
#include "platform/win32/Win32FileSystem.h"

namespace vandir {

class DemoMouse {
public:
    // The options from a whole command line as GetCommandLineW gives it.
    // clock serves the waits for the state file's lock and must outlive this.
    DemoMouse(const wchar_t* commandLine, Clock& clock);
    DemoMouse(const DemoOptions& options, Clock& clock);
    ~DemoMouse();
    DemoMouse(const DemoMouse&) = delete;
    DemoMouse& operator=(const DemoMouse&) = delete;

    // The backend for the transport: the simulated mouse, in step with the file.
    HidBackend& Backend();
    SimulatedMouse& Mouse() { return sync_->Mouse(); }
    const std::u16string& StatePath() const { return sync_->File().Path(); }
    // False when the state file exists but is not a simulated mouse's.
    bool StateFileLoaded() const { return loaded_; }

    // Starts following the state file for window (replacing an earlier
    // watcher); the watcher, or null when the state file is not loaded.
    DemoHotPlug* WatchFor(HWND window);

private:
    Win32FileSystem files_;
    bool loaded_ = false;
    std::shared_ptr<DemoStateSync> sync_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<DemoHotPlug> hotPlug_;
};

}  // namespace vandir
