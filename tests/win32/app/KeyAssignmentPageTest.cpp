// The mouse-settings page in both faces, on the real main window over a
// simulated mouse: the selectors and their lists, push and collect, the
// choosing rules with their dialogs, hover lighting, tool tips, and the OS
// settings the sliders and a push write to the system.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "device/ConfigImage.h"
#include "device/DeviceCommands.h"
#include "model/FunctionCatalogue.h"
#include "model/FunctionSelection.h"
#include "pages/FunctionSelector.h"
#include "pages/MouseSettingsDlg.h"
#include "pages/PopDlg.h"
#include "skin/ControlNotifications.h"
#include "skin/KivButton.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/KivMenu.h"
#include "skin/KivSliderCtrl.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "storage/Profile.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/PngCapture.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/SystemCommandRecorder.h"

namespace vandir::testing {
namespace {

using Events = std::vector<std::string>;
using layout::kMouseButtonControls;

CKivComboButton& Selector(CKivPage& page, int button) {
    return page.Item<CKivComboButton>(kMouseButtonControls[static_cast<size_t>(button)].selector);
}

// A list entry chosen for the button, as the selector's list reports it.
void Choose(CKivPage& page, int button, FunctionId chosen) {
    CKivComboButton& selector = Selector(page, button);
    selector.SendMessage(WM_SYSCOMMAND, static_cast<WPARAM>(selector.GetDlgCtrlID()), chosen);
}

// Ends, from inside its modal loop, the next pop-up the page opens with the
// OK button okId, after typing number into its number field when given.
class PopupCloser {
public:
    explicit PopupCloser(int okId, const wchar_t* number = nullptr)
        : closer_([okId](HWND window) { return ::GetDlgItem(window, okId) != nullptr; },
                  [okId, number](HWND window) {
                      if (number != nullptr) {
                          ::SetDlgItemTextW(window, IDC_POPUP_NUMBER, number);
                      }
                      ClickButton(window, okId);
                  }) {}
    int closed() const { return closer_.closed(); }

private:
    ModalCloser closer_;
};

class KeyAssignmentPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.Start());
        keys = &app.window->page(PageId::KeyAssignment);
        os = &app.window->page(PageId::OsSensitivity);
    }
    MainWindowFixture app;
    CKivPage* keys = nullptr;
    CKivPage* os = nullptr;
};

TEST_F(KeyAssignmentPageTest, SelectorsStartWithTheDefaultsAndTheWholeList) {
    const FunctionId defaults[] = {1101, 1102, 1103, 1105, 1104, 2502, 2504};
    const wchar_t* captions[] = {L"Left Click",      L"Right Click",  L"Wheel Click",
                                 L"Browser Forward", L"Browser Back", L"DPI [+]",
                                 L"DPI [-]"};
    for (int b = 0; b < kButtons; ++b) {
        SCOPED_TRACE(b);
        const CKivComboButton& selector = Selector(*keys, b);
        EXPECT_EQ(selector.selectedValue(), defaults[b]);
        EXPECT_EQ(selector.caption(), captions[b]);
        ASSERT_NE(selector.list(), nullptr);
        // Every level of the catalogue's list: top, sub-list, third level.
        for (const FunctionId id : {0, 2000, 2208, 2212, 2301, 2311, 2315, 2400, 2505, 2700}) {
            EXPECT_NE(selector.list()->FindItem(id), nullptr) << id;
        }
    }
    // The OS face shows none of them.
    EXPECT_FALSE(::IsWindowVisible(os->GetDlgItem(IDC_MS_SELECTOR_1)));
}

