#pragma once
// No-device screen: the notice is part of "\no Mosue Normal.bmp"; one close button.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr std::array kNoDeviceControls{
    WithRole(
        PushButton(IDC_NO_DEVICE_CLOSE, {402, 6, 16, 15}, Sheet::NoMouseNormal, Sheet::NoMouseDown),
        ControlRole::Cancel),
};

inline constexpr WindowLayout kNoDevice{
    .name = "no-device screen",
    .templateId = IDD_NO_DEVICE,
    .background = Sheet::NoMouseNormal,
    .size = {422, 303},
    .controls = kNoDeviceControls,
};

}  // namespace vandir::layout
