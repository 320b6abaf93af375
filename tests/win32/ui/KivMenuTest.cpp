// The skinned pop-up list on an owner window that records every notification
// it receives. Hovering, clicking and clicks outside the lists use real input
// (SendInput into the list windows, which also drives the mouse hook); checks
// that something does not happen, and the hook message with the cursor at a
// chosen place, use window messages.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Gdi.h"
#include "skin/ControlNotifications.h"
#include "skin/InputHooks.h"
#include "skin/KivImageDialog.h"
#include "skin/KivMenu.h"
#include "skin/SkinText.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/PngCapture.h"
#include "win32/ui/RecordingParent.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

const ParentEvent kAboutToHide = Sys(kListHiding, 1);
const ParentEvent kHidden = Sys(kListHiding, 0);

using Notes = std::vector<ParentEvent>;

void PumpPending() {
    PumpUntil([] { return ::GetQueueStatus(QS_ALLINPUT) == 0; }, 1000);
}

// The owner: records every notification and then lets it go on to the
// default processing, as the windows that own lists do with those not theirs;
// counts the button releases that reach it.
class OwnerWindow : public WithMessageMap<OwnerWindow, RecordingParent<CWnd>> {
public:
    static const ClassMessageMap<OwnerWindow> messageMap;
    int leftButtonUps = 0;
    int rightButtonUps = 0;

private:
    static const MessageMapEntry messageEntries[];
    // Both decline, so that the default processing follows.
    bool OnLeftButtonUp(Message&) {
        ++leftButtonUps;
        return false;
    }
    bool OnRightButtonUp(Message&) {
        ++rightButtonUps;
        return false;
    }
};

const MessageMapEntry OwnerWindow::messageEntries[] = {
    On<WM_LBUTTONUP, &OwnerWindow::OnLeftButtonUp>(),
    On<WM_RBUTTONUP, &OwnerWindow::OnRightButtonUp>(),
};
const ClassMessageMap<OwnerWindow> OwnerWindow::messageMap{messageEntries};

// --- Real input ------------------------------------------------------------

bool CursorAt(POINT at) {
    POINT cursor{};
    return ::GetCursorPos(&cursor) && cursor.x == at.x && cursor.y == at.y;
}

// Moves the pointer to a screen point and handles what the move caused.
// Under Wine, injected moves leave the X server's pointer where it was, and
// every window that X then maps or unmaps under that pointer reports it as a
// move back there. So the X pointer is put at the same point first
// (SetCursorPos warps it), and the move itself is injected as real input.
::testing::AssertionResult MoveTo(POINT at) {
    if (!::SetCursorPos(at.x, at.y)) {
        return ::testing::AssertionFailure() << "SetCursorPos failed";
    }
    if (auto sent = SendInputs({MouseMoveTo(at)}); !sent) {
        return sent;
    }
    if (!PumpUntil([&] { return CursorAt(at); })) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        return ::testing::AssertionFailure() << "the pointer never reached " << at.x << "," << at.y
                                             << "; it is at " << cursor.x << "," << cursor.y;
    }
    PumpPending();
    return ::testing::AssertionSuccess();
}