// Every kind of stored function goes into the selectors and comes back out
// as it was.
TEST_F(KeyAssignmentPageTest, PushThenCollectGivesBackEveryKindOfFunction) {
    MouseSettings record = app.window->settings();
    const FunctionSelection selections[] = {
        {2000, u"", 'A', 1, 'B', 1 | 2},  // Ctrl+Shift+A+B
        {2205, u"", -1, 1, -1, -1},       // Volume Up
        {2312, u"", 1, 9, -1, -1},        // rapid-fire right click, 9 times
        {2400, u"", 'K', 5, -1, -1},      // rapid-fire K, 5 times
        {2503, u"", -1, 1, -1, -1},       // DPI Cycle[+]
        {0, u"", -1, 1, -1, -1},          // Disable
        {1101, u"", -1, 1, -1, -1},       // Left Click
    };
    for (int b = 0; b < kButtons; ++b) {
        StoreFunction(selections[b], b, record.buttons[static_cast<size_t>(b)]);
    }
    keys->PushSettings(record);
    EXPECT_EQ(Selector(*keys, 0).selectedValue(), 2000);
    EXPECT_EQ(Selector(*keys, 0).caption(), L"Ctrl+Shift+A+B");
    EXPECT_EQ(Selector(*keys, 1).caption(), L"Volume Up");
    EXPECT_EQ(Selector(*keys, 5).caption(), L"Disable");

    MouseSettings collected = app.window->settings();
    keys->CollectSettings(collected);
    for (int b = 0; b < kButtons; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(collected.buttons[static_cast<size_t>(b)],
                  record.buttons[static_cast<size_t>(b)]);
    }
}

TEST_F(KeyAssignmentPageTest, TheLastLeftClickStaysAndANoticeSaysSo) {
    {
        PopupCloser closer(IDC_POPUP_OK);
        Choose(*keys, 0, 0);  // Disable for the only Left Click
        EXPECT_EQ(closer.closed(), 1);
    }
    EXPECT_EQ(Selector(*keys, 0).selectedValue(), 1101);
    EXPECT_EQ(Selector(*keys, 0).caption(), L"Left Click");

    Choose(*keys, 0, 1101);  // the same function: nothing opens
    Choose(*keys, 2, 1101);  // a second Left Click
    EXPECT_EQ(Selector(*keys, 2).caption(), L"Left Click");
    {
        PopupCloser closer(IDC_POPUP_OK);
        Choose(*keys, 0, 0);
        EXPECT_EQ(closer.closed(), 0) << "no notice now";
    }
    EXPECT_EQ(Selector(*keys, 0).selectedValue(), 0);
    EXPECT_EQ(Selector(*keys, 0).caption(), L"Disable");
}

// A choice that needs values opens its dialog, whose result (never the
// list's own text) the selector then holds; a dialog left without a result
// leaves the selector as it was.
TEST_F(KeyAssignmentPageTest, ChoicesWithValuesTakeTheirDialogsResultOrNothing) {
    CKivComboButton& selector = Selector(*keys, 3);
    const FunctionSelection before = SelectionOf(selector);
    {
        PopupCloser closer(IDC_POPUP_OK);  // no number: no result
        Choose(*keys, 3, 2311);
        EXPECT_EQ(closer.closed(), 1);
    }
    EXPECT_EQ(SelectionOf(selector), before);
    {
        PopupCloser closer(IDC_KEYS_OK);  // the key capture dialog, nothing entered
        Choose(*keys, 3, 2000);
        EXPECT_EQ(closer.closed(), 1);
    }
    EXPECT_EQ(SelectionOf(selector), before);
    EXPECT_TRUE(selector.captionFollowsSelection()) << "each veto is for one choice";
    {
        PopupCloser closer(IDC_POPUP_OK, L"9");
        Choose(*keys, 3, 2311);
        EXPECT_EQ(closer.closed(), 1);
    }
    EXPECT_EQ(selector.selectedValue(), 2311);
    EXPECT_EQ(selector.rapidFireCount(), 9);
    EXPECT_NE(selector.caption(), L"Left Click") << "the list's own text was vetoed";

    // A plain choice is taken by the selector itself.
    Choose(*keys, 3, 2208);
    EXPECT_EQ(selector.selectedValue(), 2208);
    EXPECT_EQ(selector.caption(), L"Web Browser");
}

