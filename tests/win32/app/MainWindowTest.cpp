// The main window over a simulated mouse: start-up with and without the
// mouse, Apply and Reset in their order, hot-plug, the notification-area icon
// and its menu, the tab rules, Enter and Esc, and the tool tips.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "device/ConfigImage.h"
#include "i18n/MainWindowToolTips.h"
#include "pages/LanguageTip.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/PopDlg.h"
#include "pages/SupportDlg.h"
#include "platform/win32/Win32SystemIntegration.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivMenu.h"
#include "skin/KivStatic.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/ResourceIds.h"
#include "storage/Profile.h"
#include "storage/SystemSettings.h"
#include "win32/app/FunctionChoice.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/app/NoticeCloser.h"
#include "win32/app/PageTestSupport.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/PngCapture.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SystemCommandRecorder.h"

namespace vandir::testing {
namespace {

using Events = std::vector<std::string>;

const std::u16string kOtherPath = u"\\\\?\\hid#vid_046d&pid_c077#7&2&0#{4d1e55b2}";

void ClickTab(CPYLADlg& window, int id) {
    window.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(id)));
}

// The main window's child dialogs: its pages that exist as windows.
int BuiltPages(const CPYLADlg& window) {
    int pages = 0;
    for (HWND child = ::GetWindow(window.GetSafeHwnd(), GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        ::GetClassNameW(child, name, 16);
        pages += std::wstring(name) == L"#32770" ? 1 : 0;
    }
    return pages;
}

TEST(MainWindowStart, WithAMouseShowsTheKeyPageAndTheMouseConfiguration) {
    MainWindowFixture app;
    MouseSettings configured = MouseSettings::CreateWithDefaults();
    configured.dpi[0] = {1750, 1750};
    const ConfigImage image = EncodeConfigImage(configured);
    app.mouse.SetMemory(image);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    CPYLADlg& window = *app.window;
    EXPECT_EQ(window.settings().dpi[0].x, 1750);
    EXPECT_TRUE(window.page(PageId::KeyAssignment).IsWindowVisible());
    for (const PageId id :
         {PageId::OsSensitivity, PageId::Sensor, PageId::Led, PageId::Support, PageId::Language}) {
        EXPECT_FALSE(window.page(id).IsWindowVisible());
    }
    EXPECT_TRUE(app.window->timers.empty());
    EXPECT_EQ(static_cast<CSupportDlg&>(window.page(PageId::Support)).firmwareVersion(),
              SimulatedMouse::kDefaultFirmwareVersion);
    // The window is caption-less and has its background's size.
    EXPECT_EQ(window.GetStyle() & WS_CAPTION, 0u);
    const RECT client = window.GetClientRect();
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    // Its pages sit below the tabs.
    RECT page = window.page(PageId::KeyAssignment).GetWindowRect();
    ::MapWindowPoints(nullptr, window.GetSafeHwnd(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.top, 85);
    EXPECT_EQ(page.right - page.left, 800);
    EXPECT_EQ(page.bottom - page.top, 515);
    // The read-configuration and read-information waits, in that order.
    const Events events = app.log.Events();
    EXPECT_EQ(events.front(), "full-window drag");
    EXPECT_NE(std::find(events.begin(), events.end(), "wait 80"), events.end());
    EXPECT_TRUE(app.messages.empty());
}

TEST(MainWindowStart, WithoutAMouseTheNoDeviceScreenTakesOver) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    EXPECT_EQ(app.window->timers, (std::vector<TimerRequest>{{CPYLADlg::kNoMouseTimer, 100}}));
    EXPECT_EQ(static_cast<CSupportDlg&>(app.window->page(PageId::Support)).firmwareVersion(), 0);
    app.window->ShowWindow(SW_SHOW);
    app.window->Tick(CPYLADlg::kNoMouseTimer);
    EXPECT_FALSE(app.window->IsWindowVisible());
    EXPECT_TRUE(app.window->noDeviceScreen().IsWindowVisible());
}

// The window opens with only its key-assignment page built; the icon, the
// other pages and the no-device screen come one per tick of a timer started
// in the first idle time (after painting), or at once when needed, and each
// page takes the record and the language that every page was given.
TEST(MainWindowStart, HiddenWindowsAreBuiltLaterWithTheRecordAndTheLanguage) {
    MainWindowFixture app;
    MouseSettings stored = MouseSettings::CreateWithDefaults();
    stored.profilePath =
        u"C:\\Users\\Test\\AppData\\Roaming\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile";
    stored.language = 3;
    stored.autoStart = 0;
    ASSERT_TRUE(SaveProfile(stored, app.files));
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    EXPECT_EQ(BuiltPages(window), 1);
    EXPECT_TRUE(window.page(PageId::KeyAssignment).IsWindowVisible());
    EXPECT_FALSE(window.AllWindowsBuilt());
    EXPECT_EQ(window.trayIcon(), nullptr);
    // The selectors show their functions; their lists come later.
    auto& keys = static_cast<CMouseSettingsDlg&>(window.page(PageId::KeyAssignment));
    EXPECT_FALSE(keys.ListsBuilt());
    EXPECT_EQ(keys.Item<CKivComboButton>(IDC_MS_SELECTOR_2).caption(), L"Right Click");

    // Needed before its turn: built at once, hidden, with the record.
    CKivPage& support = window.page(PageId::Support);
    EXPECT_EQ(BuiltPages(window), 2);
    EXPECT_FALSE(support.IsWindowVisible());
    EXPECT_FALSE(support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).checked());

    window.Idle();
    EXPECT_EQ(window.timers,
              (std::vector<TimerRequest>{{CPYLADlg::kBuildWindowsTimer, USER_TIMER_MINIMUM}}));
    window.Idle();
    EXPECT_EQ(window.timers.size(), 1u);  // once while it runs
    int ticks = 0;
    while (!(window.AllWindowsBuilt() && window.trayIcon() != nullptr) && ticks < 10) {
        window.Tick(CPYLADlg::kBuildWindowsTimer);
        ++ticks;
    }
    EXPECT_EQ(ticks, 7);  // the icon, the lists, four pages and the no-device screen
    window.Idle();
    EXPECT_EQ(window.timers.size(), 1u);  // nothing left to build
    EXPECT_NE(window.trayIcon(), nullptr);
    EXPECT_TRUE(keys.ListsBuilt());
    EXPECT_EQ(BuiltPages(window), 6);
    EXPECT_FALSE(window.noDeviceScreen().IsWindowVisible());
    CKivPage& sensor = window.page(PageId::Sensor);
    EXPECT_EQ(sensor.GetWindowRect().bottom - sensor.GetWindowRect().top, 515);
    EXPECT_EQ(sensor.toolTips().GetText(sensor.Item<CKivButton>(IDC_SENSOR_RESET)),
              L"Zurücksetzen");
    // A collect finds in the late pages what the profile said.
    ClickTab(window, IDC_MAIN_TAB_LED);
    EXPECT_EQ(window.settings().language, 3);
    EXPECT_EQ(window.settings().autoStart, 0);
}

