// The thin window framework: binding objects to windows, the message maps,
// reflection to controls, template dialogs with their modal loop, tool tips
// and worker threads.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <commctrl.h>

#include <future>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/ReportException.h"
#include "platform/win32/framework/Controls.h"
#include "platform/win32/framework/Dialog.h"
#include "platform/win32/framework/ToolTipCtrl.h"
#include "platform/win32/threads/WorkerThreads.h"
#include "win32/ui/MessagePump.h"
#include "win32/ui/TestDialogs.h"

namespace vandir {
namespace {

constexpr UINT kBaseOnly = WM_APP + 1;
constexpr UINT kDerivedOnly = WM_APP + 2;
constexpr UINT kDerivedDeclines = WM_APP + 3;
constexpr UINT kThrows = WM_APP + 4;

class BaseWindow : public WithMessageMap<BaseWindow, CWnd> {
public:
    static const ClassMessageMap<BaseWindow> messageMap;

private:
    static const MessageMapEntry messageEntries[];
    bool OnBaseOnly(Message& m) {
        m.result = 1;
        return true;
    }
    bool OnDeclinedByDerived(Message& m) {
        m.result = 33;
        return true;
    }
};

const MessageMapEntry BaseWindow::messageEntries[] = {
    On<kBaseOnly, &BaseWindow::OnBaseOnly>(),
    On<kDerivedDeclines, &BaseWindow::OnDeclinedByDerived>(),
};
const ClassMessageMap<BaseWindow> BaseWindow::messageMap{messageEntries};

class DerivedWindow : public WithMessageMap<DerivedWindow, BaseWindow> {
public:
    static const ClassMessageMap<DerivedWindow> messageMap;
    std::vector<std::pair<UINT, UINT>> commands;  // (id, code)
    int destroyedAfterUnbind = 0;

protected:
    void PostNcDestroy() override { destroyedAfterUnbind += GetSafeHwnd() == nullptr ? 1 : 100; }

private:
    static const MessageMapEntry messageEntries[];
    bool OnDerivedOnly(Message& m) {
        m.result = 2;
        return true;
    }
    bool OnDecline(Message&) { return false; }
    bool OnThrow(Message&) { throw std::runtime_error("handler failure"); }
    void OnCommand7() { commands.emplace_back(7, BN_CLICKED); }
    bool OnAnyCommand(Message& m) {
        commands.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
        return true;
    }
};

const MessageMapEntry DerivedWindow::messageEntries[] = {
    On<kDerivedOnly, &DerivedWindow::OnDerivedOnly>(),
    On<kDerivedDeclines, &DerivedWindow::OnDecline>(),
    On<kThrows, &DerivedWindow::OnThrow>(),
    OnCommand<&DerivedWindow::OnCommand7>(7),
    OnCommand<&DerivedWindow::OnAnyCommand>(8, kAnyCode),
};
const ClassMessageMap<DerivedWindow> DerivedWindow::messageMap{messageEntries};

std::string Utf8(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // the reports checked here are ASCII
}

// Exception reports a test provokes on purpose: recorded here, instead of
// failing the test as every other report does.
class ExpectedReports {
public:
    ExpectedReports() {
        Recorded().clear();
        previous_ = SetExceptionReporter(&Record);
    }
    ~ExpectedReports() { SetExceptionReporter(previous_); }
    ExpectedReports(const ExpectedReports&) = delete;
    ExpectedReports& operator=(const ExpectedReports&) = delete;

