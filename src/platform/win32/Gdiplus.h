#pragma once
// GDI+ for the program: one session per process (started by the application,
// or by a test's main), and the one rule for images: whoever holds an
// ImagePtr owns that image; a plain Gdiplus::Image* is borrowed.

#include <windows.h>
// <windows.h> and the COM object headers first: the GDI+ headers depend on them.
#include <objidl.h>
// (kept apart so that sorting cannot move GDI+ above them)
#include <gdiplus.h>

#include <memory>

namespace vandir {

using ImagePtr = std::unique_ptr<Gdiplus::Image>;

// Starts GDI+ on construction and shuts it down on destruction.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (started_) {
            Gdiplus::GdiplusShutdown(token_);
        }
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// A whole copy of an image, owned by the caller; null for no image.
inline ImagePtr CloneImage(Gdiplus::Image* image) {
    return ImagePtr(image == nullptr ? nullptr : image->Clone());
}

}  // namespace vandir