TEST(MainWindowStart, AFailedRegistrationIsReportedAndTheProgramGoesOn) {
    MainWindowFixture app;
    app.registrationFails = true;
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    EXPECT_TRUE(app.messages.empty());  // reported after the icon, once the window has painted
    app.window->BuildNextPiece();
    EXPECT_NE(app.window->trayIcon(), nullptr);
    EXPECT_EQ(app.messages, std::vector<std::wstring>{L"RegisterDeviceNotification Failed!"});
    app.window->BuildNextPiece();
    EXPECT_EQ(app.messages.size(), 1u);
}

TEST(MainWindowStart, ADamagedProfileGivesTheDefaultsAndStaysUntilApplied) {
    MainWindowFixture app;
    const std::u16string path =
        u"C:\\Users\\Test\\AppData\\Roaming\\Meridane\\Vandir II\\Profiles\\DefaultPf.profile";
    app.files.files[path] = {0x12, 0x06, 0x33};  // cut short
    ASSERT_TRUE(app.Start());
    EXPECT_EQ(app.window->settings().language, 1);
    EXPECT_EQ(app.files.Contents(path), (std::vector<uint8_t>{0x12, 0x06, 0x33}));
}

TEST(MainWindowApply, CollectsSetsTheSystemSavesThenWritesTheMouse) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    // The support box, checked on the page, reaches the record through Apply.
    auto& support = static_cast<CSupportDlg&>(window.page(PageId::Support));
    support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(true);
    app.log.Clear();
    app.mouse.ResetCounters();

    window.Apply();
    window.WaitForApply();

    EXPECT_EQ(app.log.Events(), (Events{"double-click 4", "pointer speed 6", "autostart on",
                                        "profile saved", "wait 80"}));
    EXPECT_EQ(window.settings().autoStart, 1);
    const DataStream profile = WriteProfile(window.settings());
    EXPECT_EQ(app.files.Contents(app.ProfilePath()),
              std::vector<uint8_t>(profile.bytes().begin(), profile.bytes().end()));
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(window.settings()));
}

TEST(MainWindowApply, TwoAppliesRunOneAfterTheOther) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.log.Clear();
    app.window->Apply();
    app.window->Apply();
    app.window->WaitForApply();
    const Events one{"double-click 4", "pointer speed 6", "autostart off", "profile saved",
                     "wait 80"};
    Events both = one;
    both.insert(both.end(), one.begin(), one.end());
    EXPECT_EQ(app.log.Events(), both);
}

// Without the mouse, Apply still sets the system and saves the profile, keeps
// the record for the mouse beside it and tells the person.
TEST(MainWindowApply, WithoutAMouseSavesKeepsTheRecordForTheMouseAndShowsTheNotice) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.mouse.Unplug();
    app.transport.Close();
    app.log.Clear();
    NoticeCloser closer(app.window->GetSafeHwnd());
    app.window->Apply();
    app.window->WaitForApply();
    EXPECT_EQ(closer.closed(), 1);
    EXPECT_EQ(app.log.Events(), (Events{"double-click 4", "pointer speed 6", "autostart off",
                                        "profile saved", "kept for the mouse"}));
    EXPECT_TRUE(app.window->ApplyUnwritten());
    EXPECT_FALSE(app.transport.IsPresent());
}

