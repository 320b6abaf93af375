// The skinned statics and the edit box: what each draws (read back from the
// screen), the LED preview's blinking and breathing on the shared effect
// counter (timer ticks sent as WM_TIMER, no waiting), the static's double
// click and the edit box's change notification under real input; and a
// gallery of every control of this family in each look, which is saved as a
// PNG file when VANDIR_SCREENSHOT names one.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/framework/Gdi.h"
#include "skin/Argb.h"
#include "skin/ControlNotifications.h"
#include "skin/ControlPictures.h"
#include "skin/KivEdit.h"
#include "skin/KivImageDialog.h"
#include "skin/KivMouseStatic.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/LedEffect.h"
#include "skin/SkinText.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/ui/PngCapture.h"
#include "win32/ui/RecordingParent.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {

void PrintTo(Argb colour, std::ostream* out) {
    *out << "0x" << std::hex << colour.value << std::dec;
}

namespace {

// --- Pictures and pixels ----------------------------------------------------

Gdiplus::Color Opaque(COLORREF colour) {
    return Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

ImagePtr Solid(int width, int height, Gdiplus::Color colour) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(bitmap.get());
    Gdiplus::SolidBrush brush(colour);
    graphics.FillRectangle(&brush, 0, 0, width, height);
    return bitmap;
}

// Left half one colour, right half another (either may be transparent).
ImagePtr Halves(int width, int height, Gdiplus::Color left, Gdiplus::Color right) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(bitmap.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    Gdiplus::SolidBrush leftBrush(left);
    Gdiplus::SolidBrush rightBrush(right);
    graphics.FillRectangle(&leftBrush, 0, 0, width / 2, height);
    graphics.FillRectangle(&rightBrush, width / 2, 0, width - width / 2, height);
    return bitmap;
}

int Difference(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 2) {
    if (Difference(actual, expected) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << std::hex << "colour 0x" << actual << " is not near 0x" << expected;
}

// A block of pixels: a window's client area as it is on the screen after a
// full repaint, or a reference drawn by the test.
class Pixels {
public:
    static Pixels Of(HWND hwnd) {
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        WindowDC window(hwnd);
        return Pixels(window.Get(), client.right, client.bottom);
    }
    // Runs draw(dc) on a black block of the given size.
    static Pixels Drawn(int width, int height, const std::function<void(HDC)>& draw) {
        WindowDC screen(nullptr);
        MemoryDC memory(screen.Get());
        UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
        SelectedObject selected(memory.Get(), bitmap.Get());
        RECT all{0, 0, width, height};
        ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        draw(memory.Get());
        return Pixels(memory.Get(), width, height);
    }

    COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int width() const { return width_; }
    int height() const { return height_; }
    // How many pixels of the rectangle differ from other's.
    int Mismatches(const Pixels& other, RECT area) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += at(x, y) != other.at(x, y);
            }
        }
        return count;
    }
    int Count(COLORREF colour, int tolerance = 0) const {
        int count = 0;
        for (COLORREF pixel : pixels_) {
            count += Difference(pixel, colour) <= tolerance;
        }
        return count;
    }

private:
    Pixels(HDC source, int width, int height) : width_(width), height_(height) {
        MemoryDC memory(source);
        UniqueBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
        SelectedObject selected(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels_.push_back(::GetPixel(memory.Get(), x, y));
            }
        }
    }

    int width_;
    int height_;
    std::vector<COLORREF> pixels_;
};

LOGFONTW FontOf(HFONT font) {
    LOGFONTW description{};
    ::GetObjectW(font, sizeof(description), &description);
    return description;
}

// --- Notifications and input --------------------------------------------------

void PumpPending() {
    PumpUntilDispatched([](const MSG&) { return true; }, 0);
}

// Double-clicks the middle of a window with real input; true once the second
// release has been delivered.
bool DoubleClick(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (!SendInputs({
            MouseMoveTo(centre),
            MouseMoveTo(centre, MOUSEEVENTF_LEFTDOWN),
            MouseMoveTo(centre, MOUSEEVENTF_LEFTUP),
            MouseMoveTo(centre, MOUSEEVENTF_LEFTDOWN),
            MouseMoveTo(centre, MOUSEEVENTF_LEFTUP),
        })) {
        return false;
    }
    int releases = 0;
    return PumpUntilDispatched(
        [&](const MSG& msg) { return msg.message == WM_LBUTTONUP && ++releases == 2; });
}

// --- The test dialog ----------------------------------------------------------

// Holds every control of the family and records what they tell it, in
// order. Controls a test does not use are hidden.
class ControlsDialog : public RecordingParent<CKivImageDialog> {
public:
    explicit ControlsDialog(LedEffect& effect)
        : RecordingParent(IDD_KIV_CONTROLS), led(effect), led2(effect), led3(effect) {}

    CKivSliderCtrl slider, slider2, slider3;
    CKivStatic label, label2;
    CKivMouseStatic led, led2, led3;
    CKivEdit edit, edit2;

protected:
    void DoDataExchange() override {
        slider.SubclassDlgItem(IDC_KIV_SLIDER, *this);
        slider2.SubclassDlgItem(IDC_KIV_SLIDER_2, *this);
        slider3.SubclassDlgItem(IDC_KIV_SLIDER_3, *this);
        label.SubclassDlgItem(IDC_KIV_LABEL, *this);
        label2.SubclassDlgItem(IDC_KIV_LABEL_2, *this);
        led.SubclassDlgItem(IDC_KIV_LED, *this);
        led2.SubclassDlgItem(IDC_KIV_LED_2, *this);
        led3.SubclassDlgItem(IDC_KIV_LED_3, *this);
        edit.SubclassDlgItem(IDC_KIV_EDIT, *this);
        edit2.SubclassDlgItem(IDC_KIV_EDIT_2, *this);
    }
};

class KivControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::SetCursorPos(1, 1);
        ASSERT_TRUE(dialog_.Create());
        dialog_.MoveWindow(200, 200, 460, 200);
        // Everything out of the way; each test places what it uses.
        for (HWND child = ::GetWindow(dialog_, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            ::ShowWindow(child, SW_HIDE);
        }
        dialog_.ShowWindow(SW_SHOW);
        BringToForeground(dialog_);
        PumpPending();
    }
    void TearDown() override {
        PumpPending();
        dialog_.DestroyWindow();
    }

    // Shows a control at (x, y) of the dialog with the given size.
    void Place(const CWnd& control, int x, int y, int width, int height) {
        control.MoveWindow(x, y, width, height);
        control.ShowWindow(SW_SHOW);
    }

    LedEffect effect_;
    ControlsDialog dialog_{effect_};
};

// --- CKivStatic -------------------------------------------------------------------

using KivStaticTest = KivControlsTest;

TEST_F(KivStaticTest, IsOwnerDrawnWithTheToolkitDefaults) {
    const CKivStatic& label = dialog_.label;
    EXPECT_EQ(label.GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
    EXPECT_NE(label.GetStyle() & SS_NOTIFY, 0u) << "the template's styles stay";
    EXPECT_EQ(label.textColour(), Argb{0xFFFFFFFF});
    EXPECT_EQ(label.fillColour(), Argb{0x00000000});
    EXPECT_FALSE(label.centred());
    EXPECT_FALSE(label.text().has_value());
    EXPECT_EQ(label.background(), nullptr);
    const LOGFONTW font = FontOf(label.font());
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, 15);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    dialog_.label.SetFontHeight(21);
    EXPECT_EQ(FontOf(dialog_.label.font()).lfHeight, 21);
    EXPECT_STREQ(FontOf(dialog_.label.font()).lfFaceName, L"Arial");
}

TEST_F(KivStaticTest, DrawsItsFillThenItsBackgroundThenItsText) {
    constexpr int kWidth = 160;
    constexpr int kHeight = 24;
    struct Case {
        const char* name;
        DWORD fill;
        std::optional<COLORREF> background;  // a solid picture of the control's size
        std::optional<std::wstring> text;
        DWORD textColour;
        bool centred;
        int fontHeight;  // 0: the default
        COLORREF under;  // what shows where there is no text
    };
    const Case cases[] = {
        {"nothing set: black", 0x00000000, {}, {}, 0xFFFFFFFF, false, 0, RGB(0, 0, 0)},
        {"the fill", 0xFF204060, {}, {}, 0xFFFFFFFF, false, 0, RGB(0x20, 0x40, 0x60)},
        {"background over the fill",
         0xFF204060,
         RGB(90, 20, 20),
         {},
         0xFFFFFFFF,
         false,
         0,
         RGB(90, 20, 20)},
        {"text at the left",
         0xFF204060,
         {},
         L"Wheel Click",
         0xFFFFFFFF,
         false,
         0,
         RGB(0x20, 0x40, 0x60)},
        {"text centred, alpha ignored", 0x00000000, RGB(30, 30, 30), L"Wheel Click", 0x00D2D2D2,
         true, 0, RGB(30, 30, 30)},
        {"text in a larger font", 0xFF000000, RGB(30, 30, 30), L"DPI 1", 0xFFFFFF00, true, 20,
         RGB(30, 30, 30)},
    };
    Place(dialog_.label, 10, 10, kWidth, kHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKivStatic& label = dialog_.label;
        label.SetFillColour(Argb{c.fill});
        label.SetTextColour(Argb{c.textColour});
        label.SetCentred(c.centred);
        label.SetBackground(c.background ? Solid(kWidth, kHeight, Opaque(*c.background)) : nullptr);
        label.SetFontHeight(c.fontHeight != 0 ? c.fontHeight : 15);
        if (c.text) {
            label.SetText(*c.text);
        }
        const Pixels drawn = Pixels::Of(label);
        if (!c.text) {
            EXPECT_EQ(drawn.Count(c.under), kWidth * kHeight) << "only fill and background";
            continue;
        }
        const Pixels expected = Pixels::Drawn(kWidth, kHeight, [&](HDC dc) {
            UniqueBrush under(::CreateSolidBrush(c.under));
            RECT all{0, 0, kWidth, kHeight};
            ::FillRect(dc, &all, under.Get());
            DrawSkinText(dc, label.font(), *c.text, Argb{c.textColour}.ToColorRef(), c.centred,
                         true, 0, 0, kWidth, kHeight);
        });
        EXPECT_EQ(drawn.Mismatches(expected, RECT{0, 0, kWidth, kHeight}), 0);
        EXPECT_GT(drawn.Count(Argb{c.textColour}.ToColorRef()), 10) << "the text shows";
    }
}

