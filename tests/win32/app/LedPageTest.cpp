// The LED page on the real main window: the levels' working copies, the
// colour sliders and boxes, the mode boxes, push and collect with the odd
// records, Enter, the preview's colours at the blink and breathing steps, and
// its timers running only while the page is on screen.

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "pages/ColorSettingsDlg.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivEdit.h"
#include "skin/KivMouseStatic.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/layout/ResourceIds.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/app/PageTestSupport.h"
#include "win32/ui/MessagePump.h"
#include "win32/windows/ScreenPixels.h"

namespace vandir::testing {
namespace {

constexpr std::array kLevelButtons{IDC_LED_LEVEL_1, IDC_LED_LEVEL_2, IDC_LED_LEVEL_3};
constexpr std::array kSwatches{IDC_LED_SWATCH_1, IDC_LED_SWATCH_2, IDC_LED_SWATCH_3};
constexpr std::array kSliders{IDC_LED_RED, IDC_LED_GREEN, IDC_LED_BLUE};
constexpr std::array kBoxes{IDC_LED_RED_EDIT, IDC_LED_GREEN_EDIT, IDC_LED_BLUE_EDIT};
constexpr std::array kModeBoxes{IDC_LED_MODE_ON, IDC_LED_MODE_OFF, IDC_LED_MODE_BLINK,
                                IDC_LED_MODE_BREATHE};

void Click(CWnd& window, int id) {
    window.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(id)));
}

// What the page's controls show, read back for comparison.
struct Shown {
    std::array<int, 3> sliders{};
    std::array<std::wstring, 3> boxes;
    std::vector<int> checkedModes;
    std::vector<int> selectedLevels;  // 0..2
    std::array<uint32_t, 3> swatches{};
    std::array<bool, 3> swatchesLit{};

    static Shown Of(CKivPage& page) {
        Shown shown;
        for (size_t i = 0; i < 3; ++i) {
            shown.sliders[i] = page.Item<CKivSliderCtrl>(kSliders[i]).GetPos();
            shown.boxes[i] = page.Item<CKivEdit>(kBoxes[i]).GetWindowText();
            if (page.Item<CKivButton>(kLevelButtons[i]).selected()) {
                shown.selectedLevels.push_back(static_cast<int>(i));
            }
            const auto& swatch = page.Item<CKivMouseStatic>(kSwatches[i]);
            shown.swatches[i] = swatch.colour().value;
            shown.swatchesLit[i] = swatch.fillEnabled();
        }
        for (const int box : kModeBoxes) {
            if (page.Item<CKivCheckBox>(box).checked()) {
                shown.checkedModes.push_back(box);
            }
        }
        return shown;
    }
};

// Whether the colour controls take input: sliders and boxes alike.
bool ColourControlsEnabled(CKivPage& page) {
    bool enabled = true;
    for (size_t i = 0; i < 3; ++i) {
        enabled = enabled &&
                  page.Item<CKivSliderCtrl>(kSliders[i]).state() != layout::ImageState::Disabled &&
                  page.Item<CKivEdit>(kBoxes[i]).IsWindowEnabled();
    }
    return enabled;
}

// Moves a colour slider as a drag would: it notifies the page.
void Drag(CKivPage& page, size_t channel, int value) {
    page.Item<CKivSliderCtrl>(kSliders[channel]).SetPos(value, true);
}

// Types into a colour box (the page sees it at its next edit check).
void Type(CKivPage& page, size_t channel, const std::wstring& text) {
    page.Item<CKivEdit>(kBoxes[channel]).SetWindowText(text);
}

void EditCheckTick(CKivPage& page) {
    page.SendMessage(WM_TIMER, CColorSettingsDlg::kEditCheckTimer, 0);
}

CColorSettingsDlg& LedPage(MainWindowFixture& app) {
    return static_cast<CColorSettingsDlg&>(app.window->page(PageId::Led));
}