TEST(MainWindowApply, ResetPushesTheDefaultsAndEnglishThenApplies) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    auto& support = static_cast<CSupportDlg&>(app.window->page(PageId::Support));
    support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(true);
    app.window->ApplyLanguageToAll(3);
    app.log.Clear();
    app.window->Reset();
    app.window->WaitForApply();
    EXPECT_FALSE(support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).checked());
    EXPECT_EQ(app.window->toolTips().GetText(app.window->Item<CKivButton>(IDC_MAIN_TAB_KEYS)), L"");
    // The push of the defaults: the locked OS settings keep the system's
    // pointer speed (the same) and save the double-click time; then Apply.
    EXPECT_EQ(app.log.Events(), (Events{"double-click 4", "double-click 4", "pointer speed 6",
                                        "autostart off", "profile saved", "wait 80"}));
}

// "Version Info" shows the version the mouse reported, or "-.--" without one.
TEST(MainWindowSupport, VersionInfoShowsTheMouseFirmware) {
    for (const bool plugged : {true, false}) {
        SCOPED_TRACE(plugged);
        MainWindowFixture app(plugged);
        ASSERT_TRUE(app.Start());
        CKivPage& support = app.window->page(PageId::Support);
        NoticeCloser closer(
            app.window->GetSafeHwnd());  // a page's pop-up belongs to the main window
        support.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SUPPORT_VERSION, BN_CLICKED),
                            reinterpret_cast<LPARAM>(support.GetDlgItem(IDC_SUPPORT_VERSION)));
        EXPECT_EQ(closer.closed(), 1);
        EXPECT_EQ(closer.firmwareText(), plugged ? L"V1.05" : L"-.--");
    }
}

TEST(MainWindowHotPlug, ArrivalConnectsOnceAfter900MsAndRemovalShowsTheNoDeviceScreen) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    ASSERT_TRUE(window.noDeviceScreen().IsWindowVisible());

    // Notifications of another device, or of a removal while absent: nothing.
    DeviceChange other(kOtherPath), mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, other.lParam());
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
    EXPECT_EQ(window.timers.size(), 1u);

    app.mouse.PlugIn();
    // One arrival per HID interface: one connect.
    EXPECT_EQ(window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam()), TRUE);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    EXPECT_EQ(window.timers.back(), (TimerRequest{CPYLADlg::kArrivalTimer, 900}));
    EXPECT_EQ(window.timers.size(), 2u);
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();  // the reading, done on a worker
    EXPECT_TRUE(app.transport.IsPresent());
    EXPECT_FALSE(window.noDeviceScreen().IsWindowVisible());
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_EQ(static_cast<CSupportDlg&>(window.page(PageId::Support)).firmwareVersion(),
              SimulatedMouse::kDefaultFirmwareVersion);

    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
    EXPECT_FALSE(app.transport.IsPresent());
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(window.noDeviceScreen().IsWindowVisible());
    EXPECT_EQ(static_cast<CSupportDlg&>(window.page(PageId::Support)).firmwareVersion(), 0);
}

TEST(MainWindowHotPlug, AnArrivalWhileTheScreenWasClosedLeavesTheWindowHidden) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    window.noDeviceScreen().ShowWindow(SW_HIDE);  // closed by the user
    app.mouse.PlugIn();
    DeviceChange mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();  // the reading, done on a worker
    EXPECT_TRUE(app.transport.IsPresent());
    EXPECT_FALSE(window.IsWindowVisible());
}

// A pointer that reaches a selector before the idle time made the lists
// makes them, so a click always finds one to open.
TEST(MainWindowStart, PointingAtASelectorMakesTheListsAtOnce) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    auto& keys = static_cast<CMouseSettingsDlg&>(app.window->page(PageId::KeyAssignment));
    ASSERT_FALSE(keys.ListsBuilt());
    keys.SendMessage(WM_SYSCOMMAND, 1124, IDC_MS_SELECTOR_5);
    EXPECT_TRUE(keys.ListsBuilt());
    ASSERT_NE(keys.Item<CKivComboButton>(IDC_MS_SELECTOR_1).list(), nullptr);
    EXPECT_NE(keys.Item<CKivComboButton>(IDC_MS_SELECTOR_1).list()->FindItem(2311), nullptr);
}

TEST(MainWindowTray, HidingBeforeTheIconWasAddedAddsItFirst) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    ASSERT_EQ(window.trayIcon(), nullptr);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_HIDE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(IDC_MAIN_HIDE)));
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_NE(window.trayIcon(), nullptr);
}

