#include "model/MergeEdits.h"

#include <gtest/gtest.h>

namespace vandir {
namespace {

// Every field different from the defaults, by a different amount for each
// of the two records, so that a field the merge forgets shows.
MouseSettings AllChanged(int by) {
    MouseSettings s = MouseSettings::CreateWithDefaults();
    const auto u8 = [by](uint8_t v) { return static_cast<uint8_t>(v + by); };
    s.profilePath = by == 1 ? u"C:\\one.profile" : u"C:\\other.profile";
    s.profileIndex = u8(s.profileIndex);
    s.profileNumber += static_cast<uint32_t>(by);
    s.profileName = by == 1 ? u"one" : u"other";
    s.imageLength = static_cast<uint16_t>(s.imageLength + by);
    s.reportRate = u8(s.reportRate);
    s.pointerSpeed = u8(s.pointerSpeed);
    s.doubleClickSpeed = u8(s.doubleClickSpeed);
    s.buttonResponse = u8(s.buttonResponse);
    s.osSettingsUnlocked = u8(s.osSettingsUnlocked);
    s.dpiLevelCount = u8(s.dpiLevelCount);
    s.activeLevel = u8(s.activeLevel);
    for (uint8_t& flag : s.dpiLevelFlags) {
        flag = u8(flag);
    }
    for (DpiPair& pair : s.dpi) {
        pair.x = static_cast<int16_t>(pair.x + by);
        pair.y = static_cast<int16_t>(pair.y + 2 * by);
    }
    s.liftOff = u8(s.liftOff);
    s.autoStart = u8(s.autoStart);
    s.language = u8(s.language);
    s.ledMode = u8(s.ledMode);
    s.ledColour += static_cast<uint32_t>(by);
    s.ledLevel = u8(s.ledLevel);
    for (LevelLed& led : s.levelLeds) {
        led.colour += static_cast<uint32_t>(by);
    }
    for (ButtonAssignment& button : s.buttons) {
        button.param2 = static_cast<int16_t>(button.param2 + by);
    }
    return s;
}

TEST(MergeEdits, WithoutEditsTheReadingIsTakenWhole) {
    const MouseSettings base = MouseSettings::CreateWithDefaults();
    const MouseSettings reading = AllChanged(3);
    EXPECT_EQ(MergeEdits(base, base, reading), reading);
}

TEST(MergeEdits, EveryEditedFieldSurvivesTheReading) {
    const MouseSettings base = MouseSettings::CreateWithDefaults();
    const MouseSettings edited = AllChanged(1);
    EXPECT_EQ(MergeEdits(base, edited, AllChanged(3)), edited);
}

TEST(MergeEdits, EditsAndTheReadingMeetFieldByFieldAndElementByElement) {
    const MouseSettings base = MouseSettings::CreateWithDefaults();
    MouseSettings edited = base;
    edited.dpi[1] = {2000, 2000};  // the person's level 2
    edited.buttons[3].kind = 33;   // and button 4
    edited.language = 3;           // and the language
    MouseSettings reading = base;
    reading.dpi[0] = {750, 750};    // the mouse's level 1
    reading.dpi[1] = {1500, 1500};  // and level 2, which the person changed
    reading.buttons[4].kind = 2;    // and button 5
    reading.reportRate = 8;
    const MouseSettings merged = MergeEdits(base, edited, reading);
    EXPECT_EQ(merged.dpi[0], (DpiPair{750, 750}));
    EXPECT_EQ(merged.dpi[1], (DpiPair{2000, 2000}));
    EXPECT_EQ(merged.dpi[2], base.dpi[2]);
    EXPECT_EQ(merged.buttons[3].kind, 33);
    EXPECT_EQ(merged.buttons[4].kind, 2);
    EXPECT_EQ(merged.reportRate, 8);
    EXPECT_EQ(merged.language, 3);
}

}  // namespace
}  // namespace vandir
