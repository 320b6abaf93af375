#pragma once
// What the sensor and LED page tests share: the record as the last Apply left
// it in the profile file and in the mouse, and screenshots of the main window
// on request (ShowOnTop puts its pixels on the screen first).

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "device/ConfigImage.h"
#include "storage/Profile.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/ui/PngCapture.h"

namespace vandir::testing {

// The profile file as saved, read into a record of defaults; fails the test
// when it does not load.
inline MouseSettings SavedProfile(MainWindowFixture& app) {
    MouseSettings saved = MouseSettings::CreateWithDefaults();
    saved.profilePath = app.ProfilePath();
    EXPECT_EQ(LoadProfile(saved, app.files), ProfileLoadResult::Loaded);
    return saved;
}

// The mouse's configuration memory, decoded.
inline DeviceConfig MouseConfig(MainWindowFixture& app) {
    return UnpackConfigImage(app.mouse.Memory());
}

// With VANDIR_APP_SCREENSHOTS naming a folder, saves the main window there as
// NAME.png.
inline void SaveScreenshot(CPYLADlg& window, const wchar_t* name) {
    if (const auto folder = ScreenshotPath(L"VANDIR_APP_SCREENSHOTS")) {
        // What is already queued (painting) reaches the screen first.
        PumpUntil([] { return true; });
        EXPECT_TRUE(
            SavePng(CaptureScreen(window.GetWindowRect()).Get(), *folder + L"\\" + name + L".png"));
    }
}

}  // namespace vandir::testing