TEST_F(KivStaticTest, BackgroundIsStretchedOverTheControl) {
    Place(dialog_.label, 10, 10, 120, 30);
    dialog_.label.SetBackground(
        Halves(12, 3, Gdiplus::Color(255, 255, 0, 0), Gdiplus::Color(255, 0, 0, 255)));
    const Pixels drawn = Pixels::Of(dialog_.label);
    EXPECT_TRUE(Near(drawn.at(5, 15), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(drawn.at(50, 25), RGB(255, 0, 0)));
    EXPECT_TRUE(Near(drawn.at(70, 5), RGB(0, 0, 255)));
    EXPECT_TRUE(Near(drawn.at(114, 25), RGB(0, 0, 255)));
}

TEST_F(KivStaticTest, DoubleClickIsReportedByAStaticWithTheNotifyStyle) {
    Place(dialog_.label, 20, 20, 120, 24);
    Place(dialog_.label2, 20, 80, 120, 24);  // its template has no SS_NOTIFY
    ASSERT_TRUE(DoubleClick(dialog_.label));
    EXPECT_EQ(dialog_.SystemCommands(),
              (std::vector<ParentEvent>{Sys(IDC_KIV_LABEL, kDoubleClicked)}));
    ASSERT_TRUE(DoubleClick(dialog_.label2));
    EXPECT_EQ(dialog_.SystemCommands().size(), 1u) << "the system gives it no clicks";
}

// --- CKivMouseStatic ------------------------------------------------------------

class KivMouseStaticTest : public KivControlsTest {
protected:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 20;
    static constexpr COLORREF kOverlay = RGB(128, 128, 128);

    void SetUp() override {
        KivControlsTest::SetUp();
        for (CKivMouseStatic* led : {&dialog_.led, &dialog_.led2}) {
            // The overlay: opaque grey on the left, a light window on the right.
            led->SetPicture(Halves(40, 4, Opaque(kOverlay), Gdiplus::Color(0, 0, 0, 0)));
            led->SetColour(Argb{0xFF00FF00});
        }
        Place(dialog_.led, 10, 10, kWidth, kHeight);
        Place(dialog_.led2, 10, 40, kWidth, kHeight);
    }

    // What shows through the light window, and the overlay beside it.
    static COLORREF Light(CKivMouseStatic& led) {
        const Pixels drawn = Pixels::Of(led);
        EXPECT_TRUE(Near(drawn.at(kWidth / 4, kHeight / 2), kOverlay)) << "the overlay is on top";
        return drawn.at(kWidth * 3 / 4, kHeight / 2);
    }

    static BYTE Alpha(const CKivMouseStatic& led) { return led.colour().alpha(); }

    static void Tick(CKivMouseStatic& led) { led.SendMessage(WM_TIMER, 0, 0); }
};

TEST_F(KivMouseStaticTest, StartsSteadyGreenAndIsOwnerDrawn) {
    CKivMouseStatic fresh(effect_);
    EXPECT_EQ(fresh.colour(), Argb{0x0000FF00});
    EXPECT_TRUE(fresh.fillEnabled());
    EXPECT_FALSE(fresh.white());
    EXPECT_EQ(fresh.mode(), CKivMouseStatic::kSteady);
    EXPECT_EQ(fresh.picture(), nullptr);
    EXPECT_EQ(dialog_.led.GetStyle() & SS_TYPEMASK, static_cast<DWORD>(SS_OWNERDRAW));
    const LedEffect initial;
    EXPECT_EQ(initial.counter, 200);
    EXPECT_TRUE(initial.rising);
}

TEST_F(KivMouseStaticTest, DrawsBlackThenTheLightThenThePicture) {
    struct Case {
        const char* name;
        DWORD colour;
        bool fillEnabled;
        COLORREF light;
    };
    const Case cases[] = {
        {"full brightness", 0xFF00FF00, true, RGB(0, 255, 0)},
        {"half brightness over black", 0x80FF8000, true, RGB(128, 64, 0)},
        {"alpha 0 is dark", 0x00FFFFFF, true, RGB(0, 0, 0)},
        {"fill disabled", 0xFF00FF00, false, RGB(0, 0, 0)},
    };
    CKivMouseStatic& led = dialog_.led;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        led.SetColour(Argb{c.colour});
        led.SetFillEnabled(c.fillEnabled);
        EXPECT_TRUE(Near(Light(led), c.light));
    }
    led.SetPicture(nullptr);
    led.SetColour(Argb{0xFF0000FF});
    led.SetFillEnabled(true);
    EXPECT_EQ(Pixels::Of(led).Count(RGB(0, 0, 255)), kWidth * kHeight)
        << "without a picture only the fill shows";
}

TEST_F(KivMouseStaticTest, BlinkingAlternatesWhiteAndTheColourOnTheSharedCounter) {
    CKivMouseStatic& first = dialog_.led;
    CKivMouseStatic& second = dialog_.led2;
    first.SetColour(Argb{0x0000FF00});  // alpha 0: the blink shows the colour at full brightness
    second.SetColour(Argb{0x000000FF});
    first.SetMode(CKivMouseStatic::kBlinking);
    second.SetMode(CKivMouseStatic::kBlinking);

    // Both take turns on one counter, which starts even (200): white first.
    struct Step {
        CKivMouseStatic* led;
        bool white;
        COLORREF light;
    };
    const Step steps[] = {
        {&first, true, RGB(255, 255, 255)},  {&second, false, RGB(0, 0, 255)},
        {&first, true, RGB(255, 255, 255)},  {&first, false, RGB(0, 255, 0)},
        {&second, true, RGB(255, 255, 255)}, {&second, false, RGB(0, 0, 255)},
    };
    int counter = 200;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "counter " << counter);
        Tick(*step.led);
        EXPECT_EQ(effect_.counter, ++counter);
        EXPECT_EQ(step.led->white(), step.white);
        EXPECT_EQ(Alpha(*step.led), 255);
        EXPECT_TRUE(Near(Light(*step.led), step.light));
    }

    // An odd counter starts with the colour.
    effect_.counter = 7;
    Tick(first);
    EXPECT_FALSE(first.white());
    EXPECT_EQ(effect_.counter, 8);
}

