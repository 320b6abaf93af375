#pragma once
// The notification-area icon's menu, "Vandir II" and "Exit": made at the
// first right click and reused, shown with its bottom-right corner at the
// cursor. Its command ID is the tick count when it was made; its choices
// reach the owner window as WM_SYSCOMMAND with that ID.

#include <windows.h>

#include <memory>

#include "skin/InputHooks.h"
#include "skin/KivMenu.h"

namespace vandir {

class TrayMenu {
public:
    // The entries' values.
    static constexpr int kShow = 100;
    static constexpr int kExit = 101;

    explicit TrayMenu(InputHooks& hooks) : hooks_(hooks) {}

    // Makes the menu unless it exists, then shows it topmost at the cursor.
    void ShowAtCursor(HWND owner, int dpi);
    void Hide();
    // The menu's font and width at a display of dpi.
    void SetDpi(int dpi);

    CKivMenu* menu() const { return menu_.get(); }
    UINT commandId() const { return commandId_; }

private:
    static constexpr int kWidth = 105;

    InputHooks& hooks_;
    std::unique_ptr<CKivMenu> menu_;
    UINT commandId_ = 0;
};

}  // namespace vandir
