#include "platform/win32/framework/WinApp.h"

#include "platform/win32/ReportException.h"

namespace vandir {

int CWinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    try {
        InitInstance();
        return ExitInstance();
    } catch (...) {
        ReportCaughtException(L"application");
        return 1;
    }
}

}  // namespace vandir
