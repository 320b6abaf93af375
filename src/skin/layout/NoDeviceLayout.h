#pragma once
// No-device screen: the notice is part of "\no Mosue Normal.bmp"; one close button.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kNoDeviceControls{
    PushButton(1006, {402, 6, 16, 15}, Sheet::NoMouseNormal, Sheet::NoMouseDown),
};

inline constexpr WindowLayout kNoDevice{
    "no-device screen", Sheet::NoMouseNormal, {422, 303}, kNoDeviceControls, {}};

}  // namespace vandir::layout