TEST_F(KivMouseStaticTest, BreathingRisesToFullInSixStepsThenFallsAndTurnsAtDark) {
    CKivMouseStatic& led = dialog_.led;
    led.SetMode(CKivMouseStatic::kBreathing);
    std::vector<int> expected = {210, 220, 230, 240, 250, 255};
    for (int alpha = 245; alpha > 0; alpha -= 10) {
        expected.push_back(alpha);  // 245 .. 5
    }
    expected.insert(expected.end(), {0, 10, 20});
    std::vector<int> alphas;
    std::vector<bool> rising;
    for (size_t i = 0; i < expected.size(); ++i) {
        Tick(led);
        alphas.push_back(Alpha(led));
        rising.push_back(effect_.rising);
        EXPECT_EQ(effect_.counter, alphas.back());
        EXPECT_FALSE(led.white());
    }
    EXPECT_EQ(alphas, expected);
    EXPECT_FALSE(rising[5]) << "falls from 255";
    EXPECT_FALSE(rising[29]);
    EXPECT_TRUE(rising[31]) << "rises from 0";

    // The light follows the alpha over black.
    effect_.counter = 255;
    effect_.rising = true;
    Tick(led);
    EXPECT_TRUE(Near(Light(led), RGB(0, 255, 0)));
    effect_.counter = 5;
    effect_.rising = false;
    Tick(led);
    EXPECT_TRUE(Near(Light(led), RGB(0, 0, 0)));
}

TEST_F(KivMouseStaticTest, EachAnimationStartsWhereTheLastLeftTheCounter) {
    CKivMouseStatic& led = dialog_.led;
    led.SetMode(CKivMouseStatic::kBlinking);
    Tick(led);
    Tick(led);
    Tick(led);  // 200, 201, 202 taken
    led.SetMode(CKivMouseStatic::kBreathing);
    Tick(led);
    EXPECT_EQ(Alpha(led), 213);
    EXPECT_EQ(effect_.counter, 213);
    dialog_.led2.SetMode(CKivMouseStatic::kBreathing);
    Tick(dialog_.led2);
    EXPECT_EQ(Alpha(dialog_.led2), 223) << "another preview breathes on the same counter";
}

TEST_F(KivMouseStaticTest, SteadyShowsFullBrightnessAtOnceAndStopsTheTimer) {
    CKivMouseStatic& led = dialog_.led;
    led.SetColour(Argb{0x00FF0000});
    led.SetMode(CKivMouseStatic::kBlinking);
    Tick(led);
    ASSERT_TRUE(led.white());
    led.SetMode(CKivMouseStatic::kSteady);
    EXPECT_FALSE(led.white());
    EXPECT_EQ(led.colour(), Argb{0xFFFF0000});
    EXPECT_TRUE(Near(Light(led), RGB(255, 0, 0)));
    EXPECT_FALSE(::KillTimer(led, CKivMouseStatic::kAnimationTimer)) << "no timer runs";

    // Blinking and breathing run timer 0; every mode change stops it first.
    for (int mode : {CKivMouseStatic::kBlinking, CKivMouseStatic::kBreathing}) {
        led.SetMode(mode);
        EXPECT_EQ(led.mode(), mode);
        EXPECT_TRUE(::KillTimer(led, CKivMouseStatic::kAnimationTimer)) << "mode " << mode;
    }
    led.SetMode(CKivMouseStatic::kBlinking);
    led.SetMode(CKivMouseStatic::kSteady);
    EXPECT_FALSE(::KillTimer(led, CKivMouseStatic::kAnimationTimer));
}

TEST_F(KivMouseStaticTest, TicksAreIgnoredWhileHiddenAndForOtherTimers) {
    CKivMouseStatic& led = dialog_.led;
    led.SetMode(CKivMouseStatic::kBreathing);
    led.ShowWindow(SW_HIDE);
    Tick(led);
    EXPECT_EQ(effect_.counter, 200);
    EXPECT_EQ(Alpha(led), 255);
    led.ShowWindow(SW_SHOW);
    led.SendMessage(WM_TIMER, 5, 0);
    EXPECT_EQ(effect_.counter, 200);
    Tick(led);
    EXPECT_EQ(effect_.counter, 210);
    ::KillTimer(led, CKivMouseStatic::kAnimationTimer);
}

