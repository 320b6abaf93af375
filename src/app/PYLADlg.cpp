#include "app/PYLADlg.h"

#include <dbt.h>

#include <utility>

#include "app/Notices.h"
#include "device/DeviceCommands.h"
#include "i18n/MainWindowToolTips.h"
#include "platform/win32/DeviceNotifications.h"
#include "platform/win32/framework/CaptionDrag.h"
#include "skin/KivButton.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/WindowTitle.h"
#include "storage/SystemSettings.h"

namespace vandir {

namespace {

// A system command's own bits; the system uses the low four.
constexpr WPARAM kSystemCommandBits = 0xFFF0;
constexpr std::array kTabs{IDC_MAIN_TAB_KEYS, IDC_MAIN_TAB_SENSOR, IDC_MAIN_TAB_LED,
                           IDC_MAIN_TAB_SUPPORT, IDC_MAIN_LANGUAGE};

}  // namespace

const MessageMapEntry CPYLADlg::messageEntries[] = {
    On<WM_PAINT, &CPYLADlg::OnPaint>(),
    On<WM_QUERYDRAGICON, &CPYLADlg::OnQueryDragIcon>(),
    On<WM_LBUTTONDOWN, &CPYLADlg::OnLeftButtonDown>(),
    On<TrayIcon::kCallbackMessage, &CPYLADlg::OnTrayNotification>(),
    On<kShowWindowMessage, &CPYLADlg::OnShowWindowRequest>(),
    On<WM_DEVICECHANGE, &CPYLADlg::OnDeviceChange>(),
    OnRegistered<TrayIcon::kTaskbarCreated, &CPYLADlg::OnTaskbarCreated>(),
    On<WM_TIMER, &CPYLADlg::OnTimer>(),
    On<CDialogEx::kKickIdleMessage, &CPYLADlg::OnKickIdle>(),
    On<WM_DESTROY, &CPYLADlg::OnDestroy>(),
};
const ClassMessageMap<CPYLADlg> CPYLADlg::messageMap{messageEntries};

CPYLADlg::CPYLADlg(AppServices& services)
    : WithMessageMap(layout::kMainWindow, services.skin, nullptr, MainWindowToolTips()),
      services_(services),
      owner_({services.transport, services.files, services.system, *this},
             ProfilePathUnder(services.system.ApplicationDataFolder())),
      pages_(
          services.skin, *this, services.system, this,
          // The version pop-up never waits for the mouse while an Apply holds it.
          [&transport = services.transport] { return transport.TryEnsureOpen() == 1; },
          [this](CKivPage& page) { TakeBuiltPage(page); }),
      noMouse_(services.skin),
      trayMenu_(services.skin.hooks) {
    owner_.SetView(*this);
    // The tips of the windows of the first paint come after it.
    DeferToolTips();
    pages_.object(PageId::KeyAssignment).DeferToolTips();
}

CPYLADlg::~CPYLADlg() {
    mouseWork_.Join();
}

BOOL CPYLADlg::OnInitDialog() {
    icon_ = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_WINDOW));
    services_.system.EnableFullWindowDrag();
    // Caption-less before the surface is laid out, so the client area is the
    // background's size.
    ModifyStyle(WS_CAPTION, 0);
    ::SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // Registered before the mouse is looked for, so that no arrival can fall
    // between the two; a failure is reported once the icon is added.
    deviceNotifications_ = services_.registerForDeviceNotifications(GetSafeHwnd());
    // The mouse's answers take their waits (80 and 50 ms) on a worker while
    // the window is built and painted.
    owner_.Start();
    CKivWindow::OnInitDialog();  // surface: background, buttons, hidden controls
    SetWindowIcons();            // at the scale the surface took
    // Only the page the window opens with is built now; the others and the
    // no-device screen follow after the first paint (BuildNextWindow), or
    // at once when something needs them earlier.
    pages_.built(PageId::KeyAssignment).ShowWindow(SW_SHOW);
    ApplyLanguageToAll(owner_.record().language);
    if (!SkinUsable()) {
        // One message, and the program ends before its window ever shows.
        EndDialog(IDCANCEL);
        return TRUE;
    }
    initialised_ = true;
    // A reading or a device change that came during the set-up (a message
    // box there runs a loop) is taken now.
    owner_.ViewReady();
    // The icon, the hidden pages and the no-device screen come once the
    // window has painted and the program has been idle (OnKickIdle).
    return TRUE;
}

bool CPYLADlg::Queue(MouseJob, std::function<void()> work) {
    return mouseWork_.Start(std::move(work));
}

