#include "skin/KivImageDialog.h"

#include "platform/win32/framework/BufferedPaint.h"
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

// Copies an opaque skin sheet of exactly the target's size straight from its
// pixels, which is the same picture as drawing it through GDI+ at that size,
// without GDI+'s format conversion and blending per draw. False for anything
// else.
bool CopyOpaqueSheet(HDC target, const Gdiplus::Image& image, int width, int height) {
    const auto* sheet = dynamic_cast<const SkinBitmap*>(&image);
    if (sheet == nullptr) {
        return false;
    }
    const SheetPixels& pixels = sheet->pixels();
    const bool opaque =
        pixels.format == PixelFormat24bppRGB || pixels.format == PixelFormat32bppRGB;
    // A DIB's rows are exactly as long as their pixels, rounded up to 4 bytes.
    const int rowBytes = (width * pixels.BytesPerPixel() + 3) / 4 * 4;
    if (!opaque || pixels.width != width || pixels.height != height ||
        (pixels.stride != rowBytes && pixels.stride != -rowBytes)) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    // Rows stored top row first read as a top-down DIB (negative height).
    const bool topDown = pixels.stride > 0;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(pixels.BytesPerPixel() * 8);
    info.bmiHeader.biCompression = BI_RGB;
    const BYTE* first = topDown ? pixels.Row(0) : pixels.Row(height - 1);
    return ::SetDIBitsToDevice(target, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height),
                               0, 0, 0, static_cast<UINT>(height), first, &info,
                               DIB_RGB_COLORS) == height;
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

Reply CKivImageDialog::OnEraseBackground(HDC target) {
    if (background_ == nullptr) {
        return Declined();  // the default dialog erase
    }
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (CopyOpaqueSheet(target, *background_, width, height)) {
        return Handled(TRUE);
    }
    BufferedPaint buffer(target, RECT{0, 0, width, height});
    {
        Gdiplus::Graphics graphics(buffer.dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        graphics.DrawImage(background_.get(), 0, 0, width, height);
    }
    buffer.Present();
    return Handled(TRUE);
}

}  // namespace vandir
