// The pop-up dialog in its five kinds: what each shows, where, and what OK,
// Clear, Enter and Esc do; the number field's timer; the key capture through
// the keyboard hook with real key input; the captions written into a real
// function selector; the version texts; and the edit boxes 1124/1125 told
// apart from the hover notices that carry the same numbers.

#include "pages/PopDlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/RecordingClock.h"
#include "device/SimulatedMouse.h"
#include "device/Transport.h"
#include "skin/ControlNotifications.h"
#include "skin/KivButton.h"
#include "skin/KivComboButton.h"
#include "skin/KivEdit.h"
#include "skin/KivStatic.h"
#include "skin/layout/PopupLayout.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/windows/DialogPump.h"
#include "win32/windows/EventPrinting.h"
#include "win32/windows/ModalHelpers.h"
#include "win32/windows/ScreenPixels.h"
#include "win32/windows/SelectorOwner.h"
#include "win32/windows/SkinFixture.h"
#include "win32/windows/SystemCommandRecorder.h"

namespace vandir {
namespace {

using ::testing::ElementsAre;
using Kind = ControlEvent::Kind;

constexpr int kKinds[] = {139, 141, 146, 150, 155};
constexpr int kFields[] = {IDC_POPUP_OK,
                           IDC_POPUP_CLEAR,
                           IDC_POPUP_KEY,
                           IDC_POPUP_NUMBER,
                           IDC_POPUP_SOFTWARE_VERSION,
                           IDC_POPUP_FIRMWARE_VERSION};
constexpr POINT kOwnerAt{40, 30};
constexpr POINT kParking{1200, 1000};  // where the pointer rests, away from every control

struct ShownMessageBox {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT style;
};

// What OK left in the function selector.
struct Written {
    std::wstring caption;
    int value;
    int firstKey;
    int rapidFireCount;
    bool operator==(const Written&) const = default;
};

void PrintTo(const Written& w, std::ostream* out) {
    *out << "{" << ::testing::PrintToString(w.caption) << ", " << w.value << ", " << w.firstKey
         << ", " << w.rapidFireCount << "}";
}

// The selector's function before every test: plain "Left Click".
const Written kUntouched{L"Left Click", 1101, -1, 1};

// A pop-up that records the control events it is given (then handles them
// as usual) and runs a script right after its set-up, so that what the script
// posts is handled by the modal loop.
class TestPopDlg : public ScriptedDialog<CPopDlg, TestPopDlg> {
public:
    using ScriptedDialog::ScriptedDialog;

