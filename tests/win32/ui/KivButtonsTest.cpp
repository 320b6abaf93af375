// The skinned buttons (push button, check box, combo button) in a test dialog
// under real mouse input (SendInput) or the window messages the system would
// send. The dialog records every WM_SYSCOMMAND and WM_COMMAND it receives, in
// order; the pictures are small solid colours, read back by asking each
// control to draw into a memory bitmap the way the system asks it
// (WM_DRAWITEM through its parent). Time for the combo's list watch comes
// from a test clock, and its timer is driven by sending WM_TIMER.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "base/Clock.h"
#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"
#include "skin/Argb.h"
#include "skin/ControlNotifications.h"
#include "skin/ControlPictures.h"
#include "skin/InputHooks.h"
#include "skin/KivButton.h"
#include "skin/KivButtonBase.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivImageDialog.h"
#include "skin/KivMenu.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/ui/PngCapture.h"
#include "win32/ui/RecordingParent.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

using layout::ImageState;

// --- What the parent saw ----------------------------------------------------

// A skinned dialog that records the notifications and commands it gets.
class RecordingDialog : public RecordingParent<CKivImageDialog> {
public:
    using RecordingParent::RecordingParent;

    // The recorded system commands other than the mouse entry and exit ones.
    std::vector<ParentEvent> ListEvents() const {
        std::vector<ParentEvent> list;
        for (const ParentEvent& e : SystemCommands()) {
            if (e.first != kMouseEntered && e.first != kMouseLeft) {
                list.push_back(e);
            }
        }
        return list;
    }
};

class TestClock : public Clock {
public:
    uint64_t now = 1'000'000;
    void Sleep(uint32_t milliseconds) override { now += milliseconds; }
    uint64_t NowMilliseconds() override { return now; }
};

// --- Pictures and pixels ----------------------------------------------------

constexpr COLORREF kRed = RGB(200, 30, 30);
constexpr COLORREF kGreen = RGB(30, 180, 60);
constexpr COLORREF kBlue = RGB(40, 60, 220);
constexpr COLORREF kYellow = RGB(230, 210, 40);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kUnderneath = RGB(255, 0, 255);  // what lies below an undrawn control

Gdiplus::Color ColorOf(COLORREF c, BYTE alpha = 255) {
    return Gdiplus::Color(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

// A solid picture whose deletion is counted.
class CountedPicture : public Gdiplus::Bitmap {
public:
    static inline int deleted = 0;
    CountedPicture(int width, int height, COLORREF colour)
        : Gdiplus::Bitmap(width, height, PixelFormat32bppARGB) {
        Gdiplus::Graphics graphics(this);
        Gdiplus::SolidBrush brush(ColorOf(colour));
        graphics.FillRectangle(&brush, 0, 0, width, height);
    }
    ~CountedPicture() override { ++deleted; }
};

ImagePtr Solid(COLORREF colour, int width = 16, int height = 16) {
    return std::make_unique<CountedPicture>(width, height, colour);
}

// What a control drew when its parent asked it to, over kUnderneath.
class Drawing {
public:
    Drawing(CWnd& parent, CWnd& control) {
        const RECT client = control.GetClientRect();
        width_ = client.right;
        height_ = client.bottom;
        WindowDC screen(nullptr);
        MemoryDC memory(screen.Get());
        UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width_, height_));
        SelectedObject selected(memory.Get(), bitmap.Get());
        UniqueBrush fill(::CreateSolidBrush(kUnderneath));
        ::FillRect(memory.Get(), &client, fill.Get());
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(control.GetDlgCtrlID());
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = control;
        item.hDC = memory.Get();
        item.rcItem = client;
        parent.SendMessage(WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels_.push_back(::GetPixel(memory.Get(), x, y));
            }
        }
    }

    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    // A corner pixel that no caption reaches: the picture's colour.
    COLORREF Picture() const { return At(width_ - 2, 1); }

    // Pixels that differ from background: the caption drawn over it.
    struct Text {
        bool any = false;
        int left = 0;
        int top = 0;
        int bottom = 0;
        COLORREF brightest = 0;
    };
    Text TextOver(COLORREF background) const {
        Text text;
        int brightness = -1;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = At(x, y);
                if (c == background) {
                    continue;
                }
                if (!text.any) {
                    text = {true, x, y, y, c};
                }
                text.left = std::min(text.left, x);
                text.bottom = y;
                const int b = GetRValue(c) + GetGValue(c) + GetBValue(c);
                if (b > brightness) {
                    brightness = b;
                    text.brightest = c;
                }
            }
        }
        return text;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// --- Input ------------------------------------------------------------------

