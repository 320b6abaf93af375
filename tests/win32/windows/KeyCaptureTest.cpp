// The key capture dialog: where it shows and what has the focus; keys named
// in the focused field through the keyboard hook with real key input, never
// typed; the assignments OK writes into a real function selector; Clear;
// Enter and Esc inside and outside the key fields; the hook's life, its
// sharing with a list's mouse hook, and a hook that cannot be installed.

#include "pages/Keyboard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "skin/InputHooks.h"
#include "skin/KivCheckBox.h"
#include "skin/KivComboButton.h"
#include "skin/layout/ResourceIds.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/PngCapture.h"
#include "win32/windows/DialogPump.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SelectorOwner.h"
#include "win32/windows/SkinFixture.h"

namespace vandir {
namespace {

constexpr POINT kOwnerAt{40, 30};
constexpr POINT kParking{1200, 1000};  // where the pointer rests, away from every control
constexpr int kModifierBoxes[] = {IDC_KEYS_CTRL, IDC_KEYS_SHIFT, IDC_KEYS_ALT, IDC_KEYS_WIN};
constexpr WORD kMuteKey = VK_VOLUME_MUTE;  // a key without a name

// What the function selector holds.
struct Written {
    std::wstring caption;
    int value;
    int firstKey;
    int rapidFireCount;
    int secondKey;
    int modifiers;
    bool operator==(const Written&) const = default;
};

void PrintTo(const Written& w, std::ostream* out) {
    *out << "{" << ::testing::PrintToString(w.caption) << ", " << w.value << ", " << w.firstKey
         << ", " << w.rapidFireCount << ", " << w.secondKey << ", " << w.modifiers << "}";
}

// The selector before every test: "Left Click" with a rapid-fire count that OK
// must keep.
const Written kUntouched{L"Left Click", 1101, -1, 7, -1, -1};

// A dialog that runs a script right after its set-up, records the hook
// messages its loop delivers, and lets a test ask its pre-translation.
class TestKeyboard : public ScriptedDialog<CKeyboard, TestKeyboard> {
public:
    using ScriptedDialog::ScriptedDialog;

    // (virtual-key code, flags) of every hook message that reached the dialog.
    std::vector<std::pair<WPARAM, LPARAM>> hookMessages;

    bool Checked(int id) const { return Item<CKivCheckBox>(id).checked(); }
    void Tick(int id) { Item<CKivCheckBox>(id).SetChecked(true); }
    bool SawRelease(WORD vk) const {
        return std::find(hookMessages.begin(), hookMessages.end(),
                         std::pair<WPARAM, LPARAM>{vk, 0x80}) != hookMessages.end();
    }
    // Whether the pre-translation keeps the message from the dialog manager
    // and the window it is for.
    bool Swallows(MSG message) { return CKeyboard::PreTranslateMessage(&message) != FALSE; }

protected:
    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message == kHookMessage && message->hwnd == GetSafeHwnd()) {
            hookMessages.emplace_back(message->wParam, message->lParam);
        }
        return ScriptedDialog::PreTranslateMessage(message);
    }
};

class KeyCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateSelectorOwner(owner, target, L"VandirKeyCaptureOwner", kOwnerAt));
        ResetTarget();
        ASSERT_TRUE(SendInputs({MouseMoveTo(kParking)}));
    }
    void TearDown() override {
        ReleaseHeldInput(std::array<WORD, 3>{VK_LSHIFT, VK_SHIFT, VK_CONTROL});
        fixture.hooks.RemoveMouseHook();
        target.DestroyWindow();
        owner.DestroyWindow();
    }

    void ResetTarget() {
        target.SetCaptionEx(kUntouched.caption, kUntouched.value, kUntouched.firstKey,
                            kUntouched.secondKey, kUntouched.modifiers);
        target.SetCaption(kUntouched.caption, kUntouched.value, kUntouched.firstKey,
                          kUntouched.rapidFireCount);
    }

    std::unique_ptr<TestKeyboard> Make() {
        auto dialog = std::make_unique<TestKeyboard>(fixture.context, &owner);
        dialog->SetTarget(&target);
        dialog->SetMessageBox([this](const std::wstring& text) { messageBoxes.push_back(text); });
        return dialog;
    }

    // Creates the dialog modeless and shows it above everything.
    static ::testing::AssertionResult Open(TestKeyboard& dialog) { return OpenOnTop(dialog, 134); }
    static void Click(TestKeyboard& dialog, int id) { ClickButton(dialog, id); }
    // A key as the hook reports it, pressed and released, into a key field.
    static void Capture(TestKeyboard& dialog, int field, WORD vk) {
        ::SetFocus(dialog.Field(field));
        dialog.SendMessage(kHookMessage, vk, 0);
        dialog.SendMessage(kHookMessage, vk, 0x80);
    }
    // A real left click at the middle of a control.
    static ::testing::AssertionResult RealClick(HWND control) {
        const RECT r = ScreenRectOf(control);
        const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        return SendInputs({MouseMoveTo(middle), LeftDown(), LeftUp(), MouseMoveTo(kParking)});
    }

    Written TargetNow() const {
        return {target.caption(),        target.selectedValue(), target.firstKey(),
                target.rapidFireCount(), target.secondKey(),     target.modifiers()};
    }

    SkinFixture fixture;
    CWnd owner;
    CKivComboButton target{fixture.hooks, fixture.clock};
    std::vector<std::wstring> messageBoxes;
};

// --- Set-up -----------------------------------------------------------------

TEST_F(KeyCaptureTest, OpensAtTheOwnersOriginWithTheFirstFieldFocusedAndTheHookAtIt) {
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));

    Gdiplus::Image* sheet = fixture.skins.Sheet(layout::Sheet::KeyboardNormal);
    ASSERT_NE(sheet, nullptr);
    ExpectAtOwnersOriginSizedAs(*dialog, owner, *sheet);
    EXPECT_TRUE(ScreenShowsSheet(ClientToScreenRect(*dialog, 0, 0, 40, 4), sheet, 0, 0));

    EXPECT_EQ(::GetFocus(), dialog->Field(IDC_KEYS_FIRST));
    EXPECT_EQ(fixture.hooks.KeyboardTarget(), dialog->GetSafeHwnd());
    for (const int box : kModifierBoxes) {
        EXPECT_FALSE(dialog->Checked(box)) << box;
    }
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_FIRST), L"");
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_SECOND), L"");
    EXPECT_EQ(dialog->firstKey(), 0);
    EXPECT_EQ(dialog->secondKey(), 0);
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_TRUE(fixture.failures.empty()) << "no \"ui load failed!\"";

    if (const auto folder = ScreenshotPath(L"VANDIR_KEY_CAPTURE_SCREENSHOTS")) {
        dialog->Tick(IDC_KEYS_CTRL);
        dialog->Tick(IDC_KEYS_SHIFT);
        Capture(*dialog, IDC_KEYS_SECOND, VK_F5);
        Capture(*dialog, IDC_KEYS_FIRST, 'A');
        dialog->UpdateWindow();
        PumpUntil([] { return true; });
        EXPECT_TRUE(
            SavePng(CaptureScreen(dialog->GetWindowRect()).Get(), *folder + L"\\key-capture.png"));
    }
    dialog->DestroyWindow();
}

// --- Capture ----------------------------------------------------------------

