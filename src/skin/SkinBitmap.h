#pragma once
// Decoded skin pixels that the program owns, and the GDI+ bitmap drawn from
// them. A sheet is decoded once, into memory of the program's own (no file
// block and no stream stays behind it), never changes afterwards, and is
// shared by the skin store and the windows that paint it: whoever keeps a
// SkinBitmap keeps it alive, so nothing needs a copy of it.

#include <windows.h>
// <windows.h> first: the GDI+ header depends on it.
#include "platform/win32/Gdiplus.h"

#include <cstddef>
#include <memory>
#include <optional>

namespace vandir {

// Bytes that are not zero-filled first, because they are written over at
// once (by a file read or a decoder).
struct ByteBuffer {
    std::unique_ptr<BYTE[]> data;
    size_t size = 0;

    static ByteBuffer Uninitialised(size_t size) {
        return {std::make_unique_for_overwrite<BYTE[]>(size), size};
    }
};

// Rows of pixels in one of GDI+'s non-indexed formats of 24 or 32 bits.
// The rows may lie bottom row first in the storage (as in a BMP file, whose
// bytes are then the pixels themselves): stride is then negative.
struct SheetPixels {
    int width = 0;
    int height = 0;
    Gdiplus::PixelFormat format = PixelFormat24bppRGB;
    int stride = 0;  // bytes from one row to the next, a multiple of 4
    // The resolution the file gives (GDI+ reports it for the decoded image).
    Gdiplus::REAL dpiX = 96;
    Gdiplus::REAL dpiY = 96;
    ByteBuffer storage;
    size_t topRow = 0;  // where the top row starts in storage

    int BytesPerPixel() const { return static_cast<int>(Gdiplus::GetPixelFormatSize(format) / 8); }
    const BYTE* Row(int y) const {
        return storage.data.get() + topRow + static_cast<ptrdiff_t>(y) * stride;
    }
    BYTE* Row(int y) { return storage.data.get() + topRow + static_cast<ptrdiff_t>(y) * stride; }
};

// No skin sheet is anywhere near this; a larger one is refused rather than
// allowed to exhaust memory.
inline constexpr long long kMaxSheetBytes = 256LL * 1024 * 1024;

// Rows of width x height pixels in a format of 24 or 32 bits per pixel, top
// row first, for the caller to fill; nothing for a size that is not positive,
// another format, or more than kMaxSheetBytes of pixels.
std::optional<SheetPixels> AllocatePixels(int width, int height, Gdiplus::PixelFormat format);

namespace detail {
// Holds the pixels; a base class of SkinBitmap listed before Gdiplus::Bitmap,
// so the pixels exist before the GDI+ object is made over them and are freed
// only after it is disposed of.
struct PixelHolder {
    SheetPixels pixels;
};
}  // namespace detail

class SkinBitmap final : private detail::PixelHolder,
                         public Gdiplus::Bitmap,
                         public std::enable_shared_from_this<SkinBitmap> {
public:
    // A bitmap over the pixels, with their resolution; null when the pixels
    // do not add up or GDI+ cannot make it.
    static std::shared_ptr<SkinBitmap> Make(SheetPixels pixels);

    const SheetPixels& pixels() const { return PixelHolder::pixels; }

    // Use Make: a SkinBitmap lives in a shared_ptr.
    explicit SkinBitmap(SheetPixels&& pixels);
};

}  // namespace vandir
