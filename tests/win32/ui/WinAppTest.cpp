// CWinApp::Run: the message loop runs only when InitInstance succeeds, and
// the exit code is ExitInstance's.

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/framework/WinApp.h"

namespace vandir {
namespace {

constexpr UINT kMarker = WM_APP + 41;
constexpr int kQuitCode = 7;

// Posts kMarker to its thread in InitInstance (and WM_QUIT with kQuitCode
// when it succeeds), then answers as told.
class ScriptedApp : public CWinApp {
public:
    explicit ScriptedApp(BOOL initResult) : initResult_(initResult) {}
    bool exited = false;

protected:
    BOOL InitInstance() override {
        ::PostThreadMessageW(::GetCurrentThreadId(), kMarker, 0, 0);
        if (initResult_) {
            ::PostQuitMessage(kQuitCode);
        }
        return initResult_;
    }
    int ExitInstance() override {
        exited = true;
        return CWinApp::ExitInstance();
    }

private:
    BOOL initResult_;
};

bool TakeMarker() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, kMarker, kMarker, PM_REMOVE) != FALSE;
}

TEST(WinApp, AFailedInitInstanceRunsNoMessageLoop) {
    ScriptedApp app(FALSE);
    EXPECT_EQ(app.Run(::GetModuleHandleW(nullptr)), 0);
    EXPECT_TRUE(app.exited);
    EXPECT_TRUE(TakeMarker()) << "the loop ran and took the posted message";
}

TEST(WinApp, ASuccessfulInitInstanceRunsTheLoopUntilQuit) {
    ScriptedApp app(TRUE);
    EXPECT_EQ(app.Run(::GetModuleHandleW(nullptr)), kQuitCode);
    EXPECT_TRUE(app.exited);
    EXPECT_FALSE(TakeMarker()) << "the loop left the posted message";
}

}  // namespace
}  // namespace vandir