// A plain static child of a window, destroyed with this object.
class ChildStatic {
public:
    ChildStatic(HWND parent, RECT r)
        : hwnd_(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, parent, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr)) {}
    ~ChildStatic() {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
        }
    }
    ChildStatic(const ChildStatic&) = delete;
    ChildStatic& operator=(const ChildStatic&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST_F(KivMouseStaticTest, AModeSetBeforeTheWindowExistsStartsItsTimerWhenBound) {
    struct Case {
        int mode;
        bool animated;
    };
    const Case cases[] = {
        {CKivMouseStatic::kBlinking, true},
        {CKivMouseStatic::kBreathing, true},
        {CKivMouseStatic::kSteady, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        CKivMouseStatic led(effect_);
        led.SetColour(Argb{0x0000FF00});
        led.SetMode(c.mode);
        EXPECT_EQ(led.mode(), c.mode);
        if (!c.animated) {
            EXPECT_EQ(Alpha(led), 255) << "steady is full brightness before it shows";
        }
        const ChildStatic window(dialog_, RECT{10, 80, 60, 100});
        ASSERT_NE(window.get(), nullptr);
        ASSERT_TRUE(led.SubclassWindow(window.get()));
        // The timer is the window's: its ticks reach the control.
        EXPECT_EQ(::KillTimer(window.get(), CKivMouseStatic::kAnimationTimer) != FALSE, c.animated);
    }
}

// --- CKivEdit -----------------------------------------------------------------------

class KivEditTest : public KivControlsTest {
protected:
    static constexpr int kWidth = 60;
    static constexpr int kHeight = 20;

    void SetUp() override {
        KivControlsTest::SetUp();
        Place(dialog_.edit, 20, 20, kWidth, kHeight);
        Place(dialog_.edit2, 100, 20, kWidth, kHeight);
        // No focus, so no caret draws over the pixels the tests read (a
        // dialog given the focus passes it on to its edit box).
        ::SetFocus(nullptr);
        PumpPending();
        dialog_.events.clear();
    }

    // Types the keys into the focused edit box and waits for the last release.
    ::testing::AssertionResult Type(const std::vector<WORD>& keys) {
        std::vector<INPUT> inputs;
        for (WORD vk : keys) {
            const std::vector<INPUT> tap = Tap(vk);
            inputs.insert(inputs.end(), tap.begin(), tap.end());
        }
        if (auto sent = SendInputs(std::move(inputs)); !sent) {
            return sent;
        }
        int releases = 0;
        if (!PumpUntilDispatched([&](const MSG& msg) {
                return msg.message == WM_KEYUP && ++releases == static_cast<int>(keys.size());
            })) {
            return ::testing::AssertionFailure() << "the keys never all arrived";
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(KivEditTest, StartsWithAWhiteArialOf14AndHandsANewFontToTheControl) {
    CKivEdit& edit = dialog_.edit;
    EXPECT_EQ(edit.textColour(), Argb{0xFFFFFFFF});
    EXPECT_EQ(edit.background(), nullptr);
    LOGFONTW font = FontOf(edit.font());
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);

    edit.SetFontHeight(16);
    font = FontOf(edit.font());
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(reinterpret_cast<HFONT>(edit.SendMessage(WM_GETFONT)), edit.font());
}

TEST_F(KivEditTest, TypingSendsOneChangeNotificationPerCharacter) {
    CKivEdit& edit = dialog_.edit;
    const HWND target = edit.GetSafeHwnd();
    for (int attempt = 0; attempt < 50 && ::GetFocus() != target; ++attempt) {
        ::SetForegroundWindow(dialog_);
        ::SetFocus(target);
        PumpPending();
    }
    ASSERT_EQ(::GetFocus(), target) << "keyboard input needs the edit box focused";
    ASSERT_TRUE(Type({'4', '2', '7'}));
    EXPECT_EQ(edit.GetWindowText(), L"427");
    const ParentEvent changed = Sys(IDC_KIV_EDIT, kTextChanged);
    EXPECT_EQ(dialog_.SystemCommands(), std::vector<ParentEvent>(3, changed));
    ASSERT_TRUE(Type({VK_BACK}));
    EXPECT_EQ(edit.GetWindowText(), L"42");
    EXPECT_EQ(dialog_.SystemCommands(), std::vector<ParentEvent>(4, changed));
    // A change made by the program is a change too.
    dialog_.edit2.SetWindowText(L"255");
    EXPECT_EQ(dialog_.SystemCommands().back(), Sys(IDC_KIV_EDIT_2, kTextChanged));
    EXPECT_EQ(dialog_.SystemCommands().size(), 5u);
}

TEST_F(KivEditTest, WithoutABackgroundItDrawsABlackBoxWithAGreyFrameAndItsText) {
    CKivEdit& edit = dialog_.edit;
    edit.SetFontHeight(16);
    edit.SetWindowText(L"125");
    const Pixels drawn = Pixels::Of(edit);
    constexpr COLORREF kFrame = RGB(0x96, 0x96, 0x96);
    for (POINT p : {POINT{kWidth / 2, 0}, POINT{kWidth / 2, kHeight - 1}, POINT{0, kHeight / 2},
                    POINT{kWidth - 1, kHeight / 2}}) {
        EXPECT_TRUE(Near(drawn.at(p.x, p.y), kFrame)) << "frame at " << p.x << ", " << p.y;
    }
    // The text: top-left, one pixel in, in the edit's font and colour.
    const Pixels expected = Pixels::Drawn(kWidth, kHeight, [&](HDC dc) {
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::SetBkMode(dc, TRANSPARENT);
        SelectedObject font(dc, edit.font());
        RECT r{1, 0, kWidth, kHeight};
        ::DrawTextW(dc, L"125", 3, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    });
    EXPECT_EQ(drawn.Mismatches(expected, RECT{1, 1, kWidth - 1, kHeight - 1}), 0);
    EXPECT_GT(drawn.Count(RGB(255, 255, 255)), 10);

    edit.SetTextColour(Argb{0xFFFFC800});
    EXPECT_GT(Pixels::Of(edit).Count(RGB(255, 200, 0)), 10) << "the owner's text colour";
}

TEST_F(KivEditTest, WithABackgroundItDrawsThePictureStretchedAndNoFrame) {
    CKivEdit& edit = dialog_.edit2;
    edit.SetBackground(
        Halves(6, 2, Gdiplus::Color(255, 200, 0, 0), Gdiplus::Color(255, 0, 0, 200)));
    edit.SetWindowText(L"");
    const Pixels drawn = Pixels::Of(edit);
    EXPECT_TRUE(Near(drawn.at(0, 0), RGB(200, 0, 0)));
    EXPECT_TRUE(Near(drawn.at(20, kHeight - 1), RGB(200, 0, 0)));
    EXPECT_TRUE(Near(drawn.at(40, 0), RGB(0, 0, 200)));
    EXPECT_TRUE(Near(drawn.at(kWidth - 1, kHeight - 1), RGB(0, 0, 200)));
}

TEST_F(KivEditTest, AnswersTheColourRequestWithTheNullBrushItsColourAndFont) {
    CKivEdit& edit = dialog_.edit;
    edit.SetTextColour(Argb{0xFF010203});
    edit.SetFontHeight(16);
    for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
        WindowDC screen(nullptr);
        MemoryDC dc(screen.Get());
        const LRESULT brush = dialog_.SendMessage(message, reinterpret_cast<WPARAM>(dc.Get()),
                                                  reinterpret_cast<LPARAM>(edit.GetSafeHwnd()));
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
        EXPECT_EQ(::GetTextColor(dc.Get()), RGB(1, 2, 3));
        EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT);
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), edit.font());
        ::SelectObject(dc.Get(), ::GetStockObject(SYSTEM_FONT));
    }
}

// --- Pictures -----------------------------------------------------------------

TEST_F(KivControlsTest, StaticsEditBoxesAndTheLedPreviewDrawTheBackgroundOfTheirPictures) {
    constexpr int kWidth = 60;
    constexpr int kHeight = 20;
    constexpr COLORREF kBackground = RGB(40, 90, 160);
    struct Kind {
        const char* name;
        CWnd& control;
        SkinnedControl& skinned;
        std::function<Gdiplus::Image*()> held;
    };
    const Kind kinds[] = {
        {"static", dialog_.label, dialog_.label, [&] { return dialog_.label.background(); }},
        {"edit box", dialog_.edit, dialog_.edit, [&] { return dialog_.edit.background(); }},
        {"LED preview", dialog_.led, dialog_.led, [&] { return dialog_.led.picture(); }},
    };
    dialog_.edit.SetWindowText(L"");
    ::SetFocus(nullptr);  // no caret over the pixels
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Place(kind.control, 10, 10, kWidth, kHeight);
        ControlPictures pictures;
        for (ImagePtr& look : pictures.looks) {
            look = Solid(kWidth, kHeight, Opaque(RGB(220, 20, 20)));  // not theirs to draw
        }
        pictures.background = Solid(kWidth, kHeight, Opaque(kBackground));
        Gdiplus::Image* const background = pictures.background.get();
        kind.skinned.SetPictures(std::move(pictures));
        EXPECT_EQ(kind.held(), background);
        EXPECT_EQ(Pixels::Of(kind.control).Count(kBackground, 2), kWidth * kHeight);
        kind.control.ShowWindow(SW_HIDE);
    }
}

