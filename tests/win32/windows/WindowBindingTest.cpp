// A window built from its layout table: every row's control bound, placed,
// skinned and set up, the hidden controls hidden, and the looks the screen
// shows cut from the sheets the table names.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <array>
#include <stdexcept>
#include <string>

#include "i18n/SensorPageToolTips.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivMouseStatic.h"
#include "skin/KivSliderCtrl.h"
#include "skin/KivStatic.h"
#include "skin/KivWindow.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/LedLayout.h"
#include "skin/layout/SensorLayout.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/OnTop.h"
#include "win32/windows/EventPrinting.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SkinFixture.h"
#include "win32/windows/WindowTestDialogs.h"

namespace vandir {
namespace {

using layout::Control;

const Control& RowOf(const layout::WindowLayout& window, int id) {
    const Control* row = layout::FindControl(window, id);
    if (row == nullptr) {
        throw std::logic_error("no such row");
    }
    return *row;
}

// Rows of the real tables, one of every kind, and one whose control the
// template lacks.
const std::array kRows{
    RowOf(layout::kSensorPage, IDC_SENSOR_RESET),
    RowOf(layout::kSensorPage, IDC_SENSOR_DPI_1),
    RowOf(layout::kSensorPage, IDC_SENSOR_ANCHOR_DPI_1),
    RowOf(layout::kSensorPage, IDC_SENSOR_VALUE_1),
    RowOf(layout::kLedPage, IDC_LED_MODE_ON),
    RowOf(layout::kLedPage, IDC_LED_RED_EDIT),
    RowOf(layout::kLedPage, IDC_LED_PREVIEW),
    RowOf(layout::kKeyAssignment, IDC_MS_SELECTOR_1),
    layout::PushButton(IDC_BINDING_NOT_IN_TEMPLATE, {700, 10, 20, 20}, layout::Sheet::SensorNormal,
                       layout::Sheet::SensorDown),
};
const std::array kHidden{IDC_SENSOR_ANALYZE};

const layout::WindowLayout kBindingTest{
    .name = "binding test",
    .templateId = IDD_BINDING_TEST,
    .background = layout::Sheet::SensorNormal,
    .controls = kRows,
    .hiddenIds = kHidden,
};

class BindingTestWindow : public CKivWindow {
public:
    explicit BindingTestWindow(SkinContext& context, ToolTipTable toolTips = {})
        : CKivWindow(kBindingTest, context, nullptr, toolTips) {}

    std::vector<ControlEvent> events;
    std::vector<layout::ControlRole> roles;

protected:
    void OnControlEvent(const ControlEvent& event) override { events.push_back(event); }
    void OnRoleClicked(layout::ControlRole role) override { roles.push_back(role); }
};

class WindowBinding : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Create());
        ShowOnTop(window, Activation::Take);
    }
    void TearDown() override {
        ReleaseHeldInput();
        window.DestroyWindow();
    }

    RECT ClientRectOf(int id) const {
        RECT r = ScreenRectOf(window.GetDlgItem(id));
        ::MapWindowPoints(nullptr, window.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    SkinFixture fixture;
    BindingTestWindow window{fixture.context};
};

TEST_F(WindowBinding, EveryRowIsBoundToItsTemplateControlAndPlaced) {
    const auto expectBound = [&](int id, CWnd& control) {
        SCOPED_TRACE(id);
        EXPECT_EQ(CWnd::FromHandle(window.GetDlgItem(id)), &control);
        const Control& row = *layout::FindControl(kBindingTest, id);
        const RECT r = ClientRectOf(id);
        EXPECT_EQ(r.left, row.rect.x);
        EXPECT_EQ(r.top, row.rect.y);
        EXPECT_EQ(r.right - r.left, row.rect.width);
        EXPECT_EQ(r.bottom - r.top, row.rect.height);
    };
    expectBound(IDC_SENSOR_RESET, window.Item<CKivButton>(IDC_SENSOR_RESET));
    expectBound(IDC_SENSOR_DPI_1, window.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_1));
    expectBound(IDC_SENSOR_ANCHOR_DPI_1, window.Item<CKivStatic>(IDC_SENSOR_ANCHOR_DPI_1));
    expectBound(IDC_SENSOR_VALUE_1, window.Item<CKivStatic>(IDC_SENSOR_VALUE_1));
    expectBound(IDC_LED_MODE_ON, window.Item<CKivCheckBox>(IDC_LED_MODE_ON));
    expectBound(IDC_LED_RED_EDIT, window.Item<CKivEdit>(IDC_LED_RED_EDIT));
    expectBound(IDC_LED_PREVIEW, window.Item<CKivMouseStatic>(IDC_LED_PREVIEW));
    expectBound(IDC_MS_SELECTOR_1, window.Item<CKivComboButton>(IDC_MS_SELECTOR_1));

    // The window has the size of its background sheet.
    const RECT client = window.GetClientRect();
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 515);
    EXPECT_TRUE(fixture.failures.empty());
}