TEST_F(KeyAssignmentPageTest, SelectorTipsNameTheFunctionInTheAppliedLanguage) {
    app.window->ApplyLanguageToAll(3);
    const CWnd& second = Selector(*keys, 1);
    Choose(*keys, 1, 1102);
    EXPECT_EQ(keys->toolTips().GetText(second), L"Rechtsklick");
    {
        PopupCloser closer(IDC_POPUP_OK);
        Choose(*keys, 0, 1103);  // refused: the only Left Click
    }
    EXPECT_EQ(keys->toolTips().GetText(Selector(*keys, 0)), L"Linksklick");
    EXPECT_EQ(keys->toolTips().GetText(keys->Item<CKivButton>(IDC_MS_RESET)), L"Zurücksetzen");

    // In English no control of either face has a tip.
    app.window->ApplyLanguageToAll(1);
    for (CKivPage* page : {keys, os}) {
        for (const int id : {IDC_MS_SELECTOR_1, IDC_MS_SELECTOR_2, IDC_MS_TAB_KEYS, IDC_MS_APPLY}) {
            EXPECT_EQ(page->toolTips().GetText(*CWnd::FromHandle(page->GetDlgItem(id))), L"") << id;
        }
    }
}

TEST_F(KeyAssignmentPageTest, PointingAtAButtonsControlLightsItsHotSpotAndBadge) {
    const layout::MouseButtonControls& third = kMouseButtonControls[2];
    for (const int pointed : {third.badge, third.selector, third.hotSpot}) {
        SCOPED_TRACE(pointed);
        keys->SendMessage(WM_SYSCOMMAND, kMouseEntered, pointed);
        EXPECT_TRUE(keys->Item<CKivButton>(third.hotSpot).selected());
        EXPECT_TRUE(keys->Item<CKivButton>(third.badge).selected());
        EXPECT_FALSE(keys->Item<CKivButton>(kMouseButtonControls[1].badge).selected());
        keys->SendMessage(WM_SYSCOMMAND, kMouseLeft, pointed);
        EXPECT_FALSE(keys->Item<CKivButton>(third.hotSpot).selected());
        EXPECT_FALSE(keys->Item<CKivButton>(third.badge).selected());
    }
}

TEST_F(KeyAssignmentPageTest, AListClosingKeepsTheMainWindowOnTopMeanwhileAndEnterDoesNothing) {
    app.window->BuildNextPiece();  // the icon, as the running program has it
    const auto topmost = [&] {
        return (::GetWindowLongW(app.window->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    keys->SendMessage(WM_SYSCOMMAND, kListHiding, 1);
    EXPECT_TRUE(topmost());
    keys->SendMessage(WM_SYSCOMMAND, kListHiding, 0);
    EXPECT_FALSE(topmost());

    keys->SendMessage(WM_COMMAND, IDOK, 0);
    keys->SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(keys->IsWindowVisible());
}

TEST_F(KeyAssignmentPageTest, APressOnTheMainWindowsBackgroundClosesAnOpenList) {
    CKivMenu* list = Selector(*keys, 4).list();
    ASSERT_NE(list, nullptr);
    list->ShowAt(CKivMenu::kTopLeft, 300, 300);
    ASSERT_TRUE(list->IsWindowVisible());
    SystemCommandRecorder recorder;  // the press also starts the window's drag
    ASSERT_TRUE(recorder.hooked());
    SystemCommandRecorder::PressAndRelease(app.window->GetSafeHwnd(), {400, 30});
    EXPECT_FALSE(list->IsWindowVisible());
}

// --- OS sensitivity ---------------------------------------------------------

TEST(OsSensitivityFace, SettingUpSetsTheDoubleClickTimeForTheSessionOnly) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start(MainWindowFixture::Started::JustShown));
    app.log.Clear();
    CKivPage& os = app.window->page(PageId::OsSensitivity);  // built and pushed now
    const Events events = app.log.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "double-click 4 (session)") << "the set-up's own notice";
    for (const std::string& event : events) {
        EXPECT_EQ(event.find("pointer speed"), std::string::npos) << event;
    }
    EXPECT_TRUE(os.Item<CKivCheckBox>(IDC_MS_POLL_1000).checked());
}