    static std::vector<std::wstring> Reports() {
        const std::lock_guard lock(Mutex());
        return Recorded();
    }

private:
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static std::vector<std::wstring>& Recorded() {
        static std::vector<std::wstring> reports;
        return reports;
    }
    static void Record(const std::wstring& report) {
        const std::lock_guard lock(Mutex());
        Recorded().push_back(report);
    }
    ExceptionReporter previous_ = nullptr;
};

RECT Rect(int x, int y, int w, int h) {
    return RECT{x, y, x + w, y + h};
}

// Typed handlers that decline or answer with a result (Reply): a declined
// message goes on to the base's map, then to the default processing.
constexpr UINT kRepliesSeven = WM_APP + 20;
constexpr UINT kRepliesWhenAsked = WM_APP + 21;
constexpr UINT kNobodyElse = WM_APP + 22;

class ReplyingWindow : public WithMessageMap<ReplyingWindow, BaseWindow> {
public:
    static const ClassMessageMap<ReplyingWindow> messageMap;
    bool erase = false;
    HDC erased = nullptr;

private:
    static const MessageMapEntry messageEntries[];
    Reply OnSeven() { return Handled(7); }
    // Answers wParam + lParam when wParam is not 0; declines otherwise.
    Reply OnWhenAsked(WPARAM wParam, LPARAM lParam) {
        return wParam != 0 ? Handled(static_cast<LRESULT>(wParam) + lParam) : Declined();
    }
    Reply OnDeclinedByDerived(WPARAM, LPARAM) { return Declined(); }
    Reply OnNobodyElse() { return Declined(); }
    Reply OnEraseBackground(HDC dc) {
        erased = dc;
        return erase ? Handled(TRUE) : Declined();
    }
};
const MessageMapEntry ReplyingWindow::messageEntries[] = {
    On<kRepliesSeven, &ReplyingWindow::OnSeven>(),
    On<kRepliesWhenAsked, &ReplyingWindow::OnWhenAsked>(),
    On<kDerivedDeclines, &ReplyingWindow::OnDeclinedByDerived>(),
    On<kNobodyElse, &ReplyingWindow::OnNobodyElse>(),
    On<WM_ERASEBKGND, &ReplyingWindow::OnEraseBackground>(),
};
const ClassMessageMap<ReplyingWindow> ReplyingWindow::messageMap{messageEntries};

TEST(WindowMessageMaps, TypedHandlersDeclineOrAnswerWithAReply) {
    ReplyingWindow window;
    ASSERT_TRUE(window.CreateEx(0, CWnd::RegisterWindowClass(L"VandirTestWindow"), L"test",
                                WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(window.SendMessage(kRepliesSeven), 7);
    EXPECT_EQ(window.SendMessage(kRepliesWhenAsked, 2, 40), 42);
    EXPECT_EQ(window.SendMessage(kRepliesWhenAsked, 0, 40), 0) << "declined: default processing";
    EXPECT_EQ(window.SendMessage(kDerivedDeclines), 33) << "declined: the base answers";
    EXPECT_EQ(window.SendMessage(kNobodyElse, 5, 5), 0);
    const HDC dc = reinterpret_cast<HDC>(std::uintptr_t{0x1234});
    window.erase = true;
    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), TRUE);
    EXPECT_EQ(window.erased, dc);
    window.DestroyWindow();
}

TEST(WindowMessageMaps, SearchTheChainAndLetHandlersDecline) {
    const ExpectedReports expected;
    DerivedWindow window;
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    ASSERT_TRUE(
        window.CreateEx(0, cls, L"test", WS_OVERLAPPEDWINDOW, Rect(0, 0, 200, 100), nullptr, 0));
    EXPECT_EQ(CWnd::FromHandle(window), &window);
    EXPECT_EQ(window.SendMessage(kBaseOnly), 1);
    EXPECT_EQ(window.SendMessage(kDerivedOnly), 2);
    EXPECT_EQ(window.SendMessage(kDerivedDeclines), 33) << "declined, so the base answers";
    EXPECT_EQ(window.SendMessage(WM_APP + 50), 0) << "default processing";
    EXPECT_EQ(window.SendMessage(kThrows), 0) << "no exception crosses the window procedure";
    EXPECT_EQ(ExpectedReports::Reports().size(), 1u) << "and it is reported";

    window.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
    window.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_SETFOCUS), 0);  // other code: not taken
    window.SendMessage(WM_COMMAND, MAKEWPARAM(8, EN_CHANGE), 0);
    EXPECT_EQ(window.commands,
              (std::vector<std::pair<UINT, UINT>>{{7, BN_CLICKED}, {8, EN_CHANGE}}));

    const HWND hwnd = window;
    window.DestroyWindow();
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(window.destroyedAfterUnbind, 1);
}

