#include "skin/KivImageDialog.h"

#include "platform/win32/framework/Gdi.h"
#include "skin/SkinBitmap.h"

namespace vandir {

const MessageMapEntry CKivImageDialog::messageEntries[] = {
    On<WM_ERASEBKGND, &CKivImageDialog::OnEraseBackground>(),
};
const ClassMessageMap<CKivImageDialog> CKivImageDialog::messageMap{messageEntries};

namespace {

// The dialog's own reference to a background: a share of a skin sheet, or
// else a copy.
std::shared_ptr<Gdiplus::Image> KeptBackground(Gdiplus::Image* image) {
    if (auto* sheet = dynamic_cast<SkinBitmap*>(image)) {
        if (std::shared_ptr<SkinBitmap> shared = sheet->weak_from_this().lock()) {
            return shared;
        }
    }
    return CloneImage(image);
}

}  // namespace

void CKivImageDialog::SetBackgroundImage(Gdiplus::Image* image) {
    background_ = KeptBackground(image);
    if (background_ != nullptr) {
        // Resize to the picture, keeping the top-left corner (in the parent's
        // coordinates for a child window).
        const RECT window = GetWindowRect();
        POINT topLeft{window.left, window.top};
        if (const HWND parent = GetParent(); parent != nullptr && (GetStyle() & WS_CHILD) != 0) {
            ::ScreenToClient(parent, &topLeft);
        }
        MoveWindow(topLeft.x, topLeft.y, static_cast<int>(background_->GetWidth()),
                   static_cast<int>(background_->GetHeight()), FALSE);
    }
    ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool CKivImageDialog::OnEraseBackground(Message& m) {
    if (background_ == nullptr) {
        return false;  // the default dialog erase
    }
    const HDC target = reinterpret_cast<HDC>(m.wParam);
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    MemoryDC memory(target);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(target, width, height));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        {
            Gdiplus::Graphics graphics(memory.get());
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
            graphics.DrawImage(background_.get(), 0, 0, width, height);
        }
        ::BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
    m.result = TRUE;
    return true;
}

}  // namespace vandir