TEST_F(KeyAssignmentPageTest, SlidersWriteTheSystemAsTheyMove) {
    app.log.Clear();
    os->SendMessage(WM_SYSCOMMAND, IDC_MS_POINTER_SPEED, 11);
    os->SendMessage(WM_SYSCOMMAND, IDC_MS_DOUBLE_CLICK, 7);
    os->SendMessage(WM_SYSCOMMAND, IDC_MS_RESPONSE, 20);
    EXPECT_EQ(app.log.Events(), (Events{"pointer speed 11 (session)", "double-click 7 (session)"}));
    // The response time offers 4, 8, ..., 32 only.
    const CKivSliderCtrl& response = os->Item<CKivSliderCtrl>(IDC_MS_RESPONSE);
    EXPECT_EQ(response.minimum(), 4);
    EXPECT_EQ(response.maximum(), 32);
    EXPECT_EQ(response.step(), 4);
}

TEST_F(KeyAssignmentPageTest, ALockedPushKeepsAnEqualPointerSpeedAndSavesTheDoubleClickTime) {
    MouseSettings record = app.window->settings();
    record.osSettingsUnlocked = 0;
    record.pointerSpeed = 6;  // speed 10, as the system has it
    record.doubleClickSpeed = 5;
    app.system.pointerSpeed = 10;
    app.log.Clear();
    os->PushSettings(record);
    EXPECT_EQ(app.log.Events(), (Events{"double-click 5", "double-click 5 (session)"}));
    EXPECT_TRUE(os->Item<CKivCheckBox>(IDC_MS_LOCK).checked());
    EXPECT_FALSE(os->Item<CKivCheckBox>(IDC_MS_UNLOCK).checked());

    // Another system speed is replaced and saved; the moved slider follows.
    record.pointerSpeed = 9;
    app.log.Clear();
    os->PushSettings(record);
    EXPECT_EQ(app.log.Events(),
              (Events{"pointer speed 9", "double-click 5", "pointer speed 9 (session)"}));

    // Unlocked: nothing is saved, the sliders still reach the system.
    record.osSettingsUnlocked = 1;
    record.pointerSpeed = 2;
    app.log.Clear();
    os->PushSettings(record);
    EXPECT_EQ(app.log.Events(), (Events{"pointer speed 2 (session)"}));
    EXPECT_FALSE(os->Item<CKivCheckBox>(IDC_MS_LOCK).checked());
    EXPECT_TRUE(os->Item<CKivCheckBox>(IDC_MS_UNLOCK).checked());
}

TEST_F(KeyAssignmentPageTest, PollingRateAndLockPushCollectAndClicks) {
    MouseSettings record = app.window->settings();
    const struct {
        uint8_t rate;
        int checked;  // 0 for none
    } cases[] = {{8, IDC_MS_POLL_125},
                 {4, IDC_MS_POLL_250},
                 {2, IDC_MS_POLL_500},
                 {1, IDC_MS_POLL_1000},
                 {3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rate));
        record.reportRate = c.rate;
        os->PushSettings(record);
        for (const int box :
             {IDC_MS_POLL_125, IDC_MS_POLL_250, IDC_MS_POLL_500, IDC_MS_POLL_1000}) {
            EXPECT_EQ(os->Item<CKivCheckBox>(box).checked(), box == c.checked) << box;
        }
        MouseSettings collected = record;
        os->CollectSettings(collected);
        EXPECT_EQ(collected.reportRate, c.rate) << "none checked keeps the value";
    }
    // A click checks only the clicked box; Lock and Unlock exclude each other.
    for (const int clicked : {IDC_MS_POLL_250, IDC_MS_LOCK, IDC_MS_UNLOCK}) {
        os->SendMessage(WM_COMMAND, MAKEWPARAM(clicked, BN_CLICKED),
                        reinterpret_cast<LPARAM>(os->GetDlgItem(clicked)));
    }
    MouseSettings collected = record;
    os->CollectSettings(collected);
    EXPECT_EQ(collected.reportRate, 4);
    EXPECT_EQ(collected.osSettingsUnlocked, 1);
    EXPECT_FALSE(os->Item<CKivCheckBox>(IDC_MS_LOCK).checked());
}