TEST(MainWindowTray, ClicksShowTheWindowOrTheScreenAndTheMenuIsMadeOnce) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    window.BuildNextPiece();  // the first piece is the icon
    EXPECT_NE(window.trayIcon(), nullptr);
    window.ShowWindow(SW_HIDE);
    EXPECT_EQ(window.SendMessage(2027, 0, WM_LBUTTONDOWN), 1);
    window.WaitForMouseWork();
    EXPECT_TRUE(window.IsWindowVisible());

    EXPECT_EQ(window.trayMenu(), nullptr);
    window.SendMessage(2027, 0, WM_RBUTTONDOWN);
    CKivMenu* menu = window.trayMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsWindowVisible());
    window.SendMessage(2027, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(window.trayMenu(), menu);  // reused

    // The menu's "Vandir II" calls the window up; "Exit" asks the program to
    // end; neither reaches the default processing (the ID is a tick count).
    window.ShowWindow(SW_HIDE);
    const WPARAM menuId = window.trayMenuCommandId();
    window.SendMessage(WM_SYSCOMMAND, menuId, CPYLADlg::kMenuShow);
    window.WaitForMouseWork();  // the reading, done on a worker
    EXPECT_TRUE(window.IsWindowVisible());
    MSG quit{};
    EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    window.SendMessage(WM_SYSCOMMAND, menuId, CPYLADlg::kMenuExit);
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_TRUE(::IsWindow(window.GetSafeHwnd()));
}

TEST(MainWindowTray, WithoutAMouseAClickShowsTheNoDeviceScreen) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start());
    app.window->Tick(CPYLADlg::kNoMouseTimer);
    app.window->noDeviceScreen().ShowWindow(SW_HIDE);
    app.window->SendMessage(2027, 0, WM_LBUTTONDOWN);
    app.window->WaitForMouseWork();
    EXPECT_TRUE(app.window->noDeviceScreen().IsWindowVisible());
    EXPECT_FALSE(app.window->IsWindowVisible());
}

TEST(MainWindowCommands, SecondStartMessageShowsTheWindowAndCloseOnlyHides) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    window.ShowWindow(SW_HIDE);
    EXPECT_EQ(window.SendMessage(CPYLADlg::kShowWindowMessage), 0);
    EXPECT_TRUE(window.IsWindowVisible());
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(window.GetSafeHwnd()));
    // Enter and Esc change nothing.
    window.ShowWindow(SW_SHOW);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(window.IsWindowVisible());
    // The hide button hides.
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_HIDE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(IDC_MAIN_HIDE)));
    EXPECT_FALSE(window.IsWindowVisible());
}

// A press on the background drags the caption-less window.
TEST(MainWindowCommands, APressOnTheBackgroundDragsTheWindow) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    SystemCommandRecorder recorder;
    ASSERT_TRUE(recorder.hooked());
    SystemCommandRecorder::PressAndRelease(app.window->GetSafeHwnd(), {300, 10});
    ASSERT_FALSE(recorder.received().empty());
    EXPECT_EQ(recorder.received().front(), static_cast<WPARAM>(SC_MOVE | HTCAPTION));
}

TEST(MainWindowCommands, TopmostRequestsOfTheLists) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    const auto topmost = [&] {
        return (::GetWindowLongW(app.window->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    // As in the running program, whose first idle time has added the icon
    // before any list can open (under Wine, a window asks in vain to be
    // topmost before its process has an icon).
    app.window->BuildNextPiece();
    app.window->SendMessage(WM_SYSCOMMAND, 2234, 1);
    EXPECT_TRUE(topmost());
    app.window->SendMessage(WM_SYSCOMMAND, 2234, 7);
    EXPECT_TRUE(topmost());
    app.window->SendMessage(WM_SYSCOMMAND, 2234, 0);
    EXPECT_FALSE(topmost());
}

TEST(MainWindowTabs, ASwitchCollectsThePagesAndMarksTheTab) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    auto& support = static_cast<CSupportDlg&>(window.page(PageId::Support));
    support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(true);

    ClickTab(window, IDC_MAIN_TAB_SUPPORT);
    EXPECT_TRUE(support.IsWindowVisible());
    EXPECT_FALSE(window.page(PageId::KeyAssignment).IsWindowVisible());
    EXPECT_EQ(window.settings().autoStart, 1);  // collected
    EXPECT_TRUE(window.Item<CKivButton>(IDC_MAIN_TAB_SUPPORT).selected());
    EXPECT_FALSE(window.Item<CKivButton>(IDC_MAIN_TAB_KEYS).selected());

    // The tab of the page already shown collects nothing.
    support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(false);
    ClickTab(window, IDC_MAIN_TAB_SUPPORT);
    EXPECT_EQ(window.settings().autoStart, 1);

    ClickTab(window, IDC_MAIN_TAB_KEYS);
    EXPECT_EQ(window.settings().autoStart, 0);
    EXPECT_TRUE(window.Item<CKivButton>(IDC_MAIN_TAB_KEYS).selected());
    // The faces' own tabs switch between the two mouse-settings pages.
    CKivPage& keys = window.page(PageId::KeyAssignment);
    keys.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MS_TAB_OS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(keys.GetDlgItem(IDC_MS_TAB_OS)));
    CKivPage& os = window.page(PageId::OsSensitivity);
    EXPECT_TRUE(os.IsWindowVisible());
    EXPECT_TRUE(os.Item<CKivButton>(IDC_MS_TAB_OS).selected());
    EXPECT_FALSE(os.Item<CKivButton>(IDC_MS_TAB_KEYS).selected());
    EXPECT_TRUE(window.Item<CKivButton>(IDC_MAIN_TAB_KEYS).selected());
    // Switching neither saves nor writes.
    for (const std::string& event : app.log.Events()) {
        EXPECT_NE(event, "profile saved");
    }
}