TEST(LedPage, DefaultsShowLevel2GreenAlwaysOnAndTheThreeSwatches) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CColorSettingsDlg& page = LedPage(app);
    page.PushSettings(MouseSettings::CreateWithDefaults());
    const Shown shown = Shown::Of(page);
    EXPECT_EQ(page.levels().selectedLevel, 1);
    EXPECT_EQ(shown.selectedLevels, std::vector<int>{1});
    EXPECT_EQ(shown.sliders, (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(shown.boxes, (std::array<std::wstring, 3>{L"0", L"255", L"0"}));
    EXPECT_EQ(shown.checkedModes, std::vector<int>{IDC_LED_MODE_ON});
    EXPECT_EQ(shown.swatches, (std::array<uint32_t, 3>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));
    EXPECT_EQ(shown.swatchesLit, (std::array<bool, 3>{true, true, true}));
    const auto& preview = page.Item<CKivMouseStatic>(IDC_LED_PREVIEW);
    EXPECT_EQ(preview.colour().value, 0xFF00FF00);
    EXPECT_TRUE(preview.fillEnabled());
    EXPECT_EQ(preview.mode(), CKivMouseStatic::kSteady);
    EXPECT_TRUE(ColourControlsEnabled(page));
}

// Level 1 set to red 10, green 20, blue 30 and "Rapid fire", then level 3 and
// Apply: the record, the profile and the mouse's LED bytes.
TEST(LedPage, Level1RapidFireReachesTheRecordTheProfileAndTheMouse) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    CColorSettingsDlg& page = LedPage(app);
    page.PushSettings(MouseSettings::CreateWithDefaults());

    Click(page, IDC_LED_LEVEL_1);
    EXPECT_EQ(Shown::Of(page).sliders, (std::array<int, 3>{255, 0, 0}));
    Drag(page, 0, 10);
    Drag(page, 1, 20);
    Drag(page, 2, 30);
    EXPECT_EQ(Shown::Of(page).boxes, (std::array<std::wstring, 3>{L"10", L"20", L"30"}));
    Click(page, IDC_LED_MODE_BLINK);
    Click(page, IDC_LED_LEVEL_3);
    const Shown shown = Shown::Of(page);
    EXPECT_EQ(shown.selectedLevels, std::vector<int>{2});
    EXPECT_EQ(shown.sliders, (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(shown.checkedModes, std::vector<int>{IDC_LED_MODE_ON});
    EXPECT_EQ(shown.swatches[0], 0xFF0A141Eu);  // level 1's swatch took the capture

    window.Apply();
    window.WaitForApply();
    const MouseSettings& record = window.settings();
    const std::array<LevelLed, 3> levels{
        {{0, kLedBlinking, 0x001E140A, 1}, {1, kLedOn, 0x0000FF00, 2}, {2, kLedOn, 0x00FF0000, 3}}};
    EXPECT_EQ(record.levelLeds, levels);
    EXPECT_EQ(record.ledLevel, 2);
    EXPECT_EQ(record.ledMode, kLedOn);
    EXPECT_EQ(record.ledColour, 0x00FF0000u);

    const MouseSettings saved = SavedProfile(app);
    EXPECT_EQ(saved.levelLeds, levels);
    EXPECT_EQ(saved.ledLevel, 2);
    EXPECT_EQ(saved.ledColour, 0x00FF0000u);

    const ConfigImage image = app.mouse.Memory();
    // Level 1's group (red, green, blue, mode, level number), the current
    // light (red, green, blue, mode) and the level edited.
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 15, image.begin() + 20),
              (std::vector<uint8_t>{10, 20, 30, 2, 1}));
    EXPECT_EQ(std::vector<uint8_t>(image.begin() + 8, image.begin() + 12),
              (std::vector<uint8_t>{0, 0, 255, 1}));
    EXPECT_EQ(image[30], 2);
}