// A left click at a screen point.
::testing::AssertionResult ClickAt(POINT at) {
    if (auto moved = MoveTo(at); !moved) {
        return moved;
    }
    return SendInputs({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
}

// --- Geometry --------------------------------------------------------------

RECT Rect(int x, int y, int width, int height) {
    return RECT{x, y, x + width, y + height};
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
    if (EqualRect(&actual, &expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "rect (" << actual.left << ", " << actual.top << ", " << actual.right << ", "
           << actual.bottom << "), expected (" << expected.left << ", " << expected.top << ", "
           << expected.right << ", " << expected.bottom << ")";
}

// A client point of a list in screen coordinates.
POINT ToScreen(const CKivMenu& list, POINT client) {
    ::ClientToScreen(list.GetSafeHwnd(), &client);
    return client;
}

POINT EntryCentre(const CKivMenu& list, size_t index) {
    const RECT& r = list.items().at(index)->rect;
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT EntryOnScreen(const CKivMenu& list, size_t index) {
    return ToScreen(list, EntryCentre(list, index));
}

// Text height of the toolkit font, measured independently of the list: the
// list's font is "Arial", cell height 16, weight 400.
int MeasuredTextHeight(const std::wstring& text) {
    UniqueFont font(
        ::CreateFontW(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20, L"Arial"));
    WindowDC screen(nullptr);
    SelectedObject selected(screen.Get(), font.Get());
    SIZE size{};
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cy;
}

// The path from the function list to its "Rapid Fire" sub-list.
constexpr int kRapidFirePath[] = {2300};

// The function list of a key-assignment selector, built as the page builds it.
void BuildFunctionList(CKivMenu& list) {
    for (const auto& [value, text] :
         std::vector<std::pair<int, const wchar_t*>>{{0, L"Disable"},
                                                     {1101, L"Left Click"},
                                                     {1102, L"Right Click"},
                                                     {1103, L"Wheel Click"},
                                                     {1105, L"Browser Forward"},
                                                     {1104, L"Browser Back"},
                                                     {2000, L"Keyboard"}}) {
        list.AddItem(value, text);
    }
    const auto addWithSubList = [&](int value, const wchar_t* text) {
        list.AddItem(value, text);
        list.GetSubList(value)->MoveWindow(0, 0, 100, 20);
    };
    addWithSubList(2200, L"MultiMedia");
    for (const auto& [value, text] :
         std::vector<std::pair<int, const wchar_t*>>{{2208, L"Web Browser"},
                                                     {2209, L"E-Mail"},
                                                     {2210, L"Media Player"},
                                                     {2201, L"Play/ Pause"},
                                                     {2202, L"Stop"},
                                                     {2204, L"Next Track"},
                                                     {2203, L"Previous Track"},
                                                     {2205, L"Volume Up"},
                                                     {2206, L"Volume Down"},
                                                     {2207, L"Mute Speaker"},
                                                     {2211, L"Calculator"},
                                                     {2212, L"My Computer"}}) {
        list.AddSubItem(value, 2200, text);
    }
    addWithSubList(2300, L"Rapid Fire");
    list.AddSubItem(2301, 2300, L"Mouse");
    CKivMenu& rapidFire = *list.SubListAt(kRapidFirePath);
    rapidFire.AddSubItem(2311, 2301, L"Left Click");
    rapidFire.AddSubItem(2312, 2301, L"Right Click");
    rapidFire.AddSubItem(2313, 2301, L"Wheel Click");
    rapidFire.AddSubItem(2315, 2301, L"IE Forward");
    rapidFire.AddSubItem(2314, 2301, L"IE Back");
    list.AddSubItem(2400, 2300, L"Keyboard");
    addWithSubList(2500, L"DPI");
    list.AddSubItem(2502, 2500, L"DPI [+]");
    list.AddSubItem(2504, 2500, L"DPI [-]");
    list.AddSubItem(2503, 2500, L"DPI Cycle[+]");
    list.AddSubItem(2505, 2500, L"DPI Cycle[-]");
    list.AddItem(2600, L"Sensor ON/OFF");
    list.AddItem(2700, L"LOD Tuning(Press over 3sec)");
}

// Positions in the function list.
constexpr size_t kKeyboardEntry = 6;
constexpr size_t kRapidFireEntry = 8;
constexpr size_t kDpiEntry = 9;

// --- Fixture ---------------------------------------------------------------

constexpr UINT kRootId = 4242;
constexpr int kRootWidth = 270;  // a selector 272 wide makes its list 2 narrower

class KivMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirKivMenuTestOwner", 0,
                                                       ::GetSysColorBrush(COLOR_WINDOW));
        ASSERT_TRUE(owner_.CreateEx(0, cls, L"owner", WS_POPUP | WS_VISIBLE,
                                    Rect(700, 600, 400, 300), nullptr, 0));
        ReleaseButtons();
        // The pointer rests on the owner, away from where the lists open.
        ASSERT_TRUE(MoveTo(OwnerCentre()));
        owner_.events.clear();
    }

    void TearDown() override { ReleaseButtons(); }

    // Lets go of buttons a failed test (this one or an earlier one) left down.
    static void ReleaseButtons() {
        ReleaseHeldInput();
        PumpPending();
    }

    POINT OwnerCentre() const {
        const RECT r = owner_.GetWindowRect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    // A root list on the owner at (100, 100), filled with the function list.
    ::testing::AssertionResult CreateFunctionList() {
        if (!root_.Create(L"menu", Rect(100, 100, kRootWidth, 10), owner_, kRootId)) {
            return ::testing::AssertionFailure() << "Create failed";
        }
        BuildFunctionList(root_);
        return ::testing::AssertionSuccess();
    }

    CKivMenu& RapidFire() { return *root_.GetSubList(2300); }
    CKivMenu& RapidFireMouse() { return *RapidFire().GetSubList(2301); }
    CKivMenu& Dpi() { return *root_.GetSubList(2500); }

    // Hovers over an entry with real input and waits for its sub-list.
    ::testing::AssertionResult HoverAndOpen(CKivMenu& list, size_t entry, CKivMenu& subList) {
        if (auto moved = MoveTo(EntryOnScreen(list, entry)); !moved) {
            return moved;
        }
        if (!PumpUntil([&] { return subList.IsWindowVisible() != FALSE; })) {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            return ::testing::AssertionFailure()
                   << "the sub-list did not open; hover entry " << list.hoverIndex()
                   << ", window under the pointer " << ::WindowFromPoint(cursor) << ", list "
                   << list.GetSafeHwnd();
        }
        return ::testing::AssertionSuccess();
    }

    // Shows the function list and opens "Rapid Fire" > "Mouse" by hovering.
    ::testing::AssertionResult OpenThreeLevels() {
        root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
        if (auto opened = HoverAndOpen(root_, kRapidFireEntry, RapidFire()); !opened) {
            return opened;
        }
        return HoverAndOpen(RapidFire(), 0, RapidFireMouse());
    }

    bool AllHidden() {
        return !root_.IsWindowVisible() && !RapidFire().IsWindowVisible() &&
               !RapidFireMouse().IsWindowVisible();
    }

    void SendMouseMove(CKivMenu& list, POINT client) {
        list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }

    // Declared in this order: the lists go first, the hooks last.
    InputHooks hooks_;
    OwnerWindow owner_;
    CKivMenu root_{hooks_};
};

// --- Creation and entries --------------------------------------------------

TEST_F(KivMenuTest, CreateMakesAHiddenBorderlessPopUpThatNeverTakesTheCommandIdAsMenu) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(120, 80, 150, 10), owner_, kRootId));
    const HWND list = root_;

    EXPECT_FALSE(root_.IsWindowVisible());
    EXPECT_TRUE(SameRect(root_.GetWindowRect(), Rect(120, 80, 150, 10)));
    EXPECT_TRUE(SameRect(root_.GetClientRect(), Rect(0, 0, 150, 10))) << "no border left";
    const DWORD style = root_.GetStyle();
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(list, GWL_EXSTYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CHILD),
              static_cast<DWORD>(WS_POPUP | WS_SYSMENU));
    EXPECT_NE(exStyle & WS_EX_NOACTIVATE, 0u);
    EXPECT_EQ(::GetWindow(list, GW_OWNER), owner_.GetSafeHwnd());
    EXPECT_EQ(::GetMenu(list), nullptr);
    EXPECT_EQ(::GetClassLongPtrW(list, GCLP_HBRBACKGROUND), 0);
    EXPECT_EQ(root_.GetWindowText(), L"menu");

    EXPECT_EQ(root_.commandId(), kRootId);
    EXPECT_EQ(root_.owner(), owner_.GetSafeHwnd());
    EXPECT_EQ(root_.parentList(), nullptr);
    EXPECT_EQ(root_.hoverIndex(), -1);
    EXPECT_EQ(root_.clickedValue(), -1);

    EXPECT_FALSE(root_.Create(L"menu", Rect(0, 0, 10, 10), owner_, 1)) << "already created";
    EXPECT_EQ(root_.GetSafeHwnd(), list);
    CKivMenu ownerless(hooks_);
    EXPECT_FALSE(ownerless.Create(L"menu", Rect(0, 0, 100, 10), nullptr, 1));
    EXPECT_EQ(ownerless.GetSafeHwnd(), nullptr);
}

TEST_F(KivMenuTest, AnEntryWhoseValueIsPresentIsNotAddedAgain) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(0, 0, 150, 10), owner_, kRootId));
    EXPECT_TRUE(root_.AddItem(2000, L"Keyboard"));
    EXPECT_FALSE(root_.AddItem(2000, L"Other", false, true));
    ASSERT_EQ(root_.items().size(), 1u);
    EXPECT_EQ(root_.items()[0]->text, L"Keyboard");
    EXPECT_TRUE(root_.items()[0]->enabled);
    EXPECT_FALSE(root_.items()[0]->hasSubList);

    root_.AddItem(2300, L"Rapid Fire");
    root_.AddSubItem(2301, 2300, L"Mouse");
    root_.AddSubItem(2301, 2300, L"Mouse again");
    ASSERT_EQ(root_.subLists().size(), 1u);
    ASSERT_EQ(root_.subLists()[0]->items().size(), 1u);
    EXPECT_EQ(root_.subLists()[0]->items()[0]->text, L"Mouse");
}

