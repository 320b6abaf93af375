// The windows at the display's scale. ctest runs these tests again in Wine
// prefixes whose display is set to 120, 144 and 192 DPI (VANDIR_EXPECTED_DPI
// names it); at 96 DPI they hold as they do at every other scale.
//   - every window made from its table has its 96-DPI size times the scale,
//     and every control its rectangle scaled by its edges;
//   - what shows a sheet unchanged shows the sheet of that scale pixel for
//     pixel; the pointer at a control's scaled place lights that control;
//   - a slider gives the same value for the same place on its track at
//     every scale, its ends included;
//   - a window told of a new scale (WM_DPICHANGED) takes the suggested place
//     and the new scale's artwork and keeps what the person set.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/framework/DisplayDpi.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivWindow.h"
#include "skin/layout/DisplayScale.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/KeyCaptureLayout.h"
#include "skin/layout/LanguageLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/MainWindowLayout.h"
#include "skin/layout/NoDeviceLayout.h"
#include "skin/layout/PopupLayout.h"
#include "skin/layout/SensorLayout.h"
#include "skin/layout/SupportLayout.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SkinFixture.h"

namespace vandir {
namespace {

using layout::Control;
using layout::ControlKind;
using layout::WindowLayout;

// The DPI this run is meant to have, when ctest names one.
int ExpectedDpi() {
    const char* named = std::getenv("VANDIR_EXPECTED_DPI");
    return named != nullptr ? std::atoi(named) : 0;
}

// A window of the table, made as the program makes it: pages as children of
// a host window, the others as windows of their own.
using TableWindow = CKivWindow;

class AtDisplayScale : public testing::Test {
protected:
    void SetUp() override {
        dpi = SystemDpi();
        if (const int expected = ExpectedDpi(); expected != 0) {
            ASSERT_EQ(dpi, expected) << "the prefix's display is not at the DPI this run is for";
        }
        fixture.skins.UseDpi(dpi);
        const wchar_t* hostClass = CWnd::RegisterWindowClass(L"VandirScaleTestHost");
        ASSERT_TRUE(host.CreateEx(0, hostClass, L"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 2000, 1400},
                                  nullptr, 0));
    }
    void TearDown() override {
        ReleaseHeldInput();
        window.reset();
        host.DestroyWindow();
    }

    // Makes the table's window and shows it at the top left of the screen.
    TableWindow& Show(const WindowLayout& table) {
        const bool child = IsPage(table);
        window = std::make_unique<TableWindow>(table, fixture.context, child ? &host : nullptr);
        EXPECT_TRUE(window->Create(child ? &host : nullptr)) << table.name;
        ShowOnTop(*window, Activation::Keep, POINT{0, 0});
        return *window;
    }

    static bool IsPage(const WindowLayout& table) {
        for (const WindowLayout* page :
             {&layout::kKeyAssignment, &layout::kOsSensitivity, &layout::kSensorPage,
              &layout::kLedPage, &layout::kSupportPage, &layout::kLanguagePage}) {
            if (page == &table) {
                return true;
            }
        }
        return false;
    }

