#pragma once
// The mouse-settings page (template 129) in its two modes: Key Assignment
// (mode 12) and OS Sensitivity (mode 17). Every picture is the control's own
// rectangle cut from the mode's Normal sheet (normal look) and Down sheet
// (hover, pressed, checked and selected looks).

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

// The controls of one of the mouse's seven buttons, in button order.
struct MouseButtonControls {
    int selector;  // CKivComboButton with the button's function
    int hotSpot;   // CKivButton on the mouse picture
    int badge;     // CKivButton with the button's number
};

inline constexpr std::array<MouseButtonControls, 7> kMouseButtonControls{{
    {1012, 1032, 1038},
    {1021, 1033, 1039},
    {1022, 1013, 1017},
    {1023, 1034, 1042},
    {1024, 1037, 1045},
    {1025, 1035, 1043},
    {1026, 1036, 1044},
}};

namespace key_assignment {
inline constexpr Sheet kNormal = Sheet::KeyAssignmentNormal;
inline constexpr Sheet kDown = Sheet::KeyAssignmentDown;
}  // namespace key_assignment

inline constexpr std::array kKeyAssignmentControls{
    // Both modes: the two tabs, Reset and Apply.
    PushButton(1097, {1, 2, 157, 21}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1098, {160, 2, 160, 21}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1099, {660, 462, 61, 43}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1100, {727, 462, 61, 43}, key_assignment::kNormal, key_assignment::kDown),
    // Function selectors of buttons 1-7.
    ComboButton(1012, {474, 139, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1021, {474, 172, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1022, {474, 205, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1023, {474, 238, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1024, {474, 270, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1025, {474, 302, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    ComboButton(1026, {474, 336, 272, 27}, key_assignment::kNormal, key_assignment::kDown),
    // Hot-spots on the mouse picture, buttons 1-7.
    PushButton(1032, {117, 95, 22, 24}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1033, {253, 95, 24, 24}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1013, {185, 75, 22, 22}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1034, {35, 193, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1037, {35, 244, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1035, {184, 160, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1036, {184, 240, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    // Number badges, buttons 1-7.
    PushButton(1038, {445, 140, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1039, {445, 174, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1017, {445, 207, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1042, {445, 240, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1045, {445, 272, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1043, {445, 304, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(1044, {445, 337, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
};

// Mode 12 hides the controls of mode 17.
inline constexpr std::array kKeyAssignmentHidden{1028, 1027, 1029, 1030, 1040, 1041, 1016,
                                                 1014, 1015, 1131, 1132, 1133, 1134, 1135};

inline constexpr WindowLayout kKeyAssignment{"key assignment page",
                                             key_assignment::kNormal,
                                             {800, 515},
                                             kKeyAssignmentControls,
                                             kKeyAssignmentHidden};

namespace os_sensitivity {
inline constexpr Sheet kNormal = Sheet::OsSensitivityNormal;
inline constexpr Sheet kDown = Sheet::OsSensitivityDown;
}  // namespace os_sensitivity

inline constexpr std::array kOsSensitivityControls{
    // Both modes: the two tabs, Reset and Apply.
    PushButton(1097, {1, 2, 157, 21}, os_sensitivity::kNormal, os_sensitivity::kDown),
    PushButton(1098, {160, 2, 160, 21}, os_sensitivity::kNormal, os_sensitivity::kDown),
    PushButton(1099, {660, 462, 61, 43}, os_sensitivity::kNormal, os_sensitivity::kDown),
    PushButton(1100, {727, 462, 61, 43}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // USB polling rate: 125, 250, 500 and 1000 reports per second.
    CheckBox(1028, {60, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(1027, {140, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(1029, {219, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(1030, {299, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // Lock and Unlock.
    CheckBox(1040, {59, 370, 19, 20}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(1041, {139, 370, 18, 20}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // Pointer speed, double-click speed, button response time.
    Slider(1016, {97, 168, 646, 19}, os_sensitivity::kNormal, 0, kDisabledThumb),
    Slider(1014, {97, 232, 646, 18}, os_sensitivity::kNormal, 0, kDisabledThumb),
    Slider(1015, {97, 294, 646, 17}, os_sensitivity::kNormal, 0, kDisabledThumb),
    // Tool-tip anchors over "USB POLLING RATE", "LOCK OS SETTINGS",
    // "Sensitivity", "Double click" and "Response time".
    Anchor(1131, {59, 90, 102, 16}, os_sensitivity::kNormal),
    Anchor(1132, {59, 349, 102, 14}, os_sensitivity::kNormal),
    Anchor(1133, {57, 149, 86, 18}, os_sensitivity::kNormal),
    Anchor(1134, {57, 213, 135, 16}, os_sensitivity::kNormal),
    Anchor(1135, {57, 276, 129, 16}, os_sensitivity::kNormal),
};

// Mode 17 hides the controls of mode 12.
inline constexpr std::array kOsSensitivityHidden{1012, 1021, 1022, 1023, 1024, 1025, 1026,
                                                 1032, 1033, 1013, 1034, 1037, 1035, 1036,
                                                 1038, 1039, 1017, 1042, 1045, 1043, 1044};

inline constexpr WindowLayout kOsSensitivity{"OS sensitivity page",
                                             os_sensitivity::kNormal,
                                             {800, 515},
                                             kOsSensitivityControls,
                                             kOsSensitivityHidden};

}  // namespace vandir::layout
