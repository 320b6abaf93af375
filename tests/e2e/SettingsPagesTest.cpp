// Every page's settings changed with the pointer and the keyboard, one Apply,
// then the profile, the start-at-login entry, the system's pointer settings
// and the mouse's memory compared with what each setting must give.

#include <algorithm>

#include "e2e/EndToEndTest.h"

namespace vandir::e2e {
namespace {

using SettingsPages = EndToEndTest;
namespace l = layout;

Bytes Slice(const Bytes& bytes, size_t from, size_t count) {
    return Bytes(bytes.begin() + static_cast<long>(from),
                 bytes.begin() + static_cast<long>(from + count));
}

TEST_F(SettingsPages, EveryPageReachesTheProfileTheSystemAndTheMouse) {
    ASSERT_TRUE(StartDemo());

    // Button functions: lift-off tuning, disable, a mouse click; button 1
    // may leave "Left Click" once button 5 has it.
    EXPECT_TRUE(ChooseFunction(2, l::kLodTuning, "lod-tuning"));
    EXPECT_TRUE(ChooseFunction(3, l::kDisable, "disable"));
    EXPECT_TRUE(ChooseFunction(4, l::kWheelClick, "wheel-click"));
    EXPECT_TRUE(ChooseFunction(5, l::kLeftClick, "left-click"));
    EXPECT_TRUE(ChooseFunction(1, l::kRightClick, "right-click"));
    EXPECT_FALSE(FindWindow(Sized(l::popup::kLeftClickWidth, l::popup::kLeftClickHeight)))
        << "the Left Click notice opened although button 5 has Left Click";

    // OS sensitivity: 250 reports/s, pointer speed 9, double-click 2,
    // response time 20, Unlock.
    ASSERT_TRUE(ShowOsSensitivity());
    EXPECT_TRUE(ClickAndSeeChange(Page(l::os::kRate250), PageArea(l::os::kRate1000), "250/s"));
    SetSlider(l::os::kPointerSpeed, 1, 11, 9);
    SetSlider(l::os::kDoubleClick, 1, 11, 2);
    SetSlider(l::os::kResponse, 4, 32, 20);
    EXPECT_TRUE(ClickAndSeeChange(Page(l::os::kUnlock), PageArea(l::os::kUnlock), "Unlock"));
    Shot("os-sensitivity-set");

    // Sensor: DPI levels 750, 2000, 3250 and lift-off 1.
    ASSERT_TRUE(ShowPage(l::main::kSensorTab, "sensor"));
    SetSlider(l::sensor::kDpi[0], 250, 3500, 750);
    SetSlider(l::sensor::kDpi[1], 250, 3500, 2000);
    SetSlider(l::sensor::kDpi[2], 250, 3500, 3250);
    SetSlider(l::sensor::kLiftOff, 1, 3, 1);
    Shot("sensor-set");

    // LED: level 1 red 200 by its slider, green 16 and blue 99 typed,
    // breathing; level 2 always off; level 3 rapid fire, edited last.
    ASSERT_TRUE(ShowPage(l::main::kLedTab, "led"));
    EXPECT_TRUE(ClickAndSeeChange(Page(l::led::kLevel[0]), PageArea(l::led::kLevel[0]), "level 1"));
    SetSlider(l::led::kRed, 0, 255, 200);
    TypeInto(l::led::kGreenValue, "16");
    TypeInto(l::led::kBlueValue, "99");
    EXPECT_TRUE(
        ClickAndSeeChange(Page(l::led::kBreathing), PageArea(l::led::kBreathing), "breathing"));
    Shot("led-level-1");
    EXPECT_TRUE(ClickAndSeeChange(Page(l::led::kLevel[1]), PageArea(l::led::kLevel[1]), "level 2"));
    EXPECT_TRUE(
        ClickAndSeeChange(Page(l::led::kAlwaysOff), PageArea(l::led::kAlwaysOff), "always off"));
    EXPECT_TRUE(ClickAndSeeChange(Page(l::led::kLevel[2]), PageArea(l::led::kLevel[2]), "level 3"));
    EXPECT_TRUE(
        ClickAndSeeChange(Page(l::led::kRapidFire), PageArea(l::led::kRapidFire), "rapid fire"));
    Shot("led-level-3");

    // Support: start at login.
    ASSERT_TRUE(ShowPage(l::main::kSupportTab, "support"));
    EXPECT_TRUE(ClickAndSeeChange(Page(l::support::kAutoStart), PageArea(l::support::kAutoStart),
                                  "Auto Start"));

    // Language: German, then Apply on the language page.
    ASSERT_TRUE(ShowPage(l::main::kLanguageButton, "language"));
    EXPECT_TRUE(ClickAndSeeChange(Page(l::language::kButtons[2]),
                                  PageArea(l::language::kButtons[2]), "German"));
    Shot("language-set");
    ASSERT_TRUE(ApplyAndWait());
    EndDemo();

    const std::vector<std::string> expected = {
        "reportRate=4", "pointerSpeed=9", "doubleClickSpeed=2", "osSettingsUnlocked=1",
        "dpi.0.x=750", "dpi.0.y=750", "dpi.1.x=2000", "dpi.1.y=2000", "dpi.2.x=3250",
        "dpi.2.y=3250", "liftOff=1",
        // Level 1: 200 | 16 << 8 | 99 << 16.
        "levelLeds.0.mode=6", "levelLeds.0.colour=6492360", "levelLeds.1.mode=0",
        "levelLeds.2.mode=2", "ledMode=2", "ledColour=16711680", "ledLevel=2", "autoStart=1",
        "language=3",
        // Lift-off tuning keeps the old code; Disable writes 255 twice.
        "buttons.0.code=2", "buttons.1.kind=35", "buttons.2.kind=255", "buttons.2.code=255",
        "buttons.3.code=4", "buttons.4.code=1"};

    const std::optional<Bytes> profile = SavedProfile();
    ASSERT_TRUE(profile) << "no profile at " << Demo().ProfilePath();
    EXPECT_EQ(*profile, ExpectedProfile(expected)) << Hex(*profile);
    // reportRate, pointerSpeed, doubleClickSpeed, osSettingsUnlocked follow
    // the name "Profile", the number and index and the image length.
    EXPECT_EQ(Slice(*profile, 29, 4), (Bytes{4, 9, 2, 1}));

    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory, ExpectedImage(expected, 20)) << Hex(*memory);
    EXPECT_EQ((*memory)[5], 4) << "polling-rate divider";
    EXPECT_EQ(Slice(*memory, 8, 4), (Bytes{0x00, 0x00, 0xFF, 0x02})) << "current LED";
    EXPECT_EQ(Slice(*memory, 15, 15), (Bytes{0xC8, 0x10, 0x63, 0x06, 0x01, 0x00, 0xFF, 0x00, 0x00,
                                             0x02, 0x00, 0x00, 0xFF, 0x02, 0x03}))
        << "LED groups of the three levels";
    EXPECT_EQ((*memory)[30], 2) << "current level";
    EXPECT_EQ(Slice(*memory, 35, 15), (Bytes{0x00, 0xEE, 0x02, 0xEE, 0x02, 0x00, 0xD0, 0x07, 0xD0,
                                             0x07, 0x00, 0xB2, 0x0C, 0xB2, 0x0C}))
        << "DPI levels";
    EXPECT_EQ((*memory)[51], 1) << "lift-off";
    EXPECT_EQ(Slice(*memory, 55, 28),
              (Bytes{0x00, 0x02, 0, 0, 0, 0, 0x14, 0x23, 0x00, 0, 0, 0, 0, 0x14,
                     0xFF, 0xFF, 0, 0, 0, 0, 0x14, 0x00, 0x04, 0, 0, 0, 0, 0x14}))
        << "buttons 1 to 4";

    EXPECT_EQ(UserRegistryValue("Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                "Meridane Vandir II"),
              "\"" + WineDemo::WindowsPath(Demo().ProgramPath()) + "\"");
    EXPECT_EQ(UserRegistryValue("Control Panel\\Mouse", "MouseSensitivity"), "16");
    EXPECT_EQ(UserRegistryValue("Control Panel\\Mouse", "DoubleClickSpeed"), "830");

    // The next start speaks German: pointing at a tab shows its tip, which
    // English leaves empty.
    ASSERT_TRUE(StartDemo());
    std::vector<unsigned long> shown;
    for (const ScreenWindow& window : Screen().VisibleWindows()) {
        shown.push_back(window.id);
    }
    Screen().MoveTo(Main(l::main::kSupportTab));
    Screen().MoveTo({Main(l::main::kSupportTab).x + 2, Main(l::main::kSupportTab).y});
    EXPECT_TRUE(WaitForWindow(
        [&](const ScreenWindow& w) {
            return std::find(shown.begin(), shown.end(), w.id) == shown.end() && w.name != "menu";
        },
        "a tool tip over the support tab"));
    Shot("german-tip");
}

}  // namespace
}  // namespace vandir::e2e
