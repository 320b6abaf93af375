#include "skin/KivButtonBase.h"

#include <windowsx.h>

#include <utility>

#include "skin/KivDrawing.h"

namespace vandir {

using layout::ImageState;

Gdiplus::Image* ChooseButtonLook(const ControlPictures& pictures, bool disabledWindow,
                                 bool pressedLook, ImageState state) {
    Gdiplus::Image* const disabled = pictures.lookOf(ImageState::Disabled);
    Gdiplus::Image* const pressed = pictures.lookOf(ImageState::Pressed);
    if (disabledWindow && disabled != nullptr) {
        return disabled;
    }
    if (pressedLook && pressed != nullptr) {
        return pressed;
    }
    switch (state) {
        case ImageState::Normal:
        case ImageState::Hover:
        case ImageState::Pressed:
            return pictures.lookOf(state);
        case ImageState::Disabled:
            break;  // a state no button enters
    }
    return nullptr;
}

const MessageMapEntry CKivButtonBase::messageEntries[] = {
    OnMessage<&CKivButtonBase::OnEraseBackground>(WM_ERASEBKGND),
    OnMessage<&CKivButtonBase::OnFocusChange>(WM_KILLFOCUS),
    OnMessage<&CKivButtonBase::OnFocusChange>(WM_SETFOCUS),
    OnMessage<&CKivButtonBase::OnLeftButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CKivButtonBase::OnLeftButtonUp>(WM_LBUTTONUP),
    OnMessage<&CKivButtonBase::OnMouseMove>(WM_MOUSEMOVE),
    OnReflected<&CKivButtonBase::OnDrawItem>(WM_DRAWITEM),
};
const MessageMap CKivButtonBase::messageMap{&CButton::messageMap, messageEntries};

CKivButtonBase::~CKivButtonBase() = default;

void CKivButtonBase::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW);
}

void CKivButtonBase::SetPictures(ControlPictures pictures) {
    pictures.background.reset();
    pictures_ = std::move(pictures);
    RedrawIfBound(*this);
}

void CKivButtonBase::SetState(ImageState state) {
    state_ = state;
    RedrawIfBound(*this);
}

void CKivButtonBase::OnHoverChanged(HoverChange, WPARAM) {}
void CKivButtonBase::OnPressed() {}
void CKivButtonBase::OnReleased() {}
bool CKivButtonBase::ShowsPressedLook() const {
    return false;
}
void CKivButtonBase::DrawOverLook(HDC, const RECT&) {}

bool CKivButtonBase::OnEraseBackground(Message& m) {
    m.result = TRUE;  // the look covers the control, or what lies below shows
    return true;
}

bool CKivButtonBase::OnFocusChange(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    Invalidate();
    return true;
}

bool CKivButtonBase::OnLeftButtonDown(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    SetState(ImageState::Pressed);
    OnPressed();
    return true;
}

bool CKivButtonBase::OnLeftButtonUp(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    SetState(ImageState::Normal);
    OnReleased();
    return true;
}

bool CKivButtonBase::OnMouseMove(Message& m) {
    m.result = Default(m.message, m.wParam, m.lParam);
    const HoverChange change = TrackHover({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
    if (change != HoverChange::None) {
        OnHoverChanged(change, m.wParam);
    }
    return true;
}

HoverChange CKivButtonBase::TrackHover(POINT pointer) {
    const HWND self = GetSafeHwnd();
    if (tracking_ && ::GetCapture() == self) {
        const RECT client = GetClientRect();
        if (::PtInRect(&client, pointer)) {
            return HoverChange::None;
        }
        SetState(ImageState::Normal);
        tracking_ = false;
        ::ReleaseCapture();
        return HoverChange::Left;
    }
    // The first move over the control, or the capture went elsewhere (the
    // platform's click handling) meanwhile.
    ::SetCapture(self);
    tracking_ = true;
    SetState(ImageState::Hover);
    return HoverChange::Entered;
}

bool CKivButtonBase::OnDrawItem(Message& m) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
    const RECT& r = item->rcItem;
    const bool disabledWindow = (GetStyle() & WS_DISABLED) != 0;
    if (Gdiplus::Image* look =
            ChooseButtonLook(pictures_, disabledWindow, ShowsPressedLook(), state_)) {
        Gdiplus::Graphics graphics(item->hDC);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        graphics.DrawImage(look, 0, 0, r.right - r.left, r.bottom - r.top);
    }
    DrawOverLook(item->hDC, r);
    m.result = TRUE;
    return true;
}

}  // namespace vandir
