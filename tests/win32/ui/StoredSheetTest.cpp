// How the store keeps a sheet: whole, or as the 16 x 16 tiles where it
// differs from its Normal sheet. Either way every crop and the whole sheet
// are exactly the sheet's own pixels, as GDI+ would cut them from it.

#include <gtest/gtest.h>

#include <windows.h>
// <windows.h> first.

#include <climits>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/win32/Gdiplus.h"
#include "skin/SkinBitmap.h"
#include "skin/StoredSheet.h"
#include "win32/ui/PixelCompare.h"

namespace vandir {
namespace {

using test::SamePicture;
using Colour = std::function<Gdiplus::ARGB(int x, int y)>;

// A sheet of the program's own pixels, every pixel from colour.
std::shared_ptr<SkinBitmap> MakeSheet(int width, int height, Gdiplus::PixelFormat format,
                                      const Colour& colour, Gdiplus::REAL dpi = 96.0f) {
    std::optional<SheetPixels> pixels = AllocatePixels(width, height, format);
    if (!pixels) {
        ADD_FAILURE() << "no pixels";
        return nullptr;
    }
    const int bytesPerPixel = pixels->BytesPerPixel();
    for (int y = 0; y < height; ++y) {
        BYTE* row = pixels->Row(y);
        for (int x = 0; x < width; ++x) {
            const Gdiplus::ARGB argb = colour(x, y);
            for (int c = 0; c < bytesPerPixel; ++c) {
                row[x * bytesPerPixel + c] = static_cast<BYTE>(argb >> (8 * c));
            }
        }
    }
    pixels->dpiX = dpi;
    pixels->dpiY = dpi;
    return SkinBitmap::Make(std::move(*pixels));
}

Gdiplus::ARGB Pattern(int x, int y) {
    return 0xFF000000u |
           static_cast<Gdiplus::ARGB>((x * 3) << 16 | (y * 5) << 8 | ((x + y) & 0xFF));
}

// GDI+'s own cut of an area of the sheet: what the store gave before.
ImagePtr GdiplusCrop(SkinBitmap& sheet, int left, int top, int width, int height) {
    return ImagePtr(sheet.Clone(left, top, width, height, PixelFormatDontCare));
}

struct Area {
    int left, top, width, height;
};

// Areas across tile edges, single pixels at tile corners, the partial tiles
// at the right and bottom edges, and the whole sheet (100 x 70).
const Area kAreas[] = {
    {0, 0, 100, 70}, {15, 15, 2, 2},  {16, 16, 1, 1},  {15, 0, 1, 70},
    {0, 31, 100, 2}, {10, 5, 57, 40}, {96, 64, 4, 6},  {99, 69, 1, 1},
    {33, 47, 20, 9}, {0, 0, 1, 1},    {47, 0, 53, 70}, {64, 48, 36, 22},
};

// The sheet differs from its base in three patches: one inside a tile, one
// across four tiles, one at the partial tiles of the corner.
Gdiplus::ARGB Changed(int x, int y) {
    const bool patch = (x >= 3 && x < 6 && y >= 2 && y < 4) ||
                       (x >= 30 && x < 40 && y >= 12 && y < 20) || (x >= 97 && y >= 66);
    return patch ? 0xFF102030u + static_cast<Gdiplus::ARGB>(x * 256 + y) : Pattern(x, y);
}

TEST(StoredSheet, TilesOverTheBaseGiveTheSheetsOwnPixels) {
    for (const Gdiplus::PixelFormat format : {PixelFormat24bppRGB, PixelFormat32bppARGB}) {
        SCOPED_TRACE(testing::Message() << "format " << std::hex << format);
        const auto base = MakeSheet(100, 70, format, Pattern);
        const auto sheet = MakeSheet(100, 70, format, Changed, 72.0f);
        std::optional<StoredSheet> tiles = StoredSheet::TilesOver(sheet->pixels(), base);
        ASSERT_TRUE(tiles);
        StoredSheet& stored = *tiles;
        ASSERT_TRUE(stored);
        EXPECT_FALSE(stored.KeptWhole());
        // The six tiles of 16 x 16 pixels the patches touch and the table of
        // 7 x 5 tiles, not the whole sheet.
        const size_t tileBytes = 16 * 16 * static_cast<size_t>(sheet->pixels().BytesPerPixel());
        EXPECT_EQ(stored.OwnBytes(), 6 * tileBytes + 7 * 5 * sizeof(uint32_t));
        EXPECT_EQ(stored.Width(), 100);
        EXPECT_EQ(stored.Height(), 70);

        for (const Area& a : kAreas) {
            SCOPED_TRACE(testing::Message()
                         << a.left << ", " << a.top << ", " << a.width << " x " << a.height);
            EXPECT_TRUE(SamePicture(stored.Crop(a.left, a.top, a.width, a.height).get(),
                                    GdiplusCrop(*sheet, a.left, a.top, a.width, a.height).get()));
        }
        // The whole sheet, put together once and then kept.
        const std::shared_ptr<SkinBitmap> whole = stored.Whole();
        EXPECT_TRUE(SamePicture(whole.get(), sheet.get()));
        EXPECT_EQ(stored.Whole(), whole);
    }
}

TEST(StoredSheet, NoTilesWhereTheyWouldNotDo) {
    const auto base = MakeSheet(100, 70, PixelFormat24bppRGB, Pattern);
    const struct {
        const char* what;
        std::shared_ptr<SkinBitmap> sheet;
        std::shared_ptr<SkinBitmap> base;
    } cases[] = {
        {"no base", MakeSheet(100, 70, PixelFormat24bppRGB, Changed), nullptr},
        {"another width", MakeSheet(99, 70, PixelFormat24bppRGB, Changed), base},
        {"another height", MakeSheet(100, 71, PixelFormat24bppRGB, Changed), base},
        {"another format", MakeSheet(100, 70, PixelFormat32bppARGB, Changed), base},
        {"different everywhere",
         MakeSheet(100, 70, PixelFormat24bppRGB,
                   [](int x, int y) { return ~Pattern(x, y) | 0xFF000000u; }),
         base},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(StoredSheet::TilesOver(c.sheet->pixels(), c.base));
        // Such a sheet is kept whole: the sheet itself, shared.
        StoredSheet whole(c.sheet);
        EXPECT_TRUE(whole.KeptWhole());
        EXPECT_EQ(whole.Whole(), c.sheet);
        EXPECT_EQ(whole.OwnBytes(), c.sheet->pixels().storage.size);
        EXPECT_TRUE(SamePicture(whole.Crop(10, 5, 57, 40).get(),
                                GdiplusCrop(*c.sheet, 10, 5, 57, 40).get()));
    }
    EXPECT_FALSE(StoredSheet());
    EXPECT_EQ(StoredSheet().Whole(), nullptr);
    EXPECT_EQ(StoredSheet().Crop(0, 0, 1, 1), nullptr);
}

TEST(StoredSheet, AreasOutsideTheSheetGiveNoImage) {
    const auto base = MakeSheet(100, 70, PixelFormat24bppRGB, Pattern);
    const StoredSheet kinds[] = {
        StoredSheet(base),
        *StoredSheet::TilesOver(MakeSheet(100, 70, PixelFormat24bppRGB, Changed)->pixels(), base)};
    const Area outside[] = {
        {-1, 0, 10, 10}, {0, -1, 10, 10},    {95, 0, 6, 10},     {0, 65, 10, 6},
        {0, 0, 0, 10},   {0, 0, 10, 0},      {0, 0, -5, 10},     {100, 0, 1, 1},
        {0, 70, 1, 1},   {INT_MAX, 0, 1, 1}, {1, 1, INT_MAX, 1}, {INT_MIN, INT_MIN, 5, 5},
    };
    for (const StoredSheet& stored : kinds) {
        for (const Area& a : outside) {
            SCOPED_TRACE(testing::Message()
                         << (stored.KeptWhole() ? "whole " : "tiles ") << a.left << ", " << a.top
                         << ", " << a.width << " x " << a.height);
            EXPECT_EQ(stored.Crop(a.left, a.top, a.width, a.height), nullptr);
        }
    }
}

// Pixels that do not fit their storage are never wrapped in a bitmap.
TEST(SkinBitmap, RefusesPixelsThatDoNotAddUp) {
    const auto valid = [] {
        std::optional<SheetPixels> pixels = AllocatePixels(10, 4, PixelFormat24bppRGB);
        return std::move(*pixels);  // stride 32, 128 bytes
    };
    const struct {
        const char* what;
        std::function<void(SheetPixels&)> change;
    } cases[] = {
        {"no width", [](SheetPixels& p) { p.width = 0; }},
        {"no height", [](SheetPixels& p) { p.height = 0; }},
        {"stride shorter than a row", [](SheetPixels& p) { p.stride = 28; }},
        {"stride not a multiple of 4", [](SheetPixels& p) { p.stride = 33; }},
        {"rows past the end", [](SheetPixels& p) { p.topRow = 4; }},
        {"bottom-up rows before the start", [](SheetPixels& p) { p.stride = -32; }},
        {"storage too small", [](SheetPixels& p) { p.storage.size = 100; }},
        {"no storage", [](SheetPixels& p) { p.storage = {}; }},
        {"indexed format", [](SheetPixels& p) { p.format = PixelFormat8bppIndexed; }},
        {"no resolution", [](SheetPixels& p) { p.dpiX = 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SheetPixels pixels = valid();
        c.change(pixels);
        EXPECT_EQ(SkinBitmap::Make(std::move(pixels)), nullptr);
    }
    SheetPixels bottomUp = valid();
    bottomUp.stride = -32;
    bottomUp.topRow = 96;
    EXPECT_NE(SkinBitmap::Make(std::move(bottomUp)), nullptr);
    EXPECT_FALSE(AllocatePixels(1 << 16, 1 << 16, PixelFormat32bppARGB)) << "over the limit";
    EXPECT_FALSE(AllocatePixels(-1, 5, PixelFormat24bppRGB));
}

}  // namespace
}  // namespace vandir
