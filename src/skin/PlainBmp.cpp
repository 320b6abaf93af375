#include "skin/PlainBmp.h"

#include <cstdint>
#include <span>
#include <utility>

namespace vandir {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kSmallestInfoHeader = 40;
// BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
constexpr uint32_t kInfoHeaderSizes[] = {40, 108, 124};
constexpr double kInchesPerMetre = 0.0254;

uint16_t U16(std::span<const BYTE> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
uint32_t U32(std::span<const BYTE> bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}
int32_t I32(std::span<const BYTE> bytes, size_t at) {
    return static_cast<int32_t>(U32(bytes, at));
}

bool IsInfoHeaderSize(uint32_t size) {
    for (const uint32_t known : kInfoHeaderSizes) {
        if (size == known) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<SheetPixels> DecodePlainBmp(ByteBuffer& file) {
    const std::span<const BYTE> bytes(file.data.get(), file.data ? file.size : 0);
    if (bytes.size() < kFileHeaderSize + kSmallestInfoHeader || bytes[0] != 'B' ||
        bytes[1] != 'M') {
        return std::nullopt;
    }
    const uint32_t pixelOffset = U32(bytes, 10);
    const size_t info = kFileHeaderSize;
    const uint32_t infoSize = U32(bytes, info);
    if (!IsInfoHeaderSize(infoSize) || bytes.size() < info + infoSize) {
        return std::nullopt;
    }
    const int32_t width = I32(bytes, info + 4);
    const int32_t height = I32(bytes, info + 8);  // negative: top row first
    const uint16_t planes = U16(bytes, info + 12);
    const uint16_t bitsPerPixel = U16(bytes, info + 14);
    const uint32_t compression = U32(bytes, info + 16);
    const int32_t pixelsPerMetreX = I32(bytes, info + 24);
    const int32_t pixelsPerMetreY = I32(bytes, info + 28);
    if (planes != 1 || bitsPerPixel != 24 || compression != BI_RGB || width <= 0 || height == 0 ||
        height == INT32_MIN || pixelsPerMetreX <= 0 || pixelsPerMetreY <= 0 ||
        pixelOffset < info + infoSize || pixelOffset > bytes.size()) {
        return std::nullopt;
    }
    const long long rows = height > 0 ? height : -static_cast<long long>(height);
    // The file's rows have the same 4-byte padding as GDI+'s 24-bit rows.
    const long long stride = (static_cast<long long>(width) * 3 + 3) / 4 * 4;
    if (stride * rows > kMaxSheetBytes ||
        static_cast<long long>(bytes.size() - pixelOffset) < stride * rows) {
        return std::nullopt;
    }
    SheetPixels pixels;
    pixels.width = width;
    pixels.height = static_cast<int>(rows);
    pixels.format = PixelFormat24bppRGB;
    // A positive height stores the bottom row first.
    pixels.stride = static_cast<int>(height > 0 ? -stride : stride);
    pixels.topRow = pixelOffset + static_cast<size_t>(height > 0 ? stride * (rows - 1) : 0);
    pixels.dpiX = static_cast<Gdiplus::REAL>(pixelsPerMetreX * kInchesPerMetre);
    pixels.dpiY = static_cast<Gdiplus::REAL>(pixelsPerMetreY * kInchesPerMetre);
    pixels.storage = std::move(file);
    return pixels;
}

}  // namespace vandir
