#pragma once
// The animation state that every LED preview shares: one effect counter and
// one breathing direction for the whole program, so that all previews blink
// and breathe in step and a new animation starts where the last one left the
// counter. Whoever owns the LED previews owns one of these and hands each
// CKivMouseStatic a reference; it is never reset.

namespace vandir {

struct LedEffect {
    int counter = 200;   // blink phase (even: white) and breathing brightness
    bool rising = true;  // breathing direction
};

}  // namespace vandir
