// The main window and the settings owner together, over the simulated mouse:
// what the window shows, what the profile holds and what the mouse holds
// agree after the orders of events that once made them differ.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <dbt.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/ConfigImage.h"
#include "storage/DataStream.h"
#include "storage/Profile.h"
#include "storage/SystemSettings.h"
#include "win32/app/FunctionChoice.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/app/NoticeCloser.h"
#include "win32/app/PageTestSupport.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/ScreenPixels.h"

namespace vandir::testing {
namespace {

constexpr FunctionId kVolumeUp = 2205;
constexpr int kButton4 = 3;

bool Says(const std::wstring& text, const wchar_t* words) {
    return text.find(words) != std::wstring::npos;
}

void ClickIcon(CPYLADlg& window) {
    window.SendMessage(TrayIcon::kCallbackMessage, 0, WM_LBUTTONDOWN);
}

void Remove(MainWindowFixture& app) {
    app.mouse.Unplug();
    DeviceChange mouse(kMousePath);
    app.window->SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, mouse.lParam());
}

void Arrive(MainWindowFixture& app) {
    app.mouse.PlugIn();
    DeviceChange mouse(kMousePath);
    app.window->SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, mouse.lParam());
    app.window->Tick(CPYLADlg::kArrivalTimer);
    app.window->WaitForMouseWork();
}

// "Exit", then the program starts again over the same files and mouse.
bool Restart(MainWindowFixture& app) {
    app.window->DestroyWindow();
    app.window.reset();
    app.transport.Close();
    return app.Start();
}

// The profile says DPI 1 = 750; the mouse, set up elsewhere, 1750 and 2000.
TEST(MainWindowSettings, TheStartupReadingShowsTheMouseAndNotABlendWithTheProfile) {
    MainWindowFixture app;
    MouseSettings profile =
        MouseSettings::ForStartup(ProfilePathUnder(app.system.ApplicationDataFolder()));
    profile.dpi[0] = {750, 750};
    const DataStream bytes = WriteProfile(profile);
    app.files.files[profile.profilePath].assign(bytes.bytes().begin(), bytes.bytes().end());
    MouseSettings mouse = MouseSettings::CreateWithDefaults();
    mouse.dpi[0] = {1750, 1750};
    mouse.dpi[1] = {2000, 2000};
    app.mouse.SetMemory(EncodeConfigImage(mouse));
    ASSERT_TRUE(app.Start());
    MouseSettings shown = app.window->settings();
    app.window->page(PageId::Sensor).CollectSettings(shown);
    EXPECT_EQ(shown.dpi[0], (DpiPair{1750, 1750}));
    EXPECT_EQ(shown.dpi[1], (DpiPair{2000, 2000}));
    app.window->Apply();
    app.window->WaitForApply();
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(mouse)) << "Apply wrote a blend";
}

TEST(MainWindowSettings, AnIconClickShowsWhatTheMouseHoldsOverAnEditNotApplied) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    const FunctionId inTheMouse = ButtonSelector(window, kButton4).selectedValue();
    ChooseFunction(window, kButton4, kVolumeUp);
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(window.IsWindowVisible());
    ClickIcon(window);
    window.WaitForMouseWork();
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_EQ(ButtonSelector(window, kButton4).selectedValue(), inTheMouse);
}

TEST(MainWindowSettings, AnApplyTheMouseMissedIsToldAndWrittenAtTheNextStart) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    ChooseFunction(*app.window, kButton4, kVolumeUp);
    const ConfigImage before = app.mouse.Memory();
    app.mouse.QueueTransferErrors({HidError::Other});  // the write is not sent
    NoticeCloser closer(app.window->GetSafeHwnd());
    app.window->Apply();
    app.window->WaitForApply();
    EXPECT_EQ(closer.closed(), 0) << "the no-mouse notice, with the mouse there";
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_TRUE(Says(app.messages[0], L"did not take your settings")) << app.messages[0];
    EXPECT_TRUE(Says(app.messages[0], L"could not be sent")) << app.messages[0];
    EXPECT_EQ(app.mouse.Memory(), before);
    ASSERT_TRUE(Restart(app));
    EXPECT_EQ(ButtonSelector(*app.window, kButton4).selectedValue(), kVolumeUp);
    EXPECT_EQ(MouseConfig(app).buttons[kButton4].kind, 32) << "the old memory was read back";
    EXPECT_FALSE(app.window->ApplyUnwritten());
}

