#include "SessionRun.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "DemoWindows.h"
#include "Measure.h"
#include "SettingsKeeper.h"
#include "platform/win32/UniqueHandle.h"
#include "skin/layout/ResourceIds.h"

namespace vandir::bench {

namespace {

// Lets the program finish what it does after a step (start-up pieces, the
// end of an Apply) before the next one is measured.
constexpr DWORD kSettleMs = 300;
constexpr DWORD kRestSettleMs = 2000;
constexpr DWORD kApplyTimeoutMs = 10000;

// A running child, ended when this goes.
class Child {
public:
    Child(const std::wstring& program, const std::wstring& arguments) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        PROCESS_INFORMATION created{};
        if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &created)) {
            process_.Reset(created.hProcess);
            ::CloseHandle(created.hThread);
            id_ = created.dwProcessId;
        } else {
            std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(),
                          ::GetLastError());
        }
    }
    ~Child() {
        if (process_) {
            ::TerminateProcess(process_.Get(), 0);
            ::WaitForSingleObject(process_.Get(), 10000);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Settled() const { return process_ && ::WaitForInputIdle(process_.Get(), 60000) == 0; }
    DWORD Id() const { return id_; }

private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// A fresh folder in the temporary folder, removed with what it holds.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::filesystem::path(temp) / name;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_, ignored);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::optional<FILETIME> LastWrite(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return data.ftLastWriteTime;
}

bool SameTime(const std::optional<FILETIME>& a, const std::optional<FILETIME>& b) {
    return a.has_value() == b.has_value() &&
           (!a || (a->dwLowDateTime == b->dwLowDateTime && a->dwHighDateTime == b->dwHighDateTime));
}

// Drops the changes reported so far.
void Drain(HANDLE change) {
    while (::WaitForSingleObject(change, 0) == WAIT_OBJECT_0 &&
           ::FindNextChangeNotification(change)) {
    }
}

// One Apply: from the click until the state file has been written anew; in
// milliseconds, or nothing when that did not happen in time. The demo writes
// the mouse's memory only when it changed, so each Apply first picks another
// polling rate on the OS-sensitivity page.
std::optional<double> TimeApply(HWND main, HANDLE change, const std::filesystem::path& state,
                                int round) {
    if (!Press(main, round % 2 == 0 ? IDC_MS_POLL_125 : IDC_MS_POLL_1000)) {
        return std::nullopt;
    }
    ::Sleep(kSettleMs);
    Drain(change);
    const std::optional<FILETIME> before = LastWrite(state);
    const int64_t start = Now();
    // The key-assignment page's own Apply, which starts the same sequence.
    if (!Click(main, IDC_MS_APPLY)) {
        return std::nullopt;
    }
    const ULONGLONG deadline = ::GetTickCount64() + kApplyTimeoutMs;
    while (::GetTickCount64() < deadline) {
        if (::WaitForSingleObject(change, kApplyTimeoutMs) != WAIT_OBJECT_0) {
            break;
        }
        const int64_t seen = Now();
        ::FindNextChangeNotification(change);
        if (!SameTime(LastWrite(state), before)) {
            LARGE_INTEGER frequency{};
            ::QueryPerformanceFrequency(&frequency);
            return static_cast<double>(seen - start) * 1000.0 /
                   static_cast<double>(frequency.QuadPart);
        }
    }
    return std::nullopt;
}

// The rest of a process that was started with marker in its command line.
std::optional<RestFigures> MeasureRest(const std::string& marker, int restSeconds) {
    ::Sleep(kRestSettleMs);
    const std::optional<int> pid = FindUnixProcess(marker);
    const std::optional<int> server = FindUnixProcess("wineserver");
    if (!pid || !server) {
        std::fwprintf(stderr, L"the Unix processes were not found (not under Wine?)\n");
        return std::nullopt;
    }
    const std::optional<CpuUse> programBefore = ReadCpuUse(*pid);
    const std::optional<CpuUse> serverBefore = ReadCpuUse(*server);
    const int64_t start = Now();
    ::Sleep(static_cast<DWORD>(restSeconds) * 1000);
    const int64_t end = Now();
    const std::optional<CpuUse> programAfter = ReadCpuUse(*pid);
    const std::optional<CpuUse> serverAfter = ReadCpuUse(*server);
    if (!programBefore || !serverBefore || !programAfter || !serverAfter) {
        std::fwprintf(stderr, L"a process ended while it rested\n");
        return std::nullopt;
    }
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    RestFigures rest;
    rest.seconds = static_cast<double>(end - start) / static_cast<double>(frequency.QuadPart);
    rest.program = {programAfter->cpuMs - programBefore->cpuMs,
                    programAfter->wakeups - programBefore->wakeups};
    rest.server = {serverAfter->cpuMs - serverBefore->cpuMs,
                   serverAfter->wakeups - serverBefore->wakeups};
    return rest;
}

std::string Marker(const char* what) {
    return std::string("vandir-bench-") + what + "-" + std::to_string(::GetCurrentProcessId());
}

}  // namespace

std::optional<SessionFigures> RunDemoSession(const std::wstring& program, int applies,
                                             int restSeconds) {
    const std::string marker = Marker("demo");
    const ScratchFolder folder(std::wstring(marker.begin(), marker.end()));
    const std::filesystem::path state = folder.Path() / L"mouse.vsim";
    const SettingsKeeper keeper;
    const Child demo(program, L"--simulate \"" + state.wstring() + L"\"");
    const HWND main = demo.Settled() ? FindMainWindow(demo.Id()) : nullptr;
    if (main == nullptr) {
        std::fwprintf(stderr, L"%ls did not show its main window\n", program.c_str());
        return std::nullopt;
    }

    const UniqueChangeNotification change(::FindFirstChangeNotificationW(
        folder.Path().c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE));
    if (!change) {
        std::fwprintf(stderr, L"cannot watch %ls\n", folder.Path().c_str());
        return std::nullopt;
    }
    SessionFigures figures;
    Click(main, IDC_MAIN_TAB_KEYS);
    Click(main, IDC_MS_TAB_OS);
    for (int i = 0; i < applies; ++i) {
        const std::optional<double> ms = TimeApply(main, change.Get(), state, i);
        if (!ms) {
            std::fwprintf(stderr, L"Apply did not reach the simulated mouse\n");
            return std::nullopt;
        }
        figures.applyMs.push_back(*ms);
    }

    ::Sleep(kSettleMs);
    if (!Click(main, IDC_MAIN_HIDE) || ::IsWindowVisible(main)) {
        std::fwprintf(stderr, L"the main window did not hide\n");
        return std::nullopt;
    }
    std::optional<RestFigures> rest = MeasureRest(marker, restSeconds);
    if (!rest) {
        return std::nullopt;
    }
    figures.hidden = *rest;
    return figures;
}

std::optional<RestFigures> RunMinimalRest(const std::wstring& program, int restSeconds) {
    const std::string marker = Marker("minimal");
    const Child minimal(program, L"--stay " + std::wstring(marker.begin(), marker.end()));
    if (!minimal.Settled()) {
        std::fwprintf(stderr, L"%ls did not settle\n", program.c_str());
        return std::nullopt;
    }
    return MeasureRest(marker, restSeconds);
}

}  // namespace vandir::bench
