// The skinned slider: the pointer-to-position mapping (rounding at one half,
// clamping, step snapping), the notifications its parent receives, the drag
// that stops outside and resumes inside, the disabled and degenerate sliders,
// SetPos, and the thumb it draws where, read back from the screen.
//
// The tests send the slider the window messages the system would send (for
// sequences, routed as the system does: to the slider while it holds the
// capture or while the pointer is over it). One test checks with real input
// that the system delivers the pointer to the slider at all. Longer real-input
// sequences are not used: under Wine in Xvfb each injected move is echoed back
// by the X server, and an echo arriving late moves the pointer back.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <algorithm>
#include <functional>
#include <ostream>
#include <utility>
#include <vector>

#include "platform/win32/framework/Gdi.h"
#include "skin/ControlPictures.h"
#include "skin/KivImageDialog.h"
#include "skin/KivSliderCtrl.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/ui/RecordingParent.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

using layout::ImageState;  // the slider's dragging is its Pressed state

// --- Pictures and pixels ----------------------------------------------------

constexpr COLORREF kTrack = RGB(40, 40, 40);
constexpr COLORREF kThumb = RGB(200, 30, 30);
constexpr COLORREF kHoverThumb = RGB(30, 200, 30);
constexpr COLORREF kDisabledThumb = RGB(30, 30, 200);

constexpr int kSliderWidth = 210;  // with a 10-pixel thumb, the thumb travels 200 pixels
constexpr int kSliderHeight = 17;
constexpr int kThumbWidth = 10;

ImagePtr Solid(int width, int height, COLORREF colour) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(bitmap.get());
    Gdiplus::SolidBrush brush(
        Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour)));
    graphics.FillRectangle(&brush, 0, 0, width, height);
    return bitmap;
}

// A picture that counts its deletions.
class CountedBitmap : public Gdiplus::Bitmap {
public:
    explicit CountedBitmap(int& deleted)
        : Bitmap(10, 17, PixelFormat32bppARGB), deleted_(deleted) {}
    ~CountedBitmap() override { ++deleted_; }

private:
    int& deleted_;
};

