#pragma once
// CPYLADlg: the program's main window. It owns the settings record, the seven
// pages, the no-device screen, the notification-area icon and its menu; it
// decides when the record is loaded, pushed to the pages, collected from
// them, saved and written to the mouse, and reacts to the mouse arriving and
// leaving, to the notification-area icon and to a second start of the
// program. Closing it only hides it; "Exit" in the icon's menu ends the
// program.
//
// Everything that talks to the mouse (the readings at start, after an
// arrival and on the icon's click, Apply, Reset's Apply, closing the link)
// runs on worker threads one piece at a time in the order asked, so the
// window never waits for the mouse: what needs it while an Apply waits on a
// busy mouse runs when that Apply is done. A worker asks the user-interface
// thread to collect the pages (and waits for that); its results come back to
// this thread as posted functions. A reading never undoes what the person did
// meanwhile: edits made since the pages were last given the record survive
// it (MergeEdits), and after an Apply or a Reset it is not taken at all.

#include <windows.h>

#include <array>
#include <memory>
#include <mutex>
#include <optional>

#include "app/AppServices.h"
#include "app/DeviceSequences.h"
#include "app/NoMouse.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "model/MouseSettings.h"
#include "pages/KivPage.h"
#include "pages/PageHost.h"
#include "platform/win32/threads/SerialWorkers.h"
#include "skin/KivMenu.h"
#include "skin/KivWindow.h"

namespace vandir {

class CPYLADlg : public WithMessageMap<CPYLADlg, CKivWindow>, public PageHost {
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
    static constexpr int kMenuShow = 100;
    static constexpr int kMenuExit = 101;

    // Makes the record: defaults, the profile path, the profile's contents.
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
    bool ApplyUnwritten() const { return unwritten_.has_value(); }

    const MouseSettings& settings() const { return record_; }
    // The page, built first when it was not yet.
    CKivPage& page(PageId id);
    // The no-device screen, built first when it was not yet.
    CNoMouse& noDeviceScreen();
    // True once every page and the no-device screen exist as windows.
    bool AllWindowsBuilt() const;
    CKivMenu* trayMenu() const { return trayMenu_.get(); }
    // The menu's command ID, with which its choices arrive as WM_SYSCOMMAND.
    UINT trayMenuCommandId() const { return trayMenuId_; }
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

    // Makes the page objects; their windows are built later (BuildPage).
    void CreatePages();
    // A built page in the page area, at the scale in use.
    void PlacePage(CKivPage& page);
    // The window's large and small icons at the scale in use.
    void SetWindowIcons();
    // The page object, whether or not its window exists yet.
    CKivPage& pageObject(PageId id) const;
    // Creates a hidden page's window below the tabs, and gives it the record
    // and the language every page was last given.
    void BuildPage(CKivPage& page);
    // Builds the next window not built yet; false when none was left.
    bool BuildNextWindow();
    void PushAll();
    // The pages' hooks for their pop-up lists.
    void CloseAllLists();
    CKivPage* PageWithoutLists() const;
    // Collects every page into the record, building the ones not built yet;
    // while the window closes, only the built ones (a page never built holds
    // the record as it is).
    void CollectAll();
    // Why the mouse is read; what follows the reading on this thread.
    enum class ReadingFor { Startup, Arrival, CallUp };
    struct PendingReading {
        MouseReading reading;
        uint64_t actionsAtRequest;
        ReadingFor purpose;
    };
    // Runs work that talks to the mouse behind what was asked before; at
    // once on this thread when no worker can be started.
    void RunWithMouse(std::function<void()> work);
    // Runs function on this thread when its loop next pumps, unless the
    // window is gone by then.
    void PostToWindow(std::function<void()> function);
    // Reads the mouse (or completes the Apply it missed) on a worker; the
    // result comes to TakeReading.
    void RequestReading(ReadingFor purpose);
    void TakeReading(const PendingReading& pending);
    // The reading's configuration into the record and the pages, keeping the
    // edits the person made since the pages were last given the record.
    void MergeReading(const DeviceConfig& configuration);
    // What an Apply achieved, on this thread: a failed save and a write that
    // did not reach the mouse are told.
    void TakeApplyOutcome(const MouseSettings& applied, const ApplyOutcome& outcome);
    // Collects the built pages into target.
    void CollectBuilt(MouseSettings& target);
    // Adds the notification-area icon once; reports a failed registration
    // for device notifications after it. An icon the system did not take is
    // tried again on timer 4.
    void AddTrayIcon();
    // The shell restarted: its notification area lost the icon.
    void OnTaskbarCreated();
    // True when every sheet some window uses is there and decodes; else the
    // skin's failure path was taken.
    bool SkinUsable();
    // The mouse arrived or was pulled out (after set-up; earlier ones wait).
    void OnMouseArrival();
    void OnMouseRemoval();
    // Hides the main window (the icon brings it back).
    void Hide();
    // Shows the main window after a re-read when a mouse is there, else the
    // no-device screen (the icon click and the menu's "Vandir II").
    void CallUp();
    void ShowNoDeviceScreen();
    void ShowTrayMenu();
    void ShowNoMouseNotice();

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
    MouseSettings record_;
    // Pages in member order; the no-device screen is separate.
    // The window talks to every page through CKivPage only.
    std::unique_ptr<CKivPage> keyAssignment_;
    std::unique_ptr<CKivPage> osSensitivity_;
    std::unique_ptr<CKivPage> sensor_;
    std::unique_ptr<CKivPage> led_;
    std::unique_ptr<CKivPage> support_;
    CNoMouse noMouse_;
    std::unique_ptr<CKivPage> language_;
    std::unique_ptr<TrayIcon> trayIcon_;
    std::unique_ptr<CKivMenu> trayMenu_;
    UINT trayMenuId_ = 0;
    static constexpr int kTrayMenuWidth = 105;
    UniqueDeviceNotification deviceNotifications_;
    HICON icon_ = nullptr;  // the system's shared copy, for the minimised window
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    bool arrivalPending_ = false;
    bool buildTimerRunning_ = false;
    // OnInitDialog has run; a start-up reading and the last arrival or
    // removal of the mouse that come earlier wait here.
    bool initialised_ = false;
    std::optional<PendingReading> pendingReading_;
    // The record as the pages were last given it (PushAll).
    MouseSettings pushed_;
    // Applies and Resets asked for so far: a reading asked before one of
    // them is stale when it arrives.
    uint64_t actions_ = 0;
    // The record of the last Apply whose write did not reach the mouse.
    std::optional<MouseSettings> unwritten_;
    std::optional<WPARAM> pendingDeviceChange_;
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