void CPYLADlg::PostBack(std::function<void()> function) {
    services_.ui.Post([alive = std::weak_ptr<int>(lifetime_), function = std::move(function)] {
        if (alive.lock()) {
            function();
        }
    });
}

void CPYLADlg::WaitForMouseWork() {
    mouseWork_.Join();
    services_.ui.RunPending();
}

bool CPYLADlg::SkinUsable() {
    SkinStore& skins = services_.skin.skins;
    // Every sheet is read before the window first shows, used or not; one
    // that some window will need and that is missing or does not decode
    // ends the program now, not half-way through its use.
    if (!skins.MissingSheets().empty()) {
        skins.Fail();
    }
    return !skins.Failed();
}

void CPYLADlg::AddTrayIcon() {
    if (trayIcon_ != nullptr) {
        return;
    }
    trayIcon_ = std::make_unique<TrayIcon>(GetSafeHwnd(), IDI_TRAY, kMainWindowTitle, Dpi(),
                                           services_.notifyIcon);
    if (!trayIcon_->added()) {
        StartTimer(kTrayRetryTimer, kTrayRetryDelayMs);
    }
    if (!deviceNotifications_) {
        services_.showMessage(L"RegisterDeviceNotification Failed!", kMainWindowTitle,
                              MB_OK | MB_ICONEXCLAMATION);
    }
}

void CPYLADlg::OnTaskbarCreated() {
    if (trayIcon_ != nullptr && !trayIcon_->AddAfterShellRestart()) {
        StartTimer(kTrayRetryTimer, kTrayRetryDelayMs);
    }
}

void CPYLADlg::Hide() {
    // Never hidden without the icon that brings it back.
    AddTrayIcon();
    pages_.CloseLists();
    ShowWindow(SW_HIDE);
}

void CPYLADlg::PlacePage(CKivPage& page) {
    const layout::Rect area = Scaled(layout::kPageArea);
    page.MoveWindow(area.x, area.y, area.width, area.height);
}

void CPYLADlg::SetWindowIcons() {
    bigIcon_ = LoadIconForDpi(IDI_WINDOW, SM_CXICON, Dpi());
    smallIcon_ = LoadIconForDpi(IDI_WINDOW, SM_CXSMICON, Dpi());
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_ ? bigIcon_.Get() : icon_));
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_.Get() : icon_));
}

void CPYLADlg::OnDisplayScaleChanging() {
    pages_.CloseLists();
    trayMenu_.Hide();
}

void CPYLADlg::OnDisplayScaleChanged() {
    pages_.ForEachBuilt([this](CKivPage& page) { PlacePage(page); });
    // The no-device screen is a window of its own: it follows the main one.
    if (noMouse_.GetSafeHwnd() != nullptr) {
        noMouse_.Rescale();
        if (noMouse_.IsWindowVisible()) {
            noMouse_.ShowCentred();
        }
    }
    trayMenu_.SetDpi(Dpi());
    if (trayIcon_ != nullptr) {
        trayIcon_->SetDpi(Dpi());
    }
    SetWindowIcons();
}

void CPYLADlg::TakeBuiltPage(CKivPage& page) {
    PlacePage(page);
    // Every record change is pushed to the built pages, so the owner's record
    // is the one the other pages were last given.
    page.PushSettings(owner_.record());
    page.ApplyLanguage(appliedLanguage_);
    owner_.PageBuilt([&page](MouseSettings& target) { page.CollectSettings(target); });
}

bool CPYLADlg::BuildNextWindow() {
    if (pages_.BuildNext()) {
        return true;
    }
    if (noMouse_.GetSafeHwnd() == nullptr) {
        noDeviceScreen();
        return true;
    }
    return false;
}

bool CPYLADlg::AllWindowsBuilt() const {
    return pages_.AllBuilt() && noMouse_.GetSafeHwnd() != nullptr;
}

CKivPage& CPYLADlg::page(PageId id) {
    return pages_.built(id);
}

CNoMouse& CPYLADlg::noDeviceScreen() {
    if (noMouse_.GetSafeHwnd() == nullptr) {
        noMouse_.Create(nullptr);
        noMouse_.ShowWindow(SW_HIDE);
    }
    return noMouse_;
}

void CPYLADlg::PushToPages(const MouseSettings& record) {
    pages_.PushToBuilt(record);
}

void CPYLADlg::CollectPages(MouseSettings& target) {
    pages_.CollectBuilt(target);
}

void CPYLADlg::CollectPage(PageId id) {
    CKivPage& collected = page(id);
    owner_.CollectWith([&collected](MouseSettings& target) { collected.CollectSettings(target); });
}

