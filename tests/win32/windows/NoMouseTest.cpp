// The no-device screen: its picture, its close button, and how it hides,
// shows again and is dragged.

#include "app/NoMouse.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "skin/KivButton.h"
#include "skin/layout/NoDeviceLayout.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/windows/DialogPump.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SkinFixture.h"
#include "win32/windows/SystemCommandRecorder.h"

namespace vandir {
namespace {

class NoMouseScreen : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.Create());
        EXPECT_FALSE(screen.IsWindowVisible());  // created hidden
        screen.ShowCentred();
        ShowOnTop(screen);
    }
    void TearDown() override {
        ReleaseHeldInput();
        screen.DestroyWindow();
    }

    HWND closeButton() const { return screen.GetDlgItem(IDC_NO_DEVICE_CLOSE); }

    SkinFixture fixture;
    CNoMouse screen{fixture.context};
};

TEST_F(NoMouseScreen, ShowsItsSheetCentredWithTheCloseButtonInPlace) {
    const RECT window = screen.GetWindowRect();
    EXPECT_EQ(window.right - window.left, 422);
    EXPECT_EQ(window.bottom - window.top, 303);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((window.left + window.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) - (work.top + work.bottom)), 1);

    EXPECT_EQ(CWnd::FromHandle(closeButton()), &screen.Item<CKivButton>(IDC_NO_DEVICE_CLOSE));
    const RECT close = ScreenRectOf(closeButton());
    EXPECT_EQ(close.left - window.left, 402);
    EXPECT_EQ(close.top - window.top, 6);
    EXPECT_EQ(close.right - close.left, 16);
    EXPECT_EQ(close.bottom - close.top, 15);

    // The whole screen is the "no Mosue Normal" sheet, the close button's
    // normal look included.
    EXPECT_TRUE(ScreenShowsSheet(window, fixture.skins.Sheet(layout::Sheet::NoMouseNormal), 0, 0));
    EXPECT_TRUE(fixture.failures.empty());
    if (const auto path = ScreenshotPath(L"VANDIR_NO_DEVICE_SCREENSHOT")) {
        EXPECT_TRUE(SavePng(CaptureScreen(window).Get(), *path));
    }
}

TEST_F(NoMouseScreen, TheCloseButtonLightsUpFromTheDownSheet) {
    const RECT close = ScreenRectOf(closeButton());
    ASSERT_TRUE(SendInputs(
        {MouseMoveTo({(close.left + close.right) / 2, (close.top + close.bottom) / 2})}));
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenShowsSheet(close, fixture.skins.Sheet(layout::Sheet::NoMouseDown), 402, 6);
    }));
}

TEST_F(NoMouseScreen, TheCloseCommandHidesItAndItShowsAgain) {
    screen.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NO_DEVICE_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(closeButton()));
    EXPECT_FALSE(screen.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(screen.GetSafeHwnd()));  // hidden, not destroyed
    screen.ShowCentred();
    EXPECT_TRUE(screen.IsWindowVisible());
}

// The screen is a top-level window of its own while another window's modal
// loop runs (the main window's): real Esc and Enter keys still hide it.
TEST_F(NoMouseScreen, EscAndEnterHideItWhileAnotherWindowsLoopRuns) {
    CWnd loopOwner;
    ASSERT_TRUE(loopOwner.CreateEx(0, CWnd::RegisterWindowClass(L"VandirNoMouseLoopOwner"), L"",
                                   WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        screen.ShowCentred();
        ASSERT_TRUE(ToForeground(screen, loopOwner));
        ASSERT_TRUE(SendInputs(Tap(key)));
        EXPECT_TRUE(PumpDialogUntil(loopOwner, [&] { return !screen.IsWindowVisible(); }));
        EXPECT_TRUE(::IsWindow(screen.GetSafeHwnd()));
    }
    loopOwner.DestroyWindow();
}

TEST_F(NoMouseScreen, AClickOnTheCloseButtonHidesIt) {
    const RECT close = ScreenRectOf(closeButton());
    const POINT centre{(close.left + close.right) / 2, (close.top + close.bottom) / 2};
    ASSERT_TRUE(SendInputs({MouseMoveTo(centre)}));
    ASSERT_TRUE(SendInputs({LeftDown(), LeftUp()}));
    EXPECT_TRUE(PumpUntil([&] { return !screen.IsWindowVisible(); }));
}

// A press anywhere on the picture starts the system's move loop as if the
// caption were dragged.
TEST_F(NoMouseScreen, APressOnThePictureDragsTheScreen) {
    SystemCommandRecorder recorder;
    ASSERT_TRUE(recorder.hooked());
    SystemCommandRecorder::PressAndRelease(screen.GetSafeHwnd(), {100, 100});
    const std::vector<WPARAM>& systemCommands = recorder.received();
    ASSERT_FALSE(systemCommands.empty());
    EXPECT_EQ(systemCommands.front(), static_cast<WPARAM>(SC_MOVE | HTCAPTION));
    EXPECT_TRUE(screen.IsWindowVisible());
}

}  // namespace
}  // namespace vandir