TEST(WindowMessageMaps, AnObjectThatDiesFirstLeavesItsWindowHarmless) {
    // A window made elsewhere, which the object only subclasses, outlives it.
    const HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"test", WS_POPUP, 0, 0, 50, 50, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    {
        DerivedWindow window;
        ASSERT_TRUE(window.SubclassWindow(hwnd));
        ASSERT_EQ(window.SendMessage(kDerivedOnly), 2);
    }
    ASSERT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(hwnd), nullptr);
    EXPECT_EQ(::SendMessageW(hwnd, kDerivedOnly, 0, 0), 0);
    ::DestroyWindow(hwnd);

    // A window the object created goes with it.
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    HWND created = nullptr;
    {
        DerivedWindow window;
        ASSERT_TRUE(window.CreateEx(0, cls, L"test", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
        created = window;
    }
    EXPECT_FALSE(::IsWindow(created));
}

// An owner-drawn button that draws itself and hears its own clicks.
class SelfDrawingButton : public WithMessageMap<SelfDrawingButton, CButton> {
public:
    static const ClassMessageMap<SelfDrawingButton> messageMap;
    int draws = 0;
    int reflectedClicks = 0;

private:
    static const MessageMapEntry messageEntries[];
    void OnDrawItem(const DRAWITEMSTRUCT&) { ++draws; }
    void OnReflectedCommand(UINT code) { reflectedClicks += code == BN_CLICKED; }
};

const MessageMapEntry SelfDrawingButton::messageEntries[] = {
    OnReflected<WM_DRAWITEM, &SelfDrawingButton::OnDrawItem>(),
    OnReflected<WM_COMMAND, &SelfDrawingButton::OnReflectedCommand>(),
};
const ClassMessageMap<SelfDrawingButton> SelfDrawingButton::messageMap{messageEntries};

class TestDialog : public WithMessageMap<TestDialog, CDialogEx> {
public:
    static const ClassMessageMap<TestDialog> messageMap;
    explicit TestDialog(CWnd* parent = nullptr) : WithMessageMap(IDD_TEST_DIALOG, parent) {}

    SelfDrawingButton button;
    CEdit edit;
    int initialised = 0;
    int parentClicks = 0;
    bool okDoesNothing = false;
    std::vector<UINT> preTranslated;
    UINT_PTR endTimer = 0;
    int endResult = 0;

protected:
    void DoDataExchange() override {
        button.SubclassDlgItem(IDC_TEST_BUTTON, *this);
        edit.SubclassDlgItem(IDC_TEST_EDIT, *this);
    }
    BOOL OnInitDialog() override {
        initialised += button.GetSafeHwnd() != nullptr && edit.GetSafeHwnd() != nullptr;
        if (endTimer != 0) {
            SetTimer(endTimer, 10);
        }
        return TRUE;
    }
    void OnOK() override {
        if (!okDoesNothing) {
            CDialogEx::OnOK();
        }
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message >= WM_APP) {
            preTranslated.push_back(msg->message);
        }
        return msg->message == WM_APP + 77;  // swallowed
    }

private:
    static const MessageMapEntry messageEntries[];
    void OnButton() { ++parentClicks; }
    void OnTimer(UINT_PTR id) {
        KillTimer(id);
        EndDialog(endResult);
    }
};

const MessageMapEntry TestDialog::messageEntries[] = {
    OnCommand<&TestDialog::OnButton>(IDC_TEST_BUTTON),
    On<WM_TIMER, &TestDialog::OnTimer>(),
};
const ClassMessageMap<TestDialog> TestDialog::messageMap{messageEntries};

// Typed handlers: each records what its message's parameters cracked into.
class CrackingWindow : public WithMessageMap<CrackingWindow, CWnd> {
public:
    static const ClassMessageMap<CrackingWindow> messageMap;
    std::vector<std::string> seen;
    bool erase = false;
    LRESULT defaultResult = -1;

private:
    static const MessageMapEntry messageEntries[];
    void Record(const char* what, long long a = 0, long long b = 0, long long c = 0) {
        seen.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                       std::to_string(c));
    }
    void OnMouseMove(POINT p, UINT keys) { Record("move", p.x, p.y, keys); }
    void OnLeftDown(POINT p, UINT keys) { Record("down", p.x, p.y, keys); }
    void OnLeftUp(POINT p, UINT keys) { Record("up", p.x, p.y, keys); }
    void OnLeftDoubleClick(POINT p, UINT keys) { Record("double", p.x, p.y, keys); }
    void OnTimer(UINT_PTR id) { Record("timer", static_cast<long long>(id)); }
    bool OnErase(HDC dc) {
        Record("erase", reinterpret_cast<long long>(dc));
        return erase;
    }
    void OnSetFocus(HWND other) { Record("setfocus", reinterpret_cast<long long>(other)); }
    void OnKillFocus(HWND other) { Record("killfocus", reinterpret_cast<long long>(other)); }
    int OnMouseActivate() { return MA_NOACTIVATE; }
    void OnSysCommand(WPARAM command, LPARAM value) {
        Record("syscommand", static_cast<long long>(command), value);
    }
    void OnTextLength(WPARAM, LPARAM) { defaultResult = Default(); }
};

