#pragma once
// A main window over a simulated mouse, with the waits, the system settings,
// the files and the mouse's writes logged in one order. Timers the window
// asks for are recorded and fired by the test instead of waited for.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "app/AppServices.h"
#include "app/PYLADlg.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "platform/win32/DeviceNotifications.h"
#include "platform/win32/framework/UiThread.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinStore.h"
#include "win32/app/AppFakes.h"

namespace vandir::testing {

struct TimerRequest {
    UINT_PTR id;
    UINT milliseconds;
    friend bool operator==(const TimerRequest&, const TimerRequest&) = default;
};

// The real main window, whose timers are recorded (and still started).
class TestMainWindow : public CPYLADlg {
public:
    using CPYLADlg::CPYLADlg;
    std::vector<TimerRequest> timers;

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
    void StartTimer(UINT_PTR id, UINT milliseconds) override {
        timers.push_back({id, milliseconds});
    }
};

class MainWindowFixture {
public:
    explicit MainWindowFixture(bool mousePlugged = true) {
        if (!mousePlugged) {
            mouse.Unplug();
        }
    }
    ~MainWindowFixture() {
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
    };

    // Makes and shows the main window; false when it could not be created.
    bool Start(Started state = Started::Settled) {
        window = std::make_unique<TestMainWindow>(services);
        if (!window->Create()) {
            return false;
        }
        window->ShowWindow(SW_SHOW);  // as the modal loop shows it
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

    EventLog log;
    LoggingClock clock{log};
    FakeSystem system{log};
    FakeFiles files{log};
    SimulatedMouse mouse;
    Transport transport{mouse, clock};
    SkinStore skins{DefaultSkinFolder()};
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
        [this](const std::wstring& text, const std::wstring&, UINT) { messages.push_back(text); }};
    std::unique_ptr<TestMainWindow> window;
};

}  // namespace vandir::testing
