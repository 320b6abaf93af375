#pragma once
// A message-only window that records the WM_DEVICECHANGE messages it receives,
// reading each record while the message is being handled, as the program's
// main window does.

#include <windows.h>
// After windows.h, which it builds on.
#include <dbt.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/DeviceNotifications.h"

namespace vandir::test {

struct DeviceChange {
    WPARAM event = 0;
    std::u16string path;  // as DevicePathFromDeviceChange reads it
    DWORD deviceType = 0;
    DWORD recordSize = 0;
    GUID classGuid{};
    bool terminated = false;    // the name ends in a zero inside the stated size
    bool whileHandled = false;  // what onMessage answered during the message
};

class DeviceChangeRecorder {
public:
    DeviceChangeRecorder() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass);  // fails harmlessly when registered already
        window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~DeviceChangeRecorder() { ::DestroyWindow(window_); }
    DeviceChangeRecorder(const DeviceChangeRecorder&) = delete;
    DeviceChangeRecorder& operator=(const DeviceChangeRecorder&) = delete;

    HWND Window() const { return window_; }

    std::vector<DeviceChange> changes;
    // Asked during each message; its answer goes to DeviceChange::whileHandled.
    std::function<bool()> onMessage = [] { return false; };

private:
    static constexpr wchar_t kClassName[] = L"VandirTestDeviceChangeRecorder";

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self =
            reinterpret_cast<DeviceChangeRecorder*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self == nullptr || message != WM_DEVICECHANGE) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        DeviceChange change;
        change.event = wParam;
        change.path = DevicePathFromDeviceChange(lParam);
        if (lParam != 0) {
            const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
            change.deviceType = header->dbch_devicetype;
            change.recordSize = header->dbch_size;
            if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
                const auto* record =
                    reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
                change.classGuid = record->dbcc_classguid;
                const size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
                const auto* name = reinterpret_cast<const wchar_t*>(
                    reinterpret_cast<const std::byte*>(record) + nameOffset);
                const size_t end = nameOffset + (change.path.size() + 1) * sizeof(wchar_t);
                change.terminated = end <= record->dbcc_size && name[change.path.size()] == L'\0';
            }
        }
        change.whileHandled = self->onMessage();
        self->changes.push_back(change);
        return TRUE;
    }

    HWND window_ = nullptr;
};

}  // namespace vandir::test