void CPYLADlg::RelabelWindows(int language) {
    ApplyLanguageToAll(language);
}

void CPYLADlg::ShowFirmwareVersion(uint16_t version) {
    pages_.SetFirmwareVersion(version);
}

bool CPYLADlg::MainWindowShown() {
    return IsWindowVisible();
}

void CPYLADlg::ShowMainWindow() {
    ShowWindow(SW_SHOW);
}

void CPYLADlg::HideMainWindow() {
    Hide();
}

bool CPYLADlg::NoDeviceScreenShown() {
    return noMouse_.GetSafeHwnd() != nullptr && noMouse_.IsWindowVisible();
}

void CPYLADlg::HideNoDeviceScreen() {
    if (noMouse_.GetSafeHwnd() != nullptr) {
        noMouse_.ShowWindow(SW_HIDE);
    }
}

void CPYLADlg::EndModalDialogs() {
    // A dialog of a choice or a notice ends without a choice, its hooks
    // removed, before the window it belongs to hides.
    CDialogEx::EndModalDialogsOf(GetSafeHwnd());
}

bool CPYLADlg::StartNoMouseDelay() {
    return StartTimer(kNoMouseTimer, kNoMouseDelayMs);
}

bool CPYLADlg::StartArrivalDelay() {
    return StartTimer(kArrivalTimer, kArrivalDelayMs);
}

void CPYLADlg::Tell(const Notice& notice) {
    TellPerson(notice, this, services_.skin, services_.showMessage);
}

void CPYLADlg::ApplyLanguageToAll(int language) {
    CKivWindow::ApplyLanguage(language);
    if (IsLanguageIndex(language)) {
        appliedLanguage_ = language;
    }
    // A page not built yet takes the language when it is built.
    pages_.ApplyLanguageToBuilt(language);
}

void CPYLADlg::ShowPage(PageId target) {
    CKivPage& shown = page(target);
    if (shown.IsWindowVisible()) {
        return;
    }
    for (const int tab : kTabs) {
        Item<CKivButton>(tab).SetSelected(false);
    }
    const int tab = target == PageId::Sensor     ? IDC_MAIN_TAB_SENSOR
                    : target == PageId::Led      ? IDC_MAIN_TAB_LED
                    : target == PageId::Support  ? IDC_MAIN_TAB_SUPPORT
                    : target == PageId::Language ? IDC_MAIN_LANGUAGE
                                                 : IDC_MAIN_TAB_KEYS;
    Item<CKivButton>(tab).SetSelected(true);
    // Hiding builds every page, so all of them are collected.
    for (const PageId id : PageSet::kMemberOrder) {
        page(id).ShowWindow(SW_HIDE);
    }
    owner_.Collect();
    shown.ShowWindow(SW_SHOW);
    shown.OnShownByTab();
}

void CPYLADlg::OnControlEvent(const ControlEvent& event) {
    using Kind = ControlEvent::Kind;
    if (event.kind == Kind::ListClosing) {
        // The topmost request of a list while it hides; other values: nothing.
        if (event.value == 0 || event.value == 1) {
            SetTopmost(event.value == 1);
        }
        return;
    }
    if (event.kind == Kind::MenuChose) {
        if (event.value == TrayMenu::kShow) {
            owner_.CallUp();
        } else if (event.value == TrayMenu::kExit) {
            closing_ = true;
            owner_.Exit();
            ::PostQuitMessage(0);
        }
        return;
    }
    if (event.kind != Kind::Clicked) {
        return;
    }
    switch (event.id) {
        case IDC_MAIN_TAB_KEYS:
            ShowPage(PageId::KeyAssignment);
            break;
        case IDC_MAIN_TAB_SENSOR:
            ShowPage(PageId::Sensor);
            break;
        case IDC_MAIN_TAB_LED:
            ShowPage(PageId::Led);
            break;
        case IDC_MAIN_TAB_SUPPORT:
            ShowPage(PageId::Support);
            break;
        case IDC_MAIN_LANGUAGE:
            ShowPage(PageId::Language);
            break;
        case IDC_MAIN_MINIMISE:
            PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case IDC_MAIN_HIDE:
            Hide();
            break;
        default:
            break;
    }
}

void CPYLADlg::Apply() {
    owner_.Apply();
}

void CPYLADlg::Reset() {
    owner_.Reset();
}

void CPYLADlg::SetTopmost(bool topmost) {
    ::SetWindowPos(GetSafeHwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE);
}

