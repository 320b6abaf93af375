#pragma once
// Sensor page (template 130) over "\Sensor Normal.bmp": the three DPI sliders
// and the lift-off slider, the DPI value labels, the tool-tip anchors over the
// printed headings, Reset and Apply.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kSensorControls{
    // DPI levels 1-3 and the lift-off distance.
    Slider(1022, {33, 107, 661, 17}, Sheet::SensorNormal),
    Slider(1023, {33, 184, 661, 17}, Sheet::SensorNormal),
    Slider(1024, {33, 262, 661, 17}, Sheet::SensorNormal),
    Slider(1025, {33, 339, 661, 17}, Sheet::SensorNormal, 63),
    // Values of DPI levels 1-3.
    Label(1126, {713, 108, 57, 16}, Sheet::SensorNormal, 65),
    Label(1127, {713, 185, 57, 16}, Sheet::SensorNormal, 66),
    Label(1128, {713, 263, 57, 16}, Sheet::SensorNormal, 67),
    // Anchors over "DPI Level 1", "DPI Level 2", "DPI Level 3", "Lift Off Distance".
    Anchor(1133, {36, 84, 70, 14}, Sheet::SensorNormal, 68),
    Anchor(1134, {36, 159, 70, 18}, Sheet::SensorNormal, 69),
    Anchor(1135, {36, 237, 70, 18}, Sheet::SensorNormal, 70),
    Anchor(1136, {36, 314, 99, 18}, Sheet::SensorNormal, 71),
    // Reset and Apply.
    PushButton(1104, {660, 462, 61, 43}, Sheet::SensorNormal, Sheet::SensorDown),
    PushButton(1105, {727, 462, 61, 43}, Sheet::SensorNormal, Sheet::SensorDown),
};

// "Analyze Surface" stays hidden.
inline constexpr std::array kSensorHidden{1021};

inline constexpr WindowLayout kSensorPage{
    "sensor page", Sheet::SensorNormal, {800, 515}, kSensorControls, kSensorHidden};

}  // namespace vandir::layout
