#include "app/TrayIcon.h"

#include <cwchar>
#include <iterator>

namespace vandir {

TrayIcon::TrayIcon(HWND window, UINT iconResource, const wchar_t* tip) {
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource));
    std::wcsncpy(data_.szTip, tip, std::size(data_.szTip) - 1);
    added_ = ::Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

TrayIcon::~TrayIcon() {
    if (added_) {
        ::Shell_NotifyIconW(NIM_DELETE, &data_);
    }
}

}  // namespace vandir