// Handles everything queued, including the input and what it causes.
void Settle() {
    PumpUntil([] { return LOWORD(::GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0; }, 2000);
}

// Sends the events one by one, each handled with everything it causes before
// the next (the system merges mouse moves still queued, so a move out and back
// in would otherwise reach the control as one move).
::testing::AssertionResult Input(std::vector<INPUT> inputs) {
    for (const INPUT& input : inputs) {
        if (auto sent = SendInputs({input}); !sent) {
            return sent;
        }
        Settle();
    }
    return ::testing::AssertionSuccess();
}

POINT ScreenPoint(const CWnd& window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    return p;
}

LPARAM ClientPoint(int x, int y) {
    return MAKELPARAM(x, y);
}

// Far from every test window: the pointer rests here between tests.
constexpr POINT kParking{1200, 990};

// --- Fixture ----------------------------------------------------------------

constexpr int kPushX = 20, kPushY = 20, kPushW = 120, kPushH = 30;
constexpr int kCheckX = 20, kCheckY = 70, kCheckW = 20, kCheckH = 20;
constexpr int kComboX = 20, kComboY = 110, kComboW = 272, kComboH = 27;
constexpr POINT kDialogAt{100, 100};
constexpr POINT kNeutral{360, 30};  // dialog client point over no control

// Pictures of each test control's size, as the windows cut them.
ImagePtr ForPush(COLORREF colour) {
    return Solid(colour, kPushW, kPushH);
}
ImagePtr ForCheck(COLORREF colour) {
    return Solid(colour, kCheckW, kCheckH);
}
ImagePtr ForCombo(COLORREF colour) {
    return Solid(colour, kComboW, kComboH);
}

class KivButtonsTest : public ::testing::Test {
protected:
    // One dialog for the whole suite: under Wine without a window manager,
    // destroying a shown top-level window waits two seconds for nothing.
    static void SetUpTestSuite() {
        dialog = std::make_unique<RecordingDialog>(IDD_BUTTONS_DIALOG);
        if (!dialog->Create()) {
            return;
        }
        Gdiplus::Bitmap background(420, 220, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics graphics(&background);
            graphics.Clear(ColorOf(RGB(0x20, 0x20, 0x24)));
        }
        dialog->SetBackgroundImage(&background);
        dialog->ShowWindow(SW_SHOW);
    }
    static void TearDownTestSuite() { dialog.reset(); }

    void SetUp() override {
        ASSERT_NE(dialog->GetSafeHwnd(), nullptr);
        // Above any window another test left behind.
        ::SetWindowPos(*dialog, HWND_TOP, kDialogAt.x, kDialogAt.y, 420, 220, 0);
        ASSERT_TRUE(ToForeground(*dialog)) << "the test dialog did not come to the foreground";
        ASSERT_TRUE(ForgetLastClick());

        push = std::make_unique<CKivButton>();
        check = std::make_unique<CKivCheckBox>();
        combo = std::make_unique<CKivComboButton>(hooks, clock);
        ASSERT_TRUE(push->SubclassDlgItem(IDC_KIV_PUSH, *dialog));
        ASSERT_TRUE(check->SubclassDlgItem(IDC_KIV_CHECK, *dialog));
        ASSERT_TRUE(combo->SubclassDlgItem(IDC_KIV_COMBO, *dialog));
        push->MoveWindow(kPushX, kPushY, kPushW, kPushH);
        check->MoveWindow(kCheckX, kCheckY, kCheckW, kCheckH);
        combo->MoveWindow(kComboX, kComboY, kComboW, kComboH);
        for (CWnd* control : {static_cast<CWnd*>(push.get()), static_cast<CWnd*>(check.get()),
                              static_cast<CWnd*>(combo.get())}) {
            control->EnableWindow(TRUE);
        }
        Settle();
        dialog->events.clear();
        dialog->onEvent = nullptr;
    }

    void TearDown() override {
        ReleaseHeldInput();
        if (combo->list() != nullptr) {
            combo->list()->Hide();
        }
        ::ReleaseCapture();
        dialog->onEvent = nullptr;
        push.reset();
        check.reset();
        combo.reset();
        Settle();
    }

    // The control's centre, or a point inside it, in screen coordinates.
    static POINT On(const CWnd& control, int x = -1, int y = -1) {
        const RECT r = control.GetClientRect();
        return ScreenPoint(control, x < 0 ? r.right / 2 : x, y < 0 ? r.bottom / 2 : y);
    }
    static POINT Neutral() { return ScreenPoint(*dialog, kNeutral.x, kNeutral.y); }

    // Two presses on one control close together in time and place make a
    // double click, which the buttons do not take as a press: a click on the
    // dialog in between keeps the next press a press. Ends at the parking spot.
    static ::testing::AssertionResult ForgetLastClick() {
        return Input({MouseMoveTo(Neutral()), LeftDown(), LeftUp(), MouseMoveTo(kParking)});
    }

    static inline std::unique_ptr<RecordingDialog> dialog;

    InputHooks hooks;
    TestClock clock;
    std::unique_ptr<CKivButton> push;
    std::unique_ptr<CKivCheckBox> check;
    std::unique_ptr<CKivComboButton> combo;
};

// --- Shared rules -----------------------------------------------------------

// Looks for the states Normal, Hover, Pressed and Disabled, in this order.
ControlPictures Looks(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled) {
    ControlPictures pictures;
    pictures.look(ImageState::Normal) = std::move(normal);
    pictures.look(ImageState::Hover) = std::move(hover);
    pictures.look(ImageState::Pressed) = std::move(pressed);
    pictures.look(ImageState::Disabled) = std::move(disabled);
    return pictures;
}

TEST(ButtonLooks, ChoiceFirstMatchWins) {
    const ControlPictures all = Looks(Solid(kRed), Solid(kGreen), Solid(kBlue), Solid(kYellow));
    Gdiplus::Image* const normal = all.lookOf(ImageState::Normal);
    Gdiplus::Image* const hover = all.lookOf(ImageState::Hover);
    Gdiplus::Image* const pressed = all.lookOf(ImageState::Pressed);
    Gdiplus::Image* const disabled = all.lookOf(ImageState::Disabled);
    const ControlPictures noDisabled = Looks(Solid(kRed), Solid(kGreen), Solid(kBlue), nullptr);
    const ControlPictures normalAndHover = Looks(Solid(kRed), Solid(kGreen), nullptr, nullptr);
    const ControlPictures onlyNormal = Looks(Solid(kRed), nullptr, nullptr, nullptr);
    const ControlPictures noNormal = Looks(nullptr, Solid(kGreen), Solid(kBlue), Solid(kYellow));

    struct Case {
        const char* name;
        const ControlPictures& pictures;
        bool disabledWindow;
        bool pressedLook;
        ImageState state;
        Gdiplus::Image* expected;
    };
    const Case cases[] = {
        {"normal state", all, false, false, ImageState::Normal, normal},
        {"hover state", all, false, false, ImageState::Hover, hover},
        {"pressed state", all, false, false, ImageState::Pressed, pressed},
        {"disabled beats everything", all, true, true, ImageState::Pressed, disabled},
        {"disabled without its picture: the state's", noDisabled, true, false, ImageState::Hover,
         noDisabled.lookOf(ImageState::Hover)},
        {"selected or checked, normal state", all, false, true, ImageState::Normal, pressed},
        {"selected or checked, hover state", all, false, true, ImageState::Hover, pressed},
        {"pressed look without a pressed picture", normalAndHover, false, true, ImageState::Hover,
         normalAndHover.lookOf(ImageState::Hover)},
        {"only a normal picture, hovered", onlyNormal, false, false, ImageState::Hover, nullptr},
        {"only a normal picture, pressed", onlyNormal, false, false, ImageState::Pressed, nullptr},
        {"only a normal picture, normal", onlyNormal, false, false, ImageState::Normal,
         onlyNormal.lookOf(ImageState::Normal)},
        {"no normal picture, normal", noNormal, false, false, ImageState::Normal, nullptr},
        {"no button is in the disabled state", all, false, false, ImageState::Disabled, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseButtonLook(c.pictures, c.disabledWindow, c.pressedLook, c.state),
                  c.expected);
    }
}

TEST_F(KivButtonsTest, TemplateButtonsBecomeOwnerDrawn) {
    for (const CWnd* control :
         {static_cast<const CWnd*>(push.get()), static_cast<const CWnd*>(check.get()),
          static_cast<const CWnd*>(combo.get())}) {
        EXPECT_EQ(control->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    }
}

TEST_F(KivButtonsTest, ControlsOwnTheirPicturesAndDeleteWhatTheyReplace) {
    CountedPicture::deleted = 0;
    push->SetImages(ForPush(kRed), ForPush(kGreen), ForPush(kBlue), ForPush(kYellow));
    check->SetImages(ForCheck(kRed), ForCheck(kGreen), ForCheck(kBlue), ForCheck(kYellow));
    combo->SetImages(ForCombo(kRed), ForCombo(kGreen), ForCombo(kBlue));
    EXPECT_EQ(CountedPicture::deleted, 0);
    push->SetImages(ForPush(kRed), nullptr, nullptr, nullptr);
    EXPECT_EQ(CountedPicture::deleted, 4);
    check->SetImages(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(CountedPicture::deleted, 8);
    combo->SetImages(nullptr, ForCombo(kGreen), nullptr);
    EXPECT_EQ(CountedPicture::deleted, 11);
    push.reset();
    combo.reset();
    EXPECT_EQ(CountedPicture::deleted, 13) << "the destructor deletes what is left";
    combo = std::make_unique<CKivComboButton>(hooks, clock);  // for TearDown
}

TEST_F(KivButtonsTest, EraseDrawsNothingAndAMissingPictureLeavesWhatLiesBelow) {
    push->SetImages(nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(push->SendMessage(WM_ERASEBKGND, 0, 0), 0) << "reports the erase as done";
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kUnderneath);
    check->SetImages(nullptr, ForCheck(kGreen), nullptr, nullptr);
    EXPECT_NE(check->SendMessage(WM_ERASEBKGND, 0, 0), 0);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kUnderneath);
    combo->SetImages(nullptr, nullptr, nullptr);
    EXPECT_NE(combo->SendMessage(WM_ERASEBKGND, 0, 0), 0);
    EXPECT_EQ(Drawing(*dialog, *combo).Picture(), kUnderneath);
}

TEST_F(KivButtonsTest, SetPicturesGivesEachKindItsLookInEachState) {
    struct Kind {
        const char* name;
        CKivButtonBase* button;
        int width, height;
        bool hasDisabledLook;  // the combo has none
    };
    const Kind kinds[] = {
        {"push button", push.get(), kPushW, kPushH, true},
        {"check box", check.get(), kCheckW, kCheckH, true},
        {"combo button", combo.get(), kComboW, kComboH, false},
    };
    const LPARAM inside = ClientPoint(3, 3);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        CKivButtonBase& button = *kind.button;
        auto solid = [&](COLORREF colour) { return Solid(colour, kind.width, kind.height); };
        CountedPicture::deleted = 0;
        button.SetPictures(Looks(solid(kBlack), solid(kBlack), solid(kBlack), solid(kBlack)));
        EXPECT_EQ(CountedPicture::deleted, kind.hasDisabledLook ? 0 : 1)
            << "a look the kind has no use for is deleted at once";
        CountedPicture::deleted = 0;
        ControlPictures pictures = Looks(solid(kRed), solid(kGreen), solid(kBlue), solid(kYellow));
        pictures.background = solid(kBlack);
        button.SetPictures(std::move(pictures));
        // The looks held before, the background no button draws, and the
        // combo's disabled look: 4 + 1, or 3 + 1 + 1.
        EXPECT_EQ(CountedPicture::deleted, 5);
        EXPECT_EQ(button.pictures().background, nullptr);

        EXPECT_EQ(Drawing(*dialog, button).Picture(), kRed) << "normal";
        button.SendMessage(WM_MOUSEMOVE, 0, inside);
        EXPECT_EQ(Drawing(*dialog, button).Picture(), kGreen) << "hover";
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
        EXPECT_EQ(Drawing(*dialog, button).Picture(), kBlue) << "pressed";
        button.SendMessage(WM_LBUTTONUP, 0, inside);
        check->SetChecked(false);
        // The click handling released the capture: the first move enters
        // again, the next one outside leaves.
        button.SendMessage(WM_MOUSEMOVE, 0, inside);
        button.SendMessage(WM_MOUSEMOVE, 0, ClientPoint(-5, 3));
        ASSERT_EQ(button.state(), ImageState::Normal);
        button.EnableWindow(FALSE);
        EXPECT_EQ(Drawing(*dialog, button).Picture(), kind.hasDisabledLook ? kYellow : kRed)
            << "disabled";
        button.EnableWindow(TRUE);
    }
}

// --- Push button ------------------------------------------------------------

TEST_F(KivButtonsTest, PushButtonHoverPressClickAndLeaveUnderRealInput) {
    push->SetImages(ForPush(kRed), ForPush(kGreen), ForPush(kBlue), ForPush(kYellow));
    const int id = IDC_KIV_PUSH;
    struct Step {
        const char* name;
        std::vector<INPUT> input;
        std::vector<ParentEvent> events;  // all events so far
        ImageState state;
        COLORREF picture;
    };
    const std::vector<Step> steps = {
        {"enter",
         {MouseMoveTo(Neutral()), MouseMoveTo(On(*push))},
         {Sys(kMouseEntered, id), Sys(id, 0)},
         ImageState::Hover,
         kGreen},
        {"press", {LeftDown()}, {Sys(kMouseEntered, id), Sys(id, 0)}, ImageState::Pressed, kBlue},
        // The click handling took and released the capture: the next move
        // enters again.
        {"release and move on",
         {LeftUp(), MouseMoveTo(On(*push, 10, 10))},
         {Sys(kMouseEntered, id), Sys(id, 0), Clicked(id), Sys(kMouseEntered, id), Sys(id, 0)},
         ImageState::Hover,
         kGreen},
        {"leave",
         {MouseMoveTo(Neutral())},
         {Sys(kMouseEntered, id), Sys(id, 0), Clicked(id), Sys(kMouseEntered, id), Sys(id, 0),
          Sys(kMouseLeft, id)},
         ImageState::Normal,
         kRed},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        ASSERT_TRUE(Input(step.input));
        EXPECT_EQ(dialog->events, step.events);
        EXPECT_EQ(push->state(), step.state);
        EXPECT_EQ(Drawing(*dialog, *push).Picture(), step.picture);
    }
    EXPECT_FALSE(push->tracking());
    EXPECT_EQ(::GetCapture(), nullptr) << "the capture is given back on leaving";
}

TEST_F(KivButtonsTest, DraggingOutOfAPressedButtonResetsItAtOnce) {
    push->SetImages(ForPush(kRed), ForPush(kGreen), ForPush(kBlue), nullptr);
    const int id = IDC_KIV_PUSH;
    ASSERT_TRUE(Input({MouseMoveTo(Neutral()), MouseMoveTo(On(*push)), LeftDown()}));
    ASSERT_EQ(Drawing(*dialog, *push).Picture(), kBlue);

    ASSERT_TRUE(Input({MouseMoveTo(Neutral())}));
    ASSERT_TRUE(::GetAsyncKeyState(VK_LBUTTON) & 0x8000) << "the left button is still down";
    EXPECT_EQ(push->state(), ImageState::Normal);
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kRed);
    EXPECT_EQ(push->SendMessage(BM_GETSTATE) & BST_PUSHED, 0)
        << "the platform's press ended with the capture";
    EXPECT_EQ(dialog->events,
              (std::vector<ParentEvent>{Sys(kMouseEntered, id), Sys(id, 0), Sys(kMouseLeft, id)}));

    ASSERT_TRUE(Input({LeftUp()}));
    EXPECT_EQ(dialog->events.size(), 3u) << "no click outside the button";
}

