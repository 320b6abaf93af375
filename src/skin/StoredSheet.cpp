#include "skin/StoredSheet.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace vandir {

StoredSheet::StoredSheet(std::shared_ptr<SkinBitmap> whole) : pixels_(std::move(whole)) {
    if (pixels_) {
        const SheetPixels& pixels = pixels_->pixels();
        width_ = pixels.width;
        height_ = pixels.height;
        dpiX_ = pixels.dpiX;
        dpiY_ = pixels.dpiY;
    }
}

std::optional<StoredSheet> StoredSheet::TilesOver(const SheetPixels& own,
                                                  std::shared_ptr<SkinBitmap> base) {
    if (!base) {
        return std::nullopt;
    }
    const SheetPixels& under = base->pixels();
    if (own.width != under.width || own.height != under.height || own.format != under.format) {
        return std::nullopt;
    }
    const int bytesPerPixel = own.BytesPerPixel();
    const int columns = (own.width + kTile - 1) / kTile;
    const int rows = (own.height + kTile - 1) / kTile;
    const size_t tileBytes = static_cast<size_t>(kTile) * kTile * bytesPerPixel;

    // First the tiles that differ, so that their pixels take exactly the
    // memory they need.
    std::vector<uint32_t> tiles(static_cast<size_t>(columns) * rows, kFromBase);
    uint32_t differing = 0;
    for (int ty = 0; ty < rows; ++ty) {
        const int top = ty * kTile;
        const int height = std::min(kTile, own.height - top);
        for (int tx = 0; tx < columns; ++tx) {
            const size_t x = static_cast<size_t>(tx) * kTile * bytesPerPixel;
            const size_t span =
                static_cast<size_t>(std::min(kTile, own.width - tx * kTile)) * bytesPerPixel;
            for (int y = top; y < top + height; ++y) {
                if (std::memcmp(own.Row(y) + x, under.Row(y) + x, span) != 0) {
                    tiles[static_cast<size_t>(ty) * columns + tx] = differing++;
                    break;
                }
            }
        }
    }
    const size_t wholeBytes = static_cast<size_t>(std::abs(own.stride)) * own.height;
    if (tileBytes * differing + tiles.size() * sizeof(uint32_t) >= wholeBytes) {
        return std::nullopt;  // Tiles would save nothing: the sheet stays whole.
    }

    std::vector<BYTE> tilePixels(tileBytes * differing);
    for (int ty = 0; ty < rows; ++ty) {
        const int top = ty * kTile;
        const int height = std::min(kTile, own.height - top);
        for (int tx = 0; tx < columns; ++tx) {
            const uint32_t tile = tiles[static_cast<size_t>(ty) * columns + tx];
            if (tile == kFromBase) {
                continue;
            }
            const size_t x = static_cast<size_t>(tx) * kTile * bytesPerPixel;
            const size_t span =
                static_cast<size_t>(std::min(kTile, own.width - tx * kTile)) * bytesPerPixel;
            BYTE* target = tilePixels.data() + tileBytes * tile;
            for (int y = 0; y < height; ++y) {
                std::memcpy(target + static_cast<size_t>(y) * kTile * bytesPerPixel,
                            own.Row(top + y) + x, span);
            }
        }
    }
    StoredSheet stored;
    stored.pixels_ = std::move(base);
    stored.tiles_ = std::move(tiles);
    stored.tileColumns_ = columns;
    stored.tilePixels_ = std::move(tilePixels);
    stored.width_ = own.width;
    stored.height_ = own.height;
    stored.dpiX_ = own.dpiX;
    stored.dpiY_ = own.dpiY;
    return stored;
}

int StoredSheet::Width() const {
    return width_;
}

int StoredSheet::Height() const {
    return height_;
}

size_t StoredSheet::OwnBytes() const {
    if (!pixels_) {
        return 0;
    }
    return KeptWhole() ? pixels_->pixels().storage.size
                       : tilePixels_.size() + tiles_.size() * sizeof(uint32_t);
}

const BYTE* StoredSheet::TilePixels(uint32_t tile) const {
    const size_t tileBytes = static_cast<size_t>(kTile) * kTile * pixels_->pixels().BytesPerPixel();
    return tilePixels_.data() + tileBytes * tile;
}

void StoredSheet::CopyRow(int y, int x, int width, BYTE* target) const {
    const SheetPixels& base = pixels_->pixels();
    const int bytesPerPixel = base.BytesPerPixel();
    const BYTE* baseRow = base.Row(y);
    if (KeptWhole()) {
        std::memcpy(target, baseRow + static_cast<size_t>(x) * bytesPerPixel,
                    static_cast<size_t>(width) * bytesPerPixel);
        return;
    }
    const int tileRow = y / kTile;
    const int yInTile = y % kTile;
    const int end = x + width;
    while (x < end) {
        const int tileColumn = x / kTile;
        const int spanEnd = std::min(end, (tileColumn + 1) * kTile);
        const uint32_t tile = tiles_[static_cast<size_t>(tileRow) * tileColumns_ + tileColumn];
        const BYTE* source = tile == kFromBase
                                 ? baseRow + static_cast<size_t>(x) * bytesPerPixel
                                 : TilePixels(tile) + (static_cast<size_t>(yInTile) * kTile +
                                                       (x - tileColumn * kTile)) *
                                                          bytesPerPixel;
        const size_t bytes = static_cast<size_t>(spanEnd - x) * bytesPerPixel;
        std::memcpy(target, source, bytes);
        target += bytes;
        x = spanEnd;
    }
}

std::shared_ptr<SkinBitmap> StoredSheet::Whole() {
    if (KeptWhole() || whole_) {
        return KeptWhole() ? pixels_ : whole_;
    }
    std::optional<SheetPixels> pixels = AllocatePixels(width_, height_, pixels_->pixels().format);
    if (!pixels) {
        return nullptr;
    }
    for (int y = 0; y < height_; ++y) {
        CopyRow(y, 0, width_, pixels->Row(y));
    }
    pixels->dpiX = dpiX_;
    pixels->dpiY = dpiY_;
    whole_ = SkinBitmap::Make(std::move(*pixels));
    return whole_;
}

ImagePtr StoredSheet::Crop(int left, int top, int width, int height) const {
    // Widened so that no area can overflow.
    if (!pixels_ || left < 0 || top < 0 || width <= 0 || height <= 0 ||
        static_cast<long long>(left) + width > width_ ||
        static_cast<long long>(top) + height > height_) {
        return nullptr;
    }
    const Gdiplus::PixelFormat format = pixels_->pixels().format;
    ImagePtr crop(new Gdiplus::Bitmap(width, height, format));
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(crop.get());
    Gdiplus::BitmapData target{};
    const Gdiplus::Rect all(0, 0, width, height);
    if (bitmap->GetLastStatus() != Gdiplus::Ok ||
        bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, format, &target) != Gdiplus::Ok) {
        return nullptr;
    }
    auto* rows = static_cast<BYTE*>(target.Scan0);
    for (int y = 0; y < height; ++y) {
        CopyRow(top + y, left, width, rows + static_cast<ptrdiff_t>(y) * target.Stride);
    }
    bitmap->UnlockBits(&target);
    return crop;
}

}  // namespace vandir
