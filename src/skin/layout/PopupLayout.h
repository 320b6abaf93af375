#pragma once
// The pop-up dialog (template 135) in its five kinds; the kind is also the skin
// element number of its background. A dialog takes the size of its sheet.
// Buttons take their normal and pressed looks from the kind's Normal sheet and
// their hover look from its Down sheet; fields take their background from the
// Normal sheet.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

constexpr Control PopupButton(int id, Rect rect, Sheet normal, Sheet down) {
    return WithLook(PushButton(id, rect, normal, down), ImageState::Pressed, Crop{normal, rect});
}

// 139: the last "Left Click" button cannot be given another function.
inline constexpr std::array kPopupLeftClickControls{
    PopupButton(IDC_POPUP_OK, {200, 195, 75, 28}, Sheet::LeftClickNormal, Sheet::LeftClickDown),
};
inline constexpr std::array<int, 5> kPopupLeftClickHidden{
    IDC_POPUP_CLEAR, IDC_POPUP_KEY, IDC_POPUP_NUMBER, IDC_POPUP_SOFTWARE_VERSION,
    IDC_POPUP_FIRMWARE_VERSION};

// 141: rapid fire of a keyboard key.
inline constexpr std::array kPopupRapidFireKeyControls{
    PopupButton(IDC_POPUP_OK, {184, 63, 75, 28}, Sheet::RapidFireKeyNormal,
                Sheet::RapidFireKeyDown),
    PopupButton(IDC_POPUP_CLEAR, {106, 63, 75, 28}, Sheet::RapidFireKeyNormal,
                Sheet::RapidFireKeyDown),
    Edit(IDC_POPUP_KEY, {85, 28, 71, 18}, Sheet::RapidFireKeyNormal, {}, 14),
    Edit(IDC_POPUP_NUMBER, {215, 28, 71, 18}, Sheet::RapidFireKeyNormal, {}, 14),
};
inline constexpr std::array kPopupRapidFireKeyHidden{IDC_POPUP_SOFTWARE_VERSION,
                                                     IDC_POPUP_FIRMWARE_VERSION};

// 146: rapid fire of a mouse button.
inline constexpr std::array kPopupRapidFireMouseControls{
    PopupButton(IDC_POPUP_OK, {146, 63, 75, 28}, Sheet::RapidFireMouseNormal,
                Sheet::RapidFireMouseDown),
    PopupButton(IDC_POPUP_CLEAR, {68, 63, 75, 28}, Sheet::RapidFireMouseNormal,
                Sheet::RapidFireMouseDown),
    Edit(IDC_POPUP_NUMBER, {71, 28, 71, 18}, Sheet::RapidFireMouseNormal, {}, 14),
};
inline constexpr std::array kPopupRapidFireMouseHidden{IDC_POPUP_KEY, IDC_POPUP_SOFTWARE_VERSION,
                                                       IDC_POPUP_FIRMWARE_VERSION};

// 150: software and firmware version; OK and Clear both close it.
inline constexpr std::array kPopupVersionControls{
    PopupButton(IDC_POPUP_OK, {170, 166, 76, 29}, Sheet::VersionNormal, Sheet::VersionDown),
    PopupButton(IDC_POPUP_CLEAR, {382, 11, 18, 16}, Sheet::VersionNormal, Sheet::VersionDown),
    Label(IDC_POPUP_SOFTWARE_VERSION, {248, 81, 61, 11}, Sheet::VersionNormal, {}, 15),
    Label(IDC_POPUP_FIRMWARE_VERSION, {248, 99, 61, 11}, Sheet::VersionNormal, {}, 15),
};
inline constexpr std::array kPopupVersionHidden{IDC_POPUP_KEY, IDC_POPUP_NUMBER};

// 155: no mouse is connected; OK is the close cross of the no-device picture.
inline constexpr std::array kPopupNoMouseControls{
    PopupButton(IDC_POPUP_OK, {402, 6, 16, 15}, Sheet::NoMouseNormal, Sheet::NoMouseDown),
};
inline constexpr std::array kPopupNoMouseHidden{IDC_POPUP_CLEAR, IDC_POPUP_KEY, IDC_POPUP_NUMBER,
                                                IDC_POPUP_SOFTWARE_VERSION,
                                                IDC_POPUP_FIRMWARE_VERSION};

inline constexpr WindowLayout kPopupLeftClick{
    .name = "pop-up 139 (Left Click notice)",
    .templateId = IDD_POPUP,
    .background = Sheet::LeftClickNormal,
    .controls = kPopupLeftClickControls,
    .hiddenIds = kPopupLeftClickHidden,
};
inline constexpr WindowLayout kPopupRapidFireKey{
    .name = "pop-up 141 (rapid fire, keyboard)",
    .templateId = IDD_POPUP,
    .background = Sheet::RapidFireKeyNormal,
    .controls = kPopupRapidFireKeyControls,
    .hiddenIds = kPopupRapidFireKeyHidden,
};
inline constexpr WindowLayout kPopupRapidFireMouse{
    .name = "pop-up 146 (rapid fire, mouse)",
    .templateId = IDD_POPUP,
    .background = Sheet::RapidFireMouseNormal,
    .controls = kPopupRapidFireMouseControls,
    .hiddenIds = kPopupRapidFireMouseHidden,
};
inline constexpr WindowLayout kPopupVersion{
    .name = "pop-up 150 (version)",
    .templateId = IDD_POPUP,
    .background = Sheet::VersionNormal,
    .controls = kPopupVersionControls,
    .hiddenIds = kPopupVersionHidden,
};
inline constexpr WindowLayout kPopupNoMouse{
    .name = "pop-up 155 (no mouse)",
    .templateId = IDD_POPUP,
    .background = Sheet::NoMouseNormal,
    .controls = kPopupNoMouseControls,
    .hiddenIds = kPopupNoMouseHidden,
};

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
