#pragma once
// The dots per inch of the display a window is on, and the system metrics at
// a DPI. The functions that give them per monitor came with Windows 10; on
// older systems they fall back to the system's one DPI.

#include <windows.h>

#include "platform/win32/framework/Gdi.h"

namespace vandir {

// The DPI of the monitor the window is on; the system DPI for no window or
// where the system knows only one.
int WindowDpi(HWND window);
// The system DPI (the primary monitor's at logon).
int SystemDpi();
// GetSystemMetrics(index) as it is at dpi.
int SystemMetricForDpi(int index, int dpi);
// The system's font of tool tips and status bars as it is at dpi.
UniqueFont StatusFontForDpi(int dpi);

}  // namespace vandir
