#pragma once
// Drawing off-screen first, so that a control repainted often (the LED
// animation, labels over pictures) never shows half a frame: a bitmap
// compatible with the target, selected into a memory context while the object
// lives. Draw on dc() at (0, 0), then Present copies the picture to its place.

#include <windows.h>

#include "platform/win32/framework/Gdi.h"

namespace vandir {

class BufferedPaint {
public:
    // A buffer the size of area, which Present copies to area of target.
    BufferedPaint(HDC target, const RECT& area)
        : target_(target),
          area_(area),
          memory_(target),
          bitmap_(::CreateCompatibleBitmap(target, width(), height())),
          selected_(memory_.Get(), bitmap_.Get()) {}
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    HDC dc() const { return memory_.Get(); }
    int width() const { return area_.right - area_.left; }
    int height() const { return area_.bottom - area_.top; }

    // Copies what was drawn to the target. Drawing through GDI+ must have
    // ended (its Graphics destroyed) so that everything has reached the buffer.
    void Present() const {
        ::BitBlt(target_, area_.left, area_.top, width(), height(), memory_.Get(), 0, 0, SRCCOPY);
    }

private:
    HDC target_;
    RECT area_;
    MemoryDC memory_;
    UniqueBitmap bitmap_;
    SelectedObject selected_;
};

}  // namespace vandir
