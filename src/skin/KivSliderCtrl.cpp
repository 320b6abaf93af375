#include "skin/KivSliderCtrl.h"

#include <algorithm>
#include <climits>

#include "platform/win32/framework/Gdi.h"
#include "skin/ControlNotifications.h"
#include "skin/KivDrawing.h"

namespace vandir {

using layout::ImageState;

namespace {

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

const MessageMapEntry CKivSliderCtrl::messageEntries[] = {
    On<WM_PAINT, &CKivSliderCtrl::OnPaint>(),
    On<WM_ERASEBKGND, &CKivSliderCtrl::OnEraseBackground>(),
    On<WM_LBUTTONDOWN, &CKivSliderCtrl::OnLeftButtonDown>(),
    On<WM_LBUTTONUP, &CKivSliderCtrl::OnLeftButtonUp>(),
    On<WM_MOUSEMOVE, &CKivSliderCtrl::OnMouseMove>(),
};
const ClassMessageMap<CKivSliderCtrl> CKivSliderCtrl::messageMap{messageEntries};

void CKivSliderCtrl::PreSubclassWindow() {
    ModifyStyle(0, SS_NOTIFY);
}

void CKivSliderCtrl::SetPictures(ControlPictures pictures) {
    pictures.look(ImageState::Pressed).reset();
    pictures_ = std::move(pictures);
    RedrawIfBound(*this, FALSE);
}

void CKivSliderCtrl::SetImages(ImagePtr track, ImagePtr thumbNormal, ImagePtr thumbHover,
                               ImagePtr thumbDisabled) {
    ControlPictures pictures;
    pictures.background = std::move(track);
    pictures.look(ImageState::Normal) = std::move(thumbNormal);
    pictures.look(ImageState::Hover) = std::move(thumbHover);
    pictures.look(ImageState::Disabled) = std::move(thumbDisabled);
    SetPictures(std::move(pictures));
}

void CKivSliderCtrl::SetRange(int minimum, int maximum, int step) {
    minimum_ = minimum;
    maximum_ = maximum;
    step_ = std::max(step, 1);
    RedrawIfBound(*this, FALSE);
}

void CKivSliderCtrl::SetPos(int value, bool notify) {
    if (lastNotified_ == value) {
        return;
    }
    position_ = value;
    lastNotified_ = value;
    RedrawIfBound(*this, FALSE);
    if (notify) {
        Notify();
    }
}

void CKivSliderCtrl::SetDisabled(bool disabled) {
    state_ = disabled ? ImageState::Disabled : ImageState::Normal;
    if (disabled) {
        // A disabled slider ignores the mouse, so it must not keep the capture
        // it took for hover tracking: the window's other controls need it.
        hover_.Stop(*this);
    }
    RedrawIfBound(*this, FALSE);
}

void CKivSliderCtrl::Notify() {
    NotifyParent(GetParent(), static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(position_));
}

int CKivSliderCtrl::ThumbWidth() const {
    Gdiplus::Image* thumb = thumbNormal();
    return thumb != nullptr ? static_cast<int>(thumb->GetWidth()) : 0;
}

int CKivSliderCtrl::ThumbHeight() const {
    Gdiplus::Image* thumb = thumbNormal();
    return thumb != nullptr ? static_cast<int>(thumb->GetHeight()) : 0;
}

Gdiplus::Image* CKivSliderCtrl::Thumb() const {
    switch (state_) {
        case ImageState::Disabled:
            return thumbDisabled();
        case ImageState::Normal:
            return thumbNormal();
        case ImageState::Hover:
        case ImageState::Pressed:  // dragging
            return thumbHover();
    }
    return nullptr;
}

int CKivSliderCtrl::TravelWidth(const RECT& client) const {
    if (maximum_ <= minimum_) {
        return 0;
    }
    return client.right - ThumbWidth() - client.left;
}

void CKivSliderCtrl::TrackTo(int x) {
    const RECT client = GetClientRect();
    const int travel = TravelWidth(client);
    if (travel <= 0) {
        return;  // no usable track: the position stays
    }
    const int thumbWidth = ThumbWidth();
    const long long d = static_cast<long long>(x) - thumbWidth / 2 - client.left;
    const double range = static_cast<double>(maximum_) - static_cast<double>(minimum_);
    const float f =
        static_cast<float>(static_cast<double>(d) * range / travel + static_cast<double>(minimum_));
    // Values beyond the range end up at its ends after clamping anyway; bound
    // them first so that the integer conversion below is always defined.
    const double bounded = std::clamp(static_cast<double>(f), static_cast<double>(minimum_) - 2.0,
                                      static_cast<double>(maximum_) + 2.0);
    const long long truncated = static_cast<long long>(bounded);
    long long candidate =
        bounded - static_cast<double>(truncated) >= 0.5 ? truncated + 1 : truncated;
    candidate = std::clamp<long long>(candidate, minimum_, maximum_);

    const long long stepSize = step_;
    const long long quotient = candidate / stepSize;
    const long long remainder = candidate % stepSize;
    position_ =
        ClampToInt(remainder > stepSize / 2 ? (quotient + 1) * stepSize : quotient * stepSize);

    if (lastNotified_ != position_) {
        Notify();
        lastNotified_ = position_;
    }
}

void CKivSliderCtrl::OnPaint() {
    PaintDC dc(GetSafeHwnd());
    const RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    Gdiplus::Graphics graphics(dc.Get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    if (Gdiplus::Image* track = pictures_.background.get()) {
        DrawStretched(graphics, track, 0, 0, width, height);
    }

    const int travel = TravelWidth(client);
    Gdiplus::Image* thumb = Thumb();
    if (travel > 0 && thumb != nullptr) {
        const int thumbWidth = ThumbWidth();
        const float f =
            static_cast<float>((static_cast<double>(position_) - static_cast<double>(minimum_)) /
                               (static_cast<double>(maximum_) - static_cast<double>(minimum_)));
        // Positions far outside the range (SetPos does not clamp) are drawn
        // off the client area; bound the offset so it stays a valid int.
        const float offset = std::clamp(static_cast<float>(travel) * f, -1.0e7F, 1.0e7F);
        const int centre = client.left + static_cast<int>(offset) + thumbWidth / 2;
        DrawStretched(graphics, thumb, centre - thumbWidth / 2, client.top, thumbWidth,
                      ThumbHeight());
    }
}

bool CKivSliderCtrl::OnEraseBackground(HDC) {
    return false;  // not erased: painting covers it
}

void CKivSliderCtrl::OnLeftButtonDown(POINT point, UINT) {
    Default();
    if (state_ == ImageState::Disabled) {
        return;
    }
    state_ = rememberedState_ = ImageState::Pressed;
    TrackTo(point.x);
    Invalidate(FALSE);
}

void CKivSliderCtrl::OnLeftButtonUp(POINT point, UINT) {
    Default();
    if (state_ == ImageState::Disabled) {
        return;
    }
    TrackTo(point.x);
    state_ = rememberedState_ = ImageState::Normal;
    Invalidate(FALSE);
}

void CKivSliderCtrl::OnMouseMove(POINT point, UINT keys) {
    Default();
    if (state_ == ImageState::Disabled) {
        return;
    }
    if (state_ == ImageState::Pressed) {
        TrackTo(point.x);
        Invalidate(FALSE);
    }
    const HoverChange change = hover_.Track(*this, point);
    if (change == HoverChange::Left) {
        // Stop hovering or dragging, remember a drag.
        rememberedState_ = state_;
        state_ = ImageState::Normal;
        Invalidate(FALSE);
    } else if (change == HoverChange::Entered) {
        state_ = (keys & MK_LBUTTON) != 0 ? rememberedState_ : ImageState::Hover;
        Invalidate(FALSE);
    }
}

}  // namespace vandir