TEST(MainWindowSettings, AnOlderMissedApplyIsNeverWrittenOverANewerOne) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    NoticeCloser closer(window.GetSafeHwnd());
    app.mouse.QueueTransferErrors({HidError::Other});
    window.Apply();  // #1 misses the mouse
    window.WaitForApply();
    EXPECT_EQ(app.messages.size(), 1u);
    ChooseFunction(window, kButton4, kVolumeUp);
    app.gate.Close(kWriteConfiguration);
    window.Apply();  // #2, held in its write
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    ClickIcon(window);  // a reading behind #2
    app.gate.Open();
    window.WaitForMouseWork();
    EXPECT_EQ(MouseConfig(app).buttons[kButton4].kind, 32) << "#1 was written after #2";
    EXPECT_EQ(SavedProfile(app).buttons[kButton4].kind, 32);
    EXPECT_EQ(ButtonSelector(window, kButton4).selectedValue(), kVolumeUp);
    EXPECT_FALSE(window.ApplyUnwritten());
}

TEST(MainWindowSettings, AResetWithoutTheMouseIsWhatTheMouseGetsWhenItComesBack) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    const FunctionId factory = ButtonSelector(window, kButton4).selectedValue();
    ChooseFunction(window, kButton4, kVolumeUp);
    app.mouse.QueueTransferErrors({HidError::Other});
    {
        NoticeCloser closer(window.GetSafeHwnd());
        window.Apply();  // missed, told in words
        window.WaitForApply();
        EXPECT_EQ(closer.closed(), 0);
        EXPECT_EQ(app.messages.size(), 1u);
    }
    Remove(app);
    window.WaitForMouseWork();
    window.SendMessage(CPYLADlg::kShowWindowMessage, 0, 0);  // a second start
    {
        NoticeCloser closer(window.GetSafeHwnd());
        window.Reset();
        window.WaitForApply();
        EXPECT_EQ(closer.closed(), 1) << "the no-mouse notice";
    }
    Arrive(app);
    EXPECT_EQ(app.mouse.Memory(), EncodeConfigImage(MouseSettings::CreateWithDefaults()));
    EXPECT_EQ(ButtonSelector(window, kButton4).selectedValue(), factory);
    EXPECT_EQ(SavedProfile(app).buttons[kButton4], MouseSettings{}.buttons[kButton4]);
}

TEST(MainWindowSettings, ARemovalDuringTheIconsReadingLeavesTheNoDeviceScreen) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    app.gate.Close(kReadConfiguration);
    ClickIcon(window);
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    Remove(app);
    app.gate.Open();
    window.WaitForMouseWork();
    EXPECT_FALSE(window.IsWindowVisible());
    EXPECT_TRUE(window.noDeviceScreen().IsWindowVisible());
    EXPECT_FALSE(app.transport.IsPresent());
}

TEST(MainWindowSettings, WithoutAMouseAnIconClickOverTheShownWindowShowsTheScreen) {
    MainWindowFixture app(false);
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    window.Tick(CPYLADlg::kNoMouseTimer);
    window.SendMessage(CPYLADlg::kShowWindowMessage, 0, 0);  // a second start
    ASSERT_TRUE(window.IsWindowVisible());
    ClickIcon(window);
    window.WaitForMouseWork();
    EXPECT_TRUE(window.noDeviceScreen().IsWindowVisible());
    EXPECT_FALSE(window.IsWindowVisible());
}

