// Entry point of the window tests: GDI+ and the common controls are started
// once for the whole run, as the application does.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include "platform/win32/Gdiplus.h"

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    vandir::GdiplusSession gdiplus;
    if (!gdiplus.started()) {
        return 3;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
