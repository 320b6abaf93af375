// VandirII.exe: the configuration program, talking to the mouse through the
// system's HID devices.

#include <windows.h>

#include "app/PYLAApp.h"
#include "platform/win32/Win32HidBackend.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    vandir::Win32HidBackend hid;
    vandir::CPYLAApp app(hid);
    return app.Run(instance);
}
