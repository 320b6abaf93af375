#include "app/SingleInstance.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "skin/layout/WindowTitle.h"

namespace vandir {

namespace {

// Posts the call-up to a top-level window with exactly the main window's
// title. Every such window hears it: the program's own message boxes carry
// the same caption, and the first window found could be one of them.
BOOL CALLBACK CallUpIfTitled(HWND window, LPARAM) {
    constexpr int kLength = static_cast<int>(std::size(kMainWindowTitle));
    wchar_t title[kLength + 1] = {};
    if (::GetWindowTextW(window, title, kLength + 1) == kLength - 1 &&
        std::wcscmp(title, kMainWindowTitle) == 0) {
        ::PostMessageW(window, kCallUpMessage, 0, 0);
    }
    return TRUE;
}
}  // namespace

UniqueKernelHandle ClaimSingleInstance() {
    ::EnumWindows(&CallUpIfTitled, 0);
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return {};  // closing our handle leaves the other instance's mutex alone
    }
    return mutex;
}

}  // namespace vandir