bool CPYLADlg::StartTimer(UINT_PTR id, UINT milliseconds) {
    return SetTimer(id, milliseconds) != 0;
}

void CPYLADlg::ShowNoDeviceScreen() {
    noDeviceScreen().ShowCentred();
}

void CPYLADlg::OnPaint() {
    if (!::IsIconic(GetSafeHwnd())) {
        Default();
        return;
    }
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(GetSafeHwnd(), &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const RECT client = GetClientRect();
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon_);
    ::EndPaint(GetSafeHwnd(), &paint);
}

Reply CPYLADlg::OnQueryDragIcon() {
    return Handled(reinterpret_cast<LRESULT>(icon_));
}

void CPYLADlg::OnLeftButtonDown(POINT, UINT) {
    pages_.CloseLists();
    StartCaptionDrag(*this);
    Default();
}

std::vector<unsigned> CPYLADlg::MenuCommandIds() const {
    // The menu's command ID is a tick count: its choices are decoded before
    // anything else, so that its low bits never read as a system command.
    if (trayMenu_.menu() == nullptr) {
        return {};
    }
    return {trayMenu_.commandId()};
}

void CPYLADlg::OnSystemCommand(WPARAM command) {
    if ((command & kSystemCommandBits) == SC_CLOSE) {
        Hide();
    }
}

Reply CPYLADlg::OnTrayNotification(WPARAM, LPARAM mouseMessage) {
    // There is no icon before the window is complete.
    if (initialised_ && mouseMessage == WM_LBUTTONDOWN) {
        owner_.CallUp();
    } else if (initialised_ && mouseMessage == WM_RBUTTONDOWN) {
        trayMenu_.ShowAtCursor(GetSafeHwnd(), Dpi());
    }
    return Handled(1);
}

Reply CPYLADlg::OnShowWindowRequest() {
    // During set-up the window shows itself once it is complete.
    if (initialised_) {
        owner_.ShowRequested();
    }
    return Handled(0);
}

Reply CPYLADlg::OnDeviceChange(WPARAM event, LPARAM record) {
    // Every device change is answered TRUE.
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) {
        return Handled(TRUE);
    }
    if (!IsVandirDevicePath(DevicePathFromDeviceChange(record))) {
        return Handled(TRUE);
    }
    // During set-up (a message box there runs a message loop) the owner
    // keeps the change until the window is complete.
    if (event == DBT_DEVICEARRIVAL) {
        owner_.MouseArrived();
    } else {
        owner_.MouseRemoved();
    }
    return Handled(TRUE);
}

void CPYLADlg::OnTimer(UINT_PTR id) {
    if (id == kNoMouseTimer) {
        KillTimer(kNoMouseTimer);
        owner_.NoMouseDelayOver();
    } else if (id == kBuildWindowsTimer) {
        if (!BuildNextPiece() || !DeferredWorkLeft()) {
            KillTimer(kBuildWindowsTimer);
            buildTimerRunning_ = false;
        }
    } else if (id == kArrivalTimer) {
        KillTimer(kArrivalTimer);
        owner_.ArrivalSettled();
    } else if (id == kTrayRetryTimer) {
        if (trayIcon_ == nullptr || trayIcon_->Add()) {
            KillTimer(kTrayRetryTimer);
        }
    }
    Default();
}

Reply CPYLADlg::OnKickIdle() {
    if (!buildTimerRunning_ && DeferredWorkLeft()) {
        buildTimerRunning_ = true;
        StartTimer(kBuildWindowsTimer, kBuildWindowsDelayMs);
    }
    return Handled(0);
}

bool CPYLADlg::DeferredWorkLeft() const {
    return trayIcon_ == nullptr || pages_.WithoutLists() != nullptr || !AllWindowsBuilt();
}

bool CPYLADlg::BuildNextPiece() {
    if (trayIcon_ == nullptr) {
        AddTrayIcon();
        SetUpToolTips();
        pages_.object(PageId::KeyAssignment).SetUpToolTips();
        return true;
    }
    if (CKivPage* page = pages_.WithoutLists()) {
        page->BuildLists();
        return true;
    }
    return BuildNextWindow();
}

void CPYLADlg::OnDestroy() {
    // Nothing ends while the mouse is read, or an Apply writes the profile
    // or the mouse; what they still ask of this window builds and shows
    // nothing more.
    closing_ = true;
    owner_.Exit();
    mouseWork_.Join();
    // What the Applies achieved still arrives: a failed save is told before
    // the program ends.
    services_.ui.RunPending();
    trayIcon_.reset();
}

}  // namespace vandir
