#pragma once
// CPYLAApp: the application object. It lets only one copy of the program run
// (a second start calls the first one's window up and ends), starts the
// libraries the windows need, owns the process-wide objects (skin store,
// input hooks, LED animation, clock, link to the mouse, file system, system
// settings) and runs the main window until "Exit".

#include <windows.h>

#include <functional>

#include "device/HidBackend.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/framework/WinApp.h"

namespace vandir {

class CPYLADlg;

class CPYLAApp : public CWinApp {
public:
    // hid is the program's way to the mouse (the system's HID devices, or the
    // demo's simulated mouse); mainWindowReady, when given, is called once the
    // main window exists (the demo points its hot-plug watcher at it).
    explicit CPYLAApp(HidBackend& hid, std::function<void(CPYLADlg&)> mainWindowReady = {});

protected:
    // Single instance, libraries, main window; false: the framework runs no
    // loop of its own (the main window's modal loop was the program's life).
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HidBackend& hid_;
    std::function<void(CPYLADlg&)> mainWindowReady_;
    UniqueKernelHandle instanceMutex_;
};

}  // namespace vandir
