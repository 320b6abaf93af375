// The low-level hooks under real input: SendInput events go through the
// system's hook chain to a foreground test window, and the windows record the
// 1192 messages the hooks post besides the input they receive themselves.
//
// Not covered: the system refusing SetWindowsHookExW. With a valid procedure
// and module Wine always grants a low-level hook, so that path cannot be
// provoked honestly here. The refusals that can be provoked (a null target,
// another object holding the hooks) are tested below: false, with the hooks
// and their targets left as they were.

#include <windows.h>
// <windows.h> first.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "skin/InputHooks.h"
#include "win32/ui/InputInjection.h"
#include "win32/ui/MessagePump.h"

namespace vandir {
namespace {

struct Recorded {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A hook message as the test expects it: (wParam, lParam).
struct HookReport {
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const HookReport&) const = default;
};

void PrintTo(const HookReport& report, std::ostream* out) {
    *out << "(0x" << std::hex << report.wParam << ", 0x" << report.lParam << std::dec << ")";
}

// A top-level window that records the hook messages and the keyboard and mouse
// button input it receives, in arrival order.
class RecordingWindow {
public:
    RecordingWindow(int x, int y) {
        hwnd_ = ::CreateWindowExW(0, ClassName(), L"hook test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                                  y, 320, 240, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    }
    ~RecordingWindow() {
        if (hwnd_ != nullptr) {
            ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            ::DestroyWindow(hwnd_);
        }
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

    std::vector<HookReport> HookReports() const {
        std::vector<HookReport> reports;
        for (const Recorded& r : log_) {
            if (r.message == kHookMessage) {
                reports.push_back({r.wParam, r.lParam});
            }
        }
        return reports;
    }
    // The wParams of the received messages of one kind, in order.
    std::vector<WPARAM> Received(UINT message) const {
        std::vector<WPARAM> values;
        for (const Recorded& r : log_) {
            if (r.message == message) {
                values.push_back(r.wParam);
            }
        }
        return values;
    }
    bool Got(UINT message, WPARAM wParam = 0) const {
        return std::any_of(log_.begin(), log_.end(), [&](const Recorded& r) {
            return r.message == message && (wParam == 0 || r.wParam == wParam);
        });
    }
    void Clear() { log_.clear(); }

    // The window's centre in screen coordinates.
    POINT Centre() const {
        RECT rect{};
        ::GetWindowRect(hwnd_, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

private:
    static const wchar_t* ClassName() {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &Proc;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
            wc.lpszClassName = L"VandirHookTestWindow";
            return ::RegisterClassExW(&wc);
        }();
        return atom != 0 ? L"VandirHookTestWindow" : nullptr;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        try {
            if (message == WM_NCCREATE) {
                const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                                    reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            }
            auto* self =
                reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self != nullptr) {
                switch (message) {
                    case kHookMessage:
                    case WM_KEYDOWN:
                    case WM_KEYUP:
                    case WM_LBUTTONDOWN:
                    case WM_LBUTTONUP:
                    case WM_RBUTTONDOWN:
                    case WM_RBUTTONUP:
                    case WM_MOUSEWHEEL:
                        self->log_.push_back({message, wParam, lParam});
                        break;
                    default:
                        break;
                }
                if (message == kHookMessage) {
                    return 0;
                }
            }
        } catch (...) {
            // A failed record shows up as a missing message.
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
    std::vector<Recorded> log_;
};

// --- Input -----------------------------------------------------------------

std::vector<INPUT> ClickAt(POINT at, DWORD down, DWORD up) {
    return {MouseMoveTo(at), MouseButton(down), MouseButton(up)};
}

constexpr LPARAM kPressed = 0;
constexpr LPARAM kReleased = 0x80;

// Keys the tests press; released after each test in case one stopped half-way.
constexpr WORD kTestKeys[] = {'A', '7', VK_F7, VK_RIGHT, VK_SPACE, 'K', 'Q'};

// --- Fixture ---------------------------------------------------------------

class InputHooksTest : public ::testing::Test {
protected:
    // The windows live for the whole suite: under Wine without a window
    // manager, destroying a shown top-level window waits two seconds for a
    // withdrawal that never comes.
    static void SetUpTestSuite() {
        firstWindow = std::make_unique<RecordingWindow>(100, 100);
        secondWindow = std::make_unique<RecordingWindow>(600, 100);
    }
    static void TearDownTestSuite() {
        firstWindow.reset();
        secondWindow.reset();
    }

    void SetUp() override {
        first_ = firstWindow.get();
        second_ = secondWindow.get();
        ASSERT_NE(first_->hwnd(), nullptr);
        ASSERT_NE(second_->hwnd(), nullptr);
        // Keyboard input goes to the focused window of the foreground thread:
        // the first window takes both, and Wine may need a few messages for it.
        const HWND target = first_->hwnd();
        ASSERT_TRUE(PumpUntil([&] {
            ::SetForegroundWindow(target);
            ::SetFocus(target);
            return ::GetForegroundWindow() == target && ::GetFocus() == target;
        })) << "the test window did not become the foreground window";
        first_->Clear();
        second_->Clear();
    }

    void TearDown() override {
        hooks_.RemoveKeyboardHook();
        hooks_.RemoveMouseHook();
        ReleaseHeldInput(kTestKeys);
        PumpUntil([] { return ::GetQueueStatus(QS_ALLINPUT) == 0; }, 1000);
    }

    // Types keys into the focused first window and waits until it received the
    // last key's release, which comes after every hook message of the sequence.
    ::testing::AssertionResult TypeAndWait(std::vector<INPUT> inputs, WORD lastKey) {
        if (auto sent = SendInputs(std::move(inputs)); !sent) {
            return sent;
        }
        if (!PumpUntil([&] { return first_->Got(WM_KEYUP, lastKey); })) {
            return ::testing::AssertionFailure() << "the focused window never got the last key up";
        }
        return ::testing::AssertionSuccess();
    }

    // Sends mouse input and waits until the first window received the final
    // right button release, which the sequence must end with.
    ::testing::AssertionResult MouseAndWait(std::vector<INPUT> inputs) {
        if (auto sent = SendInputs(std::move(inputs)); !sent) {
            return sent;
        }
        if (!PumpUntil([&] { return first_->Got(WM_RBUTTONUP); })) {
            return ::testing::AssertionFailure() << "the window never got the right button up";
        }
        return ::testing::AssertionSuccess();
    }

    // A right click in the first window: the end marker of mouse sequences.
    std::vector<INPUT> RightClick() const {
        return ClickAt(first_->Centre(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    }

    static inline std::unique_ptr<RecordingWindow> firstWindow;
    static inline std::unique_ptr<RecordingWindow> secondWindow;

    InputHooks hooks_;
    RecordingWindow* first_ = nullptr;   // focused, under the pointer
    RecordingWindow* second_ = nullptr;  // the other target
};

// --- Keyboard hook ---------------------------------------------------------

TEST_F(InputHooksTest, KeyboardHookReportsEachPressAndReleaseAndLetsTheKeyThrough) {
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    EXPECT_TRUE(hooks_.KeyboardHookInstalled());

    // The injected flag (0x10) is set on all of them and the extended flag
    // (0x01) on VK_RIGHT: only the key-up bit may reach lParam.
    const WORD keys[] = {'A', '7', VK_F7, VK_RIGHT, VK_SPACE};
    std::vector<INPUT> inputs;
    std::vector<HookReport> expected;
    for (WORD vk : keys) {
        inputs.push_back(Key(vk, false));
        inputs.push_back(Key(vk, true));
        expected.push_back({vk, kPressed});
        expected.push_back({vk, kReleased});
    }
    ASSERT_TRUE(TypeAndWait(inputs, VK_SPACE));

    EXPECT_EQ(first_->HookReports(), expected);
    // Not swallowed: the focused window still gets every key.
    const std::vector<WPARAM> typed(std::begin(keys), std::end(keys));
    EXPECT_EQ(first_->Received(WM_KEYDOWN), typed);
    EXPECT_EQ(first_->Received(WM_KEYUP), typed);
    EXPECT_TRUE(second_->HookReports().empty());
}

TEST_F(InputHooksTest, HeldKeyRepeatsAsPressesAndReleasesOnce) {
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    // Auto-repeat arrives as further key-down events without a release.
    std::vector<INPUT> inputs(4, Key('K', false));
    inputs.push_back(Key('K', true));
    ASSERT_TRUE(TypeAndWait(inputs, 'K'));

    const std::vector<HookReport> expected = {
        {'K', kPressed}, {'K', kPressed}, {'K', kPressed}, {'K', kPressed}, {'K', kReleased}};
    EXPECT_EQ(first_->HookReports(), expected);
    EXPECT_EQ(first_->Received(WM_KEYDOWN).size(), 4u);
}

TEST_F(InputHooksTest, InstallingAgainOnlyRedirectsTheKeyboardHook) {
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(hooks_.InstallKeyboardHook(second_->hwnd()));
    EXPECT_EQ(hooks_.KeyboardTarget(), second_->hwnd());

    ASSERT_TRUE(TypeAndWait(Tap('A'), 'A'));
    // Exactly one report per event: a second hook beside the first would double them.
    const std::vector<HookReport> expected = {{'A', kPressed}, {'A', kReleased}};
    EXPECT_EQ(second_->HookReports(), expected);
    EXPECT_TRUE(first_->HookReports().empty());
    // The key itself still goes to the focused window, not to the target.
    EXPECT_TRUE(first_->Got(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(second_->Got(WM_KEYDOWN));
}

TEST_F(InputHooksTest, RemovedKeyboardHookReportsNothingUntilInstalledAgain) {
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    hooks_.RemoveKeyboardHook();
    EXPECT_FALSE(hooks_.KeyboardHookInstalled());
    EXPECT_EQ(hooks_.KeyboardTarget(), nullptr);

    ASSERT_TRUE(TypeAndWait(Tap('A'), 'A'));
    EXPECT_TRUE(first_->HookReports().empty());

    first_->Clear();
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(TypeAndWait(Tap('Q'), 'Q'));
    const std::vector<HookReport> expected = {{'Q', kPressed}, {'Q', kReleased}};
    EXPECT_EQ(first_->HookReports(), expected);
}

// --- Refused installs ------------------------------------------------------

// Each case refuses an install while this object's hooks point at the first
// window; the refusal must leave both hooks and their targets as they were.
struct RefusalCase {
    const char* name;
    std::function<bool(HWND other)> install;  // the refused call; returns its result
};

TEST_F(InputHooksTest, RefusedInstallsLeaveHooksAndTargetsUnchanged) {
    InputHooks another;
    const RefusalCase cases[] = {
        {"keyboard, null target", [&](HWND) { return hooks_.InstallKeyboardHook(nullptr); }},
        {"mouse, null target", [&](HWND) { return hooks_.ShowMouseHookTarget(nullptr); }},
        {"keyboard, second object", [&](HWND other) { return another.InstallKeyboardHook(other); }},
        {"mouse, second object", [&](HWND other) { return another.ShowMouseHookTarget(other); }},
    };
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));

    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        first_->Clear();
        second_->Clear();
        EXPECT_FALSE(c.install(second_->hwnd()));
        EXPECT_EQ(hooks_.KeyboardTarget(), first_->hwnd());
        EXPECT_EQ(hooks_.MouseTarget(), first_->hwnd());
        EXPECT_FALSE(another.KeyboardHookInstalled());
        EXPECT_FALSE(another.MouseHookInstalled());

        std::vector<INPUT> inputs = Tap('A');
        for (const INPUT& input : RightClick()) {
            inputs.push_back(input);
        }
        ASSERT_TRUE(MouseAndWait(inputs));
        ASSERT_TRUE(PumpUntil([&] { return first_->Got(WM_KEYUP, 'A'); }));
        const std::vector<HookReport> reports = first_->HookReports();
        std::vector<WPARAM> reported;
        for (const HookReport& r : reports) {
            reported.push_back(r.wParam);
        }
        EXPECT_EQ(reported, (std::vector<WPARAM>{'A', 'A', WM_RBUTTONDOWN, WM_RBUTTONUP}));
        EXPECT_TRUE(second_->HookReports().empty());
    }
}

TEST_F(InputHooksTest, AnotherObjectMayInstallOnceTheFirstHasNoHookLeft) {
    InputHooks another;
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));
    hooks_.RemoveKeyboardHook();
    // One hook left still holds the claim.
    EXPECT_FALSE(another.InstallKeyboardHook(second_->hwnd()));
    hooks_.RemoveMouseHook();

    ASSERT_TRUE(another.InstallKeyboardHook(second_->hwnd()));
    ASSERT_TRUE(TypeAndWait(Tap('A'), 'A'));
    const std::vector<HookReport> expected = {{'A', kPressed}, {'A', kReleased}};
    EXPECT_EQ(second_->HookReports(), expected);
    EXPECT_TRUE(first_->HookReports().empty());
}

TEST_F(InputHooksTest, DestructionRemovesBothHooks) {
    {
        InputHooks scoped;
        ASSERT_TRUE(scoped.InstallKeyboardHook(first_->hwnd()));
        ASSERT_TRUE(scoped.ShowMouseHookTarget(first_->hwnd()));
    }
    std::vector<INPUT> inputs = Tap('A');
    for (const INPUT& input : RightClick()) {
        inputs.push_back(input);
    }
    ASSERT_TRUE(MouseAndWait(inputs));
    ASSERT_TRUE(PumpUntil([&] { return first_->Got(WM_KEYUP, 'A'); }));
    EXPECT_TRUE(first_->HookReports().empty());
    // The destroyed object gave up its claim.
    EXPECT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
}

// --- Mouse hook ------------------------------------------------------------

TEST_F(InputHooksTest, MouseHookReportsButtonsButNotMovesOrWheelAndLetsThemThrough) {
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));
    EXPECT_TRUE(hooks_.MouseHookInstalled());

    const POINT centre = first_->Centre();
    ASSERT_TRUE(MouseAndWait({
        MouseMoveTo(centre),
        MouseButton(MOUSEEVENTF_LEFTDOWN),
        MouseButton(MOUSEEVENTF_LEFTUP),
        Wheel(WHEEL_DELTA),
        MouseMoveBy(5, 3),
        Wheel(-WHEEL_DELTA),
        MouseMoveTo(centre),
        MouseButton(MOUSEEVENTF_RIGHTDOWN),
        MouseButton(MOUSEEVENTF_RIGHTUP),
    }));

    const std::vector<HookReport> reports = first_->HookReports();
    std::vector<WPARAM> reported;
    for (const HookReport& r : reports) {
        reported.push_back(r.wParam);
        EXPECT_NE(r.lParam, 0) << "event record address of message 0x" << std::hex << r.wParam;
    }
    EXPECT_EQ(reported,
              (std::vector<WPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}));
    // Not swallowed: the window under the pointer gets the clicks and the wheel.
    EXPECT_TRUE(first_->Got(WM_LBUTTONDOWN));
    EXPECT_TRUE(first_->Got(WM_LBUTTONUP));
    EXPECT_TRUE(first_->Got(WM_MOUSEWHEEL));
    EXPECT_TRUE(first_->Got(WM_RBUTTONDOWN));
}

TEST_F(InputHooksTest, ShowingAnotherListOnlyRedirectsTheMouseHook) {
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(second_->hwnd()));
    EXPECT_EQ(hooks_.MouseTarget(), second_->hwnd());

