// How long the main window takes to answer while an Apply waits on a mouse
// that answers busy to all but the last of its polls (the transport's longest
// wait, about 3.6 s): the real main window over the simulated mouse with the
// real clock, in-process. Another thread sends the window a message every
// 5 ms and times each answer; meanwhile the icon is clicked once, which needs
// the mouse (a re-read) and must queue behind the Apply instead of waiting.
//
//   bench_answer.exe [N]     N Applies (3 by default); one result line

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include "Measure.h"
#include "app/AppServices.h"
#include "app/PYLADlg.h"
#include "base/Clock.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/threads/UiThread.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinStore.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"

namespace {

using namespace vandir;
using vandir::bench::Now;

// The profile in memory: the answers of the window are measured, not the disk.
class MemoryFiles : public FileSystem {
public:
    bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& contents) override {
        const auto it = files_.find(path);
        contents = it == files_.end() ? std::vector<uint8_t>{} : it->second;
        return it != files_.end();
    }
    void EnsureFoldersOf(const std::u16string&) override {}
    bool ReplaceWholeFile(const std::u16string& path, std::span<const uint8_t> bytes,
                          std::u16string* = nullptr) override {
        files_[path].assign(bytes.begin(), bytes.end());
        return true;
    }

    // The profile is all the bench writes: no folder is ever made.
    bool Exists(const std::u16string& path) override { return files_.count(path) != 0; }
    LockAttempt TryLockFile(const std::u16string&) override { return {}; }
    bool RemoveFile(const std::u16string& path) override {
        files_.erase(path);
        return true;
    }

private:
    std::map<std::u16string, std::vector<uint8_t>> files_;
};

// The system left alone: no setting, no start-at-login entry is changed.
class QuietSystem : public SystemIntegration {
public:
    std::u16string ApplicationDataFolder() override { return u"C:\\bench"; }
    void WriteAutostartEntry(const std::u16string&) override {}
    void RemoveAutostartEntry(const std::u16string&) override {}
    void OpenSupportPage(const std::u16string&) override {}
    void SetDoubleClickTime(uint8_t, SettingScope) override {}
    void SetPointerSpeed(uint8_t, SettingScope) override {}
    std::optional<uint32_t> PointerSpeed() override { return 10; }
    void EnableFullWindowDrag() override {}
};

int64_t Microseconds(int64_t ticks) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return ticks * 1000000 / frequency.QuadPart;
}

// Dispatches the thread's messages for about the given time.
void PumpFor(int milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (::GetTickCount64() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        bench::PumpUntilPainted();
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int applies = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    GdiplusSession gdiplus;

    SystemClock clock;
    SkinStore skins(DefaultSkinFolder());
    InputHooks hooks;
    LedEffect led;
    SimulatedMouse mouse;
    Transport transport(mouse, clock);
    MemoryFiles files;
    QuietSystem system;
    UiThread ui;
    SkinContext skin{skins, hooks, led, clock};
    AppServices services{skin,
                         transport,
                         files,
                         system,
                         ui,
                         [](HWND) { return UniqueDeviceNotification(); },
                         [](const std::wstring&, const std::wstring&, UINT) {}};

    std::atomic<int64_t> longest{0};
    int64_t applyTicks = 0;
    {
        CPYLADlg window(services);
        if (!window.Create()) {
            return 1;
        }
        window.ShowWindow(SW_SHOW);
        window.WaitForMouseWork();
        // As the running program has them after its first idle times.
        for (const PageId id : {PageId::OsSensitivity, PageId::Sensor, PageId::Led, PageId::Support,
                                PageId::Language}) {
            window.page(id);
        }
        window.noDeviceScreen();
        PumpFor(300);
        const HWND target = window.GetSafeHwnd();
        std::atomic<bool> measuring{false};
        std::atomic<bool> done{false};
        std::thread pinger([&] {
            while (!done) {
                if (measuring) {
                    const int64_t start = Now();
                    ::SendMessageW(target, WM_NULL, 0, 0);
                    const int64_t took = Now() - start;
                    int64_t seen = longest.load();
                    while (took > seen && !longest.compare_exchange_weak(seen, took)) {
                    }
                }
                ::Sleep(5);
            }
        });
        for (int i = 0; i < applies; ++i) {
            mouse.StayBusyFor(9);  // the write's reply comes at the tenth poll
            const int64_t start = Now();
            measuring = true;
            window.Apply();
            PumpFor(100);
            window.SendMessage(2027, 0, WM_LBUTTONDOWN);  // the icon: a re-read, queued
            while (window.MouseWorkPending()) {
                PumpFor(10);
            }
            measuring = false;
            applyTicks += Now() - start;
            window.WaitForMouseWork();
        }
        done = true;
        pinger.join();
        window.DestroyWindow();
    }

    bench::ResultLine result;
    result.Add("applies", applies);
    result.Add("apply_us", Microseconds(applyTicks) / applies);
    result.Add("longest_answer_us", Microseconds(longest.load()));
    return result.Write() ? 0 : 2;
}
