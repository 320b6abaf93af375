#include "platform/win32/Win32HidBackend.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <setupapi.h>

#include <cstddef>
#include <cwchar>
#include <limits>
#include <string>
#include <utility>

#include "i18n/Unicode.h"
#include "platform/win32/HidHandles.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace vandir {
namespace {

// The device path of the interface, or empty when the system does not give one.
std::wstring InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA& interfaceData) {
    DWORD size = 0;
    if (::SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, nullptr, 0, &size, nullptr) ||
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER ||
        size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
        return {};
    }
    // DWORD elements keep the structure's alignment.
    std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    // cbSize is the fixed part's size (which differs between 32 and 64 bits),
    // not the buffer's.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(list, &interfaceData, detail, size, nullptr, nullptr)) {
        return {};
    }
    const size_t capacity =
        (size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath)) / sizeof(wchar_t);
    return std::wstring(detail->DevicePath, ::wcsnlen(detail->DevicePath, capacity));
}

}  // namespace

HidError HidErrorFromSystemError(DWORD error) noexcept {
    switch (error) {
        case ERROR_SUCCESS:
            return HidError::None;
        case ERROR_NOT_READY:
            return HidError::NotReady;
        case ERROR_CRC:
            return HidError::Crc;
        case ERROR_WRITE_FAULT:
            return HidError::WriteFault;
        case ERROR_INVALID_PARAMETER:
            return HidError::InvalidParameter;
        case ERROR_FUNCTION_FAILED:
            return HidError::FunctionFailed;
        default:
            return HidError::Other;
    }
}

std::string OpenFailureReason(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_DEV_NOT_EXIST:
        case ERROR_DEVICE_NOT_CONNECTED:
            return "not found";
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return "invalid path";
        case ERROR_ACCESS_DENIED:
            return "access denied";
        case ERROR_SHARING_VIOLATION:
            return "in use by another program";
        default:
            return "system error " + std::to_string(error);
    }
}

Win32HidDevice::Win32HidDevice(UniqueFileHandle handle) noexcept : handle_(std::move(handle)) {}

bool Win32HidDevice::ReadIds(uint16_t& vendorId, uint16_t& productId) {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!::HidD_GetAttributes(handle_.Get(), &attributes)) {
        return false;
    }
    vendorId = attributes.VendorID;
    productId = attributes.ProductID;
    return true;
}

bool Win32HidDevice::ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) {
    UniquePreparsedData data;
    if (!::HidD_GetPreparsedData(handle_.Get(), data.Put()) || !data) {
        return false;
    }
    HIDP_CAPS caps{};
    if (::HidP_GetCaps(data.Get(), &caps) != HIDP_STATUS_SUCCESS) {
        return false;
    }
    usagePage = caps.UsagePage;
    usage = caps.Usage;
    return true;
}

bool Win32HidDevice::Transferable(const void* report, size_t length) {
    if (report == nullptr || length == 0 || length > std::numeric_limits<ULONG>::max()) {
        lastError_ = HidError::Other;
        return false;
    }
    return true;
}

bool Win32HidDevice::Finish(BOOLEAN succeeded) {
    lastError_ = succeeded ? HidError::None : HidErrorFromSystemError(::GetLastError());
    if (!succeeded && lastError_ == HidError::None) {
        lastError_ = HidError::Other;  // failed without saying why
    }
    return succeeded != FALSE;
}

bool Win32HidDevice::SetFeature(const uint8_t* report, size_t length) {
    if (!Transferable(report, length)) {
        return false;
    }
    scratch_.assign(report, report + length);
    return Finish(
        ::HidD_SetFeature(handle_.Get(), scratch_.data(), static_cast<ULONG>(scratch_.size())));
}

bool Win32HidDevice::GetFeature(uint8_t* report, size_t length) {
    if (!Transferable(report, length)) {
        return false;
    }
    return Finish(::HidD_GetFeature(handle_.Get(), report, static_cast<ULONG>(length)));
}

std::vector<std::string> Win32HidBackend::EnumerateInterfaces() {
    std::vector<std::string> paths;
    GUID hidClass{};
    ::HidD_GetHidGuid(&hidClass);
    const UniqueDeviceInfoList list(
        ::SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) {
        return paths;
    }
    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData);
    for (DWORD index = 0;
         ::SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &hidClass, index, &interfaceData);
         ++index) {
        const std::wstring path = InterfacePath(list.Get(), interfaceData);
        if (!path.empty()) {
            paths.push_back(Utf8FromUtf16(FromWide(path)));
        }
    }
    return paths;
}

std::unique_ptr<HidDevice> Win32HidBackend::Open(const std::string& path, std::string* failure) {
    const std::u16string widePath = Utf16FromUtf8(path);
    if (widePath.find(u'\0') != std::u16string::npos) {
        // The system would read only the part before the zero.
        if (failure != nullptr) {
            *failure = OpenFailureReason(ERROR_INVALID_NAME);
        }
        return nullptr;
    }
    UniqueFileHandle handle(::CreateFileW(AsWide(widePath), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    if (!handle) {
        const DWORD error = ::GetLastError();
        if (failure != nullptr) {
            *failure = OpenFailureReason(error);
        }
        return nullptr;
    }
    return std::make_unique<Win32HidDevice>(std::move(handle));
}

}  // namespace vandir