    // A control's rectangle in its window's client coordinates.
    RECT ClientRectOf(int id) const {
        RECT r = ScreenRectOf(window->GetDlgItem(id));
        ::MapWindowPoints(nullptr, window->GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    // The 96-DPI size of a window: its table's, else its background sheet's.
    layout::Size BaseSizeOf(const WindowLayout& table) {
        if (table.size.width > 0) {
            return table.size;
        }
        Gdiplus::Image* sheet = baseSkins.Sheet(table.background);
        return sheet == nullptr ? layout::Size{}
                                : layout::Size{static_cast<int>(sheet->GetWidth()),
                                               static_cast<int>(sheet->GetHeight())};
    }

    int dpi = 96;
    SkinFixture fixture;
    // The 100 % set, for the 96-DPI sizes of the windows.
    SkinStore baseSkins{DefaultSkinFolder(),
                        SkinFailureReporter{[](const std::wstring&) {}, [] {}}};
    CWnd host;
    std::unique_ptr<TableWindow> window;
};

const WindowLayout* const kTables[] = {
    &layout::kMainWindow,     &layout::kNoDevice,          &layout::kKeyAssignment,
    &layout::kOsSensitivity,  &layout::kSensorPage,        &layout::kLedPage,
    &layout::kSupportPage,    &layout::kLanguagePage,      &layout::kKeyCapture,
    &layout::kPopupLeftClick, &layout::kPopupRapidFireKey, &layout::kPopupRapidFireMouse,
    &layout::kPopupVersion,   &layout::kPopupNoMouse,
};

TEST_F(AtDisplayScale, EveryWindowIsItsTableTimesTheScale) {
    for (const WindowLayout* table : kTables) {
        SCOPED_TRACE(std::string(table->name));
        TableWindow& shown = Show(*table);
        const layout::Size expected = layout::ScaleSize(BaseSizeOf(*table), dpi);
        const RECT frame = shown.GetWindowRect();
        EXPECT_EQ(frame.right - frame.left, expected.width);
        EXPECT_EQ(frame.bottom - frame.top, expected.height);
        for (const Control& row : table->controls) {
            const HWND control = shown.GetDlgItem(row.id);
            if (control == nullptr || !::IsWindowVisible(control)) {
                continue;
            }
            SCOPED_TRACE(row.id);
            const layout::Rect scaled = layout::ScaleRect(row.rect, dpi);
            const RECT r = ClientRectOf(row.id);
            EXPECT_EQ(r.left, scaled.x);
            EXPECT_EQ(r.top, scaled.y);
            EXPECT_EQ(r.right - r.left, scaled.width);
            EXPECT_EQ(r.bottom - r.top, scaled.height);
        }
        window.reset();
    }
    EXPECT_TRUE(fixture.failures.empty());
}

TEST_F(AtDisplayScale, TheNoDeviceScreenShowsItsSheetOfThisScale) {
    TableWindow& shown = Show(layout::kNoDevice);
    const RECT frame = shown.GetWindowRect();
    EXPECT_TRUE(ScreenShowsSheet(frame, fixture.skins.Sheet(layout::Sheet::NoMouseNormal), 0, 0));
    if (const auto path = ScreenshotPath(L"VANDIR_SCALE_SCREENSHOT")) {
        EXPECT_TRUE(SavePng(CaptureScreen(frame).Get(), *path));
    }
}

// Every push button and check box of the sensor and LED pages shows its
// normal look, cut at its scaled rectangle from the Normal sheet of this
// scale, and the pointer at its scaled place lights it from the Down sheet.
TEST_F(AtDisplayScale, ControlsShowTheirLooksAndLightWhereTheyAre) {
    for (const WindowLayout* table : {&layout::kSensorPage, &layout::kLedPage}) {
        SCOPED_TRACE(std::string(table->name));
        TableWindow& shown = Show(*table);
        for (const Control& row : table->controls) {
            if ((row.kind != ControlKind::Button && row.kind != ControlKind::CheckBox) ||
                row.look(layout::ImageState::Normal).element ||
                !::IsWindowVisible(shown.GetDlgItem(row.id))) {
                continue;
            }
            SCOPED_TRACE(row.id);
            const layout::Rect scaled = layout::ScaleRect(row.rect, dpi);
            const RECT screen = ScreenRectOf(shown.GetDlgItem(row.id));
            EXPECT_TRUE(ScreenShowsSheet(
                screen, fixture.skins.Sheet(row.look(layout::ImageState::Normal).sheet), scaled.x,
                scaled.y));
            ASSERT_TRUE(SendInputs({MouseMoveTo(
                {(screen.left + screen.right) / 2, (screen.top + screen.bottom) / 2})}));
            EXPECT_TRUE(PumpUntil([&] {
                return ScreenShowsSheet(
                    screen, fixture.skins.Sheet(row.look(layout::ImageState::Hover).sheet),
                    scaled.x, scaled.y);
            }));
            // Away again, onto the window's background at its corner.
            const RECT frame = shown.GetWindowRect();
            ASSERT_TRUE(SendInputs({MouseMoveTo({frame.left + 1, frame.top + 1})}));
            EXPECT_TRUE(PumpUntil([&] {
                return ScreenShowsSheet(
                    screen, fixture.skins.Sheet(row.look(layout::ImageState::Normal).sheet),
                    scaled.x, scaled.y);
            }));
        }
        window.reset();
    }
}

// The place of a value on a 96-DPI track of that width, in units from its
// left edge: the thumb's centre when the value is set.
int BasePlaceOf(int value, const layout::SliderRange& range, int trackWidth, int thumbWidth) {
    const int travel = trackWidth - thumbWidth;
    return thumbWidth / 2 + (value - range.minimum) * travel / (range.maximum - range.minimum);
}

TEST_F(AtDisplayScale, ASlidersValueForAPlaceOnItsTrackDoesNotDependOnTheScale) {
    TableWindow& shown = Show(layout::kSensorPage);
    const Control& row = *layout::FindControl(layout::kSensorPage, IDC_SENSOR_DPI_1);
    auto& slider = shown.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_1);
    const RECT track = ScreenRectOf(slider.GetSafeHwnd());
    const int middle = (track.top + track.bottom) / 2;
    const int baseThumb = 13;  // the thumb sheet's width at 96 DPI
    const auto pressAt = [&](int x) {
        return SendInputs({MouseMoveTo({x, middle}), LeftDown(), LeftUp()});
    };
    for (int value = row.range.minimum; value <= row.range.maximum; value += row.range.step) {
        SCOPED_TRACE(value);
        const int place = BasePlaceOf(value, row.range, row.rect.width, baseThumb);
        ASSERT_TRUE(pressAt(track.left + layout::ScaleUnits(place, dpi)));
        EXPECT_TRUE(PumpUntil([&] { return slider.GetPos() == value; })) << slider.GetPos();
    }
    // Its last pixels give its ends.
    ASSERT_TRUE(pressAt(track.right - 1));
    EXPECT_TRUE(PumpUntil([&] { return slider.GetPos() == row.range.maximum; }));
    ASSERT_TRUE(pressAt(track.left));
    EXPECT_TRUE(PumpUntil([&] { return slider.GetPos() == row.range.minimum; }));
}

// A window of its own with a page in it, as the main window holds its pages,
// told of a new scale as the system tells a window moved to another monitor.
class DisplayScaleChange : public testing::Test {
protected:
    void SetUp() override {
        before = SystemDpi();
        after = before == 144 ? 192 : 144;
        fixture.skins.UseDpi(before);
        ASSERT_TRUE(frame.Create());
        // Caption-less, as the main window makes itself: the frame is
        // measured again before it is shown.
        frame.ModifyStyle(WS_CAPTION, 0);
        ::SetWindowPos(frame.GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ShowOnTop(frame, Activation::Take, POINT{0, 0});
    }
    void TearDown() override {
        ReleaseHeldInput();
        page.reset();
        frame.DestroyWindow();
    }

    TableWindow& MakePage(const WindowLayout& table) {
        page = std::make_unique<TableWindow>(table, fixture.context, &frame);
        EXPECT_TRUE(page->Create(&frame));
        const layout::Rect area = layout::ScaleRect(layout::kPageArea, before);
        page->MoveWindow(area.x, area.y, area.width, area.height);
        page->ShowWindow(SW_SHOW);
        page->UpdateWindow();
        return *page;
    }

    // What the system sends: the new DPI and the place it suggests.
    void ChangeScale(POINT topLeft) {
        const layout::Size size = layout::ScaleSize(layout::kMainWindow.size, after);
        RECT suggested{topLeft.x, topLeft.y, topLeft.x + size.width, topLeft.y + size.height};
        frame.SendMessage(WM_DPICHANGED, MAKEWPARAM(after, after),
                          reinterpret_cast<LPARAM>(&suggested));
    }

    void ExpectLaidOutAt(const CKivWindow& window, int dpi) {
        for (const Control& row : window.layout().controls) {
            const HWND control = window.GetDlgItem(row.id);
            if (control == nullptr) {
                continue;
            }
            SCOPED_TRACE(row.id);
            RECT r = ScreenRectOf(control);
            ::MapWindowPoints(nullptr, window.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
            const layout::Rect scaled = layout::ScaleRect(row.rect, dpi);
            EXPECT_EQ(r.left, scaled.x);
            EXPECT_EQ(r.top, scaled.y);
            EXPECT_EQ(r.right - r.left, scaled.width);
            EXPECT_EQ(r.bottom - r.top, scaled.height);
        }
    }

    int before = 96;
    int after = 144;
    SkinFixture fixture;
    TableWindow frame{layout::kMainWindow, fixture.context, nullptr};
    std::unique_ptr<TableWindow> page;
};

TEST_F(DisplayScaleChange, TheWindowTakesTheSuggestedPlaceAndTheNewArtworkAndKeepsItsState) {
    TableWindow& led = MakePage(layout::kLedPage);
    // What a person set: a typed value, a ticked box, a slider moved.
    const RECT edit = ScreenRectOf(led.GetDlgItem(IDC_LED_RED_EDIT));
    ASSERT_TRUE(
        SendInputs({MouseMoveTo({(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2}),
                    LeftDown(), LeftUp()}));
    std::vector<INPUT> typing;
    for (const WORD key : {WORD{'1'}, WORD{'2'}, WORD{'3'}}) {
        for (const INPUT& input : Tap(key)) {
            typing.push_back(input);
        }
    }
    ASSERT_TRUE(SendInputs(typing));
    EXPECT_TRUE(
        PumpUntil([&] { return led.Item<CKivEdit>(IDC_LED_RED_EDIT).GetWindowText() == L"123"; }));
    const RECT box = ScreenRectOf(led.GetDlgItem(IDC_LED_MODE_BLINK));
    ASSERT_TRUE(SendInputs({MouseMoveTo({(box.left + box.right) / 2, (box.top + box.bottom) / 2}),
                            LeftDown(), LeftUp()}));
    EXPECT_TRUE(PumpUntil([&] { return led.Item<CKivCheckBox>(IDC_LED_MODE_BLINK).checked(); }));
    const RECT track = ScreenRectOf(led.GetDlgItem(IDC_LED_GREEN));
    ASSERT_TRUE(
        SendInputs({MouseMoveTo({(track.left + track.right) / 2, (track.top + track.bottom) / 2}),
                    LeftDown(), LeftUp()}));
    auto& green = led.Item<CKivSliderCtrl>(IDC_LED_GREEN);
    EXPECT_TRUE(PumpUntil([&] { return green.GetPos() > 100 && green.GetPos() < 155; }));
    const int greenBefore = green.GetPos();

    ChangeScale({40, 30});

    EXPECT_EQ(fixture.skins.Dpi(), after);
    const RECT placed = frame.GetWindowRect();
    const layout::Size frameSize = layout::ScaleSize(layout::kMainWindow.size, after);
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right - placed.left, frameSize.width);
    EXPECT_EQ(placed.bottom - placed.top, frameSize.height);
    const RECT pageFrame = led.GetWindowRect();
    const layout::Size pageSize = layout::ScaleSize(layout::Size{800, 515}, after);
    EXPECT_EQ(pageFrame.right - pageFrame.left, pageSize.width);
    EXPECT_EQ(pageFrame.bottom - pageFrame.top, pageSize.height);
    ExpectLaidOutAt(frame, after);
    ExpectLaidOutAt(led, after);

    EXPECT_EQ(led.Item<CKivEdit>(IDC_LED_RED_EDIT).GetWindowText(), L"123");
    EXPECT_TRUE(led.Item<CKivCheckBox>(IDC_LED_MODE_BLINK).checked());
    EXPECT_EQ(green.GetPos(), greenBefore);
    // The frame's controls show the sheet of the new scale (the language button:
    // above the page, which this frame leaves where it was).
    const RECT button = ScreenRectOf(frame.GetDlgItem(IDC_MAIN_LANGUAGE));
    const layout::Rect buttonRect =
        layout::ScaleRect(layout::FindControl(layout::kMainWindow, IDC_MAIN_LANGUAGE)->rect, after);
    EXPECT_TRUE(PumpUntil([&] {
        return ScreenShowsSheet(button, fixture.skins.Sheet(layout::Sheet::MainNormal),
                                buttonRect.x, buttonRect.y);
    }));
    EXPECT_TRUE(fixture.failures.empty());
}

TEST_F(DisplayScaleChange, AnOpenListClosesAndOpensAgainAtTheNewScale) {
    TableWindow& keys = MakePage(layout::kKeyAssignment);
    auto& selector = keys.Item<CKivComboButton>(IDC_MS_SELECTOR_1);
    selector.AddItem(1, L"Left Click");
    selector.AddItem(2, L"Right Click");
    const RECT button = ScreenRectOf(selector.GetSafeHwnd());
    const POINT middle{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ASSERT_TRUE(SendInputs({MouseMoveTo(middle), LeftDown(), LeftUp()}));
    ASSERT_TRUE(PumpUntil([&] { return selector.list()->IsWindowVisible() != FALSE; }));

    ChangeScale({0, 0});

    EXPECT_FALSE(selector.list()->IsWindowVisible());
    EXPECT_EQ(selector.list()->dpi(), after);
    const RECT scaledButton = ScreenRectOf(selector.GetSafeHwnd());
    ASSERT_TRUE(SendInputs({MouseMoveTo({(scaledButton.left + scaledButton.right) / 2,
                                         (scaledButton.top + scaledButton.bottom) / 2}),
                            LeftDown(), LeftUp()}));
    ASSERT_TRUE(PumpUntil([&] { return selector.list()->IsWindowVisible() != FALSE; }));
    const RECT list = ScreenRectOf(selector.list()->GetSafeHwnd());
    EXPECT_EQ(list.right - list.left,
              (scaledButton.right - scaledButton.left) - layout::ScaleUnits(2, after));
    // Towards the right of the button, or towards the left near the screen's edge.
    EXPECT_TRUE(list.left == scaledButton.left || list.right == scaledButton.left)
        << list.left << " " << list.right << " " << scaledButton.left;
    selector.list()->Hide();
}

}  // namespace
}  // namespace vandir