TEST_F(KivMenuTest, SubListsAreCreatedOnDemandBesideTheirEntries) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(0, 0, 150, 10), owner_, kRootId));
    root_.AddItem(1101, L"Left Click");
    root_.AddItem(2300, L"Rapid Fire");

    root_.AddSubItem(2502, 2500, L"DPI [+]");
    EXPECT_TRUE(root_.subLists().empty()) << "no entry 2500: nothing happens";
    EXPECT_EQ(root_.SubListAt(kRapidFirePath), nullptr);
    EXPECT_TRUE(root_.subLists().empty()) << "no sub-list under 2300 yet, none created";

    root_.AddSubItem(2301, 2300, L"Mouse", false);
    EXPECT_FALSE(root_.items()[0]->hasSubList);
    EXPECT_TRUE(root_.items()[1]->hasSubList);
    ASSERT_EQ(root_.subLists().size(), 1u);
    CKivMenu& second = *root_.subLists()[0];
    EXPECT_EQ(&second, root_.GetSubList(2300));
    EXPECT_EQ(second.commandId(), 2300u);
    EXPECT_EQ(second.parentList(), &root_);
    EXPECT_EQ(second.owner(), owner_.GetSafeHwnd());
    EXPECT_EQ(::GetWindow(second, GW_OWNER), owner_.GetSafeHwnd());
    EXPECT_FALSE(second.IsWindowVisible());
    EXPECT_TRUE(SameRect(second.GetWindowRect(), Rect(0, 0, 100, 10)));
    ASSERT_EQ(second.items().size(), 1u);
    EXPECT_FALSE(second.items()[0]->enabled);
    EXPECT_FALSE(second.items()[0]->hasSubList);

    EXPECT_EQ(root_.SubListAt({}), &root_);
    ASSERT_EQ(root_.SubListAt(kRapidFirePath), &second);
    second.AddSubItem(2311, 2301, L"Left Click");
    second.AddSubItem(2312, 2301, L"Right Click");
    EXPECT_TRUE(second.items()[0]->hasSubList);
    ASSERT_EQ(second.subLists().size(), 1u);
    const CKivMenu& third = *second.subLists()[0];
    EXPECT_EQ(third.commandId(), 2301u);
    EXPECT_EQ(third.parentList(), &second);
    EXPECT_EQ(third.owner(), owner_.GetSafeHwnd());
    ASSERT_EQ(third.items().size(), 2u);
    EXPECT_EQ(third.items()[0]->value, 2311);
    EXPECT_EQ(third.items()[1]->text, L"Right Click");
    EXPECT_TRUE(third.items()[1]->enabled);

    // A second-level list without 2301 takes no third-level entries.
    CKivMenu other(hooks_);
    ASSERT_TRUE(other.Create(L"menu", Rect(0, 0, 150, 10), owner_, 1));
    other.AddItem(2300, L"Rapid Fire");
    other.AddSubItem(2400, 2300, L"Keyboard");
    other.SubListAt(kRapidFirePath)->AddSubItem(2311, 2301, L"Left Click");
    ASSERT_EQ(other.subLists().size(), 1u);
    EXPECT_EQ(other.subLists()[0]->items().size(), 1u);
    EXPECT_TRUE(other.subLists()[0]->subLists().empty());
}

TEST_F(KivMenuTest, FindItemSearchesThisLevelFirstThenSubListsDepthFirst) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(0, 0, 150, 10), owner_, kRootId));
    root_.AddItem(2300, L"Rapid Fire");
    root_.AddItem(2500, L"DPI");
    root_.AddSubItem(2301, 2300, L"Mouse");
    root_.SubListAt(kRapidFirePath)->AddSubItem(7, 2301, L"third level under the first sub-list");
    root_.AddSubItem(7, 2500, L"second level under the second sub-list");
    root_.AddSubItem(2600, 2500, L"second level");
    root_.AddItem(2301, L"top level, added last");

    struct Case {
        int value;
        const wchar_t* text;  // null: not found
    };
    const Case cases[] = {
        {2301, L"top level, added last"},
        {7, L"third level under the first sub-list"},
        {2600, L"second level"},
        {2500, L"DPI"},
        {99, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const MenuItem* found = root_.FindItem(c.value);
        if (c.text == nullptr) {
            EXPECT_EQ(found, nullptr);
        } else {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->text, c.text);
        }
    }
}

// --- Layout and placement --------------------------------------------------

TEST_F(KivMenuTest, LayoutStacksEntriesOfTheFirstEntrysHeight) {
    struct Case {
        const char* name;
        RECT created;
        std::vector<std::wstring> texts;
    };
    const Case cases[] = {
        {"one entry", Rect(40, 50, 150, 10), {L"Exit"}},
        {"three entries", Rect(300, 20, 100, 20), {L"Mouse", L"Keyboard", L"gjpqy"}},
        {"a long list",
         Rect(10, 10, 270, 10),
         {L"Disable", L"Left Click", L"Right Click", L"Wheel Click", L"Browser Forward",
          L"Browser Back", L"Keyboard", L"MultiMedia", L"Rapid Fire", L"DPI", L"Sensor ON/OFF",
          L"LOD Tuning(Press over 3sec)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKivMenu list(hooks_);
        ASSERT_TRUE(list.Create(L"menu", c.created, owner_, 1));
        int value = 1;
        int measured = 0;
        for (const std::wstring& text : c.texts) {
            list.AddItem(value++, text);
            measured += MeasuredTextHeight(text) + 4;
        }
        EXPECT_EQ(list.MeasureHeight(), measured);

        list.Layout();
        const int e = MeasuredTextHeight(c.texts.front()) + 4;
        ASSERT_GT(e, 10) << "a 16-pixel font";
        const int w = c.created.right - c.created.left;
        const int n = static_cast<int>(c.texts.size());
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(
                SameRect(list.items()[i]->rect, RECT{1, 4 + i * e, w - 15, 4 + (i + 1) * e}));
        }
        EXPECT_TRUE(
            SameRect(list.GetWindowRect(), Rect(c.created.left, c.created.top, w, n * e + 8)));
        EXPECT_FALSE(list.IsWindowVisible()) << "laid out, not shown";
    }
}

TEST_F(KivMenuTest, ShowAtPutsTheChosenCornerAtThePointAndHooksTheList) {
    ASSERT_TRUE(CreateFunctionList());
    root_.Layout();
    const RECT laidOut = root_.GetWindowRect();
    const int w = laidOut.right - laidOut.left;
    const int h = laidOut.bottom - laidOut.top;
    struct Case {
        int kind;
        RECT expected;
    };
    const Case cases[] = {
        {CKivMenu::kTopLeft, Rect(400, 300, w, h)},
        {CKivMenu::kTopRight, Rect(400 - w, 300, w, h)},
        {CKivMenu::kBottomLeft, Rect(400, 300 - h, w, h)},
        {CKivMenu::kBottomRight, Rect(400 - w, 300 - h, w, h)},
        {7, Rect(400, 300, w, h)},  // an unknown kind places like the top-left one
    };
    const HWND activeBefore = ::GetActiveWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        // Some entry is highlighted before: showing starts without one.
        SendMouseMove(root_, EntryCentre(root_, 2));
        ASSERT_EQ(root_.hoverIndex(), 2);

        root_.ShowAt(c.kind, 400, 300);
        EXPECT_TRUE(root_.IsWindowVisible());
        EXPECT_TRUE(SameRect(root_.GetWindowRect(), c.expected));
        EXPECT_EQ(root_.hoverIndex(), -1);
        EXPECT_TRUE(hooks_.MouseHookInstalled());
        EXPECT_EQ(hooks_.MouseTarget(), root_.GetSafeHwnd());
        EXPECT_EQ(::GetActiveWindow(), activeBefore) << "never activated";

        owner_.events.clear();
        root_.Hide();
        EXPECT_FALSE(root_.IsWindowVisible());
        EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden}));
        EXPECT_FALSE(hooks_.MouseHookInstalled()) << "the root's hiding removes the hook";
    }
}

