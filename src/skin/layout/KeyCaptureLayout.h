#pragma once
// Key capture dialog (template 134) over "\Keyboard Normal.bmp": the four
// modifier boxes, the two key fields, Clear and OK. The dialog takes the size
// of its sheet.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kKeyCaptureControls{
    // Ctrl, Shift, Alt, Win.
    CheckBox(IDC_KEYS_CTRL, {11, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(IDC_KEYS_SHIFT, {91, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(IDC_KEYS_ALT, {176, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    CheckBox(IDC_KEYS_WIN, {243, 8, 17, 17}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    // First and second key field.
    Edit(IDC_KEYS_FIRST, {43, 37, 77, 18}, Sheet::KeyboardNormal),
    Edit(IDC_KEYS_SECOND, {189, 37, 77, 18}, Sheet::KeyboardNormal),
    // Clear and OK.
    PushButton(IDC_KEYS_CLEAR, {152, 67, 74, 28}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
    PushButton(IDC_KEYS_OK, {228, 67, 74, 28}, Sheet::KeyboardNormal, Sheet::KeyboardDown),
};

inline constexpr WindowLayout kKeyCapture{
    .name = "key capture dialog",
    .templateId = IDD_KEY_CAPTURE,
    .background = Sheet::KeyboardNormal,
    .controls = kKeyCaptureControls,
};

}  // namespace vandir::layout
