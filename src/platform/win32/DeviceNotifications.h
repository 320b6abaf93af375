#pragma once
// Hot-plug of HID interfaces: the registration that makes a window receive
// WM_DEVICECHANGE for HID interface arrivals and removals, and the device path
// such a message carries.

#include <windows.h>

#include <string>

#include "platform/win32/UniqueHandle.h"

namespace vandir {

// Registers the window for arrivals and removals of HID interfaces
// (DBT_DEVICEARRIVAL and DBT_DEVICEREMOVECOMPLETE with a device-interface
// broadcast). The registration lasts as long as the returned owner; an empty
// owner means it failed, and GetLastError tells why.
UniqueDeviceNotification RegisterForHidNotifications(HWND window) noexcept;

// The device path in a WM_DEVICECHANGE's lParam when it is a device-interface
// broadcast; empty for a null lParam, any other broadcast type, or a record too
// short to hold a name. The name is read no further than the record's stated
// size, up to its first zero.
std::u16string DevicePathFromDeviceChange(LPARAM lParam);

}  // namespace vandir
