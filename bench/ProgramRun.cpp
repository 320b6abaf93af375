#include "ProgramRun.h"

#include <windows.h>
// <windows.h> first.
#include <psapi.h>

#include <cstdio>
#include <string_view>

#include "DemoWindows.h"
#include "Measure.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/framework/DisplayDpi.h"
#include "skin/layout/DisplayScale.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/ResourceIds.h"

namespace vandir::bench {

namespace {

// Time for a page the program was told to show to be painted.
constexpr DWORD kPageSettleMs = 150;

// Clicks a tab and gives its page time to paint.
bool ShowPage(HWND main, int tab) {
    if (!Click(main, tab)) {
        return false;
    }
    ::Sleep(kPageSettleMs);
    return true;
}

int64_t PrivateBytesOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(process, &counters, sizeof(counters))
               ? static_cast<int64_t>(counters.PagefileUsage)
               : -1;
}

}  // namespace

std::optional<Report> RunProgram(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program + L"\"";
    PROCESS_INFORMATION created{};
    const int64_t start = Now();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &created)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), ::GetLastError());
        return std::nullopt;
    }
    const UniqueKernelHandle process(created.hProcess);
    const UniqueKernelHandle thread(created.hThread);
    const auto end = [&process] {
        ::TerminateProcess(process.Get(), 0);
        ::WaitForSingleObject(process.Get(), 10000);
    };

    const DWORD settled = ::WaitForInputIdle(process.Get(), 60000);
    const int64_t painted = Now();
    const HWND main = FindMainWindow(created.dwProcessId);
    RECT bounds{};
    // 800 x 600 at 100 %, scaled to the display as the program scales it.
    const layout::Size size = layout::ScaleSize(layout::kMainWindow.size, SystemDpi());
    if (settled != 0 || main == nullptr || !::GetWindowRect(main, &bounds) ||
        bounds.right - bounds.left != size.width || bounds.bottom - bounds.top != size.height) {
        std::fwprintf(stderr, L"%ls did not show its main window when it settled\n",
                      program.c_str());
        end();
        return std::nullopt;
    }
    Report report;
    report["start"] = start;
    report["painted"] = painted;
    report["private_painted"] = PrivateBytesOf(process.Get());

    // Every page once, the key-assignment page last, then its OS-sensitivity
    // mode.
    bool visited = true;
    for (const int tab : {IDC_MAIN_TAB_SENSOR, IDC_MAIN_TAB_LED, IDC_MAIN_TAB_SUPPORT,
                          IDC_MAIN_LANGUAGE, IDC_MAIN_TAB_KEYS, IDC_MS_TAB_OS}) {
        visited = ShowPage(main, tab) && visited;
    }
    report["private_visited"] = PrivateBytesOf(process.Get());
    end();
    if (!visited) {
        std::fwprintf(stderr, L"%ls: a page's tab was not there to click\n", program.c_str());
        return std::nullopt;
    }
    return report;
}

}  // namespace vandir::bench
