#pragma once
// LED page (template 131) over "\LED Normal.png". The swatches and the mouse
// preview draw a colour fill under their overlay crops, whose transparent
// light windows let the colour show through.

#include <array>

#include "skin/layout/ResourceIds.h"
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
    led::LevelButton(IDC_LED_LEVEL_1, {441, 103, 48, 26}),
    led::LevelButton(IDC_LED_LEVEL_2, {562, 103, 47, 26}),
    led::LevelButton(IDC_LED_LEVEL_3, {682, 103, 47, 26}),
    // Colour swatches of levels 1-3 and the mouse preview.
    MouseStatic(IDC_LED_SWATCH_1, {492, 107, 17, 16}, led::kNormal, 78),
    MouseStatic(IDC_LED_SWATCH_2, {614, 107, 16, 16}, led::kNormal, 79),
    MouseStatic(IDC_LED_SWATCH_3, {736, 107, 16, 16}, led::kNormal, 80),
    MouseStatic(IDC_LED_PREVIEW, {401, 166, 399, 38}, led::kNormal, 81),
    // Red, green, blue.
    Slider(IDC_LED_RED, {437, 224, 300, 17}, led::kNormal, {0, 255, 1, 0}, 86),
    Slider(IDC_LED_GREEN, {437, 254, 300, 17}, led::kNormal, {0, 255, 1, 0}, 87),
    Slider(IDC_LED_BLUE, {437, 289, 300, 17}, led::kNormal, {0, 255, 1, 0}, 88),
    Edit(IDC_LED_RED_EDIT, {743, 225, 39, 18}, led::kNormal, 89, 16),
    Edit(IDC_LED_GREEN_EDIT, {743, 256, 39, 18}, led::kNormal, 90, 16),
    Edit(IDC_LED_BLUE_EDIT, {743, 287, 39, 18}, led::kNormal, 91, 16),
    // Mode boxes "Always ON", "Always OFF", "Rapid fire", "Breathing".
    led::ModeBox(IDC_LED_MODE_ON, {412, 404, 19, 19}, 82, true),
    led::ModeBox(IDC_LED_MODE_OFF, {513, 404, 19, 19}, 83, true),
    led::ModeBox(IDC_LED_MODE_BLINK, {617, 404, 19, 19}, 84, false),
    led::ModeBox(IDC_LED_MODE_BREATHE, {708, 404, 19, 19}, 85, false),
    // Anchors over the words of the four modes.
    Anchor(IDC_LED_ANCHOR_ON, {430, 406, 63, 15}, led::kNormal, 92),
    Anchor(IDC_LED_ANCHOR_OFF, {533, 406, 63, 15}, led::kNormal, 93),
    Anchor(IDC_LED_ANCHOR_BLINK, {635, 406, 58, 15}, led::kNormal, 94),
    Anchor(IDC_LED_ANCHOR_BREATHE, {726, 406, 59, 15}, led::kNormal, 95),
    // Reset and Apply.
    ResetButton(IDC_LED_RESET, {660, 462, 61, 43}, led::kNormal, led::kDown),
    ApplyButton(IDC_LED_APPLY, {727, 462, 61, 43}, led::kNormal, led::kDown),
};

inline constexpr WindowLayout kLedPage{
    .name = "LED page",
    .templateId = IDD_LED,
    .background = led::kNormal,
    .size = {800, 515},
    .controls = kLedControls,
};

}  // namespace vandir::layout
