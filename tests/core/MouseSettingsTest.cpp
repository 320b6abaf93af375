#include "model/MouseSettings.h"

#include <gtest/gtest.h>

#include "SampleRecords.h"

namespace vandir {
namespace {

TEST(MouseSettingsDefaults, EveryFieldHoldsItsDefault) {
    const MouseSettings s = MouseSettings::CreateWithDefaults();
    EXPECT_EQ(s.profilePath, u"");
    EXPECT_EQ(s.profileIndex, 0);
    EXPECT_EQ(s.profileNumber, 1u);
    EXPECT_EQ(s.profileName, u"profile");
    EXPECT_EQ(s.imageLength, 128);
    EXPECT_EQ(s.reportRate, 1);
    EXPECT_EQ(s.pointerSpeed, 6);
    EXPECT_EQ(s.doubleClickSpeed, 4);
    EXPECT_EQ(s.buttonResponse, 12);
    EXPECT_EQ(s.osSettingsUnlocked, 0);
    EXPECT_EQ(s.dpiLevelCount, 3);
    EXPECT_EQ(s.activeLevel, 1);
    EXPECT_EQ(s.dpiLevelFlags, (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(s.dpi[0], (DpiPair{500, 500}));
    EXPECT_EQ(s.dpi[1], (DpiPair{1250, 1250}));
    EXPECT_EQ(s.dpi[2], (DpiPair{3500, 3500}));
    EXPECT_EQ(s.liftOff, 3);
    EXPECT_EQ(s.autoStart, 0);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.ledMode, 1);
    EXPECT_EQ(s.ledColour, 0x0000FF00u);
    EXPECT_EQ(s.ledLevel, 1);
}

TEST(MouseSettingsDefaults, LevelLedsAreRedGreenBlueAlwaysOn) {
    const MouseSettings s = MouseSettings::CreateWithDefaults();
    const LevelLed expected[] = {
        {0, 1, 0x000000FF, 1},
        {1, 1, 0x0000FF00, 2},
        {2, 1, 0x00FF0000, 3},
    };
    for (int level = 0; level < kDpiLevels; ++level) {
        EXPECT_EQ(s.levelLeds[level], expected[level]) << "level " << level;
    }
}

TEST(MouseSettingsDefaults, ButtonsCarryTheFactoryFunctions) {
    const MouseSettings s = MouseSettings::CreateWithDefaults();
    struct Expected {
        uint8_t kind;
        int16_t code;
    };
    // left, right, middle, forward, back, DPI up, DPI down
    const Expected expected[] = {{0, 1}, {0, 2}, {0, 4}, {0, 16}, {0, 8}, {9, 240}, {9, 242}};
    for (int i = 0; i < kButtons; ++i) {
        SCOPED_TRACE(i);
        const ButtonAssignment& b = s.buttons[i];
        EXPECT_EQ(b.buttonIndex, i);
        EXPECT_EQ(b.kind, expected[i].kind);
        EXPECT_EQ(b.code, expected[i].code);
        EXPECT_EQ(b.defaultCode, static_cast<uint8_t>(expected[i].code));
        EXPECT_EQ(b.param1, 0);
        EXPECT_EQ(b.param2, 0);
    }
}

TEST(MouseSettingsStartup, TakesTheCapitalisedNameIndexZeroAndThePath) {
    const MouseSettings s = MouseSettings::ForStartup(u"C:\\x\\DefaultPf.profile");
    EXPECT_EQ(s.profileName, u"Profile");
    EXPECT_EQ(s.profileIndex, 0);
    EXPECT_EQ(s.profilePath, u"C:\\x\\DefaultPf.profile");

    MouseSettings expected = MouseSettings::CreateWithDefaults();
    expected.profileName = u"Profile";
    expected.profilePath = u"C:\\x\\DefaultPf.profile";
    EXPECT_EQ(s, expected);
}

TEST(MouseSettingsReset, RestoresEveryFieldButPathAndIndex) {
    MouseSettings s = testing::EveryFieldChanged(u"D:\\elsewhere.profile");
    s.ResetToDefaults();

    MouseSettings expected = MouseSettings::CreateWithDefaults();
    expected.profilePath = u"D:\\elsewhere.profile";
    expected.profileIndex = 4;
    EXPECT_EQ(s, expected);
    // Lower-case p, although the program started with "Profile".
    EXPECT_EQ(s.profileName, u"profile");
    EXPECT_EQ(s.activeLevel, 1);
}

TEST(MouseSettingsReset, StartupRecordLosesItsCapitalisedName) {
    MouseSettings s = MouseSettings::ForStartup(u"p");
    s.ResetToDefaults();
    EXPECT_EQ(s.profileName, u"profile");
    EXPECT_EQ(s.profilePath, u"p");
}

}  // namespace
}  // namespace vandir