    ASSERT_TRUE(MouseAndWait(RightClick()));
    const std::vector<HookReport> reports = second_->HookReports();
    ASSERT_EQ(reports.size(), 2u) << "one report per event";
    EXPECT_EQ(reports[0].wParam, static_cast<WPARAM>(WM_RBUTTONDOWN));
    EXPECT_EQ(reports[1].wParam, static_cast<WPARAM>(WM_RBUTTONUP));
    EXPECT_TRUE(first_->HookReports().empty());
}

TEST_F(InputHooksTest, RemovedMouseHookReportsNothing) {
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));
    hooks_.RemoveMouseHook();
    EXPECT_FALSE(hooks_.MouseHookInstalled());
    EXPECT_EQ(hooks_.MouseTarget(), nullptr);

    std::vector<INPUT> inputs = ClickAt(first_->Centre(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    for (const INPUT& input : RightClick()) {
        inputs.push_back(input);
    }
    ASSERT_TRUE(MouseAndWait(inputs));
    EXPECT_TRUE(first_->HookReports().empty());
}

TEST_F(InputHooksTest, TheHooksAreRemovedIndependently) {
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(second_->hwnd()));
    hooks_.RemoveKeyboardHook();

    std::vector<INPUT> inputs = Tap('A');
    for (const INPUT& input : RightClick()) {
        inputs.push_back(input);
    }
    ASSERT_TRUE(MouseAndWait(inputs));
    ASSERT_TRUE(PumpUntil([&] { return first_->Got(WM_KEYUP, 'A'); }));
    EXPECT_TRUE(first_->HookReports().empty());
    const std::vector<HookReport> reports = second_->HookReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].wParam, static_cast<WPARAM>(WM_RBUTTONDOWN));
    EXPECT_EQ(reports[1].wParam, static_cast<WPARAM>(WM_RBUTTONUP));
}

