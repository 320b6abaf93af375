#include "platform/win32/framework/WinApp.h"

namespace vandir {

int CWinApp::Run(HINSTANCE instance) {
    instance_ = instance;
    try {
        InitInstance();
        return ExitInstance();
    } catch (...) {
        return 1;
    }
}

}  // namespace vandir