TEST(LedPage, ColourBoxesAreCutToThreeDigitsAndAtMost255AndMoveTheirSlider) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.window->ShowPage(PageId::Led);
    CColorSettingsDlg& page = LedPage(app);
    page.PushSettings(MouseSettings::CreateWithDefaults());  // 0, 255, 0
    auto& red = page.Item<CKivEdit>(IDC_LED_RED_EDIT);
    const auto& preview = page.Item<CKivMouseStatic>(IDC_LED_PREVIEW);
    const struct {
        const wchar_t* typed;
        const wchar_t* shown;
        int value;
        bool corrected;
    } cases[] = {{L"300", L"255", 255, true},
                 {L"1234", L"123", 123, true},
                 {L"", L"", 0, false},
                 {L"42", L"42", 42, false},
                 {L"9999", L"255", 255, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Type(page, 0, c.typed);
        EditCheckTick(page);
        EXPECT_EQ(red.GetWindowText(), c.shown);
        EXPECT_EQ(page.Item<CKivSliderCtrl>(IDC_LED_RED).GetPos(), c.value);
        EXPECT_EQ(preview.colour().value, 0xFF00FF00u | static_cast<uint32_t>(c.value) << 16);
        if (c.corrected) {
            DWORD start = 0;
            DWORD end = 0;
            red.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 3u);
            EXPECT_EQ(end, 3u);
        }
    }
    // The record takes the slider's value at the next collect.
    MouseSettings collected = app.window->settings();
    page.CollectSettings(collected);
    EXPECT_EQ(collected.levelLeds[1].colour, 0x0000FFFFu);
}

// The number typed last is captured even when no edit check has seen it yet:
// at a collect and at a level change.
TEST(LedPage, ANumberTypedJustBeforeACaptureIsTaken) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.window->ShowPage(PageId::Led);
    CColorSettingsDlg& page = LedPage(app);
    page.PushSettings(MouseSettings::CreateWithDefaults());

    Type(page, 0, L"77");
    MouseSettings collected = app.window->settings();
    page.CollectSettings(collected);
    EXPECT_EQ(collected.levelLeds[1].colour, 0x0000FF4Du);
    EXPECT_EQ(collected.ledColour, 0x0000FF4Du);

    Type(page, 2, L"88");
    Click(page, IDC_LED_LEVEL_1);
    EXPECT_EQ(page.levels().levelCopies[1].colour, 0x0058FF4Du);
    EXPECT_EQ(Shown::Of(page).swatches[1], 0xFF4DFF58u);
}

TEST(LedPage, AlwaysOffDisablesTheColourControlsAndDarkensTheSwatchAtTheNextCapture) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.window->ShowPage(PageId::Led);
    CColorSettingsDlg& page = LedPage(app);
    page.PushSettings(MouseSettings::CreateWithDefaults());
    const auto& preview = page.Item<CKivMouseStatic>(IDC_LED_PREVIEW);

    Click(page, IDC_LED_MODE_OFF);
    EXPECT_EQ(Shown::Of(page).checkedModes, std::vector<int>{IDC_LED_MODE_OFF});
    EXPECT_FALSE(ColourControlsEnabled(page));
    EXPECT_FALSE(preview.fillEnabled());
    EXPECT_TRUE(Shown::Of(page).swatchesLit[1]);  // not before the capture

    // The edit check leaves the boxes alone.
    Type(page, 1, L"300");
    EditCheckTick(page);
    EXPECT_EQ(page.Item<CKivEdit>(IDC_LED_GREEN_EDIT).GetWindowText(), L"300");
    EXPECT_EQ(page.Item<CKivSliderCtrl>(IDC_LED_GREEN).GetPos(), 255);

    Click(page, IDC_LED_LEVEL_3);
    EXPECT_EQ(Shown::Of(page).swatchesLit, (std::array<bool, 3>{true, false, true}));
    EXPECT_TRUE(ColourControlsEnabled(page));  // level 3 is on
    EXPECT_EQ(page.levels().levelCopies[1].mode, kLedOff);
    EXPECT_EQ(page.levels().levelCopies[1].colour, 0x0000FF00u);

    // Back on level 2, "Always ON" brings the controls back.
    Click(page, IDC_LED_LEVEL_2);
    EXPECT_FALSE(ColourControlsEnabled(page));
    Click(page, IDC_LED_MODE_ON);
    EXPECT_TRUE(ColourControlsEnabled(page));
    EXPECT_TRUE(preview.fillEnabled());
    EXPECT_EQ(Shown::Of(page).checkedModes, std::vector<int>{IDC_LED_MODE_ON});
}