// Each tab shows its page and marks itself with its Down look; with
// VANDIR_APP_SCREENSHOTS naming a folder, each tab's window is saved there.
TEST(MainWindowTabs, EachTabShowsItsPageMarked) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    ShowOnTop(window, Activation::Take);
    const auto folder = ScreenshotPath(L"VANDIR_APP_SCREENSHOTS");
    const struct {
        int tab;
        PageId page;
        const wchar_t* name;
    } tabs[] = {{IDC_MAIN_TAB_LED, PageId::Led, L"led"},
                {IDC_MAIN_TAB_SENSOR, PageId::Sensor, L"sensor"},
                {IDC_MAIN_TAB_SUPPORT, PageId::Support, L"support"},
                {IDC_MAIN_LANGUAGE, PageId::Language, L"language"},
                {IDC_MAIN_TAB_KEYS, PageId::KeyAssignment, L"keys"}};
    for (const auto& t : tabs) {
        SCOPED_TRACE(t.tab);
        ClickTab(window, t.tab);
        EXPECT_TRUE(window.page(t.page).IsWindowVisible());
        const layout::Control& row = *layout::FindControl(layout::kMainWindow, t.tab);
        const RECT onScreen = ScreenRectOf(window.GetDlgItem(t.tab));
        EXPECT_TRUE(PumpUntil([&] {
            return ScreenShowsSheet(onScreen, app.skins.Sheet(layout::Sheet::MainDown), row.rect.x,
                                    row.rect.y);
        }));
        if (folder) {
            SavePng(CaptureScreen(window.GetWindowRect()).Get(),
                    *folder + L"\\main-" + t.name + L".png");
        }
    }
}

// Enter on the LED page collects that page into the record, and nothing else
// happens: no other page is collected, nothing is saved or sent.
TEST(MainWindowPages, EnterOnTheLedPageCollectsOnlyThatPage) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    MouseSettings shown = window.settings();
    shown.levelLeds[0].colour = 0x00123456;
    window.page(PageId::Led).PushSettings(shown);
    auto& support = static_cast<CSupportDlg&>(window.page(PageId::Support));
    support.Item<CKivCheckBox>(IDC_SUPPORT_AUTOSTART).SetChecked(true);
    app.log.Clear();
    CKivPage& led = window.page(PageId::Led);
    MSG enter{led.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    CDialogEx::PreTranslateChain(enter, window.GetSafeHwnd());
    EXPECT_EQ(window.settings().levelLeds[0].colour, 0x00123456u);
    EXPECT_EQ(window.settings().autoStart, 0) << "the support page was not collected";
    EXPECT_TRUE(app.log.Events().empty());
}

TEST(MainWindowLanguage, TipsOfEveryWindowFollowTheLanguage) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    const CWnd& keysTab = window.Item<CKivButton>(IDC_MAIN_TAB_KEYS);
    EXPECT_EQ(window.toolTips().GetText(keysTab), L"");  // English: no tip
    // A language button: every window at once, the record at the next collect.
    CKivPage& language = window.page(PageId::Language);
    language.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANGUAGE_3, BN_CLICKED),
                         reinterpret_cast<LPARAM>(language.GetDlgItem(IDC_LANGUAGE_3)));
    EXPECT_EQ(window.toolTips().GetText(keysTab), L"Hauptregler");
    const CWnd& sensorReset = window.page(PageId::Sensor).Item<CKivButton>(IDC_SENSOR_RESET);
    EXPECT_EQ(window.page(PageId::Sensor).toolTips().GetText(sensorReset), L"Zurücksetzen");
    EXPECT_EQ(window.settings().language, 1);
    ClickTab(window, IDC_MAIN_TAB_LED);
    EXPECT_EQ(window.settings().language, 3);
}

// --- Exit, arrivals and the notification area --------------------------

// Counts the windows this thread creates while it lives.
class CreatedWindows {
public:
    CreatedWindows() {
        count_ = 0;
        hook_ = ::SetWindowsHookExW(WH_CBT, &CreatedWindows::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CreatedWindows() { ::UnhookWindowsHookEx(hook_); }
    bool hooked() const { return hook_ != nullptr; }
    static int count() { return count_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            ++count_;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int count_ = 0;
    HHOOK hook_ = nullptr;
};

// "Exit" while an Apply runs: the window goes, the Apply finishes with what
// the pages held when it was asked for (saved with or without the mouse, and
// kept for a mouse that is not there), and nothing is built or shown under
// the dying window (no page, no no-mouse notice).
TEST(MainWindowExit, AnApplyRunningAtExitBuildsAndShowsNothingUnderTheDyingWindow) {
    for (const bool plugged : {true, false}) {
        SCOPED_TRACE(plugged ? "with the mouse" : "without the mouse");
        MainWindowFixture app;
        ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));  // one page built
        if (!plugged) {
            app.mouse.Unplug();
            app.transport.Close();
        }
        app.log.Clear();
        NoticeCloser closer(app.window->GetSafeHwnd());
        CreatedWindows created;
        ASSERT_TRUE(created.hooked());
        app.window->Apply();
        app.window->DestroyWindow();
        EXPECT_EQ(CreatedWindows::count(), 0);
        EXPECT_EQ(closer.closed(), 0);
        const Events events = app.log.Events();
        auto logged = [&](const char* event) {
            return std::find(events.begin(), events.end(), event) != events.end();
        };
        EXPECT_TRUE(logged("profile saved"));
        EXPECT_EQ(logged("kept for the mouse"), !plugged);
        if (plugged) {
            EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(app.window->settings()));
        }
    }
}

