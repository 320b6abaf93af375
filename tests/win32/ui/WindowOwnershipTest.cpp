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