// The client area of a window as it is on the screen after a full repaint.
class Snapshot {
public:
    explicit Snapshot(HWND hwnd) {
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        width_ = client.right;
        height_ = client.bottom;
        WindowDC window(hwnd);
        MemoryDC memory(window.Get());
        UniqueBitmap bitmap(::CreateCompatibleBitmap(window.Get(), width_, height_));
        SelectedObject selected(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width_, height_, window.Get(), 0, 0, SRCCOPY);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                pixels_.push_back(::GetPixel(memory.Get(), x, y));
            }
        }
    }
    COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int width() const { return width_; }
    // The columns of row y that show colour.
    std::vector<int> ColumnsOf(COLORREF colour, int y) const {
        std::vector<int> columns;
        for (int x = 0; x < width_; ++x) {
            if (at(x, y) == colour) {
                columns.push_back(x);
            }
        }
        return columns;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// --- The parent ----------------------------------------------------------------

// The slider's parent: records what the slider tells it, in order.
class SliderDialog : public RecordingParent<CKivImageDialog> {
public:
    SliderDialog() : RecordingParent(IDD_KIV_CONTROLS) {}

    CKivSliderCtrl slider;

    // The positions the slider reported, in order.
    std::vector<LPARAM> Positions() const {
        std::vector<LPARAM> positions;
        for (const ParentEvent& n : SystemCommands()) {
            EXPECT_EQ(n.first, static_cast<WPARAM>(IDC_KIV_SLIDER));
            positions.push_back(n.second);
        }
        return positions;
    }

protected:
    void DoDataExchange() override { slider.SubclassDlgItem(IDC_KIV_SLIDER, *this); }
};

void PumpPending() {
    PumpUntilDispatched([](const MSG&) { return true; }, 0);
}

// --- Fixture ------------------------------------------------------------------

class KivSliderTest : public ::testing::Test {
protected:
    static constexpr int kSliderLeft = 20;  // in the dialog's client area
    static constexpr int kSliderTop = 40;
    static constexpr int kRow = kSliderHeight / 2;

    void SetUp() override {
        // The real pointer waits outside the dialog, so that no move of its
        // own reaches the slider while the tests send it messages.
        ::SetCursorPos(1, 1);
        ASSERT_TRUE(dialog_.Create());
        for (HWND child = ::GetWindow(dialog_, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (CWnd::FromHandle(child) == nullptr) {
                ::ShowWindow(child, SW_HIDE);
            }
        }
        dialog_.MoveWindow(200, 200, 300, 120);
        slider().MoveWindow(kSliderLeft, kSliderTop, kSliderWidth, kSliderHeight);
        slider().SetImages(Solid(20, kSliderHeight, kTrack),
                           Solid(kThumbWidth, kSliderHeight, kThumb),
                           Solid(kThumbWidth, kSliderHeight, kHoverThumb),
                           Solid(kThumbWidth, kSliderHeight, kDisabledThumb));
        dialog_.ShowWindow(SW_SHOW);
        BringToForeground(dialog_);
        PumpPending();
    }

    void TearDown() override {
        ReleaseHeldInput();
        PumpPending();
        dialog_.DestroyWindow();
    }

    CKivSliderCtrl& slider() { return dialog_.slider; }

    void Range(int minimum, int maximum, int step = 1) {
        slider().SetRange(minimum, maximum, step);
    }

    // Window messages as the system sends them for the pointer at client x.
    void Press(int x) { slider().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, kRow)); }
    void Release(int x) { slider().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, kRow)); }
    void Move(int x, bool buttonHeld) {
        slider().SendMessage(WM_MOUSEMOVE, buttonHeld ? MK_LBUTTON : 0, MAKELPARAM(x, kRow));
    }

    // The pointer as the system routes it, for sequences: the slider gets the
    // messages while it holds the capture or while the pointer is over it;
    // otherwise they go to the dialog beneath (which ignores them).
    void PointerAt(int x) {
        pointerX_ = x;
        Route(WM_MOUSEMOVE);
    }
    void ButtonDown() {
        buttonHeld_ = true;
        Route(WM_LBUTTONDOWN);
    }
    void ButtonUp() {
        buttonHeld_ = false;
        Route(WM_LBUTTONUP);
    }
    void Route(UINT message) {
        const RECT client = slider().GetClientRect();
        if (::GetCapture() == slider().GetSafeHwnd() ||
            ::PtInRect(&client, POINT{pointerX_, kRow})) {
            slider().SendMessage(message, buttonHeld_ ? MK_LBUTTON : 0,
                                 MAKELPARAM(pointerX_, kRow));
        }
    }

    // Real input: the pointer at the slider's client point, optionally with a
    // button change; waits until the system has delivered the message.
    ::testing::AssertionResult RealPointer(POINT client, DWORD buttonFlags = 0) {
        POINT target = client;
        ::ClientToScreen(slider(), &target);
        if (auto sent = SendInputs({MouseMoveTo(target, buttonFlags)}); !sent) {
            return sent;
        }
        const UINT expected = (buttonFlags & MOUSEEVENTF_LEFTDOWN) != 0 ? WM_LBUTTONDOWN
                              : (buttonFlags & MOUSEEVENTF_LEFTUP) != 0 ? WM_LBUTTONUP
                                                                        : WM_MOUSEMOVE;
        const bool delivered = PumpUntilDispatched([&](const MSG& msg) {
            return msg.message == expected && msg.pt.x == target.x && msg.pt.y == target.y;
        });
        if (!delivered) {
            return ::testing::AssertionFailure()
                   << "message 0x" << std::hex << expected << std::dec << " never arrived";
        }
        return ::testing::AssertionSuccess();
    }

    // The columns of the slider's middle row that show the colour.
    std::vector<int> Columns(COLORREF colour) { return Snapshot(slider()).ColumnsOf(colour, kRow); }

    static std::vector<int> Span(int first, int count) {
        std::vector<int> columns(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            columns[static_cast<size_t>(i)] = first + i;
        }
        return columns;
    }

    SliderDialog dialog_;
    int pointerX_ = -100;
    bool buttonHeld_ = false;
};

