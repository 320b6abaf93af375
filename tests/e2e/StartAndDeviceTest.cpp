// Start-up and the mouse coming and going: no mouse at start, unplug and
// plug while running, a second start, Reset, and a damaged profile.

#include <cstdio>

#include "e2e/EndToEndTest.h"
#include "e2e/Polling.h"

namespace vandir::e2e {
namespace {

using StartAndDevice = EndToEndTest;
namespace l = layout;

// The factory configuration, as the mouse holds it and as Apply sends the
// default record: bytes 0-54, the seven button entries, then zeros.
Bytes FactoryImage() {
    Bytes image = {0x00, 0x80, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x01, 0x00,
                   0x00, 0x00, 0xFF, 0x00, 0x00, 0x01, 0x01, 0x00, 0xFF, 0x00, 0x01, 0x02, 0x00,
                   0x00, 0xFF, 0x01, 0x03, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0xF4,
                   0x01, 0x00, 0xE2, 0x04, 0xE2, 0x04, 0x00, 0xAC, 0x0D, 0xAC, 0x0D, 0x00, 0x03,
                   0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x02, 0x00,
                   0x00, 0x00, 0x00, 0x0C, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x10,
                   0x00, 0x00, 0x00, 0x00, 0x0C, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x09,
                   0xF0, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x09, 0xF2, 0x00, 0x00, 0x00, 0x00, 0x0C};
    image.resize(128, 0x00);
    return image;
}

// Settings that differ from the defaults in fields the profile alone keeps
// and in fields the mouse keeps.
const std::vector<std::string> kChangedSettings = {
    "profileName=Work", "pointerSpeed=2", "doubleClickSpeed=9", "language=3",        "reportRate=8",
    "dpi.0.x=1000",     "dpi.0.y=1000",   "buttons.2.kind=255", "buttons.2.code=255"};

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kRunValue = "Meridane Vandir II";

bool WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

TEST_F(StartAndDevice, WithoutAMouseTheNoDeviceScreenFollowsUnplugAndPlug) {
    const auto noDevice = Sized(l::kNoDeviceWidth, l::kNoDeviceHeight);
    // The demo plugs its mouse in at start unless told otherwise.
    ASSERT_TRUE(StartDemo({"--unplugged"}, /*waitForMain=*/false));
    ASSERT_TRUE(WaitForWindow(noDevice, "the no-device screen at start"));
    EXPECT_TRUE(WaitForNoWindow(MainWindow(), "the main window without a mouse"));
    Shot("started-without-mouse");

    ASSERT_TRUE(Tool().Plug(Demo().StatePath()));
    EXPECT_TRUE(WaitForWindow(MainWindow(), "the main window after plugging in"));
    EXPECT_TRUE(WaitForNoWindow(noDevice, "the no-device screen after plugging in"));
    Shot("plugged-in");

    ASSERT_TRUE(Tool().Unplug(Demo().StatePath()));
    EXPECT_TRUE(WaitForWindow(noDevice, "the no-device screen after unplugging"));
    EXPECT_TRUE(WaitForNoWindow(MainWindow(), "the main window after unplugging"));
    Shot("unplugged");

    ASSERT_TRUE(Tool().Plug(Demo().StatePath()));
    ASSERT_TRUE(WaitForMainWindow());
    Shot("plugged-in-again");
    EXPECT_FALSE(std::filesystem::exists(Demo().ProfilePath()))
        << "nothing was applied, yet a profile was saved";
}

TEST_F(StartAndDevice, ASecondStartShowsTheHiddenWindowAndEnds) {
    ASSERT_TRUE(StartDemo());
    Screen().Click(Main(l::main::kHideButton));
    ASSERT_TRUE(WaitForNoWindow(MainWindow(), "the main window after Hide"));
    Shot("hidden");

    Background second = Demo().Start();
    EXPECT_TRUE(WaitForWindow(MainWindow(), "the first instance's window after a second start"));
    EXPECT_GE(second.WaitFor(kPatienceMs), 0) << "the second instance did not end";
    Shot("shown-by-second-start");
    int mainWindows = 0;
    for (const ScreenWindow& window : Screen().VisibleWindows()) {
        mainWindows += MainWindow()(window) ? 1 : 0;
    }
    EXPECT_EQ(mainWindows, 1);
}

// The notification-area icon: a left click shows the hidden window, "Exit"
// in its menu ends the program, and a new start then runs normally.
TEST_F(StartAndDevice, TheNotificationIconShowsTheWindowAndItsMenuEndsTheProgram) {
    ASSERT_TRUE(StartDemo());
    // The icon's menu opens above and left of the pointer, as over a taskbar
    // at the bottom right: move Wine's tray there by its caption.
    std::optional<ScreenWindow> tray = WaitForWindow(Named(l::kTrayTitle), "the tray");
    ASSERT_TRUE(tray);
    const Rect screen = Screen().Screen();
    Screen().Drag(tray->area.At(60, 8),
                  {screen.width - tray->area.width + 60, screen.height - tray->area.height + 8});
    tray = WaitForWindow(
        [&](const ScreenWindow& w) {
            return w.name == l::kTrayTitle && w.area.x > screen.width / 2 &&
                   w.area.y > screen.height / 2;
        },
        "the tray at the bottom right");
    ASSERT_TRUE(tray);
    const Point icon = tray->area.At(l::kTrayIcon.x, l::kTrayIcon.y);

    Screen().Click(Main(l::main::kHideButton));
    ASSERT_TRUE(WaitForNoWindow(MainWindow(), "the main window after Hide"));
    Screen().Click(icon);
    ASSERT_TRUE(WaitForMainWindow()) << "no main window after a click on the icon";

    Shot("shown-by-the-icon");
    Screen().Click(icon, 3);
    const std::optional<ScreenWindow> menu =
        WaitForWindow([](const ScreenWindow& w) { return w.name == "menu" && w.area.width == 105; },
                      "the icon's menu");
    ASSERT_TRUE(menu);
    Shot("tray-menu");
    const int entryHeight = (menu->area.height - 8) / 2;  // "Vandir II", "Exit"
    Screen().Click(menu->area.At(30, 4 + entryHeight + entryHeight / 2));
    EXPECT_GE(program_.WaitFor(kPatienceMs), 0) << "the program did not end after Exit";
    EXPECT_TRUE(WaitForNoWindow(MainWindow(), "the main window after Exit"));

    ASSERT_TRUE(StartDemo());
    Shot("started-again");
}

TEST_F(StartAndDevice, ResetSavesAndSendsTheDefaults) {
    const std::filesystem::path changed = Scratch() / "changed.profile";
    ASSERT_TRUE(Tool().MakeProfile(changed, kChangedSettings));
    ASSERT_EQ(
        Tool()
            .Call({"device", "write", changed.string(), "--simulate", Demo().StatePath().string()})
            .exitCode,
        0);
    ASSERT_TRUE(WriteBytes(Demo().ProfilePath(), *ReadFileBytes(changed)));
    // An entry an earlier Apply left: Reset clears the box, and Apply then
    // removes the entry.
    ASSERT_TRUE(Demo().SetRegistryString(kRunKey, kRunValue, "\"C:\\old.exe\""));

    ASSERT_TRUE(StartDemo());
    ASSERT_TRUE(PressAndWaitForSave(Page(l::kPageReset), "Reset", /*mouseChanges=*/true));
    EndDemo();

    // Reset names the profile "profile", in lower case.
    const std::optional<Bytes> profile = SavedProfile();
    ASSERT_TRUE(profile);
    EXPECT_EQ(*profile, ExpectedProfile({"profileName=profile"})) << Hex(*profile);
    EXPECT_EQ(Bytes(profile->begin() + 4, profile->begin() + 10),
              (Bytes{0x07, 0x00, 0x00, 0x00, 'p', 0x00}));
    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory, FactoryImage()) << Hex(*memory);
    EXPECT_EQ(UserRegistryValue("Control Panel\\Mouse", "MouseSensitivity"), "10");
    EXPECT_EQ(UserRegistryValue("Control Panel\\Mouse", "DoubleClickSpeed"), "690");
    EXPECT_FALSE(UserRegistryValue(kRunKey, kRunValue)) << "start at login is off after Reset";
}

// Under Lock the profile's pointer speed and double-click time become the
// system's (and are kept) as soon as the settings are loaded; under Unlock
// the system keeps its own.
TEST_F(StartAndDevice, LockGivesTheProfilesPointerSettingsToTheSystemAtStart) {
    const std::string mouseKey = "Control Panel\\Mouse";
    const struct {
        const char* name;
        int unlocked;
        std::optional<std::string> speed;
        std::optional<std::string> doubleClick;
    } cases[] = {
        // Step 3 gives 3 x 20/11, truncated: 5; step 8 gives 970 - 560 ms.
        {"lock", 0, "5", "410"},
        {"unlock", 1, Demo().FreshUserValue(mouseKey, "MouseSensitivity"),
         Demo().FreshUserValue(mouseKey, "DoubleClickSpeed")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Demo().Restore();
        const std::filesystem::path profile = Scratch() / "lock.profile";
        ASSERT_TRUE(
            Tool().MakeProfile(profile, {"pointerSpeed=3", "doubleClickSpeed=8",
                                         "osSettingsUnlocked=" + std::to_string(c.unlocked)}));
        ASSERT_TRUE(WriteBytes(Demo().ProfilePath(), *ReadFileBytes(profile)));
        ASSERT_TRUE(StartDemo());
        // The sliders show the profile once it was pushed, after the system
        // settings were given under Lock.
        ASSERT_TRUE(ShowOsSensitivity());
        EXPECT_TRUE(WaitForThumb(l::os::kPointerSpeed, 1, 11, 3));
        EXPECT_TRUE(WaitForThumb(l::os::kDoubleClick, 1, 11, 8));
        Shot(std::string("os-sensitivity-") + c.name);
        EndDemo();
        EXPECT_EQ(UserRegistryValue(mouseKey, "MouseSensitivity"), c.speed);
        EXPECT_EQ(UserRegistryValue(mouseKey, "DoubleClickSpeed"), c.doubleClick);
    }
}

// A damaged profile leaves every setting at its default: the next Apply
// saves the defaults over it.
TEST_F(StartAndDevice, ADamagedProfileAtStartLeavesTheDefaults) {
    const std::filesystem::path changed = Scratch() / "changed.profile";
    ASSERT_TRUE(Tool().MakeProfile(changed, kChangedSettings));
    const Bytes valid = *ReadFileBytes(changed);
    Bytes wrongMagic = valid;
    wrongMagic[3] = 0x02;
    const Bytes cutShort(valid.begin(), valid.begin() + 60);
    Bytes nameRunsPastTheEnd = valid;
    nameRunsPastTheEnd[7] = 0x7F;  // 0x7F000004 name units
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {{"wrong-magic", wrongMagic},
                 {"cut-short", cutShort},
                 {"name-past-the-end", nameRunsPastTheEnd}};

    const Bytes defaults = ExpectedProfile({});
    for (const auto& damaged : cases) {
        SCOPED_TRACE(damaged.name);
        Demo().Restore();
        ASSERT_TRUE(WriteBytes(Demo().ProfilePath(), damaged.bytes));
        ASSERT_TRUE(StartDemo());
        Shot(std::string("started-with-") + damaged.name);
        ASSERT_TRUE(ApplyAndWait(/*mouseChanges=*/false));
        EndDemo();
        const std::optional<Bytes> profile = SavedProfile();
        ASSERT_TRUE(profile);
        EXPECT_EQ(*profile, defaults) << Hex(*profile);
        EXPECT_EQ(MouseMemory(), FactoryImage());
    }
}

}  // namespace
}  // namespace vandir::e2e
