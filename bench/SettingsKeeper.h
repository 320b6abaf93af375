#pragma once
// What Apply changes outside the program, kept by the benchmark and put back
// when it is done: the system's pointer speed and double-click time, and the
// start-at-login entry (left in place, Wine would start the demo with every
// new session of the prefix, tests included).

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace vandir::bench {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Meridane Vandir II";

class SettingsKeeper {
public:
    SettingsKeeper() {
        ::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed_, 0);
        doubleClick_ = ::GetDoubleClickTime();
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) ==
            ERROR_SUCCESS) {
            const UniqueRegistryKey owned(key);
            hadRunValue_ = ::RegQueryValueExW(key, kRunValue, nullptr, nullptr, nullptr, nullptr) ==
                           ERROR_SUCCESS;
        }
    }
    ~SettingsKeeper() {
        ::SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                reinterpret_cast<void*>(static_cast<INT_PTR>(speed_)),
                                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
        ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, doubleClick_, nullptr,
                                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
        if (!hadRunValue_) {
            // Else Wine would start the demo with every new session of the prefix.
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
        }
    }
    SettingsKeeper(const SettingsKeeper&) = delete;
    SettingsKeeper& operator=(const SettingsKeeper&) = delete;

private:
    int speed_ = 10;
    UINT doubleClick_ = 500;
    bool hadRunValue_ = false;
};

}  // namespace vandir::bench