const MessageMapEntry CrackingWindow::messageEntries[] = {
    On<WM_MOUSEMOVE, &CrackingWindow::OnMouseMove>(),
    On<WM_LBUTTONDOWN, &CrackingWindow::OnLeftDown>(),
    On<WM_LBUTTONUP, &CrackingWindow::OnLeftUp>(),
    On<WM_LBUTTONDBLCLK, &CrackingWindow::OnLeftDoubleClick>(),
    On<WM_TIMER, &CrackingWindow::OnTimer>(),
    On<WM_ERASEBKGND, &CrackingWindow::OnErase>(),
    On<WM_SETFOCUS, &CrackingWindow::OnSetFocus>(),
    On<WM_KILLFOCUS, &CrackingWindow::OnKillFocus>(),
    On<WM_MOUSEACTIVATE, &CrackingWindow::OnMouseActivate>(),
    On<WM_SYSCOMMAND, &CrackingWindow::OnSysCommand>(),
    On<WM_GETTEXTLENGTH, &CrackingWindow::OnTextLength>(),
};
const ClassMessageMap<CrackingWindow> CrackingWindow::messageMap{messageEntries};

TEST(WindowMessageMaps, TypedHandlersGetCrackedParameters) {
    CrackingWindow window;
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    ASSERT_TRUE(window.CreateEx(0, cls, L"five!", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
    window.seen.clear();  // whatever creation sent

    // Points are signed: left of and above the window while the mouse is captured.
    window.SendMessage(WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-5, 7));
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, -3));
    window.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30000, 1));
    window.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, MAKELPARAM(1, 2));
    window.SendMessage(WM_TIMER, 42, 0);
    window.SendMessage(WM_SETFOCUS, 0x1234, 0);
    window.SendMessage(WM_KILLFOCUS, 0x5678, 0);
    window.SendMessage(WM_SYSCOMMAND, 0xF060, 99);
    EXPECT_EQ(window.seen, (std::vector<std::string>{
                               "move -5 7 " + std::to_string(MK_SHIFT),
                               "down 12 -3 " + std::to_string(MK_LBUTTON),
                               "up 30000 1 0",
                               "double 1 2 " + std::to_string(MK_LBUTTON | MK_CONTROL),
                               "timer 42 0 0",
                               "setfocus 4660 0 0",
                               "killfocus 22136 0 0",
                               "syscommand 61536 99 0",
                           }));
    EXPECT_TRUE(::IsWindow(window)) << "the close command went to the handler, not the default";

    window.erase = true;
    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, 0x10, 0), TRUE);
    window.erase = false;
    EXPECT_EQ(window.SendMessage(WM_ERASEBKGND, 0x10, 0), FALSE);
    EXPECT_EQ(window.SendMessage(WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);

    // A handler that asks for the default processing gets its answer, which
    // becomes the message's.
    EXPECT_EQ(window.SendMessage(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(window.defaultResult, 5);
    window.DestroyWindow();
}

// An edit box that picks its own colours, as the parent reflects them to it.
class ColouredEdit : public WithMessageMap<ColouredEdit, CEdit> {
public:
    static const ClassMessageMap<ColouredEdit> messageMap;
    HDC lastDc = nullptr;

private:
    static const MessageMapEntry messageEntries[];
    HBRUSH OnColour(HDC dc) {
        lastDc = dc;
        return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    }
};

const MessageMapEntry ColouredEdit::messageEntries[] = {
    OnReflected<WM_CTLCOLOREDIT, &ColouredEdit::OnColour>(),
};
const ClassMessageMap<ColouredEdit> ColouredEdit::messageMap{messageEntries};

TEST(WindowMessageMaps, ReflectedColoursComeFromTheControl) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const HWND edit = dialog.edit.UnsubclassWindow();
    ColouredEdit coloured;
    ASSERT_TRUE(coloured.SubclassWindow(edit));
    const LRESULT brush = dialog.SendMessage(WM_CTLCOLOREDIT, 0x77, reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(coloured.lastDc, reinterpret_cast<HDC>(0x77));
    dialog.DestroyWindow();
}

TEST(TemplateDialogs, BindControlsAndReflectDrawingAndClicks) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.initialised, 1);
    EXPECT_EQ(CWnd::FromHandle(dialog.GetDlgItem(IDC_TEST_BUTTON)), &dialog.button);
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    EXPECT_GE(dialog.button.draws, 1) << "WM_DRAWITEM reaches the button itself";

    dialog.button.SendMessage(BM_CLICK);
    EXPECT_EQ(dialog.button.reflectedClicks, 1);
    EXPECT_EQ(dialog.parentClicks, 1) << "the parent still sees the command";

    // Esc ends a modeless dialog by hiding it; it stays for the next show.
    const HWND hwnd = dialog;
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_FALSE(dialog.IsWindowVisible());
    dialog.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.button.GetSafeHwnd(), nullptr) << "controls are unbound with the dialog";
}

