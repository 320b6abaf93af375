#pragma once
// Main window surface: title-bar buttons and the row of tab buttons over
// "\MainUI-BG Normal.bmp"; the pages sit below the tabs at (0, 85), 800 x 515.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr Rect kPageArea{0, 85, 800, 515};

// The hide button takes its normal and hover looks through skin element 10.
inline constexpr std::array kMainWindowControls{
    PushButton(IDC_MAIN_TAB_KEYS, {0, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(IDC_MAIN_TAB_LED, {200, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(IDC_MAIN_TAB_SENSOR, {400, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(IDC_MAIN_TAB_SUPPORT, {600, 27, 200, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(IDC_MAIN_LANGUAGE, {739, 5, 21, 20}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(IDC_MAIN_MINIMISE, {764, 5, 14, 20}, Sheet::MainNormal, Sheet::MainDown),
    WithLook(PushButton(IDC_MAIN_HIDE, {782, 5, 16, 20}, Sheet::MainNormal, Sheet::MainDown, 10),
             ImageState::Pressed, Crop{Sheet::MainDown, {782, 5, 16, 20}}),
};

// Reset to Default, Apply and the firmware label of the template stay hidden.
inline constexpr std::array kMainWindowHidden{IDC_MAIN_RESET, IDC_MAIN_APPLY, IDC_MAIN_FIRMWARE};

inline constexpr WindowLayout kMainWindow{
    .name = "main window",
    .templateId = IDD_MAIN_WINDOW,
    .background = Sheet::MainNormal,
    .size = {800, 600},
    .controls = kMainWindowControls,
    .hiddenIds = kMainWindowHidden,
};

}  // namespace vandir::layout
