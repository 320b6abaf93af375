#pragma once
// Language page (template 142) over "\MainUI-Language Normal.bmp": one check
// box per language, each picture showing the language's name in its own
// script, then Reset and Apply.

#include <array>

#include "skin/layout/ResourceIds.h"
#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

namespace language {
inline constexpr Sheet kNormal = Sheet::LanguageNormal;
inline constexpr Sheet kDown = Sheet::LanguageDown;
}  // namespace language

// Language index n has the check box 1118 + n - 1.
inline constexpr std::array kLanguageControls{
    CheckBox(IDC_LANGUAGE_1, {131, 204, 83, 19}, language::kNormal, language::kDown),
    CheckBox(IDC_LANGUAGE_2, {131, 245, 80, 19}, language::kNormal, language::kDown),
    CheckBox(IDC_LANGUAGE_3, {131, 287, 83, 19}, language::kNormal, language::kDown),
    CheckBox(IDC_LANGUAGE_4, {131, 328, 88, 20}, language::kNormal, language::kDown),
    CheckBox(IDC_LANGUAGE_5, {284, 204, 90, 19}, language::kNormal, language::kDown, 112),
    CheckBox(IDC_LANGUAGE_6, {284, 245, 81, 19}, language::kNormal, language::kDown, 113),
    CheckBox(IDC_LANGUAGE_7, {284, 287, 112, 19}, language::kNormal, language::kDown, 114),
    CheckBox(IDC_LANGUAGE_8, {284, 328, 84, 20}, language::kNormal, language::kDown, 115),
    CheckBox(IDC_LANGUAGE_9, {464, 204, 155, 19}, language::kNormal, language::kDown, 116),
    CheckBox(IDC_LANGUAGE_10, {464, 245, 83, 19}, language::kNormal, language::kDown, 117),
    CheckBox(IDC_LANGUAGE_11, {464, 287, 86, 19}, language::kNormal, language::kDown, 118),
    CheckBox(IDC_LANGUAGE_12, {464, 328, 170, 20}, language::kNormal, language::kDown, 119),
    // Reset and Apply.
    ResetButton(IDC_LANGUAGE_RESET, {660, 462, 61, 43}, language::kNormal, language::kDown),
    ApplyButton(IDC_LANGUAGE_APPLY, {727, 462, 61, 43}, language::kNormal, language::kDown),
};

inline constexpr WindowLayout kLanguagePage{
    .name = "language page",
    .templateId = IDD_LANGUAGE,
    .background = language::kNormal,
    .size = {800, 515},
    .controls = kLanguageControls,
};

}  // namespace vandir::layout
