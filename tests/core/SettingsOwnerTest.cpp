// The settings owner's rules, one scenario each, over a profile (DPI 1 = 750)
// and a mouse that differs from it (DPI 1 = 1750, DPI 2 = 2000).

#include <gtest/gtest.h>

#include "core/OwnerWorld.h"

namespace vandir::testing {
namespace {

constexpr DpiPair kProfileDpi1{750, 750};
constexpr DpiPair kMouseDpi1{1750, 1750};
constexpr DpiPair kMouseDpi2{2000, 2000};
constexpr DpiPair kFactoryDpi1{500, 500};
constexpr DpiPair kEditedDpi2{2500, 2500};

class SettingsOwnerTest : public ::testing::Test {
protected:
    SettingsOwnerTest() {
        MouseSettings profile = MouseSettings::ForStartup(kOwnerProfilePath);
        profile.dpi[0] = kProfileDpi1;
        world.SaveProfileBeforeStart(profile);
        MouseSettings mouse = MouseSettings::ForStartup(kOwnerProfilePath);
        mouse.dpi[0] = kMouseDpi1;
        mouse.dpi[1] = kMouseDpi2;
        world.mouse.SetMemory(ImageOf(mouse));
    }

    // Runs the mouse work and takes its results until nothing is left.
    void Settle() {
        world.work.Drain();
        world.FireDelays();
        world.work.Drain();
    }
    void StartAndSettle() {
        world.Start();
        Settle();
    }
    DpiPair MouseDpi(int level) { return WithImage({}, world.mouse.Memory()).dpi[level]; }
    SettingsOwner& owner() { return *world.owner; }

