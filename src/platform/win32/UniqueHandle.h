#pragma once
// Owners of the system's handles: files, kernel objects, registry keys,
// searches, folder watches, device-notification registrations, hooks, icons
// and windows no window object stands for.

#include <windows.h>

#include "platform/win32/UniqueResource.h"

namespace vandir {

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

struct ChangeNotificationTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { ::FindCloseChangeNotification(handle); }
};

struct DeviceNotificationTraits {
    using Handle = HDEVNOTIFY;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle notification) noexcept {
        ::UnregisterDeviceNotification(notification);
    }
};

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle window) noexcept { ::DestroyWindow(window); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle icon) noexcept { ::DestroyIcon(icon); }
};

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle hook) noexcept { ::UnhookWindowsHookEx(hook); }
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
// A folder watch from FindFirstChangeNotificationW.
using UniqueChangeNotification = UniqueResource<ChangeNotificationTraits>;
// A registration from RegisterDeviceNotificationW, undone by
// UnregisterDeviceNotification.
using UniqueDeviceNotification = UniqueResource<DeviceNotificationTraits>;
// A hook from SetWindowsHookExW, removed with UnhookWindowsHookEx.
using UniqueHook = UniqueResource<HookTraits>;
// An icon the program loaded at a size of its own (not the system's shared
// copy), destroyed with DestroyIcon.
using UniqueIcon = UniqueResource<IconTraits>;
// A window destroyed with DestroyWindow (on the thread that made it), for
// windows no window object stands for.
using UniqueWindow = UniqueResource<WindowTraits>;

}  // namespace vandir
