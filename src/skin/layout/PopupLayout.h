#pragma once
// The pop-up dialog (template 135) in its five kinds; the kind is also the skin
// element number of its background. A dialog takes the size of its sheet.
// Buttons take their normal and pressed looks from the kind's Normal sheet and
// their hover look from its Down sheet; fields take their background from the
// Normal sheet.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

constexpr Control PopupButton(int id, Rect rect, Sheet normal, Sheet down) {
    return WithLook(PushButton(id, rect, normal, down), ImageState::Pressed, Crop{normal, rect});
}

// 139: the last "Left Click" button cannot be given another function.
inline constexpr std::array kPopupLeftClickControls{
    PopupButton(1076, {200, 195, 75, 28}, Sheet::LeftClickNormal, Sheet::LeftClickDown),
};
inline constexpr std::array kPopupLeftClickHidden{1077, 1124, 1125, 1129, 1130};

// 141: rapid fire of a keyboard key.
inline constexpr std::array kPopupRapidFireKeyControls{
    PopupButton(1076, {184, 63, 75, 28}, Sheet::RapidFireKeyNormal, Sheet::RapidFireKeyDown),
    PopupButton(1077, {106, 63, 75, 28}, Sheet::RapidFireKeyNormal, Sheet::RapidFireKeyDown),
    Edit(1124, {85, 28, 71, 18}, Sheet::RapidFireKeyNormal),
    Edit(1125, {215, 28, 71, 18}, Sheet::RapidFireKeyNormal),
};
inline constexpr std::array kPopupRapidFireKeyHidden{1129, 1130};

// 146: rapid fire of a mouse button.
inline constexpr std::array kPopupRapidFireMouseControls{
    PopupButton(1076, {146, 63, 75, 28}, Sheet::RapidFireMouseNormal, Sheet::RapidFireMouseDown),
    PopupButton(1077, {68, 63, 75, 28}, Sheet::RapidFireMouseNormal, Sheet::RapidFireMouseDown),
    Edit(1125, {71, 28, 71, 18}, Sheet::RapidFireMouseNormal),
};
inline constexpr std::array kPopupRapidFireMouseHidden{1124, 1129, 1130};

// 150: software and firmware version; OK and Clear both close it.
inline constexpr std::array kPopupVersionControls{
    PopupButton(1076, {170, 166, 76, 29}, Sheet::VersionNormal, Sheet::VersionDown),
    PopupButton(1077, {382, 11, 18, 16}, Sheet::VersionNormal, Sheet::VersionDown),
    Label(1129, {248, 81, 61, 11}, Sheet::VersionNormal),
    Label(1130, {248, 99, 61, 11}, Sheet::VersionNormal),
};
inline constexpr std::array kPopupVersionHidden{1124, 1125};

// 155: no mouse is connected; OK is the close cross of the no-device picture.
inline constexpr std::array kPopupNoMouseControls{
    PopupButton(1076, {402, 6, 16, 15}, Sheet::NoMouseNormal, Sheet::NoMouseDown),
};
inline constexpr std::array kPopupNoMouseHidden{1077, 1124, 1125, 1129, 1130};

inline constexpr WindowLayout kPopupLeftClick{"pop-up 139 (Left Click notice)",
                                              Sheet::LeftClickNormal,
                                              {},
                                              kPopupLeftClickControls,
                                              kPopupLeftClickHidden};
inline constexpr WindowLayout kPopupRapidFireKey{"pop-up 141 (rapid fire, keyboard)",
                                                 Sheet::RapidFireKeyNormal,
                                                 {},
                                                 kPopupRapidFireKeyControls,
                                                 kPopupRapidFireKeyHidden};
inline constexpr WindowLayout kPopupRapidFireMouse{"pop-up 146 (rapid fire, mouse)",
                                                   Sheet::RapidFireMouseNormal,
                                                   {},
                                                   kPopupRapidFireMouseControls,
                                                   kPopupRapidFireMouseHidden};
inline constexpr WindowLayout kPopupVersion{
    "pop-up 150 (version)", Sheet::VersionNormal, {}, kPopupVersionControls, kPopupVersionHidden};
inline constexpr WindowLayout kPopupNoMouse{
    "pop-up 155 (no mouse)", Sheet::NoMouseNormal, {}, kPopupNoMouseControls, kPopupNoMouseHidden};

// The layout of a pop-up kind, or null for a number that is no kind.
constexpr const WindowLayout* PopupLayoutOf(int kind) {
    switch (kind) {
        case 139:
            return &kPopupLeftClick;
        case 141:
            return &kPopupRapidFireKey;
        case 146:
            return &kPopupRapidFireMouse;
        case 150:
            return &kPopupVersion;
        case 155:
            return &kPopupNoMouse;
        default:
            return nullptr;
    }
}

}  // namespace vandir::layout
