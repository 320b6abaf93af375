#include "app/SingleInstance.h"

#include <windows.h>

namespace vandir {

namespace {
constexpr wchar_t kMainWindowTitle[] = L"Meridane Vandir II";
}  // namespace

UniqueKernelHandle ClaimSingleInstance() {
    if (const HWND running = ::FindWindowW(nullptr, kMainWindowTitle)) {
        ::PostMessageW(running, kCallUpMessage, 0, 0);
    }
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return {};  // closing our handle leaves the other instance's mutex alone
    }
    return mutex;
}

}  // namespace vandir
