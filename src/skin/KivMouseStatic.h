#pragma once
// CKivMouseStatic: the LED preview. It fills its rectangle with black, then
// with its colour (whose alpha byte is the brightness) or with white, and
// draws the mouse picture with its transparent light windows on top, all
// off-screen first so the animation does not flicker.
//
// Modes: 1 steady (full brightness), 2 blinking (timer 0 every 200 ms: white
// and the colour alternate), 6 breathing (timer 0 every 100 ms: the alpha
// moves by 10 between 0 and 255). Blinking and breathing run on the LedEffect
// shared by every preview; ticks are ignored while the control is hidden. A
// mode set before the control has its window starts its timer when the
// window is bound.

#include <windows.h>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/MessageMap.h"
#include "skin/Argb.h"
#include "skin/ControlPictures.h"
#include "skin/KivOwnerDrawnStatic.h"
#include "skin/LedEffect.h"

namespace vandir {

class CKivMouseStatic : public WithMessageMap<CKivMouseStatic, CKivOwnerDrawnStatic> {
public:
    static const ClassMessageMap<CKivMouseStatic> messageMap;

    static constexpr int kSteady = 1;
    static constexpr int kBlinking = 2;
    static constexpr int kBreathing = 6;
    static constexpr UINT_PTR kAnimationTimer = 0;
    static constexpr UINT kBlinkPeriodMs = 200;
    static constexpr UINT kBreathPeriodMs = 100;

    explicit CKivMouseStatic(LedEffect& effect) : effect_(effect) {}
    ~CKivMouseStatic() override = default;

    // Stops the animation timer and starts the mode: steady shows full
    // brightness at once; blinking and breathing start timer 0 (once the
    // control has its window).
    void SetMode(int mode);
    int mode() const { return mode_; }
    bool white() const { return white_; }

    // Takes the background as the overlay picture; the looks are not used.
    void SetPictures(ControlPictures pictures) override;
    // The mouse picture with transparent light windows, drawn stretched on
    // top; owned. Redraws.
    void SetPicture(ImagePtr picture);
    Gdiplus::Image* picture() const { return picture_.get(); }
    // The light; its alpha is the brightness. Redraws.
    void SetColour(Argb colour);
    Argb colour() const { return colour_; }
    // Whether the light fills the control under the picture (else black
    // only). Redraws.
    void SetFillEnabled(bool enabled);
    bool fillEnabled() const { return fillEnabled_; }

protected:
    // Makes the static owner-drawn and starts the animation of a mode set
    // before the window was bound.
    void PreSubclassWindow() override;
    void Draw(HDC dc, int width, int height) override;

private:
    static const MessageMapEntry messageEntries[];

    void OnTimer(UINT_PTR id);
    // One step of the running animation.
    void Animate();

    // Replaces the colour's alpha byte and redraws.
    void SetAlpha(BYTE alpha);
    // Starts timer 0 at the mode's period; steady needs none. Only with a
    // window: a timer without one would be the thread's and never reach it.
    void StartAnimation();

    LedEffect& effect_;
    ImagePtr picture_;
    Argb colour_{0x0000FF00};
    bool fillEnabled_ = true;
    bool white_ = false;
    int mode_ = kSteady;
};

}  // namespace vandir
