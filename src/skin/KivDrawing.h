#pragma once
// Drawing helpers the skinned controls share.

#include <windows.h>

#include "platform/win32/Gdiplus.h"
#include "platform/win32/framework/Wnd.h"

namespace vandir {

// Draws the whole picture stretched over (x, y, width, height). The edges are
// sampled from the picture itself (mirrored tiling), so a stretched picture
// does not fade into transparency along its borders; at its own size it is
// copied pixel for pixel.
inline void DrawStretched(Gdiplus::Graphics& graphics, Gdiplus::Image* picture, int x, int y,
                          int width, int height) {
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(picture, Gdiplus::Rect(x, y, width, height), 0, 0,
                       static_cast<INT>(picture->GetWidth()),
                       static_cast<INT>(picture->GetHeight()), Gdiplus::UnitPixel, &edges);
}

// Marks the control for redrawing when it is on screen; a control that is
// not bound yet draws its new look once it is, and a hidden one (or one on a
// hidden page) is painted whole when it shows. (Invalidating no window would
// redraw every window of the desktop; invalidating a hidden one would still
// cost a round trip to the window server.)
inline void RedrawIfBound(const CWnd& control, BOOL erase = TRUE) {
    if (control.GetSafeHwnd() != nullptr && ::IsWindowVisible(control.GetSafeHwnd())) {
        control.Invalidate(erase);
    }
}

}  // namespace vandir
