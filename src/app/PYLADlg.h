#pragma once
// CPYLADlg: the program's main window. It holds the seven pages, the
// no-device screen, the notification-area icon and its menu, and is the view
// of the settings owner (SettingsOwner), which owns the record, the profile,
// the readings, Apply and Reset and decides what shows when the mouse comes
// and goes. The window turns its messages (tabs, the icon, device changes,
// timers) into the owner's events and answers the owner's requests (give the
// pages the record, collect them, show a window, tell the person). Closing it
// only hides it; "Exit" in the icon's menu ends the program.
//
// The owner's mouse work runs on worker threads one piece at a time in the
// order asked (SerialWorkers), so the window never waits for the mouse; its
// results come back to this thread as posted functions.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "app/AppServices.h"
#include "app/NoMouse.h"
#include "app/PageSet.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"
#include "control/MouseWork.h"
#include "control/SettingsOwner.h"
#include "control/SettingsView.h"
#include "model/MouseSettings.h"
#include "pages/KivPage.h"
#include "pages/PageHost.h"
#include "platform/win32/threads/SerialWorkers.h"
#include "skin/KivMenu.h"
#include "skin/KivWindow.h"

namespace vandir {

class CPYLADlg : public WithMessageMap<CPYLADlg, CKivWindow>,
                 public PageHost,
                 private SettingsView,
                 private MouseWork {
public:
    static const ClassMessageMap<CPYLADlg> messageMap;

    // Posted by a second start of the program: show the window.
    static constexpr UINT kShowWindowMessage = kCallUpMessage;
    // Timer 1: no mouse at start-up; the no-device screen replaces the window.
    static constexpr UINT_PTR kNoMouseTimer = 1;
    static constexpr UINT kNoMouseDelayMs = 100;
    // Timer 2: the mouse arrived; connect once it has settled.
    static constexpr UINT_PTR kArrivalTimer = 2;
    static constexpr UINT kArrivalDelayMs = 900;
    // Timer 3: started in the first idle time, after the first paint; each
    // tick does one piece of the deferred start-up (the notification-area
    // icon and first tips, the function lists, one hidden page, the
    // no-device screen), until none is left. A timer, so that the program
    // waits for messages (and counts as idle) before the first piece.
    static constexpr UINT_PTR kBuildWindowsTimer = 3;
    static constexpr UINT kBuildWindowsDelayMs = USER_TIMER_MINIMUM;
    // Timer 4: the notification area did not take the icon (the shell is not
    // ready yet, as at a start at login); it is tried again until it does.
    static constexpr UINT_PTR kTrayRetryTimer = 4;
    static constexpr UINT kTrayRetryDelayMs = 1000;
    // The notification-area menu's entries.
    static constexpr int kMenuShow = TrayMenu::kShow;
    static constexpr int kMenuExit = TrayMenu::kExit;

    // Makes the settings owner (the record: defaults, the profile path, the
    // profile's contents) and the page objects.
    explicit CPYLADlg(AppServices& services);
    ~CPYLADlg() override;

    // PageHost.
    void Apply() override;
    void Reset() override;
    void ShowPage(PageId page) override;
    void ApplyLanguageToAll(int language) override;
    void SetTopmost(bool topmost) override;
    // Collects one page into the record, without an Apply.
    void CollectPage(PageId id) override;

    // Waits until everything asked of the mouse so far (readings, Apply and
    // Reset) has finished and its results reached the window.
    void WaitForMouseWork();
    void WaitForApply() { WaitForMouseWork(); }
    // True while something asked of the mouse is still running or queued.
    bool MouseWorkPending() { return mouseWork_.Busy(); }
    void WaitForStartupReading() { WaitForMouseWork(); }
    // An Apply whose write did not reach the mouse; it is written when the
    // mouse is next found.
    bool ApplyUnwritten() const { return owner_.WritePending(); }

    const MouseSettings& settings() const { return owner_.record(); }
    // The page, built first when it was not yet.
    CKivPage& page(PageId id);
    // The no-device screen, built first when it was not yet.
    CNoMouse& noDeviceScreen();
    // True once every page and the no-device screen exist as windows.
    bool AllWindowsBuilt() const;
    CKivMenu* trayMenu() const { return trayMenu_.menu(); }
    // The menu's command ID, with which its choices arrive as WM_SYSCOMMAND.
    UINT trayMenuCommandId() const { return trayMenu_.commandId(); }
    const TrayIcon* trayIcon() const { return trayIcon_.get(); }

protected:
    BOOL OnInitDialog() override;
    // Enter and Esc neither close nor hide the window.
    void OnOK() override {}
    void OnCancel() override {}
    void OnControlEvent(const ControlEvent& event) override;
    std::vector<unsigned> MenuCommandIds() const override;
    void OnSystemCommand(WPARAM command) override;
    // A change of display scale closes the lists first, then places the
    // pages, the no-device screen, the menu and the icons at the new scale.
    void OnDisplayScaleChanging() override;
    void OnDisplayScaleChanged() override;
    // Starts a window timer; false when the system could not. Tests see the
    // delays asked for here.
    virtual bool StartTimer(UINT_PTR id, UINT milliseconds);

private:
    static const MessageMapEntry messageEntries[];

    // A page whose window was just built: its place in the page area at the
    // scale in use, the record and the language every page was last given.
    void TakeBuiltPage(CKivPage& page);
    // A built page in the page area, at the scale in use.
    void PlacePage(CKivPage& page);
    // The window's large and small icons at the scale in use.
    void SetWindowIcons();
    // Builds the next window not built yet (the pages, then the no-device
    // screen); false when none was left.
    bool BuildNextWindow();

    // SettingsView.
    void PushToPages(const MouseSettings& record) override;
    void CollectPages(MouseSettings& target) override;
    void RelabelWindows(int language) override;
    void ShowFirmwareVersion(uint16_t version) override;
    bool MainWindowShown() override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    bool NoDeviceScreenShown() override;
    void ShowNoDeviceScreen() override;
    void HideNoDeviceScreen() override;
    void EndModalDialogs() override;
    bool StartNoMouseDelay() override;
    bool StartArrivalDelay() override;
    void Tell(const Notice& notice) override;
    // MouseWork: the serial workers; results come back as posted functions,
    // dropped once the window is gone.
    bool Queue(MouseJob kind, std::function<void()> work) override;
    void PostBack(std::function<void()> function) override;

    // Adds the notification-area icon once; reports a failed registration
    // for device notifications after it. An icon the system did not take is
    // tried again on timer 4.
    void AddTrayIcon();
    // The shell restarted: its notification area lost the icon.
    void OnTaskbarCreated();
    // True when every sheet some window uses is there and decodes; else the
    // skin's failure path was taken.
    bool SkinUsable();
    // Hides the main window (the icon brings it back).
    void Hide();

    void OnPaint();
    Reply OnQueryDragIcon();
    void OnLeftButtonDown(POINT point, UINT keys);
    Reply OnTrayNotification(WPARAM, LPARAM mouseMessage);
    Reply OnShowWindowRequest();
    Reply OnDeviceChange(WPARAM event, LPARAM record);
    // Idle time: starts timer 3 while windows are left to build.
    Reply OnKickIdle();
    // One piece of the deferred start-up: the icon, the lists, then the next
    // window; false when nothing was left.
    bool BuildNextPiece();
    bool DeferredWorkLeft() const;
    void OnTimer(UINT_PTR id);
    void OnDestroy();

    AppServices& services_;
    SettingsOwner owner_;
    // The window talks to every page through CKivPage only; the no-device
    // screen is separate.
    PageSet pages_;
    CNoMouse noMouse_;
    std::unique_ptr<TrayIcon> trayIcon_;
    TrayMenu trayMenu_;
    UniqueDeviceNotification deviceNotifications_;
    HICON icon_ = nullptr;  // the system's shared copy, for the minimised window
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    bool buildTimerRunning_ = false;
    // OnInitDialog has run: the icon and the call-up answer from here on.
    bool initialised_ = false;
    // "Exit" was chosen or the window is being destroyed: nothing more is
    // built or shown under it.
    bool closing_ = false;
    // The language last given to every window; pages built later take it.
    int appliedLanguage_ = 0;
    // Posted functions hold it weakly: they do nothing once the window is gone.
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);
    // Last: destroyed (joined) first, while the pages still exist.
    SerialWorkers mouseWork_;
};

}  // namespace vandir