// --- Members, pictures and SetPos -------------------------------------------

TEST(KivSliderMembers, StartsAt0To100Step1InTheNormalState) {
    CKivSliderCtrl slider;
    EXPECT_EQ(slider.minimum(), 0);
    EXPECT_EQ(slider.maximum(), 100);
    EXPECT_EQ(slider.step(), 1);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(slider.state(), ImageState::Normal);
    EXPECT_EQ(slider.track(), nullptr);
    EXPECT_EQ(slider.thumbNormal(), nullptr);
}

TEST(KivSliderMembers, OwnsItsPicturesAndDeletesTheOnesItReplaces) {
    int deleted = 0;
    {
        CKivSliderCtrl slider;
        slider.SetImages(
            std::make_unique<CountedBitmap>(deleted), std::make_unique<CountedBitmap>(deleted),
            std::make_unique<CountedBitmap>(deleted), std::make_unique<CountedBitmap>(deleted));
        EXPECT_EQ(deleted, 0);
        auto track = std::make_unique<CountedBitmap>(deleted);
        Gdiplus::Image* kept = track.get();
        slider.SetImages(std::move(track), std::make_unique<CountedBitmap>(deleted), nullptr,
                         nullptr);
        EXPECT_EQ(deleted, 4) << "all four replaced pictures are deleted";
        EXPECT_EQ(slider.track(), kept);
        EXPECT_EQ(slider.thumbHover(), nullptr);
    }
    EXPECT_EQ(deleted, 6) << "the slider deletes what it holds when it goes";
}

TEST(KivSliderMembers, SetRangeKeepsTheRangeAndCountsAStepBelowOneAsOne) {
    CKivSliderCtrl slider;  // no window: nothing to redraw
    struct Case {
        int minimum, maximum, step;
        int expectedStep;
    };
    const Case cases[] = {{1, 3, 1, 1}, {0, 255, 25, 25}, {9, 5, 0, 1}, {-10, 10, -4, 1}};
    for (const Case& c : cases) {
        slider.SetRange(c.minimum, c.maximum, c.step);
        EXPECT_EQ(slider.minimum(), c.minimum);
        EXPECT_EQ(slider.maximum(), c.maximum);
        EXPECT_EQ(slider.step(), c.expectedStep);
    }
}

TEST_F(KivSliderTest, SetRangeMovesTheThumbAtOnce) {
    Range(0, 100);
    slider().SetPos(50, false);
    EXPECT_EQ(Columns(kThumb), Span(100, kThumbWidth));
    ::ValidateRect(slider(), nullptr);
    Range(0, 200);
    EXPECT_TRUE(::GetUpdateRect(slider(), nullptr, FALSE)) << "a new range redraws";
    EXPECT_EQ(Columns(kThumb), Span(50, kThumbWidth));
    EXPECT_EQ(slider().GetPos(), 50) << "the position stays";
}

