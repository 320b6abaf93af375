#pragma once
// What the main window works with, owned by the application and handed down:
// the skin context, the link to the mouse, the file system, the system's
// settings and the user-interface thread's service for the Apply worker.
// Tests make their own (simulated mouse, recording clock, fake system).

#include <functional>
#include <string>

#include "app/TrayIcon.h"

#include "device/Transport.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/threads/UiThread.h"
#include "skin/SkinContext.h"
#include "storage/FileSystem.h"
#include "storage/SystemIntegration.h"

namespace vandir {

struct AppServices {
    SkinContext& skin;
    Transport& transport;
    FileSystem& files;
    SystemIntegration& system;
    UiThread& ui;
    // Registers the main window for HID arrivals and removals; an empty owner
    // when that failed.
    std::function<UniqueDeviceNotification(HWND)> registerForDeviceNotifications;
    // The program's message boxes (text, caption, MB_* flags).
    std::function<void(const std::wstring&, const std::wstring&, UINT)> showMessage;
    // The notification area (Shell_NotifyIconW when empty).
    TrayIcon::ShellCall notifyIcon = {};
};

}  // namespace vandir