TEST_F(KivButtonsTest, PushButtonWithOnlyANormalPictureShowsNothingWhenHoveredOrPressed) {
    push->SetImages(ForPush(kRed), nullptr, nullptr, nullptr);
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kRed);
    push->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(5, 5));
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kUnderneath);
    push->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kUnderneath);
    push->SendMessage(WM_LBUTTONUP, 0, ClientPoint(5, 5));
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kRed);
}

TEST_F(KivButtonsTest, SelectedButtonKeepsItsLookWhileThePointerPassesOverIt) {
    push->SetImages(ForPush(kRed), ForPush(kGreen), ForPush(kBlue), nullptr);
    push->SetCaption(L"Sensor");
    push->SetSelectedTextColour(Argb{0xFF20E0FF});
    const COLORREF selectedText = RGB(0x20, 0xE0, 0xFF);
    push->SetSelected(true);
    const std::vector<std::pair<const char*, std::vector<INPUT>>> moves = {
        {"before", {}},
        {"hovered", {MouseMoveTo(Neutral()), MouseMoveTo(On(*push))}},
        {"left", {MouseMoveTo(Neutral())}},
    };
    for (const auto& [name, input] : moves) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Input(input));
        const Drawing drawn(*dialog, *push);
        EXPECT_EQ(drawn.Picture(), kBlue);
        EXPECT_EQ(drawn.TextOver(kBlue).brightest, selectedText);
    }
    EXPECT_EQ(push->state(), ImageState::Normal);
    push->SetSelected(false);
    EXPECT_EQ(Drawing(*dialog, *push).Picture(), kRed);
}