// After Apply the profile and the mouse carry what the page shows.
TEST_F(KeyAssignmentPageTest, ApplyWritesTheChosenFunctionsAndOsSettings) {
    Choose(*keys, 4, 2207);  // Mute Speaker
    os->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MS_POLL_500, BN_CLICKED),
                    reinterpret_cast<LPARAM>(os->GetDlgItem(IDC_MS_POLL_500)));
    os->Item<CKivSliderCtrl>(IDC_MS_RESPONSE).SetPos(24, true);
    app.window->Apply();
    app.window->WaitForApply();
    const MouseSettings& applied = app.window->settings();
    EXPECT_EQ(applied.reportRate, 2);
    EXPECT_EQ(applied.buttonResponse, 24);
    FunctionSelection shown;
    ShowFunction(applied.buttons[4], shown);
    EXPECT_EQ(shown.functionId, 2207);

    // The profile and the mouse: the same function and OS settings.
    const auto functionOf = [](const ButtonAssignment& assignment) {
        FunctionSelection selection;
        ShowFunction(assignment, selection);
        return selection.functionId;
    };
    MouseSettings stored = MouseSettings::CreateWithDefaults();
    stored.profilePath = applied.profilePath;
    ASSERT_EQ(LoadProfile(stored, app.files), ProfileLoadResult::Loaded);
    EXPECT_EQ(functionOf(stored.buttons[4]), 2207);
    EXPECT_EQ(stored.reportRate, 2);  // the profile has no response time
    DeviceConfig config{};
    ASSERT_EQ(ReadConfiguration(app.transport, config), 1);
    MouseSettings fromMouse = MouseSettings::CreateWithDefaults();
    ApplyDeviceConfig(config, fromMouse);
    EXPECT_EQ(functionOf(fromMouse.buttons[4]), 2207);
    EXPECT_EQ(fromMouse.reportRate, 2);
    EXPECT_EQ(fromMouse.buttonResponse, 24);
}

// With VANDIR_APP_SCREENSHOTS naming a folder, the key-assignment face with a
// selector's list open below it, and the OS face, are saved there.
TEST_F(KeyAssignmentPageTest, AListOpensBelowItsSelectorOverThePage) {
    const auto folder = ScreenshotPath(L"VANDIR_APP_SCREENSHOTS");
    CKivComboButton& selector = Selector(*keys, 1);
    CKivMenu* list = selector.list();
    ASSERT_NE(list, nullptr);
    const RECT button = selector.GetWindowRect();
    list->ShowAt(CKivMenu::kTopLeft, button.left, button.bottom);
    PumpUntil([] { return false; }, 200);
    ASSERT_TRUE(list->IsWindowVisible());
    const RECT shown = list->GetWindowRect();
    EXPECT_EQ(shown.left, button.left);
    EXPECT_EQ(shown.top, button.bottom);
    if (folder) {
        SavePng(CaptureScreen(app.window->GetWindowRect()).Get(),
                *folder + L"\\keys-list-open.png");
    }
    list->Hide();
    app.window->ShowPage(PageId::OsSensitivity);
    PumpUntil([] { return false; }, 200);
    EXPECT_TRUE(os->IsWindowVisible());
    if (folder) {
        SavePng(CaptureScreen(app.window->GetWindowRect()).Get(),
                *folder + L"\\os-sensitivity.png");
    }
}

}  // namespace
}  // namespace vandir::testing