// activeLevel 7 shows level 2 but edits no level: a collect captures
// nothing and takes the current light from level 2 as pushed.
TEST(LedPage, AnActiveLevelOutsideTheLevelsShowsLevel2AndCapturesNothing) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CColorSettingsDlg& page = LedPage(app);
    MouseSettings pushed = MouseSettings::CreateWithDefaults();
    pushed.activeLevel = 7;
    pushed.levelLeds[1] = {1, kLedBreathing, 0x00123456, 2};
    page.PushSettings(pushed);
    EXPECT_EQ(Shown::Of(page).selectedLevels, std::vector<int>{1});
    EXPECT_EQ(Shown::Of(page).sliders, (std::array<int, 3>{0x56, 0x34, 0x12}));
    EXPECT_EQ(page.levels().selectedLevel, 7);

    Drag(page, 0, 1);
    Click(page, IDC_LED_MODE_OFF);
    MouseSettings collected = MouseSettings::CreateWithDefaults();
    page.CollectSettings(collected);
    EXPECT_EQ(collected.ledLevel, 7);
    EXPECT_EQ(collected.ledMode, kLedBreathing);
    EXPECT_EQ(collected.ledColour, 0x00123456u);
    EXPECT_EQ(collected.levelLeds, pushed.levelLeds);

    // A level button makes the page edit a level again; level 2's changes
    // were never captured.
    Click(page, IDC_LED_LEVEL_1);
    EXPECT_EQ(page.levels().selectedLevel, 0);
    EXPECT_EQ(page.levels().levelCopies[1], pushed.levelLeds[1]);
}

// A mode outside the four checks no box and leaves the controls' enabled
// state as the previous push left it.
TEST(LedPage, AnUnknownModeChecksNoBoxAndKeepsTheControlsAsTheyWere) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CColorSettingsDlg& page = LedPage(app);
    for (const uint8_t before : {kLedOn, kLedOff}) {
        SCOPED_TRACE(static_cast<int>(before));
        MouseSettings pushed = MouseSettings::CreateWithDefaults();
        pushed.levelLeds[1].mode = before;
        page.PushSettings(pushed);
        pushed.levelLeds[1] = {1, 5, 0x00030201, 2};
        page.PushSettings(pushed);
        EXPECT_TRUE(Shown::Of(page).checkedModes.empty());
        EXPECT_EQ(ColourControlsEnabled(page), before == kLedOn);
        EXPECT_EQ(Shown::Of(page).sliders, (std::array<int, 3>{1, 2, 3}));
        // With no box checked the capture keeps the mode.
        MouseSettings collected = pushed;
        page.CollectSettings(collected);
        EXPECT_EQ(collected.levelLeds[1].mode, 5);
        EXPECT_EQ(collected.ledMode, 5);
    }
}

// A host that collects the page into its own record when asked.
class CollectingHost : public PageHost {
public:
    void Apply() override { ++applies; }
    void Reset() override { ++resets; }
    void ShowPage(PageId) override {}
    void ApplyLanguageToAll(int) override {}
    void SetTopmost(bool) override {}
    void CollectPage(PageId id) override {
        collected.push_back(id);
        page->CollectSettings(record);
    }

    CKivPage* page = nullptr;
    MouseSettings record = MouseSettings::CreateWithDefaults();
    std::vector<PageId> collected;
    int applies = 0;
    int resets = 0;
};

