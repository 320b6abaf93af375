#pragma once
// What Linux tells of a process that runs under Wine, read through Wine's
// drive Z: (the root of the Unix file system): the benchmark finds the Unix
// process of a program it started by a word in its command line, and sums
// the CPU time and the wake-ups (context switches) of all its threads.
// Outside Wine nothing is found.

#include <cstdint>
#include <optional>
#include <string>

namespace vandir::bench {

struct CpuUse {
    double cpuMs = 0;     // user and system time of all threads
    int64_t wakeups = 0;  // voluntary and involuntary context switches
};

// The Unix process whose command line holds marker (and is not this one), or
// nothing. Several: the first found.
std::optional<int> FindUnixProcess(const std::string& marker);

// The CPU use of the process so far, or nothing once it is gone.
std::optional<CpuUse> ReadCpuUse(int pid);

}  // namespace vandir::bench
