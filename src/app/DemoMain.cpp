// VandirII-Demo.exe: the same program, talking to a simulated mouse whose
// memory and plugged state live in a state file (--simulate STATE; without
// it, a file in the temporary folder; --unplugged starts it unplugged).
// `vandirctl device plug|unplug --simulate STATE` plugs it in and out while
// the demo runs, `busy|fail|ok` make it slow or failing and well again, and
// `write` changes its memory.

#include <windows.h>

#include "app/DemoMouse.h"
#include "app/PYLAApp.h"
#include "app/PYLADlg.h"
#include "base/Clock.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    vandir::SystemClock clock;
    vandir::DemoMouse demo(::GetCommandLineW(), clock);
    vandir::CPYLAApp app(demo.Backend(), [&demo](vandir::CPYLADlg& mainWindow) {
        demo.WatchFor(mainWindow.GetSafeHwnd());
    });
    return app.Run(instance);
}