TEST(LedPage, EnterAsksForACollectOfThePageAndNoApply) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CollectingHost host;
    CColorSettingsDlg page(app.skin, host, app.window.get());
    ASSERT_TRUE(page.Create(app.window.get()));
    host.page = &page;
    page.PushSettings(MouseSettings::CreateWithDefaults());
    page.ShowWindow(SW_SHOW);
    app.log.Clear();

    Type(page, 0, L"99");
    const auto key = [&](WPARAM virtualKey) {
        MSG msg{page.GetDlgItem(IDC_LED_RED_EDIT), WM_KEYDOWN, virtualKey, 0, 0, {}};
        CDialogEx::PreTranslateChain(msg, page.GetSafeHwnd());
    };
    key(VK_ESCAPE);
    key('7');
    EXPECT_TRUE(host.collected.empty());
    key(VK_RETURN);
    EXPECT_EQ(host.collected, std::vector<PageId>{PageId::Led});
    EXPECT_EQ(host.record.levelLeds[1].colour, 0x0000FF63u);
    EXPECT_EQ(host.applies, 0);
    EXPECT_TRUE(app.log.Events().empty());  // neither saved nor sent
    // Enter's OK command and Esc's Cancel leave the page as it is.
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(page.IsWindowVisible());
}

TEST(LedPage, AnchorsShowTheTranslationOfTheModes) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& page = LedPage(app);
    const CWnd& rapidFire = page.Item<CKivStatic>(IDC_LED_ANCHOR_BLINK);
    EXPECT_EQ(page.toolTips().GetText(rapidFire), L"");
    app.window->ApplyLanguageToAll(3);
    EXPECT_EQ(page.toolTips().GetText(rapidFire), L"Schnellfeuer");
    EXPECT_EQ(page.toolTips().GetText(page.Item<CKivButton>(IDC_LED_APPLY)), L"Übernehmen");
}

// Kills a window's timer; true when it was running.
bool StopTimer(const CWnd& window, UINT_PTR id) {
    return window.KillTimer(id) != FALSE;
}

TEST(LedPage, TimersRunOnlyWhileThePageIsOnScreen) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    CColorSettingsDlg& page = LedPage(app);  // built hidden
    const auto& preview = page.Item<CKivMouseStatic>(IDC_LED_PREVIEW);
    MouseSettings blinking = MouseSettings::CreateWithDefaults();
    blinking.levelLeds[1].mode = kLedBlinking;
    page.PushSettings(blinking);
    EXPECT_EQ(preview.mode(), CKivMouseStatic::kBlinking);
    EXPECT_FALSE(page.timersRunning());
    EXPECT_FALSE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    EXPECT_FALSE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));

    window.ShowPage(PageId::Led);
    EXPECT_TRUE(page.timersRunning());
    EXPECT_TRUE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    EXPECT_TRUE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));

    // Another tab hides the page.
    window.ShowPage(PageId::Sensor);
    EXPECT_FALSE(page.timersRunning());
    window.ShowPage(PageId::Led);
    window.ShowPage(PageId::Sensor);
    EXPECT_FALSE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    EXPECT_FALSE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));

    // The main window goes to the notification area with the page on it: the
    // next check stops everything, and showing the window brings it back.
    window.ShowPage(PageId::Led);
    window.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(window.IsWindowVisible());
    EditCheckTick(page);
    EXPECT_FALSE(page.timersRunning());
    EXPECT_FALSE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    EXPECT_FALSE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));
    window.ShowWindow(SW_SHOW);
    EXPECT_TRUE(PumpUntil([&] { return page.timersRunning(); }));
    EXPECT_TRUE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    EXPECT_TRUE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));
}

