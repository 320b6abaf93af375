// The sensor page on the real main window: the DPI sliders' steps while
// dragged, push and collect of the levels and the lift-off distance, and what
// an Apply then leaves in the profile and in the mouse.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "pages/SensorDlg.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/layout/ResourceIds.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/app/PageTestSupport.h"
#include "win32/windows/SystemCommandRecorder.h"

namespace vandir::testing {
namespace {

constexpr int kRow = 8;  // a row through the sliders' middle

std::wstring LabelText(CKivPage& page, int id) {
    const auto& text = page.Item<CKivStatic>(id).text();
    return text ? *text : L"(none)";
}

// A press at the slider's left end, a move over every column with the button
// held, and the release at the right end; the label's text after each step.
std::vector<std::wstring> DragAcross(CKivSliderCtrl& slider, CKivPage& page, int label) {
    const int width = slider.GetClientRect().right;
    std::vector<std::wstring> shown;
    slider.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, kRow));
    shown.push_back(LabelText(page, label));
    for (int x = 0; x < width; ++x) {
        slider.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, kRow));
        shown.push_back(LabelText(page, label));
    }
    slider.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(width - 1, kRow));
    shown.push_back(LabelText(page, label));
    return shown;
}

TEST(SensorPage, ADragShowsEveryStepOnTheWayAndApplyWritesWhereItEnded) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    ShowOnTop(window, Activation::Take);
    window.ShowPage(PageId::Sensor);
    CKivPage& page = window.page(PageId::Sensor);

    const std::vector<std::wstring> shown =
        DragAcross(page.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_2), page, IDC_SENSOR_VALUE_2);

    // The label changes with each new step while the button is held, and
    // shows nothing between the steps.
    std::vector<std::wstring> changes;
    for (const std::wstring& text : shown) {
        if (changes.empty() || changes.back() != text) {
            changes.push_back(text);
        }
    }
    std::vector<std::wstring> steps;
    for (int dpi = 250; dpi <= 3500; dpi += 250) {
        steps.push_back(std::to_wstring(dpi));
    }
    EXPECT_EQ(changes, steps);
    EXPECT_EQ(page.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_2).GetPos(), 3500);
    SaveScreenshot(window, L"sensor-after-drag");

    // The record takes the drag only when the page is collected.
    EXPECT_EQ(window.settings().dpi[1], (DpiPair{1250, 1250}));
    window.Apply();
    window.WaitForApply();
    EXPECT_EQ(window.settings().dpi[1], (DpiPair{3500, 3500}));
    EXPECT_EQ(SavedProfile(app).dpi[1], (DpiPair{3500, 3500}));
    const DeviceConfig mouse = MouseConfig(app);
    EXPECT_EQ(mouse.levels[1].x, 3500);
    EXPECT_EQ(mouse.levels[1].y, 3500);
}

TEST(SensorPage, PushedValuesComeBackAsTheyCameWithYFollowingX) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CPYLADlg& window = *app.window;
    CKivPage& page = window.page(PageId::Sensor);
    MouseSettings pushed = window.settings();
    // 1234 is no step of the slider; level 2 has y apart from x.
    pushed.dpi = {{{1234, 1234}, {750, 250}, {-3, 3500}}};
    pushed.liftOff = 1;
    page.PushSettings(pushed);

    const struct {
        int slider;
        int label;
        int position;
        const wchar_t* text;
    } levels[] = {{IDC_SENSOR_DPI_1, IDC_SENSOR_VALUE_1, 1234, L"1234"},
                  {IDC_SENSOR_DPI_2, IDC_SENSOR_VALUE_2, 750, L"750"},
                  {IDC_SENSOR_DPI_3, IDC_SENSOR_VALUE_3, -3, L"-3"}};
    for (const auto& level : levels) {
        SCOPED_TRACE(level.slider);
        EXPECT_EQ(page.Item<CKivSliderCtrl>(level.slider).GetPos(), level.position);
        EXPECT_EQ(LabelText(page, level.label), level.text);
    }
    EXPECT_EQ(page.Item<CKivSliderCtrl>(IDC_SENSOR_LIFT_OFF).GetPos(), 1);

    // The collect writes only the page's fields.
    MouseSettings collected = MouseSettings::CreateWithDefaults();
    page.CollectSettings(collected);
    MouseSettings expected = MouseSettings::CreateWithDefaults();
    expected.dpi = {{{1234, 1234}, {750, 750}, {-3, -3}}};
    expected.liftOff = 1;
    EXPECT_EQ(collected, expected);

    // Through Apply into the profile and the mouse.
    window.Apply();
    window.WaitForApply();
    EXPECT_EQ(window.settings().dpi, expected.dpi);
    EXPECT_EQ(SavedProfile(app).dpi, expected.dpi);
    const DeviceConfig mouse = MouseConfig(app);
    EXPECT_EQ(mouse.levels[0].x, 1234);
    EXPECT_EQ(mouse.levels[0].y, 1234);
    EXPECT_EQ(mouse.levels[1].y, 750);
    EXPECT_EQ(mouse.liftOff, 1);

    // Once the user moves the slider, its steps count again.
    page.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_1)
        .SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, kRow));
    page.CollectSettings(collected);
    EXPECT_EQ(collected.dpi[0], (DpiPair{250, 250}));
    EXPECT_EQ(LabelText(page, IDC_SENSOR_VALUE_1), L"250");
}

TEST(SensorPage, APushNotifiesOnlyForSlidersItMoves) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& page = app.window->page(PageId::Sensor);
    MouseSettings record = app.window->settings();
    page.PushSettings(record);
    SystemCommandRecorder recorder;
    ASSERT_TRUE(recorder.hooked());
    page.PushSettings(record);
    EXPECT_TRUE(recorder.received().empty());
    record.dpi[2].x = 2000;
    record.liftOff = 2;
    page.PushSettings(record);
    EXPECT_EQ(recorder.received(), (std::vector<WPARAM>{IDC_SENSOR_DPI_3, IDC_SENSOR_LIFT_OFF}));
    EXPECT_EQ(LabelText(page, IDC_SENSOR_VALUE_3), L"2000");
}

TEST(SensorPage, AnalyzeSurfaceStaysHiddenAndEnterOrEscChangeNothing) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    app.window->ShowPage(PageId::Sensor);
    CKivPage& page = app.window->page(PageId::Sensor);
    EXPECT_FALSE(::IsWindowVisible(page.GetDlgItem(IDC_SENSOR_ANALYZE)));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SENSOR_ANALYZE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_SENSOR_ANALYZE)));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(page.IsWindowVisible());
    MouseSettings collected = app.window->settings();
    page.CollectSettings(collected);
    EXPECT_EQ(collected, app.window->settings());
}

TEST(SensorPage, AnchorsShowTheTranslationOfThePrintedWords) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    CKivPage& page = app.window->page(PageId::Sensor);
    const CWnd& liftOff = page.Item<CKivStatic>(IDC_SENSOR_ANCHOR_LIFT_OFF);
    const CWnd& level1 = page.Item<CKivStatic>(IDC_SENSOR_ANCHOR_DPI_1);
    EXPECT_EQ(page.toolTips().GetText(liftOff), L"");
    app.window->ApplyLanguageToAll(2);
    EXPECT_EQ(page.toolTips().GetText(liftOff), L"Distance soulèvement");
    EXPECT_EQ(page.toolTips().GetText(level1), L"Niveau DPI 1");
    app.window->ApplyLanguageToAll(13);  // no language: unchanged
    EXPECT_EQ(page.toolTips().GetText(liftOff), L"Distance soulèvement");
}

}  // namespace
}  // namespace vandir::testing