// The mouse pulled out again within the 900 ms: the no-device screen stays.
TEST(MainWindowHotPlug, AnArrivalWhoseMouseIsGoneAgainLeavesTheNoDeviceScreen) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    ASSERT_TRUE(window.noDeviceScreen().IsWindowVisible());
    app.mouse.PlugIn();
    DeviceChange mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    app.mouse.Unplug();
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();  // the reading, done on a worker
    EXPECT_FALSE(app.transport.IsPresent());
    EXPECT_TRUE(window.noDeviceScreen().IsWindowVisible());
    EXPECT_FALSE(window.IsWindowVisible());
}

// A delay timer the system refused leaves the next arrival free to try.
TEST(MainWindowHotPlug, ARefusedArrivalTimerDoesNotSwallowLaterArrivals) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    app.mouse.PlugIn();
    window.refusedTimers = {CPYLADlg::kArrivalTimer};
    DeviceChange mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    window.refusedTimers.clear();
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    EXPECT_EQ(std::count(window.timers.begin(), window.timers.end(),
                         TimerRequest{CPYLADlg::kArrivalTimer, 900}),
              2);
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();  // the reading, done on a worker
    EXPECT_TRUE(app.transport.IsPresent());
    EXPECT_TRUE(window.IsWindowVisible());
}

// The icon is the hidden program's only way back: an add the notification
// area refused (the shell not running yet) is tried again until it is taken.
TEST(MainWindowTray, ARefusedIconIsAddedAgainUntilTheSystemTakesIt) {
    MainWindowFixture app;
    app.shellReady = false;
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.BuildNextPiece();  // the icon
    ASSERT_NE(window.trayIcon(), nullptr);
    EXPECT_FALSE(window.trayIcon()->added());
    EXPECT_EQ(window.timers.back(),
              (TimerRequest{CPYLADlg::kTrayRetryTimer, CPYLADlg::kTrayRetryDelayMs}));
    window.Tick(CPYLADlg::kTrayRetryTimer);
    EXPECT_FALSE(window.trayIcon()->added());
    app.shellReady = true;
    window.Tick(CPYLADlg::kTrayRetryTimer);
    EXPECT_TRUE(window.trayIcon()->added());
    const auto adds = [&] {
        return std::count(app.iconCalls.begin(), app.iconCalls.end(), DWORD{NIM_ADD});
    };
    EXPECT_EQ(adds(), 3);
    window.Tick(CPYLADlg::kTrayRetryTimer);  // taken: nothing more is asked
    EXPECT_EQ(adds(), 3);
}

// A restarted shell has an empty notification area: the icon goes in again.
TEST(MainWindowTray, TheIconIsAddedAgainWhenTheShellRestarts) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    ASSERT_NE(window.trayIcon(), nullptr);
    ASSERT_TRUE(window.trayIcon()->added());
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    app.iconCalls.clear();
    window.SendMessage(taskbarCreated);
    ASSERT_FALSE(app.iconCalls.empty());
    EXPECT_EQ(app.iconCalls.front(), DWORD{NIM_ADD});
    EXPECT_TRUE(window.trayIcon()->added());
    // The new shell not ready at that moment: tried again on the timer.
    app.shellReady = false;
    window.timers.clear();
    window.SendMessage(taskbarCreated);
    EXPECT_FALSE(window.trayIcon()->added());
    EXPECT_EQ(
        window.timers,
        (std::vector<TimerRequest>{{CPYLADlg::kTrayRetryTimer, CPYLADlg::kTrayRetryDelayMs}}));
    app.shellReady = true;
    window.Tick(CPYLADlg::kTrayRetryTimer);
    EXPECT_TRUE(window.trayIcon()->added());
}

// A setting of the system as the user profile stores it (a number in text).
std::wstring StoredMouseSetting(const wchar_t* name) {
    wchar_t text[64] = {};
    DWORD size = sizeof(text);
    ::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", name, RRF_RT_REG_SZ, nullptr, text,
                   &size);
    return text;
}

