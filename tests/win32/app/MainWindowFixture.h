#pragma once
// A main window over a simulated mouse, with the waits, the system settings,
// the files and the mouse's writes logged in one order. Timers the window
// asks for are recorded and fired by the test instead of waited for.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <dbt.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/AppServices.h"
#include "app/PYLADlg.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "platform/win32/DeviceNotifications.h"
#include "platform/win32/threads/UiThread.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinStore.h"
#include "win32/app/AppFakes.h"
#include "win32/app/GatedMouse.h"
#include "win32/ui/OnTop.h"

namespace vandir::testing {

// A WM_DEVICECHANGE record as the system sends it for a HID interface.
struct DeviceChange {
    explicit DeviceChange(const std::u16string& path) {
        bytes.resize(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + path.size() * sizeof(wchar_t));
        auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
        record->dbcc_size = static_cast<DWORD>(bytes.size());
        record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        std::copy(path.begin(), path.end(), reinterpret_cast<char16_t*>(record->dbcc_name));
    }
    LPARAM lParam() { return reinterpret_cast<LPARAM>(bytes.data()); }
    std::vector<uint8_t> bytes;
};

inline const std::u16string kMousePath = u"\\\\?\\hid#vid_1f2e&pid_002b&mi_01#7&1&0#{4d1e55b2}";

struct TimerRequest {
    UINT_PTR id;
    UINT milliseconds;
    friend bool operator==(const TimerRequest&, const TimerRequest&) = default;
};

// The real main window, whose timers are recorded (not started), and whose
// showing and hiding are seen.
class TestMainWindow : public CPYLADlg {
public:
    using CPYLADlg::CPYLADlg;
    std::vector<TimerRequest> timers;
    // Timers the system is made to refuse.
    std::set<UINT_PTR> refusedTimers;
    // How often the window was shown; runs when it is about to hide.
    int timesShown = 0;
    std::function<void()> onHide;

    // Delivers a timer's tick now.
    void Tick(UINT_PTR id) { SendMessage(WM_TIMER, id, 0); }
    // Gives the window a moment of idle time, as the modal loop does when no
    // message waits.
    void Idle() { SendMessage(kKickIdleMessage, MSGF_DIALOGBOX, 0); }
    // Idle time and one tick of the building timer, as the running program
    // has them after its first paint.
    void BuildNextPiece() {
        Idle();
        Tick(kBuildWindowsTimer);
    }

protected:
    bool StartTimer(UINT_PTR id, UINT milliseconds) override {
        timers.push_back({id, milliseconds});
        return refusedTimers.count(id) == 0;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SHOWWINDOW) {
            if (wParam != FALSE) {
                ++timesShown;
            } else if (onHide) {
                onHide();
            }
        }
        return CPYLADlg::WindowProc(message, wParam, lParam);
    }
};

class MainWindowFixture {
public:
    // skinFolder: the sheets the windows use (the generated ones beside the
    // test program by default).
    explicit MainWindowFixture(bool mousePlugged = true,
                               std::wstring skinFolder = DefaultSkinFolder())
        : skinFolder_(std::move(skinFolder)) {
        if (!mousePlugged) {
            mouse.Unplug();
        }
    }
    ~MainWindowFixture() {
        gate.Open();  // a test that stopped half-way leaves nothing held
        if (window != nullptr && window->GetSafeHwnd() != nullptr) {
            window->WaitForApply();
            window->DestroyWindow();
        }
        // The no-device screen and pages go with the window object.
        window.reset();
    }

    // How far the start has come when Start returns.
    enum class Started {
        Settled,    // as a user meets it: the mouse read, the icon and every page built
        JustShown,  // the mouse read, the window shown; its idle time has not come yet
        Unread,     // the window shown, the start-up reading still under way
    };

    // Makes and shows the main window; false when it could not be created.
    bool Start(Started state = Started::Settled) {
        window = std::make_unique<TestMainWindow>(services);
        if (!window->Create()) {
            return false;
        }
        window->ShowWindow(SW_SHOW);  // as the modal loop shows it
        BringToForeground(*window);
        if (state == Started::Unread) {
            return true;
        }
        window->WaitForStartupReading();
        if (state == Started::Settled) {
            // The pieces the running program builds in its first idle times.
            for (int piece = 0; piece < 10 && !(window->AllWindowsBuilt() && window->trayIcon());
                 ++piece) {
                window->BuildNextPiece();
            }
        }
        return true;
    }

    std::u16string ProfilePath() const { return window->settings().profilePath; }

    std::wstring skinFolder_;
    // What the skin's failure path did: its messages and quit requests;
    // onSkinFailure runs inside the message, as a message box's loop would.
    std::vector<std::wstring> skinFailures;
    int quitRequests = 0;
    std::function<void()> onSkinFailure;
    // While false, the notification area refuses every call (no shell yet).
    bool shellReady = true;
    std::vector<DWORD> iconCalls;

    EventLog log;
    LoggingClock clock{log};
    FakeSystem system{log};
    FakeFiles files{log};
    SimulatedMouse mouse;
    // Open unless a test holds a command at it.
    GatedMouse gate{mouse};
    Transport transport{gate, clock};
    SkinStore skins{skinFolder_, SkinFailureReporter{[this](const std::wstring& text) {
                                                         skinFailures.push_back(text);
                                                         if (onSkinFailure) {
                                                             onSkinFailure();
                                                         }
                                                     },
                                                     [this] { ++quitRequests; }}};
    InputHooks hooks;
    LedEffect led;
    SkinContext skin{skins, hooks, led, clock};
    UiThread ui;
    std::vector<std::wstring> messages;
    bool registrationFails = false;
    AppServices services{
        skin,
        transport,
        files,
        system,
        ui,
        [this](HWND window) {
            return registrationFails ? UniqueDeviceNotification()
                                     : RegisterForHidNotifications(window);
        },
        [this](const std::wstring& text, const std::wstring&, UINT) { messages.push_back(text); },
        [this](DWORD call, NOTIFYICONDATAW* data) {
            iconCalls.push_back(call);
            return shellReady ? ::Shell_NotifyIconW(call, data) : FALSE;
        }};
    std::unique_ptr<TestMainWindow> window;
};

}  // namespace vandir::testing