// Real keys through the system's input path: the focused field names each
// one, Tab, Enter and Esc included, and nothing is typed, moved or closed.
TEST_F(KeyCaptureTest, RealKeysAreNamedInTheFocusedFieldNeverTyped) {
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    ASSERT_TRUE(ToForeground(*dialog));

    const struct {
        int field;
        WORD vk;
        const wchar_t* name;
    } keys[] = {
        {IDC_KEYS_FIRST, VK_LSHIFT, L"Left SHIFT"},
        {IDC_KEYS_FIRST, VK_TAB, L"TAB"},       // does not move the focus
        {IDC_KEYS_FIRST, VK_RETURN, L"ENTER"},  // is no OK
        {IDC_KEYS_FIRST, VK_ESCAPE, L"ESC"},    // is no Cancel
        {IDC_KEYS_FIRST, 'A', L"A"},            // is not typed
        {IDC_KEYS_FIRST, kMuteKey, L""},        // has no name
        {IDC_KEYS_SECOND, VK_NUMPAD1, L"1"},
        {IDC_KEYS_SECOND, VK_TAB, L"TAB"},
        {IDC_KEYS_SECOND, 'B', L"B"},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(::testing::Message() << key.field << " " << key.vk);
        ::SetFocus(dialog->Field(key.field));
        dialog->hookMessages.clear();
        ASSERT_TRUE(SendInputs(Tap(key.vk)));
        EXPECT_TRUE(PumpDialogUntil(*dialog, [&] { return dialog->SawRelease(key.vk); }));
        // The release is the last of the key's messages.
        PumpDialogUntil(*dialog, [] { return true; });
        EXPECT_EQ(dialog->FieldText(key.field), key.name);
        EXPECT_EQ(key.field == IDC_KEYS_FIRST ? dialog->firstKey() : dialog->secondKey(), key.vk);
        EXPECT_EQ(::GetFocus(), dialog->Field(key.field));
        EXPECT_TRUE(dialog->IsWindowVisible());
    }
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_FIRST), L"") << "the last key in it had no name";
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_SECOND), L"B");

    // With the focus on a modifier box a key is neither named nor typed anywhere.
    ::SetFocus(dialog->Field(IDC_KEYS_CTRL));
    dialog->hookMessages.clear();
    ASSERT_TRUE(SendInputs(Tap('C')));
    EXPECT_TRUE(PumpDialogUntil(*dialog, [&] { return dialog->SawRelease('C'); }));
    PumpDialogUntil(*dialog, [] { return true; });
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_FIRST), L"");
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_SECOND), L"B");
    EXPECT_EQ(dialog->secondKey(), 'B');
    EXPECT_EQ(TargetNow(), kUntouched);
    dialog->DestroyWindow();
}

TEST_F(KeyCaptureTest, KeyMessagesAreSwallowedOnlyWhileAKeyFieldHasTheFocus) {
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    const struct {
        int focus;
        UINT message;
        bool swallowed;
    } cases[] = {
        {IDC_KEYS_FIRST, WM_KEYDOWN, true},     {IDC_KEYS_FIRST, WM_KEYUP, true},
        {IDC_KEYS_SECOND, WM_KEYDOWN, true},    {IDC_KEYS_SECOND, WM_KEYUP, true},
        {IDC_KEYS_FIRST, WM_SYSKEYDOWN, false}, {IDC_KEYS_SECOND, WM_SYSKEYUP, false},
        {IDC_KEYS_FIRST, WM_CHAR, false},       {IDC_KEYS_CTRL, WM_KEYDOWN, false},
        {IDC_KEYS_OK, WM_KEYUP, false},         {IDC_KEYS_CLEAR, WM_KEYDOWN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.focus << " " << c.message);
        ::SetFocus(dialog->Field(c.focus));
        MSG message{};
        message.hwnd = dialog->Field(c.focus);
        message.message = c.message;
        message.wParam = 'A';
        EXPECT_EQ(dialog->Swallows(message), c.swallowed);
    }
    dialog->DestroyWindow();
}

// --- OK ---------------------------------------------------------------------

struct OkCase {
    const char* what;
    int modifiers;  // the boxes ticked, as modifier bits
    WORD first;     // the key captured in each field; 0 for none
    WORD second;
    const wchar_t* firstTextAfter;   // put in the first field afterwards (a paste); null: none
    std::optional<Written> written;  // none: the selector keeps its function
};