// --- Gallery ------------------------------------------------------------------------

// Artwork in the product's manner: a dark sheet, a groove for the sliders, a
// rounded thumb with grips (accent, lighter when hovered or dragged, grey when
// disabled), a mouse between light rays with transparent light windows.
class Artwork {
public:
    static constexpr int kThumbWidth = 13;
    static constexpr int kThumbHeight = 17;

    static ImagePtr Sheet(int width, int height) {
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(bitmap.get());
        Gdiplus::LinearGradientBrush shade(Gdiplus::Point(0, 0), Gdiplus::Point(0, height),
                                           Gdiplus::Color(255, 40, 41, 45),
                                           Gdiplus::Color(255, 18, 18, 20));
        graphics.FillRectangle(&shade, 0, 0, width, height);
        return bitmap;
    }

    static ImagePtr Crop(Gdiplus::Image* sheet, RECT r) {
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(r.right - r.left, r.bottom - r.top,
                                                        PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(bitmap.get());
        graphics.DrawImage(sheet, 0, 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           Gdiplus::UnitPixel);
        return bitmap;
    }

    // The slider's track: its crop of the sheet with a groove at the thumb's
    // middle height, from the first to the last thumb centre.
    static ImagePtr Track(Gdiplus::Image* sheet, RECT r) {
        ImagePtr track = Crop(sheet, r);
        Gdiplus::Graphics graphics(track.get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        const float width = static_cast<float>(r.right - r.left);
        Gdiplus::GraphicsPath groove;
        Rounded(groove, kThumbWidth / 2.0F - 1, kThumbHeight / 2.0F - 2.5F, width - kThumbWidth + 2,
                5, 2.5F);
        Gdiplus::SolidBrush fill(Gdiplus::Color(255, 8, 8, 8));
        Gdiplus::Pen outline(Gdiplus::Color(255, 84, 84, 88), 1.0F);
        graphics.FillPath(&fill, &groove);
        graphics.DrawPath(&outline, &groove);
        return track;
    }

    static ImagePtr Thumb(Gdiplus::Color top, Gdiplus::Color bottom, Gdiplus::Color edge,
                          Gdiplus::Color grip) {
        auto bitmap =
            std::make_unique<Gdiplus::Bitmap>(kThumbWidth, kThumbHeight, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(bitmap.get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        Gdiplus::GraphicsPath body;
        Rounded(body, 0.5F, 0.5F, kThumbWidth - 1.0F, kThumbHeight - 1.0F, 3);
        Gdiplus::LinearGradientBrush face(Gdiplus::Point(0, 0), Gdiplus::Point(0, kThumbHeight),
                                          top, bottom);
        Gdiplus::Pen outline(edge, 1.0F);
        graphics.FillPath(&face, &body);
        graphics.DrawPath(&outline, &body);
        Gdiplus::SolidBrush grips(grip);
        for (int x : {4, 6, 8}) {
            graphics.FillRectangle(&grips, x, 5, 1, kThumbHeight - 10);
        }
        return bitmap;
    }
    static ImagePtr NormalThumb() {
        return Thumb(Gdiplus::Color(255, 255, 170, 100), Gdiplus::Color(255, 255, 122, 26),
                     Gdiplus::Color(255, 150, 66, 10), Gdiplus::Color(255, 120, 52, 8));
    }
    static ImagePtr HoverThumb() {
        return Thumb(Gdiplus::Color(255, 255, 222, 190), Gdiplus::Color(255, 255, 160, 80),
                     Gdiplus::Color(255, 190, 96, 30), Gdiplus::Color(255, 150, 70, 20));
    }
    static ImagePtr DisabledThumb() {
        return Thumb(Gdiplus::Color(255, 104, 104, 106), Gdiplus::Color(255, 76, 76, 78),
                     Gdiplus::Color(255, 52, 52, 54), Gdiplus::Color(255, 56, 56, 58));
    }

    // The LED preview's overlay: an opaque panel with a mouse in side view
    // between light rays; the rays fade out, and the strip along the mouse's
    // base and its logo are windows the light shows through.
    static ImagePtr Mouse(int width, int height) {
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
        Gdiplus::Graphics graphics(bitmap.get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        Gdiplus::SolidBrush panel(Gdiplus::Color(255, 24, 24, 26));
        graphics.FillRectangle(&panel, 0, 0, width, height);
        const float cx = width / 2.0F;
        const float base = height - 6.0F;
        constexpr float kLength = 128;
        for (int dy : {-8, 0, 8}) {
            const float ray = dy == 0 ? 106.0F : 70.0F;
            for (int side : {-1, 1}) {
                const float start = cx + side * (kLength / 2 + 8);
                for (int i = 0; i < 32; ++i) {
                    const float t = i / 32.0F;
                    const float x = start + side * ray * t;
                    Gdiplus::SolidBrush fade(
                        Gdiplus::Color(static_cast<BYTE>(255 * std::pow(t, 1.3F)), 24, 24, 26));
                    graphics.FillRectangle(
                        &fade, Gdiplus::RectF(side > 0 ? x : x - ray / 32, height / 2.0F + dy - 1,
                                              ray / 32 + 0.5F, 2));
                }
            }
        }
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
        const float x0 = cx - kLength / 2;
        Gdiplus::PointF outline[] = {
            {x0 + 2, base},           {x0 + 4, base - 14},      {x0 + 18, base - 25},
            {x0 + 52, base - 28},     {x0 + 92, base - 24},     {x0 + 118, base - 14},
            {x0 + kLength, base - 4}, {x0 + kLength - 2, base},
        };
        Gdiplus::GraphicsPath body;
        body.AddClosedCurve(outline, 8, 0.4F);
        Gdiplus::LinearGradientBrush plastic(
            Gdiplus::PointF(0, base - 28), Gdiplus::PointF(0, base),
            Gdiplus::Color(255, 86, 86, 90), Gdiplus::Color(255, 34, 34, 36));
        Gdiplus::Pen edge(Gdiplus::Color(255, 120, 120, 124), 1.0F);
        graphics.FillPath(&plastic, &body);
        graphics.DrawPath(&edge, &body);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        Gdiplus::SolidBrush window(Gdiplus::Color(0, 0, 0, 0));
        graphics.FillRectangle(&window, Gdiplus::RectF(x0 + 8, base - 3, kLength - 16, 3));
        Gdiplus::PointF logo[] = {{x0 + 31, base - 21}, {x0 + 35, base - 21}, {x0 + 38, base - 15},
                                  {x0 + 41, base - 21}, {x0 + 45, base - 21}, {x0 + 38, base - 10}};
        graphics.FillPolygon(&window, logo, 6);
        return bitmap;
    }

private:
    static void Rounded(Gdiplus::GraphicsPath& path, float x, float y, float width, float height,
                        float radius) {
        const float d = radius * 2;
        path.AddArc(x, y, d, d, 180, 90);
        path.AddArc(x + width - d, y, d, d, 270, 90);
        path.AddArc(x + width - d, y + height - d, d, d, 0, 90);
        path.AddArc(x, y + height - d, d, d, 90, 90);
        path.CloseFigure();
    }
};

// The colour of a picture's pixel, as GDI reads it back.
COLORREF PictureColour(Gdiplus::Image* picture, int x, int y) {
    Gdiplus::Color colour;
    static_cast<Gdiplus::Bitmap*>(picture)->GetPixel(x, y, &colour);
    return RGB(colour.GetR(), colour.GetG(), colour.GetB());
}

TEST_F(KivControlsTest, GalleryShowsEveryControlInEachLook) {
    ImagePtr sheet = Artwork::Sheet(800, 250);
    dialog_.SetBackgroundImage(sheet.get());

    // Sliders 0..255 over 300 pixels (the thumb travels 287): normal,
    // disabled, and dragging.
    CKivSliderCtrl* sliders[] = {&dialog_.slider, &dialog_.slider2, &dialog_.slider3};
    const int positions[] = {64, 128, 190};
    for (int i = 0; i < 3; ++i) {
        const RECT r{30, 44 + 40 * i, 330, 61 + 40 * i};
        CKivSliderCtrl& slider = *sliders[i];
        Place(slider, r.left, r.top, r.right - r.left, r.bottom - r.top);
        slider.SetImages(Artwork::Track(sheet.get(), r), Artwork::NormalThumb(),
                         Artwork::HoverThumb(), Artwork::DisabledThumb());
        slider.SetRange(0, 255, 1);
        slider.SetPos(positions[i], false);
    }
    dialog_.slider2.SetDisabled(true);
    // Pressed near the thumb and moved a little: 196, then 204.
    dialog_.slider3.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(227, 8));
    dialog_.slider3.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(227, 8));
    dialog_.slider3.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(236, 8));
    ASSERT_EQ(dialog_.slider3.state(), layout::ImageState::Pressed);
    EXPECT_EQ(dialog_.slider3.GetPos(), 204);

    // Edit boxes beside the first two sliders: the black box with its frame,
    // and one on a crop of the sheet.
    Place(dialog_.edit, 340, 43, 39, 18);
    Place(dialog_.edit2, 340, 83, 39, 18);
    for (CKivEdit* edit : {&dialog_.edit, &dialog_.edit2}) {
        edit->SetFontHeight(16);
    }
    dialog_.edit2.SetBackground(Artwork::Crop(sheet.get(), RECT{340, 83, 379, 101}));
    dialog_.edit.SetWindowText(std::to_wstring(dialog_.slider.GetPos()));
    dialog_.edit2.SetWindowText(std::to_wstring(dialog_.slider2.GetPos()));
    ::SetFocus(nullptr);

    // Labels on crops of the sheet: white at the left, grey centred.
    Place(dialog_.label, 30, 14, 300, 20);
    dialog_.label.SetBackground(Artwork::Crop(sheet.get(), RECT{30, 14, 330, 34}));
    dialog_.label.SetText(L"Sliders: normal, disabled, dragging");
    Place(dialog_.label2, 400, 206, 380, 20);
    dialog_.label2.SetBackground(Artwork::Crop(sheet.get(), RECT{400, 206, 780, 226}));
    dialog_.label2.SetTextColour(Argb{0xFFD2D2D2});
    dialog_.label2.SetCentred(true);
    dialog_.label2.SetText(L"LED preview: steady, blinking (white phase), breathing");

    // LED previews: steady, blinking in its white phase, breathing at 130.
    CKivMouseStatic* leds[] = {&dialog_.led, &dialog_.led2, &dialog_.led3};
    for (int i = 0; i < 3; ++i) {
        Place(*leds[i], 400, 20 + 60 * i, 380, 38);
        leds[i]->SetPicture(Artwork::Mouse(380, 38));
        leds[i]->SetColour(Argb{0xFF00B4FF});
    }
    dialog_.led.SetMode(CKivMouseStatic::kSteady);
    dialog_.led2.SetMode(CKivMouseStatic::kBlinking);
    dialog_.led2.SendMessage(WM_TIMER, 0, 0);  // counter 200: white
    dialog_.led3.SetMode(CKivMouseStatic::kBreathing);
    effect_.counter = 140;
    effect_.rising = false;
    dialog_.led3.SendMessage(WM_TIMER, 0, 0);
    for (CKivMouseStatic* led : leds) {
        ::KillTimer(*led, CKivMouseStatic::kAnimationTimer);  // keep the looks still
    }

    ::RedrawWindow(dialog_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();

    // Each look where it belongs. Thumb left edges: 287 * 64/255 = 72,
    // 287 * 128/255 = 144, 287 * 204/255 = 229.
    struct Thumb {
        CKivSliderCtrl* slider;
        int left;
        Gdiplus::Image* picture;
    };
    const Thumb thumbs[] = {
        {&dialog_.slider, 72, dialog_.slider.thumbNormal()},
        {&dialog_.slider2, 144, dialog_.slider2.thumbDisabled()},
        {&dialog_.slider3, 229, dialog_.slider3.thumbHover()},
    };
    for (const Thumb& thumb : thumbs) {
        const Pixels drawn = Pixels::Of(*thumb.slider);
        for (POINT p : {POINT{2, 8}, POINT{6, 3}, POINT{10, 13}}) {
            EXPECT_TRUE(
                Near(drawn.at(thumb.left + p.x, p.y), PictureColour(thumb.picture, p.x, p.y), 3))
                << "slider " << thumb.slider->GetDlgCtrlID() << " at " << p.x << ", " << p.y;
        }
    }
    // The light strip along the mouse's base.
    const COLORREF lights[] = {RGB(0, 0xB4, 0xFF), RGB(255, 255, 255),
                               RGB(0, 0xB4 * 130 / 255, 130)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Near(Pixels::Of(*leds[i]).at(190, 31), lights[i])) << "preview " << i;
    }
    EXPECT_TRUE(Near(Pixels::Of(dialog_.edit).at(0, 9), RGB(0x96, 0x96, 0x96)));

    if (const auto path = ScreenshotPath(L"VANDIR_SCREENSHOT")) {
        const UniqueBitmap shot = CaptureScreen(dialog_.GetWindowRect());
        ASSERT_TRUE(shot);
        EXPECT_TRUE(SavePng(shot.Get(), *path));
    }
}

}  // namespace
}  // namespace vandir