TEST_F(KivMenuTest, AListWithoutEntriesIsNeverLaidOutOrShown) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(50, 60, 100, 10), owner_, kRootId));
    root_.Layout();
    EXPECT_TRUE(SameRect(root_.GetWindowRect(), Rect(50, 60, 100, 10)));
    root_.ShowAt(CKivMenu::kBottomRight, 300, 300);
    EXPECT_FALSE(root_.IsWindowVisible());
    EXPECT_TRUE(SameRect(root_.GetWindowRect(), Rect(50, 60, 100, 10)));
    EXPECT_FALSE(hooks_.MouseHookInstalled());
    root_.Hide();
    EXPECT_TRUE(owner_.SystemCommands().empty()) << "a hidden list does not report hiding";

    // An entry marked as having a sub-list whose sub-list is empty opens nothing.
    root_.AddItem(2600, L"Sensor ON/OFF", true, true);
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    SendMouseMove(root_, EntryCentre(root_, 0));
    CKivMenu& empty = *root_.GetSubList(2600);
    EXPECT_TRUE(empty.items().empty());
    EXPECT_FALSE(empty.IsWindowVisible());
    EXPECT_EQ(hooks_.MouseTarget(), root_.GetSafeHwnd());
    EXPECT_EQ(root_.hoverIndex(), 0);
    root_.Hide();
}

// --- Cascading -------------------------------------------------------------

TEST_F(KivMenuTest, HoveringOpensTheSubListBesideItsEntryAndAnotherEntryClosesIt) {
    ASSERT_TRUE(CreateFunctionList());
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    const RECT list = root_.GetWindowRect();
    const int e = MeasuredTextHeight(L"Disable") + 4;

    ASSERT_TRUE(HoverAndOpen(root_, kRapidFireEntry, RapidFire()));
    const int rapidTop = root_.items()[kRapidFireEntry]->rect.top;
    EXPECT_TRUE(SameRect(RapidFire().GetWindowRect(),
                         Rect(list.right - 5, list.top + rapidTop - 5, 100, 2 * e + 8)));
    EXPECT_EQ(root_.hoverIndex(), static_cast<int>(kRapidFireEntry));
    EXPECT_EQ(RapidFire().hoverIndex(), -1);
    EXPECT_EQ(hooks_.MouseTarget(), RapidFire().GetSafeHwnd()) << "the list shown last";
    EXPECT_TRUE(owner_.SystemCommands().empty()) << "nothing was open to close";

    // Moving inside the hover entry leaves its sub-list alone.
    POINT inside = EntryCentre(root_, kRapidFireEntry);
    inside.x += 20;
    SendMouseMove(root_, inside);
    EXPECT_TRUE(RapidFire().IsWindowVisible());
    EXPECT_TRUE(owner_.SystemCommands().empty());

    ASSERT_TRUE(HoverAndOpen(root_, kDpiEntry, Dpi()));
    EXPECT_FALSE(RapidFire().IsWindowVisible());
    const int dpiTop = root_.items()[kDpiEntry]->rect.top;
    EXPECT_TRUE(SameRect(Dpi().GetWindowRect(),
                         Rect(list.right - 5, list.top + dpiTop - 5, 100, 4 * e + 8)));
    EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden}));
    EXPECT_EQ(hooks_.MouseTarget(), Dpi().GetSafeHwnd());

    owner_.events.clear();
    ASSERT_TRUE(MoveTo(EntryOnScreen(root_, kKeyboardEntry)));
    ASSERT_TRUE(PumpUntil([&] { return !Dpi().IsWindowVisible(); }));
    EXPECT_EQ(root_.hoverIndex(), static_cast<int>(kKeyboardEntry));
    EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden}));
    EXPECT_TRUE(root_.IsWindowVisible());

    // Between entries (the right margin) nothing changes: the highlight stays.
    owner_.events.clear();
    SendMouseMove(root_, {kRootWidth - 7, EntryCentre(root_, kKeyboardEntry).y});
    EXPECT_EQ(root_.hoverIndex(), static_cast<int>(kKeyboardEntry));
    EXPECT_TRUE(owner_.SystemCommands().empty());
    EXPECT_TRUE(root_.IsWindowVisible());
    root_.Hide();
}

// When the pointer goes from an entry with a sub-list to a plain entry, the
// sub-list closes and the hook points at the root list again, so a click
// outside still closes it.
TEST_F(KivMenuTest, AfterASubListClosedAClickOutsideStillClosesTheRoot) {
    ASSERT_TRUE(CreateFunctionList());
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    ASSERT_TRUE(HoverAndOpen(root_, kRapidFireEntry, RapidFire()));
    ASSERT_TRUE(MoveTo(EntryOnScreen(root_, kKeyboardEntry)));
    ASSERT_TRUE(PumpUntil([&] { return !RapidFire().IsWindowVisible(); }));
    EXPECT_EQ(hooks_.MouseTarget(), root_.GetSafeHwnd());

    owner_.events.clear();
    ASSERT_TRUE(ClickAt(OwnerCentre()));
    ASSERT_TRUE(PumpUntil([&] { return owner_.leftButtonUps == 1; }));
    PumpPending();
    EXPECT_TRUE(AllHidden());
    EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden})) << "no choice";
    EXPECT_FALSE(hooks_.MouseHookInstalled());
}

// True when window a lies above window b in the system's Z-order.
bool Above(HWND a, HWND b) {
    for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) {
            return true;
        }
        if (w == b) {
            return false;
        }
    }
    return false;
}