    std::vector<ControlEvent> events;

protected:
    void OnControlEvent(const ControlEvent& event) override {
        events.push_back(event);
        CPopDlg::OnControlEvent(event);
    }
};

class PopDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateSelectorOwner(owner, target, L"VandirPopupOwner", kOwnerAt));
        target.SetCaption(L"Left Click", 1101, -1, 1);
        ASSERT_TRUE(SendInputs({MouseMoveTo(kParking)}));
    }
    void TearDown() override {
        ReleaseHeldInput(std::array<WORD, 1>{VK_SHIFT});
        target.DestroyWindow();
        owner.DestroyWindow();
    }

    std::unique_ptr<TestPopDlg> Make(int kind, uint16_t value = 0) {
        auto dialog = std::make_unique<TestPopDlg>(kind, value, fixture.context, &owner);
        dialog->SetTarget(&target);
        dialog->SetMessageBox(
            [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
                messageBoxes.push_back({owner, text, caption, style});
            });
        return dialog;
    }

    // Creates the dialog modeless and shows it above everything.
    static ::testing::AssertionResult Open(TestPopDlg& dialog) { return OpenOnTop(dialog, 135); }
    static void Click(TestPopDlg& dialog, int id) { ClickButton(dialog, id); }
    static void Enter(TestPopDlg& dialog) { dialog.SendMessage(WM_COMMAND, IDOK, 0); }
    static void Esc(TestPopDlg& dialog) { dialog.SendMessage(WM_COMMAND, IDCANCEL, 0); }

    // The key the hook reports, as message 1192 arrives with the key field focused.
    static void CaptureKey(TestPopDlg& dialog, WORD vk) {
        ::SetFocus(dialog.Field(IDC_POPUP_KEY));
        dialog.SendMessage(kHookMessage, vk, 0);
    }
    // The number as if typed: the caret after the last digit.
    static void SetNumber(TestPopDlg& dialog, const wchar_t* text) {
        const HWND field = dialog.Field(IDC_POPUP_NUMBER);
        ::SetWindowTextW(field, text);
        const auto end = static_cast<WPARAM>(wcslen(text));
        ::SendMessageW(field, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    static void Tick(TestPopDlg& dialog) { dialog.SendMessage(WM_TIMER, CPopDlg::kNumberTimer); }

    Written TargetNow() const {
        return {target.caption(), target.selectedValue(), target.firstKey(),
                target.rapidFireCount()};
    }
    SkinFixture fixture;
    CWnd owner;
    CKivComboButton target{fixture.hooks, fixture.clock};
    std::vector<ShownMessageBox> messageBoxes;
};

// --- What each kind shows ---------------------------------------------------

struct Placed {
    int id;
    layout::Rect rect;
};

struct KindLook {
    int kind;
    uint16_t value;
    layout::Sheet normal;
    std::vector<Placed> shown;
    int focused;  // the control with the focus after set-up; 0: none asked
    int fontHeight;
};

const KindLook kLooks[] = {
    {139, 0, layout::Sheet::LeftClickNormal, {{IDC_POPUP_OK, {200, 195, 75, 28}}}, 0, 0},
    {141,
     0,
     layout::Sheet::RapidFireKeyNormal,
     {{IDC_POPUP_OK, {184, 63, 75, 28}},
      {IDC_POPUP_CLEAR, {106, 63, 75, 28}},
      {IDC_POPUP_KEY, {85, 28, 71, 18}},
      {IDC_POPUP_NUMBER, {215, 28, 71, 18}}},
     IDC_POPUP_KEY,
     14},
    {146,
     2311,
     layout::Sheet::RapidFireMouseNormal,
     {{IDC_POPUP_OK, {146, 63, 75, 28}},
      {IDC_POPUP_CLEAR, {68, 63, 75, 28}},
      {IDC_POPUP_NUMBER, {71, 28, 71, 18}}},
     IDC_POPUP_NUMBER,
     14},
    {150,
     105,
     layout::Sheet::VersionNormal,
     {{IDC_POPUP_OK, {170, 166, 76, 29}},
      {IDC_POPUP_CLEAR, {382, 11, 18, 16}},
      {IDC_POPUP_SOFTWARE_VERSION, {248, 81, 61, 11}},
      {IDC_POPUP_FIRMWARE_VERSION, {248, 99, 61, 11}}},
     0,
     15},
    {155, 0, layout::Sheet::NoMouseNormal, {{IDC_POPUP_OK, {402, 6, 16, 15}}}, 0, 0},
};

int FontHeightOf(HFONT font) {
    LOGFONTW description{};
    ::GetObjectW(font, sizeof(description), &description);
    return description.lfHeight;
}

TEST_F(PopDlgTest, EachKindShowsItsSheetAndOnlyItsControlsAtTheirPlaces) {
    for (const KindLook& look : kLooks) {
        SCOPED_TRACE(look.kind);
        auto dialog = Make(look.kind, look.value);
        dialog->SetMouseLink([] { return true; });
        ASSERT_TRUE(Open(*dialog));

        // At the owner's client origin, the size of the kind's Normal sheet.
        Gdiplus::Image* sheet = fixture.skins.Sheet(look.normal);
        ASSERT_NE(sheet, nullptr);
        ExpectAtOwnersOriginSizedAs(*dialog, owner, *sheet);

        const RECT window = dialog->GetWindowRect();
        for (const int id : kFields) {
            const auto shown = std::find_if(look.shown.begin(), look.shown.end(),
                                            [id](const Placed& p) { return p.id == id; });
            SCOPED_TRACE(id);
            EXPECT_EQ(::IsWindowVisible(dialog->Field(id)) != FALSE, shown != look.shown.end());
            if (shown == look.shown.end()) {
                continue;
            }
            const RECT r = ScreenRectOf(dialog->Field(id));
            EXPECT_EQ(r.left - window.left, shown->rect.x);
            EXPECT_EQ(r.top - window.top, shown->rect.y);
            EXPECT_EQ(r.right - r.left, shown->rect.width);
            EXPECT_EQ(r.bottom - r.top, shown->rect.height);
        }
        if (look.focused != 0) {
            EXPECT_EQ(::GetFocus(), dialog->Field(look.focused));
        }
        if (look.kind == 141 || look.kind == 146) {
            const auto& number = dialog->Item<CKivEdit>(IDC_POPUP_NUMBER);
            EXPECT_EQ(FontHeightOf(number.font()), look.fontHeight);
            EXPECT_TRUE(number.GetStyle() & ES_NUMBER) << "digits only";
        }
        if (look.kind == 150) {
            const auto& firmware = dialog->Item<CKivStatic>(IDC_POPUP_FIRMWARE_VERSION);
            EXPECT_EQ(FontHeightOf(firmware.font()), look.fontHeight);
        }
        // Timer 1 runs in every kind.
        EXPECT_TRUE(::KillTimer(*dialog, CPopDlg::kNumberTimer));

        // The OK button and the corner show the Normal sheet.
        const layout::Rect ok = look.shown.front().rect;
        EXPECT_TRUE(ScreenShowsSheet(ClientToScreenRect(*dialog, ok.x, ok.y, ok.width, ok.height),
                                     sheet, ok.x, ok.y));
        EXPECT_TRUE(ScreenShowsSheet(ClientToScreenRect(*dialog, 0, 0, 40, 4), sheet, 0, 0));

        if (const auto folder = ScreenshotPath(L"VANDIR_POPUP_SCREENSHOTS")) {
            if (look.kind == 141) {
                CaptureKey(*dialog, 'A');
                SetNumber(*dialog, L"5");
            } else if (look.kind == 146) {
                SetNumber(*dialog, L"12");
            }
            dialog->UpdateWindow();
            PumpUntil([] { return true; });
            const std::wstring path = *folder + L"\\popup-" + std::to_wstring(look.kind) + L".png";
            EXPECT_TRUE(SavePng(CaptureScreen(window).Get(), path));
        }
        dialog->DestroyWindow();
    }
    EXPECT_TRUE(fixture.failures.empty());
    EXPECT_TRUE(messageBoxes.empty());
}

// A press on the picture starts the system's move loop as if the caption
// were dragged.
TEST_F(PopDlgTest, APressOnThePictureDragsTheDialog) {
    auto dialog = Make(139);
    ASSERT_TRUE(Open(*dialog));
    SystemCommandRecorder recorder;
    ASSERT_TRUE(recorder.hooked());
    SystemCommandRecorder::PressAndRelease(dialog->GetSafeHwnd(), {20, 20});
    const std::vector<WPARAM>& systemCommands = recorder.received();
    ASSERT_FALSE(systemCommands.empty());
    EXPECT_EQ(systemCommands.front(), static_cast<WPARAM>(SC_MOVE | HTCAPTION));
    EXPECT_TRUE(dialog->IsWindowVisible());
}

// --- Numbers that are no kind -----------------------------------------------

TEST_F(PopDlgTest, ANumberThatIsNoKindClosesAtOnceShowingNothing) {
    for (const int kind : {0, -1, 135, 140, 151, 2400}) {
        SCOPED_TRACE(kind);
        auto modal = Make(kind, 105);
        bool shownDuringSetUp = true;
        modal->afterSetUp = [&](TestPopDlg& d) { shownDuringSetUp = d.IsWindowVisible() != FALSE; };
        EXPECT_EQ(modal->DoModal(), IDCANCEL);
        EXPECT_FALSE(shownDuringSetUp);
        EXPECT_EQ(modal->GetSafeHwnd(), nullptr);

        auto modeless = Make(kind);
        ASSERT_TRUE(modeless->Create());
        EXPECT_FALSE(modeless->IsWindowVisible());
        Enter(*modeless);
        Click(*modeless, IDC_POPUP_OK);
        modeless->SendMessage(kHookMessage, 'A', 0);
        Tick(*modeless);
        EXPECT_EQ(modeless->capturedKey(), 0);
        modeless->DestroyWindow();
    }
    EXPECT_EQ(TargetNow(), kUntouched);
    EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    EXPECT_TRUE(fixture.failures.empty()) << "no \"ui load failed!\"";
    EXPECT_EQ(fixture.quitRequests, 0);
    EXPECT_TRUE(messageBoxes.empty());
}

// --- OK, Clear, Enter and Esc -----------------------------------------------

// How OK is given: the OK button's click or Enter (the dialog's own OK).
enum class Ok { Button, Enter };

struct OkCase {
    const char* what;
    int kind;
    uint16_t value;
    WORD key;  // kind 141: the key captured first; 0 for none
    const wchar_t* number;
    std::optional<Written> written;  // none: the target keeps its function
    const wchar_t* numberAfter;      // the field after OK; null: as typed
};

const OkCase kOkCases[] = {
    {"key A, 5", 141, 0, 'A', L"5", {{L"Rapid Fire A [5]", 2400, 0x41, 5}}, nullptr},
    {"leading zeros stay in the caption",
     141,
     0,
     'A',
     L"007",
     {{L"Rapid Fire A [007]", 2400, 0x41, 7}},
     nullptr},
    {"above 254 reads 254",
     141,
     0,
     VK_F5,
     L"300",
     {{L"Rapid Fire F5 [254]", 2400, VK_F5, 254}},
     L"254"},
    {"key name with a space",
     141,
     0,
     VK_UP,
     L"3",
     {{L"Rapid Fire UP ARROW  [3]", 2400, VK_UP, 3}},
     nullptr},
    {"no key", 141, 0, 0, L"5", std::nullopt, nullptr},
    {"no number", 141, 0, 'A', L"", std::nullopt, nullptr},
    {"zero", 141, 0, 'A', L"000", std::nullopt, nullptr},
    {"Left Click", 146, 2311, 0, L"5", {{L"Rapid Fire Left Click [5]", 2311, 1, 5}}, nullptr},
    {"Right Click", 146, 2312, 0, L"9", {{L"Rapid Fire Right Click [9]", 2312, 2, 9}}, nullptr},
    {"Wheel Click", 146, 2313, 0, L"10", {{L"Rapid Fire Wheel Click [10]", 2313, 4, 10}}, nullptr},
    {"IE Back", 146, 2314, 0, L"12", {{L"Rapid Fire IE Back [12]", 2314, 8, 12}}, nullptr},
    {"IE Forward",
     146,
     2315,
     0,
     L"254",
     {{L"Rapid Fire IE Forward [254]", 2315, 16, 254}},
     nullptr},
    {"mouse, above 254",
     146,
     2311,
     0,
     L"999",
     {{L"Rapid Fire Left Click [254]", 2311, 1, 254}},
     L"254"},
    {"no rapid-fire button", 146, 2400, 0, L"12", {{L"Rapid Fire  [12]", 2400, 0, 12}}, nullptr},
    {"mouse, no number", 146, 2314, 0, L"", std::nullopt, nullptr},
    {"Left Click notice", 139, 0, 0, nullptr, std::nullopt, nullptr},
    {"version", 150, 105, 0, nullptr, std::nullopt, nullptr},
    {"no mouse notice", 155, 0, 0, nullptr, std::nullopt, nullptr},
};

TEST_F(PopDlgTest, OkAndEnterWriteTheCaptionOfEachKindAndClose) {
    for (const Ok how : {Ok::Button, Ok::Enter}) {
        for (const OkCase& c : kOkCases) {
            SCOPED_TRACE(std::string(c.what) + (how == Ok::Button ? " (OK button)" : " (Enter)"));
            target.SetCaption(kUntouched.caption, kUntouched.value, kUntouched.firstKey,
                              kUntouched.rapidFireCount);
            auto dialog = Make(c.kind, c.value);
            ASSERT_TRUE(Open(*dialog));
            if (c.key != 0) {
                CaptureKey(*dialog, c.key);
                ASSERT_EQ(dialog->capturedKey(), c.key);
            }
            if (c.number != nullptr) {
                SetNumber(*dialog, c.number);
            }
            how == Ok::Button ? Click(*dialog, IDC_POPUP_OK) : Enter(*dialog);
            EXPECT_FALSE(dialog->IsWindowVisible()) << "closed";
            EXPECT_EQ(TargetNow(), c.written.value_or(kUntouched));
            if (c.number != nullptr) {
                EXPECT_EQ(dialog->FieldText(IDC_POPUP_NUMBER),
                          c.numberAfter != nullptr ? c.numberAfter : c.number);
            }
            dialog->DestroyWindow();
        }
    }
}

TEST_F(PopDlgTest, ModalRunEndsWithOkAfterEnterWhileEscLeavesItOpen) {
    for (const int kind : kKinds) {
        SCOPED_TRACE(kind);
        auto dialog = Make(kind, kind == 146 ? 2314 : 0);
        dialog->afterSetUp = [](TestPopDlg& d) {
            if (d.kind() == 146) {
                SetNumber(d, L"12");
            }
            if (d.kind() == 141) {
                ::SetFocus(d.Field(IDC_POPUP_NUMBER));  // in the key field Enter is a key
            }
            // Handled by the modal loop in this order: Esc, then Enter on the
            // focused control (the dialog manager turns it into IDOK).
            HWND focus = ::GetFocus();
            if (focus == nullptr || !::IsChild(d, focus)) {
                focus = d;
            }
            d.PostMessage(WM_COMMAND, IDCANCEL, 0);
            ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0);
            d.PostMessage(kGiveUpMessage);
        };
        EXPECT_EQ(dialog->DoModal(), IDOK);
        EXPECT_EQ(dialog->GetSafeHwnd(), nullptr) << "destroyed";
        if (kind == 146) {
            EXPECT_EQ(TargetNow(), (Written{L"Rapid Fire IE Back [12]", 2314, 8, 12}));
        }
    }
    EXPECT_TRUE(owner.IsWindowEnabled()) << "the owner is enabled again";
}

