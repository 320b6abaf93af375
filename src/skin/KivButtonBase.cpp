#include "skin/KivButtonBase.h"

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
    On<WM_ERASEBKGND, &CKivButtonBase::OnEraseBackground>(),
    On<WM_KILLFOCUS, &CKivButtonBase::OnFocusChange>(),
    On<WM_SETFOCUS, &CKivButtonBase::OnFocusChange>(),
    On<WM_LBUTTONDOWN, &CKivButtonBase::OnLeftButtonDown>(),
    On<WM_LBUTTONUP, &CKivButtonBase::OnLeftButtonUp>(),
    On<WM_MOUSEMOVE, &CKivButtonBase::OnMouseMove>(),
    OnReflected<WM_DRAWITEM, &CKivButtonBase::OnDrawItem>(),
};
const ClassMessageMap<CKivButtonBase> CKivButtonBase::messageMap{messageEntries};

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

void CKivButtonBase::OnHoverChanged(HoverChange, UINT) {}
void CKivButtonBase::OnPressed() {}
void CKivButtonBase::OnReleased() {}
bool CKivButtonBase::ShowsPressedLook() const {
    return false;
}
void CKivButtonBase::DrawOverLook(HDC, const RECT&) {}

bool CKivButtonBase::OnEraseBackground(HDC) {
    return true;  // the look covers the control, or what lies below shows
}

void CKivButtonBase::OnFocusChange(HWND) {
    Default();
    Invalidate();
}

void CKivButtonBase::OnLeftButtonDown(POINT, UINT) {
    Default();
    SetState(ImageState::Pressed);
    OnPressed();
}

void CKivButtonBase::OnLeftButtonUp(POINT, UINT) {
    Default();
    SetState(ImageState::Normal);
    OnReleased();
}

void CKivButtonBase::OnMouseMove(POINT point, UINT keys) {
    Default();
    const HoverChange change = hover_.Track(*this, point);
    if (change == HoverChange::Entered) {
        SetState(ImageState::Hover);
    } else if (change == HoverChange::Left) {
        SetState(ImageState::Normal);
    }
    if (change != HoverChange::None) {
        OnHoverChanged(change, keys);
    }
}

void CKivButtonBase::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const bool disabledWindow = (GetStyle() & WS_DISABLED) != 0;
    if (Gdiplus::Image* look =
            ChooseButtonLook(pictures_, disabledWindow, ShowsPressedLook(), state_)) {
        Gdiplus::Graphics graphics(item.hDC);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        graphics.DrawImage(look, 0, 0, r.right - r.left, r.bottom - r.top);
    }
    DrawOverLook(item.hDC, r);
}

}  // namespace vandir