TEST_F(KivSliderTest, SetPicturesTakesTheTrackAsBackgroundAndTheThumbsAsLooks) {
    constexpr COLORREF kPressedLook = RGB(200, 200, 30);
    ControlPictures pictures;
    pictures.background = Solid(20, kSliderHeight, kTrack);
    pictures.look(ImageState::Normal) = Solid(kThumbWidth, kSliderHeight, kThumb);
    pictures.look(ImageState::Hover) = Solid(kThumbWidth, kSliderHeight, kHoverThumb);
    pictures.look(ImageState::Pressed) = Solid(kThumbWidth, kSliderHeight, kPressedLook);
    pictures.look(ImageState::Disabled) = Solid(kThumbWidth, kSliderHeight, kDisabledThumb);
    slider().SetPictures(std::move(pictures));
    Range(0, 255);
    slider().SetPos(0, false);

    struct Step {
        const char* name;
        std::function<void()> act;
        ImageState state;
        COLORREF thumb;
    };
    const Step steps[] = {
        {"normal", [] {}, ImageState::Normal, kThumb},
        {"hover", [&] { Move(100, false); }, ImageState::Hover, kHoverThumb},
        {"dragging", [&] { Press(5); }, ImageState::Pressed, kHoverThumb},
        {"disabled",
         [&] {
             Release(5);
             slider().SetDisabled(true);
         },
         ImageState::Disabled, kDisabledThumb},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(slider().state(), step.state);
        const Snapshot picture(slider());
        EXPECT_EQ(picture.ColumnsOf(step.thumb, kRow), Span(0, kThumbWidth));
        EXPECT_EQ(picture.ColumnsOf(kTrack, kRow).size(),
                  static_cast<size_t>(kSliderWidth - kThumbWidth));
        EXPECT_TRUE(picture.ColumnsOf(kPressedLook, kRow).empty())
            << "the slider has no pressed look";
    }
}

TEST_F(KivSliderTest, BecomesVisibleToThePointerWithoutTheNotifyStyleInItsTemplate) {
    EXPECT_NE(slider().GetStyle() & SS_NOTIFY, 0u);
}

TEST_F(KivSliderTest, SetPosNotifiesOnlyNewValuesAndOnlyWhenAsked) {
    Range(0, 255);
    // Nothing was notified yet, so even the current position is new.
    slider().SetPos(0, true);
    EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{0});

    ::ValidateRect(slider(), nullptr);
    slider().SetPos(0, true);
    EXPECT_FALSE(::GetUpdateRect(slider(), nullptr, FALSE)) << "the same value does not redraw";
    EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{0});

    slider().SetPos(125, false);
    EXPECT_EQ(slider().GetPos(), 125);
    EXPECT_TRUE(::GetUpdateRect(slider(), nullptr, FALSE)) << "a new value redraws";
    EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{0}) << "silently";

    // No clamping and no snapping.
    Range(0, 255, 10);
    slider().SetPos(301, true);
    EXPECT_EQ(slider().GetPos(), 301);
    EXPECT_EQ(dialog_.Positions(), (std::vector<LPARAM>{0, 301}));

    // The slider's own notifications and SetPos share the last notified value.
    Range(0, 255);
    Press(5);  // position 0
    Release(5);
    slider().SetPos(0, true);
    EXPECT_EQ(dialog_.Positions(), (std::vector<LPARAM>{0, 301, 0}));
}

// --- Pointer to position --------------------------------------------------------

struct TrackCase {
    int minimum, maximum, step;
    int x;  // slider client x of the press and the release
    int expected;
};

void PrintTo(const TrackCase& c, std::ostream* out) {
    *out << "range " << c.minimum << ".." << c.maximum << " step " << c.step << ", x " << c.x;
}

