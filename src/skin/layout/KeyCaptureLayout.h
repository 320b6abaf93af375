#pragma once
// Key capture dialog (template 134) over "\Keyboard Normal.bmp": the four
// modifier boxes, the two key fields, Clear and OK. The dialog takes the size
// of its sheet.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kKeyCaptureControls{
    // Ctrl, Shift, Alt, Win.
    CheckBox(1118, {11, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(1119, {91, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(1120, {176, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(1121, {243, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    // First and second key field.
    Edit(1125, {43, 37, 77, 18}, Sheet::KeyboardNormal),
    Edit(1088, {189, 37, 77, 18}, Sheet::KeyboardNormal),
    // Clear and OK.
    PushButton(1073, {152, 67, 74, 28}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    PushButton(1072, {228, 67, 74, 28}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
};

inline constexpr WindowLayout kKeyCapture{
    "key capture dialog", Sheet::KeyboardNormal, {}, kKeyCaptureControls, {}};

}  // namespace vandir::layout