TEST(TemplateDialogs, ModalLoopEndsWithTheResultAndFreesTheOwner) {
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    DerivedWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, cls, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               Rect(10, 10, 300, 200), nullptr, 0));
    TestDialog dialog(&owner);
    dialog.endTimer = 5;  // ends the dialog from its own timer
    dialog.endResult = 42;
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.initialised, 1);
    EXPECT_TRUE(owner.IsWindowEnabled()) << "the owner is enabled again";
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "the modal window is destroyed";
    owner.DestroyWindow();
}

class OwnerCheckingDialog : public TestDialog {
public:
    using TestDialog::TestDialog;
    bool ownerWasDisabled = false;

protected:
    BOOL OnInitDialog() override {
        TestDialog::OnInitDialog();
        // The loop disables the owner right after creation: check it from the
        // first message the loop dispatches.
        PostMessage(WM_APP + 10);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_APP + 10) {
            ownerWasDisabled = !::IsWindowEnabled(GetParent());
            // Swallowed messages never reach the window procedure.
            PostMessage(WM_APP + 77);
            return TRUE;
        }
        if (msg->message == WM_APP + 77) {
            EndDialog(7);
        }
        return TestDialog::PreTranslateMessage(msg);
    }
};

TEST(TemplateDialogs, ModalLoopPreTranslatesAndDisablesTheOwner) {
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    DerivedWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, cls, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               Rect(10, 10, 300, 200), nullptr, 0));
    OwnerCheckingDialog dialog(&owner);
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_TRUE(dialog.ownerWasDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(TemplateDialogs, OkThatDoesNothingKeepsTheDialogOpen) {
    TestDialog dialog;
    dialog.okDoesNothing = true;
    ASSERT_TRUE(dialog.Create());
    dialog.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(::IsWindow(dialog));
    dialog.DestroyWindow();
}

TEST(TemplateDialogs, QuitRequestEndsTheModalLoopAndIsPassedOn) {
    TestDialog dialog;
    dialog.endTimer = 0;
    ::PostQuitMessage(3);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

// Records the idle calls of its modal loop: asks for more in the first three,
// not in the fourth, after which it posts itself a message; a message starts a
// new idle time, whose second call ends the dialog.
class IdleDialog : public WithMessageMap<IdleDialog, CDialogEx> {
public:
    static const ClassMessageMap<IdleDialog> messageMap;
    IdleDialog() : WithMessageMap(IDD_TEST_DIALOG) {}
    std::vector<LPARAM> counts;

private:
    static const MessageMapEntry messageEntries[];
    bool OnKickIdle(Message& m) {
        counts.push_back(m.lParam);
        const size_t call = counts.size();
        if (call == 4) {
            PostMessage(WM_APP + 5);
        } else if (call == 6) {
            EndDialog(9);
        }
        m.result = call < 4 || call == 5 ? 1 : 0;
        return true;
    }
};
const MessageMapEntry IdleDialog::messageEntries[] = {
    On<CDialogEx::kKickIdleMessage, &IdleDialog::OnKickIdle>(),
};
const ClassMessageMap<IdleDialog> IdleDialog::messageMap{messageEntries};

TEST(TemplateDialogs, ModalLoopGivesIdleTimeUntilDeclinedAndAgainAfterAMessage) {
    IdleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), 9);
    EXPECT_EQ(dialog.counts, (std::vector<LPARAM>{0, 1, 2, 3, 0, 1}));
}