TEST_F(PopDlgTest, EscLeavesEveryKindOpen) {
    for (const int kind : kKinds) {
        SCOPED_TRACE(kind);
        auto dialog = Make(kind, 2311);
        ASSERT_TRUE(Open(*dialog));
        Esc(*dialog);
        EXPECT_TRUE(dialog->IsWindowVisible());
        dialog->DestroyWindow();
    }
}

TEST_F(PopDlgTest, ClearEmptiesTheFieldsOfTheRapidFireKindsAndClosesTheVersion) {
    auto key = Make(141);
    ASSERT_TRUE(Open(*key));
    CaptureKey(*key, 'A');
    SetNumber(*key, L"5");
    Click(*key, IDC_POPUP_CLEAR);
    EXPECT_TRUE(key->IsWindowVisible());
    EXPECT_EQ(key->FieldText(IDC_POPUP_KEY), L"");
    EXPECT_EQ(key->FieldText(IDC_POPUP_NUMBER), L"");
    EXPECT_EQ(key->capturedKey(), 0);
    // The captured key is forgotten: a number alone writes nothing.
    SetNumber(*key, L"5");
    Click(*key, IDC_POPUP_OK);
    EXPECT_FALSE(key->IsWindowVisible());
    EXPECT_EQ(TargetNow(), kUntouched);
    key->DestroyWindow();

    auto mouse = Make(146, 2312);
    ASSERT_TRUE(Open(*mouse));
    SetNumber(*mouse, L"12");
    Click(*mouse, IDC_POPUP_CLEAR);
    EXPECT_TRUE(mouse->IsWindowVisible());
    EXPECT_EQ(mouse->FieldText(IDC_POPUP_NUMBER), L"");
    Click(*mouse, IDC_POPUP_OK);
    EXPECT_EQ(TargetNow(), kUntouched);
    mouse->DestroyWindow();

    auto version = Make(150, 105);
    ASSERT_TRUE(Open(*version));
    Click(*version, IDC_POPUP_CLEAR);
    EXPECT_FALSE(version->IsWindowVisible());
    version->DestroyWindow();
}

