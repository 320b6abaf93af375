#pragma once
// CKivMouseStatic: the LED preview. It fills its rectangle with black, then
// with its colour (whose alpha byte is the brightness) or with white, and
// draws the mouse picture with its transparent light windows on top, all
// off-screen first so the animation does not flicker.
//
// Modes: 1 steady (full brightness), 2 blinking (timer 0 every 200 ms: white
// and the colour alternate), 6 breathing (timer 0 every 100 ms: the alpha
// moves by 10 between 0 and 255). Blinking and breathing run on the LedEffect
// shared by every preview; ticks are ignored while the control is hidden.

#include <windows.h>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Controls.h"
#include "skin/LedEffect.h"

namespace vandir {

class CKivMouseStatic : public CStatic {
public:
    static constexpr int kSteady = 1;
    static constexpr int kBlinking = 2;
    static constexpr int kBreathing = 6;
    static constexpr UINT_PTR kAnimationTimer = 0;
    static constexpr UINT kBlinkPeriodMs = 200;
    static constexpr UINT kBreathPeriodMs = 100;

    explicit CKivMouseStatic(LedEffect& effect) : effect_(effect) {}
    ~CKivMouseStatic() override = default;

    // Stops the animation timer and starts the mode: steady shows full
    // brightness at once; blinking and breathing start timer 0.
    void SetMode(int mode);
    int mode() const { return mode_; }
    bool white() const { return white_; }

    // Set by the owner, which redraws (Invalidate) afterwards.
    ImagePtr picture;           // drawn stretched on top; owned
    DWORD colour = 0x0000FF00;  // ARGB of the light; alpha is the brightness
    bool fillEnabled = true;    // fill under the picture (else black only)

protected:
    // Makes the static owner-drawn.
    void PreSubclassWindow() override;

    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];

    bool OnDrawItem(Message& m);
    bool OnEraseBackground(Message& m);
    bool OnTimer(Message& m);

    // Replaces the colour's alpha byte and redraws.
    void SetAlpha(BYTE alpha);

    LedEffect& effect_;
    bool white_ = false;
    int mode_ = kSteady;
};

}  // namespace vandir
