#include "skin/KivEdit.h"

#include <utility>

#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"
#include "skin/SkinText.h"

namespace vandir {

const MessageMapEntry CKivEdit::messageEntries[] = {
    OnReflected<WM_CTLCOLOREDIT, &CKivEdit::OnControlColour>(),
    // A disabled or read-only edit asks with the static message.
    OnReflected<WM_CTLCOLORSTATIC, &CKivEdit::OnControlColour>(),
    OnReflected<WM_COMMAND, &CKivEdit::OnReflectedCommand>(),
    On<WM_ERASEBKGND, &CKivEdit::OnEraseBackground>(),
    On<WM_PAINT, &CKivEdit::OnPaint>(),
};
const ClassMessageMap<CKivEdit> CKivEdit::messageMap{messageEntries};

CKivEdit::CKivEdit() : font_(CreateToolkitFont(14)) {}

void CKivEdit::SetPictures(ControlPictures pictures) {
    SetBackground(std::move(pictures.background));
}

void CKivEdit::SetBackground(ImagePtr image) {
    background_ = std::move(image);
    RedrawIfBound(*this);
}

void CKivEdit::SetTextColour(Argb colour) {
    textColour_ = colour;
    RedrawIfBound(*this);
}

void CKivEdit::SetFontHeight(int height) {
    UniqueFont replaced = CreateToolkitFont(height);
    // The control lets go of the old font before it is deleted.
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(replaced.Get()), TRUE);
    font_ = std::move(replaced);
}

HBRUSH CKivEdit::OnControlColour(HDC dc) {
    ::SetTextColor(dc, textColour_.ToColorRef());
    ::SetBkMode(dc, TRANSPARENT);
    ::SelectObject(dc, font_.Get());
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CKivEdit::OnReflectedCommand(UINT code) {
    if (code != EN_CHANGE) {
        return;
    }
    Invalidate(TRUE);
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), kTextChanged);
}

bool CKivEdit::OnEraseBackground(HDC) {
    return false;  // not erased: painting covers it
}

void CKivEdit::OnPaint() {
    PaintDC dc(GetSafeHwnd());
    RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    {
        Gdiplus::Graphics graphics(dc.Get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        if (background_ != nullptr) {
            DrawStretched(graphics, background_.get(), 0, 0, width, height);
        } else {
            Gdiplus::SolidBrush black{Gdiplus::Color(kOpaqueBlack)};
            graphics.FillRectangle(&black, 0, 0, width, height);
            Gdiplus::Pen frame(Gdiplus::Color(kFrameGrey), 1.0F);
            graphics.DrawRectangle(&frame, 0, 0, width - 1, height - 1);
        }
    }
    const std::wstring text = GetWindowText();
    ::SetTextColor(dc.Get(), textColour_.ToColorRef());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    SelectedObject selected(dc.Get(), font_.Get());
    client.left += 1;
    ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &client,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace vandir
