#pragma once
// Access to HID interfaces, one implementation per platform (SetupDi + HidD on
// Windows, hidraw on Linux) and a simulated mouse. The transport above it holds
// the rules (which device, retries, busy polling); a backend only transfers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vandir {

// Why the last transfer failed: the five system errors after which a transfer
// is worth retrying, or anything else.
enum class HidError {
    None,
    NotReady,          // Windows ERROR_NOT_READY (21)
    Crc,               // ERROR_CRC (23)
    WriteFault,        // ERROR_WRITE_FAULT (29)
    InvalidParameter,  // ERROR_INVALID_PARAMETER (87)
    FunctionFailed,    // ERROR_FUNCTION_FAILED (1627)
    Other,
};

constexpr bool IsRetryable(HidError error) {
    return error != HidError::None && error != HidError::Other;
}

// One open HID interface. Destroying it closes it.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // USB vendor and product ID; false when they cannot be read.
    virtual bool ReadIds(uint16_t& vendorId, uint16_t& productId) = 0;
    // Usage page and usage of the interface's top-level collection; false when
    // they cannot be read.
    virtual bool ReadTopLevelUsage(uint16_t& usagePage, uint16_t& usage) = 0;
    // Whether the interface offers a top-level collection of this usage page
    // and usage. Here the one that ReadTopLevelUsage reads is compared; an
    // interface that carries several top-level collections looks at each.
    virtual bool HasTopLevelUsage(uint16_t usagePage, uint16_t usage) {
        uint16_t page = 0;
        uint16_t found = 0;
        return ReadTopLevelUsage(page, found) && page == usagePage && found == usage;
    }

    // One feature-report transfer each; byte 0 of the buffer is the report ID.
    // GetFeature fills the buffer with the reply. False on failure, and then
    // LastError tells why.
    virtual bool SetFeature(const uint8_t* report, size_t length) = 0;
    virtual bool GetFeature(uint8_t* report, size_t length) = 0;
    virtual HidError LastError() const = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Device paths of the HID interfaces present now, in the system's order.
    virtual std::vector<std::string> EnumerateInterfaces() = 0;
    // Opens an interface for reading and writing (shared with other users);
    // null when it cannot be opened, and then, when failure is given, a short
    // reason in words ("permission denied").
    virtual std::unique_ptr<HidDevice> Open(const std::string& path,
                                            std::string* failure = nullptr) = 0;
};

}  // namespace vandir
