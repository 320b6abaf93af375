#pragma once
// The mouse-settings page (template 129) in its two modes: Key Assignment
// (mode 12) and OS Sensitivity (mode 17). Every picture is the control's own
// rectangle cut from the mode's Normal sheet (normal look) and Down sheet
// (hover, pressed, checked and selected looks).

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

// The controls of one of the mouse's seven buttons, in button order.
struct MouseButtonControls {
    int selector;  // CKivComboButton with the button's function
    int hotSpot;   // CKivButton on the mouse picture
    int badge;     // CKivButton with the button's number
};

inline constexpr std::array<MouseButtonControls, 7> kMouseButtonControls{{
    {IDC_MS_SELECTOR_1, IDC_MS_HOTSPOT_1, IDC_MS_BADGE_1},
    {IDC_MS_SELECTOR_2, IDC_MS_HOTSPOT_2, IDC_MS_BADGE_2},
    {IDC_MS_SELECTOR_3, IDC_MS_HOTSPOT_3, IDC_MS_BADGE_3},
    {IDC_MS_SELECTOR_4, IDC_MS_HOTSPOT_4, IDC_MS_BADGE_4},
    {IDC_MS_SELECTOR_5, IDC_MS_HOTSPOT_5, IDC_MS_BADGE_5},
    {IDC_MS_SELECTOR_6, IDC_MS_HOTSPOT_6, IDC_MS_BADGE_6},
    {IDC_MS_SELECTOR_7, IDC_MS_HOTSPOT_7, IDC_MS_BADGE_7},
}};

namespace key_assignment {
inline constexpr Sheet kNormal = Sheet::KeyAssignmentNormal;
inline constexpr Sheet kDown = Sheet::KeyAssignmentDown;
}  // namespace key_assignment