TEST_F(KivButtonsTest, PushButtonCaptionColourAndPlace) {
    push->SetImages(ForPush(kBlack), ForPush(kBlack), ForPush(kBlack), ForPush(kBlack));
    push->SetCaption(L"Mode");
    struct Case {
        const char* name;
        std::function<void()> setUp;
        COLORREF colour;
    };
    const POINT inside{5, 5};
    const Case cases[] = {
        {"normal", [] {}, RGB(0xD2, 0xD2, 0xD2)},
        {"hover", [&] { push->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(inside.x, inside.y)); },
         RGB(0xFF, 0xFF, 0xFF)},
        {"pressed",
         [&] { push->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(inside.x, inside.y)); },
         RGB(0xD2, 0xD2, 0xD2)},
        {"selected", [&] { push->SetSelected(true); }, RGB(0xFF, 0xFF, 0xFF)},
        {"selected in its own colour", [&] { push->SetSelectedTextColour(Argb{0xFF10A0F0}); },
         RGB(0x10, 0xA0, 0xF0)},
        {"disabled, even when selected", [&] { push->EnableWindow(FALSE); }, RGB(0x78, 0x78, 0x78)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        const Drawing::Text text = Drawing(*dialog, *push).TextOver(kBlack);
        ASSERT_TRUE(text.any);
        EXPECT_EQ(text.brightest, c.colour);
        EXPECT_GE(text.left, 5) << "drawn 5 pixels in";
        EXPECT_LE(text.left, 8);
        // Vertically centred: as much room above as below, give or take the
        // font's internal leading.
        EXPECT_LE(std::abs(text.top - (kPushH - 1 - text.bottom)), 4);
    }
    push->SetCaption(L"");
    EXPECT_FALSE(Drawing(*dialog, *push).TextOver(kBlack).any);
}

TEST_F(KivButtonsTest, FocusChangesRedrawTheButtons) {
    for (CWnd* control : {static_cast<CWnd*>(push.get()), static_cast<CWnd*>(check.get()),
                          static_cast<CWnd*>(combo.get())}) {
        ::SetFocus(nullptr);
        Settle();
        ::ValidateRect(*control, nullptr);
        ::SetFocus(*control);
        EXPECT_TRUE(::GetUpdateRect(*control, nullptr, FALSE)) << "after gaining the focus";
        ::ValidateRect(*control, nullptr);
        ::SetFocus(nullptr);
        EXPECT_TRUE(::GetUpdateRect(*control, nullptr, FALSE)) << "after losing it";
    }
}

// --- Check box ---------------------------------------------------------------

TEST_F(KivButtonsTest, CheckBoxTogglesOnReleaseOverIt) {
    check->SetImages(ForCheck(kRed), ForCheck(kGreen), ForCheck(kBlue), ForCheck(kYellow));
    const int id = IDC_KIV_CHECK;
    std::vector<bool> seenAtClick;
    dialog->onEvent = [&](const ParentEvent& e) {
        if (e == Clicked(id)) {
            seenAtClick.push_back(check->checked());
        }
    };
    const POINT inside = On(*check, 4, 4);
    const POINT elsewhere = On(*check, 15, 15);  // a second click apart: no double click
    struct Case {
        const char* name;
        std::vector<INPUT> input;
        bool checked;
        std::vector<bool> clicks;  // the checked flag the parent saw at each click
    };
    const Case cases[] = {
        {"pressed and released over it",
         {MouseMoveTo(Neutral()), MouseMoveTo(inside), LeftDown(), LeftUp()},
         true,
         {true}},
        {"clicked twice",
         {MouseMoveTo(Neutral()), MouseMoveTo(inside), LeftDown(), LeftUp(), MouseMoveTo(elsewhere),
          LeftDown(), LeftUp()},
         false,
         {true, false}},
        {"held down as the pointer entered",
         {MouseMoveTo(Neutral()), LeftDown(), MouseMoveTo(inside), LeftUp()},
         true,
         {}},
        {"pressed over it, released outside",
         {MouseMoveTo(Neutral()), MouseMoveTo(inside), LeftDown(), MouseMoveTo(Neutral()),
          LeftUp()},
         false,
         {}},
        {"dragged out and back in before the release",
         {MouseMoveTo(Neutral()), MouseMoveTo(inside), LeftDown(), MouseMoveTo(Neutral()),
          MouseMoveTo(elsewhere), LeftUp()},
         true,
         {}},
        {"only passed over",
         {MouseMoveTo(Neutral()), MouseMoveTo(inside), MouseMoveTo(Neutral())},
         false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        check->SetChecked(false);
        ASSERT_TRUE(ForgetLastClick());
        dialog->events.clear();
        seenAtClick.clear();
        ASSERT_TRUE(Input(c.input));
        ASSERT_TRUE(Input({MouseMoveTo(Neutral())}));
        EXPECT_EQ(check->checked(), c.checked);
        EXPECT_EQ(seenAtClick, c.clicks);
        EXPECT_EQ(dialog->events.size(), c.clicks.size()) << "the check box sends nothing else";
        EXPECT_FALSE(check->armed());
        EXPECT_EQ(check->state(), ImageState::Normal);
    }
}

TEST_F(KivButtonsTest, CheckBoxShowsItsCheckedLookInEveryState) {
    check->SetImages(ForCheck(kRed), ForCheck(kGreen), ForCheck(kBlue), ForCheck(kYellow));
    const LPARAM inside = ClientPoint(3, 3);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kRed);
    check->SendMessage(WM_MOUSEMOVE, 0, inside);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kGreen);
    check->SetChecked(true);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kBlue) << "checked while hovered";
    check->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(-5, 3));
    EXPECT_EQ(check->state(), ImageState::Normal);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kBlue) << "checked, normal state";
    check->EnableWindow(FALSE);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kYellow);
    check->SetImages(ForCheck(kRed), ForCheck(kGreen), ForCheck(kBlue), nullptr);
    EXPECT_EQ(Drawing(*dialog, *check).Picture(), kBlue) << "no disabled picture";
    EXPECT_TRUE(dialog->events.empty()) << "SetChecked sends nothing";
}

