#include "platform/win32/Win32SystemIntegration.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

#include "platform/win32/ModulePath.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "storage/SystemSettings.h"

namespace vandir {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

}  // namespace

Win32SystemIntegration::Win32SystemIntegration(Launcher launcher)
    : launcher_(launcher ? std::move(launcher) : Launcher(&Win32SystemIntegration::OpenWithShell)) {
}

std::u16string Win32SystemIntegration::ApplicationDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE)) {
        return {};
    }
    std::wstring_view folder(buffer);
    if (!folder.empty() && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    return FromWide(folder);
}

void Win32SystemIntegration::WriteAutostartEntry(const std::u16string& valueName) {
    const std::wstring program = ModulePath();
    if (program.empty()) {
        return;
    }
    UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_WRITE, key.Put()) != ERROR_SUCCESS) {
        return;
    }
    // Quoted, so that a path with spaces cannot be read as another program plus arguments.
    const std::wstring command = L"\"" + program + L"\"";
    const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.Get(), AsWide(valueName), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(command.c_str()), bytes);
}

void Win32SystemIntegration::RemoveAutostartEntry(const std::u16string& valueName) {
    UniqueRegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Put()) != ERROR_SUCCESS) {
        return;
    }
    // A value that is not there is already removed.
    ::RegDeleteValueW(key.Get(), AsWide(valueName));
}

void Win32SystemIntegration::OpenSupportPage(const std::u16string& address) {
    // Without a thread, as with a failed shell request, nothing opens.
    launches_.Start([launcher = launcher_, address = ToWide(address)] { launcher(address); });
}

void Win32SystemIntegration::OpenWithShell(const std::wstring& address) {
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ::ShellExecuteW(nullptr, L"open", address.c_str(), L"", L"", SW_SHOW);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
}

namespace {

UINT FlagsFor(SettingScope scope) {
    return scope == SettingScope::Saved ? SPIF_UPDATEINIFILE | SPIF_SENDCHANGE : SPIF_SENDCHANGE;
}

}  // namespace

void Win32SystemIntegration::SetDoubleClickTime(uint8_t doubleClickSpeed, SettingScope scope) {
    if (const auto time = DoubleClickTimeForStep(doubleClickSpeed)) {
        ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, *time, nullptr, FlagsFor(scope));
    }
}

void Win32SystemIntegration::SetPointerSpeed(uint8_t pointerSpeed, SettingScope scope) {
    // Windows takes this value from the pointer argument and ignores the integer
    // one; Wine (8) reads the integer one. Passing it in both sets it on either.
    const std::optional<uint32_t> step = PointerSpeedForStep(pointerSpeed);
    if (!step) {
        return;
    }
    const UINT speed = *step;
    ::SystemParametersInfoW(SPI_SETMOUSESPEED, speed,
                            reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)), FlagsFor(scope));
}

std::optional<uint32_t> Win32SystemIntegration::PointerSpeed() {
    int speed = 0;
    if (!::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0) || speed < 0) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(speed);
}

void Win32SystemIntegration::EnableFullWindowDrag() {
    ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
}

}  // namespace vandir
