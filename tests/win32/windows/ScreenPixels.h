#pragma once
// Comparing what the screen shows with the skin sheets the windows were cut
// from.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.
#include <cstdlib>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "win32/ui/PngCapture.h"

namespace vandir {

// The screen's pixels in a screen rectangle, row by row, as COLORREF.
inline std::vector<COLORREF> ScreenPixels(const RECT& area) {
    std::vector<COLORREF> pixels;
    UniqueBitmap bitmap = CaptureScreen(area);
    if (!bitmap) {
        return pixels;
    }
    MemoryDC memory(nullptr);
    SelectedObject selected(memory.Get(), bitmap.Get());
    for (LONG y = 0; y < area.bottom - area.top; ++y) {
        for (LONG x = 0; x < area.right - area.left; ++x) {
            pixels.push_back(::GetPixel(memory.Get(), x, y));
        }
    }
    return pixels;
}

// True when the screen area shows the sheet's rectangle of the same size at
// (left, top): every pixel within a small tolerance per channel (the drawing
// is a 1:1 copy with smoothing).
inline ::testing::AssertionResult ScreenShowsSheet(const RECT& screen, Gdiplus::Image* sheet,
                                                   int left, int top) {
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(sheet);
    if (bitmap == nullptr) {
        return ::testing::AssertionFailure() << "no sheet";
    }
    const std::vector<COLORREF> shown = ScreenPixels(screen);
    const LONG width = screen.right - screen.left;
    const LONG height = screen.bottom - screen.top;
    if (shown.size() != static_cast<size_t>(width * height)) {
        return ::testing::AssertionFailure() << "no screen capture";
    }
    int differing = 0;
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            Gdiplus::Color expected;
            bitmap->GetPixel(left + x, top + y, &expected);
            const COLORREF got = shown[static_cast<size_t>(y * width + x)];
            if (std::abs(GetRValue(got) - expected.GetR()) > 8 ||
                std::abs(GetGValue(got) - expected.GetG()) > 8 ||
                std::abs(GetBValue(got) - expected.GetB()) > 8) {
                ++differing;
            }
        }
    }
    if (differing > 0) {
        return ::testing::AssertionFailure()
               << differing << " of " << width * height << " pixels differ from the sheet";
    }
    return ::testing::AssertionSuccess();
}

// A control's rectangle in screen coordinates.
inline RECT ScreenRectOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// A rectangle of a window's client area in screen coordinates.
inline RECT ClientToScreenRect(HWND window, int x, int y, int width, int height) {
    POINT origin{x, y};
    ::ClientToScreen(window, &origin);
    return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

}  // namespace vandir