// True when the screen shows the list in front: left of its entries' text a
// list shows only its background colour.
::testing::AssertionResult ShownInFront(const CKivMenu& list) {
    const RECT r = list.GetWindowRect();
    const RECT margin{r.left + 3, r.top + 6, r.left + 9, r.bottom - 6};
    UniqueBitmap shot = CaptureScreen(margin);
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    SelectedObject selected(dc.Get(), shot.Get());
    for (int y = 0; y < margin.bottom - margin.top; ++y) {
        for (int x = 0; x < margin.right - margin.left; ++x) {
            if (const COLORREF c = ::GetPixel(dc.Get(), x, y); c != RGB(0x28, 0x28, 0x28)) {
                return ::testing::AssertionFailure()
                       << "at " << x << "," << y << " of the list's margin the screen shows "
                       << std::hex << c << ": the list is behind another window";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// The main window makes itself topmost while a list hides and then not
// (its topmost requests). Lists opened after that, at any level, still show
// over the owner (which lies under them, as the main window does) and over
// the lists opened before them.
TEST_F(KivMenuTest, AfterTheOwnersTopmostRequestsEveryListOpensInFront) {
    // As in the program, which has its icon before any list opens (under
    // Wine a window becomes topmost only once its process has one).
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = owner_.GetSafeHwnd();
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_ADD, &icon));
    owner_.MoveWindow(0, 0, 900, 600);
    ASSERT_TRUE(MoveTo(OwnerCentre()));
    ASSERT_TRUE(CreateFunctionList());
    owner_.onEvent = [&](const ParentEvent& e) {
        if (e == kAboutToHide || e == kHidden) {
            ::SetWindowPos(owner_.GetSafeHwnd(), e == kAboutToHide ? HWND_TOPMOST : HWND_NOTOPMOST,
                           0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        }
    };
    // A first choice through a sub-list: the lists hide with the owner topmost.
    ASSERT_TRUE(OpenThreeLevels());
    ASSERT_TRUE(ClickAt(EntryOnScreen(RapidFireMouse(), 1)));
    ASSERT_TRUE(PumpUntil([&] { return AllHidden(); }));
    PumpPending();

    // Then another sub-list, and three levels again.
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    ASSERT_TRUE(HoverAndOpen(root_, kDpiEntry, Dpi()));
    PumpPending();
    EXPECT_TRUE(ShownInFront(root_));
    EXPECT_TRUE(ShownInFront(Dpi()));
    EXPECT_TRUE(Above(Dpi().GetSafeHwnd(), root_.GetSafeHwnd()));
    EXPECT_TRUE(Above(Dpi().GetSafeHwnd(), owner_.GetSafeHwnd()));
    ASSERT_TRUE(HoverAndOpen(root_, kRapidFireEntry, RapidFire()));
    ASSERT_TRUE(HoverAndOpen(RapidFire(), 0, RapidFireMouse()));
    PumpPending();
    EXPECT_TRUE(ShownInFront(RapidFire()));
    EXPECT_TRUE(ShownInFront(RapidFireMouse()));
    EXPECT_TRUE(Above(RapidFireMouse().GetSafeHwnd(), RapidFire().GetSafeHwnd()));
    EXPECT_TRUE(Above(RapidFireMouse().GetSafeHwnd(), owner_.GetSafeHwnd()));
    owner_.onEvent = nullptr;
    root_.Hide();
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
}

TEST_F(KivMenuTest, NearTheScreenBottomASubListOpensUpwards) {
    ASSERT_TRUE(CreateFunctionList());
    const int fullScreen = ::GetSystemMetrics(SM_CYFULLSCREEN);
    struct Case {
        const char* name;
        int kind;
        int y;
        bool upwards;
    };
    const Case cases[] = {
        {"room below", CKivMenu::kTopLeft, 100, false},
        {"list ending at the screen bottom", CKivMenu::kBottomLeft, fullScreen, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        root_.ShowAt(c.kind, 100, c.y);
        const RECT list = root_.GetWindowRect();
        ASSERT_TRUE(HoverAndOpen(root_, kDpiEntry, Dpi()));
        const RECT& entry = root_.items()[kDpiEntry]->rect;
        ASSERT_EQ(entry.bottom + list.bottom >= fullScreen, c.upwards);
        const RECT sub = Dpi().GetWindowRect();
        const int x = list.right - 5;
        const int y = list.top + entry.top - 5;
        const int height = sub.bottom - sub.top;
        EXPECT_TRUE(SameRect(
            sub, c.upwards ? Rect(x, y + 25 - height, 100, height) : Rect(x, y, 100, height)));
        EXPECT_EQ(height, 4 * (MeasuredTextHeight(L"DPI [+]") + 4) + 8) << "laid out";
        EXPECT_EQ(hooks_.MouseTarget(), Dpi().GetSafeHwnd());
        root_.Hide();
        EXPECT_FALSE(Dpi().IsWindowVisible());
        ASSERT_TRUE(MoveTo(OwnerCentre()));
    }
}

// --- Choosing --------------------------------------------------------------

TEST_F(KivMenuTest, AThirdLevelChoiceClosesAllThreeListsThenReportsTheChoice) {
    ASSERT_TRUE(CreateFunctionList());
    ASSERT_TRUE(OpenThreeLevels());
    CKivMenu& third = RapidFireMouse();
    EXPECT_EQ(hooks_.MouseTarget(), third.GetSafeHwnd());
    ASSERT_TRUE(MoveTo(EntryOnScreen(third, 0)));
    EXPECT_EQ(third.hoverIndex(), 0);
    EXPECT_EQ(third.items()[0]->text, L"Left Click");

    owner_.events.clear();
    ASSERT_TRUE(ClickAt(EntryOnScreen(third, 0)));
    ASSERT_TRUE(PumpUntil([&] { return owner_.SystemCommands().size() >= 7; }));
    PumpPending();
    // Each list reports its hiding before it hides its parent; the parents
    // report theirs finished first.
    EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kAboutToHide, kAboutToHide, kHidden,
                                              kHidden, kHidden, Sys(2301, 2311)}));
    EXPECT_TRUE(AllHidden());
    EXPECT_EQ(third.clickedValue(), 2311);
    EXPECT_FALSE(hooks_.MouseHookInstalled());
}

TEST_F(KivMenuTest, EntriesNestAtAnyDepthAlongAPathOfEntryValues) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(100, 100, 150, 10), owner_, kRootId));
    root_.AddItem(5, L"Tools");
    root_.AddItem(10, L"Colours");
    root_.AddSubItem(11, 10, L"Warm");
    const int warmPath[] = {10};
    const int redPath[] = {10, 11};
    const int crimsonPath[] = {10, 11, 12};
    root_.SubListAt(warmPath)->AddSubItem(12, 11, L"Red");
    root_.SubListAt(redPath)->AddSubItem(13, 12, L"Crimson");

    const int strayPath[] = {10, 12};
    const int pastTheEndPath[] = {10, 11, 12, 13};
    const int noSubListPath[] = {5};
    EXPECT_EQ(root_.SubListAt(strayPath), nullptr) << "12 is not in the list under 10";
    EXPECT_EQ(root_.SubListAt(pastTheEndPath), nullptr) << "13 opens no list";
    EXPECT_EQ(root_.SubListAt(noSubListPath), nullptr);
    CKivMenu& second = *root_.SubListAt(warmPath);
    CKivMenu& third = *root_.SubListAt(redPath);
    CKivMenu* fourth = root_.SubListAt(crimsonPath);
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(fourth->commandId(), 12u);
    EXPECT_EQ(fourth->parentList(), &third);
    EXPECT_EQ(third.parentList(), &second);
    EXPECT_TRUE(third.items()[0]->hasSubList);
    ASSERT_EQ(fourth->items().size(), 1u);
    EXPECT_EQ(root_.FindItem(13), fourth->items()[0].get());

    // Opened by hovering and chosen as an entry of the function list's third level is.
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    ASSERT_TRUE(HoverAndOpen(root_, 1, second));
    ASSERT_TRUE(HoverAndOpen(second, 0, third));
    ASSERT_TRUE(HoverAndOpen(third, 0, *fourth));
    EXPECT_EQ(hooks_.MouseTarget(), fourth->GetSafeHwnd());
    owner_.events.clear();
    ASSERT_TRUE(ClickAt(EntryOnScreen(*fourth, 0)));
    ASSERT_TRUE(PumpUntil([&] { return owner_.SystemCommands().size() >= 9; }));
    PumpPending();
    EXPECT_EQ(owner_.SystemCommands(),
              (Notes{kAboutToHide, kAboutToHide, kAboutToHide, kAboutToHide, kHidden, kHidden,
                     kHidden, kHidden, Sys(12, 13)}));
    for (const CKivMenu* list : {&root_, &second, &third, fourth}) {
        EXPECT_FALSE(list->IsWindowVisible());
    }
    EXPECT_FALSE(hooks_.MouseHookInstalled());
}

