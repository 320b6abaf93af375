#pragma once
// CWinApp: the application object. The program defines one, and its entry
// point runs it: InitInstance, then the thread's message loop while
// InitInstance succeeded, then ExitInstance. The program's own InitInstance
// runs the main window modally and returns FALSE, so no loop runs after it.

#include <windows.h>

namespace vandir {

class CWinApp {
public:
    // The exit code when an exception escapes the application.
    static constexpr int kFailedExitCode = 1;

    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the application; returns the process exit code, ExitInstance's.
    int Run(HINSTANCE instance);
    HINSTANCE instance() const { return instance_; }

protected:
    // TRUE runs the message loop until WM_QUIT; FALSE goes on to ExitInstance
    // at once.
    virtual BOOL InitInstance() { return FALSE; }
    // The exit code: by default the one WM_QUIT carried (0 without a loop).
    virtual int ExitInstance() { return quitCode_; }

private:
    // Dispatches the thread's messages until WM_QUIT and keeps its code.
    void RunMessageLoop();

    HINSTANCE instance_ = nullptr;
    int quitCode_ = 0;
};

}  // namespace vandir