const OkCase kOkCases[] = {
    {"Left Shift alone", 0, VK_LSHIFT, 0, nullptr, {{L"Left SHIFT", 2000, 160, 7, 0, 0}}},
    {"Ctrl and Shift alone", 3, 0, 0, nullptr, {{L"CTRL+Shift", 2000, 0, 7, 0, 3}}},
    {"the second field alone", 0, 0, 'B', nullptr, {{L"B", 2000, 0, 7, 'B', 0}}},
    {"Ctrl, A and B", 1, 'A', 'B', nullptr, {{L"CTRL+A+B", 2000, 'A', 7, 'B', 1}}},
    {"every modifier", 15, VK_F5, 0, nullptr, {{L"CTRL+Shift+Alt+Win+F5", 2000, VK_F5, 7, 0, 15}}},
    {"Win alone", 8, 0, 0, nullptr, {{L"Win", 2000, 0, 7, 0, 8}}},
    {"Alt and the second field", 4, 0, VK_TAB, nullptr, {{L"Alt+TAB", 2000, 0, 7, VK_TAB, 4}}},
    {"a name with a trailing space",
     0,
     VK_UP,
     'A',
     nullptr,
     {{L"UP ARROW +A", 2000, VK_UP, 7, 'A', 0}}},
    {"keypad 1 and digit 1", 0, VK_NUMPAD1, '1', nullptr, {{L"1+1", 2000, VK_NUMPAD1, 7, '1', 0}}},
    {"a key without a name", 0, kMuteKey, 0, nullptr, std::nullopt},
    {"a key without a name and Ctrl", 1, kMuteKey, 0, nullptr, {{L"CTRL", 2000, 0, 7, 0, 1}}},
    {"a key without a name, then B", 0, kMuteKey, 'B', nullptr, {{L"B", 2000, 0, 7, 'B', 0}}},
    {"nothing", 0, 0, 0, nullptr, std::nullopt},
    // A text no captured key gave does not count as a key.
    {"a pasted text alone", 0, 0, 0, L"hello", std::nullopt},
    {"a pasted text and Shift", 2, 0, 0, L"hello", {{L"Shift", 2000, 0, 7, 0, 2}}},
    {"a captured key's name changed", 0, 'A', 'B', L"AB", {{L"B", 2000, 0, 7, 'B', 0}}},
};

TEST_F(KeyCaptureTest, OkWritesTheComposedAssignmentIntoTheSelectorAndCloses) {
    for (const OkCase& c : kOkCases) {
        SCOPED_TRACE(c.what);
        ResetTarget();
        auto dialog = Make();
        ASSERT_TRUE(Open(*dialog));
        for (int i = 0; i < 4; ++i) {
            if (c.modifiers & (1 << i)) {
                dialog->Tick(kModifierBoxes[i]);
            }
        }
        if (c.first != 0) {
            Capture(*dialog, IDC_KEYS_FIRST, c.first);
        }
        if (c.second != 0) {
            Capture(*dialog, IDC_KEYS_SECOND, c.second);
        }
        if (c.firstTextAfter != nullptr) {
            ::SetWindowTextW(dialog->Field(IDC_KEYS_FIRST), c.firstTextAfter);
        }
        Click(*dialog, IDC_KEYS_OK);
        EXPECT_FALSE(dialog->IsWindowVisible()) << "closed";
        EXPECT_EQ(TargetNow(), c.written.value_or(kUntouched));
        dialog->DestroyWindow();
    }
}

