#include "skin/KivButton.h"

#include <windowsx.h>

#include "skin/ControlNotifications.h"
#include "skin/SkinText.h"

namespace vandir {

Gdiplus::Image* ButtonPictures::Choose(bool disabledWindow, bool pressedLook, int state) const {
    if (disabledWindow && disabled != nullptr) {
        return disabled.get();
    }
    if (pressedLook && pressed != nullptr) {
        return pressed.get();
    }
    if (state == kButtonPressed && pressed != nullptr) {
        return pressed.get();
    }
    if (state == kButtonNormal && normal != nullptr) {
        return normal.get();
    }
    if (state == kButtonHover && hover != nullptr) {
        return hover.get();
    }
    return nullptr;
}

void DrawButtonPicture(HDC dc, Gdiplus::Image* image, int width, int height) {
    if (image == nullptr) {
        return;
    }
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.DrawImage(image, 0, 0, width, height);
}

const MessageMapEntry CKivButton::messageEntries[] = {
    OnMessage<&CKivButton::OnEraseBackground>(WM_ERASEBKGND),
    OnMessage<&CKivButton::OnFocusChange>(WM_KILLFOCUS),
    OnMessage<&CKivButton::OnFocusChange>(WM_SETFOCUS),
    OnMessage<&CKivButton::OnLeftButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CKivButton::OnLeftButtonUp>(WM_LBUTTONUP),
    OnMessage<&CKivButton::OnMouseMove>(WM_MOUSEMOVE),
    OnReflected<&CKivButton::OnDrawItem>(WM_DRAWITEM),
};
const MessageMap CKivButton::messageMap{&CButton::messageMap, messageEntries};

CKivButton::CKivButton() : font_(CreateToolkitFont(15)) {}

CKivButton::~CKivButton() = default;

void CKivButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
}

void CKivButton::SetImages(ImagePtr normal, ImagePtr hover, ImagePtr pressed, ImagePtr disabled) {
    pictures_ = ButtonPictures{std::move(normal), std::move(hover), std::move(pressed),
                               std::move(disabled)};
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

void CKivButton::SetSelected(bool selected) {
    if (selected != selected_) {
        selected_ = selected;
        Invalidate();
    }
}

void CKivButton::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

bool CKivButton::OnEraseBackground(Message& m) {
    // The picture covers the control; where it is missing, what lies below
    // stays visible.
    m.result = TRUE;
    return true;
}

bool CKivButton::OnFocusChange(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    Invalidate();
    return true;
}

bool CKivButton::OnLeftButtonDown(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    state_ = kButtonPressed;
    Invalidate();
    return true;
}

bool CKivButton::OnLeftButtonUp(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    state_ = kButtonNormal;
    Invalidate();
    return true;
}

bool CKivButton::OnMouseMove(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    const LPARAM id = GetDlgCtrlID();
    switch (TrackHover(GetSafeHwnd(), m.lParam, tracking_, state_)) {
        case HoverChange::Entered:
            NotifyParent(GetParent(), kMouseEntered, id);
            NotifyParent(GetParent(), static_cast<WPARAM>(id), 0);
            break;
        case HoverChange::Left:
            NotifyParent(GetParent(), kMouseLeft, id);
            break;
        case HoverChange::None:
            break;
    }
    return true;
}

bool CKivButton::OnDrawItem(Message& m) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    const RECT& r = item->rcItem;
    const bool disabled = (GetStyle() & WS_DISABLED) != 0;
    DrawButtonPicture(item->hDC, pictures_.Choose(disabled, selected_, state_), r.right - r.left,
                      r.bottom - r.top);
    if (!caption_.empty()) {
        COLORREF colour = TextColourOf(textColour_);
        if (disabled) {
            colour = RGB(0x78, 0x78, 0x78);
        } else if (selected_) {
            colour = TextColourOf(selectedTextColour_);
        } else if (state_ == kButtonHover) {
            colour = RGB(0xFF, 0xFF, 0xFF);
        }
        DrawSkinText(item->hDC, font_.get(), caption_, colour, false, true, r.left + 5, r.top,
                     r.right, r.bottom);
    }
    m.result = TRUE;
    return true;
}

HoverChange TrackHover(HWND control, LPARAM pointer, bool& tracking, int& state) {
    if (tracking && ::GetCapture() == control) {
        const POINT point{GET_X_LPARAM(pointer), GET_Y_LPARAM(pointer)};
        RECT client{};
        ::GetClientRect(control, &client);
        if (::PtInRect(&client, point)) {
            return HoverChange::None;
        }
        state = kButtonNormal;
        ::InvalidateRect(control, nullptr, TRUE);
        tracking = false;
        ::ReleaseCapture();
        return HoverChange::Left;
    }
    ::SetCapture(control);
    tracking = true;
    state = kButtonHover;
    ::InvalidateRect(control, nullptr, TRUE);
    return HoverChange::Entered;
}

}  // namespace vandir
