#pragma once
// The main window's icon in the notification area: added when made, deleted
// when destroyed.

#include <windows.h>
// <windows.h> first.
#include <shellapi.h>

namespace vandir {

class TrayIcon {
public:
    static constexpr UINT kIconId = 128;
    static constexpr UINT kCallbackMessage = 2027;

    // Adds the icon (resource iconResource) with the tip to window's
    // notification area; added() says whether the system took it.
    TrayIcon(HWND window, UINT iconResource, const wchar_t* tip);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool added() const { return added_; }

private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace vandir