// A dialog that counts its OK and Cancel.
class CountingDialog : public CDialogEx {
public:
    CountingDialog() : CDialogEx(IDD_TEST_DIALOG) {}
    int oks = 0;
    int cancels = 0;

protected:
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
};

TEST(TemplateDialogs, OkAndCancelAnswerOnlyClicks) {
    const struct {
        const char* what;
        UINT id;
        UINT code;
        bool fromControl;
        int oks;
        int cancels;
    } cases[] = {
        {"Enter", IDOK, BN_CLICKED, false, 1, 0},
        {"Esc or the close box", IDCANCEL, BN_CLICKED, false, 0, 1},
        {"OK button clicked", IDOK, BN_CLICKED, true, 1, 0},
        {"Cancel button clicked", IDCANCEL, BN_CLICKED, true, 0, 1},
        {"OK button double-clicked", IDOK, BN_DOUBLECLICKED, true, 0, 0},
        {"Cancel button double-clicked", IDCANCEL, BN_DOUBLECLICKED, true, 0, 0},
        {"OK button focused", IDOK, BN_SETFOCUS, true, 0, 0},
        {"OK button unfocused", IDOK, BN_KILLFOCUS, true, 0, 0},
        {"a control with ID 2 changed", IDCANCEL, EN_CHANGE, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CountingDialog dialog;
        ASSERT_TRUE(dialog.Create());
        const LPARAM control =
            c.fromControl ? reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_TEST_BUTTON)) : 0;
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(c.id, c.code), control);
        EXPECT_EQ(dialog.oks, c.oks);
        EXPECT_EQ(dialog.cancels, c.cancels);
        dialog.DestroyWindow();
    }
}

TEST(ToolTips, RegisterToolsAndChangeTheirTexts) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(dialog, TTS_ALWAYSTIP));
    tips.Activate(TRUE);
    EXPECT_TRUE(tips.AddTool(dialog.button, L"Main Control"));
    EXPECT_TRUE(tips.AddTool(dialog.edit, L""));
    EXPECT_EQ(tips.GetToolCount(), 2);
    EXPECT_EQ(tips.GetText(dialog.button), L"Main Control");
    tips.UpdateTipText(L"Contrôle principal", dialog.button);
    EXPECT_EQ(tips.GetText(dialog.button), L"Contrôle principal");
    tips.UpdateTipText(L"", dialog.button);
    EXPECT_EQ(tips.GetText(dialog.button), L"");
    dialog.DestroyWindow();
}

