// One copy of the program: a second start calls the first one's window up
// (also a window of another program with the same title) and gets no
// mutex; once the first has ended, a new start runs.

#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "platform/win32/framework/Wnd.h"

namespace vandir {
namespace {

// A window titled as the main window, counting the call-up messages it gets.
class TitledWindow : public CWnd {
public:
    explicit TitledWindow(const wchar_t* title = L"Meridane Vandir II") {
        CreateEx(0, RegisterWindowClass(L"VandirSingleInstanceTest"), title, WS_POPUP,
                 RECT{0, 0, 10, 10}, nullptr, 0);
    }
    ~TitledWindow() override { DestroyWindow(); }

    // Call-up messages waiting in the queue.
    int CallUps() {
        int count = 0;
        MSG msg;
        while (::PeekMessageW(&msg, GetSafeHwnd(), kCallUpMessage, kCallUpMessage, PM_REMOVE)) {
            EXPECT_EQ(msg.wParam, 0u);
            EXPECT_EQ(msg.lParam, 0);
            ++count;
        }
        return count;
    }
};

TEST(SingleInstance, TheSecondStartCallsTheFirstUpAndEndsTheThirdToo) {
    TitledWindow running;
    UniqueKernelHandle first = ClaimSingleInstance();
    ASSERT_TRUE(first);
    EXPECT_EQ(running.CallUps(), 1);  // a window of that title is called up even then

    EXPECT_FALSE(ClaimSingleInstance());
    EXPECT_FALSE(ClaimSingleInstance());
    EXPECT_EQ(running.CallUps(), 2);

    first.Reset();  // the first program ended
    UniqueKernelHandle next = ClaimSingleInstance();
    EXPECT_TRUE(next);
}

// The program's own message boxes carry the main window's title: whichever
// of the two the system finds first, the main window is called up.
TEST(SingleInstance, AMessageBoxWithTheSameCaptionDoesNotTakeTheCallUp) {
    for (const bool boxFirst : {true, false}) {
        SCOPED_TRACE(boxFirst ? "message box made first" : "main window made first");
        std::optional<TitledWindow> box;
        std::optional<TitledWindow> mainWindow;
        if (boxFirst) {
            box.emplace();
        }
        mainWindow.emplace();
        if (!boxFirst) {
            box.emplace();
        }
        UniqueKernelHandle first = ClaimSingleInstance();
        ASSERT_TRUE(first);
        EXPECT_FALSE(ClaimSingleInstance());
        EXPECT_EQ(mainWindow->CallUps(), 2);
        EXPECT_EQ(box->CallUps(), 2);  // a message box ignores it
    }
}

// Only that exact title: a longer one is another window.
TEST(SingleInstance, AWindowWithALongerTitleIsNotCalledUp) {
    TitledWindow longer(L"Meridane Vandir II - notes");
    UniqueKernelHandle only = ClaimSingleInstance();
    EXPECT_TRUE(only);
    EXPECT_EQ(longer.CallUps(), 0);
}

TEST(SingleInstance, WithoutAWindowOfThatTitleNothingIsPosted) {
    UniqueKernelHandle only = ClaimSingleInstance();
    EXPECT_TRUE(only);
}

}  // namespace
}  // namespace vandir
