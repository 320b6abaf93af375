#pragma once
// Support page (template 133) over "\SUPPORT Normal.bmp".

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kSupportControls{
    PushButton(1071, {231, 321, 164, 31}, Sheet::SupportNormal, Sheet::SupportDown),
    PushButton(1006, {403, 321, 164, 31}, Sheet::SupportNormal, Sheet::SupportDown),
    // Auto start, and the anchor over the words beside it.
    CheckBox(1102, {52, 403, 25, 25}, Sheet::SupportNormal, Sheet::SupportDown),
    Anchor(1134, {78, 405, 302, 20}, Sheet::SupportNormal),
    // Reset and Apply.
    PushButton(1100, {660, 462, 61, 43}, Sheet::SupportNormal, Sheet::SupportDown),
    PushButton(1101, {727, 462, 61, 43}, Sheet::SupportNormal, Sheet::SupportDown),
};

inline constexpr WindowLayout kSupportPage{
    "support page", Sheet::SupportNormal, {800, 515}, kSupportControls, {}};

}  // namespace vandir::layout
