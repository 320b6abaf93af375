#pragma once
// The one record of every setting: the mouse's configuration, the operating
// system's pointer settings the program manages, and the program's own.
// A plain structure: fields are read and written directly and no range is
// checked anywhere; values are stored and forwarded as they are.

#include <array>
#include <cstdint>
#include <string>

namespace vandir {

struct DpiPair {
    int16_t x = 0;
    int16_t y = 0;

    friend bool operator==(const DpiPair&, const DpiPair&) = default;
};

// LED modes of a level.
enum LedMode : uint8_t {
    kLedOff = 0,
    kLedOn = 1,
    kLedBlinking = 2,
    kLedBreathing = 6,
};

struct LevelLed {
    uint8_t levelIndex = 0;  // 0-based level this entry belongs to
    uint8_t mode = kLedOn;
    uint32_t colour = 0;      // 0x00BBGGRR
    uint8_t levelNumber = 0;  // carried to the mouse, edited by no page

    friend bool operator==(const LevelLed&, const LevelLed&) = default;
};

struct ButtonAssignment {
    uint8_t buttonIndex = 0;  // 0..6, fixed once the defaults are set
    uint8_t kind = 0;         // function kind
    int16_t code = 0;         // function code within the kind
    int16_t param1 = 0;
    int16_t param2 = 0;
    uint8_t defaultCode = 0;  // factory code; neither saved nor sent

    friend bool operator==(const ButtonAssignment&, const ButtonAssignment&) = default;
};

inline constexpr int kDpiLevels = 3;
inline constexpr int kButtons = 7;

// profileName of a record created or reset to defaults.
inline constexpr char16_t kDefaultProfileName[] = u"profile";
// profileName the main window gives the record before loading the profile.
inline constexpr char16_t kStartupProfileName[] = u"Profile";

struct MouseSettings {
    std::u16string profilePath;
    uint8_t profileIndex = 0;
    uint32_t profileNumber = 1;
    std::u16string profileName = kDefaultProfileName;
    uint16_t imageLength = 128;
    uint8_t reportRate = 1;  // 1 = 1000 Hz, 2 = 500 Hz, 4 = 250 Hz, 8 = 125 Hz
    uint8_t pointerSpeed = 6;
    uint8_t doubleClickSpeed = 4;
    uint8_t buttonResponse = 12;
    uint8_t osSettingsUnlocked = 0;
    uint8_t dpiLevelCount = 3;
    uint8_t activeLevel = 1;
    std::array<uint8_t, kDpiLevels> dpiLevelFlags{0, 0, 0};
    std::array<DpiPair, kDpiLevels> dpi{{{500, 500}, {1250, 1250}, {3500, 3500}}};
    uint8_t liftOff = 3;
    uint8_t autoStart = 0;
    uint8_t language = 1;
    uint8_t ledMode = kLedOn;
    uint32_t ledColour = 0x0000FF00;
    uint8_t ledLevel = 1;
    std::array<LevelLed, kDpiLevels> levelLeds{{
        {0, kLedOn, 0x000000FF, 1},
        {1, kLedOn, 0x0000FF00, 2},
        {2, kLedOn, 0x00FF0000, 3},
    }};
    std::array<ButtonAssignment, kButtons> buttons{{
        {0, 0, 1, 0, 0, 1},      // left click
        {1, 0, 2, 0, 0, 2},      // right click
        {2, 0, 4, 0, 0, 4},      // middle click
        {3, 0, 16, 0, 0, 16},    // browser forward
        {4, 0, 8, 0, 0, 8},      // browser back
        {5, 9, 240, 0, 0, 240},  // DPI up
        {6, 9, 242, 0, 0, 242},  // DPI down
    }};

    friend bool operator==(const MouseSettings&, const MouseSettings&) = default;

    // A record holding every default, with an empty path and the name "profile".
    static MouseSettings CreateWithDefaults();

    // The record the main window starts from before it loads the profile:
    // defaults, profileIndex 0, the name "Profile" and the given profile path.
    static MouseSettings ForStartup(std::u16string profilePath);

    // Every field back to its default except profilePath and profileIndex.
    void ResetToDefaults();
};

}  // namespace vandir