// --- The hook chain --------------------------------------------------------

// Low-level hooks installed later are called first, so hooks installed before
// ours only see events that our procedures passed on.
int chainedKeys = 0;
int chainedButtons = 0;

LRESULT CALLBACK CountingKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        ++chainedKeys;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountingMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && (wParam == WM_RBUTTONDOWN || wParam == WM_RBUTTONUP)) {
        ++chainedButtons;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(InputHooksTest, BothHooksPassEveryEventOnToTheNextHook) {
    chainedKeys = 0;
    chainedButtons = 0;
    const HINSTANCE module = ::GetModuleHandleW(nullptr);
    UniqueHook keyboardBefore(
        ::SetWindowsHookExW(WH_KEYBOARD_LL, &CountingKeyboardProc, module, 0));
    UniqueHook mouseBefore(::SetWindowsHookExW(WH_MOUSE_LL, &CountingMouseProc, module, 0));
    ASSERT_TRUE(keyboardBefore.Valid());
    ASSERT_TRUE(mouseBefore.Valid());
    ASSERT_TRUE(hooks_.InstallKeyboardHook(first_->hwnd()));
    ASSERT_TRUE(hooks_.ShowMouseHookTarget(first_->hwnd()));

    std::vector<INPUT> inputs = Tap('A');
    for (const INPUT& input : RightClick()) {
        inputs.push_back(input);
    }
    ASSERT_TRUE(MouseAndWait(inputs));
    ASSERT_TRUE(PumpUntil([&] { return first_->Got(WM_KEYUP, 'A'); }));
    EXPECT_EQ(first_->HookReports().size(), 4u);
    EXPECT_EQ(chainedKeys, 2);
    EXPECT_EQ(chainedButtons, 2);
}

}  // namespace
}  // namespace vandir
