#include "skin/KivStatic.h"

#include <utility>

#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"
#include "skin/SkinText.h"

namespace vandir {

const MessageMapEntry CKivStatic::messageEntries[] = {
    On<WM_LBUTTONDBLCLK, &CKivStatic::OnLeftDoubleClick>(),
};
const ClassMessageMap<CKivStatic> CKivStatic::messageMap{messageEntries};

CKivStatic::CKivStatic() : font_(CreateToolkitFont(15)) {}

void CKivStatic::SetPictures(ControlPictures pictures) {
    SetBackground(std::move(pictures.background));
}

void CKivStatic::SetBackground(ImagePtr image) {
    SetAndRedraw(background_, std::move(image));
}

void CKivStatic::SetFontHeight(int height) {
    SetAndRedraw(font_, CreateToolkitFont(height));
}

void CKivStatic::SetText(const std::wstring& text) {
    SetAndRedraw(text_, text);
}

void CKivStatic::SetTextColour(Argb colour) {
    SetAndRedraw(textColour_, colour);
}

void CKivStatic::SetFillColour(Argb colour) {
    SetAndRedraw(fillColour_, colour);
}

void CKivStatic::SetCentred(bool centred) {
    SetAndRedraw(centred_, centred);
}

void CKivStatic::Draw(HDC dc, int width, int height) {
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        Gdiplus::SolidBrush fill{Gdiplus::Color(fillColour_.value)};
        graphics.FillRectangle(&fill, 0, 0, width, height);
        if (background_ != nullptr) {
            DrawStretched(graphics, background_.get(), 0, 0, width, height);
        }
    }
    if (text_.has_value()) {
        DrawSkinText(dc, font_.Get(), *text_, textColour_.ToColorRef(), centred_, true, 0, 0, width,
                     height);
    }
}

void CKivStatic::OnLeftDoubleClick(POINT, UINT) {
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), kDoubleClicked);
    Default();
}

}  // namespace vandir
