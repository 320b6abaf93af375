#pragma once
// What the benchmark programs measure and how they report it: time stamps of
// the performance counter (one clock for every process of the machine, so the
// driver's start and a child's first paint can be subtracted), the process's
// private memory, the wait for a first full paint, and the one result line a
// child writes to the standard output the driver gave it.

#include <windows.h>
// <windows.h> first.
#include <psapi.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vandir::bench {

inline int64_t Now() {
    LARGE_INTEGER ticks{};
    ::QueryPerformanceCounter(&ticks);
    return ticks.QuadPart;
}

// Private memory in bytes: under Wine, PagefileUsage is the private figure
// (PrivateUsage stays 0); on Windows both are the commit charge.
inline int64_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(),
                                reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                sizeof(counters))) {
        return -1;
    }
    return static_cast<int64_t>(counters.PagefileUsage);
}

// Dispatches the thread's messages until none is waiting: PeekMessage hands
// out WM_PAINT while any window of the thread still needs painting, so on
// return every window shown has been painted, its controls included. GDI's
// batch is flushed, so the drawing has reached the window.
inline void PumpUntilPainted() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::GdiFlush();
}

// One result line, "name=value name=value ...", written once to the standard
// output when the run is over.
class ResultLine {
public:
    void Add(std::string_view name, int64_t value) {
        text_ += text_.empty() ? "" : " ";
        text_ += name;
        text_ += '=';
        text_ += std::to_string(value);
    }
    // False when there is no standard output to write to.
    bool Write() const {
        const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
        if (out == nullptr || out == INVALID_HANDLE_VALUE) {
            return false;
        }
        const std::string line = text_ + "\n";
        DWORD written = 0;
        return ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
               written == line.size();
    }

private:
    std::string text_;
};

}  // namespace vandir::bench