// --- The number field's timer -----------------------------------------------

struct TimerCase {
    const wchar_t* typed;
    const wchar_t* after;
    bool rewritten;  // the caret then sits after the third character
};

const TimerCase kTimerCases[] = {
    {L"", L"", false},           {L"5", L"5", false},       {L"12", L"12", false},
    {L"007", L"007", false},     {L"254", L"254", false},   {L"255", L"254", true},
    {L"300", L"254", true},      {L"999", L"254", true},    {L"1234", L"234", true},
    {L"1300", L"254", true},     {L"0300", L"254", true},   {L"99999", L"254", true},
    {L"12345678", L"254", true}, {L"000254", L"254", true}, {L"4000", L"000", true},
    {L"9123", L"123", true},
};

TEST_F(PopDlgTest, TheTimerKeepsTheNumberAtThreeDigitsAndAtMost254) {
    for (const int kind : {141, 146}) {
        auto dialog = Make(kind, 2311);
        ASSERT_TRUE(Open(*dialog));
        const HWND field = dialog->Field(IDC_POPUP_NUMBER);
        for (const TimerCase& c : kTimerCases) {
            SCOPED_TRACE(::testing::Message()
                         << kind << " " << std::string(c.typed, c.typed + wcslen(c.typed)));
            SetNumber(*dialog, c.typed);
            ::SendMessageW(field, EM_SETSEL, 0, 0);
            Tick(*dialog);
            EXPECT_EQ(dialog->FieldText(IDC_POPUP_NUMBER), c.after);
            DWORD start = 0;
            DWORD end = 0;
            ::SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            if (c.rewritten) {
                EXPECT_EQ(start, 3u);
                EXPECT_EQ(end, 3u);
            }
        }
        // Another timer's tick changes nothing.
        SetNumber(*dialog, L"1234");
        dialog->SendMessage(WM_TIMER, CPopDlg::kNumberTimer + 1);
        EXPECT_EQ(dialog->FieldText(IDC_POPUP_NUMBER), L"1234");
        dialog->DestroyWindow();
    }
}

