#include "skin/SkinBitmap.h"

#include <cstdlib>
#include <utility>

namespace vandir {

namespace {

bool IsKeptFormat(Gdiplus::PixelFormat format) {
    return format == PixelFormat24bppRGB || format == PixelFormat32bppRGB ||
           format == PixelFormat32bppARGB || format == PixelFormat32bppPARGB;
}

// The rows lie inside the storage and are wide enough for their pixels.
bool RowsFit(const SheetPixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || !IsKeptFormat(pixels.format) ||
        pixels.stride % 4 != 0 || pixels.storage.data == nullptr) {
        return false;
    }
    const long long rowBytes = static_cast<long long>(pixels.width) * pixels.BytesPerPixel();
    const long long step = std::llabs(pixels.stride);
    if (step < rowBytes) {
        return false;
    }
    const long long top = static_cast<long long>(pixels.topRow);
    const long long last = top + static_cast<long long>(pixels.height - 1) * pixels.stride;
    const long long size = static_cast<long long>(pixels.storage.size);
    return top >= 0 && last >= 0 && top + rowBytes <= size && last + rowBytes <= size;
}

}  // namespace

std::optional<SheetPixels> AllocatePixels(int width, int height, Gdiplus::PixelFormat format) {
    if (width <= 0 || height <= 0 || !IsKeptFormat(format)) {
        return std::nullopt;
    }
    const long long bytesPerPixel = Gdiplus::GetPixelFormatSize(format) / 8;
    const long long stride = (width * bytesPerPixel + 3) / 4 * 4;
    if (stride * height > kMaxSheetBytes) {
        return std::nullopt;
    }
    SheetPixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.format = format;
    pixels.stride = static_cast<int>(stride);
    pixels.storage = ByteBuffer::Uninitialised(static_cast<size_t>(stride * height));
    return pixels;
}

SkinBitmap::SkinBitmap(SheetPixels&& pixels)
    : PixelHolder{std::move(pixels)},
      Gdiplus::Bitmap(PixelHolder::pixels.width, PixelHolder::pixels.height,
                      PixelHolder::pixels.stride, PixelHolder::pixels.format,
                      PixelHolder::pixels.Row(0)) {
    if (GetLastStatus() == Gdiplus::Ok) {
        SetResolution(PixelHolder::pixels.dpiX, PixelHolder::pixels.dpiY);
    }
}

std::shared_ptr<SkinBitmap> SkinBitmap::Make(SheetPixels pixels) {
    if (!RowsFit(pixels) || !(pixels.dpiX > 0) || !(pixels.dpiY > 0)) {
        return nullptr;
    }
    auto bitmap = std::make_shared<SkinBitmap>(std::move(pixels));
    return bitmap->GetLastStatus() == Gdiplus::Ok ? bitmap : nullptr;
}

}  // namespace vandir
