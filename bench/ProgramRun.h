#pragma once
// Running the program itself (VandirII-Demo.exe, with its simulated mouse)
// and measuring it from outside, as it reports nothing: when its message
// loop first finds nothing to do (WaitForInputIdle: every window it shows is
// painted by then), its private memory at that moment, and its private
// memory once each page was shown through the main window's tabs.

#include <optional>
#include <string>

#include "ChildRun.h"

namespace vandir::bench {

// "start", "painted", "private_painted" and "private_visited"; nothing when
// the program cannot start, does not settle within a minute or has not shown
// its 800 x 600 main window (at 100 %; scaled to the display) by then (the
// reason goes to the standard error). The program is ended afterwards.
std::optional<Report> RunProgram(const std::wstring& program);

}  // namespace vandir::bench
