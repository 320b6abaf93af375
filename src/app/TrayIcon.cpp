#include "app/TrayIcon.h"

#include <cwchar>
#include <iterator>
#include <utility>

namespace vandir {

TrayIcon::TrayIcon(HWND window, UINT iconResource, const wchar_t* tip, int dpi, ShellCall shell)
    : shell_(shell ? std::move(shell) : ShellCall(&::Shell_NotifyIconW)),
      iconResource_(iconResource),
      icon_(LoadIconForDpi(iconResource, SM_CXSMICON, dpi)) {
    data_.cbSize = sizeof(data_);
    data_.hWnd = window;
    data_.uID = kIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon_.Get();
    std::wcsncpy(data_.szTip, tip, std::size(data_.szTip) - 1);
    Add();
}

TrayIcon::~TrayIcon() {
    if (added_) {
        shell_(NIM_DELETE, &data_);
    }
}

bool TrayIcon::Add() {
    // An icon the notification area still holds (a shell that only redrew)
    // refuses the add and takes the modify.
    if (!added_) {
        added_ = shell_(NIM_ADD, &data_) != FALSE || shell_(NIM_MODIFY, &data_) != FALSE;
    }
    return added_;
}

void TrayIcon::SetDpi(int dpi) {
    UniqueIcon icon = LoadIconForDpi(iconResource_, SM_CXSMICON, dpi);
    if (!icon) {
        return;
    }
    data_.hIcon = icon.Get();
    if (added_) {
        shell_(NIM_MODIFY, &data_);
    }
    icon_ = std::move(icon);  // the old one goes once the area has the new
}

bool TrayIcon::AddAfterShellRestart() {
    added_ = false;
    return Add();
}

}  // namespace vandir