TEST_F(KivSliderTest, PressRoundsAtOneHalfClampsAndSnapsAndReleaseAddsNothing) {
    // The thumb travels 200 pixels; x = d + 5 with d the thumb's left edge.
    const TrackCase cases[] = {
        // Rounding at one half: 1..3 changes value where f reaches x.5.
        {1, 3, 1, 54, 1},       // f = 1.49
        {1, 3, 1, 55, 2},       // f = 1.5 exactly: up
        {1, 3, 1, 154, 2},      // f = 2.49
        {1, 3, 1, 155, 3},      // f = 2.5
        {0, 255, 1, 50, 57},    // f = 57.375
        {0, 255, 1, 105, 128},  // f = 127.5
        // Clamping to the range.
        {1, 3, 1, 0, 1},
        {0, 255, 1, -30, 0},
        {0, 255, 1, 209, 255},
        {0, 255, 1, 400, 255},
        // Snapping to the step after clamping: up only when the rest passes half a step.
        {0, 100, 25, 29, 0},   // 12: rest 12, not above 12
        {0, 100, 25, 31, 25},  // 13
        {0, 100, 25, 79, 25},  // 37
        {0, 100, 25, 81, 50},  // 38
        {0, 100, 25, 205, 100},
        {0, 11, 4, 300, 12},  // 11 snaps past the maximum
        {1, 9, 4, -20, 0},    // 1 snaps below the minimum
        {0, 100, 0, 29, 12},  // a step below 1 counts as 1
        // Negative ranges: truncation toward zero, as the integer arithmetic does.
        {-10, 10, 1, 99, 0},   // f = -0.6
        {-10, 10, 1, 90, -1},  // f = -1.5
        {-10, 10, 1, 110, 1},  // f = 0.5
        {-10, 10, 4, 35, -4},  // -7: quotient -1, rest -3
    };
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c));
        Range(c.minimum, c.maximum, c.step);
        slider().SetPos(-12345, false);
        dialog_.events.clear();
        Press(c.x);
        EXPECT_EQ(slider().GetPos(), c.expected);
        EXPECT_EQ(slider().state(), ImageState::Pressed);
        Release(c.x);
        EXPECT_EQ(slider().GetPos(), c.expected);
        EXPECT_EQ(slider().state(), ImageState::Normal);
        EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{c.expected})
            << "one notification for the press, none for the release at the same place";
    }
}

TEST_F(KivSliderTest, TheSystemDeliversThePointerToTheSlider) {
    // Real input, one place at a time: the slider's template has no SS_NOTIFY,
    // yet hovering, pressing and releasing reach it.
    Range(0, 255);
    slider().SetPos(125, false);
    ASSERT_TRUE(RealPointer(POINT{105, kRow + 30}));  // over the dialog, below the slider
    EXPECT_EQ(slider().state(), ImageState::Normal);
    ASSERT_TRUE(RealPointer(POINT{105, kRow}));
    EXPECT_EQ(slider().state(), ImageState::Hover);
    EXPECT_EQ(::GetCapture(), slider().GetSafeHwnd());
    ASSERT_TRUE(RealPointer(POINT{105, kRow}, MOUSEEVENTF_LEFTDOWN));
    EXPECT_EQ(slider().state(), ImageState::Pressed);
    ASSERT_TRUE(RealPointer(POINT{105, kRow}, MOUSEEVENTF_LEFTUP));
    EXPECT_EQ(slider().state(), ImageState::Normal);
    EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{128});
}

TEST_F(KivSliderTest, SweepingTheFullRangeReportsEachNewValueOnce) {
    Range(0, 255);
    slider().SetPos(125, false);
    PointerAt(0);
    EXPECT_EQ(slider().state(), ImageState::Hover);
    ButtonDown();
    for (int x = 1; x < kSliderWidth; ++x) {
        PointerAt(x);
    }
    ButtonUp();

    const std::vector<LPARAM> positions = dialog_.Positions();
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions.front(), 0);
    EXPECT_EQ(positions.back(), 255);
    EXPECT_TRUE(std::adjacent_find(positions.begin(), positions.end(),
                                   [](LPARAM a, LPARAM b) { return a >= b; }) == positions.end())
        << "every notification is a new, larger value";
    // 200 pixels of travel over 255 values: each pixel moves it by 1 or 2.
    EXPECT_EQ(positions.size(), 201u);
    EXPECT_EQ(slider().GetPos(), 255);
    EXPECT_EQ(slider().state(), ImageState::Normal);
}

