#pragma once
// Move-only owners of raw Win32 handles: each closes its handle exactly once.

#include <windows.h>
// After windows.h, which it builds on.
#include <setupapi.h>

// mingw-w64's HID headers declare their functions without C linkage guards.
extern "C" {
#include <hidsdi.h>
}

#include <utility>

namespace vandir {

// Traits: the handle type, its "no handle" value and how to close it.
template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept = default;
    explicit UniqueResource(Handle handle) noexcept : handle_(handle) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const noexcept { return handle_; }
    bool Valid() const noexcept { return handle_ != Traits::Empty(); }
    explicit operator bool() const noexcept { return Valid(); }

    // Gives up ownership without closing.
    Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    // Closes the owned handle, if any, and takes handle instead.
    void Reset(Handle handle = Traits::Empty()) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Empty()) {
            Traits::Close(old);
        }
    }

    // For functions that return a handle through a pointer (RegOpenKeyExW):
    // closes the owned handle and hands out the address of the empty slot.
    Handle* Put() noexcept {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle key) noexcept { ::RegCloseKey(key); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { ::FindClose(handle); }
};

struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle list) noexcept { ::SetupDiDestroyDeviceInfoList(list); }
};

struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle data) noexcept { ::HidD_FreePreparsedData(data); }
};

struct DeviceNotificationTraits {
    using Handle = HDEVNOTIFY;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle notification) noexcept {
        ::UnregisterDeviceNotification(notification);
    }
};

// A handle from CreateFileW (INVALID_HANDLE_VALUE when empty).
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
// A kernel object that functions return as null on failure: events, mutexes,
// processes, threads.
using UniqueKernelHandle = UniqueResource<KernelHandleTraits>;
// An opened registry key (never one of the predefined HKEY_* roots).
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;
// A search handle from FindFirstFileW.
using UniqueFindHandle = UniqueResource<FindHandleTraits>;
// A device information set from SetupDiGetClassDevsW (INVALID_HANDLE_VALUE when
// empty); the code using it links setupapi.
using UniqueDeviceInfoList = UniqueResource<DeviceInfoListTraits>;
// A HID collection's preparsed data from HidD_GetPreparsedData; the code using
// it links hid.
using UniquePreparsedData = UniqueResource<PreparsedDataTraits>;
// A registration from RegisterDeviceNotificationW, undone by
// UnregisterDeviceNotification.
using UniqueDeviceNotification = UniqueResource<DeviceNotificationTraits>;

}  // namespace vandir