    OwnerWorld world;
};

TEST_F(SettingsOwnerTest, TheStartupReadingShowsTheMouseOverTheProfile) {
    StartAndSettle();
    EXPECT_EQ(world.view.pages.dpi[0], kMouseDpi1);
    EXPECT_EQ(world.view.pages.dpi[1], kMouseDpi2);
    EXPECT_EQ(owner().record().dpi[0], kMouseDpi1);
    EXPECT_EQ(world.view.firmwareVersion, SimulatedMouse::kDefaultFirmwareVersion);
    // The same at the first arrival after a start without the mouse.
    world.Exit();
    world.mouse.Unplug();
    StartAndSettle();
    EXPECT_TRUE(world.view.screenShown);
    EXPECT_EQ(world.view.pages.dpi[0], kProfileDpi1);
    world.Plug();
    Settle();
    EXPECT_EQ(world.view.pages.dpi[0], kMouseDpi1);
    EXPECT_TRUE(world.view.mainShown);
    EXPECT_FALSE(world.view.screenShown);
}

TEST_F(SettingsOwnerTest, AnEditMadeWhileTheStartupReadingRunsSurvivesItEvenAtTheFactoryValue) {
    world.Start();
    world.view.pages.dpi[0] = kFactoryDpi1;
    Settle();
    EXPECT_EQ(world.view.pages.dpi[0], kFactoryDpi1);
    EXPECT_EQ(world.view.pages.dpi[1], kMouseDpi2);
}

TEST_F(SettingsOwnerTest, ACallUpShowsTheMouseOverEarlierEditsAndKeepsLaterOnes) {
    StartAndSettle();
    world.view.pages.dpi[0] = kFactoryDpi1;  // not applied
    owner().CallUp();
    world.view.pages.dpi[1] = kEditedDpi2;  // while the reading runs
    Settle();
    EXPECT_EQ(world.view.pages.dpi[0], kMouseDpi1);
    EXPECT_EQ(world.view.pages.dpi[1], kEditedDpi2);
}

TEST_F(SettingsOwnerTest, AnApplyTheMouseMissedIsKeptOnDiskToldAndWrittenAtTheNextStart) {
    StartAndSettle();
    world.view.pages.dpi[0] = kFactoryDpi1;
    world.flaky.FailNextWrite();
    owner().Apply();
    Settle();
    ASSERT_TRUE(world.Kept().has_value());
    EXPECT_EQ(world.Kept()->dpi[0], kFactoryDpi1);
    EXPECT_TRUE(owner().WritePending());
    ASSERT_EQ(world.view.told.size(), 1u);
    EXPECT_EQ(world.view.told[0],
              (Notice{Notice::Kind::WriteRefused, u"the settings could not be sent to it", {}}));
    EXPECT_EQ(MouseDpi(0), kMouseDpi1);
    // "Exit", then a new start: the record kept is written, not the mouse read.
    world.Exit();
    StartAndSettle();
    EXPECT_EQ(MouseDpi(0), kFactoryDpi1);
    EXPECT_EQ(world.view.pages.dpi[0], kFactoryDpi1);
    EXPECT_FALSE(world.Kept().has_value());
    EXPECT_FALSE(owner().WritePending());
    EXPECT_TRUE(world.view.told.empty());
}

TEST_F(SettingsOwnerTest, ACompletionThatFailsAgainIsToldAndKept) {
    StartAndSettle();
    world.flaky.BusyOnNextWrite();
    owner().Apply();
    Settle();
    ASSERT_TRUE(world.Kept().has_value());
    world.Exit();
    world.flaky.BusyOnNextWrite();
    StartAndSettle();
    EXPECT_TRUE(world.Kept().has_value());
    ASSERT_EQ(world.view.told.size(), 1u);
    EXPECT_EQ(world.view.told[0], (Notice{Notice::Kind::WriteRefused, u"it stayed busy", {}}));
}

TEST_F(SettingsOwnerTest, AnOlderMissedApplyNeverLandsAfterANewerOne) {
    StartAndSettle();
    world.flaky.FailNextWrite();
    owner().Apply();  // #1 misses the mouse
    Settle();
    world.view.pages.dpi[0] = kFactoryDpi1;
    owner().Apply();   // #2
    owner().CallUp();  // a reading behind #2
    Settle();
    EXPECT_EQ(MouseDpi(0), kFactoryDpi1);
    EXPECT_EQ(world.view.pages.dpi[0], kFactoryDpi1);
    EXPECT_FALSE(world.Kept().has_value());
}

TEST_F(SettingsOwnerTest, WhileTheFailedSaveIsToldTheNewerApplysOutcomeStillWins) {
    StartAndSettle();
    world.files.busyReplacements = 1;  // #1's profile is not saved
    world.flaky.FailNextWrite();       // nor written
    owner().Apply();
    world.view.pages.dpi[0] = kFactoryDpi1;
    owner().Apply();
    world.work.RunJob();
    world.work.RunJob();
    // #1's notice runs a loop, in which #2's outcome arrives first.
    world.view.whileTelling = [&] { world.work.DeliverPost(); };
    world.work.DeliverPost();
    Settle();
    EXPECT_EQ(MouseDpi(0), kFactoryDpi1);
    EXPECT_FALSE(world.Kept().has_value());
    EXPECT_FALSE(owner().WritePending());
    EXPECT_EQ(world.Profile().dpi[0], kFactoryDpi1);
}

TEST_F(SettingsOwnerTest, AResetWithoutTheMouseIsSavedToldAndWrittenAtTheArrival) {
    StartAndSettle();
    world.flaky.FailNextWrite();
    owner().Apply();
    Settle();
    world.Unplug();
    world.view.mainShown = true;  // the person opened the window from the icon
    owner().Reset();
    Settle();
    EXPECT_EQ(world.Profile().dpi[0], MouseSettings{}.dpi[0]);
    EXPECT_EQ(world.view.told.back().kind, Notice::Kind::NoMouse);
    world.Plug();
    Settle();
    EXPECT_EQ(world.mouse.Memory(), ImageOf(MouseSettings::CreateWithDefaults()));
    EXPECT_EQ(world.view.pages.dpi[0], MouseSettings{}.dpi[0]);
    EXPECT_FALSE(world.Kept().has_value());
}

TEST_F(SettingsOwnerTest, ARemovalWhileAReadingRunsLeavesTheNoDeviceScreen) {
    StartAndSettle();
    world.view.mainShown = false;
    owner().CallUp();
    world.work.RunJob();  // the mouse is read, then pulled out
    world.Unplug();
    Settle();
    EXPECT_TRUE(world.view.screenShown);
    EXPECT_FALSE(world.view.mainShown);
    EXPECT_EQ(world.view.firmwareVersion, 0);
    EXPECT_FALSE(world.transport.IsPresent());
}

TEST_F(SettingsOwnerTest, AnUnplugDuringTheSearchCountsForIt) {
    world.mouse.Unplug();
    StartAndSettle();
    ASSERT_TRUE(world.view.screenShown);
    world.mouse.PlugIn();
    owner().MouseArrived();
    ASSERT_TRUE(world.view.arrivalDelayAsked);
    world.FireDelays();
    world.work.RunJob();  // the search finds the mouse just before it goes
    world.mouse.Unplug();
    owner().MouseRemoved();  // the present flag was clear when it came
    Settle();
    EXPECT_TRUE(world.view.screenShown);
    EXPECT_FALSE(world.view.mainShown);
    EXPECT_FALSE(world.transport.IsPresent());
}

TEST_F(SettingsOwnerTest, ACallUpWithoutTheMouseShowsTheScreenInsteadOfTheMainWindow) {
    StartAndSettle();
    world.mouse.Unplug();  // no notification came (it went during the start)
    world.transport.MarkGone();
    owner().CallUp();
    Settle();
    EXPECT_TRUE(world.view.screenShown);
    EXPECT_FALSE(world.view.mainShown);
}

TEST_F(SettingsOwnerTest, ExitDropsTheReadingsAndFinishesTheApplies) {
    StartAndSettle();
    owner().Apply();
    for (int click = 0; click < 10; ++click) {
        owner().CallUp();
    }
    EXPECT_EQ(owner().ReadingsWaiting(), 1u);
    EXPECT_EQ(world.work.jobs.size(), 2u);
    world.view.pages.dpi[0] = kFactoryDpi1;
    owner().Apply();
    owner().Exit();
    const int requestsBefore = world.mouse.GetCounters().setFeatures;
    Settle();
    // Two Applies, each one write request; the reading never ran.
    EXPECT_EQ(world.mouse.GetCounters().setFeatures - requestsBefore, 2);
    EXPECT_EQ(MouseDpi(0), kFactoryDpi1);
}

TEST_F(SettingsOwnerTest, NoticesWaitForTheMainWindowAndNameWhatFailed) {
    StartAndSettle();
    owner().Apply();
    world.Unplug();  // the write finds no mouse; the main window hides
    Settle();
    EXPECT_TRUE(world.view.told.empty());
    EXPECT_TRUE(owner().NoticeWaiting());
    owner().CallUp();  // no mouse: the screen, no notice
    Settle();
    EXPECT_TRUE(world.view.told.empty());
    owner().ShowRequested();  // a second start shows the main window
    ASSERT_EQ(world.view.told.size(), 1u);
    EXPECT_EQ(world.view.told[0].kind, Notice::Kind::NoMouse);
    EXPECT_FALSE(owner().NoticeWaiting());
}

TEST_F(SettingsOwnerTest, AFailedSaveIsToldAlsoAtExitAndWriteNoticesAreNot) {
    StartAndSettle();
    world.files.busyReplacements = 1;
    world.flaky.FailNextWrite();
    owner().Apply();
    owner().Exit();
    Settle();
    ASSERT_EQ(world.view.told.size(), 1u);
    EXPECT_EQ(world.view.told[0].kind, Notice::Kind::SaveFailed);
    EXPECT_EQ(world.view.told[0].what, kOwnerProfilePath);
    EXPECT_EQ(world.view.told[0].reason, u"Access is denied.");
    EXPECT_TRUE(world.Kept().has_value());
}

TEST_F(SettingsOwnerTest, ADelayTheSystemRefusedSwapsAtOnce) {
    world.mouse.Unplug();
    world.Start();
    world.view.refuseDelays = true;
    Settle();
    EXPECT_TRUE(world.view.screenShown);
    EXPECT_FALSE(world.view.mainShown);
}

}  // namespace
}  // namespace vandir::testing
