#include "device/ConfigImage.h"

namespace vandir {
namespace {

// Where each part of the image lies.
constexpr size_t kProfileByte = 0;
constexpr size_t kLengthBytes = 1;
constexpr size_t kReservedBytes = 3;
constexpr size_t kReportRateByte = 5;
constexpr size_t kCurrentLedBytes = 8;
constexpr size_t kLevelLedBytes = 15;  // 5 bytes per level
constexpr size_t kCurrentLevelByte = 30;
constexpr size_t kLevelCountByte = 31;
constexpr size_t kSpareByte = 32;
constexpr size_t kLevelBytes = 35;  // 5 bytes per level
constexpr size_t kReserved2Byte = 50;
constexpr size_t kLiftOffByte = 51;
constexpr size_t kButtonBytes = 55;  // 7 bytes per button

void Put16(ConfigImage& image, size_t at, uint16_t value) {
    image[at] = static_cast<uint8_t>(value);
    image[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Get16(const ConfigImage& image, size_t at) {
    return static_cast<uint16_t>(image[at] | (image[at + 1] << 8));
}

uint8_t Red(uint32_t colour) {
    return static_cast<uint8_t>(colour);
}
uint8_t Green(uint32_t colour) {
    return static_cast<uint8_t>(colour >> 8);
}
uint8_t Blue(uint32_t colour) {
    return static_cast<uint8_t>(colour >> 16);
}
uint32_t Colour(uint8_t red, uint8_t green, uint8_t blue) {
    return red | (static_cast<uint32_t>(green) << 8) | (static_cast<uint32_t>(blue) << 16);
}

uint8_t LowByte(int16_t value) {
    return static_cast<uint8_t>(value);
}

ImageButton ImageButtonFromAssignment(const ButtonAssignment& b, uint8_t response) {
    ImageButton entry;
    entry.response = response;
    switch (b.kind) {
        case 0:
        case 9:
        case 255:
            entry.kind = b.kind;
            entry.code = LowByte(b.code);
            break;
        case 2:
            entry.kind = b.kind;
            entry.code = LowByte(b.code);
            entry.param1 = static_cast<uint16_t>(b.param1);
            break;
        case 32:
            entry.kind = b.kind;
            entry.param1 = static_cast<uint16_t>(b.param1);
            break;
        case 33:
            entry.kind = b.kind;
            entry.code = LowByte(b.code);
            entry.param1 = static_cast<uint16_t>(b.param1);
            entry.param2 = static_cast<uint16_t>(b.param2);
            break;
        case 34:
        case 35:
            entry.kind = b.kind;
            break;
        default:
            break;  // an unknown kind is sent as an empty mouse entry
    }
    return entry;
}

void ApplyImageButton(const ImageButton& entry, ButtonAssignment& b) {
    b.param1 = 0;
    b.param2 = 0;
    switch (entry.kind) {
        case 0:
        case 9:
        case 255:
            b.kind = entry.kind;
            b.code = entry.code;
            break;
        case 2:
            b.kind = entry.kind;
            b.code = entry.code;
            b.param1 = static_cast<int16_t>(entry.param1);
            break;
        case 32:
            b.kind = entry.kind;
            b.code = 0;
            b.param1 = static_cast<int16_t>(entry.param1);
            break;
        case 33:
            b.kind = entry.kind;
            b.code = entry.code;
            b.param1 = static_cast<int16_t>(entry.param1);
            b.param2 = static_cast<int16_t>(entry.param2);
            break;
        case 34:
        case 35:
            b.kind = entry.kind;
            break;
        default:
            break;  // an unknown kind keeps the record's function
    }
}

}  // namespace

DeviceConfig DeviceConfigFromSettings(const MouseSettings& s) {
    DeviceConfig c;
    c.profile = s.profileIndex;
    c.length = kConfigImageSize;
    c.reserved = 0;
    c.reportRate = s.reportRate;
    c.currentLed = {Red(s.ledColour), Green(s.ledColour), Blue(s.ledColour), s.ledMode};
    for (int k = 0; k < kDpiLevels; ++k) {
        const LevelLed& led = s.levelLeds[k];
        c.levelLeds[k] = {Red(led.colour), Green(led.colour), Blue(led.colour), led.mode,
                          led.levelNumber};
        c.levels[k] = {s.dpiLevelFlags[k], static_cast<uint16_t>(s.dpi[k].x),
                       static_cast<uint16_t>(s.dpi[k].y)};
    }
    c.currentLevel = s.ledLevel;
    c.levelCount = s.dpiLevelCount;
    c.reserved2 = 0;
    c.liftOff = s.liftOff;
    for (int i = 0; i < kButtons; ++i) {
        c.buttons[i] = ImageButtonFromAssignment(s.buttons[i], s.buttonResponse);
    }
    return c;
}

ConfigImage PackConfigImage(const DeviceConfig& c) {
    ConfigImage image{};
    image[kProfileByte] = c.profile;
    Put16(image, kLengthBytes, c.length);
    Put16(image, kReservedBytes, c.reserved);
    image[kReportRateByte] = c.reportRate;
    image[kCurrentLedBytes + 0] = c.currentLed.red;
    image[kCurrentLedBytes + 1] = c.currentLed.green;
    image[kCurrentLedBytes + 2] = c.currentLed.blue;
    image[kCurrentLedBytes + 3] = c.currentLed.mode;
    for (size_t k = 0; k < kDpiLevels; ++k) {
        const size_t led = kLevelLedBytes + 5 * k;
        image[led + 0] = c.levelLeds[k].red;
        image[led + 1] = c.levelLeds[k].green;
        image[led + 2] = c.levelLeds[k].blue;
        image[led + 3] = c.levelLeds[k].mode;
        image[led + 4] = c.levelLeds[k].levelNumber;
        const size_t level = kLevelBytes + 5 * k;
        image[level] = c.levels[k].flag;
        Put16(image, level + 1, c.levels[k].x);
        Put16(image, level + 3, c.levels[k].y);
    }
    image[kCurrentLevelByte] = c.currentLevel;
    image[kLevelCountByte] = c.levelCount;
    image[kSpareByte] = c.spare;
    image[kReserved2Byte] = c.reserved2;
    image[kLiftOffByte] = c.liftOff;
    for (size_t i = 0; i < kButtons; ++i) {
        const size_t at = kButtonBytes + 7 * i;
        const ImageButton& b = c.buttons[i];
        image[at] = b.kind;
        image[at + 1] = b.code;
        Put16(image, at + 2, b.param1);
        Put16(image, at + 4, b.param2);
        image[at + 6] = b.response;
    }
    return image;
}

DeviceConfig UnpackConfigImage(const ConfigImage& image) {
    DeviceConfig c;
    c.profile = image[kProfileByte];
    c.length = Get16(image, kLengthBytes);
    c.reserved = Get16(image, kReservedBytes);
    c.reportRate = image[kReportRateByte];
    c.currentLed = {image[kCurrentLedBytes], image[kCurrentLedBytes + 1],
                    image[kCurrentLedBytes + 2], image[kCurrentLedBytes + 3]};
    for (size_t k = 0; k < kDpiLevels; ++k) {
        const size_t led = kLevelLedBytes + 5 * k;
        c.levelLeds[k] = {image[led], image[led + 1], image[led + 2], image[led + 3],
                          image[led + 4]};
        const size_t level = kLevelBytes + 5 * k;
        c.levels[k] = {image[level], Get16(image, level + 1), Get16(image, level + 3)};
    }
    c.currentLevel = image[kCurrentLevelByte];
    c.levelCount = image[kLevelCountByte];
    c.spare = image[kSpareByte];
    c.reserved2 = image[kReserved2Byte];
    c.liftOff = image[kLiftOffByte];
    for (size_t i = 0; i < kButtons; ++i) {
        const size_t at = kButtonBytes + 7 * i;
        c.buttons[i] = {image[at], image[at + 1], Get16(image, at + 2), Get16(image, at + 4),
                        image[at + 6]};
    }
    return c;
}

void ApplyDeviceConfig(const DeviceConfig& c, MouseSettings& s) {
    s.reportRate = c.reportRate;
    s.ledColour = Colour(c.currentLed.red, c.currentLed.green, c.currentLed.blue);
    s.ledMode = c.currentLed.mode;
    for (int k = 0; k < kDpiLevels; ++k) {
        const DeviceLevelLed& led = c.levelLeds[k];
        s.levelLeds[k].colour = Colour(led.red, led.green, led.blue);
        s.levelLeds[k].mode = led.mode;
        s.levelLeds[k].levelNumber = led.levelNumber;
        s.dpi[k].x = static_cast<int16_t>(c.levels[k].x);
        s.dpi[k].y = static_cast<int16_t>(c.levels[k].y);
    }
    s.activeLevel = c.currentLevel;
    s.dpiLevelCount = c.levelCount;
    s.liftOff = c.liftOff;
    for (int i = 0; i < kButtons; ++i) {
        // Every entry carries a response time; the seventh one's remains.
        s.buttonResponse = c.buttons[i].response;
        ApplyImageButton(c.buttons[i], s.buttons[i]);
    }
}

ConfigImage EncodeConfigImage(const MouseSettings& settings) {
    return PackConfigImage(DeviceConfigFromSettings(settings));
}

void DecodeConfigImage(const ConfigImage& image, MouseSettings& settings) {
    ApplyDeviceConfig(UnpackConfigImage(image), settings);
}

uint16_t ConfigImageChecksum(const ConfigImage& image) {
    uint16_t sum = 0;
    for (uint8_t byte : image) {
        sum = static_cast<uint16_t>(sum + byte);
    }
    return sum;
}

}  // namespace vandir
