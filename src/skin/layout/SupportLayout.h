#pragma once
// Support page (template 133) over "\SUPPORT Normal.bmp".

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kSupportControls{
    PushButton(IDC_SUPPORT_ONLINE, {231, 321, 164, 31}, Sheet::SupportNormal, Sheet::SupportDown),
    PushButton(IDC_SUPPORT_VERSION, {403, 321, 164, 31}, Sheet::SupportNormal, Sheet::SupportDown),
    // Auto start, and the anchor over the words beside it.
    CheckBox(IDC_SUPPORT_AUTOSTART, {52, 403, 25, 25}, Sheet::SupportNormal, Sheet::SupportDown),
    Anchor(IDC_SUPPORT_ANCHOR_AUTOSTART, {78, 405, 302, 20}, Sheet::SupportNormal),
    // Reset and Apply.
    ResetButton(IDC_SUPPORT_RESET, {660, 462, 61, 43}, Sheet::SupportNormal, Sheet::SupportDown),
    ApplyButton(IDC_SUPPORT_APPLY, {727, 462, 61, 43}, Sheet::SupportNormal, Sheet::SupportDown),
};

inline constexpr WindowLayout kSupportPage{
    .name = "support page",
    .templateId = IDD_SUPPORT,
    .background = Sheet::SupportNormal,
    .size = {800, 515},
    .controls = kSupportControls,
};

}  // namespace vandir::layout
