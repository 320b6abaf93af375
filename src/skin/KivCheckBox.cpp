#include "skin/KivCheckBox.h"

#include <windowsx.h>

namespace vandir {

const MessageMapEntry CKivCheckBox::messageEntries[] = {
    OnMessage<&CKivCheckBox::OnEraseBackground>(WM_ERASEBKGND),
    OnMessage<&CKivCheckBox::OnFocusChange>(WM_KILLFOCUS),
    OnMessage<&CKivCheckBox::OnFocusChange>(WM_SETFOCUS),
    OnMessage<&CKivCheckBox::OnLeftButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CKivCheckBox::OnLeftButtonUp>(WM_LBUTTONUP),
    OnMessage<&CKivCheckBox::OnMouseMove>(WM_MOUSEMOVE),
    OnReflected<&CKivCheckBox::OnDrawItem>(WM_DRAWITEM),
};
const MessageMap CKivCheckBox::messageMap{&CButton::messageMap, messageEntries};

CKivCheckBox::~CKivCheckBox() = default;

void CKivCheckBox::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
}

void CKivCheckBox::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr checked, ImagePtr disabled) {
    pictures_ = ButtonPictures{std::move(normal), std::move(hover), std::move(checked),
                               std::move(disabled)};
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

void CKivCheckBox::SetChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        Invalidate();
    }
}

bool CKivCheckBox::OnEraseBackground(Message& m) {
    m.result = TRUE;
    return true;
}

bool CKivCheckBox::OnFocusChange(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    Invalidate();
    return true;
}

bool CKivCheckBox::OnLeftButtonDown(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    armed_ = true;
    state_ = kButtonPressed;
    Invalidate();
    return true;
}

bool CKivCheckBox::OnLeftButtonUp(Message& m) {
    // Toggle first: the click the platform delivers next must find the new
    // value.
    if (armed_) {
        checked_ = !checked_;
    }
    armed_ = false;
    state_ = kButtonNormal;
    Invalidate();
    m.result = Default(m.message, m.wParam, m.lParam);
    return true;
}

bool CKivCheckBox::OnMouseMove(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    switch (TrackHover(GetSafeHwnd(), m.lParam, tracking_, state_)) {
        case HoverChange::Entered:
            // Entering with the button held arms the box as a press inside would.
            armed_ = armed_ || (m.wParam & MK_LBUTTON) != 0;
            break;
        case HoverChange::Left:
            armed_ = false;
            break;
        case HoverChange::None:
            break;
    }
    return true;
}

bool CKivCheckBox::OnDrawItem(Message& m) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    const RECT& r = item->rcItem;
    const bool disabled = (GetStyle() & WS_DISABLED) != 0;
    DrawButtonPicture(item->hDC, pictures_.Choose(disabled, checked_, state_), r.right - r.left,
                      r.bottom - r.top);
    m.result = TRUE;
    return true;
}

}  // namespace vandir