TEST(WorkerThreads, RunWorkElsewhereAndSurviveItsExceptions) {
    const ExpectedReports expected;
    WorkerThreads workers;
    std::promise<DWORD> ranOn;
    ASSERT_TRUE(workers.Start([&] { ranOn.set_value(::GetCurrentThreadId()); }));
    auto future = ranOn.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_NE(future.get(), ::GetCurrentThreadId());

    std::promise<void> thrown;
    ASSERT_TRUE(workers.Start([&] {
        thrown.set_value();
        throw std::runtime_error("work failure");
    }));
    EXPECT_EQ(thrown.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    workers.Join();
    EXPECT_EQ(ExpectedReports::Reports().size(), 1u);
}

TEST(UnboundWindows, OperationsDoNothingWithoutAWindow) {
    // A shown window that anything aimed at "every window" would reach.
    CrackingWindow witness;
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    ASSERT_TRUE(witness.CreateEx(0, cls, L"witness", WS_POPUP | WS_VISIBLE, Rect(0, 0, 60, 60),
                                 nullptr, 0));
    witness.UpdateWindow();
    ASSERT_FALSE(::GetUpdateRect(witness, nullptr, FALSE));

    CWnd unbound;
    unbound.Invalidate();
    unbound.RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    EXPECT_FALSE(::GetUpdateRect(witness, nullptr, FALSE)) << "other windows were invalidated";
    const UINT_PTR timer = unbound.SetTimer(1, USER_TIMER_MINIMUM);
    EXPECT_EQ(timer, 0u) << "a thread timer was made";
    EXPECT_FALSE(unbound.KillTimer(1));
    EXPECT_FALSE(unbound.PostMessage(WM_APP + 5));

    // A thread timer would be due before the witness's own timer: once that
    // one has come, nothing may be waiting for the thread itself.
    witness.SetTimer(9, 5 * USER_TIMER_MINIMUM);
    const bool witnessTicked = PumpUntil([&] {
        MSG msg;
        while (::PeekMessageW(&msg, witness, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
        return !witness.seen.empty();
    });
    EXPECT_TRUE(witnessTicked);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(
        ::PeekMessageW(&msg, reinterpret_cast<HWND>(-1), WM_APP + 5, WM_APP + 5, PM_REMOVE));
    if (timer != 0) {
        ::KillTimer(nullptr, timer);
    }
    witness.DestroyWindow();
}

// Collects the exception reports of one test.
class ExceptionReports : public ::testing::Test {
protected:
    ExceptionReports() { previous_ = SetExceptionReporter(&Record); }
    ~ExceptionReports() override { SetExceptionReporter(previous_); }

    static std::vector<std::wstring>& Reports() {
        static std::vector<std::wstring> reports;
        return reports;
    }
    static bool Mentions(const std::wstring& report, const wchar_t* text) {
        return report.find(text) != std::wstring::npos;
    }

private:
    static void Record(const std::wstring& report) { Reports().push_back(report); }
    ExceptionReporter previous_ = nullptr;
};

class ThrowingWindow : public WithMessageMap<ThrowingWindow, CWnd> {
public:
    static const ClassMessageMap<ThrowingWindow> messageMap;
    int calls = 0;

private:
    static const MessageMapEntry messageEntries[];
    void OnStandardError(WPARAM, LPARAM) { throw std::runtime_error("handler failure"); }
    void OnOtherThrow(WPARAM, LPARAM) { throw 42; }
    bool OnCount(Message& m) {
        m.result = ++calls;
        return true;
    }
};

const MessageMapEntry ThrowingWindow::messageEntries[] = {
    On<WM_APP + 1, &ThrowingWindow::OnStandardError>(),
    On<WM_APP + 2, &ThrowingWindow::OnOtherThrow>(),
    On<WM_APP + 3, &ThrowingWindow::OnCount>(),
};
const ClassMessageMap<ThrowingWindow> ThrowingWindow::messageMap{messageEntries};

TEST_F(ExceptionReports, AHandlerExceptionIsReportedAndTheWindowGoesOn) {
    Reports().clear();
    ThrowingWindow window;
    const wchar_t* cls = CWnd::RegisterWindowClass(L"VandirTestWindow");
    ASSERT_TRUE(window.CreateEx(0, cls, L"test", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(window.SendMessage(WM_APP + 1), 0);
    EXPECT_EQ(window.SendMessage(WM_APP + 2), 0);
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_TRUE(Mentions(Reports()[0], L"window procedure")) << Utf8(Reports()[0]);
    EXPECT_TRUE(Mentions(Reports()[0], L"handler failure")) << Utf8(Reports()[0]);
    EXPECT_TRUE(Mentions(Reports()[1], L"unknown exception")) << Utf8(Reports()[1]);
    EXPECT_EQ(window.SendMessage(WM_APP + 3), 1) << "the window still answers";
    EXPECT_EQ(window.SendMessage(WM_APP + 3), 2);
    window.DestroyWindow();
}

class FailingInitDialog : public CDialogEx {
public:
    FailingInitDialog() : CDialogEx(IDD_TEST_DIALOG) {}

protected:
    BOOL OnInitDialog() override { throw std::runtime_error("set-up failure"); }
};

TEST_F(ExceptionReports, ADialogSetUpExceptionIsReportedAndTheDialogStays) {
    Reports().clear();
    FailingInitDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_TRUE(Mentions(Reports()[0], L"set-up failure")) << Utf8(Reports()[0]);
    EXPECT_EQ(dialog.SendMessage(WM_GETTEXTLENGTH), 11) << "\"Test dialog\" still answers";
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace vandir