TEST_F(KeyCaptureTest, ClearEmptiesTheDialogAndTheKeysItClearedAreNotWritten) {
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    Capture(*dialog, IDC_KEYS_FIRST, 'A');
    Capture(*dialog, IDC_KEYS_SECOND, 'B');
    for (const int box : kModifierBoxes) {
        dialog->Tick(box);
    }
    Click(*dialog, IDC_KEYS_CLEAR);
    EXPECT_TRUE(dialog->IsWindowVisible());
    for (const int box : kModifierBoxes) {
        EXPECT_FALSE(dialog->Checked(box)) << box;
    }
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_FIRST), L"");
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_SECOND), L"");
    Click(*dialog, IDC_KEYS_OK);
    EXPECT_FALSE(dialog->IsWindowVisible());
    EXPECT_EQ(TargetNow(), kUntouched) << "the selector keeps its function and caption";
    dialog->DestroyWindow();

    // The first key is remembered but its emptied field does not give it.
    dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    Capture(*dialog, IDC_KEYS_FIRST, 'A');
    Click(*dialog, IDC_KEYS_CLEAR);
    EXPECT_EQ(dialog->firstKey(), 'A');
    Capture(*dialog, IDC_KEYS_SECOND, 'B');
    Click(*dialog, IDC_KEYS_OK);
    EXPECT_EQ(TargetNow(), (Written{L"B", 2000, 0, 7, 'B', 0}));
    dialog->DestroyWindow();
}

// --- The modal run ----------------------------------------------------------

