#include "ProgramRun.h"

#include <windows.h>
// <windows.h> first.
#include <psapi.h>

#include <cstdio>
#include <string_view>

#include "Measure.h"
#include "platform/win32/UniqueHandle.h"
#include "skin/layout/ResourceIds.h"

namespace vandir::bench {

namespace {

constexpr std::wstring_view kMainWindowTitle = L"Meridane Vandir II";
// Time for a page the program was told to show to be painted.
constexpr DWORD kPageSettleMs = 150;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// The program's visible main window, or null.
HWND FindMainWindow(DWORD processId) {
    WindowSearch search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t title[64] = {};
            ::GetWindowTextW(window, title, 64);
            if (owner == s->processId && ::IsWindowVisible(window) &&
                std::wstring_view(title) == kMainWindowTitle) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible control of that ID anywhere below the window, or null.
HWND FindVisibleControl(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (::GetDlgCtrlID(child) == s->id && ::IsWindowVisible(child)) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Clicks a visible button as the user would: its parent hears BN_CLICKED.
bool Click(HWND window, int id) {
    const HWND button = FindVisibleControl(window, id);
    if (button == nullptr) {
        return false;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(::GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(button), SMTO_NORMAL, 5000, &ignored);
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
    if (settled != 0 || main == nullptr || !::GetWindowRect(main, &bounds) ||
        bounds.right - bounds.left != 800 || bounds.bottom - bounds.top != 600) {
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
        visited = Click(main, tab) && visited;
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
