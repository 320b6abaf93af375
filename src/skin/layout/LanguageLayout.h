#pragma once
// Language page (template 142) over "\MainUI-Language Normal.bmp": one check
// box per language, each picture showing the language's name in its own
// script, then Reset and Apply.

#include <array>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

namespace language {
inline constexpr Sheet kNormal = Sheet::LanguageNormal;
inline constexpr Sheet kDown = Sheet::LanguageDown;
}  // namespace language

// Language index n has the check box 1118 + n - 1.
inline constexpr std::array kLanguageControls{
    CheckBox(1118, {131, 204, 83, 19}, language::kNormal, language::kDown),
    CheckBox(1119, {131, 245, 80, 19}, language::kNormal, language::kDown),
    CheckBox(1120, {131, 287, 83, 19}, language::kNormal, language::kDown),
    CheckBox(1121, {131, 328, 88, 20}, language::kNormal, language::kDown),
    CheckBox(1122, {284, 204, 90, 19}, language::kNormal, language::kDown, 112),
    CheckBox(1123, {284, 245, 81, 19}, language::kNormal, language::kDown, 113),
    CheckBox(1124, {284, 287, 112, 19}, language::kNormal, language::kDown, 114),
    CheckBox(1125, {284, 328, 84, 20}, language::kNormal, language::kDown, 115),
    CheckBox(1126, {464, 204, 155, 19}, language::kNormal, language::kDown, 116),
    CheckBox(1127, {464, 245, 83, 19}, language::kNormal, language::kDown, 117),
    CheckBox(1128, {464, 287, 86, 19}, language::kNormal, language::kDown, 118),
    CheckBox(1129, {464, 328, 170, 20}, language::kNormal, language::kDown, 119),
    // Reset and Apply.
    PushButton(1130, {660, 462, 61, 43}, language::kNormal, language::kDown),
    PushButton(1131, {727, 462, 61, 43}, language::kNormal, language::kDown),
};

inline constexpr WindowLayout kLanguagePage{
    "language page", language::kNormal, {800, 515}, kLanguageControls, {}};

}  // namespace vandir::layout
