#pragma once
// Main window surface: title-bar buttons and the row of tab buttons over
// "\MainUI-BG Normal.bmp"; the pages sit below the tabs at (0, 85), 800 x 515.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr Rect kPageArea{0, 85, 800, 515};

// The hide button takes its normal and hover looks through skin element 10.
inline constexpr std::array kMainWindowControls{
    PushButton(1000, {0, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(1002, {200, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(1001, {400, 27, 199, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(1004, {600, 27, 200, 57}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(1118, {739, 5, 21, 20}, Sheet::MainNormal, Sheet::MainDown),
    PushButton(1005, {764, 5, 14, 20}, Sheet::MainNormal, Sheet::MainDown),
    WithLook(PushButton(1044, {782, 5, 16, 20}, Sheet::MainNormal, Sheet::MainDown, 10),
             ImageState::Pressed, Crop{Sheet::MainDown, {782, 5, 16, 20}}),
};

// Reset to Default, Apply and the firmware label of the template stay hidden.
inline constexpr std::array kMainWindowHidden{1031, 1042, 1080};

inline constexpr WindowLayout kMainWindow{
    "main window", Sheet::MainNormal, {800, 600}, kMainWindowControls, kMainWindowHidden};

}  // namespace vandir::layout