// Real typing: a fourth digit typed at the end pushes out the first, and the
// caret stays at the end for the next one.
TEST_F(PopDlgTest, TypedDigitsAfterTheThirdPushOutTheFirst) {
    auto dialog = Make(146, 2311);
    ASSERT_TRUE(Open(*dialog));
    ASSERT_TRUE(ToForeground(*dialog));
    ::SetFocus(dialog->Field(IDC_POPUP_NUMBER));
    const auto typeAndTick = [&](WORD vk, const wchar_t* expected) {
        ASSERT_TRUE(SendInputs(Tap(vk)));
        // The real timer may tick meanwhile; the delivered tick settles it.
        const auto text = [&] { return dialog->FieldText(IDC_POPUP_NUMBER); };
        ASSERT_TRUE(PumpDialogUntil(
            *dialog,
            [&] { return text().size() >= 3 && text().back() == static_cast<wchar_t>(vk); }))
            << "typed so far: " << ::testing::PrintToString(text());
        Tick(*dialog);
        EXPECT_EQ(text(), expected);
    };
    for (const WORD digit : {'1', '1'}) {
        ASSERT_TRUE(SendInputs(Tap(digit)));
    }
    ASSERT_TRUE(
        PumpDialogUntil(*dialog, [&] { return dialog->FieldText(IDC_POPUP_NUMBER) == L"11"; }));
    typeAndTick('2', L"112");
    typeAndTick('0', L"120");
    typeAndTick('5', L"205");
    typeAndTick('9', L"059");
    // A letter cannot be typed; the next digit pushes out the 0, and 597 reads 254.
    ASSERT_TRUE(SendInputs(Tap('X')));
    ASSERT_TRUE(SendInputs(Tap('7')));
    ASSERT_TRUE(
        PumpDialogUntil(*dialog, [&] { return dialog->FieldText(IDC_POPUP_NUMBER) != L"059"; }));
    Tick(*dialog);
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_NUMBER), L"254");
    dialog->DestroyWindow();
}

