#include "platform/win32/DeviceNotifications.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <dbt.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/HidHandles.h"  // HidD_GetHidGuid
#include "platform/win32/UniqueHandle.h"

// mingw-w64's import libraries give every imported function a slot named
// __imp_<name> in the import table, and every call in the program goes through
// it: the tests swap the slots to watch the calls, then forward them.
extern "C" {
extern HDEVNOTIFY(WINAPI* __imp_RegisterDeviceNotificationW)(HANDLE, LPVOID, DWORD);
extern BOOL(WINAPI* __imp_UnregisterDeviceNotification)(HDEVNOTIFY);
}

namespace vandir {
namespace {

using RegisterFunction = HDEVNOTIFY(WINAPI*)(HANDLE, LPVOID, DWORD);
using UnregisterFunction = BOOL(WINAPI*)(HDEVNOTIFY);

struct RegisterCall {
    HANDLE recipient = nullptr;
    DWORD flags = 0xFFFFFFFF;
    std::vector<uint8_t> filter;  // the filter's bytes, as its size field states
    HDEVNOTIFY result = nullptr;
};

struct UnregisterCall {
    HDEVNOTIFY handle = nullptr;
    BOOL result = FALSE;
};

// Records the registration calls made while it lives, passing them on to the system.
class NotificationCallRecorder {
public:
    NotificationCallRecorder() {
        registerCalls.clear();
        unregisterCalls.clear();
        realRegister_ = Swap(__imp_RegisterDeviceNotificationW, &Register);
        realUnregister_ = Swap(__imp_UnregisterDeviceNotification, &Unregister);
    }
    ~NotificationCallRecorder() {
        Swap(__imp_RegisterDeviceNotificationW, realRegister_);
        Swap(__imp_UnregisterDeviceNotification, realUnregister_);
    }
    NotificationCallRecorder(const NotificationCallRecorder&) = delete;
    NotificationCallRecorder& operator=(const NotificationCallRecorder&) = delete;

    static inline std::vector<RegisterCall> registerCalls;
    static inline std::vector<UnregisterCall> unregisterCalls;

private:
    template <typename Function>
    static Function Swap(Function& slot, Function replacement) {
        DWORD oldProtection = 0;
        ::VirtualProtect(&slot, sizeof(slot), PAGE_READWRITE, &oldProtection);
        const Function previous = std::exchange(slot, replacement);
        ::VirtualProtect(&slot, sizeof(slot), oldProtection, &oldProtection);
        return previous;
    }

    static HDEVNOTIFY WINAPI Register(HANDLE recipient, LPVOID filter, DWORD flags) {
        RegisterCall call;
        call.recipient = recipient;
        call.flags = flags;
        if (filter != nullptr) {
            const auto* bytes = static_cast<const uint8_t*>(filter);
            call.filter.assign(bytes,
                               bytes + static_cast<const DEV_BROADCAST_HDR*>(filter)->dbch_size);
        }
        call.result = realRegister_(recipient, filter, flags);
        registerCalls.push_back(call);
        return call.result;
    }

    static BOOL WINAPI Unregister(HDEVNOTIFY handle) {
        const BOOL result = realUnregister_(handle);
        unregisterCalls.push_back({handle, result});
        return result;
    }

