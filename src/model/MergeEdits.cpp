#include "model/MergeEdits.h"

#include <cstddef>

namespace vandir {
namespace {

// The person's value where they changed it.
template <typename T>
void KeepEdit(const T& base, const T& edited, T& merged) {
    if (!(edited == base)) {
        merged = edited;
    }
}

template <typename T, std::size_t N>
void KeepEdits(const std::array<T, N>& base, const std::array<T, N>& edited,
               std::array<T, N>& merged) {
    for (std::size_t i = 0; i < N; ++i) {
        KeepEdit(base[i], edited[i], merged[i]);
    }
}

}  // namespace

MouseSettings MergeEdits(const MouseSettings& base, const MouseSettings& edited,
                         MouseSettings incoming) {
    MouseSettings& m = incoming;
    KeepEdit(base.profilePath, edited.profilePath, m.profilePath);
    KeepEdit(base.profileIndex, edited.profileIndex, m.profileIndex);
    KeepEdit(base.profileNumber, edited.profileNumber, m.profileNumber);
    KeepEdit(base.profileName, edited.profileName, m.profileName);
    KeepEdit(base.imageLength, edited.imageLength, m.imageLength);
    KeepEdit(base.reportRate, edited.reportRate, m.reportRate);
    KeepEdit(base.pointerSpeed, edited.pointerSpeed, m.pointerSpeed);
    KeepEdit(base.doubleClickSpeed, edited.doubleClickSpeed, m.doubleClickSpeed);
    KeepEdit(base.buttonResponse, edited.buttonResponse, m.buttonResponse);
    KeepEdit(base.osSettingsUnlocked, edited.osSettingsUnlocked, m.osSettingsUnlocked);
    KeepEdit(base.dpiLevelCount, edited.dpiLevelCount, m.dpiLevelCount);
    KeepEdit(base.activeLevel, edited.activeLevel, m.activeLevel);
    KeepEdits(base.dpiLevelFlags, edited.dpiLevelFlags, m.dpiLevelFlags);
    KeepEdits(base.dpi, edited.dpi, m.dpi);
    KeepEdit(base.liftOff, edited.liftOff, m.liftOff);
    KeepEdit(base.autoStart, edited.autoStart, m.autoStart);
    KeepEdit(base.language, edited.language, m.language);
    KeepEdit(base.ledMode, edited.ledMode, m.ledMode);
    KeepEdit(base.ledColour, edited.ledColour, m.ledColour);
    KeepEdit(base.ledLevel, edited.ledLevel, m.ledLevel);
    KeepEdits(base.levelLeds, edited.levelLeds, m.levelLeds);
    KeepEdits(base.buttons, edited.buttons, m.buttons);
    return incoming;
}

}  // namespace vandir