// --- Combo button ------------------------------------------------------------

// The function list of the key-assignment page, in small.
void FillList(CKivComboButton& combo) {
    combo.AddItem(1101, L"Left Click");
    combo.AddItem(2000, L"Keyboard");
    combo.AddItem(2300, L"Rapid Fire");
    combo.AddSubItem(2301, 2300, L"Mouse");
    const int rapidFire[] = {2300};
    combo.AddSubItem(2311, 2301, L"Rapid Left Click", rapidFire);
}

// The screen point at the centre of entry index of list.
POINT EntryPoint(const CKivMenu& list, size_t index) {
    const RECT window = list.GetWindowRect();
    const RECT& r = list.items()[index]->rect;
    return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
}

void ClickByMessages(CWnd& control, int x = 30, int y = 10) {
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    control.SendMessage(WM_LBUTTONUP, 0, ClientPoint(x, y));
}

TEST_F(KivButtonsTest, ComboStartsEmptyAndCreatesItsListWithTheFirstItem) {
    EXPECT_EQ(combo->caption(), L"");
    EXPECT_EQ(combo->selectedValue(), -1);
    EXPECT_EQ(combo->firstKey(), -1);
    EXPECT_EQ(combo->rapidFireCount(), 1);
    EXPECT_EQ(combo->secondKey(), -1);
    EXPECT_EQ(combo->modifiers(), -1);
    EXPECT_TRUE(combo->captionFollowsSelection());

    combo->AddSubItem(2301, 2300, L"Mouse");
    const int rapidFire[] = {2300};
    combo->AddSubItem(2311, 2301, L"Rapid Left Click", rapidFire);
    combo->SelectItem(2311);
    EXPECT_EQ(combo->list(), nullptr) << "only AddItem creates the list";
    EXPECT_EQ(combo->selectedValue(), -1);

    clock.now = 7'654'321;
    combo->AddItem(2000, L"Keyboard");
    CKivMenu* list = combo->list();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->owner(), combo->GetSafeHwnd());
    EXPECT_EQ(list->commandId(), 7'654'321u) << "the tick count as its command ID";
    EXPECT_EQ(list->GetWindowRect().right - list->GetWindowRect().left, kComboW - 2);
    EXPECT_FALSE(list->IsWindowVisible());
    combo->AddItem(2000, L"Keyboard again");
    ASSERT_EQ(list->items().size(), 1u);
    EXPECT_EQ(list->items()[0]->text, L"Keyboard");

    CKivComboButton unbound(hooks, clock);
    unbound.AddItem(2000, L"Keyboard");
    EXPECT_EQ(unbound.list(), nullptr) << "no window, no list";
}

TEST_F(KivButtonsTest, ComboNestsEntriesAlongAPathOfEntryValues) {
    combo->AddItem(10, L"Colours");
    combo->AddSubItem(11, 10, L"Warm");
    const int warmPath[] = {10};
    const int redPath[] = {10, 11};
    const int strayPath[] = {11};
    combo->AddSubItem(12, 11, L"Red", warmPath);
    combo->AddSubItem(13, 12, L"Crimson", redPath);
    combo->AddSubItem(14, 10, L"Stray", strayPath);

    CKivMenu& list = *combo->list();
    const int crimsonPath[] = {10, 11, 12};
    const CKivMenu* fourth = list.SubListAt(crimsonPath);
    ASSERT_NE(fourth, nullptr);
    ASSERT_EQ(fourth->items().size(), 1u);
    EXPECT_EQ(fourth->items()[0]->text, L"Crimson");
    EXPECT_TRUE(fourth->items()[0]->enabled);
    EXPECT_EQ(list.FindItem(14), nullptr) << "11 is no top-level entry: the path breaks";

    combo->SelectItem(13);
    EXPECT_EQ(combo->caption(), L"Crimson");
    EXPECT_EQ(combo->selectedValue(), 13);
}

TEST_F(KivButtonsTest, ComboReportsEntryAndExitOnly) {
    combo->SetImages(ForCombo(kRed), ForCombo(kGreen), ForCombo(kBlue));
    const int id = IDC_KIV_COMBO;
    ASSERT_TRUE(Input({MouseMoveTo(Neutral()), MouseMoveTo(On(*combo))}));
    EXPECT_EQ(dialog->events, (std::vector<ParentEvent>{Sys(kMouseEntered, id)}));
    EXPECT_EQ(Drawing(*dialog, *combo).Picture(), kGreen);
    ASSERT_TRUE(Input({MouseMoveTo(Neutral())}));
    EXPECT_EQ(dialog->events,
              (std::vector<ParentEvent>{Sys(kMouseEntered, id), Sys(kMouseLeft, id)}));
    EXPECT_EQ(Drawing(*dialog, *combo).Picture(), kRed);
}

TEST_F(KivButtonsTest, ComboDrawsItsCaptionInGreyAndWhiteOnHover) {
    combo->SetImages(ForCombo(kBlack), ForCombo(kBlack), ForCombo(kBlack));
    combo->SetCaption(L"Middle Click", 1103, -1, 1);
    Drawing::Text text = Drawing(*dialog, *combo).TextOver(kBlack);
    ASSERT_TRUE(text.any);
    EXPECT_EQ(text.brightest, RGB(0x5A, 0x5A, 0x5A));
    EXPECT_GE(text.left, 11) << "drawn 11 pixels in";
    EXPECT_LE(text.left, 14);
    // Centred in the rectangle that ends 3 pixels above the bottom.
    EXPECT_LE(std::abs(text.top - (kComboH - 4 - text.bottom)), 4);

    combo->SendMessage(WM_MOUSEMOVE, 0, ClientPoint(5, 5));
    EXPECT_EQ(Drawing(*dialog, *combo).TextOver(kBlack).brightest, RGB(0xFF, 0xFF, 0xFF));
    combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
    EXPECT_EQ(Drawing(*dialog, *combo).TextOver(kBlack).brightest, RGB(0x5A, 0x5A, 0x5A));

    // The combo has no disabled picture: disabled, it shows its state's.
    combo->SetImages(ForCombo(kRed), ForCombo(kGreen), ForCombo(kBlue));
    combo->SendMessage(WM_LBUTTONUP, 0, ClientPoint(-50, 5));
    combo->EnableWindow(FALSE);
    EXPECT_EQ(Drawing(*dialog, *combo).Picture(), kRed);
}