    static inline RegisterFunction realRegister_ = nullptr;
    static inline UnregisterFunction realUnregister_ = nullptr;
};

// A message-only window of a class that needs no registration.
struct MessageWindow {
    MessageWindow()
        : handle(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr)) {}
    ~MessageWindow() {
        if (handle != nullptr) {
            ::DestroyWindow(handle);
        }
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND handle;
};

GUID HidClass() {
    GUID guid{};
    ::HidD_GetHidGuid(&guid);
    return guid;
}

TEST(DeviceNotificationsTest, RegistersAWindowForHidInterfaceBroadcasts) {
    MessageWindow window;
    ASSERT_NE(window.handle, nullptr);
    NotificationCallRecorder recorder;

    const UniqueDeviceNotification registration = RegisterForHidNotifications(window.handle);
    EXPECT_TRUE(registration.Valid()) << "error " << ::GetLastError();

    ASSERT_EQ(recorder.registerCalls.size(), 1u);
    const RegisterCall& call = recorder.registerCalls[0];
    EXPECT_EQ(call.recipient, window.handle);
    EXPECT_EQ(call.flags, 0u) << "DEVICE_NOTIFY_WINDOW_HANDLE";
    EXPECT_EQ(call.result, registration.Get());

    // The filter: size 32, device type 5 (device interface), reserved 0, the HID
    // class, an empty name.
    ASSERT_EQ(call.filter.size(), 32u);
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    std::memcpy(&filter, call.filter.data(), sizeof(filter));
    EXPECT_EQ(filter.dbcc_devicetype, 5u);
    EXPECT_EQ(filter.dbcc_reserved, 0u);
    const GUID hidClass = HidClass();
    EXPECT_EQ(std::memcmp(&filter.dbcc_classguid, &hidClass, sizeof(GUID)), 0);
    EXPECT_EQ(filter.dbcc_name[0], L'\0');
    EXPECT_TRUE(recorder.unregisterCalls.empty()) << "nothing undone while registered";
}

TEST(DeviceNotificationsTest, TheLastOwnerUnregistersOnceWhenDestroyed) {
    MessageWindow window;
    ASSERT_NE(window.handle, nullptr);
    NotificationCallRecorder recorder;
    HDEVNOTIFY handle = nullptr;
    {
        UniqueDeviceNotification registration = RegisterForHidNotifications(window.handle);
        ASSERT_TRUE(registration.Valid());
        handle = registration.Get();
        {
            const UniqueDeviceNotification moved(std::move(registration));
            EXPECT_FALSE(registration.Valid());
            EXPECT_EQ(moved.Get(), handle);
        }
        ASSERT_EQ(recorder.unregisterCalls.size(), 1u) << "the new owner unregistered";
        EXPECT_EQ(recorder.unregisterCalls[0].handle, handle);
        EXPECT_TRUE(recorder.unregisterCalls[0].result) << "the system knew the registration";
    }
    EXPECT_EQ(recorder.unregisterCalls.size(), 1u) << "the emptied owner did nothing";
}

TEST(DeviceNotificationsTest, AWindowThatIsGoneCannotRegister) {
    HWND gone = nullptr;
    {
        MessageWindow window;
        ASSERT_NE(window.handle, nullptr);
        gone = window.handle;
    }
    NotificationCallRecorder recorder;
    {
        const UniqueDeviceNotification registration = RegisterForHidNotifications(gone);
        EXPECT_FALSE(registration.Valid());
        EXPECT_FALSE(static_cast<bool>(registration));
    }
    EXPECT_EQ(recorder.registerCalls.size(), 1u);
    EXPECT_TRUE(recorder.unregisterCalls.empty()) << "a failed registration is not undone";
}

// A device-interface broadcast as the system delivers it: the name, its zero,
// and a size that covers both.
class Broadcast {
public:
    Broadcast(DWORD type, const std::wstring& name, size_t statedNameUnits) {
        const size_t units = std::max(name.size() + 1, size_t{2});
        storage_.resize((kNameOffset + units * sizeof(wchar_t)) / sizeof(DWORD) + 1);
        auto* record = Record();
        record->dbcc_size = static_cast<DWORD>(kNameOffset + statedNameUnits * sizeof(wchar_t));
        record->dbcc_devicetype = type;
        record->dbcc_classguid = HidClass();
        std::memcpy(record->dbcc_name, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
    }
    explicit Broadcast(const std::wstring& name)
        : Broadcast(DBT_DEVTYP_DEVICEINTERFACE, name, name.size() + 1) {}

    DEV_BROADCAST_DEVICEINTERFACE_W* Record() {
        return reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage_.data());
    }
    LPARAM AsLParam() { return reinterpret_cast<LPARAM>(storage_.data()); }

    static constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);

private:
    std::vector<DWORD> storage_;
};

constexpr wchar_t kMousePath[] =
    L"\\\\?\\HID#VID_1F2E&PID_002B&MI_01#7&2a5c1b9&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(DevicePathFromDeviceChangeTest, GivesTheNameOfADeviceInterfaceBroadcast) {
    Broadcast broadcast(kMousePath);
    EXPECT_EQ(DevicePathFromDeviceChange(broadcast.AsLParam()),
              u"\\\\?\\HID#VID_1F2E&PID_002B&MI_01#7&2a5c1b9&0&0000#"
              u"{4d1e55b2-f16f-11cf-88cb-001111000030}");
}

TEST(DevicePathFromDeviceChangeTest, NothingWithoutABroadcastOrForOtherTypes) {
    EXPECT_EQ(DevicePathFromDeviceChange(0), u"");

    // A volume broadcast has a different layout; its fields must not be read as a name.
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 0x4;
    EXPECT_EQ(DevicePathFromDeviceChange(reinterpret_cast<LPARAM>(&volume)), u"");

    Broadcast port(DBT_DEVTYP_PORT, kMousePath, std::wstring(kMousePath).size() + 1);
    EXPECT_EQ(DevicePathFromDeviceChange(port.AsLParam()), u"");
}

TEST(DevicePathFromDeviceChangeTest, ReadsTheNameNoFurtherThanTheStatedSize) {
    // The stated size ends after "\\?\HID" although more text follows in memory.
    Broadcast cut(DBT_DEVTYP_DEVICEINTERFACE, kMousePath, 7);
    EXPECT_EQ(DevicePathFromDeviceChange(cut.AsLParam()), u"\\\\?\\HID");

    // A size that leaves no room for a name at all.
    Broadcast headerOnly(DBT_DEVTYP_DEVICEINTERFACE, kMousePath, 0);
    EXPECT_EQ(DevicePathFromDeviceChange(headerOnly.AsLParam()), u"");
    headerOnly.Record()->dbcc_size = sizeof(DEV_BROADCAST_HDR);
    EXPECT_EQ(DevicePathFromDeviceChange(headerOnly.AsLParam()), u"");

    // The registration filter's own shape: 32 bytes, empty name.
    Broadcast empty(L"");
    empty.Record()->dbcc_size = sizeof(DEV_BROADCAST_DEVICEINTERFACE_W);
    EXPECT_EQ(DevicePathFromDeviceChange(empty.AsLParam()), u"");
}

}  // namespace
}  // namespace vandir
