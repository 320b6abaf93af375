#pragma once
// The two forms of an LED colour: the record's 0x00BBGGRR (red in the low
// byte) and the preview controls' ARGB 0xAARRGGBB, always opaque here.

#include <cstdint>

#include "skin/Argb.h"

namespace vandir {

// The alpha byte of an opaque ARGB colour.
inline constexpr uint32_t kOpaqueAlpha = 0xFF000000u;

struct LedRgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend constexpr bool operator==(const LedRgb&, const LedRgb&) = default;
};

constexpr LedRgb RgbOfLedColour(uint32_t colour) {
    return {static_cast<uint8_t>(colour), static_cast<uint8_t>(colour >> 8),
            static_cast<uint8_t>(colour >> 16)};
}

constexpr uint32_t LedColourOf(LedRgb rgb) {
    return static_cast<uint32_t>(rgb.red) | static_cast<uint32_t>(rgb.green) << 8 |
           static_cast<uint32_t>(rgb.blue) << 16;
}

constexpr Argb OpaqueArgbOf(LedRgb rgb) {
    return Argb{kOpaqueAlpha | static_cast<uint32_t>(rgb.red) << 16 |
                static_cast<uint32_t>(rgb.green) << 8 | static_cast<uint32_t>(rgb.blue)};
}

constexpr Argb OpaqueArgbOfLedColour(uint32_t colour) {
    return OpaqueArgbOf(RgbOfLedColour(colour));
}

static_assert(OpaqueArgbOfLedColour(0x001E140A) == Argb{0xFF0A141E});
static_assert(LedColourOf({10, 20, 30}) == 0x001E140A);

}  // namespace vandir