TEST_F(KivButtonsTest, ComboOpensItsListAndTakesTheChosenEntryUnderRealInput) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    const int id = IDC_KIV_COMBO;
    const RECT button = combo->GetWindowRect();

    ASSERT_TRUE(Input({MouseMoveTo(Neutral()), MouseMoveTo(On(*combo)), LeftDown(), LeftUp()}));
    ASSERT_TRUE(list.IsWindowVisible());
    const RECT placed = list.GetWindowRect();
    EXPECT_EQ(placed.left, button.left);
    EXPECT_EQ(placed.top, button.bottom - 2);
    EXPECT_EQ(hooks.MouseTarget(), list.GetSafeHwnd());
    ASSERT_GE(dialog->events.size(), 2u);
    EXPECT_EQ(dialog->events[0], Sys(kMouseEntered, id));
    EXPECT_EQ(dialog->events[1], Clicked(id));
    EXPECT_TRUE(dialog->ListEvents().empty());

    // Entries: 0 "Left Click", 1 "Keyboard".
    const POINT keyboard = EntryPoint(list, 1);
    dialog->events.clear();
    ASSERT_TRUE(Input(
        {MouseMoveTo(keyboard), MouseMoveTo({keyboard.x + 2, keyboard.y}), LeftDown(), LeftUp()}));
    EXPECT_FALSE(list.IsWindowVisible());
    EXPECT_FALSE(hooks.MouseHookInstalled());
    EXPECT_EQ(dialog->ListEvents(),
              (std::vector<ParentEvent>{Sys(kListHiding, 1), Sys(kListHiding, 0), Sys(id, 2000)}));
    EXPECT_EQ(combo->caption(), L"Keyboard");
    EXPECT_EQ(combo->selectedValue(), 2000);

    // The same entry again, a while later: reported again.
    clock.now += 1000;
    dialog->events.clear();
    ASSERT_TRUE(
        Input({MouseMoveTo(Neutral()), MouseMoveTo(On(*combo, 60, 10)), LeftDown(), LeftUp()}));
    ASSERT_TRUE(list.IsWindowVisible());
    ASSERT_TRUE(Input(
        {MouseMoveTo(keyboard), MouseMoveTo({keyboard.x + 2, keyboard.y}), LeftDown(), LeftUp()}));
    EXPECT_EQ(dialog->ListEvents(),
              (std::vector<ParentEvent>{Sys(kListHiding, 1), Sys(kListHiding, 0), Sys(id, 2000)}));
}

TEST_F(KivButtonsTest, ClickOnTheComboWhileItsListIsOpenOnlyClosesIt) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    const int id = IDC_KIV_COMBO;
    ASSERT_TRUE(
        Input({MouseMoveTo(Neutral()), MouseMoveTo(On(*combo, 20, 10)), LeftDown(), LeftUp()}));
    ASSERT_TRUE(list.IsWindowVisible());
    // The list watch notes the list as seen.
    combo->SendMessage(WM_TIMER, CKivComboButton::kListWatchTimer);
    ASSERT_EQ(combo->listSeenAt(), clock.now);

    clock.now += 50;
    dialog->events.clear();
    ASSERT_TRUE(Input({MouseMoveTo(On(*combo, 60, 10)), LeftDown(), LeftUp()}));
    EXPECT_FALSE(list.IsWindowVisible()) << "closed and not opened again";
    EXPECT_FALSE(hooks.MouseHookInstalled());
    EXPECT_EQ(dialog->ListEvents(),
              (std::vector<ParentEvent>{Sys(kListHiding, 1), Sys(kListHiding, 0)}));
    EXPECT_EQ(std::count(dialog->events.begin(), dialog->events.end(), Clicked(id)), 1);

    // The next click, later on, opens it.
    clock.now += 1000;
    ASSERT_TRUE(Input({MouseMoveTo(On(*combo, 100, 10)), LeftDown(), LeftUp()}));
    EXPECT_TRUE(list.IsWindowVisible());
}

TEST_F(KivButtonsTest, ReopenGuardCountsFromWhenTheListWasLastSeen) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    struct Case {
        const char* name;
        uint64_t sinceSeen;
        bool reopens;
    };
    const Case cases[] = {
        {"at once", 0, false},
        {"199 ms later", 199, false},
        {"200 ms later", 200, true},
        {"much later", 5000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.now += 10'000;
        ClickByMessages(*combo);
        ASSERT_TRUE(list.IsWindowVisible());
        combo->SendMessage(WM_TIMER, CKivComboButton::kListWatchTimer);
        clock.now += c.sinceSeen;
        dialog->events.clear();
        ClickByMessages(*combo);
        EXPECT_EQ(dialog->ListEvents(),
                  (std::vector<ParentEvent>{Sys(kListHiding, 1), Sys(kListHiding, 0)}));
        EXPECT_EQ(list.IsWindowVisible() != FALSE, c.reopens);
        list.Hide();
    }
}

TEST_F(KivButtonsTest, ListWatchTimerNotesTheVisibleListAndStopsWhenItIsHidden) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    const HWND self = *combo;

    clock.now = 2'000'000;
    ClickByMessages(*combo);
    ASSERT_TRUE(list.IsWindowVisible());
    clock.now = 2'000'100;
    combo->SendMessage(WM_TIMER, CKivComboButton::kListWatchTimer);
    EXPECT_EQ(combo->listSeenAt(), 2'000'100u);
    combo->SendMessage(WM_TIMER, 7);  // not the list watch
    clock.now = 2'000'150;
    combo->SendMessage(WM_TIMER, 7);
    EXPECT_EQ(combo->listSeenAt(), 2'000'100u);
    EXPECT_TRUE(::KillTimer(self, CKivComboButton::kListWatchTimer)) << "runs while open";

    clock.now = 3'000'000;
    ClickByMessages(*combo);
    ASSERT_TRUE(list.IsWindowVisible());
    list.Hide();
    clock.now = 3'000'100;
    combo->SendMessage(WM_TIMER, CKivComboButton::kListWatchTimer);
    EXPECT_EQ(combo->listSeenAt(), 2'000'100u) << "a hidden list is not seen";
    EXPECT_FALSE(::KillTimer(self, CKivComboButton::kListWatchTimer)) << "stopped";
}

TEST_F(KivButtonsTest, ListOpensBelowOrAboveAndRightOrLeftByTheRoomOnScreen) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    const int cx = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const int height = list.MeasureHeight();
    enum Anchor { kBelowRight, kBelowLeft, kAboveRight, kAboveLeft };
    struct Case {
        const char* name;
        int spareRight;   // from the button's right edge to the screen's
        int spareBelow;   // below the list if it opened downwards
        Anchor expected;  // where the list goes from the button's left edge
    };
    const Case cases[] = {
        {"plenty of room", 600, 300, kBelowRight},
        {"201 pixels on the right", 201, 300, kBelowRight},
        {"200 pixels on the right", 200, 300, kBelowLeft},
        {"one pixel to spare below", 600, 1, kBelowRight},
        {"no pixel to spare below", 600, 0, kAboveRight},
        {"bottom right corner", 60, -30, kAboveLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Place the dialog so that the button lands where the case needs it.
        const int right = cx - c.spareRight;
        const int bottom = cy - height - c.spareBelow + 2;  // 2: the list overlaps the button
        dialog->MoveWindow(right - kComboW - kComboX, bottom - kComboH - kComboY, 420, 220);
        const RECT button = combo->GetWindowRect();
        ASSERT_EQ(button.right, right);
        ASSERT_EQ(button.bottom, bottom);

        clock.now += 10'000;
        ClickByMessages(*combo);
        ASSERT_TRUE(list.IsWindowVisible());
        const RECT placed = list.GetWindowRect();
        switch (c.expected) {
            case kBelowRight:
                EXPECT_EQ(placed.left, button.left);
                EXPECT_EQ(placed.top, button.bottom - 2);
                break;
            case kBelowLeft:
                EXPECT_EQ(placed.right, button.left);
                EXPECT_EQ(placed.top, button.bottom - 2);
                break;
            case kAboveRight:
                EXPECT_EQ(placed.left, button.left);
                EXPECT_EQ(placed.bottom, button.top);
                break;
            case kAboveLeft:
                EXPECT_EQ(placed.right, button.left);
                EXPECT_EQ(placed.bottom, button.top);
                break;
        }
        list.Hide();
    }
}

