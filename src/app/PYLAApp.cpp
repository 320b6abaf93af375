#include "app/PYLAApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/AppServices.h"
#include "app/PYLADlg.h"
#include "app/SingleInstance.h"
#include "base/Clock.h"
#include "device/Transport.h"
#include "platform/win32/DeviceNotifications.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/ModulePath.h"
#include "platform/win32/RestartRegistration.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemIntegration.h"
#include "platform/win32/framework/DisplayDpi.h"
#include "platform/win32/threads/UiThread.h"
#include "skin/InputHooks.h"
#include "skin/LedEffect.h"
#include "skin/SkinStore.h"

namespace vandir {

namespace {

// Balances CoInitialize on the thread that made it.
class ComSession {
public:
    ComSession() : started_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComSession() {
        if (started_) {
            ::CoUninitialize();
        }
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

private:
    bool started_;
};

void ShowMessage(const std::wstring& text, const std::wstring& caption, UINT flags) {
    ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), flags);
}

}  // namespace

CPYLAApp::CPYLAApp(HidBackend& hid, std::function<void(CPYLADlg&)> mainWindowReady)
    : hid_(hid), mainWindowReady_(std::move(mainWindowReady)) {}

BOOL CPYLAApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    GdiplusSession gdiplus;

    // A second start calls the running program's window up, then ends.
    instanceMutex_ = ClaimSingleInstance();
    if (!instanceMutex_) {
        return FALSE;
    }
    // Started again by the system after a crash or an update.
    RegisterForRestart();
    ComSession com;

    SystemClock clock;
    SkinStore skins(DefaultSkinFolder());
    // The artwork of the display the window will show on (its own monitor's,
    // taken when the window is made, is the same but on a second monitor of
    // another scale); decoding overlaps the rest of the start-up.
    skins.UseDpi(SystemDpi());
    skins.StartLoading();
    InputHooks hooks;
    LedEffect led;
    Transport transport(hid_, clock);
    Win32FileSystem files;
    Win32SystemIntegration system;
    UiThread ui;
    SkinContext skin{skins, hooks, led, clock};
    AppServices services{
        skin,       transport, files,
        system,     ui,        [](HWND window) { return RegisterForHidNotifications(window); },
        ShowMessage};
    {
        CPYLADlg mainWindow(services);
        if (mainWindowReady_) {
            // Called from inside the modal loop, once the window exists.
            ui.Post([&] { mainWindowReady_(mainWindow); });
        }
        mainWindow.DoModal();
    }  // the main window (and every Apply it started) ends before the store
    return FALSE;
}

int CPYLAApp::ExitInstance() {
    instanceMutex_.Reset();  // closing the handle releases the mutex
    return 0;
}

}  // namespace vandir
