// The main window as a person uses it, with real keys and clicks through the
// program's own modal loop: Enter and Esc on the no-device screen, on the
// language page and on the window itself; a choice's dialog keeps the window
// behind it out of reach, and ends when the mouse is pulled out.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <dbt.h>

#include <string>

#include "pages/MouseSettingsDlg.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/layout/KeyAssignmentLayout.h"
#include "skin/layout/ResourceIds.h"
#include "win32/app/MainWindowFixture.h"
#include "win32/ui/InputInjection.h"
#include "win32/windows/DialogPump.h"
#include "win32/windows/ModalHelpers.h"

namespace vandir::testing {
namespace {

POINT CentreOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A left click at a screen point. The pointer is put there first, so that
// the X server's pointer agrees with the injected move (see KivMenuTest).
::testing::AssertionResult ClickAt(POINT at) {
    ::SetCursorPos(at.x, at.y);
    return SendInputs({MouseMoveTo(at), LeftDown(), LeftUp()});
}

// The visible window of this thread with a control of this ID: the dialog
// that a choice opened.
HWND FindDialogWith(int controlId) {
    struct Search {
        int id;
        HWND found;
    } search{controlId, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) {
            auto& s = *reinterpret_cast<Search*>(parameter);
            if (::IsWindowVisible(window) && ::GetDlgItem(window, s.id) != nullptr) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Checked(HWND box) {
    const auto* check = dynamic_cast<const CKivCheckBox*>(CWnd::FromHandle(box));
    return check != nullptr && check->checked();
}

void EndDialogWithoutChoice(HWND dialog) {
    if (dialog != nullptr && ::IsWindow(dialog)) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

CKivComboButton& Selector(CKivPage& page, int button) {
    return page.Item<CKivComboButton>(
        layout::kMouseButtonControls[static_cast<size_t>(button)].selector);
}

// A list entry chosen for the button, as the selector's list reports it; a
// choice with a dialog runs it modally before this returns.
void Choose(CKivPage& page, int button, FunctionId chosen) {
    CKivComboButton& selector = Selector(page, button);
    selector.SendMessage(WM_SYSCOMMAND, static_cast<WPARAM>(selector.GetDlgCtrlID()), chosen);
}

class MainWindowInput : public ::testing::Test {
protected:
    void TearDown() override { ReleaseHeldInput(); }
};

// The dialogs a choice opens, each found by its OK button.
struct ChoiceDialog {
    const char* what;
    FunctionId chosen;
    int okId;
    int clickableBox;  // a control the dialog's own click changes; 0: none
};
constexpr ChoiceDialog kChoiceDialogs[] = {
    {"key capture", 2000, IDC_KEYS_OK, IDC_KEYS_CTRL},
    {"rapid-fire key", 2400, IDC_POPUP_OK, 0},
    {"rapid-fire mouse", 2311, IDC_POPUP_OK, 0},
};

// While a choice's dialog is open the whole main window is disabled: a click
// on one of its tabs does nothing, and the dialog stays in front and in use.
TEST_F(MainWindowInput, AChoicesDialogDisablesTheWholeWindowBehindIt) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    CKivPage& keys = window.page(PageId::KeyAssignment);
    const std::wstring before = Selector(keys, 1).caption();
    const HWND ledTab = window.GetDlgItem(IDC_MAIN_TAB_LED);
    HWND dialog = nullptr;
    bool windowEnabled = true;
    bool pageEnabled = true;
    bool ledPageShown = true;
    ModalSteps steps({{[&] { return (dialog = FindDialogWith(IDC_KEYS_OK)) != nullptr; },
                       [&] {
                           windowEnabled = window.IsWindowEnabled() != FALSE;
                           pageEnabled = keys.IsWindowEnabled() != FALSE;
                           // The tab, then a box of the dialog: once the box shows the
                           // click, the click on the tab has been handled too.
                           EXPECT_TRUE(ClickAt(CentreOf(ledTab)));
                           EXPECT_TRUE(ClickAt(CentreOf(::GetDlgItem(dialog, IDC_KEYS_CTRL))));
                       }},
                      {[&] { return Checked(::GetDlgItem(dialog, IDC_KEYS_CTRL)); },
                       [&] {
                           ledPageShown = window.page(PageId::Led).IsWindowVisible() != FALSE;
                           EndDialogWithoutChoice(dialog);
                       }}},
                     [&] { EndDialogWithoutChoice(dialog); });
    Choose(keys, 1, 2000);
    EXPECT_TRUE(steps.finished()) << "step " << steps.stepsRun() << " never came";
    EXPECT_FALSE(windowEnabled) << "the main window stayed usable behind the dialog";
    EXPECT_TRUE(pageEnabled) << "only the top-level window is disabled";
    EXPECT_FALSE(ledPageShown) << "a click on the disabled window's tab switched pages";
    EXPECT_TRUE(window.IsWindowEnabled());
    EXPECT_TRUE(keys.IsWindowEnabled());
    EXPECT_EQ(Selector(keys, 1).caption(), before);
}

// Pulling the mouse out while a choice's dialog is open ends the dialog
// without a choice, its keyboard hook removed, before the window hides.
TEST_F(MainWindowInput, RemovingTheMouseEndsAChoicesDialogBeforeTheWindowHides) {
    for (const ChoiceDialog& c : kChoiceDialogs) {
        SCOPED_TRACE(c.what);
        MainWindowFixture app;
        ASSERT_TRUE(app.Start());
        TestMainWindow& window = *app.window;
        CKivPage& keys = window.page(PageId::KeyAssignment);
        const std::wstring before = Selector(keys, 3).caption();
        HWND dialog = nullptr;
        bool dialogAtHide = true;
        HWND hookAtHide = nullptr;
        window.onHide = [&] {
            dialogAtHide = dialog != nullptr && ::IsWindow(dialog);
            hookAtHide = app.hooks.KeyboardTarget();
        };
        ModalSteps steps({{[&] { return (dialog = FindDialogWith(c.okId)) != nullptr; },
                           [&] {
                               app.mouse.Unplug();
                               DeviceChange removal(kMousePath);
                               window.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                                                  removal.lParam());
                           }}},
                         [&] { EndDialogWithoutChoice(dialog); });
        Choose(keys, 3, c.chosen);
        window.onHide = nullptr;
        EXPECT_TRUE(steps.finished());
        EXPECT_FALSE(dialogAtHide) << "the dialog was still open when the window hid";
        EXPECT_EQ(hookAtHide, nullptr) << "its keyboard hook was still there";
        EXPECT_EQ(app.hooks.KeyboardTarget(), nullptr);
        EXPECT_FALSE(::IsWindow(dialog));
        EXPECT_FALSE(window.IsWindowVisible());
        EXPECT_TRUE(window.noDeviceScreen().IsWindowVisible());
        EXPECT_TRUE(window.IsWindowEnabled());
        EXPECT_EQ(Selector(keys, 3).caption(), before) << "no choice was made";
    }
}

// The no-device screen is a top-level window of its own; the keys reach it
// through the main window's loop.
TEST_F(MainWindowInput, EscAndEnterHideTheNoDeviceScreen) {
    for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        MainWindowFixture app(false);
        ASSERT_TRUE(app.Start());
        TestMainWindow& window = *app.window;
        window.Tick(CPYLADlg::kNoMouseTimer);
        CNoMouse& screen = window.noDeviceScreen();
        ASSERT_TRUE(screen.IsWindowVisible());
        ASSERT_TRUE(ToForeground(screen, window));
        ASSERT_TRUE(SendInputs(Tap(key)));
        EXPECT_TRUE(PumpDialogUntil(window, [&] { return !screen.IsWindowVisible(); }));
        EXPECT_TRUE(::IsWindow(screen.GetSafeHwnd())) << "hidden, not destroyed";
        EXPECT_FALSE(window.IsWindowVisible());
        // The icon's click brings it back while no mouse is there.
        window.SendMessage(2027, 0, WM_LBUTTONDOWN);
        window.WaitForMouseWork();  // the reading, done on a worker
        EXPECT_TRUE(screen.IsWindowVisible());
    }
}

// Esc or Enter with a language button focused hides the language page; its
// button in the main window shows it again, the selection as it was.
TEST_F(MainWindowInput, EscAndEnterHideTheLanguagePage) {
    for (const WORD key : {WORD{VK_ESCAPE}, WORD{VK_RETURN}}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        MainWindowFixture app;
        ASSERT_TRUE(app.Start());
        TestMainWindow& window = *app.window;
        ASSERT_TRUE(ToForeground(window, window));
        CKivPage& page = window.page(PageId::Language);
        const HWND languageButton = window.GetDlgItem(IDC_MAIN_LANGUAGE);
        ASSERT_TRUE(ClickAt(CentreOf(languageButton)));
        ASSERT_TRUE(PumpDialogUntil(window, [&] { return page.IsWindowVisible() != FALSE; }));
        const HWND french = page.GetDlgItem(IDC_LANGUAGE_2);
        ASSERT_TRUE(ClickAt(CentreOf(french)));
        ASSERT_TRUE(PumpDialogUntil(window, [&] {
            return Checked(french) && ::GetFocus() == french;
        })) << "the click did not check and focus French";

        ASSERT_TRUE(SendInputs(Tap(key)));
        EXPECT_TRUE(PumpDialogUntil(window, [&] { return !page.IsWindowVisible(); }));
        EXPECT_TRUE(window.IsWindowVisible());

        ASSERT_TRUE(ClickAt(CentreOf(languageButton)));
        EXPECT_TRUE(PumpDialogUntil(window, [&] { return page.IsWindowVisible() != FALSE; }));
        EXPECT_TRUE(Checked(french));
        for (int id = IDC_LANGUAGE_1; id <= IDC_LANGUAGE_12; ++id) {
            EXPECT_EQ(Checked(page.GetDlgItem(id)), id == IDC_LANGUAGE_2) << id;
        }
    }
}

// On the main window and its other pages Enter and Esc change nothing.
TEST_F(MainWindowInput, EscAndEnterLeaveTheWindowAndItsPage) {
    MainWindowFixture app;
    ASSERT_TRUE(app.Start());
    TestMainWindow& window = *app.window;
    CKivPage& keys = window.page(PageId::KeyAssignment);
    ASSERT_TRUE(ToForeground(window, window));
    const HWND tab = keys.GetDlgItem(IDC_MS_TAB_KEYS);
    ASSERT_TRUE(ClickAt(CentreOf(tab)));
    ASSERT_TRUE(PumpDialogUntil(window, [&] { return ::GetFocus() == tab; }));
    // Tab last: once the focus has moved on, the two keys before it were
    // handled too.
    ASSERT_TRUE(SendInputs({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true), Key(VK_RETURN, false),
                            Key(VK_RETURN, true), Key(VK_TAB, false), Key(VK_TAB, true)}));
    ASSERT_TRUE(PumpDialogUntil(window, [&] { return ::GetFocus() != tab; }));
    EXPECT_TRUE(window.IsWindowVisible());
    EXPECT_TRUE(keys.IsWindowVisible());
}

}  // namespace
}  // namespace vandir::testing