// Steps no slider has (a damaged or foreign profile) never reach the system,
// neither under Lock at start nor at Apply: the pointer speed and what the
// user profile stores stay as they were (the double-click time only takes
// the page's own set-up step for the session); the record and the profile
// keep the steps as they are.
TEST(MainWindowSystemSettings, StepsOutsideTheSlidersNeverReachTheSystem) {
    Win32SystemIntegration real;
    const UINT timeBefore = ::GetDoubleClickTime();
    int speedBefore = 0;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speedBefore, 0));
    const auto expectSystemKept = [&](const char* when) {
        int speed = 0;
        ::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0);
        EXPECT_EQ(speed, 9) << when;
        const UINT time = ::GetDoubleClickTime();
        EXPECT_TRUE(time >= 200 && time <= 900 && (970 - time) % 70 == 0) << when << ": " << time;
        EXPECT_EQ(StoredMouseSetting(L"MouseSensitivity"), L"9") << when;
        EXPECT_EQ(StoredMouseSetting(L"DoubleClickSpeed"), L"480") << when;
    };
    for (const uint8_t step : {0, 12, 14, 200}) {
        SCOPED_TRACE(static_cast<int>(step));
        real.SetDoubleClickTime(7, SettingScope::Saved);  // 480 ms
        real.SetPointerSpeed(5, SettingScope::Saved);     // 9
        MainWindowFixture app;
        app.system.real = &real;
        MouseSettings stored = MouseSettings::CreateWithDefaults();
        stored.profilePath = ProfilePathUnder(app.system.ApplicationDataFolder());
        stored.doubleClickSpeed = step;
        stored.pointerSpeed = step;
        stored.osSettingsUnlocked = 0;  // Lock: the profile's settings go to the system
        ASSERT_TRUE(SaveProfile(stored, app.files));
        ASSERT_TRUE(app.Start());
        expectSystemKept("at start");
        app.window->Apply();
        app.window->WaitForApply();
        expectSystemKept("at Apply");
        EXPECT_EQ(app.window->settings().doubleClickSpeed, step);
        EXPECT_EQ(app.window->settings().pointerSpeed, step);
        MouseSettings saved = MouseSettings::CreateWithDefaults();
        saved.profilePath = stored.profilePath;
        ASSERT_EQ(LoadProfile(saved, app.files), ProfileLoadResult::Loaded);
        EXPECT_EQ(saved.doubleClickSpeed, step);
        EXPECT_EQ(saved.pointerSpeed, step);
    }
    constexpr UINT kStore = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, timeBefore, nullptr, kStore);
    ::SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speedBefore),
                            reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speedBefore)), kStore);
}

// --- Nothing a person does is lost ----------------------------------------

// The mouse's memory with level 1 at 1750 DPI and button 5 on Wheel Click:
// what a reading brings that the profile does not have.
ConfigImage MouseMemoryOfAnotherComputer() {
    MouseSettings other = MouseSettings::CreateWithDefaults();
    other.dpi[0] = {1750, 1750};
    other.buttons[4] = {4, 0, 4, 0, 0, 8};
    return EncodeConfigImage(other);
}

// A reading that arrives after the person edited keeps the edit and brings
// what the person did not touch.
TEST(MainWindowReadings, AnEditMadeBeforeTheStartupReadingSurvivesIt) {
    MainWindowFixture app;
    app.mouse.SetMemory(MouseMemoryOfAnotherComputer());
    app.gate.Close(kReadConfiguration);
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::Unread));
    TestMainWindow& window = *app.window;
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    ChooseFunction(window, 3, 2205);  // Volume Up for button 4, while the mouse is read
    app.gate.Open();
    window.WaitForMouseWork();
    EXPECT_EQ(ButtonSelector(window, 3).selectedValue(), 2205) << "the edit was undone";
    EXPECT_EQ(ButtonSelector(window, 4).selectedValue(), 1103) << "the mouse's button 5";
    EXPECT_EQ(window.settings().dpi[0], (DpiPair{1750, 1750})) << "the mouse's level 1";
}

// Reset and Apply before the reading arrives: the reading is stale, and the
// mouse gets what the person asked for, not its old memory back.
TEST(MainWindowReadings, AResetOrApplyBeforeTheStartupReadingIsNotUndone) {
    for (const bool reset : {true, false}) {
        SCOPED_TRACE(reset ? "Reset" : "Apply");
        MainWindowFixture app;
        app.mouse.SetMemory(MouseMemoryOfAnotherComputer());
        app.gate.Close(kReadConfiguration);
        ASSERT_TRUE(app.Start(MainWindowFixture::Started::Unread));
        TestMainWindow& window = *app.window;
        ASSERT_TRUE(app.gate.WaitUntilHeld());
        ChooseFunction(window, 3, 2205);
        reset ? window.Reset() : window.Apply();
        app.gate.Open();
        window.WaitForMouseWork();
        MouseSettings expected = MouseSettings::CreateWithDefaults();
        if (!reset) {
            expected.buttons[3] = window.settings().buttons[3];
            EXPECT_EQ(ButtonSelector(window, 3).selectedValue(), 2205);
        }
        EXPECT_EQ(window.settings().dpi[0], expected.dpi[0]) << "the old memory came back";
        EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(window.settings()));
        EXPECT_EQ(UnpackConfigImage(app.mouse.Memory()).levels[0].x, 500);
    }
}

