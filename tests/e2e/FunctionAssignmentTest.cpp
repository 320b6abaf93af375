// Button functions chosen through the selectors' lists and dialogs, applied,
// and found in the profile file and the mouse's memory.

#include <X11/keysym.h>

#include "e2e/EndToEndTest.h"

namespace vandir::e2e {
namespace {

class FunctionAssignment : public EndToEndTest {
protected:
    // Every kind of function through the lists and dialogs, applied, and
    // the profile and the mouse's image checked.
    void AssignEveryKindAndCheckTheResult();
};

// The same clicks at a display of 150 %, at the places the scale gives.
class FunctionAssignmentAtOneAndAHalf : public FunctionAssignment {
protected:
    int Dpi() const override { return 144; }
};

// Bytes of button b's entry (1..7) in the mouse's image: kind, code, first
// parameter (2), second parameter (2), response time.
Bytes ImageEntry(const Bytes& image, int button) {
    const auto start = image.begin() + 55 + 7 * (button - 1);
    return Bytes(start, start + 7);
}

// Bytes of button b's entry in the profile, the last 56 bytes: index, kind,
// code (2), first parameter (2), second parameter (2).
Bytes ProfileEntry(const Bytes& profile, int button) {
    const auto start = profile.end() - 56 + 8 * (button - 1);
    return Bytes(start, start + 8);
}

void FunctionAssignment::AssignEveryKindAndCheckTheResult() {
    ASSERT_TRUE(StartDemo());
    Shot("started");

    // The only "Left Click" button keeps it: the notice opens instead.
    ASSERT_TRUE(ChooseFunction(1, layout::kDisable, "disable-last-left-click"));
    const auto notice =
        WaitForWindow(Sized(layout::popup::kLeftClickWidth, layout::popup::kLeftClickHeight),
                      "the Left Click notice");
    ASSERT_TRUE(notice);
    Shot("left-click-notice");
    Screen().Click(In(notice->area, layout::popup::kLeftClickOk).Centre());
    ASSERT_TRUE(
        WaitForNoWindow(Sized(layout::popup::kLeftClickWidth, layout::popup::kLeftClickHeight),
                        "the Left Click notice after OK"));

    EXPECT_TRUE(AssignKeyboard(2, /*ctrl=*/true, /*shift=*/true, XK_a));
    EXPECT_TRUE(ChooseFunction(3, layout::kVolumeUp, "volume-up"));
    EXPECT_TRUE(AssignRapidKey(4, XK_b, "7"));
    EXPECT_TRUE(AssignRapidMouse(5, layout::kRapidRightClick, "12"));
    EXPECT_TRUE(ChooseFunction(6, layout::kDpiCycleUp, "dpi-cycle-up"));
    EXPECT_TRUE(ChooseFunction(7, layout::kSensorOnOff, "sensor-on-off"));
    WaitForStill(main_);
    Shot("assigned");
    ASSERT_TRUE(ApplyAndWait());
    EndDemo();

    // Storing a function writes only its own fields: multimedia keeps the
    // old code (4) and the sensor switch the old code (242) in the profile.
    const std::vector<std::string> expected = {
        "buttons.1.kind=2",     "buttons.1.code=3",  "buttons.1.param1=4", "buttons.2.kind=32",
        "buttons.2.param1=233", "buttons.3.kind=33", "buttons.3.code=2",   "buttons.3.param1=5",
        "buttons.3.param2=7",   "buttons.4.kind=33", "buttons.4.code=0",   "buttons.4.param1=2",
        "buttons.4.param2=12",  "buttons.5.kind=9",  "buttons.5.code=241", "buttons.6.kind=34"};
    const std::optional<Bytes> profile = SavedProfile();
    ASSERT_TRUE(profile) << "no profile at " << Demo().ProfilePath();
    EXPECT_EQ(*profile, ExpectedProfile(expected)) << Hex(*profile);
    EXPECT_EQ(ProfileEntry(*profile, 1), (Bytes{0, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ProfileEntry(*profile, 2), (Bytes{1, 2, 3, 0, 4, 0, 0, 0}));
    EXPECT_EQ(ProfileEntry(*profile, 3), (Bytes{2, 32, 4, 0, 0xE9, 0, 0, 0}));
    EXPECT_EQ(ProfileEntry(*profile, 7), (Bytes{6, 34, 0xF2, 0, 0, 0, 0, 0}));

    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(memory);
    EXPECT_EQ(*memory, ExpectedImage(expected, 12)) << Hex(*memory);
    EXPECT_EQ(ImageEntry(*memory, 1), (Bytes{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 2), (Bytes{0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 3), (Bytes{0x20, 0x00, 0xE9, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 4), (Bytes{0x21, 0x02, 0x05, 0x00, 0x07, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 5), (Bytes{0x21, 0x00, 0x02, 0x00, 0x0C, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 6), (Bytes{0x09, 0xF1, 0x00, 0x00, 0x00, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 7), (Bytes{0x22, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C}));
}

TEST_F(FunctionAssignment, KeyMultimediaRapidFireDpiAndSensorReachTheProfileAndTheMouse) {
    AssignEveryKindAndCheckTheResult();
}

TEST_F(FunctionAssignmentAtOneAndAHalf, TheSameChoicesGiveTheSameProfileAndMouseImage) {
    AssignEveryKindAndCheckTheResult();
}

// After a choice through one button's sub-list, the lists of another button
// open in front of the main window at every level: a third-level choice
// ("Rapid Fire" > "Mouse" > "Left Click") is made where the lists cover the
// window, and both choices reach the mouse.
TEST_F(FunctionAssignment, AfterAChoiceEveryListLevelOpensInFront) {
    ASSERT_TRUE(StartDemo());
    ASSERT_TRUE(ChooseFunction(3, layout::MultiMedia(1), "e-mail"));
    ASSERT_TRUE(AssignRapidMouse(5, layout::RapidMouse(0), "5"));
    ASSERT_TRUE(ChooseFunction(6, layout::Dpi(0), "dpi-up"));
    WaitForStill(main_);
    Shot("assigned");
    ASSERT_TRUE(ApplyAndWait());
    EndDemo();

    const std::optional<Bytes> memory = MouseMemory();
    ASSERT_TRUE(memory);
    const Bytes email = ImageEntry(*memory, 3);
    EXPECT_EQ((Bytes{email[0], email[2], email[3]}), (Bytes{0x20, 0x8A, 0x01})) << Hex(email);
    EXPECT_EQ(ImageEntry(*memory, 5), (Bytes{0x21, 0x00, 0x01, 0x00, 0x05, 0x00, 0x0C}));
    EXPECT_EQ(ImageEntry(*memory, 6)[0], 0x09);
}

}  // namespace
}  // namespace vandir::e2e