inline constexpr std::array kKeyAssignmentControls{
    // Both modes: the two tabs, Reset and Apply.
    PushButton(IDC_MS_TAB_KEYS, {1, 2, 157, 21}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_TAB_OS, {160, 2, 160, 21}, key_assignment::kNormal, key_assignment::kDown),
    ResetButton(IDC_MS_RESET, {660, 462, 61, 43}, key_assignment::kNormal, key_assignment::kDown),
    ApplyButton(IDC_MS_APPLY, {727, 462, 61, 43}, key_assignment::kNormal, key_assignment::kDown),
    // Function selectors of buttons 1-7.
    ComboButton(IDC_MS_SELECTOR_1, {474, 139, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_2, {474, 172, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_3, {474, 205, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_4, {474, 238, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_5, {474, 270, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_6, {474, 302, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    ComboButton(IDC_MS_SELECTOR_7, {474, 336, 272, 27}, key_assignment::kNormal,
                key_assignment::kDown),
    // Hot-spots on the mouse picture, buttons 1-7.
    PushButton(IDC_MS_HOTSPOT_1, {117, 95, 22, 24}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_2, {253, 95, 24, 24}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_3, {185, 75, 22, 22}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_4, {35, 193, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_5, {35, 244, 24, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_6, {184, 160, 24, 25}, key_assignment::kNormal,
               key_assignment::kDown),
    PushButton(IDC_MS_HOTSPOT_7, {184, 240, 24, 25}, key_assignment::kNormal,
               key_assignment::kDown),
    // Number badges, buttons 1-7.
    PushButton(IDC_MS_BADGE_1, {445, 140, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_2, {445, 174, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_3, {445, 207, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_4, {445, 240, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_5, {445, 272, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_6, {445, 304, 25, 25}, key_assignment::kNormal, key_assignment::kDown),
    PushButton(IDC_MS_BADGE_7, {445, 337, 25, 26}, key_assignment::kNormal, key_assignment::kDown),
};

// Mode 12 hides the controls of mode 17.
inline constexpr std::array kKeyAssignmentHidden{IDC_MS_POLL_125,
                                                 IDC_MS_POLL_250,
                                                 IDC_MS_POLL_500,
                                                 IDC_MS_POLL_1000,
                                                 IDC_MS_LOCK,
                                                 IDC_MS_UNLOCK,
                                                 IDC_MS_POINTER_SPEED,
                                                 IDC_MS_DOUBLE_CLICK,
                                                 IDC_MS_RESPONSE,
                                                 IDC_MS_ANCHOR_POLLING,
                                                 IDC_MS_ANCHOR_LOCK,
                                                 IDC_MS_ANCHOR_SPEED,
                                                 IDC_MS_ANCHOR_DOUBLE_CLICK,
                                                 IDC_MS_ANCHOR_RESPONSE};

inline constexpr WindowLayout kKeyAssignment{
    .name = "key assignment page",
    .templateId = IDD_MOUSE_SETTINGS,
    .background = key_assignment::kNormal,
    .size = {800, 515},
    .controls = kKeyAssignmentControls,
    .hiddenIds = kKeyAssignmentHidden,
};

namespace os_sensitivity {
inline constexpr Sheet kNormal = Sheet::OsSensitivityNormal;
inline constexpr Sheet kDown = Sheet::OsSensitivityDown;
}  // namespace os_sensitivity

inline constexpr std::array kOsSensitivityControls{
    // Both modes: the two tabs, Reset and Apply.
    PushButton(IDC_MS_TAB_KEYS, {1, 2, 157, 21}, os_sensitivity::kNormal, os_sensitivity::kDown),
    PushButton(IDC_MS_TAB_OS, {160, 2, 160, 21}, os_sensitivity::kNormal, os_sensitivity::kDown),
    ResetButton(IDC_MS_RESET, {660, 462, 61, 43}, os_sensitivity::kNormal, os_sensitivity::kDown),
    ApplyButton(IDC_MS_APPLY, {727, 462, 61, 43}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // USB polling rate: 125, 250, 500 and 1000 reports per second.
    CheckBox(IDC_MS_POLL_125, {60, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(IDC_MS_POLL_250, {140, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(IDC_MS_POLL_500, {219, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(IDC_MS_POLL_1000, {299, 111, 17, 17}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // Lock and Unlock.
    CheckBox(IDC_MS_LOCK, {59, 370, 19, 20}, os_sensitivity::kNormal, os_sensitivity::kDown),
    CheckBox(IDC_MS_UNLOCK, {139, 370, 18, 20}, os_sensitivity::kNormal, os_sensitivity::kDown),
    // Pointer speed, double-click speed, button response time.
    Slider(IDC_MS_POINTER_SPEED, {97, 168, 646, 19}, os_sensitivity::kNormal, {1, 11, 1, 6}, {},
           kDisabledThumb),
    Slider(IDC_MS_DOUBLE_CLICK, {97, 232, 646, 18}, os_sensitivity::kNormal, {1, 11, 1, 4}, {},
           kDisabledThumb),
    Slider(IDC_MS_RESPONSE, {97, 294, 646, 17}, os_sensitivity::kNormal, {4, 32, 4, 12}, {},
           kDisabledThumb),
    // Tool-tip anchors over "USB POLLING RATE", "LOCK OS SETTINGS",
    // "Sensitivity", "Double click" and "Response time".
    Anchor(IDC_MS_ANCHOR_POLLING, {59, 90, 102, 16}, os_sensitivity::kNormal),
    Anchor(IDC_MS_ANCHOR_LOCK, {59, 349, 102, 14}, os_sensitivity::kNormal),
    Anchor(IDC_MS_ANCHOR_SPEED, {57, 149, 86, 18}, os_sensitivity::kNormal),
    Anchor(IDC_MS_ANCHOR_DOUBLE_CLICK, {57, 213, 135, 16}, os_sensitivity::kNormal),
    Anchor(IDC_MS_ANCHOR_RESPONSE, {57, 276, 129, 16}, os_sensitivity::kNormal),
};

// Mode 17 hides the controls of mode 12.
inline constexpr std::array kOsSensitivityHidden{
    IDC_MS_SELECTOR_1, IDC_MS_SELECTOR_2, IDC_MS_SELECTOR_3, IDC_MS_SELECTOR_4, IDC_MS_SELECTOR_5,
    IDC_MS_SELECTOR_6, IDC_MS_SELECTOR_7, IDC_MS_HOTSPOT_1,  IDC_MS_HOTSPOT_2,  IDC_MS_HOTSPOT_3,
    IDC_MS_HOTSPOT_4,  IDC_MS_HOTSPOT_5,  IDC_MS_HOTSPOT_6,  IDC_MS_HOTSPOT_7,  IDC_MS_BADGE_1,
    IDC_MS_BADGE_2,    IDC_MS_BADGE_3,    IDC_MS_BADGE_4,    IDC_MS_BADGE_5,    IDC_MS_BADGE_6,
    IDC_MS_BADGE_7};

inline constexpr WindowLayout kOsSensitivity{
    .name = "OS sensitivity page",
    .templateId = IDD_MOUSE_SETTINGS,
    .background = os_sensitivity::kNormal,
    .size = {800, 515},
    .controls = kOsSensitivityControls,
    .hiddenIds = kOsSensitivityHidden,
};

}  // namespace vandir::layout