// --- Key capture through the keyboard hook ----------------------------------

TEST_F(PopDlgTest, RealKeysAreNamedInTheKeyFieldNeverTyped) {
    auto dialog = Make(141);
    ASSERT_TRUE(Open(*dialog));
    EXPECT_EQ(fixture.hooks.KeyboardTarget(), dialog->GetSafeHwnd());
    ASSERT_TRUE(ToForeground(*dialog));
    ::SetFocus(dialog->Field(IDC_POPUP_KEY));

    const struct {
        WORD vk;
        const wchar_t* name;
    } keys[] = {
        {'A', L"A"},           {VK_F5, L"F5"},   {VK_SPACE, L"SPACE"},       {'7', L"7"},
        {VK_RETURN, L"ENTER"},  // Enter in the key field is a key, not OK
        {VK_ESCAPE, L"ESC"},   {VK_TAB, L"TAB"}, {VK_LSHIFT, L"Left SHIFT"}, {'Q', L"Q"},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.vk);
        ASSERT_TRUE(SendInputs(Tap(key.vk)));
        EXPECT_TRUE(PumpDialogUntil(*dialog, [&] {
            return dialog->capturedKey() == key.vk && dialog->FieldText(IDC_POPUP_KEY) == key.name;
        })) << ::testing::PrintToString(dialog->FieldText(IDC_POPUP_KEY));
        EXPECT_TRUE(dialog->IsWindowVisible());
        EXPECT_EQ(::GetFocus(), dialog->Field(IDC_POPUP_KEY)) << "Tab does not move the focus";
    }
    // Nothing was typed into either field.
    PumpDialogUntil(*dialog, [] { return true; });
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_KEY), L"Q");
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_NUMBER), L"");

    // With the number field focused, keys are typed there and not captured.
    ::SetFocus(dialog->Field(IDC_POPUP_NUMBER));
    ASSERT_TRUE(SendInputs(Tap('9')));
    ASSERT_TRUE(
        PumpDialogUntil(*dialog, [&] { return dialog->FieldText(IDC_POPUP_NUMBER) == L"9"; }));
    EXPECT_EQ(dialog->capturedKey(), 'Q');
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_KEY), L"Q");

    Click(*dialog, IDC_POPUP_OK);
    EXPECT_EQ(TargetNow(), (Written{L"Rapid Fire Q [9]", 2400, 'Q', 9}));
}

TEST_F(PopDlgTest, HookMessagesWithoutTheKeyFieldFocusedOrWithoutAKeyChangeNothing) {
    auto dialog = Make(141);
    ASSERT_TRUE(Open(*dialog));
    CaptureKey(*dialog, 'A');
    ::SetFocus(dialog->Field(IDC_POPUP_NUMBER));
    dialog->SendMessage(kHookMessage, 'B', 0);
    ::SetFocus(dialog->Field(IDC_POPUP_KEY));
    dialog->SendMessage(kHookMessage, 0, 0);
    dialog->SendMessage(kHookMessage, 0x1234, 0);
    EXPECT_EQ(dialog->capturedKey(), 'A');
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_KEY), L"A");
    // A key without a name is captured all the same.
    dialog->SendMessage(kHookMessage, 0x07, 0x80);
    EXPECT_EQ(dialog->capturedKey(), 0x07);
    EXPECT_EQ(dialog->FieldText(IDC_POPUP_KEY), L"");
    dialog->DestroyWindow();

    // The other kinds take no key.
    for (const int kind : {139, 146, 150, 155}) {
        auto other = Make(kind);
        ASSERT_TRUE(Open(*other));
        other->SendMessage(kHookMessage, 'A', 0);
        EXPECT_EQ(other->capturedKey(), 0);
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
        other->DestroyWindow();
    }
}

