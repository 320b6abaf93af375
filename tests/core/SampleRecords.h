#pragma once
// Records for tests: one whose every field differs from the defaults, with
// values at the edges of their widths (negative signed fields, colours with
// the top bit set, a name outside ASCII with a surrogate pair).

#include <string>

#include "model/MouseSettings.h"

namespace vandir::testing {

inline MouseSettings EveryFieldChanged(std::u16string profilePath) {
    MouseSettings s;
    s.profilePath = std::move(profilePath);
    s.profileIndex = 4;
    s.profileNumber = 0xFFFFFFFF;
    s.profileName = u"Büro 日本 \U0001F5B1";
    s.imageLength = 0xFFFF;
    s.reportRate = 8;
    s.pointerSpeed = 11;
    s.doubleClickSpeed = 0;
    s.buttonResponse = 32;
    s.osSettingsUnlocked = 1;
    s.dpiLevelCount = 255;
    s.activeLevel = 0;
    s.dpiLevelFlags = {1, 0x80, 0xFF};
    s.dpi = {{{250, -1}, {-32768, 32767}, {3250, 3000}}};
    s.liftOff = 2;
    s.autoStart = 1;
    s.language = 12;
    s.ledMode = kLedBreathing;
    s.ledColour = 0xFF000000;
    s.ledLevel = 2;
    s.levelLeds = {{{2, kLedOff, 0x80000000, 7},
                    {1, kLedBlinking, 0x00FFFFFF, 0},
                    {0, kLedBreathing, 0x7FFFFFFF, 255}}};
    for (int i = 0; i < kButtons; ++i) {
        s.buttons[i] = {static_cast<uint8_t>(6 - i),   33,  -1, static_cast<int16_t>(0xE004),
                        static_cast<int16_t>(254 + i), 0x55};
    }
    return s;
}

// Copies the fields that the profile does not hold from one record to another.
inline void CopyUnsavedFields(const MouseSettings& from, MouseSettings& to) {
    to.profilePath = from.profilePath;
    to.buttonResponse = from.buttonResponse;
    to.activeLevel = from.activeLevel;
    for (int i = 0; i < kButtons; ++i) {
        to.buttons[i].defaultCode = from.buttons[i].defaultCode;
    }
}

}  // namespace vandir::testing