// The 900 ms after an arrival are no different.
TEST(MainWindowReadings, AnEditMadeBeforeTheArrivalsReadingSurvivesIt) {
    MainWindowFixture app(false);
    app.mouse.SetMemory(MouseMemoryOfAnotherComputer());
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    app.mouse.PlugIn();
    DeviceChange mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    ChooseFunction(window, 3, 2205);
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();
    EXPECT_EQ(ButtonSelector(window, 3).selectedValue(), 2205);
    EXPECT_EQ(window.settings().dpi[0], (DpiPair{1750, 1750}));
}

// While an Apply waits on the mouse (held in its write), the window answers:
// the icon's click, the version pop-up, an arrival and a removal take no
// time; what needs the mouse runs once the Apply is done.
TEST(MainWindowMouseWork, TheWindowAnswersWhileAnApplyWaitsOnTheMouse) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    app.gate.Close(kWriteConfiguration);
    window.Apply();
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    // Should the window wait after all, the Apply goes on after 3 s and the
    // test fails instead of hanging.
    std::atomic<bool> releasedByWatchdog{false};
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 300 && !done; ++i) {
            ::Sleep(10);
        }
        if (!done) {
            releasedByWatchdog = true;
            app.gate.Open();
        }
    });
    const auto took = [](const std::function<void()>& action) {
        const ULONGLONG start = ::GetTickCount64();
        action();
        return ::GetTickCount64() - start;
    };
    NoticeCloser closer(window.GetSafeHwnd());
    CKivPage& support = window.page(PageId::Support);
    EXPECT_LT(took([&] { window.SendMessage(2027, 0, WM_LBUTTONDOWN); }), 1000u) << "icon";
    EXPECT_LT(took([&] {
                  support.SendMessage(
                      WM_COMMAND, MAKEWPARAM(IDC_SUPPORT_VERSION, BN_CLICKED),
                      reinterpret_cast<LPARAM>(support.GetDlgItem(IDC_SUPPORT_VERSION)));
              }),
              1000u)
        << "version pop-up";
    EXPECT_EQ(closer.firmwareText(), L"V1.05");
    DeviceChange mouse(kMousePath);
    EXPECT_LT(took([&] {
                  window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
              }),
              1000u)
        << "removal";
    EXPECT_FALSE(app.transport.IsPresent());
    EXPECT_LT(took([&] {
                  window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
                  window.Tick(CPYLADlg::kArrivalTimer);
              }),
              1000u)
        << "arrival";
    done = true;
    watchdog.join();
    EXPECT_FALSE(releasedByWatchdog) << "the window waited for the mouse";
    app.gate.Open();
    window.WaitForMouseWork();
    // In order: the Apply's write, the re-read, the close, the arrival's connect.
    EXPECT_TRUE(app.transport.IsPresent());
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(window.settings()));
}

// Pulled out at the moment of Apply: the person is told, the profile holds
// the settings, and when the mouse comes back they are written to it instead
// of its old memory being read over them.
TEST(MainWindowMouseWork, AnApplyThatMissedTheMouseIsToldAndCompletedWhenItComesBack) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    const ConfigImage before = app.mouse.Memory();
    ChooseFunction(window, 3, 2205);
    app.gate.Close(kWriteConfiguration);
    window.Apply();
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    app.mouse.Unplug();
    app.gate.Open();
    // The removal's notification has not come yet: the mouse did not take the
    // settings, in the program's words.
    window.WaitForApply();
    ASSERT_EQ(app.messages.size(), 1u) << "the person was not told";
    EXPECT_NE(app.messages[0].find(L"could not be sent"), std::wstring::npos) << app.messages[0];
    EXPECT_TRUE(window.ApplyUnwritten());
    EXPECT_EQ(app.mouse.Memory(), before);
    EXPECT_EQ(SavedProfile(app).buttons[3].kind, 32) << "the profile has the new settings";

    DeviceChange mouse(kMousePath);
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
    window.WaitForMouseWork();
    app.mouse.PlugIn();
    window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    window.Tick(CPYLADlg::kArrivalTimer);
    window.WaitForMouseWork();
    EXPECT_FALSE(window.ApplyUnwritten());
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(window.settings()));
    EXPECT_EQ(ButtonSelector(window, 3).selectedValue(), 2205) << "the old memory came back";
    EXPECT_TRUE(window.IsWindowVisible());
}

// A profile that cannot be saved is told, with its path and the system's
// reason; the mouse is still written and the old file stays.
TEST(MainWindowMouseWork, AProfileThatCannotBeSavedIsToldWithItsPathAndReason) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    ChooseFunction(window, 3, 2205);
    app.files.saveFailure = u"Access is denied.";
    window.Apply();
    window.WaitForApply();
    ASSERT_EQ(app.messages.size(), 1u);
    const std::wstring& told = app.messages[0];
    const std::u16string path = app.ProfilePath();
    EXPECT_NE(told.find(std::wstring(path.begin(), path.end())), std::wstring::npos) << "no path";
    EXPECT_NE(told.find(L"Access is denied."), std::wstring::npos) << "no reason";
    EXPECT_NE(told.find(L"could not be saved"), std::wstring::npos);
    EXPECT_TRUE(app.files.files.find(path) == app.files.files.end()) << "no file was made";
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(window.settings()));
}

}  // namespace
}  // namespace vandir::testing