TEST_F(KivSliderTest, DragStopsOutsideAndResumesWhenThePointerComesBackWithTheButtonHeld) {
    Range(0, 255);
    slider().SetPos(125, false);
    PointerAt(50);
    ButtonDown();    // 57
    PointerAt(105);  // 128
    EXPECT_EQ(slider().state(), ImageState::Pressed);
    EXPECT_EQ(::GetCapture(), slider().GetSafeHwnd());

    PointerAt(240);  // out to the right: to the end, then the drag stops
    EXPECT_EQ(slider().GetPos(), 255);
    EXPECT_EQ(slider().state(), ImageState::Normal);
    EXPECT_NE(::GetCapture(), slider().GetSafeHwnd());
    PointerAt(260);  // further out: the slider hears nothing
    PointerAt(-40);
    EXPECT_EQ(slider().GetPos(), 255);
    EXPECT_EQ(Columns(kThumb), Span(200, kThumbWidth)) << "normal thumb at the end";

    PointerAt(150);  // back in with the button held: dragging again
    EXPECT_EQ(slider().state(), ImageState::Pressed);
    EXPECT_EQ(slider().GetPos(), 255) << "the move that comes back only resumes";
    PointerAt(80);  // 96
    EXPECT_EQ(Columns(kHoverThumb), Span(75, kThumbWidth)) << "hover thumb while dragging";
    ButtonUp();
    EXPECT_EQ(slider().state(), ImageState::Normal);
    EXPECT_EQ(dialog_.Positions(), (std::vector<LPARAM>{57, 128, 255, 96}));
}

TEST_F(KivSliderTest, ReleasingOutsideLeavesItNormalAndComingBackFreeHovers) {
    Range(0, 255);
    slider().SetPos(125, false);
    PointerAt(50);
    ButtonDown();
    PointerAt(-15);  // out to the left
    ButtonUp();      // outside: the slider does not hear it
    EXPECT_EQ(slider().state(), ImageState::Normal);
    EXPECT_EQ(slider().GetPos(), 0);

    PointerAt(120);  // back without the button: hover, no drag
    EXPECT_EQ(slider().state(), ImageState::Hover);
    PointerAt(130);
    EXPECT_EQ(slider().GetPos(), 0);
    EXPECT_EQ(Columns(kHoverThumb), Span(0, kThumbWidth));
    EXPECT_EQ(dialog_.Positions(), (std::vector<LPARAM>{57, 0}));
}

// --- Drawing ----------------------------------------------------------------------

TEST_F(KivSliderTest, ThumbSitsOnTheTrackInProportionToThePosition) {
    struct Case {
        int minimum, maximum, position;
        int left;  // the thumb's left edge; -1: not on the slider
    };
    const Case cases[] = {
        {0, 255, 0, 0}, {0, 255, 255, 200}, {0, 255, 128, 100},  // 200 * 128/255 = 100.4
        {1, 3, 2, 100}, {1, 3, 3, 200},     {0, 255, 1000, -1},  // past the end, off the client
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << ".." << c.maximum << " at " << c.position);
        Range(c.minimum, c.maximum);
        slider().SetPos(c.position, false);
        const Snapshot picture(slider());
        const std::vector<int> thumb = picture.ColumnsOf(kThumb, kRow);
        if (c.left < 0) {
            EXPECT_TRUE(thumb.empty());
        } else {
            EXPECT_EQ(thumb, Span(c.left, kThumbWidth));
        }
        // The track shows everywhere else, stretched over the whole slider.
        EXPECT_EQ(picture.ColumnsOf(kTrack, kRow).size() + thumb.size(),
                  static_cast<size_t>(kSliderWidth));
        EXPECT_EQ(picture.at(c.left == 0 ? kSliderWidth - 1 : 0, 0), kTrack);
    }
}

