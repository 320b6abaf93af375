#pragma once
// LED page (template 131) over "\LED Normal.png". The swatches and the mouse
// preview draw a colour fill under their overlay crops, whose transparent
// light windows let the colour show through.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

namespace led {
inline constexpr Sheet kNormal = Sheet::LedNormal;
inline constexpr Sheet kDown = Sheet::LedDown;

// Level buttons: disabled look from the Normal sheet.
constexpr Control LevelButton(int id, Rect rect) {
    return WithDisabled(PushButton(id, rect, kNormal, kDown), Crop{kNormal, rect});
}

// Mode boxes asked for through their skin element, optionally in state 3 too.
constexpr Control ModeBox(int id, Rect rect, int element, bool hasDisabledLook) {
    Control box = CheckBox(id, rect, kNormal, kDown, element);
    return hasDisabledLook ? WithDisabled(box, Crop{kNormal, rect, element}) : box;
}
}  // namespace led

inline constexpr std::array kLedControls{
    // Level buttons, DPI levels 1-3.
    led::LevelButton(1106, {441, 103, 48, 26}),
    led::LevelButton(1107, {562, 103, 47, 26}),
    led::LevelButton(1108, {682, 103, 47, 26}),
    // Colour swatches of levels 1-3 and the mouse preview.
    MouseStatic(1111, {492, 107, 17, 16}, led::kNormal, 78),
    MouseStatic(1112, {614, 107, 16, 16}, led::kNormal, 79),
    MouseStatic(1113, {736, 107, 16, 16}, led::kNormal, 80),
    MouseStatic(1085, {401, 166, 399, 38}, led::kNormal, 81),
    // Red, green, blue.
    Slider(1115, {437, 224, 300, 17}, led::kNormal, 86),
    Slider(1116, {437, 254, 300, 17}, led::kNormal, 87),
    Slider(1117, {437, 289, 300, 17}, led::kNormal, 88),
    Edit(1082, {743, 225, 39, 18}, led::kNormal, 89),
    Edit(1083, {743, 256, 39, 18}, led::kNormal, 90),
    Edit(1084, {743, 287, 39, 18}, led::kNormal, 91),
    // Mode boxes "Always ON", "Always OFF", "Rapid fire", "Breathing".
    led::ModeBox(1027, {412, 404, 19, 19}, 82, true),
    led::ModeBox(1028, {513, 404, 19, 19}, 83, true),
    led::ModeBox(1049, {617, 404, 19, 19}, 84, false),
    led::ModeBox(1061, {708, 404, 19, 19}, 85, false),
    // Anchors over the words of the four modes.
    Anchor(1132, {430, 406, 63, 15}, led::kNormal, 92),
    Anchor(1133, {533, 406, 63, 15}, led::kNormal, 93),
    Anchor(1134, {635, 406, 58, 15}, led::kNormal, 94),
    Anchor(1135, {726, 406, 59, 15}, led::kNormal, 95),
    // Reset and Apply.
    PushButton(1109, {660, 462, 61, 43}, led::kNormal, led::kDown),
    PushButton(1110, {727, 462, 61, 43}, led::kNormal, led::kDown),
};

inline constexpr WindowLayout kLedPage{"LED page", led::kNormal, {800, 515}, kLedControls, {}};

}  // namespace vandir::layout