// The whole road with real input in the dialog's own modal loop: a key
// pressed into the first field, the Ctrl box and OK clicked.
TEST_F(KeyCaptureTest, AModalRunWritesWhatRealKeysAndClicksEntered) {
    auto dialog = Make();
    HWND dialogDuringRun = nullptr;
    HWND hookTargetDuringRun = nullptr;
    ModalSteps steps(
        {
            {[&] { return BringToForeground(*dialog); },
             [&] {
                 dialogDuringRun = dialog->GetSafeHwnd();
                 hookTargetDuringRun = fixture.hooks.KeyboardTarget();
                 ASSERT_TRUE(SendInputs(Tap(VK_LSHIFT)));
             }},
            {[&] { return dialog->SawRelease(VK_LSHIFT); },
             [&] { ASSERT_TRUE(RealClick(dialog->Field(IDC_KEYS_CTRL))); }},
            {[&] { return dialog->Checked(IDC_KEYS_CTRL); },
             [&] {
                 EXPECT_TRUE(dialog->IsWindowVisible()) << "the box has no handler that closes";
                 ASSERT_TRUE(RealClick(dialog->Field(IDC_KEYS_OK)));
             }},
        },
        [&] { dialog->PostMessage(kGiveUpMessage); });

    EXPECT_EQ(dialog->DoModal(), IDOK);
    EXPECT_TRUE(steps.finished()) << "stopped before step " << steps.stepsRun();
    EXPECT_NE(dialogDuringRun, nullptr);
    EXPECT_EQ(hookTargetDuringRun, dialogDuringRun);
    EXPECT_EQ(TargetNow(), (Written{L"CTRL+Left SHIFT", 2000, VK_LSHIFT, 7, 0, 1}));
    EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled()) << "removed with the window";
    EXPECT_EQ(dialog->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

// Enter and Esc reach the dialog manager only outside the key fields; there
// they close the dialog without writing, whatever is entered.
TEST_F(KeyCaptureTest, EnterAndEscCloseWithoutWritingOnlyOutsideTheKeyFields) {
    const struct {
        const char* what;
        int focus;
        WORD key;
        INT_PTR result;
    } cases[] = {
        {"Enter in the first field", IDC_KEYS_FIRST, VK_RETURN, kGaveUp},
        {"Esc in the second field", IDC_KEYS_SECOND, VK_ESCAPE, kGaveUp},
        {"Enter on the Ctrl box", IDC_KEYS_CTRL, VK_RETURN, IDOK},
        {"Esc on the Ctrl box", IDC_KEYS_CTRL, VK_ESCAPE, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetTarget();
        auto dialog = Make();
        dialog->afterSetUp = [&](TestKeyboard& d) {
            d.Tick(IDC_KEYS_CTRL);
            Capture(d, IDC_KEYS_FIRST, 'A');
            ::SetFocus(d.Field(c.focus));
            // Handled by the modal loop in this order.
            ::PostMessageW(d.Field(c.focus), WM_KEYDOWN, c.key, 0);
            ::PostMessageW(d.Field(c.focus), WM_KEYUP, c.key, 0xC0000001);
            d.PostMessage(kGiveUpMessage);
        };
        EXPECT_EQ(dialog->DoModal(), c.result);
        EXPECT_EQ(TargetNow(), kUntouched);
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    EXPECT_TRUE(owner.IsWindowEnabled()) << "the owner is enabled again";
}

// --- The hook ---------------------------------------------------------------

TEST_F(KeyCaptureTest, TheHookGoesWithTheDialogsWindowUnlessAnotherWindowTookIt) {
    {
        auto dialog = Make();
        ASSERT_TRUE(Open(*dialog));
        EXPECT_EQ(fixture.hooks.KeyboardTarget(), dialog->GetSafeHwnd());
        dialog->DestroyWindow();
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    {
        // Destroyed with its object, without DestroyWindow first.
        auto dialog = Make();
        ASSERT_TRUE(Open(*dialog));
        EXPECT_TRUE(fixture.hooks.KeyboardHookInstalled());
        dialog.reset();
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    // A window that took the hook after the dialog keeps it.
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    ASSERT_TRUE(fixture.hooks.InstallKeyboardHook(owner));
    dialog->DestroyWindow();
    EXPECT_EQ(fixture.hooks.KeyboardTarget(), owner.GetSafeHwnd());
    fixture.hooks.RemoveKeyboardHook();
}

// The page opens the dialog from a selector whose list has just shown, with
// the list's mouse hook up on the same hook state.
TEST_F(KeyCaptureTest, AListsMouseHookLeavesRoomForTheKeyboardHook) {
    target.AddItem(2000, L"Keyboard");
    ASSERT_NE(target.list(), nullptr);
    const HWND list = target.list()->GetSafeHwnd();
    ASSERT_TRUE(fixture.hooks.ShowMouseHookTarget(list));

    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    EXPECT_TRUE(messageBoxes.empty()) << "no \"set hook failed.\"";
    EXPECT_EQ(fixture.hooks.KeyboardTarget(), dialog->GetSafeHwnd());
    ASSERT_TRUE(ToForeground(*dialog));
    ::SetFocus(dialog->Field(IDC_KEYS_FIRST));
    ASSERT_TRUE(SendInputs(Tap('K')));
    EXPECT_TRUE(PumpDialogUntil(*dialog, [&] { return dialog->SawRelease('K'); }));
    EXPECT_EQ(dialog->FieldText(IDC_KEYS_FIRST), L"K");
    EXPECT_EQ(fixture.hooks.MouseTarget(), list);

    dialog->DestroyWindow();
    EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    EXPECT_EQ(fixture.hooks.MouseTarget(), list) << "the list keeps its mouse hook";
}

TEST_F(KeyCaptureTest, WithoutTheHookItSaysSetHookFailedAndStillAssignsModifiers) {
    // Another hook state holds the hooks, so this one cannot install its own.
    InputHooks other;
    ASSERT_TRUE(other.InstallKeyboardHook(owner));
    auto dialog = Make();
    ASSERT_TRUE(Open(*dialog));
    EXPECT_EQ(messageBoxes, std::vector<std::wstring>{L"set hook failed."});
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(::GetFocus(), dialog->Field(IDC_KEYS_FIRST));
    EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());

    dialog->Tick(IDC_KEYS_SHIFT);
    dialog->Tick(IDC_KEYS_WIN);
    Click(*dialog, IDC_KEYS_OK);
    EXPECT_EQ(TargetNow(), (Written{L"Shift+Win", 2000, 0, 7, 0, 10}));
    dialog->DestroyWindow();
    EXPECT_EQ(other.KeyboardTarget(), owner.GetSafeHwnd()) << "the other hook is left alone";
}

}  // namespace
}  // namespace vandir