// The preview's light as the screen shows it, at points where the mouse
// picture is fully transparent.
class PreviewLight {
public:
    explicit PreviewLight(const CKivMouseStatic& preview) : preview_(preview) {
        auto* picture = dynamic_cast<Gdiplus::Bitmap*>(preview.picture());
        const RECT client = preview.GetClientRect();
        if (picture == nullptr || static_cast<LONG>(picture->GetWidth()) != client.right ||
            static_cast<LONG>(picture->GetHeight()) != client.bottom) {
            return;
        }
        int seen = 0;
        for (LONG y = 0; y < client.bottom; ++y) {
            for (LONG x = 0; x < client.right; ++x) {
                Gdiplus::Color pixel;
                picture->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &pixel);
                if (pixel.GetA() == 0 && seen++ % 5 == 0) {
                    windows_.push_back({x, y});
                }
            }
        }
    }

    bool HasWindows() const { return windows_.size() >= 10; }

    // Whether every light window shows the colour, within rounding; waits
    // for the screen to catch up.
    ::testing::AssertionResult Shows(COLORREF expected) const {
        std::vector<COLORREF> seen;
        const bool shown = PumpUntil([&] {
            preview_.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
            seen = ScreenPixels(ScreenRectOf(preview_.GetSafeHwnd()));
            const LONG width = preview_.GetClientRect().right;
            for (const POINT& p : windows_) {
                const size_t at = static_cast<size_t>(p.y * width + p.x);
                if (at >= seen.size() || !Near(seen[at], expected)) {
                    return false;
                }
            }
            return true;
        });
        if (shown) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << "light windows do not show 0x" << std::hex << expected;
    }

private:
    static bool Near(COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 3 &&
               std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 3;
    }

    const CKivMouseStatic& preview_;
    std::vector<POINT> windows_;
};

// The colour at a brightness (alpha) over the black background.
COLORREF Dimmed(COLORREF colour, int alpha) {
    const auto dim = [alpha](int channel) { return (channel * alpha + 127) / 255; };
    return RGB(dim(GetRValue(colour)), dim(GetGValue(colour)), dim(GetBValue(colour)));
}

TEST(LedPage, PreviewShowsEachModeStepByStep) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    ShowOnTop(window, Activation::Take);
    window.ShowPage(PageId::Led);
    CColorSettingsDlg& page = LedPage(app);
    auto& preview = page.Item<CKivMouseStatic>(IDC_LED_PREVIEW);
    const PreviewLight light(preview);
    ASSERT_TRUE(light.HasWindows());

    MouseSettings pushed = MouseSettings::CreateWithDefaults();
    pushed.levelLeds[1].colour = 0x000060FF;  // red 255, green 96, blue 0
    page.PushSettings(pushed);
    const COLORREF colour = RGB(255, 96, 0);
    // The test drives the ticks itself.
    EditCheckTick(page);
    ASSERT_TRUE(StopTimer(page, CColorSettingsDlg::kEditCheckTimer));
    const auto tick = [&] { preview.SendMessage(WM_TIMER, CKivMouseStatic::kAnimationTimer, 0); };

    EXPECT_TRUE(light.Shows(colour));
    SaveScreenshot(window, L"led-always-on");

    Click(page, IDC_LED_MODE_OFF);
    EXPECT_TRUE(light.Shows(RGB(0, 0, 0)));
    SaveScreenshot(window, L"led-always-off");

    Click(page, IDC_LED_MODE_BLINK);
    ASSERT_TRUE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));
    app.led.counter = 200;  // even: the white half comes first
    tick();
    EXPECT_TRUE(light.Shows(RGB(255, 255, 255)));
    SaveScreenshot(window, L"led-blink-white");
    tick();
    EXPECT_TRUE(light.Shows(colour));
    SaveScreenshot(window, L"led-blink-colour");

    Click(page, IDC_LED_MODE_BREATHE);
    ASSERT_TRUE(StopTimer(preview, CKivMouseStatic::kAnimationTimer));
    app.led.counter = 120;
    app.led.rising = true;
    tick();
    EXPECT_TRUE(light.Shows(Dimmed(colour, 130)));
    SaveScreenshot(window, L"led-breathing-130");
    app.led.counter = 250;
    tick();
    EXPECT_TRUE(light.Shows(colour));  // 255, turning
    tick();
    EXPECT_TRUE(light.Shows(Dimmed(colour, 245)));
    app.led.counter = 10;
    app.led.rising = false;
    tick();
    EXPECT_TRUE(light.Shows(RGB(0, 0, 0)));  // 0, turning
    tick();
    EXPECT_TRUE(light.Shows(Dimmed(colour, 10)));

    Click(page, IDC_LED_MODE_ON);
    EXPECT_TRUE(light.Shows(colour));
}

}  // namespace
}  // namespace vandir::testing