TEST_F(KivMenuTest, AChoiceInTheRootReportsTheRootsCommandId) {
    ASSERT_TRUE(CreateFunctionList());
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    ASSERT_TRUE(ClickAt(EntryOnScreen(root_, 1)));
    ASSERT_TRUE(PumpUntil([&] { return owner_.SystemCommands().size() >= 3; }));
    PumpPending();
    EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden, Sys(kRootId, 1101)}));
    EXPECT_FALSE(root_.IsWindowVisible());
    EXPECT_EQ(root_.clickedValue(), 1101);
}

TEST_F(KivMenuTest, APressOnAMarginClosesTheListsWithoutAChoice) {
    ASSERT_TRUE(CreateFunctionList());
    struct Case {
        const char* name;
        bool openSubList;
        std::function<POINT()> where;  // screen point
        Notes expected;
    };
    const Case cases[] = {
        {"top margin",
         false,
         [&] {
             return ToScreen(root_, {kRootWidth / 2, 1});
         },
         {kAboutToHide, kHidden}},
        {"left border",
         false,
         [&] {
             return ToScreen(root_, {0, EntryCentre(root_, 3).y});
         },
         {kAboutToHide, kHidden}},
        {"right of an entry",
         false,
         [&] {
             return ToScreen(root_, {kRootWidth - 8, EntryCentre(root_, 3).y});
         },
         {kAboutToHide, kHidden}},
        {"bottom margin",
         false,
         [&] {
             const RECT client = root_.GetClientRect();
             return ToScreen(root_, {kRootWidth / 2, client.bottom - 2});
         },
         {kAboutToHide, kHidden}},
        {"sub-list margin",
         true,
         [&] {
             return ToScreen(RapidFire(), {95, EntryCentre(RapidFire(), 1).y});
         },
         {kAboutToHide, kAboutToHide, kHidden, kHidden}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
        if (c.openSubList) {
            ASSERT_TRUE(HoverAndOpen(root_, kRapidFireEntry, RapidFire()));
        }
        owner_.events.clear();
        ASSERT_TRUE(ClickAt(c.where()));
        ASSERT_TRUE(PumpUntil([&] { return !root_.IsWindowVisible(); }));
        PumpPending();
        EXPECT_EQ(owner_.SystemCommands(), c.expected);
        EXPECT_TRUE(AllHidden());
        EXPECT_FALSE(hooks_.MouseHookInstalled());
        ASSERT_TRUE(MoveTo(OwnerCentre()));
    }
}

TEST_F(KivMenuTest, DisabledEntriesAreNeverChosenAndEntriesWithSubListsOnlyOpenThem) {
    ASSERT_TRUE(root_.Create(L"menu", Rect(100, 100, 150, 10), owner_, kRootId));
    root_.AddItem(1101, L"Left Click");
    root_.AddItem(1105, L"Browser Forward", false);
    root_.AddItem(2300, L"Rapid Fire");
    root_.AddSubItem(2301, 2300, L"Mouse");
    root_.AddItem(2500, L"DPI", false);
    root_.AddSubItem(2502, 2500, L"DPI [+]");
    CKivMenu& rapid = *root_.GetSubList(2300);
    CKivMenu& dpi = *root_.GetSubList(2500);
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);

    // A disabled entry with a sub-list acts as a plain entry: it opens nothing
    // and closes what is open.
    ASSERT_TRUE(HoverAndOpen(root_, 2, rapid));
    ASSERT_TRUE(MoveTo(EntryOnScreen(root_, 3)));
    EXPECT_FALSE(rapid.IsWindowVisible());
    EXPECT_FALSE(dpi.IsWindowVisible());
    EXPECT_EQ(root_.hoverIndex(), 3);

    // Pressing an entry with a sub-list chooses nothing and closes nothing.
    ASSERT_TRUE(HoverAndOpen(root_, 2, rapid));
    owner_.events.clear();
    ASSERT_TRUE(ClickAt(EntryOnScreen(root_, 2)));
    ASSERT_TRUE(PumpUntil([&] { return root_.clickedValue() == 2300; }));
    PumpPending();
    EXPECT_TRUE(owner_.SystemCommands().empty());
    EXPECT_TRUE(root_.IsWindowVisible());
    EXPECT_TRUE(rapid.IsWindowVisible());
    EXPECT_NE(::GetActiveWindow(), root_.GetSafeHwnd()) << "a click does not activate the list";

    root_.Hide();

    // A disabled entry only closes the lists.
    struct Case {
        const char* name;
        size_t entry;
        int value;
    };
    const Case cases[] = {{"disabled entry", 1, 1105}, {"disabled entry with a sub-list", 3, 2500}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
        owner_.events.clear();
        ASSERT_TRUE(ClickAt(EntryOnScreen(root_, c.entry)));
        ASSERT_TRUE(PumpUntil([&] { return !root_.IsWindowVisible(); }));
        PumpPending();
        EXPECT_EQ(owner_.SystemCommands(), (Notes{kAboutToHide, kHidden}));
        EXPECT_EQ(root_.clickedValue(), c.value);
        EXPECT_FALSE(hooks_.MouseHookInstalled());
        ASSERT_TRUE(MoveTo(OwnerCentre()));
    }
}

TEST_F(KivMenuTest, ASystemCommandSentToTheListGoesToTheOwnerThenTheListHides) {
    ASSERT_TRUE(CreateFunctionList());
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    root_.SendMessage(WM_SYSCOMMAND, 4321, 99);
    EXPECT_EQ(owner_.SystemCommands(), (Notes{Sys(4321, 99), kAboutToHide, kHidden}));
    EXPECT_FALSE(root_.IsWindowVisible());

    owner_.events.clear();
    root_.SendMessage(WM_SYSCOMMAND, 4321, 98);
    EXPECT_EQ(owner_.SystemCommands(), (Notes{Sys(4321, 98)}))
        << "a hidden list has nothing to hide";
}

// --- The mouse hook --------------------------------------------------------