TEST_F(WindowBinding, RowsSetRangeFontAndStyle) {
    const CKivSliderCtrl& slider = window.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_1);
    EXPECT_EQ(slider.minimum(), 250);
    EXPECT_EQ(slider.maximum(), 3500);
    EXPECT_EQ(slider.step(), 250);
    EXPECT_EQ(slider.GetPos(), 500);

    const auto fontHeight = [](HFONT font) {
        LOGFONTW logFont{};
        ::GetObjectW(font, sizeof(logFont), &logFont);
        return logFont.lfHeight;
    };
    const CKivStatic& label = window.Item<CKivStatic>(IDC_SENSOR_VALUE_1);
    EXPECT_EQ(fontHeight(label.font()), 16);
    EXPECT_TRUE(label.centred());
    EXPECT_EQ(fontHeight(window.Item<CKivEdit>(IDC_LED_RED_EDIT).font()), 16);

    // Anchors receive the mouse for their tool tips; value labels do not.
    EXPECT_NE(window.Item<CKivStatic>(IDC_SENSOR_ANCHOR_DPI_1).GetStyle() & SS_NOTIFY, 0u);
    EXPECT_FALSE(window.Item<CKivStatic>(IDC_SENSOR_ANCHOR_DPI_1).centred());
}

TEST_F(WindowBinding, HiddenTemplateControlsAreHiddenAndTheRestShown) {
    EXPECT_FALSE(::IsWindowVisible(window.GetDlgItem(IDC_SENSOR_ANALYZE)));
    for (const Control& row : kRows) {
        if (const HWND control = window.GetDlgItem(row.id)) {
            EXPECT_TRUE(::IsWindowVisible(control)) << row.id;
        }
    }
}

TEST_F(WindowBinding, ARowWithoutTemplateControlStaysUnbound) {
    EXPECT_EQ(window.GetDlgItem(IDC_BINDING_NOT_IN_TEMPLATE), nullptr);
    EXPECT_EQ(window.Item<CKivButton>(IDC_BINDING_NOT_IN_TEMPLATE).GetSafeHwnd(), nullptr);
}

TEST_F(WindowBinding, AskingForAControlAsAnotherClassOrAnUnknownIdThrows) {
    EXPECT_THROW(window.Item<CKivButton>(IDC_SENSOR_DPI_1), std::logic_error);
    EXPECT_THROW(window.Item<CKivSliderCtrl>(4242), std::logic_error);
}

TEST_F(WindowBinding, TheScreenShowsTheSheetsTheTableNames) {
    // Normal looks: the window shows its sheets where the controls sit.
    const Control& reset = RowOf(kBindingTest, IDC_SENSOR_RESET);
    const RECT resetOnScreen = ScreenRectOf(window.GetDlgItem(IDC_SENSOR_RESET));
    EXPECT_TRUE(ScreenShowsSheet(resetOnScreen, fixture.skins.Sheet(layout::Sheet::SensorNormal),
                                 reset.rect.x, reset.rect.y));

    // Hover looks come from the Down sheets: a crop of the sheet (Reset) and
    // a skin element (the mode box, element 82).
    for (const int id : {IDC_SENSOR_RESET, IDC_LED_MODE_ON}) {
        SCOPED_TRACE(id);
        const Control& row = RowOf(kBindingTest, id);
        const RECT onScreen = ScreenRectOf(window.GetDlgItem(id));
        ASSERT_TRUE(SendInputs({MouseMoveTo(
            {(onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2})}));
        ASSERT_TRUE(PumpUntil([&] {
            return ScreenShowsSheet(onScreen,
                                    fixture.skins.Sheet(row.look(layout::ImageState::Hover).sheet),
                                    row.rect.x, row.rect.y);
        }));
    }
    EXPECT_TRUE(fixture.failures.empty());
}

TEST_F(WindowBinding, ClicksAndNotificationsArriveAsEvents) {
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MS_SELECTOR_1, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(IDC_MS_SELECTOR_1)));
    window.Item<CKivSliderCtrl>(IDC_SENSOR_DPI_1).SetPos(1750, true);
    window.SendMessage(WM_SYSCOMMAND, 2234, 1);
    EXPECT_EQ(window.events,
              (std::vector<ControlEvent>{{ControlEvent::Kind::Clicked, IDC_MS_SELECTOR_1},
                                         {ControlEvent::Kind::Moved, IDC_SENSOR_DPI_1, 1750},
                                         {ControlEvent::Kind::ListClosing, 0, 1}}));
    // A control with a role reports its role instead.
    window.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SENSOR_RESET, BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.GetDlgItem(IDC_SENSOR_RESET)));
    EXPECT_EQ(window.roles, std::vector<layout::ControlRole>{layout::ControlRole::Reset});
    EXPECT_EQ(window.events.size(), 3u);
}

