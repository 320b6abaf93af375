#pragma once
// HID access on Windows: the present HID interfaces through SetupDi, opened
// with CreateFileW, and feature reports through HidD.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "platform/win32/UniqueHandle.h"

namespace vandir {

// The transfer failure a system error code stands for: the five codes worth
// retrying (ERROR_NOT_READY, ERROR_CRC, ERROR_WRITE_FAULT,
// ERROR_INVALID_PARAMETER, ERROR_FUNCTION_FAILED) map to their own values, 0 to
// None, every other code to Other.
HidError HidErrorFromSystemError(DWORD error) noexcept;

// A short reason in words for a failed CreateFileW ("not found", "access
// denied", ...); "system error N" for codes without words of their own.
std::string OpenFailureReason(DWORD error);

// One opened HID interface. Any handle is accepted: on one that is not a HID
// interface every operation simply fails.
class Win32HidDevice : public HidDevice {
public:
    explicit Win32HidDevice(UniqueFileHandle handle) noexcept;

    // HidD_GetAttributes.
    bool ReadIds(uint16_t& vendorId, uint16_t& productId) override;
    // HidP_GetCaps on the interface's preparsed data.
    bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) override;

    // HidD_SetFeature on a copy of the report (the system wants a writable
    // buffer); the caller's bytes are never changed.
    bool SetFeature(const uint8_t* report, size_t length) override;
    // HidD_GetFeature straight into the caller's buffer.
    bool GetFeature(uint8_t* report, size_t length) override;
    // The outcome of the last SetFeature or GetFeature: None after a success,
    // otherwise the failure's system error mapped by HidErrorFromSystemError.
    // A null or empty report, or one longer than the system can take, is Other
    // and never reaches the system.
    HidError LastError() const override { return lastError_; }

    HANDLE NativeHandle() const noexcept { return handle_.Get(); }

private:
    // Whether the report can be handed to the system; records Other if not.
    bool Transferable(const void* report, size_t length);
    bool Finish(BOOLEAN succeeded);

    UniqueFileHandle handle_;
    HidError lastError_ = HidError::None;
    std::vector<uint8_t> scratch_;
};

class Win32HidBackend : public HidBackend {
public:
    // Device paths (UTF-8) of the present HID interfaces, in SetupDi's order.
    // Interfaces whose path cannot be read are left out; an empty list when the
    // set cannot be obtained.
    std::vector<std::string> EnumerateInterfaces() override;

    // CreateFileW(path, read | write, shared read | write, OPEN_EXISTING, no
    // flags). On failure: null, and failure (if given) gets OpenFailureReason
    // of the system error.
    std::unique_ptr<HidDevice> Open(const std::string& path,
                                    std::string* failure = nullptr) override;
};

}  // namespace vandir
