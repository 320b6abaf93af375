#pragma once
// The main window's icon in the notification area: added when made, deleted
// when destroyed. The hidden program's only way back, so it is added again
// whenever the system lost it: an add that failed (the shell not ready yet,
// a start at login) is retried by the owner, and a shell that restarted
// ("TaskbarCreated") gets the icon again.

#include <windows.h>
// <windows.h> first.
#include <shellapi.h>

#include <functional>

#include "platform/win32/framework/IconImage.h"

namespace vandir {

class TrayIcon {
public:
    static constexpr UINT kIconId = 128;
    static constexpr UINT kCallbackMessage = 2027;
    // Sent by the shell to every top-level window when it (re)starts.
    static constexpr wchar_t kTaskbarCreated[] = L"TaskbarCreated";

    // The system's Shell_NotifyIconW; tests put a stand-in in its place.
    using ShellCall = std::function<BOOL(DWORD, NOTIFYICONDATAW*)>;

    // Adds the icon (resource iconResource, at the system's small-icon size
    // at dpi) with the tip to window's notification area; added() says
    // whether the system took it.
    TrayIcon(HWND window, UINT iconResource, const wchar_t* tip, int dpi, ShellCall shell = {});
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon when the system does not hold it; true when it does now.
    bool Add();
    // The shell restarted with an empty notification area: adds the icon anew.
    bool AddAfterShellRestart();
    bool added() const { return added_; }
    // The icon at the small-icon size of a display of dpi, given to the
    // notification area when it holds the icon.
    void SetDpi(int dpi);
    HICON icon() const { return icon_.Get(); }

private:
    ShellCall shell_;
    UINT iconResource_;
    UniqueIcon icon_;
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace vandir