// Deferred tips are made when asked for, not with the window, and take the
// language given before they existed.
TEST(WindowToolTips, DeferredTipsComeWhenAskedForInTheLanguageGivenBefore) {
    SkinFixture fixture;
    BindingTestWindow window(fixture.context, SensorPageToolTips());
    window.DeferToolTips();
    ASSERT_TRUE(window.Create());
    // The tool-tip windows the test window owns.
    const auto tipWindows = [&window] {
        struct Search {
            HWND owner;
            int count;
        } search{window.GetSafeHwnd(), 0};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND candidate, LPARAM context) {
                auto* s = reinterpret_cast<Search*>(context);
                wchar_t name[32] = {};
                ::GetClassNameW(candidate, name, 32);
                if (std::wstring(name) == TOOLTIPS_CLASSW &&
                    ::GetWindow(candidate, GW_OWNER) == s->owner) {
                    ++s->count;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.count;
    };
    EXPECT_EQ(tipWindows(), 0);
    window.ApplyLanguage(3);
    EXPECT_EQ(tipWindows(), 0);
    window.SetUpToolTips();
    EXPECT_EQ(tipWindows(), 1);
    const CWnd& reset = window.Item<CKivButton>(IDC_SENSOR_RESET);
    EXPECT_EQ(window.toolTips().GetText(reset), L"Zurücksetzen");
    window.SetUpToolTips();
    EXPECT_EQ(tipWindows(), 1);  // once
    window.DestroyWindow();
}

// The sensor page's tips on the test window: the rows whose controls the
// window has become tools, with their English set-up texts, and a language
// index sets them all.
TEST(WindowToolTips, RegisteredFromTheTextTableAndSetByLanguage) {
    SkinFixture fixture;
    BindingTestWindow window(fixture.context, SensorPageToolTips());
    ASSERT_TRUE(window.Create());
    const CToolTipCtrl& tips = window.toolTips();
    ASSERT_NE(tips.GetSafeHwnd(), nullptr);
    const CWnd& anchor = window.Item<CKivStatic>(IDC_SENSOR_ANCHOR_DPI_1);
    const CWnd& reset = window.Item<CKivButton>(IDC_SENSOR_RESET);
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(tips.GetText(anchor), L"DPI level 1");
    EXPECT_EQ(tips.GetText(reset), L"Reset");

    window.ApplyLanguage(2);
    EXPECT_EQ(tips.GetText(anchor), L"Niveau DPI 1");
    window.ApplyLanguage(1);  // English tips are empty: none shows
    EXPECT_EQ(tips.GetText(anchor), L"");
    EXPECT_EQ(tips.GetText(reset), L"");
    window.ApplyLanguage(3);
    EXPECT_EQ(tips.GetText(anchor), L"DPI-Ebene 1");
    // Outside 1..12 nothing changes.
    for (const int language : {0, 13, -1}) {
        window.ApplyLanguage(language);
        EXPECT_EQ(tips.GetText(anchor), L"DPI-Ebene 1") << language;
    }
    window.DestroyWindow();
}

TEST(WindowBindingFailure, AMissingSheetIsReportedOnceAndTheWindowStillBuilds) {
    SkinFixture fixture(L"C:\\no such folder\\");
    BindingTestWindow window(fixture.context);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(fixture.failures, std::vector<std::wstring>{L"ui load failed!"});
    EXPECT_EQ(fixture.quitRequests, 1);
    EXPECT_EQ(CWnd::FromHandle(window.GetDlgItem(IDC_SENSOR_RESET)),
              &window.Item<CKivButton>(IDC_SENSOR_RESET));
    window.DestroyWindow();
}

}  // namespace
}  // namespace vandir
