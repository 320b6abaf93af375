#pragma once
// The LED page's working copy of the three levels' lights. The page edits
// `levelCopies` while the user works and writes them into the record only
// when it is collected; `selectedLevel` is the level being edited (a pushed
// activeLevel outside 0..2 is kept, and then no level takes the controls);
// `currentCopy` is the shown level's entry as of the last push or collect,
// the source of the record's current light.

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/MouseSettings.h"

namespace vandir {

struct LedLevels {
    static constexpr uint8_t kInitialLevel = 2;

    uint8_t selectedLevel = kInitialLevel;
    std::array<LevelLed, kDpiLevels> levelCopies{};
    LevelLed currentCopy{};

    bool HasSelectedLevel() const { return selectedLevel < kDpiLevels; }
    LevelLed& selected() { return levelCopies[selectedLevel]; }

    // Takes the record's levels and its active level; returns the entry
    // (0..2) to show: the first or the last when the active level is theirs,
    // else the middle one, which is also shown for an active level outside
    // 0..2.
    std::size_t Push(const MouseSettings& settings) {
        levelCopies = settings.levelLeds;
        selectedLevel = settings.activeLevel;
        std::size_t shown = 1;
        if (selectedLevel == levelCopies[0].levelIndex) {
            shown = 0;
        } else if (selectedLevel == levelCopies[2].levelIndex) {
            shown = 2;
        }
        currentCopy = levelCopies[shown];
        return shown;
    }

    // Writes the current light, the level being edited and every level's
    // light into the record.
    void WriteInto(MouseSettings& settings) const {
        settings.ledMode = currentCopy.mode;
        settings.ledColour = currentCopy.colour;
        settings.ledLevel = selectedLevel;
        settings.levelLeds = levelCopies;
    }
};

}  // namespace vandir
