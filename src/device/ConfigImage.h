#pragma once
// The mouse's 128-byte configuration block and its conversion to and from the
// settings record, in two steps each way: record <-> DeviceConfig (field
// copies) and DeviceConfig <-> image (byte packing, little-endian).

#include <array>
#include <cstdint>

#include "model/MouseSettings.h"

namespace vandir {

inline constexpr size_t kConfigImageSize = 128;
using ConfigImage = std::array<uint8_t, kConfigImageSize>;

struct ImageButton {
    uint8_t kind = 0;
    uint8_t code = 0;
    uint16_t param1 = 0;
    uint16_t param2 = 0;
    uint8_t response = 0;

    friend bool operator==(const ImageButton&, const ImageButton&) = default;
};

struct DeviceLevel {
    uint8_t flag = 0;
    uint16_t x = 0;
    uint16_t y = 0;

    friend bool operator==(const DeviceLevel&, const DeviceLevel&) = default;
};

struct DeviceLed {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t mode = 0;

    friend bool operator==(const DeviceLed&, const DeviceLed&) = default;
};

struct DeviceLevelLed {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t mode = 0;
    uint8_t levelNumber = 0;

    friend bool operator==(const DeviceLevelLed&, const DeviceLevelLed&) = default;
};

// The decoded image in native widths; lives for one read or write.
struct DeviceConfig {
    uint8_t profile = 0;                                 // byte 0
    uint16_t length = 0;                                 // bytes 1-2
    uint16_t reserved = 0;                               // bytes 3-4
    uint8_t reportRate = 0;                              // byte 5
    uint8_t currentLevel = 0;                            // byte 30
    uint8_t levelCount = 0;                              // byte 31
    uint8_t spare = 0;                                   // byte 32
    std::array<DeviceLevel, kDpiLevels> levels{};        // bytes 35-49
    uint8_t reserved2 = 0;                               // byte 50
    uint8_t liftOff = 0;                                 // byte 51
    std::array<ImageButton, kButtons> buttons{};         // bytes 55-103
    DeviceLed currentLed{};                              // bytes 8-11
    std::array<DeviceLevelLed, kDpiLevels> levelLeds{};  // bytes 15-29

    friend bool operator==(const DeviceConfig&, const DeviceConfig&) = default;
};

// Record -> DeviceConfig, the first step of encoding.
DeviceConfig DeviceConfigFromSettings(const MouseSettings& settings);
// DeviceConfig -> image, the second step of encoding.
ConfigImage PackConfigImage(const DeviceConfig& config);
// Image -> DeviceConfig, the first step of decoding.
DeviceConfig UnpackConfigImage(const ConfigImage& image);
// DeviceConfig -> record, the second step of decoding: only the fields that
// are read back from the mouse change.
void ApplyDeviceConfig(const DeviceConfig& config, MouseSettings& settings);

// Both steps each way.
ConfigImage EncodeConfigImage(const MouseSettings& settings);
void DecodeConfigImage(const ConfigImage& image, MouseSettings& settings);

// Sum of the 128 bytes, kept to 16 bits.
uint16_t ConfigImageChecksum(const ConfigImage& image);

}  // namespace vandir
