#pragma once
// CWinApp: the application object. The program defines one, and its entry
// point runs it: InitInstance (which runs the main window) then ExitInstance.

#include <windows.h>

namespace vandir {

class CWinApp {
public:
    CWinApp() = default;
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the application; returns the process exit code.
    int Run(HINSTANCE instance);
    HINSTANCE instance() const { return instance_; }

protected:
    // False ends the application at once.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

private:
    HINSTANCE instance_ = nullptr;
};

}  // namespace vandir
