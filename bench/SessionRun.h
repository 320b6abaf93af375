#pragma once
// The program in use, measured from outside: the wall time of Apply with the
// simulated mouse (from the click until the mouse's memory, which the demo
// keeps in its state file, has been written), and the CPU time and wake-ups
// of the program and of the Wine server while the program rests hidden in the
// notification area; the same rest for the minimal program as the yardstick.
// The system settings and the start-at-login entry that Apply writes are put
// back afterwards.

#include <optional>
#include <string>
#include <vector>

#include "UnixProcess.h"

namespace vandir::bench {

struct RestFigures {
    double seconds = 0;
    CpuUse program;
    CpuUse server;  // the Wine server, which every call of the program into it wakes
};

struct SessionFigures {
    std::vector<double> applyMs;
    RestFigures hidden;
};

// Nothing when the program cannot be started, shown, applied or hidden (the
// reason goes to the standard error).
std::optional<SessionFigures> RunDemoSession(const std::wstring& program, int applies,
                                             int restSeconds);
std::optional<RestFigures> RunMinimalRest(const std::wstring& program, int restSeconds);

}  // namespace vandir::bench
