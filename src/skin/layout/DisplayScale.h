#pragma once
// Display scales. The layout tables are in the units of a 96-DPI display; on a
// display of another scale a window takes them in that display's pixels. The
// artwork generator (skins/) draws every sheet at each scale of kSkinScales
// with the same rounding, so a rectangle scaled here is the rectangle the
// sheet of that scale drew. Plain data and arithmetic, no Windows header.

#include <array>
#include <string>

#include "skin/layout/SkinLayout.h"

namespace vandir::layout {

inline constexpr int kBaseDpi = 96;

// The scales, in percent, that have artwork of their own. The 100 % sheets
// lie in the skin folder itself; each other set in a subfolder named by its
// percentage, with the same file names.
inline constexpr std::array<int, 5> kSkinScales{100, 125, 150, 175, 200};

// Units in pixels at dpi, rounded half away from zero (as MulDiv rounds).
constexpr int ScaleUnits(int units, int dpi) {
    const long long product = static_cast<long long>(units) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                         : -((-product + half) / kBaseDpi));
}

// Pixels at dpi back in units, rounded the same way (a pointer's position on
// a scaled window read as a position of the table).
constexpr int UnscalePixels(int pixels, int dpi) {
    if (dpi <= 0) {
        return pixels;
    }
    const long long product = static_cast<long long>(pixels) * kBaseDpi;
    const long long half = dpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / dpi : -((-product + half) / dpi));
}

// A rectangle scaled by its edges, so that rectangles that touch at 100 %
// touch at every scale and a control cut from a sheet is the piece the
// generator drew there.
constexpr Rect ScaleRect(const Rect& rect, int dpi) {
    const int x = ScaleUnits(rect.x, dpi);
    const int y = ScaleUnits(rect.y, dpi);
    return {x, y, ScaleUnits(rect.right(), dpi) - x, ScaleUnits(rect.bottom(), dpi) - y};
}

constexpr Size ScaleSize(const Size& size, int dpi) {
    return {ScaleUnits(size.width, dpi), ScaleUnits(size.height, dpi)};
}

constexpr int DpiOfPercent(int percent) {
    return percent * kBaseDpi / 100;
}

// The percentage of a DPI, rounded to the nearest whole percent.
constexpr int PercentOfDpi(int dpi) {
    return (dpi * 100 + kBaseDpi / 2) / kBaseDpi;
}

// The artwork a display of dpi takes: the smallest set at or above its scale;
// above the largest set, the largest. Sets other than the display's own scale
// are resampled to it.
constexpr int SkinScaleFor(int dpi) {
    const int percent = PercentOfDpi(dpi);
    for (const int scale : kSkinScales) {
        if (scale >= percent) {
            return scale;
        }
    }
    return kSkinScales.back();
}

// The folder of a set below the program's folder, with its trailing
// backslash: "\Vandir_Skins\" for 100 %, "\Vandir_Skins\150\" for 150 %.
inline std::wstring SkinSetFolder(int scale) {
    std::wstring folder(kSkinFolder);
    if (scale != 100) {
        folder += std::to_wstring(scale);
        folder += L'\\';
    }
    return folder;
}

}  // namespace vandir::layout
