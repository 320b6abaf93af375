#pragma once
// The mouse of the demo program: a SimulatedMouse whose memory and plugged
// state live in a state file shared with vandirctl (DemoStateFile), so that
// the demo can be tried, and driven, without the mouse:
//
//   DemoMouse demo(::GetCommandLineW(), clock);
//   Transport transport(demo.Backend(), clock);
//   ...
//   demo.WatchFor(mainWindow);   // vandirctl device plug | unplug reach it
//
// At start the memory comes from the state file (factory memory when there is
// none) and the mouse is plugged in, or unplugged with --unplugged; that
// plugged state is written to the file, so vandirctl and the watcher see the
// same mouse. After every transfer that changed the memory (a configuration
// write) the memory goes back to the file; a save that failed is tried again
// after the next transfer and when the demo ends.
//
// A state file that exists but is not a simulated mouse's is left alone: the
// demo runs with a factory mouse, saves nothing and cannot follow plug and
// unplug (StateFileLoaded tells).
//
// Made, watched and destroyed on the user-interface thread; the backend may be
// used from any thread.

#include <windows.h>

#include <memory>
#include <string>

#include "app/DemoHotPlug.h"
#include "app/DemoOptions.h"
#include "app/DemoStateFile.h"
#include "base/Clock.h"
#include "device/HidBackend.h"
#include "device/SimulatedMouse.h"

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

    // The backend for the transport: the simulated mouse, saving its memory.
    HidBackend& Backend();
    SimulatedMouse& Mouse() { return *mouse_; }
    const std::u16string& StatePath() const { return file_.Path(); }
    // False when the state file exists but is not a simulated mouse's.
    bool StateFileLoaded() const { return loaded_; }

    // Starts following the file's plugged state for window (replacing an
    // earlier watcher); the watcher, or null when the state file is not
    // loaded.
    DemoHotPlug* WatchFor(HWND window);

private:
    class MemorySaver;
    class SavingBackend;

    std::shared_ptr<SimulatedMouse> mouse_;
    DemoStateFile file_;
    bool loaded_ = false;
    std::shared_ptr<MemorySaver> saver_;
    std::unique_ptr<SavingBackend> backend_;
    std::unique_ptr<DemoHotPlug> hotPlug_;
};

}  // namespace vandir