TEST_F(KivSliderTest, ThumbPictureFollowsTheState) {
    Range(0, 255);
    slider().SetPos(0, false);
    EXPECT_EQ(Columns(kThumb), Span(0, kThumbWidth)) << "normal";
    Move(100, false);
    EXPECT_EQ(slider().state(), ImageState::Hover);
    EXPECT_EQ(Columns(kHoverThumb), Span(0, kThumbWidth)) << "hover";
    Press(5);
    EXPECT_EQ(slider().state(), ImageState::Pressed);
    EXPECT_EQ(Columns(kHoverThumb), Span(0, kThumbWidth)) << "dragging";
    Release(5);
    slider().SetDisabled(true);
    EXPECT_EQ(Columns(kDisabledThumb), Span(0, kThumbWidth)) << "disabled";

    // Missing pictures are simply not drawn.
    slider().SetImages(Solid(20, kSliderHeight, kTrack), Solid(kThumbWidth, kSliderHeight, kThumb),
                       nullptr, nullptr);
    EXPECT_EQ(Columns(kTrack).size(), static_cast<size_t>(kSliderWidth)) << "disabled, no picture";
    slider().SetDisabled(false);
    Move(100, false);
    EXPECT_EQ(slider().state(), ImageState::Hover);
    EXPECT_EQ(Columns(kTrack).size(), static_cast<size_t>(kSliderWidth)) << "hover, no picture";
}

// --- Disabled and degenerate sliders ---------------------------------------------

TEST_F(KivSliderTest, DisabledSliderNeitherMovesNorNotifies) {
    Range(0, 255);
    slider().SetPos(128, false);
    slider().SetDisabled(true);
    EXPECT_EQ(slider().state(), ImageState::Disabled);
    Move(10, false);
    Press(10);
    Move(150, true);
    Move(400, true);
    Release(150);
    EXPECT_EQ(slider().state(), ImageState::Disabled);
    EXPECT_EQ(slider().GetPos(), 128);
    EXPECT_TRUE(dialog_.SystemCommands().empty());
    EXPECT_EQ(Columns(kDisabledThumb), Span(100, kThumbWidth));

    slider().SetDisabled(false);
    EXPECT_EQ(slider().state(), ImageState::Normal);
    Press(10);
    EXPECT_EQ(dialog_.Positions(), std::vector<LPARAM>{6}) << "enabled again, it follows";
}

TEST_F(KivSliderTest, DisablingWhileHoveredGivesTheCaptureBack) {
    Range(0, 255);
    Move(100, false);
    ASSERT_EQ(::GetCapture(), slider().GetSafeHwnd());
    slider().SetDisabled(true);
    EXPECT_NE(::GetCapture(), slider().GetSafeHwnd())
        << "a slider that ignores the mouse must not keep it from the rest of the window";
}

TEST_F(KivSliderTest, WithoutAUsableTrackItKeepsItsPositionAndDrawsNoThumb) {
    struct Case {
        const char* name;
        int minimum, maximum, width;
    };
    const Case cases[] = {
        {"maximum equals minimum", 5, 5, kSliderWidth},
        {"maximum below minimum", 9, 5, kSliderWidth},
        {"track as wide as the thumb", 0, 100, kThumbWidth},
        {"track narrower than the thumb", 0, 100, kThumbWidth - 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Range(c.minimum, c.maximum);
        slider().MoveWindow(kSliderLeft, kSliderTop, c.width, kSliderHeight);
        slider().SetPos(7, false);
        dialog_.events.clear();
        Move(2, false);
        Press(2);
        Move(c.width - 1, true);
        Move(c.width + 50, true);
        Release(c.width - 1);
        EXPECT_EQ(slider().GetPos(), 7);
        EXPECT_TRUE(dialog_.SystemCommands().empty());
        const Snapshot picture(slider());
        for (COLORREF thumb : {kThumb, kHoverThumb, kDisabledThumb}) {
            EXPECT_TRUE(picture.ColumnsOf(thumb, kRow).empty());
        }
        EXPECT_EQ(picture.at(0, kRow), kTrack);
    }
}

}  // namespace
}  // namespace vandir
