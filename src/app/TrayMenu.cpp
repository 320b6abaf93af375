#include "app/TrayMenu.h"

#include "skin/layout/DisplayScale.h"

namespace vandir {

void TrayMenu::ShowAtCursor(HWND owner, int dpi) {
    if (menu_ == nullptr) {
        const UINT commandId = ::GetTickCount();
        auto menu = std::make_unique<CKivMenu>(hooks_);
        if (!menu->Create(L"menu", RECT{0, 0, layout::ScaleUnits(kWidth, dpi), 10}, owner,
                          commandId)) {
            return;
        }
        menu->SetDpi(dpi);
        menu->AddItem(kShow, L"Vandir II");
        menu->AddItem(kExit, L"Exit");
        menu_ = std::move(menu);
        commandId_ = commandId;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::SetWindowPos(menu_->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    menu_->ShowAt(CKivMenu::kBottomRight, cursor.x, cursor.y);
}

void TrayMenu::Hide() {
    if (menu_ != nullptr) {
        menu_->Hide();
    }
}

void TrayMenu::SetDpi(int dpi) {
    if (menu_ != nullptr) {
        menu_->SetDpi(dpi);
        menu_->SetWidth(layout::ScaleUnits(kWidth, dpi));
    }
}

}  // namespace vandir
