#include "platform/win32/framework/WinApp.h"

#include "platform/win32/ReportException.h"

namespace vandir {

int CWinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    try {
        if (InitInstance()) {
            RunMessageLoop();
        }
        return ExitInstance();
    } catch (...) {
        ReportCaughtException(L"application");
        return kFailedExitCode;
    }
}

void CWinApp::RunMessageLoop() {
    MSG msg{};
    BOOL got = FALSE;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    quitCode_ = got == 0 ? static_cast<int>(msg.wParam) : kFailedExitCode;
}

}  // namespace vandir
