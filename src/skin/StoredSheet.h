#pragma once
// One skin sheet as the store keeps it. A sheet that windows draw whole is
// kept whole. A sheet that is only cut from (a Down or Disable sheet) differs
// from its Normal sheet only where the controls light up, so it is kept as
// its Normal sheet plus the 16 x 16 tiles where the two differ: every
// rectangle cut from it is still exactly the sheet's, for a tenth of the
// memory.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/SkinBitmap.h"

namespace vandir {

class StoredSheet {
public:
    // No sheet (the file was missing or did not decode).
    StoredSheet() = default;
    // The sheet kept whole.
    explicit StoredSheet(std::shared_ptr<SkinBitmap> whole);
    // The sheet kept as base plus copies of the tiles where it differs from
    // base; nothing when the two differ in size or format, or in so many
    // tiles that the tiles would not save memory (the sheet is then kept
    // whole). The sheet's pixels are only read.
    static std::optional<StoredSheet> TilesOver(const SheetPixels& sheet,
                                                std::shared_ptr<SkinBitmap> base);

    explicit operator bool() const noexcept { return pixels_ != nullptr; }
    bool KeptWhole() const noexcept { return tiles_.empty(); }
    int Width() const;
    int Height() const;

    // Memory of the sheet's own pixels: the whole sheet, or its tiles.
    size_t OwnBytes() const;

    // The sheet as one bitmap, shared; made from base and tiles on the first
    // request when the sheet is not kept whole. Null for no sheet.
    std::shared_ptr<SkinBitmap> Whole();

    // A new bitmap of the area (left, top, width, height) in the sheet's
    // format, owned by the caller; null for no sheet, an area that is empty
    // or not inside the sheet, or when GDI+ cannot make it. Like GDI+'s own
    // cut of an area, it has GDI+'s resolution for new bitmaps.
    ImagePtr Crop(int left, int top, int width, int height) const;

private:
    static constexpr int kTile = 16;
    static constexpr uint32_t kFromBase = UINT32_MAX;

    // Copies width pixels of row y from x on into target.
    void CopyRow(int y, int x, int width, BYTE* target) const;
    const BYTE* TilePixels(uint32_t tile) const;

    // The whole sheet, or the base when tiles_ is not empty.
    std::shared_ptr<SkinBitmap> pixels_;
    // Tiles row by row: kFromBase, or the index of the tile's pixels in
    // tilePixels_ (kTile rows of kTile pixels each).
    std::vector<uint32_t> tiles_;
    int tileColumns_ = 0;
    std::vector<BYTE> tilePixels_;
    // Size and resolution of the sheet itself (its format is its base's).
    int width_ = 0;
    int height_ = 0;
    Gdiplus::REAL dpiX_ = 96;
    Gdiplus::REAL dpiY_ = 96;
    // Made by Whole() for a sheet kept as tiles.
    std::shared_ptr<SkinBitmap> whole_;
};

}  // namespace vandir
