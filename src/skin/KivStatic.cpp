#include "skin/KivStatic.h"

#include <utility>

#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"
#include "skin/SkinText.h"

namespace vandir {

const MessageMapEntry CKivStatic::messageEntries[] = {
    OnReflected<WM_DRAWITEM, &CKivStatic::OnDrawItem>(),
    On<WM_ERASEBKGND, &CKivStatic::OnEraseBackground>(),
    On<WM_LBUTTONDBLCLK, &CKivStatic::OnLeftDoubleClick>(),
};
const ClassMessageMap<CKivStatic> CKivStatic::messageMap{messageEntries};

CKivStatic::CKivStatic() : font_(CreateToolkitFont(15)) {}

void CKivStatic::PreSubclassWindow() {
    ModifyStyle(SS_TYPEMASK, SS_OWNERDRAW);
}

void CKivStatic::SetPictures(ControlPictures pictures) {
    SetBackground(std::move(pictures.background));
}

void CKivStatic::SetBackground(ImagePtr image) {
    background_ = std::move(image);
    RedrawIfBound(*this);
}

void CKivStatic::SetFontHeight(int height) {
    font_ = CreateToolkitFont(height);
    RedrawIfBound(*this);
}

void CKivStatic::SetText(const std::wstring& text) {
    text_ = text;
    RedrawIfBound(*this);
}

void CKivStatic::SetTextColour(Argb colour) {
    textColour_ = colour;
    RedrawIfBound(*this);
}

void CKivStatic::SetFillColour(Argb colour) {
    fillColour_ = colour;
    RedrawIfBound(*this);
}

void CKivStatic::SetCentred(bool centred) {
    centred_ = centred;
    RedrawIfBound(*this);
}

void CKivStatic::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT r = item.rcItem;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    MemoryDC memory(item.hDC);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(item.hDC, width, height));
    {
        SelectedObject selected(memory.get(), bitmap.get());
        {
            Gdiplus::Graphics graphics(memory.get());
            graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
            Gdiplus::SolidBrush fill{Gdiplus::Color(fillColour_.value)};
            graphics.FillRectangle(&fill, 0, 0, width, height);
            if (background_ != nullptr) {
                DrawStretched(graphics, background_.get(), 0, 0, width, height);
            }
        }
        if (text_.has_value()) {
            DrawSkinText(memory.get(), font_.get(), *text_, textColour_.ToColorRef(), centred_,
                         true, 0, 0, width, height);
        }
        ::BitBlt(item.hDC, r.left, r.top, width, height, memory.get(), 0, 0, SRCCOPY);
    }
}

bool CKivStatic::OnEraseBackground(HDC) {
    return false;  // not erased: drawing covers it
}

void CKivStatic::OnLeftDoubleClick(POINT, UINT) {
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), kDoubleClicked);
    Default();
}

}  // namespace vandir
