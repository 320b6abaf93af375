// A slow or failing mouse, made so from outside with vandirctl as a person
// trying the demo would: nothing the person does is lost while the mouse
// takes its time, the window keeps answering meanwhile, and an Apply the
// mouse missed is told and completed when the mouse is back.

#include <X11/keysym.h>

#include "e2e/EndToEndTest.h"
#include "e2e/Polling.h"

namespace vandir::e2e {
namespace {

using SlowMouse = EndToEndTest;
namespace l = layout;

// Bytes of button b's entry (1..7) in the mouse's image.
Bytes ImageEntry(const Bytes& image, int button) {
    const auto start = image.begin() + 55 + 7 * (button - 1);
    return Bytes(start, start + 7);
}

const Bytes kVolumeUpEntry = {0x20, 0x00, 0xE9, 0x00, 0x00, 0x00, 0x0C};

// The mouse answers busy nine times before each reply (about 3 s a command):
// the start-up reading takes some 6 s, and a choice made meanwhile is what
// Apply then writes, not the mouse's old function read back over it.
TEST_F(SlowMouse, AChoiceMadeWhileTheStartupReadingWaitsIsKept) {
    ASSERT_TRUE(Tool().Simulate(Demo().StatePath(), {"busy", "9"}));
    ASSERT_TRUE(StartDemo());
    ASSERT_TRUE(ChooseFunction(3, l::kVolumeUp, "volume-up-while-reading"));
    WaitForStill(main_);
    Shot("chosen-while-reading");
    ASSERT_TRUE(ApplyAndWait());
    EndDemo();
    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(ImageEntry(*memory, 3), kVolumeUpEntry) << Hex(*memory);
}

// While an Apply waits on the busy mouse, the window answers at once: the
// LED tab shows its page long before the Apply is done.
TEST_F(SlowMouse, TheWindowAnswersWhileAnApplyWaitsOnTheMouse) {
    ASSERT_TRUE(StartDemo());
    ASSERT_TRUE(ChooseFunction(3, l::kVolumeUp, "volume-up"));
    WaitForStill(main_);
    ASSERT_TRUE(Tool().Simulate(Demo().StatePath(), {"busy", "9"}));
    const Rect page = PageArea({0, 0, 800, 515});
    const Pixels keysPage = Screen().Grab(page);
    Screen().Click(Page(l::kPageApply));
    Screen().Click(Main(l::main::kLedTab));
    EXPECT_TRUE(WaitUntil([&] { return Screen().Grab(page) != keysPage; }, 1500))
        << "the window did not answer within 1.5 s while the mouse was busy";
    Shot("led-page-during-apply");
    EXPECT_TRUE(WaitUntil([&] {
        const std::optional<Bytes> memory = MouseMemory();
        return memory && ImageEntry(*memory, 3) == kVolumeUpEntry;
    })) << "the Apply never reached the mouse";
}

// Every transfer fails at the moment of Apply: the mouse is there but does
// not take the settings, and the person is told so in words (not that there
// is no mouse); the mouse gets what was saved when it is plugged in again,
// instead of the program reading its old memory back.
TEST_F(SlowMouse, AnApplyTheMouseMissedIsToldAndCompletedWhenItIsBack) {
    ASSERT_TRUE(StartDemo());
    ASSERT_TRUE(ChooseFunction(3, l::kVolumeUp, "volume-up"));
    ASSERT_TRUE(Tool().Simulate(Demo().StatePath(), {"fail", "other"}));
    const std::optional<Bytes> memoryBefore = MouseMemory();
    ASSERT_TRUE(PressAndWaitForSave(Page(l::kPageApply), "Apply", /*mouseChanges=*/false));
    // The program's message box: its title, any size but the main window's.
    const WindowTest told = [main = MainWindow()](const ScreenWindow& w) {
        return w.name == l::kMainTitle && !main(w);
    };
    const auto message = WaitForWindow(told, "the message that the mouse missed the Apply");
    ASSERT_TRUE(message);
    Shot("told");
    EXPECT_FALSE(FindWindow(Sized(l::kNoDeviceWidth, l::kNoDeviceHeight)))
        << "the no-mouse notice, with the mouse there";
    EXPECT_EQ(MouseMemory(), memoryBefore);
    Screen().Tap(XK_Return);
    ASSERT_TRUE(WaitForNoWindow(told, "the message"));

    ASSERT_TRUE(Tool().Simulate(Demo().StatePath(), {"ok"}));
    ASSERT_TRUE(Tool().Unplug(Demo().StatePath()));
    ASSERT_TRUE(WaitForNoWindow(MainWindow(), "the main window after unplugging"));
    ASSERT_TRUE(Tool().Plug(Demo().StatePath()));
    ASSERT_TRUE(WaitForMainWindow());
    EXPECT_TRUE(WaitUntil([&] {
        const std::optional<Bytes> memory = MouseMemory();
        return memory && ImageEntry(*memory, 3) == kVolumeUpEntry;
    })) << "the saved settings never reached the mouse";
    Shot("completed");
    EndDemo();
    const std::optional<Bytes> profile = SavedProfile();
    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(profile && memory);
    EXPECT_EQ(ImageEntry(*memory, 3), kVolumeUpEntry) << Hex(*memory);
}

}  // namespace
}  // namespace vandir::e2e