TEST_F(KivMenuTest, ARightClickOutsideKeepsTheListsOpenALeftClickClosesThem) {
    ASSERT_TRUE(CreateFunctionList());
    ASSERT_TRUE(OpenThreeLevels());
    owner_.events.clear();

    ASSERT_TRUE(MoveTo(OwnerCentre()));
    ASSERT_TRUE(SendInputs({MouseButton(MOUSEEVENTF_RIGHTDOWN), MouseButton(MOUSEEVENTF_RIGHTUP)}));
    ASSERT_TRUE(PumpUntil([&] { return owner_.rightButtonUps == 1; }))
        << "under the pointer: " << ::WindowFromPoint(OwnerCentre()) << ", owner "
        << owner_.GetSafeHwnd() << ", capture " << ::GetCapture();
    PumpPending();
    EXPECT_TRUE(owner_.SystemCommands().empty());
    EXPECT_TRUE(RapidFireMouse().IsWindowVisible());
    EXPECT_TRUE(root_.IsWindowVisible());

    ASSERT_TRUE(ClickAt(OwnerCentre()));
    ASSERT_TRUE(PumpUntil([&] { return owner_.leftButtonUps == 1; }));
    PumpPending();
    EXPECT_TRUE(AllHidden());
    EXPECT_EQ(owner_.SystemCommands(),
              (Notes{kAboutToHide, kAboutToHide, kAboutToHide, kHidden, kHidden, kHidden}))
        << "no choice";
    EXPECT_FALSE(hooks_.MouseHookInstalled());
}

TEST_F(KivMenuTest, TheHookMessageClosesOnlyForALeftPressOutsideTheChain) {
    ASSERT_TRUE(CreateFunctionList());
    ASSERT_TRUE(OpenThreeLevels());
    CKivMenu& third = RapidFireMouse();
    ASSERT_EQ(hooks_.MouseTarget(), third.GetSafeHwnd());
    owner_.events.clear();

    // The cursor is read when the message arrives: it is placed first.
    struct Case {
        const char* name;
        WPARAM mouseMessage;
        std::function<POINT()> cursor;
    };
    const Case keepOpen[] = {
        {"left press in the list itself", WM_LBUTTONDOWN, [&] { return EntryOnScreen(third, 2); }},
        {"left press in its parent", WM_LBUTTONDOWN, [&] { return EntryOnScreen(RapidFire(), 1); }},
        {"left press in the root", WM_LBUTTONDOWN, [&] { return EntryOnScreen(root_, 0); }},
        {"right press outside", WM_RBUTTONDOWN, [&] { return OwnerCentre(); }},
        {"left release outside", WM_LBUTTONUP, [&] { return OwnerCentre(); }},
    };
    for (const Case& c : keepOpen) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(::SetCursorPos(c.cursor().x, c.cursor().y));
        third.SendMessage(kHookMessage, c.mouseMessage, 0);
        EXPECT_TRUE(third.IsWindowVisible());
        EXPECT_TRUE(root_.IsWindowVisible());
        EXPECT_TRUE(owner_.SystemCommands().empty());
    }

    const POINT outside = OwnerCentre();
    ASSERT_TRUE(::SetCursorPos(outside.x, outside.y));
    third.SendMessage(kHookMessage, WM_LBUTTONDOWN, 0);
    EXPECT_TRUE(AllHidden());
    EXPECT_EQ(owner_.SystemCommands(),
              (Notes{kAboutToHide, kAboutToHide, kAboutToHide, kHidden, kHidden, kHidden}));
    EXPECT_FALSE(hooks_.MouseHookInstalled());

    owner_.events.clear();
    third.SendMessage(kHookMessage, WM_LBUTTONDOWN, 0);
    EXPECT_TRUE(owner_.SystemCommands().empty()) << "a hidden list ignores the message";
}

TEST_F(KivMenuTest, DestroyingTheListShownLastRemovesTheHook) {
    CKivMenu list(hooks_);
    ASSERT_TRUE(list.Create(L"menu", Rect(100, 100, 150, 10), owner_, 1));
    list.AddItem(1, L"Exit");
    list.ShowAt(CKivMenu::kTopLeft, 100, 100);
    ASSERT_EQ(hooks_.MouseTarget(), list.GetSafeHwnd());
    list.DestroyWindow();
    EXPECT_FALSE(hooks_.MouseHookInstalled());
}

// --- Painting --------------------------------------------------------------

constexpr COLORREF kBackground = RGB(0x28, 0x28, 0x28);
constexpr COLORREF kGrey = RGB(0x5A, 0x5A, 0x5A);

int Brightest(COLORREF c) {
    return std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
}

// What the pixels of an area of a window hold.
struct AreaPixels {
    int notBackground = 0;
    int white = 0;  // every channel >= 0xF0
    int brighterThanGrey = 0;
};

AreaPixels ReadArea(HDC dc, const RECT& area) {
    AreaPixels pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            pixels.notBackground += c != kBackground;
            pixels.white += GetRValue(c) >= 0xF0 && GetGValue(c) >= 0xF0 && GetBValue(c) >= 0xF0;
            pixels.brighterThanGrey += Brightest(c) > 0x5A;
        }
    }
    return pixels;
}

TEST_F(KivMenuTest, PaintsADarkFramedBoxGreyTextAWhiteHoverEntryAndSubListArrows) {
    constexpr int kWidth = 150;
    ASSERT_TRUE(root_.Create(L"menu", Rect(100, 100, kWidth, 10), owner_, kRootId));
    root_.AddItem(1101, L"Left Click");
    root_.AddItem(2300, L"Rapid Fire");
    root_.AddSubItem(2301, 2300, L"Mouse");
    root_.AddItem(2600, L"Sensor", true, true);  // marked, but its sub-list is empty
    root_.ShowAt(CKivMenu::kTopLeft, 100, 100);
    SendMouseMove(root_, EntryCentre(root_, 0));
    root_.UpdateWindow();

    WindowDC dc(root_);
    const RECT client = root_.GetClientRect();
    const int h = client.bottom;
    for (const POINT p : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, h - 1},
                          POINT{kWidth - 1, h - 1}, POINT{kWidth / 2, h - 1}, POINT{0, h / 2}}) {
        EXPECT_EQ(::GetPixel(dc.Get(), p.x, p.y), kGrey) << "frame at " << p.x << "," << p.y;
    }
    // Left of the texts and inside the top and bottom margins: background only.
    EXPECT_EQ(ReadArea(dc.Get(), RECT{1, 1, 11, h - 1}).notBackground, 0);
    EXPECT_EQ(ReadArea(dc.Get(), RECT{1, 1, kWidth - 1, 4}).notBackground, 0);
    EXPECT_EQ(ReadArea(dc.Get(), RECT{1, h - 4, kWidth - 1, h - 1}).notBackground, 0);

    // Texts start 10 pixels into their entries: the hover entry's is white,
    // the others' grey.
    const auto textArea = [&](size_t i) {
        RECT r = root_.items()[i]->rect;
        return RECT{r.left + 10, r.top, r.left + 100, r.bottom};
    };
    const AreaPixels hover = ReadArea(dc.Get(), textArea(0));
    EXPECT_GT(hover.white, 10);
    for (size_t i : {1u, 2u}) {
        SCOPED_TRACE(i);
        const AreaPixels plain = ReadArea(dc.Get(), textArea(i));
        EXPECT_GT(plain.notBackground, 10) << "text drawn";
        EXPECT_EQ(plain.brighterThanGrey, 0);
    }

    // The arrow: a triangle 5 pixels wide ending 5 pixels before the entry's
    // moved right edge, only where the sub-list has entries.
    const auto arrowArea = [&](size_t i) {
        const RECT& r = root_.items()[i]->rect;
        const int right = r.right + 10;
        return RECT{right - 10, r.top + 5, right - 4, r.bottom - 4};
    };
    const RECT arrow = arrowArea(1);
    const int middle = (arrow.top + arrow.bottom - 1) / 2;
    EXPECT_EQ(::GetPixel(dc.Get(), arrow.left + 1, middle), kGrey);
    EXPECT_EQ(::GetPixel(dc.Get(), arrow.left + 1, arrow.top + 1), kGrey);
    EXPECT_EQ(::GetPixel(dc.Get(), arrow.left - 2, middle), kBackground);
    EXPECT_EQ(::GetPixel(dc.Get(), arrow.right + 1, middle), kBackground);
    EXPECT_EQ(ReadArea(dc.Get(), arrowArea(0)).notBackground, 0);
    EXPECT_EQ(ReadArea(dc.Get(), arrowArea(2)).notBackground, 0);

    // Another hover entry repaints both.
    SendMouseMove(root_, EntryCentre(root_, 2));
    root_.UpdateWindow();
    EXPECT_EQ(ReadArea(dc.Get(), textArea(0)).brighterThanGrey, 0);
    EXPECT_GT(ReadArea(dc.Get(), textArea(2)).white, 10);
    root_.Hide();
}