// A slow mouse and ten clicks on the icon while an Apply waits: Exit finishes
// the Apply and reads nothing more.
TEST(MainWindowSettings, ExitFinishesTheApplyAndDropsTheReadings) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    ChooseFunction(window, kButton4, kVolumeUp);
    app.gate.Close(kWriteConfiguration);
    window.Apply();
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    for (int click = 0; click < 10; ++click) {
        ClickIcon(window);
    }
    // "Exit" from the icon's menu.
    window.SendMessage(TrayIcon::kCallbackMessage, 0, WM_RBUTTONDOWN);
    window.SendMessage(WM_SYSCOMMAND, window.trayMenuCommandId(), CPYLADlg::kMenuExit);
    MSG quit{};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    app.mouse.ResetCounters();
    app.gate.Open();
    window.DestroyWindow();
    EXPECT_EQ(app.mouse.GetCounters().setFeatures, 1) << "only the Apply's write";
    EXPECT_EQ(MouseConfig(app).buttons[kButton4].kind, 32);
}

TEST(MainWindowSettings, AWriteTheMouseRefusedIsToldInItsOwnWords) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    NoticeCloser closer(window.GetSafeHwnd());
    app.mouse.StayBusyFor(20);  // longer than the program polls
    window.Apply();
    window.WaitForApply();
    EXPECT_EQ(closer.closed(), 0) << "the no-mouse notice, with the mouse there";
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_TRUE(Says(app.messages[0], L"it stayed busy")) << app.messages[0];
    EXPECT_TRUE(Says(app.messages[0], L"saved and will be sent")) << app.messages[0];
    EXPECT_TRUE(window.ApplyUnwritten());
}

TEST(MainWindowSettings, TheNoMouseNoticeWaitsUntilTheMainWindowShows) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    app.gate.Close(kWriteConfiguration);
    window.Apply();
    ASSERT_TRUE(app.gate.WaitUntilHeld());
    Remove(app);  // the main window hides
    app.gate.Open();
    {
        NoticeCloser closer(window.GetSafeHwnd());
        window.WaitForApply();
        EXPECT_EQ(closer.closed(), 0) << "a notice over a hidden window";
    }
    NoticeCloser closer(window.GetSafeHwnd());
    window.SendMessage(CPYLADlg::kShowWindowMessage, 0, 0);
    EXPECT_EQ(closer.closed(), 1);
}

// The no-mouse notice comes over the shown main window, at its origin, and is
// painted (over a hidden window it once stayed black).
TEST(MainWindowSettings, TheNoMouseNoticeIsPaintedOverTheShownMainWindow) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    app.mouse.Unplug();
    app.transport.Close();
    RECT notice{};
    size_t painted = 0;
    size_t pixels = 0;
    ModalCloser closer(
        [&window](HWND shown) {
            return ::GetWindow(shown, GW_OWNER) == window.GetSafeHwnd() &&
                   ::GetDlgItem(shown, IDC_POPUP_OK) != nullptr;
        },
        [&](HWND shown) {
            ::UpdateWindow(shown);
            ::GdiFlush();
            notice = ScreenRectOf(shown);
            const std::vector<COLORREF> seen = ScreenPixels(notice);
            pixels = seen.size();
            painted = static_cast<size_t>(std::count_if(
                seen.begin(), seen.end(), [](COLORREF pixel) { return pixel != RGB(0, 0, 0); }));
            ClickButton(shown, IDC_POPUP_OK);
        });
    window.Apply();
    window.WaitForApply();
    ASSERT_EQ(closer.closed(), 1);
    const RECT main = ScreenRectOf(window.GetSafeHwnd());
    EXPECT_EQ(notice.left, main.left);
    EXPECT_EQ(notice.top, main.top);
    ASSERT_GT(pixels, 0u);
    EXPECT_GT(painted * 2, pixels) << painted << " of " << pixels << " pixels not black";
}

TEST(MainWindowSettings, ASaveThatFailsJustBeforeExitIsToldBeforeTheProgramEnds) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.files.saveFailure = u"Access is denied.";
    app.window->Apply();
    app.window->DestroyWindow();
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_TRUE(Says(app.messages[0], L"could not be saved")) << app.messages[0];
}

}  // namespace
}  // namespace vandir::testing
