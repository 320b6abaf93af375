#pragma once
// The one colour type of the skinned controls: 0xAARRGGBB, as the record's
// colours are converted for the toolkit. Alpha is the brightness where a
// control uses it (the LED preview) and is dropped where text or fills are
// drawn with GDI.

#include <windows.h>

#include <cstdint>

namespace vandir {

// 0xAARRGGBB values the skin draws with.
inline constexpr std::uint32_t kOpaqueBlack = 0xFF000000;
inline constexpr std::uint32_t kOpaqueWhite = 0xFFFFFFFF;
inline constexpr std::uint32_t kFrameGrey = 0xFF969696;   // an edit box without its picture
inline constexpr std::uint32_t kColourBits = 0x00FFFFFF;  // all but the alpha byte

struct Argb {
    std::uint32_t value = kOpaqueBlack;

    constexpr std::uint8_t alpha() const { return static_cast<std::uint8_t>(value >> 24); }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value >> 16); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(value >> 8); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(value); }

    // The same colour with another alpha byte.
    constexpr Argb WithAlpha(std::uint8_t alpha) const {
        return Argb{(value & kColourBits) | (static_cast<std::uint32_t>(alpha) << 24)};
    }
    // As a GDI colour (0x00BBGGRR); alpha is dropped.
    constexpr COLORREF ToColorRef() const { return RGB(red(), green(), blue()); }

    friend constexpr bool operator==(Argb, Argb) = default;
};

}  // namespace vandir