TEST_F(PopDlgTest, WithoutTheHookKind141SaysInputFailedAndStaysOpen) {
    // Another hook state holds the hooks, so this one cannot install its own.
    InputHooks other;
    ASSERT_TRUE(other.InstallKeyboardHook(owner));
    auto dialog = Make(141);
    ASSERT_TRUE(Open(*dialog));
    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].text, L"Input failed.");
    EXPECT_EQ(messageBoxes[0].caption, L"Vandir II");
    EXPECT_EQ(messageBoxes[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(messageBoxes[0].owner, dialog->GetSafeHwnd());
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(::GetFocus(), dialog->Field(IDC_POPUP_KEY));
    EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    EXPECT_EQ(other.KeyboardTarget(), owner.GetSafeHwnd()) << "the other hook is left alone";
    SetNumber(*dialog, L"5");
    Click(*dialog, IDC_POPUP_OK);
    EXPECT_EQ(TargetNow(), kUntouched);
    dialog->DestroyWindow();
    EXPECT_EQ(other.KeyboardTarget(), owner.GetSafeHwnd());
}

TEST_F(PopDlgTest, TheKeyboardHookLivesAsLongAsTheKeyDialog) {
    {
        auto dialog = Make(141);
        ASSERT_TRUE(Open(*dialog));
        EXPECT_EQ(fixture.hooks.KeyboardTarget(), dialog->GetSafeHwnd());
        dialog->DestroyWindow();
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    {
        // Destroyed with its object, without DestroyWindow first.
        auto dialog = Make(141);
        ASSERT_TRUE(Open(*dialog));
        EXPECT_TRUE(fixture.hooks.KeyboardHookInstalled());
        dialog.reset();
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    {
        // Run modally: installed during the run, removed with the window.
        auto dialog = Make(141);
        HWND targetDuringRun = nullptr;
        dialog->afterSetUp = [&](TestPopDlg& d) {
            targetDuringRun = fixture.hooks.KeyboardTarget();
            EXPECT_EQ(targetDuringRun, d.GetSafeHwnd());
            d.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_POPUP_OK, BN_CLICKED),
                          reinterpret_cast<LPARAM>(d.Field(IDC_POPUP_OK)));
            d.PostMessage(kGiveUpMessage);
        };
        EXPECT_EQ(dialog->DoModal(), IDOK);
        EXPECT_NE(targetDuringRun, nullptr);
        EXPECT_FALSE(fixture.hooks.KeyboardHookInstalled());
    }
    // Another kind closing leaves a hook that another window holds.
    ASSERT_TRUE(fixture.hooks.InstallKeyboardHook(owner));
    auto notice = Make(139);
    ASSERT_TRUE(Open(*notice));
    notice->DestroyWindow();
    EXPECT_EQ(fixture.hooks.KeyboardTarget(), owner.GetSafeHwnd());
    fixture.hooks.RemoveKeyboardHook();
}

// --- Version texts ----------------------------------------------------------

struct VersionCase {
    uint16_t value;
    std::optional<bool> mouse;  // what the link check answers; none: no check set
    const wchar_t* firmware;
    int checks;  // how often the link is asked
};

const VersionCase kVersionCases[] = {
    {105, true, L"V1.05", 1},   {100, true, L"V1.00", 1},        {1, true, L"V0.01", 1},
    {1234, true, L"V12.34", 1}, {65535, true, L"V655.35", 1},    {105, false, L"-.--", 1},
    {0, true, L"-.--", 0},      {105, std::nullopt, L"-.--", 0},
};

TEST_F(PopDlgTest, TheVersionKindShowsV100AndTheFirmwareOfAConnectedMouse) {
    for (const VersionCase& c : kVersionCases) {
        SCOPED_TRACE(::testing::Message() << c.value << " mouse " << c.mouse.value_or(false));
        int checks = 0;
        auto dialog = Make(150, c.value);
        if (c.mouse) {
            dialog->SetMouseLink([&] {
                ++checks;
                return *c.mouse;
            });
        }
        ASSERT_TRUE(Open(*dialog));
        EXPECT_EQ(dialog->Item<CKivStatic>(IDC_POPUP_SOFTWARE_VERSION).text(), L"V1.00");
        EXPECT_EQ(dialog->Item<CKivStatic>(IDC_POPUP_FIRMWARE_VERSION).text(), c.firmware);
        EXPECT_EQ(checks, c.checks);
        dialog->DestroyWindow();
    }
}

// The link check as the program gives it: the transport's ensure-open, with
// the simulated mouse plugged in or not.
TEST_F(PopDlgTest, TheVersionKindAsksTheMouseLinkToOpen) {
    for (const bool plugged : {true, false}) {
        SCOPED_TRACE(plugged);
        SimulatedMouse mouse;
        if (!plugged) {
            mouse.Unplug();
        }
        testing::RecordingClock clock;
        Transport transport(mouse, clock);
        auto dialog = Make(150, 105);
        dialog->SetMouseLink([&] { return transport.EnsureOpen() == 1; });
        ASSERT_TRUE(Open(*dialog));
        EXPECT_EQ(dialog->Item<CKivStatic>(IDC_POPUP_FIRMWARE_VERSION).text(),
                  plugged ? L"V1.05" : L"-.--");
        EXPECT_EQ(transport.IsPresent(), plugged) << "the link was opened";
        dialog->DestroyWindow();
    }
}

// --- Edit boxes 1124/1125 and hover notices ----------------------------------

// The edit boxes 1124 and 1125 report a change as (their ID, 102); the
// buttons report the pointer as (1124, button ID) and (1125, button ID). Each
// pair must reach the dialog as what it is.
TEST_F(PopDlgTest, EditChangesAndHoverNoticesWithTheSameNumbersAreToldApart) {
    const struct {
        int kind;
        WPARAM wParam;
        LPARAM lParam;
        ControlEvent event;
    } cases[] = {
        {141, IDC_POPUP_KEY, kTextChanged, {Kind::TextChanged, IDC_POPUP_KEY, 0}},
        {141, IDC_POPUP_NUMBER, kTextChanged, {Kind::TextChanged, IDC_POPUP_NUMBER, 0}},
        {141, kMouseEntered, IDC_POPUP_OK, {Kind::MouseEntered, IDC_POPUP_OK, 0}},
        {141, kMouseLeft, IDC_POPUP_CLEAR, {Kind::MouseLeft, IDC_POPUP_CLEAR, 0}},
        {146, IDC_POPUP_NUMBER, kTextChanged, {Kind::TextChanged, IDC_POPUP_NUMBER, 0}},
        {146, kMouseEntered, IDC_POPUP_CLEAR, {Kind::MouseEntered, IDC_POPUP_CLEAR, 0}},
        {146, kMouseLeft, IDC_POPUP_OK, {Kind::MouseLeft, IDC_POPUP_OK, 0}},
        {150, kMouseEntered, IDC_POPUP_OK, {Kind::MouseEntered, IDC_POPUP_OK, 0}},
        {155, kMouseLeft, IDC_POPUP_OK, {Kind::MouseLeft, IDC_POPUP_OK, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.kind << ": " << c.wParam << ", " << c.lParam);
        auto dialog = Make(c.kind, 2311);
        ASSERT_TRUE(Open(*dialog));
        dialog->events.clear();
        dialog->SendMessage(WM_SYSCOMMAND, c.wParam, c.lParam);
        EXPECT_THAT(dialog->events, ElementsAre(c.event));
        EXPECT_TRUE(dialog->IsWindowVisible()) << "a notice neither closes nor clicks";
        EXPECT_EQ(TargetNow(), kUntouched);
        dialog->DestroyWindow();
    }
}

// The same with real input: the pointer over OK and a digit typed.
TEST_F(PopDlgTest, RealHoverAndTypingReachTheDialogAsWhatTheyAre) {
    auto dialog = Make(146, 2311);
    ASSERT_TRUE(Open(*dialog));
    ASSERT_TRUE(ToForeground(*dialog));
    ::SetFocus(dialog->Field(IDC_POPUP_NUMBER));
    PumpDialogUntil(*dialog, [] { return true; });
    dialog->events.clear();

    const RECT ok = ScreenRectOf(dialog->Field(IDC_POPUP_OK));
    ASSERT_TRUE(SendInputs({MouseMoveTo({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2})}));
    ASSERT_TRUE(PumpDialogUntil(*dialog, [&] { return !dialog->events.empty(); }));
    EXPECT_THAT(dialog->events, ElementsAre(ControlEvent{Kind::MouseEntered, IDC_POPUP_OK, 0},
                                            ControlEvent{Kind::MouseOver, IDC_POPUP_OK, 0}));
    dialog->events.clear();

    ASSERT_TRUE(SendInputs(Tap('4')));
    ASSERT_TRUE(PumpDialogUntil(*dialog, [&] { return !dialog->events.empty(); }));
    EXPECT_THAT(dialog->events, ElementsAre(ControlEvent{Kind::TextChanged, IDC_POPUP_NUMBER, 0}));
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(TargetNow(), kUntouched);
    ASSERT_TRUE(SendInputs({MouseMoveTo(kParking)}));
    PumpDialogUntil(*dialog, [] { return true; });
    dialog->DestroyWindow();
}

}  // namespace

}  // namespace vandir
