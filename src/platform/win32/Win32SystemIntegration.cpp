#include "platform/win32/Win32SystemIntegration.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "storage/SystemSettings.h"

namespace vandir {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Largest path the system can hand out (long-path form), so the loop below ends.
constexpr DWORD kMaxModulePath = 32768;

// The full path of the running program, however long; empty on failure.
std::wstring ModuleFilePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return std::wstring(buffer.data(), length);
        }
        // Truncated: the result filled the whole buffer.
        if (size >= kMaxModulePath) {
            return {};
        }
        buffer.resize(size * 2);
    }
}

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
    const std::wstring program = ModuleFilePath();
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
    try {
        std::thread([launcher = launcher_, address = ToWide(address)]() noexcept {
            try {
                launcher(address);
            } catch (...) {
                // Nothing to report to: the page simply does not open.
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread could be started; as with a failed shell request, nothing opens.
    }
}

void Win32SystemIntegration::OpenWithShell(const std::wstring& address) {
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ::ShellExecuteW(nullptr, L"open", address.c_str(), L"", L"", SW_SHOW);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
}

void Win32SystemIntegration::SetDoubleClickTime(uint8_t doubleClickSpeed) {
    ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, DoubleClickTimeForStep(doubleClickSpeed),
                            nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void Win32SystemIntegration::SetPointerSpeed(uint8_t pointerSpeed) {
    // Windows takes this value from the pointer argument and ignores the integer
    // one; Wine (8) reads the integer one. Passing it in both sets it on either.
    const UINT speed = PointerSpeedForStep(pointerSpeed);
    ::SystemParametersInfoW(SPI_SETMOUSESPEED, speed,
                            reinterpret_cast<PVOID>(static_cast<UINT_PTR>(speed)),
                            SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void Win32SystemIntegration::EnableFullWindowDrag() {
    ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
}

}  // namespace vandir
