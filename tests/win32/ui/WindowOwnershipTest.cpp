// Who ends a window and what its object sees: the one rule of Wnd.h for
// created, template and subclassed windows.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <vector>

#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/Dialog.h"
#include "platform/win32/framework/ToolTipCtrl.h"
#include "skin/InputHooks.h"
#include "skin/KivMenu.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

RECT Rect(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

// Watches the WM_DESTROY messages of this thread's windows and notes whether
// an object was still bound to the window when it arrived.
class DestroyWatch {
public:
    DestroyWatch() { Seen().clear(); }

    // Whether hwnd received WM_DESTROY, and bound or not.
    enum class Arrival { Never, Bound, Unbound };
    static Arrival Of(HWND hwnd) {
        for (const auto& [window, bound] : Seen()) {
            if (window == hwnd) {
                return bound ? Arrival::Bound : Arrival::Unbound;
            }
        }
        return Arrival::Never;
    }

private:
    static std::vector<std::pair<HWND, bool>>& Seen() {
        static std::vector<std::pair<HWND, bool>> seen;
        return seen;
    }
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_DESTROY) {
            Seen().emplace_back(call->hwnd, CWnd::FromHandle(call->hwnd) != nullptr);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    UniqueHook hook_{::SetWindowsHookExW(WH_CALLWNDPROC, &Watch, nullptr, ::GetCurrentThreadId())};
};

const wchar_t* WindowClass() {
    return CWnd::RegisterWindowClass(L"VandirOwnershipTest");
}

// A dialog whose WM_DESTROY handler counts, and a class derived from it with
// one of its own: both must run.
class CountingDialog : public WithMessageMap<CountingDialog, CDialogEx> {
public:
    static const ClassMessageMap<CountingDialog> messageMap;
    CountingDialog() : WithMessageMap(IDD_TEST_DIALOG) {}
    int destroys = 0;
    bool endAtOnce = false;

protected:
    BOOL OnInitDialog() override {
        if (endAtOnce) {
            EndDialog(5);
        }
        return TRUE;
    }

private:
    static const MessageMapEntry messageEntries[];
    void OnDestroy() { ++destroys; }
};
const MessageMapEntry CountingDialog::messageEntries[] = {
    On<WM_DESTROY, &CountingDialog::OnDestroy>(),
};
const ClassMessageMap<CountingDialog> CountingDialog::messageMap{messageEntries};

class DerivedCountingDialog : public WithMessageMap<DerivedCountingDialog, CountingDialog> {
public:
    static const ClassMessageMap<DerivedCountingDialog> messageMap;
    int derivedDestroys = 0;

private:
    static const MessageMapEntry messageEntries[];
    void OnDestroy() { ++derivedDestroys; }
};
const MessageMapEntry DerivedCountingDialog::messageEntries[] = {
    On<WM_DESTROY, &DerivedCountingDialog::OnDestroy>(),
};
const ClassMessageMap<DerivedCountingDialog> DerivedCountingDialog::messageMap{messageEntries};

class CountingTips : public WithMessageMap<CountingTips, CToolTipCtrl> {
public:
    static const ClassMessageMap<CountingTips> messageMap;
    int destroys = 0;

private:
    static const MessageMapEntry messageEntries[];
    void OnDestroy() { ++destroys; }
};
const MessageMapEntry CountingTips::messageEntries[] = {
    On<WM_DESTROY, &CountingTips::OnDestroy>(),
};
const ClassMessageMap<CountingTips> CountingTips::messageMap{messageEntries};

TEST(WindowOwnership, EveryDestroyHandlerOfADialogRuns) {
    enum class End { DestroyWindow, ModalEnd, WithItsOwner };
    for (const End end : {End::DestroyWindow, End::ModalEnd, End::WithItsOwner}) {
        SCOPED_TRACE(static_cast<int>(end));
        CWnd owner;
        ASSERT_TRUE(
            owner.CreateEx(0, WindowClass(), L"owner", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
        DerivedCountingDialog dialog;
        switch (end) {
            case End::DestroyWindow:
                ASSERT_TRUE(dialog.Create(&owner));
                dialog.DestroyWindow();
                break;
            case End::ModalEnd:
                dialog.endAtOnce = true;
                EXPECT_EQ(dialog.DoModal(), 5);
                break;
            case End::WithItsOwner:
                ASSERT_TRUE(dialog.Create(&owner));
                owner.DestroyWindow();
                break;
        }
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
        EXPECT_EQ(dialog.destroys, 1) << "the base class's handler";
        EXPECT_EQ(dialog.derivedDestroys, 1) << "the derived class's handler";
        owner.DestroyWindow();
    }
}

TEST(WindowOwnership, TheDestroyHandlerOfAToolTipRuns) {
    for (const bool withItsOwner : {false, true}) {
        SCOPED_TRACE(withItsOwner);
        CountingDialog dialog;
        ASSERT_TRUE(dialog.Create());
        CountingTips tips;
        ASSERT_TRUE(tips.Create(dialog, TTS_ALWAYSTIP));
        if (withItsOwner) {
            dialog.DestroyWindow();
        } else {
            tips.DestroyWindow();
        }
        EXPECT_EQ(tips.GetSafeHwnd(), nullptr);
        EXPECT_EQ(tips.destroys, 1);
        dialog.DestroyWindow();
    }
}

// An object that dies first takes the window it made with it, unbound before
// the window hears of it; a template's control it only subclassed stays with
// its dialog, working as before.
TEST(WindowOwnership, AnObjectThatDiesFirstUnbindsThenEndsTheWindowItMade) {
    const DestroyWatch watch;
    HWND created = nullptr;
    HWND dialogWindow = nullptr;
    HWND tipsWindow = nullptr;
    CountingDialog parent;
    ASSERT_TRUE(parent.Create());
    {
        CWnd window;
        ASSERT_TRUE(
            window.CreateEx(0, WindowClass(), L"made", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
        created = window;
        CountingDialog dialog;
        ASSERT_TRUE(dialog.Create());
        dialogWindow = dialog;
        CountingTips tips;
        ASSERT_TRUE(tips.Create(parent, TTS_ALWAYSTIP));
        tipsWindow = tips;
    }
    for (const HWND hwnd : {created, dialogWindow, tipsWindow}) {
        EXPECT_FALSE(::IsWindow(hwnd));
        EXPECT_EQ(DestroyWatch::Of(hwnd), DestroyWatch::Arrival::Unbound);
    }
    parent.DestroyWindow();
}

TEST(WindowOwnership, AnObjectThatDiesFirstLeavesASubclassedControlToItsDialog) {
    CountingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND edit = dialog.GetDlgItem(IDC_TEST_EDIT);
    {
        CEdit object;
        ASSERT_TRUE(object.SubclassWindow(edit));
    }
    ASSERT_TRUE(::IsWindow(edit));
    EXPECT_EQ(CWnd::FromHandle(edit), nullptr);
    ::SetWindowTextW(edit, L"still an edit box");
    wchar_t text[32] = {};
    ::GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(text, L"still an edit box") << "its own procedure is back";
    dialog.DestroyWindow();
}

TEST(WindowOwnership, APopUpListThatDiesFirstLetsGoOfWindowAndHook) {
    const DestroyWatch watch;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, WindowClass(), L"owner", WS_POPUP | WS_VISIBLE,
                               Rect(0, 0, 200, 200), nullptr, 0));
    InputHooks hooks;
    HWND listWindow = nullptr;
    {
        CKivMenu list(hooks);
        ASSERT_TRUE(list.Create(L"menu", Rect(10, 10, 150, 10), owner, 1));
        list.AddItem(1, L"Exit");
        list.ShowAt(CKivMenu::kTopLeft, 10, 10);
        ASSERT_EQ(hooks.MouseTarget(), list.GetSafeHwnd());
        listWindow = list;
    }
    EXPECT_FALSE(::IsWindow(listWindow));
    EXPECT_EQ(DestroyWatch::Of(listWindow), DestroyWatch::Arrival::Unbound);
    EXPECT_EQ(hooks.MouseTarget(), nullptr);
    EXPECT_FALSE(hooks.MouseHookInstalled());
    owner.DestroyWindow();
}

}  // namespace
}  // namespace vandir

namespace vandir {
namespace {

// A control object that counts the WM_SETTEXT messages it is given.
class TextCounter : public WithMessageMap<TextCounter, CWnd> {
public:
    static const ClassMessageMap<TextCounter> messageMap;
    int texts = 0;

private:
    static const MessageMapEntry messageEntries[];
    Reply OnSetText(WPARAM, LPARAM) {
        ++texts;
        return Declined();
    }
};
const MessageMapEntry TextCounter::messageEntries[] = {
    On<WM_SETTEXT, &TextCounter::OnSetText>(),
};
const ClassMessageMap<TextCounter> TextCounter::messageMap{messageEntries};

// A subclass made after the object's, by someone else, as raw procedures do.
WNDPROC laterPrevious = nullptr;
int laterMessages = 0;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ++laterMessages;
    return ::CallWindowProcW(laterPrevious, hwnd, message, wParam, lParam);
}

TEST(WindowOwnership, UnbindingUnderALaterSubclassKeepsItAndReachesNoObject) {
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    TextCounter counter;
    ASSERT_TRUE(counter.SubclassWindow(edit));
    laterMessages = 0;
    laterPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    ::SetWindowTextW(edit, L"bound");
    EXPECT_EQ(counter.texts, 1);

    EXPECT_EQ(counter.UnsubclassWindow(), edit);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(edit, GWLP_WNDPROC)), &LaterSubclass)
        << "the later subclass was cut off";
    EXPECT_FALSE(counter.SubclassWindow(edit)) << "our procedure is still in the chain";

    const int before = laterMessages;
    ::SetWindowTextW(edit, L"unbound");
    EXPECT_GT(laterMessages, before);
    EXPECT_EQ(counter.texts, 1) << "the unbound object was called";
    wchar_t text[16]{};
    ::GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"unbound") << "the edit's own procedure was not reached";
    EXPECT_TRUE(::DestroyWindow(edit));
}

}  // namespace
}  // namespace vandir