TEST_F(KivButtonsTest, ChosenEntryIsReportedAndBecomesTheCaptionUnlessTheOwnerVetoes) {
    FillList(*combo);
    CKivMenu& list = *combo->list();
    const int id = IDC_KIV_COMBO;
    combo->SetCaption(L"Left Click", 1101, 4, 9);
    bool veto = false;
    dialog->onEvent = [&](const ParentEvent& e) {
        if (veto && e.message == WM_SYSCOMMAND && e.first == static_cast<WPARAM>(id)) {
            combo->SetCaptionFollowsSelection(false);
        }
    };
    struct Case {
        const char* name;
        WPARAM listId;  // the list that reports: the root or a sub-list
        LPARAM value;
        bool veto;
        std::vector<ParentEvent> events;
        std::wstring caption;
        int selectedValue;
    };
    const Case cases[] = {
        {"top level", list.commandId(), 2000, false, {Sys(id, 2000)}, L"Keyboard", 2000},
        {"vetoed once", list.commandId(), 1101, true, {Sys(id, 1101)}, L"Keyboard", 2000},
        {"the veto does not last",
         list.commandId(),
         1101,
         false,
         {Sys(id, 1101)},
         L"Left Click",
         1101},
        {"third level", 2301, 2311, false, {Sys(id, 2311)}, L"Rapid Left Click", 2311},
        {"the same entry again", 2301, 2311, false, {Sys(id, 2311)}, L"Rapid Left Click", 2311},
        {"not in the list", list.commandId(), 4242, false, {}, L"Rapid Left Click", 2311},
        {"a list closing is passed on",
         kListHiding,
         1,
         false,
         {Sys(kListHiding, 1)},
         L"Rapid Left Click",
         2311},
        {"a list closed", kListHiding, 0, false, {Sys(kListHiding, 0)}, L"Rapid Left Click", 2311},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog->events.clear();
        veto = c.veto;
        combo->SendMessage(WM_SYSCOMMAND, c.listId, c.value);
        EXPECT_EQ(dialog->events, c.events);
        EXPECT_EQ(combo->caption(), c.caption);
        EXPECT_EQ(combo->selectedValue(), c.selectedValue);
        EXPECT_TRUE(combo->captionFollowsSelection());
    }
    EXPECT_EQ(combo->firstKey(), 4) << "a choice leaves the function's values";
    EXPECT_EQ(combo->rapidFireCount(), 9);
}

TEST_F(KivButtonsTest, ComboCaptionSettersSendNothing) {
    FillList(*combo);
    combo->SelectItem(2311);
    EXPECT_EQ(combo->caption(), L"Rapid Left Click") << "found below the top level";
    EXPECT_EQ(combo->selectedValue(), 2311);
    combo->SelectItem(4242);
    EXPECT_EQ(combo->caption(), L"Rapid Left Click") << "an unknown value changes nothing";
    EXPECT_EQ(combo->selectedValue(), 2311);

    combo->SetCaption(L"Rapid Fire A [5]", 2400, 0x41, 5);
    EXPECT_EQ(combo->caption(), L"Rapid Fire A [5]");
    EXPECT_EQ(combo->selectedValue(), 2400);
    EXPECT_EQ(combo->firstKey(), 0x41);
    EXPECT_EQ(combo->rapidFireCount(), 5);
    EXPECT_EQ(combo->secondKey(), -1);
    EXPECT_EQ(combo->modifiers(), -1);

    combo->SetCaptionEx(L"CTRL+A+B", 2000, 0x41, 0x42, 1);
    EXPECT_EQ(combo->caption(), L"CTRL+A+B");
    EXPECT_EQ(combo->selectedValue(), 2000);
    EXPECT_EQ(combo->firstKey(), 0x41);
    EXPECT_EQ(combo->rapidFireCount(), 5) << "SetCaptionEx leaves the rapid-fire count";
    EXPECT_EQ(combo->secondKey(), 0x42);
    EXPECT_EQ(combo->modifiers(), 1);

    EXPECT_TRUE(dialog->events.empty());
}

// --- The looks on screen -----------------------------------------------------

// Pictures in the style of the skins: dark fields, one accent colour.
const Gdiplus::Color kAccent(255, 0xE0, 0x3C, 0x31);

ImagePtr Field(int w, int h, Gdiplus::Color fill, Gdiplus::Color border, bool tick = false) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppARGB);
    Gdiplus::Graphics g(bitmap.get());
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.Clear(Gdiplus::Color(255, 0x20, 0x20, 0x24));
    Gdiplus::SolidBrush brush(fill);
    Gdiplus::Pen pen(border, 1.5f);
    Gdiplus::GraphicsPath path;
    const int r = std::min(6, h / 3);
    path.AddArc(1, 1, 2 * r, 2 * r, 180, 90);
    path.AddArc(w - 2 - 2 * r, 1, 2 * r, 2 * r, 270, 90);
    path.AddArc(w - 2 - 2 * r, h - 2 - 2 * r, 2 * r, 2 * r, 0, 90);
    path.AddArc(1, h - 2 - 2 * r, 2 * r, 2 * r, 90, 90);
    path.CloseFigure();
    g.FillPath(&brush, &path);
    g.DrawPath(&pen, &path);
    if (tick) {
        Gdiplus::Pen white(Gdiplus::Color(255, 255, 255, 255), 2.5f);
        const Gdiplus::Point points[] = {
            {w / 4, h / 2}, {w * 2 / 5, h * 7 / 10}, {w * 3 / 4, h / 4}};
        g.DrawLines(&white, points, 3);
    }
    return bitmap;
}

