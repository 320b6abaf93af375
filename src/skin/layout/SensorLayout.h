#pragma once
// Sensor page (template 130) over "\Sensor Normal.bmp": the three DPI sliders
// and the lift-off slider, the DPI value labels, the tool-tip anchors over the
// printed headings, Reset and Apply.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kSensorControls{
    // DPI levels 1-3 and the lift-off distance.
    Slider(IDC_SENSOR_DPI_1, {33, 107, 661, 17}, Sheet::SensorNormal, {250, 3500, 250, 500}),
    Slider(IDC_SENSOR_DPI_2, {33, 184, 661, 17}, Sheet::SensorNormal, {250, 3500, 250, 1250}),
    Slider(IDC_SENSOR_DPI_3, {33, 262, 661, 17}, Sheet::SensorNormal, {250, 3500, 250, 3500}),
    Slider(IDC_SENSOR_LIFT_OFF, {33, 339, 661, 17}, Sheet::SensorNormal, {1, 3, 1, 2}, 63),
    // Values of DPI levels 1-3.
    Label(IDC_SENSOR_VALUE_1, {713, 108, 57, 16}, Sheet::SensorNormal, 65, 16, true),
    Label(IDC_SENSOR_VALUE_2, {713, 185, 57, 16}, Sheet::SensorNormal, 66, 16, true),
    Label(IDC_SENSOR_VALUE_3, {713, 263, 57, 16}, Sheet::SensorNormal, 67, 16, true),
    // Anchors over "DPI Level 1", "DPI Level 2", "DPI Level 3", "Lift Off Distance".
    Anchor(IDC_SENSOR_ANCHOR_DPI_1, {36, 84, 70, 14}, Sheet::SensorNormal, 68),
    Anchor(IDC_SENSOR_ANCHOR_DPI_2, {36, 159, 70, 18}, Sheet::SensorNormal, 69),
    Anchor(IDC_SENSOR_ANCHOR_DPI_3, {36, 237, 70, 18}, Sheet::SensorNormal, 70),
    Anchor(IDC_SENSOR_ANCHOR_LIFT_OFF, {36, 314, 99, 18}, Sheet::SensorNormal, 71),
    // Reset and Apply.
    ResetButton(IDC_SENSOR_RESET, {660, 462, 61, 43}, Sheet::SensorNormal, Sheet::SensorDown),
    ApplyButton(IDC_SENSOR_APPLY, {727, 462, 61, 43}, Sheet::SensorNormal, Sheet::SensorDown),
};

// "Analyze Surface" stays hidden.
inline constexpr std::array kSensorHidden{IDC_SENSOR_ANALYZE};

inline constexpr WindowLayout kSensorPage{
    .name = "sensor page",
    .templateId = IDD_SENSOR,
    .background = Sheet::SensorNormal,
    .size = {800, 515},
    .controls = kSensorControls,
    .hiddenIds = kSensorHidden,
};

}  // namespace vandir::layout
