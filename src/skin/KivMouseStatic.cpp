#include "skin/KivMouseStatic.h"

#include <utility>

#include "skin/KivDrawing.h"

namespace vandir {

const MessageMapEntry CKivMouseStatic::messageEntries[] = {
    On<WM_TIMER, &CKivMouseStatic::OnTimer>(),
};
const ClassMessageMap<CKivMouseStatic> CKivMouseStatic::messageMap{messageEntries};

void CKivMouseStatic::PreSubclassWindow() {
    CKivOwnerDrawnStatic::PreSubclassWindow();
    StartAnimation();
}

void CKivMouseStatic::SetPictures(ControlPictures pictures) {
    SetPicture(std::move(pictures.background));
}

void CKivMouseStatic::SetPicture(ImagePtr picture) {
    SetAndRedraw(picture_, std::move(picture));
}

void CKivMouseStatic::SetColour(Argb colour) {
    SetAndRedraw(colour_, colour);
}

void CKivMouseStatic::SetFillEnabled(bool enabled) {
    SetAndRedraw(fillEnabled_, enabled);
}

void CKivMouseStatic::SetAlpha(BYTE alpha) {
    SetColour(colour_.WithAlpha(alpha));
}

void CKivMouseStatic::StartAnimation() {
    if (GetSafeHwnd() == nullptr) {
        return;
    }
    if (mode_ == kBlinking) {
        SetTimer(kAnimationTimer, kBlinkPeriodMs);
    } else if (mode_ == kBreathing) {
        SetTimer(kAnimationTimer, kBreathPeriodMs);
    }
}

void CKivMouseStatic::SetMode(int mode) {
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kAnimationTimer);
    }
    mode_ = mode;
    if (mode == kSteady) {
        white_ = false;
        SetAlpha(255);
    }
    StartAnimation();
}

void CKivMouseStatic::OnTimer(UINT_PTR id) {
    if (id == kAnimationTimer && IsWindowVisible()) {
        Animate();
    }
    Default();
}

void CKivMouseStatic::Animate() {
    if (mode_ == kSteady) {
        white_ = false;
        KillTimer(kAnimationTimer);
    } else if (mode_ == kBlinking) {
        const int taken = effect_.counter;
        // Wraps instead of overflowing after years of blinking.
        effect_.counter = static_cast<int>(static_cast<unsigned>(taken) + 1U);
        white_ = taken % 2 == 0;
        SetAlpha(255);
    } else if (mode_ == kBreathing) {
        white_ = false;
        const long long next =
            static_cast<long long>(effect_.counter) + (effect_.rising ? 10 : -10);
        if (next >= 255) {
            effect_.counter = 255;
            effect_.rising = false;
            SetAlpha(255);
        } else if (next <= 0) {
            effect_.counter = 0;
            effect_.rising = true;
            SetAlpha(0);
        } else {
            effect_.counter = static_cast<int>(next);
            SetAlpha(static_cast<BYTE>(next));
        }
    }
}

void CKivMouseStatic::Draw(HDC dc, int width, int height) {
    Gdiplus::Graphics graphics(dc);
    Gdiplus::SolidBrush black{Gdiplus::Color(kOpaqueBlack)};
    graphics.FillRectangle(&black, 0, 0, width, height);
    if (fillEnabled_) {
        Gdiplus::SolidBrush light{Gdiplus::Color(white_ ? kOpaqueWhite : colour_.value)};
        graphics.FillRectangle(&light, 0, 0, width, height);
    }
    if (picture_ != nullptr) {
        DrawStretched(graphics, picture_.get(), 0, 0, width, height);
    }
}

}  // namespace vandir