// Each kind of button in each of its looks, painted by the system on screen;
// with VANDIR_BUTTONS_SCREENSHOT set to a file name the screen area is saved
// there as a PNG.
TEST(KivButtonsShowcase, EachKindInEachLookOnScreen) {
    InputHooks hooks;
    TestClock clock;
    RecordingDialog showcase(IDD_BUTTONS_SHOWCASE);
    ASSERT_TRUE(showcase.Create());
    constexpr int kWidth = 680;
    constexpr int kHeight = 250;
    const wchar_t* labels[] = {L"normal", L"hover", L"pressed", L"selected", L"disabled"};
    const wchar_t* checkLabels[] = {L"normal", L"hover", L"checked", L"disabled"};
    const wchar_t* comboLabels[] = {L"normal", L"hover", L"pressed", L"list open"};
    Gdiplus::Bitmap background(kWidth, kHeight, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&background);
        g.Clear(Gdiplus::Color(255, 0x1A, 0x1A, 0x1E));
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        Gdiplus::FontFamily family(L"Liberation Sans");
        Gdiplus::Font font(&family, 11, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush grey(Gdiplus::Color(255, 0x90, 0x90, 0x90));
        for (int i = 0; i < 5; ++i) {
            g.DrawString(labels[i], -1, &font, Gdiplus::PointF(20.0f + i * 130, 12), &grey);
        }
        for (int i = 0; i < 4; ++i) {
            g.DrawString(checkLabels[i], -1, &font, Gdiplus::PointF(50.0f + i * 130, 92), &grey);
        }
        for (int i = 0; i < 4; ++i) {
            g.DrawString(comboLabels[i], -1, &font,
                         Gdiplus::PointF(20.0f + (i % 2) * 320, 140.0f + (i / 2) * 55), &grey);
        }
    }
    showcase.SetBackgroundImage(&background);
    showcase.MoveWindow(100, 380, kWidth, kHeight);

    const Gdiplus::Color dark(255, 0x33, 0x33, 0x38);
    const Gdiplus::Color edge(255, 0x55, 0x55, 0x5C);
    const Gdiplus::Color dim(255, 0x28, 0x28, 0x2C);
    const Gdiplus::Color light(255, 0xD8, 0xD8, 0xD8);
    const Gdiplus::Color deepAccent(255, 0x9A, 0x22, 0x1C);

    CKivButton pushes[5];
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(pushes[i].SubclassDlgItem(IDC_SHOW_PUSH_FIRST + i, showcase));
        pushes[i].MoveWindow(20 + i * 130, 30, 110, 32);
        pushes[i].SetImages(Field(110, 32, dark, edge), Field(110, 32, deepAccent, kAccent),
                            Field(110, 32, kAccent, kAccent), Field(110, 32, dim, dim));
        pushes[i].SetCaption(i == 3 ? L"Sensor" : L"Apply");
    }
    CKivCheckBox checks[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(checks[i].SubclassDlgItem(IDC_SHOW_CHECK_FIRST + i, showcase));
        checks[i].MoveWindow(20 + i * 130, 90, 20, 20);
        checks[i].SetImages(Field(20, 20, dark, edge), Field(20, 20, dark, kAccent),
                            Field(20, 20, kAccent, kAccent, true), Field(20, 20, dim, dim));
    }
    std::vector<std::unique_ptr<CKivComboButton>> combos;
    for (int i = 0; i < 4; ++i) {
        combos.push_back(std::make_unique<CKivComboButton>(hooks, clock));
        CKivComboButton& c = *combos.back();
        ASSERT_TRUE(c.SubclassDlgItem(IDC_SHOW_COMBO_FIRST + i, showcase));
        c.MoveWindow(20 + (i % 2) * 320, 158 + (i / 2) * 55, 272, 27);
        c.SetImages(Field(272, 27, light, edge), Field(272, 27, deepAccent, kAccent),
                    Field(272, 27, kAccent, kAccent));
        FillList(c);
        c.SelectItem(i == 3 ? 2000 : 1101);
    }
    showcase.ShowWindow(SW_SHOW);
    ::SetWindowPos(showcase, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(ToForeground(showcase));
    ASSERT_TRUE(Input({MouseMoveTo(kParking)}));

    // The open list first: its click gives the capture back, and the moves
    // that follow must not reach the buttons set below.
    ClickByMessages(*combos[3]);
    Settle();
    ASSERT_TRUE(combos[3]->list()->IsWindowVisible());
    const LPARAM inside = ClientPoint(5, 5);
    pushes[1].SendMessage(WM_MOUSEMOVE, 0, inside);
    pushes[2].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    pushes[3].SetSelected(true);
    pushes[4].EnableWindow(FALSE);
    checks[1].SendMessage(WM_MOUSEMOVE, 0, inside);
    checks[2].SetChecked(true);
    checks[3].EnableWindow(FALSE);
    combos[1]->SendMessage(WM_MOUSEMOVE, 0, inside);
    combos[2]->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
    constexpr UINT kRedraw =
        RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW;
    ::RedrawWindow(showcase, nullptr, nullptr, kRedraw);
    ::RedrawWindow(*combos[3]->list(), nullptr, nullptr, kRedraw);
    // The system shows what was painted a little later: wait for the last look.
    const RECT lastPainted = combos[2]->GetWindowRect();
    ASSERT_TRUE(PumpUntil([&] {
        WindowDC screen(nullptr);
        return ::GetPixel(screen.Get(), lastPainted.left + 200, lastPainted.top + 4) ==
               RGB(0xE0, 0x3C, 0x31);
    })) << "the pressed combo never showed on screen";
    // Wine without a window manager may restack the dialog above the list it
    // owns while handling its activation; put the list back on top.
    const HWND list = *combos[3]->list();
    ::SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const RECT listArea = combos[3]->list()->GetWindowRect();
    ASSERT_TRUE(PumpUntil([&] {
        WindowDC screen(nullptr);
        return ::GetPixel(screen.Get(), listArea.left + 3, listArea.top + 3) ==
               RGB(0x28, 0x28, 0x28);
    })) << "the open list never showed on screen";

    RECT area = showcase.GetWindowRect();
    const RECT listRect = combos[3]->list()->GetWindowRect();
    ::UnionRect(&area, &area, &listRect);
    const UniqueBitmap shot = CaptureScreen(area);
    ASSERT_TRUE(shot);
    {
        WindowDC screen(nullptr);
        MemoryDC memory(screen.Get());
        SelectedObject selected(memory.Get(), shot.Get());
        // Drawn by the system's paint path: the corner pixels of each look.
        auto at = [&](const CWnd& control, int x, int y) {
            const RECT r = control.GetWindowRect();
            return ::GetPixel(memory.Get(), r.left - area.left + x, r.top - area.top + y);
        };
        const COLORREF accent = RGB(0xE0, 0x3C, 0x31);
        EXPECT_EQ(at(pushes[0], 55, 4), RGB(0x33, 0x33, 0x38));
        EXPECT_EQ(at(pushes[1], 55, 4), RGB(0x9A, 0x22, 0x1C));
        EXPECT_EQ(at(pushes[2], 55, 4), accent);
        EXPECT_EQ(at(pushes[3], 55, 4), accent);
        EXPECT_EQ(at(pushes[4], 55, 4), RGB(0x28, 0x28, 0x2C));
        EXPECT_EQ(at(checks[2], 3, 16), accent);
        EXPECT_EQ(at(*combos[0], 200, 4), RGB(0xD8, 0xD8, 0xD8));
        EXPECT_EQ(at(*combos[1], 200, 4), RGB(0x9A, 0x22, 0x1C));
        EXPECT_EQ(at(*combos[3]->list(), 3, 3), RGB(0x28, 0x28, 0x28)) << "the open list";
    }
    if (const auto path = ScreenshotPath(L"VANDIR_BUTTONS_SCREENSHOT")) {
        EXPECT_TRUE(SavePng(shot.Get(), *path));
    }
    combos[3]->list()->Hide();
    ::ReleaseCapture();
    Settle();
}

}  // namespace
}  // namespace vandir