// --- Screenshot ------------------------------------------------------------

// A dark stand-in for the key-assignment page: a heading and one function
// selector field, where the page has button 1's.
constexpr int kSelectorLeft = 474;
constexpr int kSelectorTop = 139;
constexpr int kSelectorWidth = 272;
constexpr int kSelectorHeight = 27;

std::unique_ptr<Gdiplus::Bitmap> MakePageBackground(int width, int height) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics g(bitmap.get());
    g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::LinearGradientBrush shade(Gdiplus::Point(0, 0), Gdiplus::Point(0, height),
                                       Gdiplus::Color(255, 0x1E, 0x1F, 0x23),
                                       Gdiplus::Color(255, 0x0E, 0x0E, 0x10));
    g.FillRectangle(&shade, 0, 0, width, height);
    Gdiplus::SolidBrush accent(Gdiplus::Color(255, 0xE0, 0x3A, 0x2E));
    g.FillRectangle(&accent, 0, 0, width, 3);
    Gdiplus::SolidBrush field(Gdiplus::Color(255, 0xC8, 0xC8, 0xCA));
    g.FillRectangle(&field, kSelectorLeft, kSelectorTop, kSelectorWidth, kSelectorHeight);
    // Texts through GDI, which finds the metric-compatible face for "Arial".
    const HDC dc = g.GetHDC();
    {
        const UniqueFont heading = CreateToolkitFont(22, FW_BOLD);
        const UniqueFont label = CreateToolkitFont(15);
        DrawSkinText(dc, heading.Get(), L"KEY ASSIGNMENT", RGB(0xF0, 0xF0, 0xF0), false, false,
                     kSelectorLeft, 92, 0, 0);
        DrawSkinText(dc, label.Get(), L"Button 1", RGB(0x9A, 0x9A, 0x9A), false, true, 390,
                     kSelectorTop, 0, kSelectorTop + kSelectorHeight);
        // The selector's caption, where the combo button draws it.
        DrawSkinText(dc, label.Get(), L"Left Click", RGB(0x5A, 0x5A, 0x5A), false, true,
                     kSelectorLeft + 11, kSelectorTop, 0, kSelectorTop + kSelectorHeight - 3);
    }
    g.ReleaseHDC(dc);
    return bitmap;
}

// Runs only with VANDIR_SCREENSHOT=<path of the PNG to write>.
TEST(KivMenuScreenshot, ThreeLevelListOverADarkPage) {
    const auto path = ScreenshotPath(L"VANDIR_SCREENSHOT");
    if (!path) {
        GTEST_SKIP() << "set VANDIR_SCREENSHOT to the PNG to write";
    }

    InputHooks hooks;
    CKivImageDialog page(IDD_TEST_DIALOG);
    ASSERT_TRUE(page.Create());
    page.ModifyStyle(WS_CAPTION | WS_THICKFRAME, 0);
    ::SetWindowPos(page, nullptr, 20, 20, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    const auto background = MakePageBackground(960, 520);
    page.SetBackgroundImage(background.get());
    for (const int control : {IDC_TEST_BUTTON, IDC_TEST_EDIT}) {
        ::ShowWindow(page.GetDlgItem(control), SW_HIDE);
    }
    page.ShowWindow(SW_SHOWNOACTIVATE);
    // Under Wine the X server's answers to showing the page (which may raise
    // it) arrive later: a screen read waits until it has handled everything
    // so far, and pumping takes its answers before the lists open above it.
    PumpPending();
    {
        WindowDC screen(nullptr);
        ::GetPixel(screen.Get(), 0, 0);
    }
    PumpPending();

    CKivMenu list(hooks);
    const RECT pageRect = page.GetWindowRect();
    ASSERT_TRUE(list.Create(L"menu", Rect(0, 0, kSelectorWidth - 2, 10), page, 1012));
    BuildFunctionList(list);
    // Opened below the selector, as the combo button opens it.
    list.ShowAt(CKivMenu::kTopLeft, pageRect.left + kSelectorLeft,
                pageRect.top + kSelectorTop + kSelectorHeight - 2);
    CKivMenu& rapid = *list.GetSubList(2300);
    CKivMenu& mouse = *rapid.GetSubList(2301);
    ASSERT_TRUE(MoveTo(EntryOnScreen(list, kRapidFireEntry)));
    ASSERT_TRUE(PumpUntil([&] { return rapid.IsWindowVisible() != FALSE; }));
    ASSERT_TRUE(MoveTo(EntryOnScreen(rapid, 0)));
    ASSERT_TRUE(PumpUntil([&] { return mouse.IsWindowVisible() != FALSE; }));
    ASSERT_TRUE(MoveTo(EntryOnScreen(mouse, 0)));
    for (const CKivMenu* shown : {&list, &rapid, &mouse}) {
        shown->UpdateWindow();
    }
    page.UpdateWindow();

    RECT area = pageRect;
    for (const CKivMenu* shown : {&list, &rapid, &mouse}) {
        const RECT r = shown->GetWindowRect();
        ::UnionRect(&area, &area, &r);
    }
    const UniqueBitmap shot = CaptureScreen(area);
    ASSERT_TRUE(shot);
    EXPECT_TRUE(SavePng(shot.Get(), *path));
    list.Hide();
    page.DestroyWindow();
}

}  // namespace
}  // namespace vandir
