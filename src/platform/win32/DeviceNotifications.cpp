#include "platform/win32/DeviceNotifications.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dbt.h>

#include <cstddef>
#include <cwchar>

#include "platform/win32/HidHandles.h"  // HidD_GetHidGuid
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {
namespace {

// The filter is the record with an empty name: its three DWORDs, the GUID and
// one wide character (30 bytes) round up to the structure's 4-byte alignment,
// 32 bytes in both the 32-bit and the 64-bit layout.
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

}  // namespace

UniqueDeviceNotification RegisterForHidNotifications(HWND window) noexcept {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_reserved = 0;
    ::HidD_GetHidGuid(&filter.dbcc_classguid);
    return UniqueDeviceNotification(
        ::RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

std::u16string DevicePathFromDeviceChange(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        header->dbch_size <= kNameOffset) {
        return {};
    }
    const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    const size_t capacity = (record->dbcc_size - kNameOffset) / sizeof(wchar_t);
    return FromWide(record->dbcc_name, ::wcsnlen(record->dbcc_name, capacity));
}

}  // namespace vandir
